// The one place that knows every widget family, so their creators are registered whatever the
// linker keeps: the application delegate calls registerWidgetClasses() at launch.
#include "framework/CCNode.h"
#include "model/QNPAttributeBoolean.h"
#include "navigation/QNModelObjectButton.h"
#include "navigation/QNModelObjectImage.h"
#include "navigation/QNModelObjectLoadingBar.h"
#include "navigation/QNPObjectButton.h"
#include "navigation/QNPObjectImage.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNPObjectLoadingBar.h"
#include "navigation/QNSceneBuildHooks.h"
#include "navigation/QNWidgetFactory.h"
#include "objects/QNPObject.h"
#include "objects/QNPObjectFactory.h"
#include "presentation/QNAnimationChildren.h"
#include "presentation/QNModelAnimation.h"
#include "presentation/QNWidgetPlayback.h"
#include "shell/EventHandler.h"
#include "shell/QNPInputController.h"
#include "world/QNPGameFieldCamera.h"
#include "world/QNPScreenScene.h"

using namespace cocos2d;

namespace {

/// Objects inside an animation shown in a running world live in its game layer and physics world;
/// elsewhere they get no game layer.
void embedInRunningWorld(QNPObject* object) {
    QNPScreenScene* world = QNPNavigationController::sharedController()->worldLayer();
    if (!world || !world->worldModel() || !world->gameLayer()) {
        object->setGameLayer(nullptr);
        return;
    }
    object->setGameLayer(world->gameLayer());
    if (auto* asset = dynamic_cast<QNPObjectAsset*>(object))
        if (world->physicsWorld()) asset->createBody(world->physicsWorld(), true);
}

bool isEmbeddedObjectClass(const std::string& cls) {
    return cls == "QNModelObjectAssetUnit" || cls == "QNModelObjectAssetParticles" ||
           cls == "QNModelObjectAssetLight" || cls == "QNModelObjectAssetTrail" ||
           cls == "QNModelObjectAssetFlag" || cls == "QNModelObjectAssetPowerup";
}

/// Places the children of composite animations from their object models; pictures become image
/// widgets, units, powerups and effects come from the object factory.
class AnimationChildFactory : public QNPAnimationChildFactory {
public:
    int depthOf(const QNModel* child) const override {
        auto* object = dynamic_cast<const QNModelObject*>(child);
        if (!object) return 0;
        // A spawner at depth 0 goes behind what it spawns.
        return object->depth() == 0 && object->hasSpawner() ? -1 : object->depth();
    }

    QNChildPlacement placementOf(const QNModel* child) const override {
        QNChildPlacement placement;
        auto* object = dynamic_cast<const QNModelObject*>(child);
        if (!object) return placement;
        placement.depth = depthOf(child);
        placement.position = object->position(0.0f, 0);
        placement.rotation = object->rotation(0.0f, 0);
        const CCPoint scale = object->scale(0.0f, 0);
        placement.scaleX = scale.x;
        placement.scaleY = scale.y;
        placement.hasSpawner = object->hasSpawner();
        return placement;
    }

    CCNode* buildChild(QNModel* child, QNModelAnimation* animation, CCNode* owner,
                       bool spawnersActive) override {
        if (!child) return nullptr;
        if (isEmbeddedObjectClass(child->className())) {
            QNPObject* object = createObject(child);
            if (!object) return nullptr;
            if (spawnersActive) object->setSpawning(static_cast<QNModelObject*>(child)->hasSpawner());
            if (object->hasKind(QNPObject::kKindPowerup))
                if (auto* asset = dynamic_cast<QNPObjectAsset*>(object)) asset->setAttached(true);
            embedInRunningWorld(object);
            return object;
        }
        if (child->className() == "QNModelObjectImage") {
            auto* image = static_cast<QNModelObjectImage*>(child);
            if (auto* stick = dynamic_cast<QNPAttributeBoolean*>(image->attributeNamed("Stick To Edge")))
                stick->set(false, true);
            return QNPObjectImage::create(image, animation ? animation->animationSpeed() : 1.0f,
                                          animation ? animation->isLooped() : true);
        }
        return QNPAnimationChildFactory::buildChild(child, animation, owner, spawnersActive);
    }
};

CCPoint anchorToScreen(const QNModel* model, const CCPoint& position) {
    (void)model;
    return QNModelObject::anchoredToScreen(position);
}

template <typename Model> CCNode* buildButton(QNModel* model, QNPScreen* screen) {
    return QNPObjectButton::create(dynamic_cast<Model*>(model), screen);
}

} // namespace

namespace qn {

void registerWidgetClasses() {
    static AnimationChildFactory animationChildren;
    QNPAnimationChildFactory::setShared(&animationChildren);
    QNWidgetPlayback::setEdgeAnchor(anchorToScreen);
    static bool hooked = false;
    if (!hooked) {
        hooked = true;
        addSceneBuildHook(QNPObjectButtonSwitch::clearSwitchStates);
    }
    QNPObjectButtonSwitch::setActionSender([](int id, CCObject* sender) {
        QNPInputController::sharedInputController()->actionPressed(id, sender);
    });
    qn::EventHandler::Routes routes;
    routes.action = [](int id, bool pressed) {
        QNPInputController* input = QNPInputController::sharedInputController();
        if (pressed)
            input->actionPressed(id, nullptr);
        else
            input->actionReleased(id, nullptr);
    };
    qn::EventHandler::setRoutes(routes);

    registerWidgetCreator("QNModelObjectImage", [](QNModel* model, QNPScreen*) -> CCNode* {
        auto* image = dynamic_cast<QNModelObjectImage*>(model);
        if (!image) return nullptr;
        QNPObjectImage* node = QNPObjectImage::create(image, 1.0f, true);
        node->setZOrder(image->depth());
        return node;
    });
    registerWidgetCreator("QNModelObjectLoadingBar", [](QNModel* model, QNPScreen*) -> CCNode* {
        auto* bar = dynamic_cast<QNModelObjectLoadingBar*>(model);
        if (!bar) return nullptr;
        QNPObjectLoadingBar* node = QNPObjectLoadingBar::create(bar);
        node->setZOrder(bar->depth());
        return node;
    });
    for (const char* cls :
         {"QNModelObjectButton", "QNModelObjectButtonControl", "QNModelObjectButtonUrl",
          "QNModelObjectButtonFacebook", "QNModelObjectButtonSwitch", "QNModelObjectButtonSoundControl"})
        registerWidgetCreator(cls, buildButton<QNModelObjectButton>);
}

} // namespace qn
