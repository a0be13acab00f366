#pragma once
// The base of live behaviour components: owned by one runtime object, stepped with it and told of
// its state changes. The concrete components and their factory fill this in.

#include "framework/CCObject.h"

class QNModel;
class QNPObject;

class QNComponent : public cocos2d::CCObject {
public:
    void update(float dt) override { (void)dt; }
    virtual void initWithModel(QNModel* model) { (void)model; }
    virtual void setOwner(QNPObject* owner) { m_owner = owner; }
    virtual void ownerStateChanged() {}
    virtual void postPhysicsUpdate() {}
    virtual void setActive(bool active) { m_active = active; }
    virtual bool isActive() const { return m_active; }

    QNPObject* owner() const { return m_owner; }

protected:
    bool m_active = false;
    QNPObject* m_owner = nullptr; // not retained: the owner holds this component
};

/// The live component for a component model, autoreleased, or nullptr for kinds without a runtime
/// class (they are skipped).
QNComponent* createComponent(QNModel* componentModel);
