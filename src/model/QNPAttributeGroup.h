#pragma once
// A group of attributes shown together in the editor. Its children are also members of the owner's
// attribute list (and are read and written there); the group forwards update, show, hide and copy.

#include <vector>

#include "model/QNPAttribute.h"

class QNPAttributeGroup : public QNPAttribute {
public:
    QNPAttributeGroup() : QNPAttribute(kTypeGroup) {}
    ~QNPAttributeGroup() override;

    /// Appends and retains `child` (nullptr and repeats are ignored).
    void addChild(QNPAttribute* child);
    const std::vector<QNPAttribute*>& children() const { return m_children; }

    void update(float dt) override;
    void show() override;
    void hide() override;
    /// Copies the group, then each child from the other group's child of the same index (children
    /// that the owner lists are left to the owner's own copy, so nothing is copied twice).
    void copyFrom(QNPAttribute* other) override;

private:
    std::vector<QNPAttribute*> m_children;
};
