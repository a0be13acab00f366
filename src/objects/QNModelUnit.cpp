#include "objects/QNModelUnit.h"

#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributePoint.h"
#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeShape.h"
#include "objects/QNModelPolygon.h"

using namespace cocos2d;

namespace {

template <typename A> A* add(QNModel* m, const char* name, int type, QNPAttributeGroup* group = nullptr) {
    return static_cast<A*>(m->addAttribute(name, type, 0, group));
}

QNModel* targetOf(const QNModel* m, const char* name) {
    if (auto* a = dynamic_cast<QNPAttributeAnimation*>(m->attributeNamed(name))) return a->target();
    if (auto* a = dynamic_cast<QNPAttributeSound*>(m->attributeNamed(name))) return a->target();
    return nullptr;
}

} // namespace

// ----- QNModelAssetObstacle ----------------------------------------------------------------------

QNModelAssetObstacle::QNModelAssetObstacle() : QNModelAsset("QNModelAssetObstacle", "Obstacle") {
    auto* animation = add<QNPAttributeGroup>(this, "Animation", QNPAttribute::kTypeGroup);
    add<QNPAttribute>(this, "Idle Animation", QNPAttribute::kTypeAnimation, animation);
    add<QNPAttribute>(this, "Defeated Animation", QNPAttribute::kTypeAnimation, animation);
    auto* sound = add<QNPAttributeGroup>(this, "Sound", QNPAttribute::kTypeGroup);
    add<QNPAttribute>(this, "Idle Sound", QNPAttribute::kTypeSound, sound);
    add<QNPAttribute>(this, "Death Sound", QNPAttribute::kTypeSound, sound);
    add<QNPAttribute>(this, "WakeUp Sound", QNPAttribute::kTypeSound, sound);
}

QNModel* QNModelAssetObstacle::idleAnimation() const {
    return targetOf(this, "Idle Animation");
}
QNModel* QNModelAssetObstacle::defeatedAnimation() const {
    return targetOf(this, "Defeated Animation");
}
QNModel* QNModelAssetObstacle::idleSound() const {
    return targetOf(this, "Idle Sound");
}
QNModel* QNModelAssetObstacle::deathSound() const {
    return targetOf(this, "Death Sound");
}
QNModel* QNModelAssetObstacle::wakeUpSound() const {
    return targetOf(this, "WakeUp Sound");
}

void QNModelAssetObstacle::setIdleAnimation(QNModel* animation, const CCSize& frameSize,
                                            const CCPoint& frameOffset) {
    static_cast<QNPAttributeAnimation*>(attributeNamed("Idle Animation"))->setTarget(animation);
    auto* shape = new QNModelPolygon();
    if (animation)
        shape->makeDefault(frameSize, frameOffset);
    else
        shape->makeDefault(CCSize(10.0f, 10.0f), CCPointZero);
    m_shape->setShape(shape);
    shape->release();
}

// ----- components --------------------------------------------------------------------------------

QNModelComponentSpawner::QNModelComponentSpawner() : QNModelComponent("QNModelComponentSpawner") {
    m_rate = add<QNPAttributeFloat>(this, "Spawn Rate", QNPAttribute::kTypeFloat);
    m_rate->setDefault(1.0f);
    m_action = add<QNPAttributeEnum>(this, "Spawn Action", QNPAttribute::kTypeEnum);
    m_action->choices() = {{"kPermanentSpawning", "Permanent"},
                           {"kShootingSpawning", "Shooting"},
                           {"kNonResetShootingSpawning", "Single Shooting"},
                           {"kJumpingSpawning", "Jumping"}};
    m_action->setDefault("kPermanentSpawning");
}

float QNModelComponentSpawner::spawnRate() const {
    return m_rate->randomValue();
}

const std::string& QNModelComponentSpawner::spawnAction() const {
    return m_action->selectedValue();
}

QNModelComponentWakeup::QNModelComponentWakeup() : QNModelComponent("QNModelComponentWakeup") {
    m_wakeUp = add<QNPAttributeEnum>(this, "Wake Up", QNPAttribute::kTypeEnum);
    m_wakeUp->choices() = {{"kNoWakeup", "Disabled"},
                           {"kTimeBasedWakeup", "Distance Based"},
                           {"kCollisionBasedWakeup", "Collision Based"}};
    m_wakeUp->setDefault("kNoWakeup");
    m_wakeUpDistance = add<QNPAttributeFloat>(this, "Wakeup Distance", QNPAttribute::kTypeFloat);
    m_sleep = add<QNPAttributeEnum>(this, "Sleep", QNPAttribute::kTypeEnum);
    m_sleep->choices() = {{"kNoWakeup", "Disabled"}, {"kDistanceBasedSleep", "Distance Based"}};
    m_sleep->setDefault("kNoWakeup");
    m_sleepDistance = add<QNPAttributeFloat>(this, "Sleep Distance", QNPAttribute::kTypeFloat);
}

const std::string& QNModelComponentWakeup::wakeUp() const {
    return m_wakeUp->selectedValue();
}
float QNModelComponentWakeup::wakeUpDistance() const {
    return m_wakeUpDistance->value();
}
const std::string& QNModelComponentWakeup::sleep() const {
    return m_sleep->selectedValue();
}
float QNModelComponentWakeup::sleepDistance() const {
    return m_sleepDistance->value();
}

// ----- QNModelObjectAssetUnit --------------------------------------------------------------------

QNModelObjectAssetUnit::QNModelObjectAssetUnit() : QNModelObjectAsset("QNModelObjectAssetUnit", "Untitled") {
    m_objectType = add<QNPAttributeEnum>(this, "Object Type", QNPAttribute::kTypeEnum);
    m_objectType->choices() = {{"kPlatformObjectType", "Platform"},
                               {"kPhysicsObjectType", "Physics Object"},
                               {"kEnemyObjectType", "Enemy"},
                               {"kBulletObjectType", "Enemy Bullet"},
                               {"kBulletCharacterObjectType", "Character Bullet"},
                               {"kDecorationObjectType", "Decoration"},
                               {"kWheelObjectType", "Wheel"}};
    m_objectType->setDefault("kPlatformObjectType");
    auto* movement = add<QNPAttributeGroup>(this, "Movement", QNPAttribute::kTypeGroup);
    m_movementType = add<QNPAttributeEnum>(this, "Movement Type", QNPAttribute::kTypeEnum, movement);
    m_movementType->choices() = {{"kMovementLinear", "Fixed"}, {"kMovementPhysics", "Physics"}};
    m_movementType->setDefault("kMovementLinear");
    m_linearVelocity = add<QNPAttributePoint>(this, "Linear Velocity", QNPAttribute::kTypePoint, movement);
    m_angularVelocity = add<QNPAttributeFloat>(this, "Angular Velocity", QNPAttribute::kTypeFloat, movement);
    auto* properties = add<QNPAttributeGroup>(this, "Properties", QNPAttribute::kTypeGroup);
    m_collisionType = add<QNPAttributeEnum>(this, "Collision Type", QNPAttribute::kTypeEnum, properties);
    m_collisionType->choices() = {{"kNoCollision", "No Collide"}, {"kCharacterCollision", "Collide"}};
    m_collisionType->setDefault("kCharacterCollision");
    m_destroyType = add<QNPAttributeEnum>(this, "Destroy Type", QNPAttribute::kTypeEnum, properties);
    m_destroyType->choices() = {{"kDestroyNo", "No Destroy"},
                                {"kDestroyCollision", "Destroy Character"},
                                {"kDestroyEnemyCollision", "Destroy Enemy"},
                                {"kDestroyAllCollision", "Destroy All"}};
    m_destroyType->setDefault("kDestroyNo");
}

QNModelAssetObstacle* QNModelObjectAssetUnit::obstacle() const {
    return dynamic_cast<QNModelAssetObstacle*>(asset());
}

QNModelComponentSpawner* QNModelObjectAssetUnit::spawner() const {
    return dynamic_cast<QNModelComponentSpawner*>(componentOfClass("QNModelComponentSpawner"));
}

QNModelComponentWakeup* QNModelObjectAssetUnit::wakeup() const {
    return dynamic_cast<QNModelComponentWakeup*>(componentOfClass("QNModelComponentWakeup"));
}

float QNModelObjectAssetUnit::spawnInterval() const {
    QNModelComponentSpawner* s = spawner();
    return s ? s->spawnRate() : 1.0f;
}

QNModel* QNModelObjectAssetUnit::loopSound() const {
    QNModelAssetObstacle* o = obstacle();
    return o ? o->idleSound() : nullptr;
}

const std::string& QNModelObjectAssetUnit::objectType() const {
    return m_objectType->selectedValue();
}
const std::string& QNModelObjectAssetUnit::movementType() const {
    return m_movementType->selectedValue();
}
const std::string& QNModelObjectAssetUnit::collisionType() const {
    return m_collisionType->selectedValue();
}
const std::string& QNModelObjectAssetUnit::destroyTypeKey() const {
    return m_destroyType->selectedValue();
}

void QNModelObjectAssetUnit::setObjectType(const std::string& key) {
    m_objectType->set(key);
    applyObjectTypePreset();
}

void QNModelObjectAssetUnit::attributeChanged(QNPAttribute* attribute) {
    QNModelObjectAsset::attributeChanged(attribute);
    if (attribute == m_objectType) {
        applyObjectTypePreset();
    } else if (attribute == m_movementType) {
        m_linearVelocity->show();
        m_angularVelocity->show();
    }
}

void QNModelObjectAssetUnit::applyObjectTypePreset() {
    struct Preset {
        const char* type;
        const char* collision;
        const char* destroy;
        const char* movement;
        bool bullet;
        float vx;
    };
    static const Preset kPresets[] = {
        {"kPlatformObjectType", "kCharacterCollision", "kDestroyNo", "kMovementLinear", false, 0},
        {"kPhysicsObjectType", "kCharacterCollision", "kDestroyNo", "kMovementPhysics", false, 0},
        {"kEnemyObjectType", "kCharacterCollision", "kDestroyCollision", "kMovementLinear", false, 0},
        {"kBulletObjectType", "kNoCollision", "kDestroyCollision", "kMovementLinear", true, -20.0f},
        {"kBulletCharacterObjectType", "kNoCollision", "kDestroyEnemyCollision", "kMovementLinear", true,
         20.0f},
        {"kDecorationObjectType", "kNoCollision", "kDestroyNo", "kMovementLinear", false, 0},
        {"kWheelObjectType", "kCharacterCollision", "kDestroyNo", "kMovementPhysics", false, 0},
    };
    for (const Preset& p : kPresets) {
        if (!m_objectType->isSelected(p.type)) continue;
        m_collisionType->set(p.collision);
        m_destroyType->set(p.destroy);
        m_movementType->set(p.movement);
        if (p.bullet) {
            m_linearVelocity->set(ccp(p.vx, 0.0f));
            m_angularVelocity->set(0.0f);
        }
        return;
    }
}
