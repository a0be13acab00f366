#include "model/QNPAttributeFloat.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"

using namespace cocos2d;

float QNPAttributeFloat::clamp(float value) const {
    if (!(value > m_minimum)) value = m_minimum;
    if (value > m_maximum) value = m_maximum;
    return value;
}

void QNPAttributeFloat::setDefault(float value) {
    m_value = m_defaultValue = clamp(value);
}

void QNPAttributeFloat::set(float value, bool silent) {
    m_value = clamp(value);
    if (!silent) changed();
}

void QNPAttributeFloat::setInt(int value) {
    set((float)value);
}

void QNPAttributeFloat::setDefaultVariable(float variable) {
    m_variable = variable;
    changed();
    m_defaultVariable = m_variable;
}

float QNPAttributeFloat::randomValue() const {
    return m_value + m_variable * (float)qn::randomUnit();
}

void QNPAttributeFloat::addKey(int state, float time, float value) {
    m_animations.curveCreating(state).addKey(value, time);
}

void QNPAttributeFloat::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    if (!value) return;
    // Values from a file are stored as read, without clamping.
    if (qn::isPresent(value, "value")) m_value = ccTextToFloat(qn::textFor(value, "value").c_str());
    if (qn::isPresent(value, "variableValue"))
        m_variable = ccTextToFloat(qn::textFor(value, "variableValue").c_str());
    if (qn::isPresent(value, "useDefault")) m_useDefault = qn::textToBool(qn::textFor(value, "useDefault"));
    m_isEmpty = qn::textToBool(qn::textFor(value, "isEmpty"));
    if (qn::isPresent(value, "useDefaultVarible"))
        m_useDefaultVariable = qn::textToBool(qn::textFor(value, "useDefaultVarible"));
    if (CCObject* animations = value->objectForKey("animations")) m_animations.load(animations);
}

void QNPAttributeFloat::writeAttributes(CCDictionary* dict) {
    if (m_value != m_defaultValue) qn::setText(dict, "value", "%f", m_value);
    if (m_variable != m_defaultVariable) qn::setText(dict, "variableValue", "%f", m_variable);
    if (!m_useDefault) qn::setText(dict, "useDefault", "%d", 0);
    if (m_isEmpty) qn::setText(dict, "isEmpty", "%d", 1);
    if (!m_useDefaultVariable) qn::setText(dict, "useDefaultVarible", "%d", 0);
    if (!m_animations.empty()) dict->setObject(m_animations.save(), "animations");
}

void QNPAttributeFloat::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    auto* that = dynamic_cast<QNPAttributeFloat*>(other);
    if (!that) return;
    m_value = that->m_value;
    m_variable = that->m_variable;
    m_isEmpty = that->m_isEmpty;
    m_useDefault = that->m_useDefault;
    m_useDefaultVariable = that->m_useDefaultVariable;
    if (!that->m_animations.empty()) m_animations = that->m_animations;
}

void QNPAttributeFloat::debugPrint() {
    CCLog("name: %s - %f", name().c_str(), m_value);
}

std::vector<QNAnimationCurve::Key> QNPAttributeFloat::keyframes(int state) {
    QNAnimationCurve* curve = m_animations.curve(state);
    return curve ? curve->keys() : std::vector<QNAnimationCurve::Key>();
}

std::vector<QNAnimationCurve*> QNPAttributeFloat::curves(int state) {
    QNAnimationCurve* curve = m_animations.curve(state);
    return curve ? std::vector<QNAnimationCurve*>{curve} : std::vector<QNAnimationCurve*>();
}

void QNPAttributeFloat::setCurves(const std::vector<QNAnimationCurve*>& curves, int state) {
    if (!curves.empty() && curves[0]) m_animations.setCurve(state, *curves[0]);
}
