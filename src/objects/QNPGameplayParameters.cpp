#include "objects/QNPGameplayParameters.h"

#include <cmath>

#include "model/QNModel.h"
#include "model/QNModelGeneralSettings.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributePoint.h"

using namespace cocos2d;

QNPGameplayParameters* QNPGameplayParameters::shared() {
    static QNPGameplayParameters* instance = [] {
        auto* p = new QNPGameplayParameters();
        p->resetFromSettings();
        return p;
    }();
    return instance;
}

void QNPGameplayParameters::resetFromSettings(const QNModelGeneralSettings* settings) {
    if (!settings) settings = QNModelGeneralSettings::generalSettings();
    m_saved.clear();
    static_cast<QNGameplayValues&>(*this) = QNGameplayValues();
    if (!settings) return;
    gravity = settings->gravity();
    moveSpeed = settings->moveSpeed();
    bounceForce = settings->bounceForce();
    upForce = settings->jump();
    upForceDuration = settings->jumpTimeout();
    upForceCounter = settings->jumpCounter();
    groundThreshold = settings->jumpGroundThreshold();
    leftLeanForce = settings->leftLeanForce();
    rightLeanForce = settings->rightLeanForce();
    simulationTimeScale = settings->simulationTimeScale();
    friction = settings->friction();
    characterFriction = settings->characterFriction();
    velocityFactor = 1.0f - settings->velocityScale();
    rotationScale = settings->rotationScale();
    restitution = settings->restitution();
    platformFriction = settings->platformFriction();
    scoreMultiplier = settings->scoreMultiplier();
    upForceFromGround = settings->jumpFromGround();
    directMovement = settings->fixedPosition();
    forcedMovement = settings->forcedMovement();
    fixedRotation = settings->fixedRotation();
    imageDirection = settings->autoImageDirection();
    gameSpeedMin = settings->gameSpeedMin();
    gameSpeedMax = settings->gameSpeedMax();
    currentGameSpeed = settings->gameSpeedCurrent();
    gameSpeedIncrease = settings->gameSpeedIncrease();
    gameAngleDirection = settings->gameAngleDirection();
}

namespace {

template <typename A> const A* attribute(const QNModel* model, const char* name) {
    return dynamic_cast<const A*>(model->attributeNamed(name));
}

void readPoint(const QNModel* m, const char* name, CCPoint& out) {
    if (auto* a = attribute<QNPAttributePoint>(m, name)) out = a->value();
}
void readFloat(const QNModel* m, const char* name, float& out) {
    if (auto* a = attribute<QNPAttributeFloat>(m, name)) out = a->value();
}
void readBool(const QNModel* m, const char* name, bool& out) {
    if (auto* a = attribute<QNPAttributeBoolean>(m, name)) out = a->value();
}

} // namespace

void QNPGameplayParameters::applyCharacterSettings(const QNModel* s) {
    if (!s || !s->hasClassName("QNModelComponentCharacterGameplaySettings")) return;
    readPoint(s, "Max Speed", moveSpeed);
    readPoint(s, "Bounce Force", bounceForce);
    readPoint(s, "Jump Force", upForce);
    readFloat(s, "Jump Timeout", upForceDuration);
    readFloat(s, "Jump Counter", upForceCounter);
    readFloat(s, "Ground Threshold", groundThreshold);
    readBool(s, "Jump From Ground", upForceFromGround);
    readFloat(s, "Left Lean Force", leftLeanForce);
    readFloat(s, "Right Lean Force", rightLeanForce);
    readFloat(s, "Platform Friction", platformFriction);
    readFloat(s, "Rotation Drag", rotationScale);
    readPoint(s, "Air Drag", characterFriction);
    readBool(s, "Direct Movement", directMovement);
    readBool(s, "Forced Movement", forcedMovement);
    readBool(s, "Fixed Rotation", fixedRotation);
    readBool(s, "Image Direction", imageDirection);
}

CCPoint QNPGameplayParameters::directionVector() const {
    const float a = -gameAngleDirection * 0.017453292f;
    return ccp(std::cos(a), std::sin(a));
}

void QNPGameplayParameters::save() {
    m_saved.push_back(static_cast<const QNGameplayValues&>(*this));
}

void QNPGameplayParameters::restore() {
    if (m_saved.empty()) return;
    // Only the outermost restore puts the snapshot back; inner ones just unwind the nesting.
    // Fields without a save key (kept up to date by the world and the character) stay as they are.
    if (m_saved.size() == 1) {
        const QNGameplayValues live = *this;
        static_cast<QNGameplayValues&>(*this) = m_saved.front();
        groundThreshold = live.groundThreshold;
        directMovement = live.directMovement;
        forcedMovement = live.forcedMovement;
        imageDirection = live.imageDirection;
        currentGameSpeed = live.currentGameSpeed;
        horizontalViewMargin = live.horizontalViewMargin;
        verticalViewMargin = live.verticalViewMargin;
    }
    m_saved.pop_back();
}
