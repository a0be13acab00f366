#include "model/QNPAttributePoint.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"

using namespace cocos2d;

void QNPAttributePoint::setDefault(const CCPoint& value) {
    m_value = m_defaultValue = value;
}

void QNPAttributePoint::set(const CCPoint& value, bool silent) {
    m_value = value;
    if (!silent) changed();
}

CCPoint QNPAttributePoint::randomValue() const {
    const float forY = (float)qn::randomUnit();
    const float forX = (float)qn::randomUnit();
    return CCPoint(m_value.x + m_variable.x * forX, m_value.y + m_variable.y * forY);
}

CCPoint QNPAttributePoint::valueAt(float time, int state) const {
    return CCPoint(m_animationsX.valueAt(time, state), m_animationsY.valueAt(time, state));
}

void QNPAttributePoint::addKey(int state, float x, float y, float time) {
    m_animationsX.curveCreating(state).addKey(x, time);
    m_animationsY.curveCreating(state).addKey(y, time);
}

void QNPAttributePoint::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    if (!value) return;
    if (qn::isPresent(value, "value")) m_value = qn::textToPoint(qn::textFor(value, "value"));
    if (qn::isPresent(value, "variableValue"))
        m_variable = qn::textToPoint(qn::textFor(value, "variableValue"));
    m_isXEmpty = qn::textToBool(qn::textFor(value, "isXEmpty"));
    m_isYEmpty = qn::textToBool(qn::textFor(value, "isYEmpty"));
    if (qn::isPresent(value, "useDefault")) m_useDefault = qn::textToBool(qn::textFor(value, "useDefault"));
    if (CCObject* x = value->objectForKey("animationsX")) m_animationsX.load(x);
    if (CCObject* y = value->objectForKey("animationsY")) m_animationsY.load(y);
}

void QNPAttributePoint::writeAttributes(CCDictionary* dict) {
    qn::setPoint(dict, "value", m_value);
    if (m_variable != CCPoint()) qn::setPoint(dict, "variableValue", m_variable);
    if (m_isXEmpty) qn::setText(dict, "isXEmpty", "%d", 1);
    if (m_isYEmpty) qn::setText(dict, "isYEmpty", "%d", 1);
    if (!m_useDefault) qn::setText(dict, "useDefault", "%d", 0);
    if (!m_animationsX.empty()) dict->setObject(m_animationsX.save(), "animationsX");
    if (!m_animationsY.empty()) dict->setObject(m_animationsY.save(), "animationsY");
}

void QNPAttributePoint::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    auto* that = dynamic_cast<QNPAttributePoint*>(other);
    if (!that) return;
    m_value = that->m_value;
    m_variable = that->m_variable;
    m_isXEmpty = that->m_isXEmpty;
    m_isYEmpty = that->m_isYEmpty;
    m_useDefault = that->m_useDefault;
    if (!that->m_animationsX.empty()) m_animationsX = that->m_animationsX;
    if (!that->m_animationsY.empty()) m_animationsY = that->m_animationsY;
}

void QNPAttributePoint::debugPrint() {
    CCLog("name: %s - {%f,%f}", name().c_str(), m_value.x, m_value.y);
}

std::vector<QNAnimationCurve::Key> QNPAttributePoint::keyframes(int state) {
    QNAnimationCurve* curve = m_animationsX.curve(state);
    return curve ? curve->keys() : std::vector<QNAnimationCurve::Key>();
}

std::vector<QNAnimationCurve*> QNPAttributePoint::curves(int state) {
    QNAnimationCurve* x = m_animationsX.curve(state);
    QNAnimationCurve* y = m_animationsY.curve(state);
    if (!x || !y) return std::vector<QNAnimationCurve*>();
    return std::vector<QNAnimationCurve*>{x, y};
}

void QNPAttributePoint::setCurves(const std::vector<QNAnimationCurve*>& curves, int state) {
    if (curves.size() < 2 || !curves[0] || !curves[1]) return;
    m_animationsX.setCurve(state, *curves[0]);
    m_animationsY.setCurve(state, *curves[1]);
}
