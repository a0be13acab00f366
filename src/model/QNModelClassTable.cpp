#include "model/QNModelClassTable.h"

#include "model/QNModelComponent.h"
#include "model/QNModelCompound.h"
#include "model/QNModelController.h"
#include "model/QNModelGeneralSettings.h"
#include "navigation/QNModelObjectButton.h"
#include "navigation/QNModelObjectImage.h"
#include "navigation/QNModelObjectLoadingBar.h"
#include "navigation/QNModelScreen.h"
#include "navigation/QNNode.h"
#include "objects/QNModelCharacter.h"
#include "objects/QNModelObjectGroup.h"
#include "objects/QNModelObjectInstance.h"
#include "objects/QNModelPolygon.h"
#include "objects/QNModelPowerup.h"
#include "objects/QNModelUnit.h"
#include "presentation/QNModelAnimation.h"
#include "presentation/QNModelAtlas.h"
#include "presentation/QNModelSprite.h"
#include "presentation/QNModelSpriteContainer.h"
#include "navigation/QNSceneBuildHooks.h"
#include "world/QNModelLevelSection.h"
#include "world/QNModelLinker.h"
#include "world/QNModelScreenScene.h"
#include "world/QNModelWorldComponents.h"

namespace qn {
namespace {

/// A plain model of `className` with the given display name.
QNModelController::Creator plain(const char* className, const char* displayName = "") {
    return [className, displayName]() -> QNModel* { return new QNModel(className, displayName); };
}

/// A model that holds components (objects, assets, worlds), for classes whose type is not written yet.
QNModelController::Creator compound(const char* className, const char* displayName = "") {
    return [className, displayName]() -> QNModel* { return new QNModelCompound(className, displayName); };
}

/// A placed asset object (transform, opacity, depth, "Asset"), for kinds whose own model is not
/// written yet.
QNModelController::Creator assetObject(const char* className) {
    return [className]() -> QNModel* { return new QNModelObjectAsset(className, "Untitled"); };
}

/// A component model, for component classes whose type is not written yet.
QNModelController::Creator component(const char* className) {
    return [className]() -> QNModel* { return new QNModelComponent(className); };
}

/// A model of a written type.
template <typename Model> QNModelController::Creator make() {
    return []() -> QNModel* { return new Model(); };
}

} // namespace

void registerModelClasses(QNModelController& c) {
    // Navigation reads a section's world through this seam.
    setSectionParentLookup([](QNModel* model) {
        auto* section = dynamic_cast<QNModelLevelSection*>(model);
        return section ? section->parentScreenId() : -1;
    });
    // The general settings come first: the loader starts every phase with them.
    c.registerClass("QNModelGeneralSettings", []() -> QNModel* { return new QNModelGeneralSettings(); });
    c.registerClass("QNModelAnimation", []() -> QNModel* { return new QNModelAnimation(); });
    c.registerClass("QNModelAtlas", []() -> QNModel* { return new QNModelAtlas(); });
    c.registerClass("QNModelFont", plain("QNModelFont"));
    c.registerClass("QNModelLevelSection", []() -> QNModel* { return new QNModelLevelSection(); });
    c.registerClass("QNModelLinker", []() -> QNModel* { return new QNModelLinker(); });
    c.registerClass("QNModelScreen", []() -> QNModel* { return new QNModelScreen(); });
    c.registerClass("QNModelScreenScene", []() -> QNModel* { return new QNModelScreenScene(); });
    c.registerClass("QNModelSound", plain("QNModelSound"));
    c.registerClass("QNModelSprite", []() -> QNModel* { return new QNModelSprite(); });
    c.registerClass("QNModelSpriteContainer", []() -> QNModel* { return new QNModelSpriteContainer(); });
    c.registerClass("QNModelComponentCharacterGameplaySettings",
                    []() -> QNModel* { return new QNModelComponentCharacterGameplaySettings(); });
    c.registerClass("QNModelComponentCharacterIcon", component("QNModelComponentCharacterIcon"));
    c.registerClass("QNModelComponentDamage", component("QNModelComponentDamage"));
    c.registerClass("QNModelComponentHealth", component("QNModelComponentHealth"));
    c.registerClass("QNModelComponentIsoJump", component("QNModelComponentIsoJump"));
    c.registerClass("QNModelComponentMotor", component("QNModelComponentMotor"));
    c.registerClass("QNModelComponentMove", component("QNModelComponentMove"));
    c.registerClass("QNModelComponentRotationMapper", component("QNModelComponentRotationMapper"));
    c.registerClass("QNModelComponentSlide", component("QNModelComponentSlide"));
    c.registerClass("QNModelComponentSpawner", make<QNModelComponentSpawner>());
    c.registerClass("QNModelComponentWakeup", make<QNModelComponentWakeup>());
    c.registerClass("QNModelComponentForcedMovement", make<QNModelComponentForcedMovement>());
    c.registerClass("QNModelComponentDeletionThreshold", make<QNModelComponentDeletionThreshold>());
    c.registerClass("QNNodeScene", []() -> QNModel* { return new QNNodeScene(); });
    c.registerClass("QNNodeUI", []() -> QNModel* { return new QNNodeUI(); });
    c.registerClass("QNNodeUIStart", []() -> QNModel* { return new QNNodeUIStart(); });
    c.registerClass("QNModelAssetCharacter", []() -> QNModel* { return new QNModelAssetCharacter(); });
    c.registerClass("QNModelAssetObstacle", []() -> QNModel* { return new QNModelAssetObstacle(); });
    c.registerClass("QNModelAssetPowerup", []() -> QNModel* { return new QNModelAssetPowerup(); });
    c.registerClass("QNModelObject", []() -> QNModel* { return new QNModelObject(); });
    c.registerClass("QNModelObjectAccelerometer", compound("QNModelObjectAccelerometer"));
    // Files still name the plain object "QNModelObjectAsset"; it is created as a "QNModelObject".
    c.registerClass("QNModelObjectAsset", []() -> QNModel* { return new QNModelObject(); });
    c.registerClass("QNModelObjectAssetCharacter",
                    []() -> QNModel* { return new QNModelObjectAssetCharacter(); });
    c.registerClass("QNModelObjectAssetFlag", assetObject("QNModelObjectAssetFlag"));
    c.registerClass("QNModelObjectAssetGatekeeper", assetObject("QNModelObjectAssetGatekeeper"));
    c.registerClass("QNModelObjectAssetLight", assetObject("QNModelObjectAssetLight"));
    c.registerClass("QNModelObjectAssetLogic", assetObject("QNModelObjectAssetLogic"));
    c.registerClass("QNModelObjectAssetMirror", assetObject("QNModelObjectAssetMirror"));
    c.registerClass("QNModelObjectAssetParticles", assetObject("QNModelObjectAssetParticles"));
    c.registerClass("QNModelObjectAssetParticlesEmitter", compound("QNModelObjectAssetParticlesEmitter"));
    c.registerClass("QNModelObjectAssetPath", assetObject("QNModelObjectAssetPath"));
    c.registerClass("QNModelObjectAssetPowerup",
                    []() -> QNModel* { return new QNModelObjectAssetPowerup(); });
    c.registerClass("QNModelObjectAssetScreenJump", assetObject("QNModelObjectAssetScreenJump"));
    c.registerClass("QNModelObjectAssetTeleport", assetObject("QNModelObjectAssetTeleport"));
    c.registerClass("QNModelObjectAssetTrail", assetObject("QNModelObjectAssetTrail"));
    c.registerClass("QNModelObjectAssetUnit", []() -> QNModel* { return new QNModelObjectAssetUnit(); });
    c.registerClass("QNModelObjectBackground", compound("QNModelObjectBackground", "Untitled"));
    c.registerClass("QNModelObjectButton", make<QNModelObjectButton>());
    c.registerClass("QNModelObjectButtonCharacterUnlock", compound("QNModelObjectButtonCharacterUnlock"));
    c.registerClass("QNModelObjectButtonControl", make<QNModelObjectButtonControl>());
    c.registerClass("QNModelObjectButtonFacebook", make<QNModelObjectButtonFacebook>());
    c.registerClass("QNModelObjectButtonPowerup", compound("QNModelObjectButtonPowerup"));
    c.registerClass("QNModelObjectButtonPurchase", compound("QNModelObjectButtonPurchase"));
    c.registerClass("QNModelObjectButtonSoundControl", make<QNModelObjectButtonSoundControl>());
    c.registerClass("QNModelObjectButtonSwitch", make<QNModelObjectButtonSwitch>());
    c.registerClass("QNModelObjectButtonUrl", make<QNModelObjectButtonUrl>());
    c.registerClass("QNModelObjectCharacterSelector", compound("QNModelObjectCharacterSelector"));
    c.registerClass("QNModelObjectEventObserver", compound("QNModelObjectEventObserver"));
    c.registerClass("QNModelObjectGroup", make<QNModelObjectGroup>());
    c.registerClass("QNModelObjectImage", make<QNModelObjectImage>());
    c.registerClass("QNModelObjectInstance", make<QNModelObjectInstance>());
    c.registerClass("QNModelObjectLabel", compound("QNModelObjectLabel"));
    c.registerClass("QNModelObjectLoadingBar", make<QNModelObjectLoadingBar>());
    c.registerClass("QNModelObjectLockButton", compound("QNModelObjectLockButton"));
    c.registerClass("QNModelObjectManipulator", compound("QNModelObjectManipulator"));
    c.registerClass("QNModelObjectUnlocker", compound("QNModelObjectUnlocker"));
    c.registerClass("QNModelObjectSwipeControl", compound("QNModelObjectSwipeControl"));
    // Collision shapes are not factory classes: they live inside their asset's attribute, are never
    // registered and never read from files of their own. The shape attribute builds them here.
    installShapeFactory();
}

} // namespace qn
