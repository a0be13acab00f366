#include "shell/QNPAppDelegate.h"

#include <cstdlib>

#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "framework/CCScene.h"
#include "model/QNModelController.h"
#include "model/QNModelGeneralSettings.h"
#include "platform/Clock.h"
#include "services/QNPSettingsController.h"
#include "shell/DesignResolution.h"

using namespace cocos2d;

namespace {
constexpr double kSlowDeviceSeconds = 0.4;
}

QNPAppDelegate::QNPAppDelegate() = default;
QNPAppDelegate::~QNPAppDelegate() = default;

bool QNPAppDelegate::applicationDidFinishLaunching() {
    CCLog("[QNPAppDelegate] game loading: start");
    // The command line's seed wins over the clock, so scripted runs are repeatable.
    const qn::RunOptions& options = runOptions();
    std::srand(options.hasSeed ? options.seed : (unsigned)qn::nowSeconds());
    QNModelController::sharedModelController();
    QNPSettingsController::resetSettings();

    QNModelGeneralSettings* general = QNModelGeneralSettings::generalSettings();
    CCLog("[QNPAppDelegate] device orientation: %d", general ? general->isPortrait() : 0);
    CCLog("[QNPAppDelegate] screen adjustment: %d", general ? general->screenAdjustment() : 0);
    qn::applyProjectDesignResolution();

    const double start = qn::nowSeconds();
    CCDirector::sharedDirector()->runWithScene(CCScene::create());
    const double elapsed = qn::nowSeconds() - start;
    CCLog("[QNPAppDelegate] loading time: %f", elapsed);
    if (elapsed > kSlowDeviceSeconds) QNPSettingsController::sharedSettings()->setSlowDevice(true);
    return true;
}

void QNPAppDelegate::applicationDidEnterBackground() {
    QNPSettingsController::sharedSettings()->save();
    CCDirector::sharedDirector()->stopAnimation();
}

void QNPAppDelegate::applicationWillEnterForeground() {
    QNPSettingsController::sharedSettings()->load();
    CCDirector::sharedDirector()->startAnimation();
}
