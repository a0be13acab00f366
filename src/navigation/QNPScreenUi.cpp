#include "navigation/QNPScreenUi.h"

#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "framework/CCFileUtils.h"
#include "framework/CCMenu.h"
#include "framework/CCMenuItem.h"
#include "framework/CCScene.h"
#include "framework/CCSprite.h"
#include "model/QNModelController.h"
#include "navigation/QNBackToChoices.h"
#include "navigation/QNModelScreen.h"
#include "navigation/QNModelObjectButton.h"
#include "navigation/QNNode.h"
#include "navigation/QNPObjectButton.h"
#include "navigation/QNPNavigationController.h"
#include "services/QNPlatformServices.h"
#include "shell/QNPInputController.h"
#include "services/QNPSettingsController.h"
#include "world/QNPScreenScene.h"

using namespace cocos2d;

namespace {

const char* const kStartKey = "QNPScreenStart";
const char* const kSplashFile = "Default.png";

QNPScreenUi::LoadingStep& loadingStep() {
    static QNPScreenUi::LoadingStep step = nullptr;
    return step;
}

} // namespace

void QNPScreenUi::setLoadingStep(LoadingStep step) {
    loadingStep() = step;
}

QNPScreenUi* QNPScreenUi::create() {
    auto* screen = new QNPScreenUi();
    if (!screen->init()) {
        delete screen;
        return nullptr;
    }
    screen->autorelease();
    return screen;
}

QNPScreenUi::QNPScreenUi() = default;

QNPScreenUi::~QNPScreenUi() {
    CC_SAFE_RELEASE(m_splash);
}

bool QNPScreenUi::init() {
    // The shared accelerometer object drops its model here once on-screen controls exist.
    if (!loadWithKey(QNPNavigationController::sharedController()->currentScreenKey())) return false;
    if (!QNPScreen::init()) return false;
    scheduleUpdate();
    wireButtons();
    if (key() != kStartKey) playScreenMusic();
    if (QNPlatformServices::sharedServices()->isTelevision()) highlightDefaultButton();
    return true;
}

QNModel* QNPScreenUi::modelOfSender(CCObject* sender) {
    auto* node = dynamic_cast<CCNode*>(sender);
    return node ? dynamic_cast<QNModel*>(node->getUserObject()) : nullptr;
}

void QNPScreenUi::wireButtons() {
    struct Wiring {
        const char* action;
        SEL_MenuHandler handler;
    };
    const Wiring wiring[] = {
        {"kPauseButton", menu_selector(QNPScreenUi::actionPause)},
        {"kRestartButton", menu_selector(QNPScreenUi::actionRestart)},
        {"kRestartCheckpointButton", menu_selector(QNPScreenUi::actionRestartCheckpoint)},
        {"kBackButton", menu_selector(QNPScreenUi::actionBack)},
        {"kBackToButton", menu_selector(QNPScreenUi::actionBackTo)},
        {"kResetButton", menu_selector(QNPScreenUi::actionReset)},
        {"kReviewButton", menu_selector(QNPScreenUi::actionReview)},
        {"kShareButton", menu_selector(QNPScreenUi::actionShare)},
        {"kExitButton", menu_selector(QNPScreenUi::actionExit)},
    };
    for (const Wiring& entry : wiring) setTargetForAction(entry.action, this, entry.handler);

    // Component-action buttons send 11 on press and 12 on release; character control buttons press
    // and release their action while held.
    QNPInputController* input = QNPInputController::sharedInputController();
    for (auto& entry : objectTable()) {
        auto* button = dynamic_cast<QNPObjectButton*>(entry.second);
        if (!button || dynamic_cast<QNPObjectButtonSwitch*>(button)) continue;
        const std::string action = qn::buttonActionOf(entry.first);
        if (action == "kInputControllerActionButton") {
            CCLog("---------- register button with ID: %d", (int)entry.first->id());
            button->setInputHandlers(
                input,
                [](CCObject*, QNPObjectButton* b) {
                    QNPInputController::sharedInputController()->actionPressed(11, b);
                },
                [](CCObject*, QNPObjectButton* b) {
                    QNPInputController::sharedInputController()->actionPressed(12, b);
                });
        } else if (const int id = qn::controlActionId(action); id >= 1 && id <= 10) {
            button->setInputHandlers(
                input,
                [id](CCObject*, QNPObjectButton* b) {
                    QNPInputController::sharedInputController()->actionPressed(id, b);
                },
                [id](CCObject*, QNPObjectButton* b) {
                    QNPInputController::sharedInputController()->actionReleased(id, b);
                });
        }
    }

    m_fullscreenButton = buttonWithAction("kFullscreen");
    m_windowedButton = buttonWithAction("kWindowed");
    if (auto* item = dynamic_cast<CCMenuItem*>(m_fullscreenButton))
        item->setTarget(this, menu_selector(QNPScreenUi::actionFullscreen));
    if (auto* item = dynamic_cast<CCMenuItem*>(m_windowedButton))
        item->setTarget(this, menu_selector(QNPScreenUi::actionWindowed));
    refreshWindowModeButtons();
}

void QNPScreenUi::refreshWindowModeButtons() {
    const bool fullScreen = QNPSettingsController::sharedSettings()->fullScreen();
    if (m_fullscreenButton) m_fullscreenButton->setVisible(!fullScreen);
    if (m_windowedButton) m_windowedButton->setVisible(fullScreen);
}

void QNPScreenUi::draw() {
    QNPScreen::draw();
    if (!m_loadingSplashShown) return;
    ++m_drawCount;
    // Once loading has completed the step is never called again: another call would start a
    // new load over the models in use.
    if (m_drawCount > kSplashFramesBeforeLoading && !m_loadingDone && loadingStep()) {
        m_loadingDone = loadingStep()();
        if (!m_loadingDone) adoptLoadedStartModel();
    }
}

void QNPScreenUi::adoptLoadedStartModel() {
    // The loading screen is built before the data is read, so it starts empty. Once its own model
    // and its widget list have been read, its widgets (a loading bar above all) are built, so the
    // authored loading screen shows the progress of the rest of the load.
    if (key() != kStartKey || !objectTable().empty()) return;
    QNModelScreen* loaded = modelForKey(kStartKey);
    if (!loaded || loaded == m_model || loaded->children().empty()) return;
    if (!loadWithKey(kStartKey)) return;
    QNPScreen::init();
    wireButtons();
}

void QNPScreenUi::showLoadingSplash(bool show) {
    if (show == m_loadingSplashShown) return;
    m_loadingSplashShown = show;
    if (!show) {
        if (m_splash) {
            m_splash->removeFromParent();
            CC_SAFE_RELEASE_NULL(m_splash);
        }
        return;
    }
    m_drawCount = 0;
    // Without the picture the splash is blank; loading goes on all the same.
    if (!CCFileUtils::sharedFileUtils()->isFileExist(kSplashFile)) {
        CCLog("[QNPScreenUi] no %s: the loading screen shows no picture", kSplashFile);
        return;
    }
    CCSprite* sprite = CCSprite::create(kSplashFile);
    if (!sprite) return;
    CCDirector* director = CCDirector::sharedDirector();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const CCSize win = director->getWinSize();
    sprite->setPosition(ccp(win.width / 2, win.height / 2));
    const CCSize image = sprite->getContentSize();
    const CCSize frame = view->getFrameSize();
    if (image.width > 0 && image.height > 0 && frame.width > 0 && frame.height > 0) {
        const float s = frame.width / frame.height > image.width / image.height ? frame.width / image.width
                                                                                : frame.height / image.height;
        const float viewScale = view->getScaleX() > 0 ? view->getScaleX() : 1.0f;
        sprite->setScale(s / viewScale);
    }
    CCLog("scale X: %f Y: %f", view->getScaleX(), view->getScaleY());
    addChild(sprite);
    m_splash = sprite;
    m_splash->retain();
}

void QNPScreenUi::keyBackClicked() {
    CCLog("[QNPScreenUi] keyBackClicked");
    actionBack(nullptr);
}

void QNPScreenUi::performButtonAction(QNModel* buttonModel) {
    if (!buttonModel) return;
    const bool lock = buttonModel->className() == "QNModelObjectLockButton";
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    navigateTo(buttonModel->displayName(), lock ? nav->startSection() : 0,
               qn::buttonActionOf(buttonModel) != "kStartCheckpointButton", 2, false);
}

void QNPScreenUi::openGameServices(CCObject* sender) {
    (void)sender;
    QNPlatformServices::sharedServices()->openGameServices();
}

void QNPScreenUi::restartScreen() {
    restartObjectAnimations();
    playScreenMusic();
}

void QNPScreenUi::navigateTo(const std::string& target, int startSection, bool restartWorld, int pauseMode,
                             bool saveScores) {
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    CCScene* scene = nullptr;
    if (nav->openScreen(target, false)) {
        if (QNPScreenScene* world = nav->worldLayer()) {
            if (pauseMode != 2) world->setPaused(pauseMode == 0);
            world->refreshOverlay();
            return;
        }
        scene = nav->currentScene();
    } else if (nav->goToWorld(target, true, saveScores)) {
        scene = nav->currentScene();
        if (restartWorld)
            if (QNPScreenScene* world = nav->worldLayer()) world->discardWorldProgress(false);
    } else {
        return;
    }
    if (!scene) return;
    nav->setStartSection(startSection);
    runScene(scene);
}

void QNPScreenUi::setButtonsEnabled(bool enabled) {
    m_buttonsEnabled = enabled;
    if (CCArray* children = contentNode()->getChildren()) {
        for (CCObject* child : children->data()) {
            auto* menu = dynamic_cast<CCMenu*>(child);
            if (!menu || menu->getTag() != kButtonMenuTag || !menu->getChildren()) continue;
            for (CCObject* item : menu->getChildren()->data())
                if (auto* button = dynamic_cast<CCMenuItem*>(item)) button->setEnabled(enabled);
        }
    }
}

// ----- Navigation actions -------------------------------------------------------------------

void QNPScreenUi::actionPause(CCObject* sender) {
    retain();
    CCObject* button = sender;
    CC_SAFE_RETAIN(button);
    closeThen([this, button]() {
        if (QNPScreenScene* world = QNPNavigationController::sharedController()->worldLayer())
            world->openPause(button);
        CC_SAFE_RELEASE(button);
        release();
    });
}

void QNPScreenUi::actionBack(CCObject* sender) {
    (void)sender;
    closeThen([this]() {
        QNPNavigationController* nav = QNPNavigationController::sharedController();
        if (QNPScreenScene* world = nav->worldLayer()) {
            world->popOverlay();
            return;
        }
        if (nav->popScreen())
            if (CCScene* scene = nav->currentScene()) runScene(scene);
    });
}

void QNPScreenUi::actionBackTo(CCObject* sender) {
    QNModel* model = modelOfSender(sender);
    closeThen([this, model]() {
        QNPNavigationController* nav = QNPNavigationController::sharedController();
        std::string world, screen;
        qn::resolveBackTo(model, world, screen);
        nav->setStartSection(0);
        const int result = nav->backTo(world, screen, false);
        if (result == QNPNavigationController::kBackNewScene) {
            if (CCScene* scene = nav->currentScene()) runScene(scene);
        } else if (result == QNPNavigationController::kBackOverlay) {
            if (QNPScreenScene* layer = nav->worldLayer()) layer->refreshOverlay();
        }
    });
}

void QNPScreenUi::actionRestart(CCObject* sender) {
    (void)sender;
    closeThen([]() {
        if (QNPScreenScene* world = QNPNavigationController::sharedController()->worldLayer())
            world->discardWorldProgress(true);
    });
}

void QNPScreenUi::actionRestartCheckpoint(CCObject* sender) {
    (void)sender;
    closeThen([]() {
        QNPScreenScene* world = QNPNavigationController::sharedController()->worldLayer();
        if (!world) return;
        QNPObjectButtonSwitch::clearSwitchStates();
        world->restartObjectAnimations();
        world->setGameOver(false);
        world->popOverlay();
    });
}

void QNPScreenUi::actionReset(CCObject* sender) {
    (void)sender;
    // The settings store resets all saved progress once the answer is yes (at once here).
    QNPlatformServices::sharedServices()->confirm("");
}

void QNPScreenUi::actionReview(CCObject* sender) {
    (void)sender;
    QNPlatformServices::sharedServices()->openReview();
}

void QNPScreenUi::actionShare(CCObject* sender) {
    (void)sender;
    CCLog("Share Button Action");
}

void QNPScreenUi::actionExit(CCObject* sender) {
    (void)sender;
    QNPlatformServices::sharedServices()->exitGame();
}

void QNPScreenUi::actionFullscreen(CCObject* sender) {
    (void)sender;
    QNPSettingsController::sharedSettings()->setFullScreen(true);
    refreshWindowModeButtons();
    QNPlatformServices::sharedServices()->setWindowMode(true);
}

void QNPScreenUi::actionWindowed(CCObject* sender) {
    (void)sender;
    QNPSettingsController::sharedSettings()->setFullScreen(false);
    refreshWindowModeButtons();
    QNPlatformServices::sharedServices()->setWindowMode(false);
}
