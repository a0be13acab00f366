#pragma once
// A model that holds an ordered list of component models (objects, assets, worlds). Each component
// points back to the compound that lists it.

#include <string>
#include <vector>

#include "model/QNModel.h"

class QNModelComponent;

class QNModelCompound : public QNModel {
public:
    explicit QNModelCompound(const std::string& className, const std::string& displayName = "")
        : QNModel(className, displayName) {}
    ~QNModelCompound() override;

    /// Adds "components": the component ids.
    cocos2d::CCDictionary* connectionsDictionary() override;
    /// Reads the attributes' connections and adds every component listed under "components".
    void initConnections(cocos2d::CCDictionary* dict) override;

    /// Appends `model` (a component; nullptr, repeats and other models are ignored) and becomes its
    /// owner.
    virtual void addComponent(QNModel* model);
    /// Inserts `model` before position `index` (negative counts from the back) unless present.
    virtual void insertComponent(QNModel* model, int index);
    /// Removes `model`; when this compound owned it, it is left without owner.
    virtual void removeComponent(QNModel* model);

    const std::vector<QNModelComponent*>& components() const { return m_components; }
    /// The first component of `className`, or nullptr.
    QNModelComponent* componentOfClass(const std::string& className) const;
    /// Adds a duplicate of each of the other's components.
    void copyComponentsFrom(QNModelCompound* other);

protected:
    QNModel* createEmptyCopy() const override { return new QNModelCompound(className(), ""); }

private:
    void attach(QNModelComponent* component, std::size_t at);

    std::vector<QNModelComponent*> m_components;
};
