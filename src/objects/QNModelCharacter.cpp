#include "objects/QNModelCharacter.h"

#include "model/QNModelController.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributePoint.h"
#include "model/QNPAttributeReference.h"

using namespace cocos2d;

QNModelAssetCharacter::QNModelAssetCharacter() : QNModelAsset("QNModelAssetCharacter", "Untitled") {
    addAttribute("Default Animation", QNPAttribute::kTypeAnimation);
    auto* animation = static_cast<QNPAttributeGroup*>(addAttribute("Animation", QNPAttribute::kTypeGroup));
    for (const char* name : {"Shooting Animation", "Bullet Animation", "Jump Animation", "Move Animation",
                             "Defeated Animation"}) {
        addAttribute(name, QNPAttribute::kTypeAnimation, 0, animation);
    }
    auto* sound = static_cast<QNPAttributeGroup*>(addAttribute("Sound", QNPAttribute::kTypeGroup));
    for (const char* name : {"Jump Sound", "Shoot Sound", "Defeated Sound", "Ground Collision"}) {
        addAttribute(name, QNPAttribute::kTypeSound, 0, sound);
    }
    auto* effects =
        static_cast<QNPAttributeGroup*>(addAttribute("Gameplay Effects", QNPAttribute::kTypeGroup));
    m_castShadow = static_cast<QNPAttributeBoolean*>(
        addAttribute("Cast Shadow", QNPAttribute::kTypeBoolean, 0, effects));
    m_castShadow->setDefault(true);
    m_autoTilt =
        static_cast<QNPAttributeBoolean*>(addAttribute("Auto Tilt", QNPAttribute::kTypeBoolean, 0, effects));
    auto* gameOver =
        static_cast<QNPAttributeGroup*>(addAttribute("Game Over Effects", QNPAttribute::kTypeGroup));
    for (const char* name : {"Game Over Delay", "Camera Shake", "Camera Flash", "Fall Attribute"}) {
        addAttribute(name, QNPAttribute::kTypeFloat, 0, gameOver);
    }
    auto* money = static_cast<QNPAttributeGroup*>(addAttribute("Monetization", QNPAttribute::kTypeGroup));
    auto* method =
        static_cast<QNPAttributeEnum*>(addAttribute("Purchase Method", QNPAttribute::kTypeEnum, 0, money));
    method->choices() = {{"kFree", "Free"},
                         {"kInGameCurrency", "In Game Currency"},
                         {"kInAppPurchase", "In App Purchase"},
                         {"kRewardedVideos", "Rewarded Videos"},
                         {"kWebLink", "Web Link"}};
    method->setDefault("kFree");
    addAttribute("Price", QNPAttribute::kTypeFloat, 0, money)->hide();
    addAttribute("Store Identifier", QNPAttribute::kTypeString, 0, money)->hide();
    addAttribute("Web Link", QNPAttribute::kTypeString, 0, money)->hide();
    auto* network =
        static_cast<QNPAttributeEnum*>(addAttribute("Ad Network", QNPAttribute::kTypeEnum, 0, money));
    network->choices() = {{"kHeyzap", "HeyZap"}};
    network->setDefault("kHeyzap");
    network->hide();
}

QNModel* QNModelAssetCharacter::animationNamed(const char* name) const {
    auto* a = dynamic_cast<QNPAttributeAnimation*>(attributeNamed(name));
    return a ? a->target() : nullptr;
}

QNModel* QNModelAssetCharacter::soundNamed(const char* name) const {
    auto* a = dynamic_cast<QNPAttributeSound*>(attributeNamed(name));
    return a ? a->target() : nullptr;
}

float QNModelAssetCharacter::floatNamed(const char* name) const {
    auto* a = dynamic_cast<QNPAttributeFloat*>(attributeNamed(name));
    return a ? a->value() : 0.0f;
}

QNModel* QNModelAssetCharacter::defaultAnimation() const {
    return animationNamed("Default Animation");
}

bool QNModelAssetCharacter::castShadow() const {
    return m_castShadow->value();
}

bool QNModelAssetCharacter::autoTilt() const {
    return m_autoTilt->value();
}

QNModel* QNModelAssetCharacter::gameplaySettings() const {
    return componentOfClass("QNModelComponentCharacterGameplaySettings");
}

namespace {

QNPAttributePoint* point(QNModel* m, const char* name, float x, float y) {
    auto* a = static_cast<QNPAttributePoint*>(m->addAttribute(name, QNPAttribute::kTypePoint));
    a->setDefault(ccp(x, y));
    return a;
}
void number(QNModel* m, const char* name, float v) {
    static_cast<QNPAttributeFloat*>(m->addAttribute(name, QNPAttribute::kTypeFloat))->setDefault(v);
}
void flag(QNModel* m, const char* name, bool v) {
    static_cast<QNPAttributeBoolean*>(m->addAttribute(name, QNPAttribute::kTypeBoolean))->setDefault(v);
}

} // namespace

QNModelComponentCharacterGameplaySettings::QNModelComponentCharacterGameplaySettings()
    : QNModelComponent("QNModelComponentCharacterGameplaySettings") {
    int major = 2, minor = 0, patch = 0;
    QNModelController::parseYrVersion(major, minor, patch);
    const bool first = major == 1;
    point(this, "Max Speed", first ? 0.0f : 27.0f, 0.0f);
    point(this, "Bounce Force", 0.0f, first ? 0.0f : 50.0f);
    point(this, "Jump Force", 0.0f, first ? 5.0f : 0.0f);
    number(this, "Jump Timeout", 0.25f);
    number(this, "Jump Counter", 0.0f);
    number(this, "Ground Threshold", 0.01f);
    flag(this, "Jump From Ground", false);
    number(this, "Left Lean Force", 0.0f);
    number(this, "Right Lean Force", 0.0f);
    number(this, "Platform Friction", 0.0f);
    number(this, "Rotation Drag", 1.0f);
    if (first)
        point(this, "Air Drag", 0.2f, 0.0f);
    else
        point(this, "Air Drag", 1.0f, 1.0f);
    flag(this, "Direct Movement", false);
    flag(this, "Forced Movement", true);
    flag(this, "Fixed Rotation", false);
    flag(this, "Image Direction", false);
}

QNModelAssetCharacter* QNModelObjectAssetCharacter::characterAsset() const {
    return dynamic_cast<QNModelAssetCharacter*>(asset());
}
