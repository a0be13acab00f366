#include "shell/QNPAppDelegate.h"

#include <cstdlib>

#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "framework/CCScene.h"
#include "framework/CCSpriteFrameCache.h"
#include "model/QNModelController.h"
#include "model/QNModelGeneralSettings.h"
#include "navigation/QNModelScreen.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNPScreen.h"
#include "navigation/QNPScreenUi.h"
#include "navigation/QNSceneBuildHooks.h"
#include "navigation/QNWidgetFactory.h"
#include "platform/Clock.h"
#include "presentation/QNModelAtlas.h"
#include "services/QNAdController.h"
#include "services/QNPSettingsController.h"
#include "shell/DesignResolution.h"
#include "shell/NavigationSnapshotFields.h"
#include "shell/QNPInputController.h"
#include "world/QNPScreenScene.h"
#include "world/WorldSnapshotFields.h"

using namespace cocos2d;

namespace {

bool runLoadStep() {
    auto* delegate = dynamic_cast<QNPAppDelegate*>(CCApplication::sharedApplication());
    return delegate ? delegate->loadStep() : true;
}

} // namespace

QNPAppDelegate::QNPAppDelegate() = default;
QNPAppDelegate::~QNPAppDelegate() = default;

bool QNPAppDelegate::applicationDidFinishLaunching() {
    CCLog("[QNPAppDelegate] game loading: start");
    // The command line's seed wins over the clock, so scripted runs are repeatable.
    const qn::RunOptions& options = runOptions();
    std::srand(options.hasSeed ? options.seed : (unsigned)qn::nowSeconds());
    QNModelController::sharedModelController();
    CCDirector* director = CCDirector::sharedDirector();
    director->setOpenGLView(CCEGLView::sharedOpenGLView());
    QNPSettingsController::resetSettings();

    QNModelGeneralSettings* general = QNModelGeneralSettings::generalSettings();
    CCLog("[QNPAppDelegate] device orientation: %d", general ? general->isPortrait() : 0);
    CCLog("[QNPAppDelegate] screen adjustment: %d", general ? general->screenAdjustment() : 0);
    qn::applyProjectDesignResolution();

    qn::registerNavigationSnapshotFields();
    qn::registerWorldSnapshotFields();
    qn::registerWidgetClasses();
    QNPScreenUi::setLoadingStep(&runLoadStep);
    // Menus answer the arrow, select and back keys from the first screen on.
    QNPInputController::sharedInputController();
    const double start = qn::nowSeconds();
    director->runWithScene(QNPNavigationController::sharedController()->currentScene());
    const double elapsed = qn::nowSeconds() - start;
    CCLog("[QNPAppDelegate] loading time: %f", elapsed);
    if (elapsed > kSlowDeviceSeconds) QNPSettingsController::sharedSettings()->setSlowDevice(true);
    return true;
}

bool QNPAppDelegate::loadStep() {
    QNModelController* controller = QNModelController::sharedModelController();
    controller->setRefreshEnabled(false, true);
    if (!controller->loadNextFile("data")) return false;
    finishLoading();
    return true;
}

void QNPAppDelegate::finishLoading() {
    QNModelController* controller = QNModelController::sharedModelController();
    controller->setRefreshEnabled(true, true);
    qn::setLoadingDone(true);
    CCLog("End loading XML");
    QNPSettingsController::sharedSettings()->load();
    QNAdController::sharedController()->initAdNetworks();

    CCLog("Start Atlas loading");
    for (QNModel* model : controller->modelsOfClass("QNModelAtlas")) {
        auto* atlas = dynamic_cast<QNModelAtlas*>(model);
        if (!atlas) continue;
        CCLog("loading atlas");
        const std::string path = atlas->plistPath();
        CCLog("%s", path.c_str());
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(path.c_str());
    }
    // Purchase buttons (show countdown from "Interval", not waiting) and health components
    // (running lives from "Lives") are reset here once their models exist.

    CCLog("loading screens");
    if (QNPScreen* top = QNPNavigationController::sharedController()->topScreenLayer())
        top->playScreenMusic();
    showStartContent();
}

void QNPAppDelegate::showStartContent() {
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    CCDirector* director = CCDirector::sharedDirector();
    QNModelController* controller = QNModelController::sharedModelController();
    if (nav->startSection() != 0) {
        QNModel* section = controller->modelById((unsigned int)nav->startSection());
        const int worldId = section ? qn::sectionParentId(section) : -1;
        QNModel* world = worldId >= 1 ? controller->modelById((unsigned int)worldId) : nullptr;
        if (auto* worldModel = dynamic_cast<QNModelScreen*>(world)) {
            nav->enterWorld(worldModel->key());
            if (CCScene* scene = nav->currentScene()) director->replaceScene(scene);
            return;
        }
        CCLog("[QNPAppDelegate] start section %d has no world", nav->startSection());
    }
    if (nav->goToWorld("Load", true, false) || nav->openScreen("Load", false)) {
        if (CCScene* scene = nav->currentScene()) director->replaceScene(scene);
        return;
    }
    CCLog("ERROR! Failed to find ScreenScene attached to Start scene");
}

void QNPAppDelegate::applicationDidEnterBackground() {
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    if (QNPScreenScene* world = nav->worldLayer()) {
        CCLog("[QNPAppDelegate] send game to pause");
        world->openPause(nullptr);
        world->setPaused(true);
    }
    QNPSettingsController::sharedSettings()->save();
    CCDirector::sharedDirector()->stopAnimation();
    // Background music and effects pause here once the audio engine plays them.
}

void QNPAppDelegate::applicationWillEnterForeground() {
    QNPSettingsController::sharedSettings()->load();
    CCDirector::sharedDirector()->startAnimation();
    // Effects and music resume here (unless muted) once the audio engine plays them.
}
