#include "model/QNPAttributeString.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"

using namespace cocos2d;

void QNPAttributeString::set(const std::string& value) {
    m_value = value;
    changed();
}

void QNPAttributeString::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    m_value = qn::textFor(value, "value");
}

void QNPAttributeString::writeAttributes(CCDictionary* dict) {
    dict->setObject(CCString::create(m_value), "value");
}

void QNPAttributeString::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    if (auto* that = dynamic_cast<QNPAttributeString*>(other)) m_value = that->m_value;
}
