#pragma once
// The runtime of units (platforms, physics objects, enemies, bullets, decorations, wheels): starts
// as a static body, wakes when the characters come near or touch it, then moves kinematically at
// its fixed velocity or is simulated as a dynamic body. Solid units with a one-way vector let
// objects through from the other side. A unit with a spawner is an invisible emitter of copies of
// itself; the world adds the copies through the spawn handler.

#include <functional>
#include <string>
#include <vector>

#include "objects/QNPObject.h"

class QNModelObjectAssetUnit;
class QNPAnimationObject;

class QNPObjectAssetUnit : public QNPObjectAsset {
public:
    /// Roles derived from "Object Type".
    enum Role { kRoleOther = 0, kRolePlatform = 1, kRoleEnemy = 2, kRoleDecoration = 3 };
    /// Input actions a spawner listens to.
    enum { kActionNone = 0, kActionJump = 5, kActionShoot = 8 };
    /// Adds a spawned copy to the world at the spawner's transform and gives it its body
    /// (`addSpawned`); returns false when the world does not take it (not a world, or stopped).
    using SpawnHandler = std::function<bool(QNPObjectAssetUnit* spawner, QNPObjectAsset* copy)>;
    static void setSpawnHandler(SpawnHandler handler);

    /// A unit for `model`, autoreleased; nullptr without a model or without an asset.
    static QNPObjectAssetUnit* create(QNModelObjectAssetUnit* model);
    ~QNPObjectAssetUnit() override;

    /// The asset update, then activation, dying sensor, spawning, logic modifications, and
    /// postPhysicsUpdate.
    void update(float dt) override;
    void setState(int state) override;
    cocos2d::CCRect boundingBox() override;
    void wakeUp() override;
    void setSpawning(bool spawning) override;
    void setKind(int kind) override;
    void setVisible(bool visible) override;
    /// No body without an idle animation; a spawning unit's fixture is a sensor.
    void createBody(b2World* world, bool mayOmit) override;
    void beginContact(QNPObject* other, b2Contact* contact, bool isCharacterSide) override;
    void endContact(QNPObject* other, b2Contact* contact) override;
    void preSolve(QNPObject* other, b2Contact* contact, const b2Manifold* oldManifold) override;
    void spawn() override;
    float wakeUpDistance() override;
    float sleepDistance() override;
    /// The idle animation's rectangle scaled by |scale| and centred on the origin.
    void updateBounds() override;
    bool isGround() override { return m_solid; }
    void setOpacity(float opacity) override;

    /// Called by the input controller on press (true) and release (false) of spawnInputAction.
    void setSpawnActive(bool active);
    bool isSpawnActive() const { return m_spawnActive; }
    /// The action the spawner listens to while spawning (kActionNone, kActionJump, kActionShoot).
    int spawnInputAction() const { return m_spawnInputAction; }
    /// Pending modifications from logic assets: "kNone", "kAdd", "kMultiply" or "kReplace".
    void setLogicX(const std::string& operation, float value);
    void setLogicY(const std::string& operation, float value);
    void setLogicRotation(const std::string& operation, float value);

    int role() const { return m_role; }
    bool isWakePending() const { return m_wakePending; }
    const cocos2d::CCRect& bounds() const { return m_bounds; }
    QNPAnimationObject* idleNode() const { return m_idleNode; }
    QNPAnimationObject* defeatedNode() const { return m_defeatedNode; }
    QNModelObjectAssetUnit* unitModel() const { return m_unitModel; }
    /// Model ids of objects passing through this one-way unit.
    const std::vector<unsigned int>& passThroughList() const { return m_passThrough; }
    float spawnTimer() const { return m_spawnTimer; }

protected:
    explicit QNPObjectAssetUnit(QNModelObjectAssetUnit* model);

private:
    enum Operation { kNone = 0, kAdd, kMultiply, kReplace };
    struct Modification {
        Operation operation = kNone;
        float value = 0.0f;
    };
    static Operation operationOf(const std::string& text);
    static float apply(const Modification& m, float value);
    void activate();
    void applyModifications();
    void defeatedAnimationDidEnd();
    void stopListening() { m_spawnInputAction = kActionNone; }

    QNModelObjectAssetUnit* m_unitModel = nullptr; // held through QNPObjectAsset's model
    QNPAnimationObject* m_idleNode = nullptr;      // retained
    QNPAnimationObject* m_defeatedNode = nullptr;  // retained
    int m_wakeUpSoundId = -1;
    int m_deathSoundId = -1;
    int m_role = kRoleOther;
    bool m_spawnActive = false;
    float m_spawnTimer = 0.0f;
    bool m_resetOnPress = true;
    int m_spawnInputAction = kActionNone;
    bool m_wakePending = false;
    bool m_passedThrough = true;
    std::vector<unsigned int> m_passThrough;
    cocos2d::CCRect m_bounds;
    Modification m_modX, m_modY, m_modRotation;
};
