#include "objects/QNPObjectFactory.h"

#include <cstdlib>
#include <string>

#include "model/QNModelController.h"
#include "objects/QNModelCharacter.h"
#include "objects/QNModelObjectInstance.h"
#include "objects/QNModelPowerup.h"
#include "objects/QNModelUnit.h"
#include "objects/QNObjectEnvironment.h"
#include "objects/QNPObject.h"
#include "objects/QNPObjectAssetCharacter.h"
#include "objects/QNPObjectAssetUnit.h"

using namespace cocos2d;

namespace {

/// Deepest chain of instances followed; a deeper one is treated as broken.
constexpr int kMaxInstanceDepth = 32;
int s_instanceDepth = 0;

QNPObject* createFromInstance(QNModelObjectInstance* instance) {
    QNModel* target = instance->reference();
    if (!target) {
        if (instance->referenceId() >= 0) {
            CCLog("[QNPObjectFactory] - instance %u: reference %lld is missing or loops back", instance->id(),
                  instance->referenceId());
        }
        return nullptr;
    }
    if (s_instanceDepth >= kMaxInstanceDepth) {
        CCLog("[QNPObjectFactory] - instance %u: chain of references too deep", instance->id());
        return nullptr;
    }
    ++s_instanceDepth;
    QNPObject* object = createObject(target);
    --s_instanceDepth;
    if (!object) return nullptr;
    object->setPosition(instance->position(0, 0));
    object->setRotation(instance->rotation(0, 0));
    const CCPoint scale = instance->scale(0, 0);
    object->setScaleX(scale.x);
    object->setScaleY(scale.y);
    if (auto* asset = dynamic_cast<QNPObjectAsset*>(object)) asset->updateBounds();
    return object;
}

QNPObject* createCharacter(QNModelObjectAssetCharacter* placed) {
    QNModelController* controller = QNModelController::sharedModelController();
    const std::vector<QNModel*>& characters = controller->modelListOfClass("QNModelAssetCharacter");
    const int index = QNObjectEnvironment::current()->selectedCharacterIndex();
    const CCPoint scale = placed->scale(0, 0);
    QNModelObjectAssetCharacter* built = placed;
    if (index >= 0 && index < (int)characters.size()) {
        auto* asset = dynamic_cast<QNModelAssetCharacter*>(characters[(std::size_t)index]);
        if (!asset || !asset->isValidAtScale(scale.x, scale.y)) return nullptr;
        built = dynamic_cast<QNModelObjectAssetCharacter*>(
            controller->createModel("QNModelObjectAssetCharacter"));
        if (!built) return nullptr;
        built->setPosition(placed->position(0, 0));
        built->setRotation(placed->rotation(0, 0));
        built->setScale(scale);
        built->setDepth(placed->depth());
        built->setOpacity(placed->opacity(0, 0));
        built->setAsset(asset);
    } else {
        QNModelAsset* own = placed->asset();
        if (!own || !own->isValidAtScale(scale.x, scale.y)) return nullptr;
    }
    QNPObjectAssetCharacter* character = QNPObjectAssetCharacter::create(built);
    if (!character) return nullptr;
    QNObjectEnvironment::current()->characterCreated(character);
    CCLog("character created");
    return character;
}

QNPObject* createPowerup(QNModelObjectAssetPowerup* model) {
    QNModelAssetPowerup* asset = model->powerup();
    if (!asset) return nullptr;
    const float value = asset->appearanceChance();
    const int chance = value >= 100.0f ? 100 : value <= 0.0f ? 0 : (int)value;
    if (chance < 100) {
        const int r = std::rand() % 100;
        if (r > chance) return nullptr;
    }
    // The powerup runtime comes with the powerup effects; until then a plain asset object.
    QNPObjectAsset* object = QNPObjectAsset::create(model);
    object->setKind(QNPObject::kKindPowerup);
    return object;
}

/// Assets whose own runtime is still to come: a plain asset object of their kind.
QNPObject* createPlaceholder(QNModel* model, int kind) {
    auto* objectModel = dynamic_cast<QNModelObject*>(model);
    QNPObjectAsset* object = objectModel ? QNPObjectAsset::create(objectModel) : nullptr;
    if (object) object->setKind(kind);
    return object;
}

} // namespace

QNPObject* createObject(QNModel* model) {
    if (!model) return nullptr;
    const std::string& name = model->className();
    if (name == "QNModelObjectInstance") {
        auto* instance = dynamic_cast<QNModelObjectInstance*>(model);
        return instance ? createFromInstance(instance) : nullptr;
    }
    if (name == "QNModelObjectAssetUnit") {
        auto* unit = dynamic_cast<QNModelObjectAssetUnit*>(model);
        return unit ? QNPObjectAssetUnit::create(unit) : nullptr;
    }
    if (name == "QNModelObjectAssetCharacter") {
        auto* character = dynamic_cast<QNModelObjectAssetCharacter*>(model);
        return character ? createCharacter(character) : nullptr;
    }
    if (name == "QNModelObjectAssetPowerup") {
        auto* powerup = dynamic_cast<QNModelObjectAssetPowerup*>(model);
        return powerup ? createPowerup(powerup) : nullptr;
    }
    // Lights, trails, flags, mirrors and particles are drawn effects only; they come with their
    // own runtimes. The logic-only assets and teleports exist as plain objects of their kind.
    if (name == "QNModelObjectAssetLight") return nullptr;
    if (name == "QNModelObjectAssetLogic") return createPlaceholder(model, QNPObject::kKindLogic);
    if (name == "QNModelObjectAssetTrail") return nullptr;
    if (name == "QNModelObjectAssetFlag") return nullptr;
    if (name == "QNModelObjectAssetPath") return createPlaceholder(model, QNPObject::kKindLogic);
    if (name == "QNModelObjectAssetTeleport") return createPlaceholder(model, QNPObject::kKindTeleport);
    if (name == "QNModelObjectAssetGatekeeper") return createPlaceholder(model, QNPObject::kKindLogic);
    if (name == "QNModelObjectAssetMirror") return nullptr;
    if (name == "QNModelObjectAssetParticles") return nullptr;
    if (name == "QNModelObjectAssetScreenJump") return createPlaceholder(model, QNPObject::kKindLogic);
    return nullptr;
}
