#include "objects/QNPObject.h"

#include <algorithm>
#include <cmath>

#include "framework/CCDirector.h"
#include "model/QNModelComponent.h"
#include "objects/QNComponent.h"
#include "objects/QNModelAsset.h"
#include "objects/QNModelObject.h"
#include "objects/QNModelPolygon.h"
#include "objects/QNObjectEnvironment.h"
#include "objects/QNPGameplayParameters.h"
#include "presentation/QNPAnimationObject.h"

using namespace cocos2d;

namespace {

/// Bodies whose objects went away while their world was stepping.
struct DeferredBody {
    b2World* world;
    b2Body* body;
};
std::vector<DeferredBody>& deferredBodies() {
    static std::vector<DeferredBody> list;
    return list;
}

/// Destroys `body` after telling the objects on the other side of its joints.
void destroyNow(b2World* world, b2Body* body) {
    std::vector<b2Joint*> joints;
    for (b2JointEdge* edge = body->GetJointList(); edge; edge = edge->next) joints.push_back(edge->joint);
    for (b2Joint* joint : joints) {
        b2Body* other = joint->GetBodyA() == body ? joint->GetBodyB() : joint->GetBodyA();
        if (QNPObject* object = QNPObject::fromBody(other)) object->jointWillBeDestroyed(joint);
        world->DestroyJoint(joint);
    }
    world->DestroyBody(body);
}

CCSize windowSize() {
    CCDirector* director = CCDirector::sharedDirectorIfExists();
    CCSize size = director ? director->getWinSize() : CCSize();
    if (!(size.width > 0 && size.height > 0)) size = CCSize(1136.0f, 640.0f);
    return size;
}

bool finite(float v) {
    return std::isfinite(v);
}

/// Starts a node playing from its beginning (composite animations restart their clock).
void play(CCNode* node) {
    if (auto* animation = dynamic_cast<QNPAnimationObject*>(node)) animation->restart();
}

/// Children of `node`, retained until the returned guard goes.
struct ChildSnapshot {
    explicit ChildSnapshot(CCNode* node) {
        for (CCObject* child : node->getChildren()->data()) {
            child->retain();
            nodes.push_back(static_cast<CCNode*>(child));
        }
    }
    ~ChildSnapshot() {
        for (CCNode* child : nodes) child->release();
    }
    std::vector<CCNode*> nodes;
};

} // namespace

// ----- QNPObject ---------------------------------------------------------------------------------

QNPObject* QNPObject::fromBody(const b2Body* body) {
    return body ? reinterpret_cast<QNPObject*>(const_cast<b2Body*>(body)->GetUserData().pointer) : nullptr;
}

QNPObject* QNPObject::fromFixture(const b2Fixture* fixture) {
    return fixture ? reinterpret_cast<QNPObject*>(const_cast<b2Fixture*>(fixture)->GetUserData().pointer)
                   : nullptr;
}

void QNPObject::worldWillBeDestroyed(b2World* world) {
    if (!world) return;
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext()) {
        if (QNPObject* object = fromBody(body)) {
            object->m_body = nullptr;
            body->GetUserData().pointer = 0;
        }
    }
    auto& list = deferredBodies();
    list.erase(
        std::remove_if(list.begin(), list.end(), [world](const DeferredBody& d) { return d.world == world; }),
        list.end());
}

void QNPObject::destroyDeferredBodies(b2World* world) {
    if (!world || world->IsLocked()) return;
    auto& list = deferredBodies();
    if (list.empty()) return;
    std::vector<DeferredBody> mine;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const DeferredBody& d) {
                                  if (d.world != world) return false;
                                  mine.push_back(d);
                                  return true;
                              }),
               list.end());
    for (const DeferredBody& d : mine) destroyNow(world, d.body);
}

QNPObject::QNPObject() = default;

QNPObject::~QNPObject() {
    destroyBody();
    for (QNComponent* component : m_components) {
        component->setOwner(nullptr);
        component->release();
    }
    m_components.clear();
}

void QNPObject::destroyBody() {
    if (!m_body) return;
    b2Body* body = m_body;
    m_body = nullptr;
    // From here on contact callbacks and ray casts no longer see this object.
    body->GetUserData().pointer = 0;
    for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) f->GetUserData().pointer = 0;
    b2World* world = body->GetWorld();
    if (world->IsLocked()) {
        deferredBodies().push_back({world, body});
        return;
    }
    destroyDeferredBodies(world);
    destroyNow(world, body);
}

void QNPObject::adoptBody(b2Body* body) {
    m_body = body;
    if (!body) return;
    body->GetUserData().pointer = reinterpret_cast<uintptr_t>(this);
    for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        f->GetUserData().pointer = reinterpret_cast<uintptr_t>(this);
    }
}

void QNPObject::forEachChildObject(const std::function<void(QNPObject*)>& op) {
    if (getChildrenCount() == 0) return;
    ChildSnapshot snapshot(this);
    for (CCNode* child : snapshot.nodes) {
        if (auto* object = dynamic_cast<QNPObject*>(child)) op(object);
    }
}

void QNPObject::addComponent(QNComponent* component) {
    if (!component) return;
    component->setOwner(this);
    component->retain();
    m_components.push_back(component);
}

void QNPObject::update(float dt) {
    if (m_pendingState != -1) {
        const int state = m_pendingState;
        m_pendingState = -1;
        setState(state);
    }
    for (std::size_t i = 0; i < m_components.size(); ++i) m_components[i]->update(dt);
    if (getChildrenCount() > 0) {
        // Children may remove themselves or others while they update: walk a retained copy. A
        // nested update of this same object (unusual) walks a copy of its own.
        std::vector<CCNode*> local;
        std::vector<CCNode*>& walk = m_walking ? local : m_walk;
        const bool outer = !m_walking;
        m_walking = true;
        walk.clear();
        for (CCObject* child : getChildren()->data()) {
            child->retain();
            walk.push_back(static_cast<CCNode*>(child));
        }
        std::vector<QNPObject*> doomedLocal;
        std::vector<QNPObject*>& doomed = outer ? m_doomed : doomedLocal;
        doomed.clear();
        for (CCNode* child : walk) {
            if (child->getParent() != this) continue;
            child->update(dt);
            auto* object = dynamic_cast<QNPObject*>(child);
            if (object && object->state() == kStateDestroyed) doomed.push_back(object);
        }
        for (QNPObject* object : doomed) {
            if (object->getParent() == this) removeChild(object, true);
        }
        doomed.clear();
        for (CCNode* child : walk) child->release();
        walk.clear();
        if (outer) m_walking = false;
    }
    setVisible(isOnScreen());
}

void QNPObject::postPhysicsUpdate() {
    for (std::size_t i = 0; i < m_components.size(); ++i) m_components[i]->postPhysicsUpdate();
}

void QNPObject::setState(int state) {
    m_state = state;
    for (std::size_t i = 0; i < m_components.size(); ++i) m_components[i]->ownerStateChanged();
}

CCPoint QNPObject::gameLayerPosition() const {
    CCPoint p = getPosition();
    CCNode* parent = getParent();
    if (parent && parent != m_gameLayer) p = p + parent->getPosition();
    return p;
}

CCRect QNPObject::boundingBox() {
    const CCPoint p = gameLayerPosition();
    return CCRect(p.x - 50.0f, p.y - 50.0f, 100.0f, 100.0f);
}

b2AABB QNPObject::fixtureBounds() {
    b2AABB box;
    box.lowerBound.SetZero();
    box.upperBound.SetZero();
    if (!m_body || !m_body->GetFixtureList()) return box;
    // Computed from the shape, so it also works for bodies that are not in the broad phase.
    m_body->GetFixtureList()->GetShape()->ComputeAABB(&box, m_body->GetTransform(), 0);
    return box;
}

bool QNPObject::isOnScreen() {
    CCNode* decisive = nullptr;
    for (CCObject* o : getChildren()->data()) {
        auto* child = static_cast<CCNode*>(o);
        if (child->getTag() > 0) decisive = child;
    }
    if (decisive && decisive->isVisible()) return true;
    if (!m_gameLayer) return true;
    const QNPGameplayParameters* p = QNPGameplayParameters::shared();
    const float mx = p->horizontalViewMargin, my = p->verticalViewMargin;
    const CCSize win = windowSize();
    const CCPoint layer = m_gameLayer->getPosition();
    const CCRect view(-layer.x - mx, -layer.y - my, win.width + 2 * mx, win.height + 2 * my);
    return view.intersectsRect(boundingBox());
}

// ----- QNPObjectAsset ----------------------------------------------------------------------------

namespace {
QNPObjectAsset::SoundHooks& hooks() {
    static QNPObjectAsset::SoundHooks h;
    return h;
}
} // namespace

void QNPObjectAsset::setSoundHooks(const SoundHooks& h) {
    hooks() = h;
}

const QNPObjectAsset::SoundHooks& QNPObjectAsset::soundHooks() {
    return hooks();
}

int QNPObjectAsset::playSound(QNModel* sound) {
    if (!sound || !hooks().playEffect) return -1;
    return hooks().playEffect(sound);
}

void QNPObjectAsset::stopSound(int id) {
    if (id != -1 && hooks().stop) hooks().stop(id);
}

QNPObjectAsset* QNPObjectAsset::create(QNModelObject* model) {
    if (!model) return nullptr;
    auto* object = new QNPObjectAsset(model);
    object->autorelease();
    return object;
}

QNPObjectAsset::QNPObjectAsset(QNModelObject* model) : m_model(model) {
    CC_SAFE_RETAIN(m_model);
    m_parameters = QNPGameplayParameters::shared();
    if (!model) return;
    setPosition(model->position(0, 0));
    setRotation(model->rotation(0, 0));
    const CCPoint scale = model->scale(0, 0);
    setScaleX(scale.x);
    setScaleY(scale.y);
    QNModelObjectAsset* assetObject = dynamic_cast<QNModelObjectAsset*>(model);
    m_loopSound = assetObject ? assetObject->loopSound() : nullptr;
    QNModelAsset* asset = assetObject ? assetObject->asset() : nullptr;
    if (asset) {
        // Kinds without a runtime component are skipped.
        for (QNModelComponent* child : asset->components()) {
            addComponent(createComponent(child));
        }
    }
}

QNPObjectAsset::~QNPObjectAsset() {
    if (m_state != kStateDestroyed) setState(kStateDestroyed);
    stopLoopSound();
    m_listeners.clear();
    for (auto& entry : m_layers) entry.second->release();
    m_layers.clear();
    for (CCNode* node : m_attachedNodes) node->release();
    m_attachedNodes.clear();
    CC_SAFE_RELEASE(m_model);
}

QNModel* QNPObjectAsset::model() const {
    return m_model;
}

QNModelObjectAsset* QNPObjectAsset::assetObjectModel() const {
    return dynamic_cast<QNModelObjectAsset*>(m_model);
}

void QNPObjectAsset::update(float dt) {
    QNPObject::update(dt);
    updateLoopSound(dt);
    if (!m_body) return;
    updateBodySteps(dt);
}

float QNPObjectAsset::signedDistance() const {
    const CCPoint mean = QNObjectEnvironment::current()->charactersMeanPosition();
    const CCPoint dir = m_parameters->directionVector();
    const CCPoint d = gameLayerPosition() - mean;
    return d.x * dir.x + d.y * dir.y;
}

void QNPObjectAsset::updateLoopSound(float dt) {
    if (!m_loopSound || !m_gameLayer) return;
    const SoundHooks& h = hooks();
    const float reach = 300.0f + windowSize().width / 2.0f;
    const float d = std::fabs(signedDistance());
    float level = d > reach ? 0.0f : 1.0f - d / reach;
    if (!QNObjectEnvironment::current()->hasLivingCharacter()) {
        const float current = (m_loopSoundId != -1 && h.volume) ? h.volume(m_loopSoundId) : 0.0f;
        level = std::max(0.0f, current - dt);
    }
    if (m_loopSoundId == -1) {
        if (level > 0.0f && m_state == kStateActive && h.startLoop) m_loopSoundId = h.startLoop(m_loopSound);
    } else if (level <= 0.0f) {
        stopLoopSound();
    }
    if (m_loopSoundId != -1 && h.setVolume) h.setVolume(m_loopSoundId, level);
}

void QNPObjectAsset::stopLoopSound() {
    if (m_loopSoundId == -1) return;
    if (hooks().stop) hooks().stop(m_loopSoundId);
    m_loopSoundId = -1;
}

void QNPObjectAsset::updateBodySteps(float dt) {
    if (!m_awake && wakeUpDistance() > signedDistance()) wakeUp();
    if (!m_body) return;
    b2World* world = m_body->GetWorld();
    if (world->IsLocked()) return;

    if (!m_sleeping && m_sleepMode == 1 && m_travelled > sleepDistance()) m_sleeping = true;
    if (m_sleeping) {
        m_body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
        m_body->SetAngularVelocity(0.0f);
    }

    if (m_attached) {
        // The node's transform in game-layer space goes to the body.
        CCNode* parent = getParent();
        CCPoint p = getPosition();
        float rotation = getRotation();
        if (parent && m_gameLayer && parent != m_gameLayer) {
            p = m_gameLayer->convertToNodeSpace(parent->convertToWorldSpace(p));
            for (CCNode* n = parent; n && n != m_gameLayer; n = n->getParent()) rotation += n->getRotation();
        }
        const b2Vec2 position(p.x * kPhysicsScale, p.y * kPhysicsScale);
        const float angle = -rotation * kDegreesToRadians;
        if (finite(position.x) && finite(position.y) && finite(angle)) m_body->SetTransform(position, angle);
    } else {
        if (m_moving && m_awake && !m_sleeping) {
            const float a = -getRotation() * kDegreesToRadians;
            const float c = std::cos(a), s = std::sin(a);
            const CCPoint v(m_linearVelocity.x * c - m_linearVelocity.y * s,
                            m_linearVelocity.x * s + m_linearVelocity.y * c);
            const float speed =
                std::sqrt(m_linearVelocity.x * m_linearVelocity.x + m_linearVelocity.y * m_linearVelocity.y);
            m_travelled += dt * speed * 32.0f;
            const b2Vec2 bodyVelocity(v.x * kPhysicsScale * 32.0f, v.y * kPhysicsScale * 32.0f);
            if (finite(bodyVelocity.x) && finite(bodyVelocity.y)) m_body->SetLinearVelocity(bodyVelocity);
            if (finite(m_angularVelocity)) m_body->SetAngularVelocity(m_angularVelocity / 32.0f);
        }
        const b2Vec2& bp = m_body->GetPosition();
        setPosition(ccp(bp.x * kPointsPerMetre, bp.y * kPointsPerMetre));
        setRotation(-m_body->GetAngle() * kRadiansToDegrees);
    }

    const b2Vec2 v = m_body->GetLinearVelocity();
    const float factor = m_parameters->velocityFactor;
    if (finite(factor)) m_body->SetLinearVelocity(b2Vec2(v.x * factor, v.y * factor));

    if (m_killed) {
        m_killed = false;
        setState(kStateDying);
    }
}

void QNPObjectAsset::setState(int state) {
    QNPObject::setState(state);
    if (state != kStateActive) stopLoopSound();
    if (state == kStateDying) {
        forEachChildObject([](QNPObject* child) { child->setState(kStateDying); });
    } else if (state == kStateDestroyed) {
        std::vector<ListenerEntry> listeners;
        listeners.swap(m_listeners);
        for (const ListenerEntry& entry : listeners) {
            if (entry.kind == kListenerDestroyed && entry.callback) entry.callback(this, nullptr);
        }
    }
}

void QNPObjectAsset::setVisible(bool visible) {
    QNPObject::setVisible(visible);
    if (m_activeLayer) m_activeLayer->setVisible(visible);
}

void QNPObjectAsset::createBody(b2World* world, bool mayOmit) {
    if (!world || m_body) return;
    if (world->IsLocked()) {
        CCLog("[QNPObjectAsset] - no body while the physics world is stepping");
        return;
    }
    const float sx = getScaleX(), sy = getScaleY();
    if (sx == 0.0f || sy == 0.0f || !finite(sx) || !finite(sy)) return;
    if (!m_solid && m_destroyType == 0) {
        const bool still =
            m_linearVelocity.x == 0.0f && m_linearVelocity.y == 0.0f && m_angularVelocity == 0.0f;
        if (still && m_moving && !m_spawning && mayOmit) return; // a pure decoration
    }
    QNModelObjectAsset* objectModel = assetObjectModel();
    QNModelPolygon* shape = objectModel ? objectModel->collisionShape() : nullptr;
    if (!shape || shape->isEmpty()) return;
    QNFixtureDef fixture = shape->toFixtureDef(sx, sy);
    if (!fixture.hasShape()) return;

    b2BodyDef bodyDef;
    bodyDef.type = b2_staticBody;
    const CCAffineTransform& t = nodeToParentTransform();
    bodyDef.position.Set(t.tx * kPhysicsScale, t.ty * kPhysicsScale);
    bodyDef.angle = -getRotation() * kDegreesToRadians;
    if (!finite(bodyDef.position.x) || !finite(bodyDef.position.y) || !finite(bodyDef.angle)) return;

    fixture.def.density = 0.1f;
    fixture.def.friction = finite(m_parameters->friction) ? m_parameters->friction : 0.2f;
    fixture.def.restitution = finite(m_parameters->restitution) ? m_parameters->restitution : 0.0f;
    fixture.def.isSensor = !m_solid;
    fixture.def.filter.categoryBits = 1;
    fixture.def.filter.maskBits = 0xFFFF;
    fixture.def.filter.groupIndex = 0;

    b2Body* body = world->CreateBody(&bodyDef);
    body->CreateFixture(&fixture.def);
    body->SetSleepingAllowed(false);
    adoptBody(body);
}

void QNPObjectAsset::beginContact(QNPObject* other, b2Contact*, bool) {
    if (m_listeners.empty()) return;
    // A listener may add or remove listeners: call a copy.
    const std::vector<ListenerEntry> listeners = m_listeners;
    for (const ListenerEntry& entry : listeners) {
        if (entry.kind == kListenerContact && entry.callback) entry.callback(this, other);
    }
}

void QNPObjectAsset::setDirection(float x, float y) {
    const float speed =
        std::sqrt(m_linearVelocity.x * m_linearVelocity.x + m_linearVelocity.y * m_linearVelocity.y);
    m_linearVelocity = ccp(x * speed, y * speed);
}

void QNPObjectAsset::addListener(int kind, const void* target, Listener callback) {
    m_listeners.push_back({kind, target, std::move(callback)});
}

void QNPObjectAsset::removeListeners(const void* target) {
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [target](const ListenerEntry& e) { return e.target == target; }),
                      m_listeners.end());
}

void QNPObjectAsset::showLayer(CCNode* node, int key) {
    m_activeLayer = node;
    m_activeLayerKey = key;
    if (node) {
        play(node);
        node->setVisible(true);
    }
}

void QNPObjectAsset::addAnimationLayer(int key, CCNode* node) {
    if (!node) return;
    for (const auto& entry : m_layers) {
        if (entry.second == node) return;
    }
    node->retain();
    if (node->getParent()) node->removeFromParentAndCleanup(false);
    addChild(node);
    m_layers.insert({key, node}); // after the entries of the same key
    if (!m_activeLayer) {
        showLayer(node, key);
    } else if (key > m_activeLayerKey) {
        node->setVisible(false);
    } else {
        m_activeLayer->setVisible(false);
        showLayer(node, key);
    }
    setVisible(isVisible());
}

void QNPObjectAsset::removeAnimationLayer(int key, CCNode* node) {
    if (!node) return;
    auto found = m_layers.end();
    auto range = m_layers.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == node) found = it;
    }
    if (found == m_layers.end()) {
        for (auto it = m_layers.begin(); it != m_layers.end(); ++it) {
            if (it->second == node) found = it;
        }
    }
    if (found == m_layers.end()) return;
    m_layers.erase(found);
    if (node->getParent() == this) removeChild(node, false);
    if (node == m_activeLayer) {
        m_activeLayer = nullptr;
        m_activeLayerKey = -1;
        // The lowest key left takes over, its last-added node first.
        if (!m_layers.empty()) {
            const int next = m_layers.begin()->first;
            auto last = std::prev(m_layers.upper_bound(next));
            showLayer(last->second, next);
            setVisible(isVisible());
        }
    }
    node->release();
}

void QNPObjectAsset::attachNode(CCNode* node) {
    if (!node || m_attachedNodes.count(node)) return;
    node->retain();
    if (node->getParent()) node->removeFromParentAndCleanup(false);
    addChild(node);
    play(node);
    node->setVisible(true);
    m_attachedNodes.insert(node);
}

void QNPObjectAsset::detachNode(CCNode* node) {
    auto it = m_attachedNodes.find(node);
    if (it == m_attachedNodes.end()) return;
    m_attachedNodes.erase(it);
    if (node->getParent() == this) removeChild(node, false);
    node->release();
}
