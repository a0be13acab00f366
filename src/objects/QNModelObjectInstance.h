#pragma once
// A placed copy of another object model, referred to by id ("reference"). The reference is looked
// up through the model controller when used, so it may name a model loaded later in the same pass.
// Queries forward to the referenced model; an instance whose chain of references comes back to
// itself answers as one without a reference.

#include "objects/QNModelObject.h"

class QNModelObjectInstance : public QNModelObject {
public:
    QNModelObjectInstance();

    /// Reads "reference" besides the attributes.
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    /// Adds "reference" when a reference is set.
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Also reads "reference" when the connections hold it.
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// Copies the attributes and the reference, resolved again by id (-1 when it cannot be).
    void copyFrom(QNModel* other) override;

    bool hasSpawner() const override;
    float spawnInterval() const override;
    QNModel* displayAnimation() const override;
    cocos2d::CCSize contentSize() const override;

    /// The referenced model, or nullptr (none, dangling, or a cycle of instances).
    QNModel* reference() const;
    void setReference(QNModel* model);
    /// The id last set or read; -1 for none.
    long long referenceId() const { return m_referenceId; }
    /// The first model of the chain of instances that is not an instance, or nullptr when the
    /// chain dangles or loops back onto an instance already visited.
    QNModel* finalReference() const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectInstance(); }

private:
    /// The referenced object model when it is one and no cycle leads back here.
    const QNModelObject* forwardTarget() const;
    void readReference(cocos2d::CCDictionary* dict);

    long long m_referenceId = -1;
};
