#pragma once
// The model base of behaviour components (health, damage, motors, moves, spawners, …): a model
// owned by one compound model (an asset, an object or a world).

#include "model/QNModel.h"

class QNModelCompound;

class QNModelComponent : public QNModel {
public:
    explicit QNModelComponent(const std::string& className, const std::string& displayName = "")
        : QNModel(className, displayName) {}

    /// The compound that lists this component, or nullptr. Not retained.
    QNModelCompound* componentOwner() const { return m_componentOwner; }
    /// Moves the component: it leaves its previous owner's list and joins `owner`'s (nullptr only
    /// removes it).
    void setComponentOwner(QNModelCompound* owner);

protected:
    QNModel* createEmptyCopy() const override { return new QNModelComponent(className(), ""); }

private:
    friend class QNModelCompound;
    QNModelCompound* m_componentOwner = nullptr;
};
