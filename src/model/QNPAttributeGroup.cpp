#include "model/QNPAttributeGroup.h"

#include <algorithm>

#include "model/QNModel.h"

QNPAttributeGroup::~QNPAttributeGroup() {
    for (QNPAttribute* child : m_children) child->release();
}

void QNPAttributeGroup::addChild(QNPAttribute* child) {
    if (!child || child == this) return;
    if (std::find(m_children.begin(), m_children.end(), child) != m_children.end()) return;
    child->retain();
    m_children.push_back(child);
}

void QNPAttributeGroup::update(float dt) {
    QNPAttribute::update(dt);
    for (QNPAttribute* child : m_children) child->update(dt);
}

void QNPAttributeGroup::show() {
    QNPAttribute::show();
    for (QNPAttribute* child : m_children) child->show();
}

void QNPAttributeGroup::hide() {
    QNPAttribute::hide();
    for (QNPAttribute* child : m_children) child->hide();
}

void QNPAttributeGroup::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    auto* group = dynamic_cast<QNPAttributeGroup*>(other);
    if (!group) return;
    for (std::size_t i = 0; i < m_children.size() && i < group->m_children.size(); ++i) {
        QNPAttribute* mine = m_children[i];
        QNPAttribute* theirs = group->m_children[i];
        // A child listed by the owner is copied by the owner's own walk over its attributes;
        // copying it here as well would duplicate owned sub-models twice.
        if (owner() && owner()->indexOfAttribute(mine) >= 0) continue;
        if (mine->type() == theirs->type()) mine->copyFrom(theirs);
    }
}
