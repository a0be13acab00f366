#include "model/QNModelGeneralSettings.h"

#include <sstream>

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeKey.h"
#include "model/QNPAttributePoint.h"
#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeString.h"

using namespace cocos2d;

namespace {
QNModelGeneralSettings* g_latest = nullptr;

std::function<void()>& settingsReadHook() {
    static std::function<void()> hook;
    return hook;
}

// Editor key codes of the special keys.
constexpr int kKeyLeft = 0x01000012;
constexpr int kKeyUp = 0x01000013;
constexpr int kKeyRight = 0x01000014;
constexpr int kKeyDown = 0x01000015;

const char* const kLandscape = "QNPScreenOrientationLandscape";
const char* const kPortrait = "QNPScreenOrientationPortrait";
const char* const kDefaultResetText = "PLEASE NOTE:  You are about to reset all your game progress and start "
                                      "completely over.  Are you sure you want to do that?";
} // namespace

QNModelGeneralSettings::QNModelGeneralSettings() : QNModel("QNModelGeneralSettings", "") {
    m_versionNumber = addString("Version Number", "1.0");
    m_applicationName = addString("Application Name", "Untitled");
    m_comments = addString("Comments", "add comments here");
    m_resetText = addString("Reset text", kDefaultResetText);
    m_buildDate = addString("Build Date", "");
    m_buildDate->hide();
    m_gameSpeedMin = addFloat("Game Speed Min", 3.0f);
    m_gameSpeedMax = addFloat("Game Speed Max", 10.0f);
    m_gameSpeedIncrease = addFloat("Game Speed Increase", 0.1f);
    m_gameSpeedCurrent = addFloat("Game Speed Current", 3.0f);
    m_icon = static_cast<QNPAttributeSprite*>(addAttribute("Icon", QNPAttribute::kTypeSprite));
    m_icon->setContainerFlag(true);
    m_gameAngleDirection = addFloat("Game Angle Direction", 0.0f);
    m_gamePreset = static_cast<QNPAttributeString*>(addAttribute("Game Preset", QNPAttribute::kTypeString));
    m_gamePreset->set("Default");
    m_fixedPosition = addBoolean("Fixed Position", false);
    m_fixedRotation = addBoolean("Fixed Rotation", false);
    m_forcedMovement = addBoolean("Forced Movement", true);
    m_moveSpeed = addPoint("Move Speed", 0.0f, 0.0f);
    m_jump = addPoint("Jump", 0.0f, 5.0f);
    m_jumpTimeout = addFloat("Jump Timeout", 0.25f);
    m_jumpCounter = addFloat("Jump Counter", 0.0f);
    m_jumpGroundThreshold = addFloat("Jump Ground Threshold", 0.01f);
    m_jumpFromGround = addBoolean("Jump From Ground", false);
    m_leftLeanForce = addFloat("Left Lean Force", 0.0f);
    m_rightLeanForce = addFloat("Right Lean Force", 0.0f);
    m_simulationTimeScale = addFloat("Simulation Time Scale", 1.0f);
    m_friction = addFloat("Friction", 0.0f);
    m_characterFriction = addPoint("Character Friction", 0.8f, 1.0f);
    m_velocityScale = addFloat("Velocity Scale", 1.0f);
    m_rotationScale = addFloat("Rotation Scale", 1.0f);
    m_gravity = addPoint("Gravity", 0.0f, -50.0f);
    m_autoImageDirection = addBoolean("Auto Image Direction", false);
    m_restitution = addFloat("Restitution", 0.0f);
    m_scoreMultiplier = addFloat("Score Multiplier", 1.0f);
    m_platformFriction = addFloat("Platform Friction", 0.0f);
    m_bounceForce = addPoint("Bounce Force", 0.0f, 0.0f);
    m_backDeletionThreshold = addFloat("Back Deletion Threshold", 300.0f);
    m_sidesDeletionThreshold = addFloat("Sides Deletion Threshold", 550.0f);
    m_moveUpKey = addKey("Move Up Key", kKeyUp);
    m_moveDownKey = addKey("Move Down Key", kKeyDown);
    m_moveLeftKey = addKey("Move Left Key", kKeyLeft);
    m_moveRightKey = addKey("Move Right Key", kKeyRight);
    m_motorCWKey = addKey("Motor CW Key", 'X');
    m_motorCCWKey = addKey("Motor CCW Key", 'Z');
    m_rotateLeftKey = addKey("Rotate Left Key", ',');
    m_rotateRightKey = addKey("Rotate Right Key", '.');
    m_shootKey = addKey("Shoot Key", ' ');
    m_jumpKey = addKey("Jump Key", 'J');

    setPlatformSpecificValues(CCDictionary::create());
    g_latest = this;
}

QNModelGeneralSettings::~QNModelGeneralSettings() {
    CC_SAFE_RELEASE(m_platformSpecificValues);
    // The accessor must never hand out a destroyed model.
    if (g_latest == this) g_latest = nullptr;
}

QNModelGeneralSettings* QNModelGeneralSettings::generalSettings() {
    return g_latest;
}

void QNModelGeneralSettings::setSettingsReadHook(std::function<void()> hook) {
    settingsReadHook() = std::move(hook);
}

QNPAttributeString* QNModelGeneralSettings::addString(const char* name, const char* value) {
    auto* attribute = static_cast<QNPAttributeString*>(addAttribute(name, QNPAttribute::kTypeString));
    attribute->setDefault(value);
    return attribute;
}

QNPAttributeFloat* QNModelGeneralSettings::addFloat(const char* name, float value) {
    auto* attribute = static_cast<QNPAttributeFloat*>(addAttribute(name, QNPAttribute::kTypeFloat));
    attribute->setDefault(value);
    return attribute;
}

QNPAttributeBoolean* QNModelGeneralSettings::addBoolean(const char* name, bool value) {
    auto* attribute = static_cast<QNPAttributeBoolean*>(addAttribute(name, QNPAttribute::kTypeBoolean));
    attribute->setDefault(value);
    return attribute;
}

QNPAttributePoint* QNModelGeneralSettings::addPoint(const char* name, float x, float y) {
    auto* attribute = static_cast<QNPAttributePoint*>(addAttribute(name, QNPAttribute::kTypePoint));
    attribute->setDefault(CCPoint(x, y));
    return attribute;
}

QNPAttributeKey* QNModelGeneralSettings::addKey(const char* name, int keyCode) {
    auto* attribute = static_cast<QNPAttributeKey*>(addAttribute(name, QNPAttribute::kTypeKey));
    attribute->setDefault(keyCode);
    return attribute;
}

void QNModelGeneralSettings::setPortrait(bool portrait) {
    m_portrait = portrait;
    m_designSize = portrait ? CCSize(640.0f, 1136.0f) : CCSize(1136.0f, 640.0f);
}

void QNModelGeneralSettings::setPlatformSpecificValues(CCDictionary* values) {
    CC_SAFE_RETAIN(values);
    CC_SAFE_RELEASE(m_platformSpecificValues);
    m_platformSpecificValues = values;
}

bool QNModelGeneralSettings::initWithDictionary(CCDictionary* dict) {
    if (!QNModel::initWithDictionary(dict)) return false;
    auto text = [dict](const char* key) -> const std::string& { return qn::textFor(dict, key); };
    auto present = [dict](const char* key) { return qn::isPresent(dict, key); };
    auto toInt = [&text](const char* key) { return ccTextToInt(text(key).c_str()); };
    auto toFloat = [&text](const char* key) { return ccTextToFloat(text(key).c_str()); };

    m_lastIdNumber = ccTextToUInt(text("lastIdNumber").c_str());
    m_yrVersion = text("_yrVersion");
    m_scoreType = text("scoreType");
    m_shareScreen = text("shareScreen");
    auto* platform = dynamic_cast<CCDictionary*>(dict->objectForKey("platformSpecificValues"));
    setPlatformSpecificValues(platform ? platform : CCDictionary::create());

    // Older projects stored these as top-level keys; they win over the attributes.
    if (present("gameSpeedMin")) m_gameSpeedMin->set(toFloat("gameSpeedMin"));
    if (present("gameSpeedMax")) m_gameSpeedMax->set(toFloat("gameSpeedMax"));
    if (present("gameSpeedIncrease")) m_gameSpeedIncrease->set(toFloat("gameSpeedIncrease"));
    if (present("versionNumber")) m_versionNumber->set(text("versionNumber"));
    if (present("applicationName")) m_applicationName->set(text("applicationName"));
    if (present("comments")) m_comments->set(text("comments"));
    if (present("resetText")) m_resetText->set(text("resetText"));

    for (int i = 0; i < 4; ++i) {
        const std::string key = "objectFrameEdgeState_" + std::to_string(i);
        m_objectFrameEdgeStates[i] = toInt(key.c_str());
    }
    m_objectFrameRect = CCRectFromString(text("objectFrameRect").c_str());
    setPortrait(text("orientation") != kLandscape);
    m_screenAdjustment = toInt("screenAdjustment");

    if (present("gameplayAngleDirection")) m_gameAngleDirection->set(toFloat("gameplayAngleDirection"));
    const std::pair<const char*, QNPAttributeKey*> olderKeys[] = {
        {"moveUpKey", m_moveUpKey},         {"moveDownKey", m_moveDownKey},
        {"moveLeftKey", m_moveLeftKey},     {"moveRightKey", m_moveRightKey},
        {"motorCWKey", m_motorCWKey},       {"motorCCWKey", m_motorCCWKey},
        {"rotateLeftKey", m_rotateLeftKey}, {"rotateRightKey", m_rotateRightKey},
        {"shootKey", m_shootKey},           {"jumpKey", m_jumpKey},
    };
    for (const auto& older : olderKeys)
        if (present(older.first)) older.second->set(toInt(older.first));

    if (settingsReadHook()) settingsReadHook()();
    return true;
}

CCDictionary* QNModelGeneralSettings::attributesDictionary() {
    CCDictionary* dict = QNModel::attributesDictionary();
    qn::setText(dict, "lastIdNumber", "%u", m_lastIdNumber);
    dict->setObject(m_platformSpecificValues, "platformSpecificValues");
    dict->setObject(CCString::create(m_scoreType), "scoreType");
    dict->setObject(CCString::create(m_shareScreen), "shareScreen");
    for (int i = 0; i < 4; ++i) {
        const std::string key = "objectFrameEdgeState_" + std::to_string(i);
        qn::setText(dict, key.c_str(), "%d", m_objectFrameEdgeStates[i]);
    }
    qn::setText(dict, "objectFrameRect", "{{%.4f,%.4f},{%.4f,%.4f}}", m_objectFrameRect.origin.x,
                m_objectFrameRect.origin.y, m_objectFrameRect.size.width, m_objectFrameRect.size.height);
    dict->setObject(CCString::create(m_yrVersion), "_yrVersion");
    dict->setObject(CCString::create(m_portrait ? kPortrait : kLandscape), "orientation");
    qn::setText(dict, "screenAdjustment", "%d", m_screenAdjustment);
    return dict;
}

void QNModelGeneralSettings::parseVersionText(const std::string& text, int& major, int& minor, int& patch) {
    std::istringstream in(text);
    int value = 0;
    if (!(in >> value)) return;
    major = value;
    in.ignore(1);
    if (!(in >> value)) return;
    minor = value;
    in.ignore(1);
    if (in >> value) patch = value;
}

int QNModelGeneralSettings::objectFrameEdgeState(int index) const {
    return index >= 0 && index < 4 ? m_objectFrameEdgeStates[index] : 0;
}

const std::string& QNModelGeneralSettings::versionNumber() const {
    return m_versionNumber->value();
}
const std::string& QNModelGeneralSettings::applicationName() const {
    return m_applicationName->value();
}
const std::string& QNModelGeneralSettings::comments() const {
    return m_comments->value();
}
const std::string& QNModelGeneralSettings::resetText() const {
    return m_resetText->value();
}
const std::string& QNModelGeneralSettings::buildDate() const {
    return m_buildDate->value();
}
const std::string& QNModelGeneralSettings::gamePreset() const {
    return m_gamePreset->value();
}
float QNModelGeneralSettings::gameSpeedMin() const {
    return m_gameSpeedMin->value();
}
float QNModelGeneralSettings::gameSpeedMax() const {
    return m_gameSpeedMax->value();
}
float QNModelGeneralSettings::gameSpeedIncrease() const {
    return m_gameSpeedIncrease->value();
}
float QNModelGeneralSettings::gameSpeedCurrent() const {
    return m_gameSpeedCurrent->value();
}
float QNModelGeneralSettings::gameAngleDirection() const {
    return m_gameAngleDirection->value();
}
bool QNModelGeneralSettings::fixedPosition() const {
    return m_fixedPosition->value();
}
bool QNModelGeneralSettings::fixedRotation() const {
    return m_fixedRotation->value();
}
bool QNModelGeneralSettings::forcedMovement() const {
    return m_forcedMovement->value();
}
CCPoint QNModelGeneralSettings::moveSpeed() const {
    return m_moveSpeed->value();
}
CCPoint QNModelGeneralSettings::jump() const {
    return m_jump->value();
}
float QNModelGeneralSettings::jumpTimeout() const {
    return m_jumpTimeout->value();
}
float QNModelGeneralSettings::jumpCounter() const {
    return m_jumpCounter->value();
}
float QNModelGeneralSettings::jumpGroundThreshold() const {
    return m_jumpGroundThreshold->value();
}
bool QNModelGeneralSettings::jumpFromGround() const {
    return m_jumpFromGround->value();
}
float QNModelGeneralSettings::leftLeanForce() const {
    return m_leftLeanForce->value();
}
float QNModelGeneralSettings::rightLeanForce() const {
    return m_rightLeanForce->value();
}
float QNModelGeneralSettings::simulationTimeScale() const {
    return m_simulationTimeScale->value();
}
float QNModelGeneralSettings::friction() const {
    return m_friction->value();
}
CCPoint QNModelGeneralSettings::characterFriction() const {
    return m_characterFriction->value();
}
float QNModelGeneralSettings::velocityScale() const {
    return m_velocityScale->value();
}
float QNModelGeneralSettings::rotationScale() const {
    return m_rotationScale->value();
}
CCPoint QNModelGeneralSettings::gravity() const {
    return m_gravity->value();
}
bool QNModelGeneralSettings::autoImageDirection() const {
    return m_autoImageDirection->value();
}
float QNModelGeneralSettings::restitution() const {
    return m_restitution->value();
}
float QNModelGeneralSettings::scoreMultiplier() const {
    return m_scoreMultiplier->value();
}
float QNModelGeneralSettings::platformFriction() const {
    return m_platformFriction->value();
}
CCPoint QNModelGeneralSettings::bounceForce() const {
    return m_bounceForce->value();
}
float QNModelGeneralSettings::backDeletionThreshold() const {
    return m_backDeletionThreshold->value();
}
float QNModelGeneralSettings::sidesDeletionThreshold() const {
    return m_sidesDeletionThreshold->value();
}
int QNModelGeneralSettings::moveUpKey() const {
    return m_moveUpKey->keyCode();
}
int QNModelGeneralSettings::moveDownKey() const {
    return m_moveDownKey->keyCode();
}
int QNModelGeneralSettings::moveLeftKey() const {
    return m_moveLeftKey->keyCode();
}
int QNModelGeneralSettings::moveRightKey() const {
    return m_moveRightKey->keyCode();
}
int QNModelGeneralSettings::motorCWKey() const {
    return m_motorCWKey->keyCode();
}
int QNModelGeneralSettings::motorCCWKey() const {
    return m_motorCCWKey->keyCode();
}
int QNModelGeneralSettings::rotateLeftKey() const {
    return m_rotateLeftKey->keyCode();
}
int QNModelGeneralSettings::rotateRightKey() const {
    return m_rotateRightKey->keyCode();
}
int QNModelGeneralSettings::shootKey() const {
    return m_shootKey->keyCode();
}
int QNModelGeneralSettings::jumpKey() const {
    return m_jumpKey->keyCode();
}
