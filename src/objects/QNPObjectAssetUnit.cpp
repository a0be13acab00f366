#include "objects/QNPObjectAssetUnit.h"

#include <algorithm>
#include <cmath>

#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributePoint.h"
#include "objects/QNModelPolygon.h"
#include "objects/QNModelUnit.h"
#include "objects/QNPObjectFactory.h"
#include "presentation/QNModelAnimation.h"
#include "presentation/QNPAnimationObject.h"

using namespace cocos2d;

namespace {

QNPObjectAssetUnit::SpawnHandler& spawnHandler() {
    static QNPObjectAssetUnit::SpawnHandler handler;
    return handler;
}

int destroyTypeOf(const std::string& key) {
    if (key == "kDestroyCollision") return 1;
    if (key == "kDestroyEnemyCollision") return 2;
    if (key == "kDestroyAllCollision") return 3;
    return 0;
}

int roleOf(const std::string& type) {
    if (type == "kPlatformObjectType") return QNPObjectAssetUnit::kRolePlatform;
    if (type == "kEnemyObjectType") return QNPObjectAssetUnit::kRoleEnemy;
    if (type == "kDecorationObjectType") return QNPObjectAssetUnit::kRoleDecoration;
    return QNPObjectAssetUnit::kRoleOther;
}

QNPAnimationObject* makeNode(QNModel* animation, CCNode* owner) {
    auto* model = dynamic_cast<QNModelAnimation*>(animation);
    QNPAnimationObject* node = model ? QNPAnimationObject::create(model, owner, true) : nullptr;
    CC_SAFE_RETAIN(node);
    return node;
}

} // namespace

void QNPObjectAssetUnit::setSpawnHandler(SpawnHandler handler) {
    spawnHandler() = std::move(handler);
}

QNPObjectAssetUnit* QNPObjectAssetUnit::create(QNModelObjectAssetUnit* model) {
    if (!model || !model->asset()) return nullptr;
    auto* unit = new QNPObjectAssetUnit(model);
    unit->autorelease();
    return unit;
}

QNPObjectAssetUnit::QNPObjectAssetUnit(QNModelObjectAssetUnit* model)
    : QNPObjectAsset(model), m_unitModel(model) {
    m_kind = kKindUnit;
    QNModelAssetObstacle* obstacle = model->obstacle();
    const float opacity = model->opacity(0, 0);
    if (obstacle) {
        m_idleNode = makeNode(obstacle->idleAnimation(), this);
        if (m_idleNode) {
            m_idleNode->setOpacity(opacity);
            addChild(m_idleNode, model->depth());
        }
        m_defeatedNode = makeNode(obstacle->defeatedAnimation(), this);
        if (m_defeatedNode) {
            m_defeatedNode->setOpacity(opacity);
            m_defeatedNode->setZOrder(model->depth());
            m_defeatedNode->setEndCallback(
                this, static_cast<SEL_CallFunc>(&QNPObjectAssetUnit::defeatedAnimationDidEnd));
        }
    }
    if (model->movementType() == "kMovementPhysics") {
        m_angularVelocity = 0.0f;
        m_linearVelocity = model->linearVelocityAttribute()->randomValue();
        m_moving = false;
    } else {
        m_angularVelocity = model->angularVelocityAttribute()->randomValue();
        m_linearVelocity = model->linearVelocityAttribute()->randomValue();
        m_moving = true;
    }
    m_role = roleOf(model->objectType());
    m_solid = model->collisionType() != "kNoCollision";
    m_destroyType = destroyTypeOf(model->destroyTypeKey());
    if (QNModelComponentWakeup* wakeup = model->wakeup()) {
        if (wakeup->wakeUp() == "kTimeBasedWakeup")
            m_wakeUpMode = 1;
        else if (wakeup->wakeUp() == "kCollisionBasedWakeup")
            m_wakeUpMode = 2;
        m_sleepMode = wakeup->sleep() == "kDistanceBasedSleep" ? 1 : 0;
    }
    updateBounds();
}

QNPObjectAssetUnit::~QNPObjectAssetUnit() {
    stopSound(m_wakeUpSoundId);
    if (m_defeatedNode) m_defeatedNode->setEndCallback(nullptr, nullptr);
    CC_SAFE_RELEASE(m_idleNode);
    CC_SAFE_RELEASE(m_defeatedNode);
}

void QNPObjectAssetUnit::updateBounds() {
    CCSize size;
    if (m_idleNode) size = m_idleNode->bounds().size;
    const float w = size.width * std::fabs(getScaleX());
    const float h = size.height * std::fabs(getScaleY());
    m_bounds = CCRect(-w / 2.0f, -h / 2.0f, w, h);
}

CCRect QNPObjectAssetUnit::boundingBox() {
    const CCPoint p = gameLayerPosition();
    return CCRect(m_bounds.origin.x + p.x, m_bounds.origin.y + p.y, m_bounds.size.width,
                  m_bounds.size.height);
}

void QNPObjectAssetUnit::createBody(b2World* world, bool mayOmit) {
    if (!m_idleNode) return;
    QNPObjectAsset::createBody(world, mayOmit);
    if (m_body && m_spawning) {
        for (b2Fixture* f = m_body->GetFixtureList(); f; f = f->GetNext()) f->SetSensor(true);
    }
}

float QNPObjectAssetUnit::wakeUpDistance() {
    if (m_state == kStateDestroyed) return 3000.0f;
    if (m_wakeUpMode == 1) {
        QNModelComponentWakeup* wakeup = m_unitModel->wakeup();
        return wakeup ? wakeup->wakeUpDistance() : 3000.0f;
    }
    if (m_wakeUpMode == 2) return -3000.0f;
    return 3000.0f;
}

float QNPObjectAssetUnit::sleepDistance() {
    if (m_sleepMode != 1) return 0.0f;
    QNModelComponentWakeup* wakeup = m_unitModel->wakeup();
    return wakeup ? wakeup->sleepDistance() : 0.0f;
}

void QNPObjectAssetUnit::wakeUp() {
    if (m_state == kStateDestroyed || m_awake || !m_body) return;
    m_awake = true;
    QNModelAssetObstacle* obstacle = m_unitModel->obstacle();
    if (obstacle && obstacle->wakeUpSound() && m_wakeUpMode != 0)
        m_wakeUpSoundId = playSound(obstacle->wakeUpSound());
    // Both movement types move once awake; the body changes type on the next update, outside the step.
    if (m_body->GetType() == b2_staticBody && !m_spawning) m_wakePending = true;
}

void QNPObjectAssetUnit::activate() {
    m_wakePending = false;
    if (!m_body || m_body->GetWorld()->IsLocked()) return;
    if (m_moving) {
        if (m_destroyType == 2 || m_destroyType == 3) {
            m_body->SetType(b2_dynamicBody);
            m_body->SetBullet(true);
        } else {
            m_body->SetType(b2_kinematicBody);
        }
        m_body->SetFixedRotation(true);
        m_body->SetGravityScale(0.0f);
    } else {
        m_body->SetType(b2_dynamicBody);
        const CCPoint v = m_unitModel->linearVelocityAttribute()->randomValue();
        const b2Rot q(m_body->GetAngle());
        const b2Vec2 push = b2Mul(q, b2Vec2(v.x, v.y));
        const b2Vec2 velocity = m_body->GetLinearVelocity() + push;
        if (std::isfinite(velocity.x) && std::isfinite(velocity.y)) m_body->SetLinearVelocity(velocity);
        const float w = m_unitModel->angularVelocityAttribute()->randomValue();
        if (std::isfinite(w)) m_body->SetAngularVelocity(w);
    }
}

void QNPObjectAssetUnit::update(float dt) {
    retain(); // a spawned copy may destroy itself from setVisible inside the update
    QNPObjectAsset::update(dt);
    // The idle and defeated nodes are children: the children step above advances them.
    if (m_wakePending) activate();
    if (m_state == kStateDying && m_body && !m_body->GetWorld()->IsLocked()) {
        for (b2Fixture* f = m_body->GetFixtureList(); f; f = f->GetNext()) f->SetSensor(true);
    }
    if (m_spawnActive && m_spawning && m_awake) spawn();
    if (m_spawnTimer > 0.0f) m_spawnTimer -= dt;
    if (m_modX.operation != kNone || m_modY.operation != kNone || m_modRotation.operation != kNone) {
        applyModifications();
    }
    postPhysicsUpdate();
    release();
}

QNPObjectAssetUnit::Operation QNPObjectAssetUnit::operationOf(const std::string& text) {
    if (text == "kAdd") return kAdd;
    if (text == "kMultiply") return kMultiply;
    if (text == "kReplace") return kReplace;
    return kNone;
}

float QNPObjectAssetUnit::apply(const Modification& m, float value) {
    switch (m.operation) {
    case kAdd:
        return value + m.value;
    case kMultiply:
        return value * m.value;
    case kReplace:
        return m.value;
    default:
        return value;
    }
}

void QNPObjectAssetUnit::setLogicX(const std::string& operation, float value) {
    m_modX = {operationOf(operation), value};
}
void QNPObjectAssetUnit::setLogicY(const std::string& operation, float value) {
    m_modY = {operationOf(operation), value};
}
void QNPObjectAssetUnit::setLogicRotation(const std::string& operation, float value) {
    m_modRotation = {operationOf(operation), value};
}

void QNPObjectAssetUnit::applyModifications() {
    const CCPoint p = getPosition();
    const float x = apply(m_modX, p.x), y = apply(m_modY, p.y),
                rotation = apply(m_modRotation, getRotation());
    m_modX = m_modY = m_modRotation = Modification();
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(rotation)) return;
    setPosition(ccp(x, y));
    setRotation(rotation);
    if (m_body && !m_body->GetWorld()->IsLocked()) {
        m_body->SetTransform(b2Vec2(x * kPhysicsScale, y * kPhysicsScale), -rotation * kDegreesToRadians);
    }
}

void QNPObjectAssetUnit::setSpawnActive(bool active) {
    m_spawnActive = active;
    if (m_resetOnPress) m_spawnTimer = 0.0f;
}

void QNPObjectAssetUnit::setSpawning(bool spawning) {
    QNPObjectAsset::setSpawning(spawning);
    if (!spawning) {
        stopListening();
        if (m_idleNode) m_idleNode->setVisible(true);
        if (m_defeatedNode) m_defeatedNode->setVisible(false);
        return;
    }
    if (m_idleNode) m_idleNode->setVisible(false);
    if (m_defeatedNode) m_defeatedNode->setVisible(false);
    QNModelComponentSpawner* spawner = m_unitModel->spawner();
    const std::string action = spawner ? spawner->spawnAction() : std::string();
    if (action == "kPermanentSpawning") {
        m_spawnActive = true;
    } else if (action == "kShootingSpawning") {
        m_resetOnPress = true;
        m_spawnInputAction = kActionShoot;
    } else if (action == "kNonResetShootingSpawning") {
        m_resetOnPress = false;
        m_spawnInputAction = kActionShoot;
    } else if (action == "kJumpingSpawning") {
        m_spawnInputAction = kActionJump;
    }
}

void QNPObjectAssetUnit::setKind(int kind) {
    QNPObjectAsset::setKind(kind);
    if (!(kind & kKindSpawned) || !m_idleNode) return;
    for (int i = 0; i < m_idleNode->childCount(); ++i) {
        if (auto* unit = dynamic_cast<QNPObjectAssetUnit*>(m_idleNode->childNode(i)))
            unit->setSpawning(false);
    }
}

void QNPObjectAssetUnit::setVisible(bool visible) {
    QNPObjectAsset::setVisible(visible);
    const bool spawned = (m_kind & kKindSpawned) != 0;
    if (spawned && !visible && m_state != kStateDestroyed) setState(kStateDestroyed);
    if (visible && !m_activeLayer) {
        if (m_state == kStateDying) {
            if (m_idleNode) m_idleNode->setVisible(false);
            if (m_defeatedNode) m_defeatedNode->setVisible(true);
        } else if (m_state == kStateDestroyed || m_spawning) {
            // left as they are
        } else if (m_idleNode) {
            m_idleNode->setVisible(true);
        }
    } else if (m_activeLayer || !spawned) {
        if (m_idleNode) m_idleNode->setVisible(false);
        if (m_defeatedNode) m_defeatedNode->setVisible(false);
    }
}

void QNPObjectAssetUnit::setState(int state) {
    QNPObjectAsset::setState(state);
    if (state == kStateDying) {
        if (m_idleNode && m_idleNode->getParent() == this) removeChild(m_idleNode, false);
        QNModelAssetObstacle* obstacle = m_unitModel->obstacle();
        if (obstacle && obstacle->deathSound()) m_deathSoundId = playSound(obstacle->deathSound());
        if (!m_defeatedNode) {
            setState(kStateDestroyed);
            return;
        }
        if (!m_defeatedNode->getParent()) addChild(m_defeatedNode, m_defeatedNode->getZOrder());
    } else if (state == kStateDestroyed) {
        if (m_spawning) stopListening();
        if (m_defeatedNode && m_defeatedNode->getParent() == this) removeChild(m_defeatedNode, false);
        stopSound(m_wakeUpSoundId);
        m_wakeUpSoundId = -1;
    }
}

void QNPObjectAssetUnit::defeatedAnimationDidEnd() {
    if (m_state == kStateDying) setState(kStateDestroyed);
}

void QNPObjectAssetUnit::setOpacity(float opacity) {
    QNPObjectAsset::setOpacity(opacity);
    const float base = m_unitModel->opacity(0, 0);
    if (m_idleNode) m_idleNode->setOpacity(base * opacity);
    if (m_defeatedNode) m_defeatedNode->setOpacity(base * opacity);
}

void QNPObjectAssetUnit::spawn() {
    if (m_spawnTimer > 0.0f) return;
    SpawnHandler& handler = spawnHandler();
    if (!handler) return; // no running world takes copies
    m_spawnTimer = m_unitModel->spawnInterval();
    auto* copy = dynamic_cast<QNPObjectAsset*>(createObject(m_unitModel));
    if (!copy) return;
    copy->setKind(copy->kind() | kKindSpawned);
    copy->setSpawning(false);
    copy->setZOrder(m_attached ? getZOrder() : m_unitModel->depth());
    if (handler(this, copy)) copy->wakeUp();
}

void QNPObjectAssetUnit::beginContact(QNPObject* other, b2Contact* contact, bool isCharacterSide) {
    if (!other || !isVisible() || !other->isVisible()) return;
    if (other->state() == kStateDying || other->state() == kStateDestroyed) return;
    QNPObjectAsset::beginContact(other, contact, isCharacterSide);
    // Damage between units and characters comes with the health component.
    if ((other->kind() & kKindCharacter) && m_body && m_body->GetType() == b2_staticBody &&
        m_wakeUpMode == 2) {
        wakeUp();
    }
    if (!m_solid) return;
    if (isCharacterSide && contact && m_body && other->body() && other->model()) {
        QNModelPolygon* shape = m_unitModel->collisionShape();
        auto* otherModel = dynamic_cast<QNModelObjectAsset*>(other->model());
        if (shape && otherModel && otherModel->collisionShape()) {
            const CCPoint v = shape->oneWayCollisionVector();
            if (oneWayPassesThrough(b2Vec2(v.x, v.y), contact, m_body, other->body())) {
                m_passedThrough = false;
                m_passThrough.push_back(other->model()->id());
            }
        }
    }
    // Landing of characters on moving units comes with the character's ground handling.
}

void QNPObjectAssetUnit::endContact(QNPObject* other, b2Contact* contact) {
    m_passedThrough = true;
    if (contact) contact->SetEnabled(true);
    if (other && other->model()) {
        auto it = std::find(m_passThrough.begin(), m_passThrough.end(), other->model()->id());
        if (it != m_passThrough.end()) m_passThrough.erase(it);
    }
}

void QNPObjectAssetUnit::preSolve(QNPObject* other, b2Contact* contact, const b2Manifold*) {
    if (!other || !contact) return;
    if (other->model() &&
        std::find(m_passThrough.begin(), m_passThrough.end(), other->model()->id()) != m_passThrough.end()) {
        contact->SetEnabled(false);
    }
    if ((m_attached || m_moving) && other == getParent()) contact->SetEnabled(false);
}
