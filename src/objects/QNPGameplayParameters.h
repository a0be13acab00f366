#pragma once
// The one shared set of physics and gameplay values read by the world, the character, the camera
// and powerups. It starts from the general settings; a character's gameplay-settings component
// overrides its handling values when the character is built, and powerups save and restore values
// around their effect.

#include <vector>

#include "framework/CCGeometry.h"

class QNModel;
class QNModelGeneralSettings;

/// The values themselves, in the order of the table the powerups save and restore.
struct QNGameplayValues {
    cocos2d::CCPoint gravity{0.0f, -10.0f};
    cocos2d::CCPoint moveSpeed;
    cocos2d::CCPoint bounceForce;
    cocos2d::CCPoint upForce;
    float upForceDuration = 0.25f;
    float upForceCounter = 0.0f;
    float groundThreshold = 0.01f;
    float leftLeanForce = 0.0f;
    float rightLeanForce = 0.0f;
    float simulationTimeScale = 1.0f;
    float friction = 0.2f;
    cocos2d::CCPoint characterFriction{1.0f, 1.0f};
    /// One minus the general setting "Velocity Scale".
    float velocityFactor = 1.0f;
    float rotationScale = 1.0f;
    float restitution = 0.0f;
    float platformFriction = 0.0f;
    float scoreMultiplier = 1.0f;
    bool upForceFromGround = false;
    bool directMovement = false;
    bool forcedMovement = true;
    bool fixedRotation = false;
    bool imageDirection = false;
    float gameSpeedMin = 0.0f;
    float gameSpeedMax = 0.0f;
    float currentGameSpeed = 0.0f;
    float gameSpeedIncrease = 0.0f;
    /// Degrees.
    float gameAngleDirection = 0.0f;
    float horizontalViewMargin = 0.0f;
    float verticalViewMargin = 0.0f;
};

class QNPGameplayParameters : public QNGameplayValues {
public:
    /// The process-wide instance, initialised from the general settings on first use.
    static QNPGameplayParameters* shared();

    /// Every field from `settings` (the current general settings when nullptr; the built-in
    /// defaults when there are none). The current game speed starts at the settings' value; the
    /// view margins at 0. Forgets any saved snapshots.
    void resetFromSettings(const QNModelGeneralSettings* settings = nullptr);
    /// Copies the handling values of a "QNModelComponentCharacterGameplaySettings" (nullptr or any
    /// other model changes nothing).
    void applyCharacterSettings(const QNModel* gameplaySettings);

    /// The unit vector of travel: angle -(game angle direction) in radians; 0 travels towards +x.
    cocos2d::CCPoint directionVector() const;

    /// Powerups nest their overrides: each save pushes a snapshot; the outermost restore puts the
    /// first snapshot back (fields without a save key - ground threshold, direct, forced movement,
    /// image direction, current game speed, view margins - are left alone). Unbalanced restores do
    /// nothing.
    void save();
    void restore();
    int saveCount() const { return (int)m_saved.size(); }

private:
    std::vector<QNGameplayValues> m_saved;
};
