#include "model/QNModelComponent.h"

#include "model/QNModelCompound.h"

void QNModelComponent::setComponentOwner(QNModelCompound* owner) {
    if (owner == m_componentOwner) return;
    QNModelCompound* previous = m_componentOwner;
    // Store the new owner first: the two list calls below call back here and must find it set.
    m_componentOwner = owner;
    retain();
    if (previous) previous->removeComponent(this);
    if (owner) owner->addComponent(this);
    release();
}
