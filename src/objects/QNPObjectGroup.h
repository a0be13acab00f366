#pragma once
// The runtime of an object group: sorts the depth of its member objects on the game layer every
// frame by their position along one axis.

#include "objects/QNPObject.h"

class QNModelObjectGroup;

class QNPObjectGroup : public QNPObject {
public:
    /// A group for `model` (kind 1024), autoreleased; nullptr without a model.
    static QNPObjectGroup* create(QNModelObjectGroup* model);
    ~QNPObjectGroup() override;

    /// The QNPObject update, then the depth sort (when "Auto Depth Sorting" is set and the group has
    /// more than one member).
    void update(float dt) override;
    QNModel* model() const override;

    /// Re-orders the members on the game layer now.
    void sortDepths();

private:
    explicit QNPObjectGroup(QNModelObjectGroup* model);

    QNModelObjectGroup* m_groupModel = nullptr; // retained
    std::vector<QNPObject*> m_scratch;          // members found this frame
};
