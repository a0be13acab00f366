#include "objects/QNModelPowerup.h"

#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributeReference.h"

const char* const QNModelAssetPowerup::kAppearanceChance = "Appearance Chan\xd1\x81"
                                                           "e";

QNModelAssetPowerup::QNModelAssetPowerup() : QNModelAsset("QNModelAssetPowerup", "Powerup") {
    addAttribute("Idle Animation", QNPAttribute::kTypeAnimation);
    auto* type = static_cast<QNPAttributeEnum*>(addAttribute("Powerup Type", QNPAttribute::kTypeEnum));
    type->choices() = {{"kPowerupNone", "None"},
                       {"kPowerupCoin", "Coin"},
                       {"kPowerupKillAllEnemies", "Kill All Enemies"},
                       {"kPowerupInvincibility", "Invincibility"},
                       {"kPowerupMagnet", "Powerup Magnet"},
                       {"kPowerupStrike", "Strike"},
                       {"kPowerupCheckpoint", "Set Checkpoint"},
                       {"kPowerupNextCheckpoint", "Next Checkpoint"},
                       {"kPowerupRestartCheckpoint", "Restart Checkpoint"},
                       {"kPowerupGameplay", "Gameplay"}};
    type->setDefault("kPowerupNone");
    auto* animation = static_cast<QNPAttributeGroup*>(addAttribute("Animation", QNPAttribute::kTypeGroup));
    addAttribute("Start Animation", QNPAttribute::kTypeAnimation, 0, animation);
    auto* placement = static_cast<QNPAttributeEnum*>(
        addAttribute("Animation Placement", QNPAttribute::kTypeEnum, 0, animation));
    placement->choices() = {{"kPowerupCharacterConstraint", "Character"},
                            {"kPowerupFreeConstraint", "Powerup"},
                            {"kPowerupScreenConstraint", "Full Screen"}};
    placement->setDefault("kPowerupCharacterConstraint");
    auto* behaviour = static_cast<QNPAttributeEnum*>(
        addAttribute("Animation Behaviour", QNPAttribute::kTypeEnum, 0, animation));
    behaviour->choices() = {{"kOverlayBehaviour", "Overlay"}, {"kReplaceBehaviour", "Replace"}};
    behaviour->setDefault("kOverlayBehaviour");
    auto* sound = static_cast<QNPAttributeGroup*>(addAttribute("Sound", QNPAttribute::kTypeGroup));
    for (const char* name : {"Idle Sound", "Start Sound", "End Sound"}) {
        addAttribute(name, QNPAttribute::kTypeSound, 0, sound);
    }
    auto* properties = static_cast<QNPAttributeGroup*>(addAttribute("Properties", QNPAttribute::kTypeGroup));
    addAttribute("Reward Coins", QNPAttribute::kTypeFloat, 0, properties);
    static_cast<QNPAttributeBoolean*>(
        addAttribute("Show coin reward", QNPAttribute::kTypeBoolean, 0, properties))
        ->setDefault(true);
    addAttribute("Reward Points", QNPAttribute::kTypeFloat, 0, properties);
    static_cast<QNPAttributeBoolean*>(
        addAttribute("Show points reward", QNPAttribute::kTypeBoolean, 0, properties))
        ->setDefault(true);
    static_cast<QNPAttributeFloat*>(addAttribute("Duration", QNPAttribute::kTypeFloat, 0, properties))
        ->setDefault(1.0f);
    m_chance = static_cast<QNPAttributeFloat*>(
        addAttribute(kAppearanceChance, QNPAttribute::kTypeFloat, 0, properties));
    m_chance->setDefault(100.0f);
    auto* effects =
        static_cast<QNPAttributeGroup*>(addAttribute("Activate Effects", QNPAttribute::kTypeGroup));
    addAttribute("Camera Shake", QNPAttribute::kTypeFloat, 0, effects);
    addAttribute("Camera Flash", QNPAttribute::kTypeFloat, 0, effects);
}

QNModel* QNModelAssetPowerup::defaultAnimation() const {
    auto* a = dynamic_cast<QNPAttributeAnimation*>(attributeNamed("Idle Animation"));
    return a ? a->target() : nullptr;
}

float QNModelAssetPowerup::appearanceChance() const {
    return m_chance->value();
}

QNModel* QNModelObjectAssetPowerup::loopSound() const {
    QNModelAssetPowerup* p = powerup();
    if (!p) return nullptr;
    auto* a = dynamic_cast<QNPAttributeSound*>(p->attributeNamed("Idle Sound"));
    return a ? a->target() : nullptr;
}
