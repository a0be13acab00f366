// The window's message paths on the headless back-end: the hook, default handling, posted
// messages, position records, show states and the simulated window-manager actions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/HeadlessWindow.h"
#include "platform/Window.h"

using namespace qn;

namespace qn {
void PrintTo(const WindowRect& r, std::ostream* os) {
    *os << r.width() << "x" << r.height() << "+" << r.left << "+" << r.top;
}
} // namespace qn

namespace {

struct Seen {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
};

/// A headless window on a 1920x1080 monitor whose hook records every message.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<HeadlessWindow>(WindowRect::fromSize(0, 0, 1920, 1080));
        window->setWndProc([this](unsigned m, uintptr_t w, intptr_t l, bool* processed) {
            seen.push_back({m, w, l});
            if (onMessage) onMessage(m, w, l, processed);
            return 0L;
        });
    }
    std::vector<unsigned> messages() const {
        std::vector<unsigned> out;
        for (const Seen& s : seen) out.push_back(s.message);
        return out;
    }
    std::vector<Seen> sizeMessages() const {
        std::vector<Seen> out;
        for (const Seen& s : seen)
            if (s.message == WM_SIZE) out.push_back(s);
        return out;
    }

    std::unique_ptr<HeadlessWindow> window;
    std::vector<Seen> seen;
    std::function<void(unsigned, uintptr_t, intptr_t, bool*)> onMessage;
};

} // namespace

TEST_F(WindowFixture, CloseGoesToHookFirstAndProcessedStopsDefaultHandling) {
    onMessage = [](unsigned m, uintptr_t, intptr_t, bool* processed) {
        if (m == WM_CLOSE) *processed = true;
    };
    window->postMessage(WM_CLOSE, 0, 0);
    EXPECT_EQ(window->pendingMessageCount(), 1u);
    window->pumpMessages();
    EXPECT_EQ(messages(), std::vector<unsigned>{WM_CLOSE});
    EXPECT_FALSE(window->quitRequested());

    onMessage = nullptr;
    window->simulateWindowManagerAction(WindowAction::Close);
    EXPECT_EQ(messages(), (std::vector<unsigned>{WM_CLOSE, WM_SYSCOMMAND, WM_CLOSE}));
    EXPECT_EQ(seen[1].wParam, SC_CLOSE);
    EXPECT_TRUE(window->quitRequested());
}

TEST_F(WindowFixture, MessagePostedFromHookArrivesOnTheNextPump) {
    onMessage = [this](unsigned m, uintptr_t w, intptr_t, bool*) {
        if (m == WM_USER && w < 3) window->postMessage(WM_USER, w + 1, 0);
    };
    window->postMessage(WM_USER, 1, 0);
    window->pumpMessages();
    ASSERT_EQ(seen.size(), 1u);
    window->pumpMessages();
    window->pumpMessages();
    window->pumpMessages();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].wParam, 2u);
    EXPECT_EQ(seen[2].wParam, 3u);
    EXPECT_EQ(window->pendingMessageCount(), 0u);
}

TEST_F(WindowFixture, PositionRecordChangedByHookIsWhatGetsApplied) {
    bool stripMove = true;
    onMessage = [&](unsigned m, uintptr_t, intptr_t l, bool* processed) {
        if (m != WM_WINDOWPOSCHANGING) return;
        *processed = true;
        if (stripMove) reinterpret_cast<WindowPos*>(l)->flags |= SWP_NOMOVE;
    };
    WindowRect before = window->windowRect();
    window->setWindowPos(10, 20, 800, 600, SWP_SHOWWINDOW);
    EXPECT_EQ(window->windowRect(), WindowRect::fromSize(before.left, before.top, 800, 600));
    ASSERT_EQ(sizeMessages().size(), 1u);
    EXPECT_EQ(sizeMessages()[0].wParam, SIZE_RESTORED);
    EXPECT_EQ(sizeMessages()[0].lParam, makeSizeLParam(800, 600));

    stripMove = false;
    window->setWindowPos(10, 20, 1, 1, SWP_NOSIZE);
    EXPECT_EQ(window->windowRect(), WindowRect::fromSize(10, 20, 800, 600));
    EXPECT_EQ(sizeMessages().size(), 1u) << "a move alone sends no WM_SIZE";
    EXPECT_EQ(window->clientRect(), WindowRect::fromSize(0, 0, 800, 600));
}

TEST_F(WindowFixture, ClientSizeChangeResizesThenRecentresOnTheMonitor) {
    window->setWindowPos(0, 0, 100, 100, 0);
    int stripped = 0;
    onMessage = [&](unsigned m, uintptr_t, intptr_t l, bool*) {
        auto* pos = reinterpret_cast<WindowPos*>(l);
        if (m == WM_WINDOWPOSCHANGING && stripped < 1 && !(pos->flags & SWP_NOMOVE)) {
            pos->flags |= SWP_NOMOVE;
            ++stripped;
        }
    };
    window->setClientSize(1152, 648); // the first re-centring is stripped by the hook
    EXPECT_EQ(window->windowRect(), WindowRect::fromSize(0, 0, 1152, 648));
    window->setClientSize(1152, 648);
    EXPECT_EQ(window->windowRect(), WindowRect::fromSize(384, 216, 1152, 648));
}

TEST_F(WindowFixture, ShowCommandsFollowWin32Placement) {
    window->setWindowPos(100, 50, 800, 600, 0);
    const WindowRect normal = window->windowRect();
    const WindowRect monitor = window->monitorRect();
    seen.clear();

    struct Step {
        WindowAction action;
        int state;
        uintptr_t sizeType;
        WindowRect rect;
    };
    const Step steps[] = {
        {WindowAction::Maximize, SW_SHOWMAXIMIZED, SIZE_MAXIMIZED, monitor},
        {WindowAction::Minimize, SW_SHOWMINIMIZED, SIZE_MINIMIZED, monitor},
        {WindowAction::Restore, SW_SHOWMAXIMIZED, SIZE_MAXIMIZED, monitor}, // back to maximised
        {WindowAction::Restore, SW_SHOWNORMAL, SIZE_RESTORED, normal},
        {WindowAction::Minimize, SW_SHOWMINIMIZED, SIZE_MINIMIZED, normal},
        {WindowAction::Restore, SW_SHOWNORMAL, SIZE_RESTORED, normal},
    };
    for (const Step& step : steps) {
        seen.clear();
        window->simulateWindowManagerAction(step.action);
        ASSERT_EQ(messages(), (std::vector<unsigned>{WM_SYSCOMMAND, WM_SIZE}));
        EXPECT_EQ(window->showState(), step.state);
        EXPECT_EQ(seen[1].wParam, step.sizeType);
        EXPECT_EQ(window->windowRect(), step.rect);
        intptr_t expected =
            step.state == SW_SHOWMINIMIZED ? 0 : makeSizeLParam(step.rect.width(), step.rect.height());
        EXPECT_EQ(seen[1].lParam, expected);
    }
    // A command for the state already in force sends no size message.
    seen.clear();
    window->simulateWindowManagerAction(WindowAction::Restore);
    EXPECT_EQ(messages(), std::vector<unsigned>{WM_SYSCOMMAND});
    EXPECT_STREQ(window->showStateName(), "normal");
}

TEST_F(WindowFixture, ShellStyleMinimiseOfMaximisedWindowComesBackMaximised) {
    // The hook un-maximises before a minimise and re-maximises on the next restored size, calling
    // back into the window from inside the hook.
    bool restoreMaximized = false;
    onMessage = [&](unsigned m, uintptr_t w, intptr_t, bool*) {
        if (m == WM_SYSCOMMAND && w == SC_MINIMIZE && window->showState() == SW_SHOWMAXIMIZED) {
            window->show(SW_SHOWNORMAL);
            restoreMaximized = true;
        } else if (m == WM_SIZE && w == SIZE_RESTORED && restoreMaximized) {
            restoreMaximized = false;
            window->show(SW_SHOWMAXIMIZED);
        }
    };
    window->simulateWindowManagerAction(WindowAction::Maximize);
    window->simulateWindowManagerAction(WindowAction::Minimize);
    EXPECT_EQ(window->showState(), SW_SHOWMINIMIZED);
    window->simulateWindowManagerAction(WindowAction::Restore);
    EXPECT_EQ(window->showState(), SW_SHOWMAXIMIZED);
    EXPECT_EQ(window->clientRect(), WindowRect::fromSize(0, 0, 1920, 1080));
    EXPECT_EQ(sizeMessages().back().wParam, SIZE_MAXIMIZED);
}

TEST_F(WindowFixture, ResizeDragSendsSizeStepsAndEndsWithExitSizeMove) {
    window->setWindowPos(100, 100, 800, 600, 0);
    seen.clear();
    window->simulateWindowManagerAction(WindowAction::Resize, 1000, 700);
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front().message, WM_SYSCOMMAND);
    EXPECT_EQ(seen.front().wParam, SC_SIZE);
    EXPECT_EQ(seen.back().message, WM_EXITSIZEMOVE);
    EXPECT_EQ(seen[1].message, WM_WINDOWPOSCHANGING);
    std::vector<Seen> sizes = sizeMessages();
    ASSERT_FALSE(sizes.empty());
    for (const Seen& s : sizes) EXPECT_EQ(s.wParam, SIZE_RESTORED);
    EXPECT_EQ(sizes.back().lParam, makeSizeLParam(1000, 700));
    EXPECT_EQ(window->windowRect(), WindowRect::fromSize(100, 100, 1000, 700));

    // A hook that processes SC_SIZE cancels the drag; bad sizes are ignored.
    onMessage = [](unsigned m, uintptr_t w, intptr_t, bool* processed) {
        if (m == WM_SYSCOMMAND && w == SC_SIZE) *processed = true;
    };
    seen.clear();
    window->simulateWindowManagerAction(WindowAction::Resize, 300, 300);
    window->simulateWindowManagerAction(WindowAction::Resize, -5, 0);
    EXPECT_EQ(messages(), std::vector<unsigned>{WM_SYSCOMMAND});
    EXPECT_EQ(window->clientRect().width(), 1000);
}

TEST_F(WindowFixture, PositionRecordMessageCannotBeForged) {
    // A hook that reads the record, as the shell's does: only a real record may ever reach it.
    onMessage = [](unsigned m, uintptr_t, intptr_t l, bool*) {
        if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WindowPos*>(l)->flags |= SWP_NOMOVE;
    };
    window->postMessage(WM_WINDOWPOSCHANGING, 0, 1);
    window->sendMessage(WM_WINDOWPOSCHANGING, 0, 12345);
    window->pumpMessages();
    EXPECT_TRUE(seen.empty());
    window->setWindowPos(5, 5, 10, 10, 0);
    EXPECT_EQ(messages(), (std::vector<unsigned>{WM_WINDOWPOSCHANGING, WM_SIZE}));
}

TEST_F(WindowFixture, RunawayHookRecursionIsCutOff) {
    int calls = 0;
    onMessage = [&](unsigned m, uintptr_t, intptr_t, bool*) {
        ++calls;
        if (m == WM_USER) window->sendMessage(WM_USER, 0, 0);
    };
    window->sendMessage(WM_USER, 0, 0);
    EXPECT_GT(calls, 1);
    EXPECT_LT(calls, 1000);
}

namespace {

/// A back-end whose window manager acts on its own, as a user does on a real desktop.
class UserDrivenWindow : public HeadlessWindow {
public:
    using HeadlessWindow::HeadlessWindow;
    using Window::noteExternalClose;
    using Window::noteExternalResize;
    using Window::noteExternalShowState;
    int stateApplied = 0;

protected:
    void applyShowState(int state, const WindowRect&) override { stateApplied = state; }
};

} // namespace

TEST(WindowUserActions, BecomeTheMessagesOfTheSameWin32Action) {
    useSimulatedClock(1000.0);
    UserDrivenWindow window(WindowRect::fromSize(0, 0, 1920, 1080));
    std::vector<std::pair<unsigned, uintptr_t>> seen;
    bool refuseMaximize = false;
    window.setWndProc([&](unsigned m, uintptr_t w, intptr_t, bool* processed) {
        seen.push_back({m, w});
        if (refuseMaximize && m == WM_SYSCOMMAND && w == SC_MAXIMIZE) *processed = true;
        return 0L;
    });
    using Seen = std::vector<std::pair<unsigned, uintptr_t>>;

    // A border drag: one SC_SIZE, a WM_SIZE per step, WM_EXITSIZEMOVE once it has been idle.
    window.noteExternalResize(1000, 600);
    window.noteExternalResize(1000, 600); // no change: nothing
    advanceSimulatedClock(0.05);
    window.noteExternalResize(1100, 650);
    advanceSimulatedClock(0.05);
    window.pumpMessages(); // still dragging
    EXPECT_EQ(seen, (Seen{{WM_SYSCOMMAND, SC_SIZE}, {WM_SIZE, SIZE_RESTORED}, {WM_SIZE, SIZE_RESTORED}}));
    advanceSimulatedClock(0.2);
    window.pumpMessages();
    window.pumpMessages();
    EXPECT_EQ(seen.back(), std::make_pair(WM_EXITSIZEMOVE, uintptr_t(0)));
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(window.clientRect(), WindowRect::fromSize(0, 0, 1100, 650));

    // Maximised by the window manager to its work area: the system command, then its real size.
    seen.clear();
    window.noteExternalShowState(SW_SHOWMAXIMIZED, 1920, 1040);
    EXPECT_EQ(seen,
              (Seen{{WM_SYSCOMMAND, SC_MAXIMIZE}, {WM_SIZE, SIZE_MAXIMIZED}, {WM_SIZE, SIZE_MAXIMIZED}}));
    EXPECT_EQ(window.clientRect(), WindowRect::fromSize(0, 0, 1920, 1040));

    // A hook that refuses the command keeps the state, and the window is put back.
    window.noteExternalShowState(SW_SHOWNORMAL, 1100, 650);
    refuseMaximize = true;
    window.noteExternalShowState(SW_SHOWMAXIMIZED, 1920, 1040);
    EXPECT_EQ(window.showState(), SW_SHOWNORMAL);
    EXPECT_EQ(window.stateApplied, SW_SHOWNORMAL);
    EXPECT_EQ(window.clientRect(), WindowRect::fromSize(0, 0, 1100, 650));

    seen.clear();
    window.noteExternalClose();
    EXPECT_EQ(seen, (Seen{{WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}}));
    EXPECT_TRUE(window.quitRequested());
}

TEST(WindowParse, MonitorGeometry) {
    struct Case {
        const char* text;
        bool ok;
        WindowRect rect;
    };
    const Case cases[] = {
        {"1920x1080+0+0", true, WindowRect::fromSize(0, 0, 1920, 1080)},
        {"1280x720-1280+40", true, WindowRect::fromSize(-1280, 40, 1280, 720)},
        {"0x1080+0+0", false, {}},
        {"1920x1080", false, {}},
        {"1920x1080+0+0junk", false, {}},
        {"axb+0+0", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        WindowRect out = WindowRect::fromSize(1, 2, 3, 4);
        EXPECT_EQ(parseMonitorGeometry(c.text, &out), c.ok) << c.text;
        EXPECT_EQ(out, c.ok ? c.rect : WindowRect::fromSize(1, 2, 3, 4)) << c.text;
    }
    WindowAction action;
    EXPECT_TRUE(parseWindowAction("maximize", &action));
    EXPECT_EQ(action, WindowAction::Maximize);
    EXPECT_FALSE(parseWindowAction("explode", &action));
}

TEST(WindowGlobal, CurrentWindowIsClearedWhenItGoes) {
    auto window = createHeadlessWindow(WindowRect::fromSize(0, 0, 800, 600));
    setPlatformWindow(window.get());
    EXPECT_EQ(platformWindow(), window.get());
    EXPECT_TRUE(window->isHeadless());
    EXPECT_FALSE(window->hasGLContext());
    EXPECT_EQ(window->nativeHandle(), 0u);
    EXPECT_FALSE(window->setIconFromFile("/nonexistent/icon.ico"));
    window.reset();
    EXPECT_EQ(platformWindow(), nullptr);
}
