#pragma once
// The menu and overlay screen: start screen, menus, pause and game-over overlays and the HUD shown
// above a world. It loads the navigation state's current screen, attaches every navigation action,
// control and window-mode button to its handler, handles the back key, and shows the loading
// splash of the start screen, from whose tenth drawn frame the application's loading step runs.

#include <string>

#include "navigation/QNPScreen.h"

namespace cocos2d {
class CCSprite;
}

class QNPScreenUi : public QNPScreen {
public:
    /// A UI screen of the navigation controller's current screen key, initialised; autoreleased,
    /// nullptr when init fails.
    static QNPScreenUi* create();

    QNPScreenUi();
    ~QNPScreenUi() override;

    bool init() override;
    /// Counts drawn frames while the splash is shown; from the 10th on, runs the loading step.
    void draw() override;
    /// Runs the "Back" action without a button.
    void keyBackClicked() override;
    void onKeyDown(int keyCode) override { (void)keyCode; }

    /// The navigation step of a button: navigateTo its Name.
    void performButtonAction(QNModel* buttonModel) override;
    void openGameServices(cocos2d::CCObject* sender) override;
    /// restartObjectAnimations then playScreenMusic.
    virtual void restartScreen();

    /// Opens the UI screen or world the output `target` leads to and shows it. pauseMode: 0 pause
    /// the world, 1 resume it, 2 leave it as it is (overlay changes only).
    void navigateTo(const std::string& target, int startSection, bool restartWorld, int pauseMode,
                    bool saveScores);
    /// Enables or disables every button of every tag-100 menu.
    void setButtonsEnabled(bool enabled);
    bool buttonsEnabled() const { return m_buttonsEnabled; }
    /// Shows or hides the "Default.png" splash of the loading screen.
    void showLoadingSplash(bool show);
    bool isLoadingSplashShown() const { return m_loadingSplashShown; }
    /// Frames drawn since the splash was shown.
    int splashDrawCount() const { return m_drawCount; }

    /// The function the splash calls once per drawn frame from its 10th (the application's loading
    /// step). Returns true once loading has completed; it is not called again after that.
    using LoadingStep = bool (*)();
    static void setLoadingStep(LoadingStep step);

    // ----- Navigation action handlers (button taps; sender is the button or nullptr) -----
    void actionPause(cocos2d::CCObject* sender);
    void actionBack(cocos2d::CCObject* sender);
    void actionBackTo(cocos2d::CCObject* sender);
    void actionRestart(cocos2d::CCObject* sender);
    void actionRestartCheckpoint(cocos2d::CCObject* sender);
    void actionReset(cocos2d::CCObject* sender);
    void actionReview(cocos2d::CCObject* sender);
    void actionShare(cocos2d::CCObject* sender);
    void actionExit(cocos2d::CCObject* sender);
    void actionFullscreen(cocos2d::CCObject* sender);
    void actionWindowed(cocos2d::CCObject* sender);

    /// How many frames the splash waits before the first loading step.
    static constexpr int kSplashFramesBeforeLoading = 9;

private:
    void wireButtons();
    /// Builds the loading screen's widgets once its model has been read.
    void adoptLoadedStartModel();
    void refreshWindowModeButtons();
    /// The model of a button sender, or nullptr.
    static QNModel* modelOfSender(cocos2d::CCObject* sender);

    bool m_loadingSplashShown = false;
    int m_drawCount = 0;
    bool m_loadingDone = false;
    cocos2d::CCSprite* m_splash = nullptr;
    cocos2d::CCNode* m_windowedButton = nullptr;
    cocos2d::CCNode* m_fullscreenButton = nullptr;
    bool m_buttonsEnabled = true;
};
