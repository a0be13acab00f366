#include "model/QNPAttributeBoolean.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"

using namespace cocos2d;

void QNPAttributeBoolean::set(bool value, bool silent) {
    m_value = value;
    if (!silent) changed();
}

void QNPAttributeBoolean::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    if (!value) return;
    if (qn::isPresent(value, "value")) m_value = qn::textToBool(qn::textFor(value, "value"));
    if (CCObject* animations = value->objectForKey("animations")) m_animations.load(animations);
}

void QNPAttributeBoolean::writeAttributes(CCDictionary* dict) {
    if (m_value != m_defaultValue) qn::setText(dict, "value", "%d", m_value ? 1 : 0);
    if (!m_animations.empty()) dict->setObject(m_animations.save(), "animations");
}

void QNPAttributeBoolean::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    auto* that = dynamic_cast<QNPAttributeBoolean*>(other);
    if (!that) return;
    m_value = that->m_value;
    if (!that->m_animations.empty()) m_animations = that->m_animations;
}

std::vector<QNAnimationCurve::Key> QNPAttributeBoolean::keyframes(int state) {
    QNAnimationCurve* curve = m_animations.curve(state);
    return curve ? curve->keys() : std::vector<QNAnimationCurve::Key>();
}

std::vector<QNAnimationCurve*> QNPAttributeBoolean::curves(int state) {
    QNAnimationCurve* curve = m_animations.curve(state);
    return curve ? std::vector<QNAnimationCurve*>{curve} : std::vector<QNAnimationCurve*>();
}
