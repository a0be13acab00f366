// The window shell on the headless back-end: window modes, the message hook and relayouts.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TestSupport.h"
#include "framework/CCEGLView.h"
#include "model/QNModelController.h"
#include "platform/Window.h"
#include "shell/DesignResolution.h"
#include "shell/WindowShell.h"

using namespace cocos2d;
using namespace qn;

namespace {

std::string settingsFile(const char* orientation) {
    std::string extra = orientation ? std::string("<key>orientation</key><string>") + orientation + "</string>" : "";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>ROOT</key><array><dict>"
           "<key>className</key><string>QNModelGeneralSettings</string><key>id</key><string>1</string>"
           "<key>Name</key><dict><key>value</key><string>Settings</string></dict>" +
           extra + "</dict></array></dict></plist>\n";
}

class WindowShellTest : public ::testing::Test {
protected:
    void SetUp() override { start(nullptr); }

    void start(const char* orientation) {
        QNModelController::sharedModelController()->clean();
        qntest::TempDir dir;
        std::string path = dir.write("data/QNModelGeneralSettings.0.attributes.xml", settingsFile(orientation));
        QNModelController::sharedModelController()->loadData(path, false);
        resetShellState();
        window = createHeadlessWindow(WindowRect::fromSize(100, 50, 1920, 1080));
        CCEGLView::sharedOpenGLView()->attachWindow(window.get());
        CCEGLView::sharedOpenGLView()->setWndProc(shellWindowProc);
        shellState().shellWindow = window.get();
    }

    void TearDown() override {
        CCEGLView::sharedOpenGLView()->setWndProc(nullptr);
        CCEGLView::sharedOpenGLView()->attachWindow(nullptr);
        resetShellState();
        QNModelController::sharedModelController()->clean();
    }

    CCSize frame() const { return CCEGLView::sharedOpenGLView()->getFrameSize(); }

    std::unique_ptr<Window> window;
};

TEST_F(WindowShellTest, FullScreenCoversTheMonitorExactly) {
    applyWindowMode(true, true);
    EXPECT_EQ(window->style(), 0x90000000u);
    EXPECT_EQ(window->windowRect(), WindowRect::fromSize(100, 50, 1920, 1080));
    EXPECT_EQ(frame(), CCSize(1920, 1080));
}

TEST_F(WindowShellTest, WindowedIsSixTenthsOfTheMonitorCentredOnIt) {
    applyWindowMode(false, true);
    EXPECT_EQ(window->style(), 0x10CF0000u);
    // 1920 x 0.6 = 1152, 1080 x 0.6 = 648; centred: 100 + 960 - 576, 50 + 540 - 324.
    EXPECT_EQ(window->windowRect(), WindowRect::fromSize(484, 266, 1152, 648));
    EXPECT_EQ(frame(), CCSize(1152, 648));
}

TEST_F(WindowShellTest, RepeatedRequestChangesNothing) {
    applyWindowMode(false, true);
    window->postMessage(WM_USER, 0, 0);
    window->pumpMessages();
    EXPECT_EQ(shellState().moveSuppressCount, 0);
    EXPECT_EQ(window->windowRect(), WindowRect::fromSize(484, 266, 1152, 648));
}

TEST_F(WindowShellTest, TheTwoMovesAfterAToggleKeepTheWindowInPlace) {
    applyWindowMode(false, true);
    window->postMessage(WM_USER, 1, 0);
    window->pumpMessages();
    EXPECT_TRUE(shellState().currentFullScreen);
    const WindowRect placed = window->windowRect();
    EXPECT_EQ(placed, WindowRect::fromSize(100, 50, 1920, 1080));
    // Whatever of the two suppressions the toggle's own resize did not use is used by the next moves.
    int moves = 0;
    while (shellState().moveSuppressCount > 0 && moves < 3) {
        window->setWindowPos(7, 9, placed.width(), placed.height(), 0);
        EXPECT_EQ(window->windowRect(), placed);
        ++moves;
    }
    EXPECT_EQ(shellState().moveSuppressCount, 0);
    window->setWindowPos(7, 9, placed.width(), placed.height(), 0);
    EXPECT_EQ(window->windowRect().left, 7);
}

TEST_F(WindowShellTest, MinimisingAMaximisedWindowRestoresItMaximised) {
    applyWindowMode(false, true);
    window->simulateWindowManagerAction(WindowAction::Maximize);
    ASSERT_EQ(window->showState(), SW_SHOWMAXIMIZED);
    window->simulateWindowManagerAction(WindowAction::Minimize);
    EXPECT_EQ(window->showState(), SW_SHOWMINIMIZED);
    window->simulateWindowManagerAction(WindowAction::Restore);
    EXPECT_EQ(window->showState(), SW_SHOWMAXIMIZED);
    WindowRect client = window->clientRect();
    EXPECT_EQ(frame(), CCSize((float)client.width(), (float)client.height()));
    EXPECT_EQ(frame(), CCSize(1920, 1080));
}

TEST_F(WindowShellTest, BorderDragRelayoutsOnceWhenItEnds) {
    applyWindowMode(false, true);
    applyProjectDesignResolution();
    struct Seen {
        unsigned message;
        CCSize frame;
    };
    static std::vector<Seen>* seen = nullptr;
    std::vector<Seen> log;
    seen = &log;
    CCEGLView::sharedOpenGLView()->setWndProc([](unsigned m, uintptr_t w, intptr_t l, bool* p) -> long {
        long r = shellWindowProc(m, w, l, p);
        seen->push_back({m, CCEGLView::sharedOpenGLView()->getFrameSize()});
        return r;
    });
    window->simulateWindowManagerAction(WindowAction::Resize, 800, 600);
    seen = nullptr;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().message, WM_EXITSIZEMOVE);
    int sizeSteps = 0;
    for (size_t i = 0; i + 1 < log.size(); ++i) {
        if (log[i].message != WM_SIZE) continue;
        ++sizeSteps;
        EXPECT_EQ(log[i].frame, CCSize(1152, 648)) << "relayout during the drag, step " << sizeSteps;
    }
    EXPECT_GE(sizeSteps, 1);
    EXPECT_EQ(frame(), CCSize(800, 600));
}

TEST_F(WindowShellTest, RuntimeToggleKeepsAPortraitProjectPortrait) {
    start("QNPScreenOrientationPortrait");
    applyWindowMode(false, true);
    applyProjectDesignResolution();
    window->postMessage(WM_USER, 1, 0);
    window->pumpMessages();
    EXPECT_EQ(CCEGLView::sharedOpenGLView()->getDesignResolutionSize(), CCSize(640, 1136));
    EXPECT_EQ(CCEGLView::sharedOpenGLView()->getResolutionPolicy(), kResolutionNoBorder);
}

TEST_F(WindowShellTest, LandscapeProjectsUseTheLandscapeDesignSize) {
    start("QNPScreenOrientationLandscape");
    applyWindowMode(false, true);
    applyProjectDesignResolution();
    window->simulateWindowManagerAction(WindowAction::Resize, 900, 500);
    EXPECT_EQ(CCEGLView::sharedOpenGLView()->getDesignResolutionSize(), CCSize(1136, 640));
}

} // namespace
