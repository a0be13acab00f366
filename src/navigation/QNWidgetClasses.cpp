// The one place that knows every widget family, so their creators are registered whatever the
// linker keeps: the application delegate calls registerWidgetClasses() at launch.
#include "framework/CCNode.h"
#include "model/QNPAttributeBoolean.h"
#include "navigation/QNModelObjectButton.h"
#include "navigation/QNModelObjectImage.h"
#include "navigation/QNModelObjectLoadingBar.h"
#include "navigation/QNPObjectButton.h"
#include "navigation/QNPObjectImage.h"
#include "navigation/QNPObjectLoadingBar.h"
#include "navigation/QNSceneBuildHooks.h"
#include "navigation/QNWidgetFactory.h"
#include "presentation/QNAnimationChildren.h"
#include "presentation/QNModelAnimation.h"
#include "presentation/QNWidgetPlayback.h"

using namespace cocos2d;

namespace {

/// Places the children of composite animations from their object models and shows their pictures
/// as image widgets.
class WidgetAnimationChildFactory : public QNPAnimationChildFactory {
public:
    int depthOf(const QNModel* child) const override {
        auto* object = dynamic_cast<const QNModelObject*>(child);
        return object ? object->depth() : 0;
    }

    QNChildPlacement placementOf(const QNModel* child) const override {
        QNChildPlacement placement;
        auto* object = dynamic_cast<const QNModelObject*>(child);
        if (!object) return placement;
        placement.depth = object->depth();
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
        if (child && child->className() == "QNModelObjectImage") {
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
    static WidgetAnimationChildFactory animationChildren;
    QNPAnimationChildFactory::setShared(&animationChildren);
    QNWidgetPlayback::setEdgeAnchor(anchorToScreen);
    static bool hooked = false;
    if (!hooked) {
        hooked = true;
        addSceneBuildHook(QNPObjectButtonSwitch::clearSwitchStates);
    }

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
