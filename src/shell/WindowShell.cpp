#include "shell/WindowShell.h"

#include "framework/CCEGLView.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "services/QNPSettingsController.h"
#include "shell/DesignResolution.h"

using namespace cocos2d;

namespace qn {
namespace {

constexpr uint32_t kFullScreenStyle = WS_POPUP | WS_VISIBLE;
constexpr uint32_t kWindowedStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr double kWindowedSizeFactor = 0.6;
constexpr uintptr_t kScMove = 0xF010;

ShellState g_shell;

/// Re-applies the design resolution after a size change. The project's own design size and policy
/// are used (a portrait project stays portrait), never a fixed landscape size.
void reapplyDesignResolution() {
    ResolutionPolicy policy = CCEGLView::sharedOpenGLView()->getResolutionPolicy();
    applyProjectDesignResolution(policy);
}

void relayout(unsigned message, uintptr_t wParam, bool* processed) {
    g_shell.moveSuppressCount = 2;
    if (g_shell.shellWindow) {
        WindowRect client = g_shell.shellWindow->clientRect();
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        view->setFrameSize((float)client.width(), (float)client.height());
        view->setFrameZoomFactor(1.0f);
        reapplyDesignResolution();
    }
    *processed = true;
    if (message == WM_SIZE) {
        if (wParam == SIZE_RESTORED) --g_shell.pendingRelayoutCount;
        else if (wParam == SIZE_MAXIMIZED) g_shell.pendingRelayoutCount = 2;
    }
}

} // namespace

ShellState& shellState() { return g_shell; }

void resetShellState() { g_shell = ShellState(); }

void applyWindowMode(bool fullScreen, bool initial) {
    if (!initial && fullScreen == g_shell.currentFullScreen) return;
    g_shell.currentFullScreen = fullScreen;
    Window* window = g_shell.shellWindow;
    if (!window) return;

    WindowRect monitor = window->monitorRect();
    const int left = monitor.left, top = monitor.top;
    const int W = monitor.width(), H = monitor.height();
    int frameW = W, frameH = H;
    if (fullScreen) {
        window->setStyle(kFullScreenStyle);
        window->setWindowPos(left, top, W, H, SWP_SHOWWINDOW);
    } else {
        window->setStyle(kWindowedStyle);
        frameW = (int)(W * kWindowedSizeFactor);
        frameH = (int)(H * kWindowedSizeFactor);
        const int x = left + W / 2 - frameW / 2;
        const int y = top + H / 2 - frameH / 2;
        // The call carries the monitor's size; the frame-size change below brings the window to
        // its windowed size.
        window->setWindowPos(x, y, W, H, SWP_SHOWWINDOW);
    }
    if (!initial) g_shell.moveSuppressCount = 2;

    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize((float)frameW, (float)frameH);
    view->setFrameZoomFactor(1.0f);
    // At start-up the application delegate sets the design resolution, with the orientation.
    if (!initial) reapplyDesignResolution();
}

long shellWindowProc(unsigned message, uintptr_t wParam, intptr_t lParam, bool* processed) {
    switch (message) {
    case WM_USER:
        QNPSettingsController::sharedSettings()->save();
        applyWindowMode(wParam != 0, false);
        break;
    case WM_WINDOWPOSCHANGING: {
        *processed = true;
        WindowPos* pos = reinterpret_cast<WindowPos*>(lParam);
        if (pos && g_shell.moveSuppressCount > 0 && !(pos->flags & SWP_NOMOVE)) {
            pos->flags |= SWP_NOMOVE;
            --g_shell.moveSuppressCount;
        }
        break;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE && g_shell.shellWindow &&
            g_shell.shellWindow->showState() == SW_SHOWMAXIMIZED) {
            g_shell.shellWindow->show(SW_SHOWNORMAL);
            g_shell.restoreMaximizedAfterMinimize = true;
        }
        // A border drag or move ends with WM_EXITSIZEMOVE, which relayouts once; arming the
        // pending relayout for it would also relayout at the drag's first size step.
        if ((wParam & 0xFFF0) != SC_SIZE && (wParam & 0xFFF0) != kScMove) g_shell.pendingRelayoutCount = 1;
        break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED) {
            if (g_shell.restoreMaximizedAfterMinimize) {
                g_shell.restoreMaximizedAfterMinimize = false;
                if (g_shell.shellWindow) g_shell.shellWindow->show(SW_SHOWMAXIMIZED);
            }
            if (g_shell.pendingRelayoutCount != 0) relayout(message, wParam, processed);
        } else if (wParam == SIZE_MAXIMIZED) {
            relayout(message, wParam, processed);
        }
        break;
    case WM_EXITSIZEMOVE: relayout(message, wParam, processed); break;
    default: break;
    }
    return 0;
}

void CaptureObject::update(float dt) {
    (void)dt;
    if (m_input) m_input->capture();
}

} // namespace qn
