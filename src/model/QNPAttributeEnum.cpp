#include "model/QNPAttributeEnum.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"

using namespace cocos2d;

void QNPAttributeEnum::setDefault(const std::string& value) {
    if (!m_selected.empty()) return;
    m_selected = value;
    changed();
}

void QNPAttributeEnum::set(const std::string& value) {
    m_selected = value;
    changed();
}

void QNPAttributeEnum::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    m_selected = qn::textFor(value, "selectedStringValue");
    changed();
}

void QNPAttributeEnum::writeAttributes(CCDictionary* dict) {
    dict->setObject(CCString::create(m_selected), "selectedStringValue");
}

void QNPAttributeEnum::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    if (auto* that = dynamic_cast<QNPAttributeEnum*>(other)) m_selected = that->m_selected;
}
