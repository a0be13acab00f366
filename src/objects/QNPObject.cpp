#include "objects/QNPObject.h"

#include "objects/QNComponent.h"
#include "objects/QNModelObject.h"

using namespace cocos2d;

QNPObject* QNPObject::fromBody(const b2Body* body) {
    return body ? reinterpret_cast<QNPObject*>(const_cast<b2Body*>(body)->GetUserData().pointer) : nullptr;
}
QNPObject* QNPObject::fromFixture(const b2Fixture* fixture) {
    return fixture ? reinterpret_cast<QNPObject*>(const_cast<b2Fixture*>(fixture)->GetUserData().pointer)
                   : nullptr;
}
void QNPObject::worldWillBeDestroyed(b2World*) {}
void QNPObject::destroyDeferredBodies(b2World*) {}

QNPObject::QNPObject() = default;
QNPObject::~QNPObject() = default;
void QNPObject::update(float) {}
void QNPObject::postPhysicsUpdate() {}
void QNPObject::setState(int state) {
    m_state = state;
}
CCRect QNPObject::boundingBox() {
    return CCRect();
}
b2AABB QNPObject::fixtureBounds() {
    return b2AABB();
}
bool QNPObject::isOnScreen() {
    return true;
}
CCPoint QNPObject::gameLayerPosition() const {
    return getPosition();
}
void QNPObject::destroyBody() {}
void QNPObject::addComponent(QNComponent*) {}
void QNPObject::adoptBody(b2Body* body) {
    m_body = body;
}

namespace {
QNPObjectAsset::SoundHooks s_hooks;
}
void QNPObjectAsset::setSoundHooks(const SoundHooks& hooks) {
    s_hooks = hooks;
}
const QNPObjectAsset::SoundHooks& QNPObjectAsset::soundHooks() {
    return s_hooks;
}
QNPObjectAsset* QNPObjectAsset::create(QNModelObject*) {
    return nullptr;
}
QNPObjectAsset::QNPObjectAsset(QNModelObject* model) : m_model(model) {}
QNPObjectAsset::~QNPObjectAsset() = default;
void QNPObjectAsset::update(float dt) {
    QNPObject::update(dt);
}
void QNPObjectAsset::setVisible(bool visible) {
    QNPObject::setVisible(visible);
}
void QNPObjectAsset::setState(int state) {
    QNPObject::setState(state);
}
QNModel* QNPObjectAsset::model() const {
    return m_model;
}
void QNPObjectAsset::createBody(b2World*, bool) {}
void QNPObjectAsset::beginContact(QNPObject*, b2Contact*, bool) {}
void QNPObjectAsset::setDirection(float, float) {}
void QNPObjectAsset::addAnimationLayer(int, CCNode*) {}
void QNPObjectAsset::removeAnimationLayer(int, CCNode*) {}
void QNPObjectAsset::attachNode(CCNode*) {}
void QNPObjectAsset::detachNode(CCNode*) {}
void QNPObjectAsset::addListener(int, const void*, Listener) {}
void QNPObjectAsset::removeListeners(const void*) {}
QNModelObjectAsset* QNPObjectAsset::assetObjectModel() const {
    return nullptr;
}
float QNPObjectAsset::signedDistance() const {
    return 0.0f;
}
void QNPObjectAsset::stopLoopSound() {}
void QNPObjectAsset::updateLoopSound(float) {}
void QNPObjectAsset::updateBodySteps(float) {}
void QNPObjectAsset::showLayer(CCNode*, int) {}
