#pragma once
// The project-wide settings: application name and texts, orientation and screen adjustment, the
// default physics and gameplay tuning of worlds, the score type and the keyboard bindings. One per
// project, in "data/QNModelGeneralSettings.0.attributes.xml".

#include <functional>
#include <string>

#include "framework/CCGeometry.h"
#include "model/QNModel.h"

namespace cocos2d {
class CCDictionary;
}

class QNPAttributeBoolean;
class QNPAttributeFloat;
class QNPAttributeKey;
class QNPAttributePoint;
class QNPAttributeSprite;
class QNPAttributeString;

class QNModelGeneralSettings : public QNModel {
public:
    QNModelGeneralSettings();
    ~QNModelGeneralSettings() override;

    /// The most recently constructed general settings still alive, or nullptr.
    static QNModelGeneralSettings* generalSettings();
    /// Called after every read, so the world drops its cached gameplay settings. Not owned.
    static void setSettingsReadHook(std::function<void()> hook);
    /// Reads "2.1.5"-style text into three numbers; each number that cannot be read keeps the
    /// value it had (and so do the ones after it).
    static void parseVersionText(const std::string& text, int& major, int& minor, int& patch);

    /// Base reading, then the top-level keys and the older keys.
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    /// Base writing plus the top-level keys.
    cocos2d::CCDictionary* attributesDictionary() override;

    // Texts
    const std::string& versionNumber() const;
    const std::string& applicationName() const;
    const std::string& comments() const;
    const std::string& resetText() const;
    const std::string& buildDate() const;
    const std::string& gamePreset() const;
    QNPAttributeSprite* iconAttribute() const { return m_icon; }

    // Gameplay tuning
    float gameSpeedMin() const;
    float gameSpeedMax() const;
    float gameSpeedIncrease() const;
    float gameSpeedCurrent() const;
    float gameAngleDirection() const;
    bool fixedPosition() const;
    bool fixedRotation() const;
    bool forcedMovement() const;
    cocos2d::CCPoint moveSpeed() const;
    cocos2d::CCPoint jump() const;
    float jumpTimeout() const;
    float jumpCounter() const;
    float jumpGroundThreshold() const;
    bool jumpFromGround() const;
    float leftLeanForce() const;
    float rightLeanForce() const;
    float simulationTimeScale() const;
    float friction() const;
    cocos2d::CCPoint characterFriction() const;
    float velocityScale() const;
    float rotationScale() const;
    cocos2d::CCPoint gravity() const;
    bool autoImageDirection() const;
    float restitution() const;
    float scoreMultiplier() const;
    float platformFriction() const;
    cocos2d::CCPoint bounceForce() const;
    float backDeletionThreshold() const;
    float sidesDeletionThreshold() const;

    // Key bindings (editor key codes)
    int moveUpKey() const;
    int moveDownKey() const;
    int moveLeftKey() const;
    int moveRightKey() const;
    int motorCWKey() const;
    int motorCCWKey() const;
    int rotateLeftKey() const;
    int rotateRightKey() const;
    int shootKey() const;
    int jumpKey() const;

    // Plain fields
    const std::string& scoreType() const { return m_scoreType; }
    const std::string& shareScreen() const { return m_shareScreen; }
    unsigned int lastIdNumber() const { return m_lastIdNumber; }
    const std::string& yrVersion() const { return m_yrVersion; }
    /// 1 portrait, 0 landscape.
    int isPortrait() const { return m_portrait ? 1 : 0; }
    int screenAdjustment() const { return m_screenAdjustment; }
    /// 640 × 1136 portrait, 1136 × 640 landscape.
    const cocos2d::CCSize& designSize() const { return m_designSize; }
    const cocos2d::CCRect& objectFrameRect() const { return m_objectFrameRect; }
    /// Editor frame edge `index` (0..3); 0 outside.
    int objectFrameEdgeState(int index) const;
    /// Free-form per-platform values (never nullptr; owned by this model).
    cocos2d::CCDictionary* platformSpecificValues() const { return m_platformSpecificValues; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelGeneralSettings(); }

private:
    QNPAttributeString* addString(const char* name, const char* value);
    QNPAttributeFloat* addFloat(const char* name, float value);
    QNPAttributeBoolean* addBoolean(const char* name, bool value);
    QNPAttributePoint* addPoint(const char* name, float x, float y);
    QNPAttributeKey* addKey(const char* name, int keyCode);
    void setPortrait(bool portrait);
    void setPlatformSpecificValues(cocos2d::CCDictionary* values);

    QNPAttributeString* m_versionNumber;
    QNPAttributeString* m_applicationName;
    QNPAttributeString* m_comments;
    QNPAttributeString* m_resetText;
    QNPAttributeString* m_buildDate;
    QNPAttributeFloat* m_gameSpeedMin;
    QNPAttributeFloat* m_gameSpeedMax;
    QNPAttributeFloat* m_gameSpeedIncrease;
    QNPAttributeFloat* m_gameSpeedCurrent;
    QNPAttributeSprite* m_icon;
    QNPAttributeFloat* m_gameAngleDirection;
    QNPAttributeString* m_gamePreset;
    QNPAttributeBoolean* m_fixedPosition;
    QNPAttributeBoolean* m_fixedRotation;
    QNPAttributeBoolean* m_forcedMovement;
    QNPAttributePoint* m_moveSpeed;
    QNPAttributePoint* m_jump;
    QNPAttributeFloat* m_jumpTimeout;
    QNPAttributeFloat* m_jumpCounter;
    QNPAttributeFloat* m_jumpGroundThreshold;
    QNPAttributeBoolean* m_jumpFromGround;
    QNPAttributeFloat* m_leftLeanForce;
    QNPAttributeFloat* m_rightLeanForce;
    QNPAttributeFloat* m_simulationTimeScale;
    QNPAttributeFloat* m_friction;
    QNPAttributePoint* m_characterFriction;
    QNPAttributeFloat* m_velocityScale;
    QNPAttributeFloat* m_rotationScale;
    QNPAttributePoint* m_gravity;
    QNPAttributeBoolean* m_autoImageDirection;
    QNPAttributeFloat* m_restitution;
    QNPAttributeFloat* m_scoreMultiplier;
    QNPAttributeFloat* m_platformFriction;
    QNPAttributePoint* m_bounceForce;
    QNPAttributeFloat* m_backDeletionThreshold;
    QNPAttributeFloat* m_sidesDeletionThreshold;
    QNPAttributeKey* m_moveUpKey;
    QNPAttributeKey* m_moveDownKey;
    QNPAttributeKey* m_moveLeftKey;
    QNPAttributeKey* m_moveRightKey;
    QNPAttributeKey* m_motorCWKey;
    QNPAttributeKey* m_motorCCWKey;
    QNPAttributeKey* m_rotateLeftKey;
    QNPAttributeKey* m_rotateRightKey;
    QNPAttributeKey* m_shootKey;
    QNPAttributeKey* m_jumpKey;

    std::string m_scoreType = "Distance";
    std::string m_shareScreen = "Game Field Screen";
    unsigned int m_lastIdNumber = 0;
    std::string m_yrVersion;
    bool m_portrait = true;
    int m_screenAdjustment = 0;
    cocos2d::CCSize m_designSize = cocos2d::CCSize(640.0f, 1136.0f);
    cocos2d::CCRect m_objectFrameRect = cocos2d::CCRect(0.0f, 0.0f, 1.0f, 1.0f);
    int m_objectFrameEdgeStates[4] = {0, 0, 0, 0};
    cocos2d::CCDictionary* m_platformSpecificValues = nullptr;
};
