#include "objects/QNPObjectGroup.h"

QNPObjectGroup* QNPObjectGroup::create(QNModelObjectGroup*) {
    return nullptr;
}
QNPObjectGroup::QNPObjectGroup(QNModelObjectGroup* model) : m_groupModel(model) {
    m_kind = kKindGroup;
}
QNPObjectGroup::~QNPObjectGroup() = default;
void QNPObjectGroup::update(float dt) {
    QNPObject::update(dt);
}
QNModel* QNPObjectGroup::model() const {
    return nullptr;
}
void QNPObjectGroup::sortDepths() {}
