#pragma once
// Units: the obstacle asset (idle and defeated animations, idle, death and wake-up sounds), the
// placed unit with its movement, collision and destruction settings, and its two optional
// components, a spawner and a wake-up/sleep setting.

#include "model/QNModelComponent.h"
#include "objects/QNModelAsset.h"

class QNPAttributeEnum;
class QNPAttributeFloat;
class QNPAttributePoint;

class QNModelAssetObstacle : public QNModelAsset {
public:
    QNModelAssetObstacle();

    /// "Idle Animation".
    QNModel* defaultAnimation() const override { return idleAnimation(); }
    QNModel* idleAnimation() const;
    QNModel* defeatedAnimation() const;
    QNModel* idleSound() const;
    QNModel* deathSound() const;
    QNModel* wakeUpSound() const;
    /// Sets "Idle Animation" and makes the collision shape the default outline of a frame of
    /// `frameSize` at `frameOffset`; without an animation a 10 by 10 box at (0,0).
    void setIdleAnimation(QNModel* animation, const cocos2d::CCSize& frameSize = cocos2d::CCSize(),
                          const cocos2d::CCPoint& frameOffset = cocos2d::CCPoint());

protected:
    QNModel* createEmptyCopy() const override { return new QNModelAssetObstacle(); }
};

class QNModelComponentSpawner : public QNModelComponent {
public:
    QNModelComponentSpawner();
    /// "Spawn Rate" drawn with its spread (seconds between spawns).
    float spawnRate() const;
    /// "Spawn Action" key ("kPermanentSpawning", "kShootingSpawning", ...).
    const std::string& spawnAction() const;
    QNPAttributeFloat* spawnRateAttribute() const { return m_rate; }
    QNPAttributeEnum* spawnActionAttribute() const { return m_action; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelComponentSpawner(); }

private:
    QNPAttributeFloat* m_rate = nullptr;
    QNPAttributeEnum* m_action = nullptr;
};

class QNModelComponentWakeup : public QNModelComponent {
public:
    QNModelComponentWakeup();
    /// "kNoWakeup", "kTimeBasedWakeup" (distance) or "kCollisionBasedWakeup".
    const std::string& wakeUp() const;
    float wakeUpDistance() const;
    /// "kNoWakeup" or "kDistanceBasedSleep".
    const std::string& sleep() const;
    float sleepDistance() const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelComponentWakeup(); }

private:
    QNPAttributeEnum* m_wakeUp = nullptr;
    QNPAttributeFloat* m_wakeUpDistance = nullptr;
    QNPAttributeEnum* m_sleep = nullptr;
    QNPAttributeFloat* m_sleepDistance = nullptr;
};

class QNModelObjectAssetUnit : public QNModelObjectAsset {
public:
    QNModelObjectAssetUnit();

    /// Editor presets: "Object Type" sets collision, destroy and movement types (and bullet
    /// velocities); "Movement Type" shows the velocities.
    void attributeChanged(QNPAttribute* attribute) override;

    bool hasSpawner() const override { return spawner() != nullptr; }
    /// The spawner's rate with its spread, or 1.0 without a spawner.
    float spawnInterval() const override;
    /// The obstacle's "Idle Sound".
    QNModel* loopSound() const override;

    QNModelAssetObstacle* obstacle() const;
    QNModelComponentSpawner* spawner() const;
    QNModelComponentWakeup* wakeup() const;

    const std::string& objectType() const;
    /// Selects the object type and applies its preset.
    void setObjectType(const std::string& key);
    const std::string& movementType() const;
    const std::string& collisionType() const;
    const std::string& destroyTypeKey() const;
    QNPAttributePoint* linearVelocityAttribute() const { return m_linearVelocity; }
    QNPAttributeFloat* angularVelocityAttribute() const { return m_angularVelocity; }
    QNPAttributeEnum* movementTypeAttribute() const { return m_movementType; }
    QNPAttributeEnum* collisionTypeAttribute() const { return m_collisionType; }
    QNPAttributeEnum* destroyTypeAttribute() const { return m_destroyType; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectAssetUnit(); }

private:
    void applyObjectTypePreset();

    QNPAttributeEnum* m_objectType = nullptr;
    QNPAttributeEnum* m_movementType = nullptr;
    QNPAttributePoint* m_linearVelocity = nullptr;
    QNPAttributeFloat* m_angularVelocity = nullptr;
    QNPAttributeEnum* m_collisionType = nullptr;
    QNPAttributeEnum* m_destroyType = nullptr;
};
