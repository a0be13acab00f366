// UI screens run by the director, frame by frame with no window: stages and their lengths, the
// closing stage before navigation, the keyboard highlight, the loading splash and its loading step,
// window-mode buttons and enabling.

#include <gtest/gtest.h>

#include "NavModels.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDirector.h"
#include "framework/CCMenu.h"
#include "framework/CCMenuItem.h"
#include "framework/CCScene.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNPScreenUi.h"
#include "navigation/QNScreenWidget.h"
#include "navigation/QNWidgetFactory.h"
#include "platform/DebugLog.h"
#include "model/QNPAttributeFloat.h"
#include "services/QNAdController.h"
#include "services/QNPSettingsController.h"
#include "shell/QNPInputController.h"

using namespace cocos2d;
using namespace navtest;

namespace {

constexpr float kFrame = 1.0f / 60.0f;

/// A plain menu item standing in for a button: placed at the model's position, it records the
/// stages its screen gives it.
class TestButton : public CCMenuItem, public qn::QNScreenWidget {
public:
    static TestButton* create(QNModel* model) {
        auto* button = new TestButton();
        button->autorelease();
        auto* position = dynamic_cast<QNPAttributePoint*>(model->attributeNamed("Position"));
        if (position) button->setPosition(position->value());
        button->setUserObject(model);
        return button;
    }
    void setWidgetStage(int stage) override { stages.push_back(stage); }
    void restartWidgetAnimation() override { ++restarts; }
    void updateWidget(float) override {}
    std::vector<int> stages;
    int restarts = 0;
};

QNPNavigationController* nav() {
    return QNPNavigationController::sharedController();
}
CCDirector* director() {
    return CCDirector::sharedDirector();
}

void runFrames(int n) {
    for (int i = 0; i < n; ++i) director()->mainLoop(kFrame);
}

/// The UI screen of the running scene.
QNPScreenUi* running() {
    return dynamic_cast<QNPScreenUi*>(QNPScreen::runningScreen());
}

class Screens : public ::testing::Test {
protected:
    void SetUp() override {
        controller()->clean();
        nav()->reset();
        qn::setLogCapture(&log);
        qn::registerWidgetCreator("QNModelObjectButton", [](QNModel* model, QNPScreen*) -> CCNode* {
            return TestButton::create(model);
        });
        startNode = node<QNNodeUIStart>(screen("QNPScreenStart"));
    }
    void TearDown() override {
        QNPScreenUi::setLoadingStep(nullptr);
        QNPInputController::destroySharedInputController();
        nav()->reset();
        director()->purgeDirector();
        CCPoolManager::sharedPoolManager()->pop();
        controller()->clean();
        qn::setLogCapture(nullptr);
    }

    /// A menu screen `key` reached from the start node's "Load", shown as the running scene.
    QNModelScreen* showMenu(const std::string& key, std::initializer_list<QNModel*> buttons) {
        QNModelScreen* model = screen(key, buttons);
        menuNode = node<QNNodeUI>(model);
        link(startNode, "Load", menuNode);
        EXPECT_TRUE(nav()->openScreen("Load", false));
        director()->runWithScene(nav()->currentScene());
        runFrames(1);
        return model;
    }
    TestButton* buttonOf(QNModel* model) { return dynamic_cast<TestButton*>(running()->nodeForModel(model)); }
    int count(const std::string& text) const {
        int n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
        return n;
    }

    QNNodeUIStart* startNode = nullptr;
    QNNodeUI* menuNode = nullptr;
    std::string log;
};

TEST_F(Screens, EachButtonSitsAloneInATaggedMenuOfTheContentNode) {
    QNModel* a = widget("QNModelObjectButton", "A");
    QNModel* b = widget("QNModelObjectButton", "B");
    QNModel* image = widget("QNModelObjectImage", "No creator");
    showMenu("Menu", {a, b, image});
    QNPScreenUi* screen = running();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->contentNode()->getParent(), screen);
    EXPECT_EQ(screen->contentNode()->getZOrder(), QNPScreen::kContentZOrder);
    ASSERT_EQ(screen->objectTable().size(), 2u);
    for (QNModel* model : {a, b}) {
        CCNode* menu = buttonOf(model)->getParent();
        ASSERT_NE(dynamic_cast<CCMenu*>(menu), nullptr);
        EXPECT_EQ(menu->getTag(), QNPScreen::kButtonMenuTag);
        EXPECT_EQ(menu->getParent(), screen->contentNode());
        EXPECT_EQ(menu->getChildrenCount(), 1u);
    }
}

TEST_F(Screens, OpeningLastsOpenFramesAndTheIdleTrackRestartsOnlyWhenLooping) {
    for (bool loop : {false, true}) {
        SCOPED_TRACE(loop ? "looping" : "not looping");
        nav()->reset();
        QNModel* a = widget("QNModelObjectButton", "A");
        QNModelScreen* model = screen(loop ? "Looping" : "Once", {a});
        model->setOpenFrames(6); // 0.2 s: 12 frames at 60 fps
        model->setIdleFrames(3); // 0.1 s: 6 frames
        model->setLoopIdleAnimation(loop);
        link(startNode, "Load", node<QNNodeUI>(model));
        ASSERT_TRUE(nav()->openScreen("Load", false));
        QNPScreenUi* screen = QNPScreenUi::create();
        ASSERT_NE(screen, nullptr);
        auto* button = dynamic_cast<TestButton*>(screen->nodeForModel(a));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->stages, std::vector<int>{0});
        for (int i = 0; i < 11; ++i) screen->update(kFrame);
        EXPECT_EQ(screen->stage(), 0);
        screen->update(kFrame);
        EXPECT_EQ(screen->stage(), 1);
        for (int i = 0; i < 24; ++i) screen->update(kFrame);
        // Looping restarts the idle track every 6 frames: 4 more times in 24 frames.
        EXPECT_EQ(button->stages.size(), loop ? 6u : 2u);
        EXPECT_EQ(screen->stage(), 1);
    }
}

TEST_F(Screens, ACloseStageDelaysNavigationByItsLength) {
    QNModel* go = widget("QNModelObjectButton", "Go");
    QNModelScreen* menu = showMenu("Menu", {go});
    menu->setCloseFrames(6); // 0.2 s
    link(menuNode, "Go", node<QNNodeUI>(screen("Next")));

    buttonOf(go)->activate();
    buttonOf(go)->activate(); // a second tap while closing changes nothing
    EXPECT_EQ(running()->stage(), 2);
    int frames = 0;
    while (running()->key() == "Menu" && frames < 100) {
        runFrames(1);
        ++frames;
    }
    EXPECT_EQ(running()->key(), "Next");
    EXPECT_GE(frames, 12);
    EXPECT_LE(frames, 14);
    EXPECT_EQ(nav()->screenStack(), (std::vector<std::string>{"Menu", "Next"}));
}

TEST_F(Screens, WithoutCloseFramesNavigationWaitsOnlyForTheSceneSwitch) {
    QNModel* go = widget("QNModelObjectButton", "Go");
    showMenu("Menu", {go});
    link(menuNode, "Go", node<QNNodeUI>(screen("Next")));
    buttonOf(go)->activate();
    EXPECT_EQ(nav()->currentScreenKey(), "Next");
    runFrames(1);
    EXPECT_EQ(running()->key(), "Next");
}

TEST_F(Screens, AClosingThatLeadsNowhereReturnsToIdle) {
    QNModel* dead = widget("QNModelObjectButton", "Dead end");
    QNModelScreen* menu = showMenu("Menu", {dead});
    menu->setCloseFrames(3);
    runFrames(2);
    buttonOf(dead)->activate();
    EXPECT_EQ(running()->stage(), 2);
    runFrames(10);
    EXPECT_EQ(running()->key(), "Menu");
    EXPECT_EQ(running()->stage(), 1);
    EXPECT_FALSE(running()->isClosing());
}

TEST_F(Screens, BackOnTheFirstScreenChangesNothing) {
    showMenu("Menu", {});
    QNPScreenUi* before = running();
    before->keyBackClicked();
    runFrames(2);
    EXPECT_EQ(running(), before);
    EXPECT_EQ(nav()->screenStack(), (std::vector<std::string>{"Menu"}));
    EXPECT_EQ(count("[QNPScreenUi] keyBackClicked"), 1);
}

TEST_F(Screens, BackReturnsToThePreviousScreen) {
    QNModel* options = widget("QNModelObjectButton", "Options");
    QNModel* back = widget("QNModelObjectButton", "Back", "kBackButton");
    showMenu("Menu", {options});
    link(menuNode, "Options", node<QNNodeUI>(screen("OptionsScreen", {back})));
    buttonOf(options)->activate();
    runFrames(1);
    ASSERT_EQ(running()->key(), "OptionsScreen");
    buttonOf(back)->activate();
    runFrames(1);
    EXPECT_EQ(running()->key(), "Menu");
    EXPECT_EQ(nav()->currentScreenKey(), "Menu");
}

TEST_F(Screens, TheHighlightMovesToTheNearestButtonInThePressedDirection) {
    // Layout (points):       top (100, 300)
    //   left (0, 200)    centre (100, 200)   right (250, 200)
    //                              below (200, 80)        offAxis (301, 30): 101 across from below
    QNModel* centre = widget("QNModelObjectButton", "centre", "kNoAction", 100, 200);
    QNModel* top = widget("QNModelObjectButton", "top", "kNoAction", 100, 300);
    QNModel* left = widget("QNModelObjectButton", "left", "kNoAction", 0, 200);
    QNModel* right = widget("QNModelObjectButton", "right", "kNoAction", 250, 200);
    QNModel* below = widget("QNModelObjectButton", "below", "kNoAction", 200, 80);
    QNModel* offAxis = widget("QNModelObjectButton", "offAxis", "kNoAction", 301, 30);
    showMenu("Menu", {centre, top, left, right, below, offAxis});
    QNPScreenUi* screen = running();
    auto highlighted = [&]() -> std::string {
        std::string names;
        for (CCMenuItem* item : screen->buttons())
            if (item->isSelected())
                names += static_cast<QNModel*>(item->getUserObject())->displayName() + " ";
        return names;
    };
    struct Step {
        int direction;
        const char* after;
    };
    // The first press highlights the first button and moves on from it; ties on distance keep the
    // earlier button of the table; 100 points across is on the axis, 101 is not.
    const Step steps[] = {{12, "top "},   {13, "centre "}, {14, "left "},  {15, "centre "},
                          {15, "right "}, {13, "below "},  {13, "below "}, {12, "centre "}};
    for (const Step& step : steps) {
        screen->moveHighlight(step.direction);
        EXPECT_EQ(highlighted(), step.after) << "direction " << step.direction;
    }

    // Enter presses the highlighted button.
    bool pressed = false;
    buttonOf(centre)->setCallback([&](CCObject*) { pressed = true; });
    screen->pressHighlightedButton();
    EXPECT_TRUE(pressed);
}

TEST_F(Screens, AnAxisOffsetAbove100PointsIsNeverReached) {
    QNModel* from = widget("QNModelObjectButton", "from", "kNoAction", 0, 0);
    QNModel* at100 = widget("QNModelObjectButton", "at100", "kNoAction", 100, 500);
    QNModel* at101 = widget("QNModelObjectButton", "at101", "kNoAction", -101, 100);
    showMenu("Menu", {from, at101, at100});
    QNPScreenUi* screen = running();
    screen->moveHighlight(12);
    EXPECT_TRUE(buttonOf(at100)->isSelected());
    EXPECT_FALSE(buttonOf(at101)->isSelected());
    EXPECT_FALSE(buttonOf(from)->isSelected());
}

TEST_F(Screens, HiddenOrDisabledButtonsAreNeverHighlightedAndNothingHighlightedPressesNothing) {
    QNModel* hidden = widget("QNModelObjectButton", "hidden", "kNoAction", 0, 0);
    QNModel* disabled = widget("QNModelObjectButton", "disabled", "kNoAction", 0, 100);
    QNModel* shown = widget("QNModelObjectButton", "shown", "kNoAction", 0, 200);
    showMenu("Menu", {hidden, disabled, shown});
    QNPScreenUi* screen = running();
    int presses = 0;
    for (QNModel* model : {hidden, disabled, shown})
        buttonOf(model)->setCallback([&](CCObject*) { ++presses; });
    screen->pressHighlightedButton();
    EXPECT_EQ(presses, 0);

    buttonOf(hidden)->setVisible(false);
    buttonOf(disabled)->setEnabled(false);
    for (int direction : {12, 13, 14, 15}) {
        screen->moveHighlight(direction);
        EXPECT_FALSE(buttonOf(hidden)->isSelected());
        EXPECT_FALSE(buttonOf(disabled)->isSelected());
    }
    EXPECT_TRUE(buttonOf(shown)->isSelected());

    // With nothing selectable at all, keys do nothing.
    buttonOf(shown)->unselected();
    buttonOf(shown)->setVisible(false);
    screen->moveHighlight(13);
    screen->pressHighlightedButton();
    EXPECT_EQ(presses, 0);
    for (CCMenuItem* item : screen->buttons()) EXPECT_FALSE(item->isSelected());
}

TEST_F(Screens, ArrowAndEnterKeysReachTheRunningScreenThroughTheInputController) {
    QNModel* upper = widget("QNModelObjectButton", "upper", "kNoAction", 0, 200);
    QNModel* lower = widget("QNModelObjectButton", "lower", "kNoAction", 0, 100);
    showMenu("Menu", {upper, lower});
    QNPInputController::sharedInputController();
    int presses = 0;
    buttonOf(lower)->setCallback([&](CCObject*) { ++presses; });
    CCKeypadDispatcher* keypad = director()->getKeypadDispatcher();
    for (int code : {20, 20, 23}) { // down (highlights upper, moves to lower), down (stays), enter
        keypad->dispatchKeyDown(code);
        keypad->dispatchKeyUp(code);
    }
    EXPECT_TRUE(buttonOf(lower)->isSelected());
    EXPECT_EQ(presses, 1);
}

TEST_F(Screens, TheSplashRunsTheLoadingStepFromItsTenthDrawnFrameUntilLoadingIsDone) {
    static std::vector<unsigned> calls;
    static unsigned finishAfter;
    calls.clear();
    finishAfter = 5;
    QNPScreenUi::setLoadingStep([]() {
        calls.push_back(director()->getDrawnFrames());
        return calls.size() >= finishAfter;
    });
    // No "Default.png" in the working folder: the splash has no picture, loading goes on.
    director()->runWithScene(nav()->currentScene());
    runFrames(30);
    ASSERT_NE(running(), nullptr);
    EXPECT_TRUE(running()->isLoadingSplashShown());
    ASSERT_EQ(calls.size(), 5u);
    // getDrawnFrames counts the frame being drawn after its visit: the first call is in frame 10.
    EXPECT_EQ(calls.front() + 1, 10u);
    for (std::size_t i = 1; i < calls.size(); ++i) EXPECT_EQ(calls[i], calls[i - 1] + 1);
    EXPECT_EQ(count("no Default.png"), 1);
}

TEST_F(Screens, WindowModeButtonsShowTheOtherModeAndStoreTheFlag) {
    QNModel* full = widget("QNModelObjectButton", "Full", "kFullscreen");
    QNModel* windowed = widget("QNModelObjectButton", "Windowed", "kWindowed");
    QNPSettingsController::sharedSettings()->setFullScreen(false);
    showMenu("Menu", {full, windowed});
    EXPECT_TRUE(buttonOf(full)->isVisible());
    EXPECT_FALSE(buttonOf(windowed)->isVisible());
    buttonOf(full)->activate();
    EXPECT_TRUE(QNPSettingsController::sharedSettings()->fullScreen());
    EXPECT_FALSE(buttonOf(full)->isVisible());
    EXPECT_TRUE(buttonOf(windowed)->isVisible());
    buttonOf(windowed)->activate();
    EXPECT_FALSE(QNPSettingsController::sharedSettings()->fullScreen());
    EXPECT_TRUE(buttonOf(full)->isVisible());
}

TEST_F(Screens, SetButtonsEnabledReachesEveryButtonMenu) {
    QNModel* a = widget("QNModelObjectButton", "A");
    QNModel* b = widget("QNModelObjectButton", "B");
    showMenu("Menu", {a, b});
    running()->setButtonsEnabled(false);
    EXPECT_FALSE(running()->buttonsEnabled());
    EXPECT_FALSE(buttonOf(a)->isEnabled());
    EXPECT_FALSE(buttonOf(b)->isEnabled());
    running()->setButtonsEnabled(true);
    EXPECT_TRUE(buttonOf(a)->isEnabled());
}

TEST_F(Screens, AKeyWithoutModelGivesAnEmptyWorkingScreenAndNoPlaceholderWhileLoading) {
    const std::size_t before = controller()->modelCount();
    ASSERT_EQ(nav()->currentScreenKey(), "QNPScreenStart");
    controller()->clean(); // no start screen model at all, as before the data is read
    QNPScreenUi* screen = QNPScreenUi::create();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->key(), "QNPScreenStart");
    EXPECT_EQ(screen->model()->displayName(), "Untitled");
    EXPECT_EQ(controller()->modelCount(), 0u);
    EXPECT_EQ(QNModelScreen::modelForKey("QNPScreenStart"), nullptr);
    (void)before;
}

TEST_F(Screens, InterstitialsComeEveryNthVisitAndHideTheContentForHalfASecond) {
    QNModelScreen* model = screen("Ads");
    static_cast<QNPAttributeEnum*>(model->attributeNamed("Ad Interstitial"))->set("kAdMob");
    static_cast<QNPAttributeFloat*>(model->attributeNamed("Ad Interstitials Freq."))->set(3.0f);
    link(startNode, "Load", node<QNNodeUI>(model));
    ASSERT_TRUE(nav()->openScreen("Load", false));
    QNPScreenUi* ads = QNPScreenUi::create();
    ASSERT_NE(ads, nullptr);
    QNAdController* controller = QNAdController::sharedController();
    const int before = controller->interstitialsShown();
    std::vector<int> shownAfter;
    for (int visit = 1; visit <= 6; ++visit) {
        ads->showAds();
        shownAfter.push_back(controller->interstitialsShown() - before);
        ads->update(0.6f); // past the reveal delay
    }
    EXPECT_EQ(shownAfter, (std::vector<int>{0, 0, 1, 1, 1, 2}));

    for (int visit = 0; visit < 3; ++visit) ads->showAds();
    EXPECT_FALSE(ads->contentNode()->isVisible());
    ads->update(0.4f);
    EXPECT_FALSE(ads->contentNode()->isVisible());
    ads->update(0.2f);
    ads->update(0.0f);
    EXPECT_TRUE(ads->contentNode()->isVisible());

    // With the remove-ads purchase no visit counts.
    QNPSettingsController::sharedSettings()->setRemoveAds(true);
    for (int visit = 0; visit < 6; ++visit) ads->showAds();
    EXPECT_EQ(controller->interstitialsShown() - before, 3);
    QNPSettingsController::sharedSettings()->setRemoveAds(false);
}

} // namespace
