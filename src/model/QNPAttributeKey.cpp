#include "model/QNPAttributeKey.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"

using namespace cocos2d;

void QNPAttributeKey::setDefault(int keyCode) {
    m_keyCode = keyCode;
    changed();
    m_defaultKeyCode = keyCode;
}

void QNPAttributeKey::set(int keyCode) {
    m_keyCode = keyCode;
    changed();
}

void QNPAttributeKey::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    m_keyCode = ccTextToInt(qn::textFor(value, "value").c_str());
}

void QNPAttributeKey::writeAttributes(CCDictionary* dict) {
    qn::setText(dict, "value", "%d", m_keyCode);
}

void QNPAttributeKey::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    if (auto* that = dynamic_cast<QNPAttributeKey*>(other)) m_keyCode = that->m_keyCode;
}
