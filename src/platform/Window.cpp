#include "platform/Window.h"

#include <algorithm>
#include <cstdio>

#include "platform/Clock.h"
#include "platform/DebugLog.h"

namespace qn {
namespace {

Window* g_platformWindow = nullptr;

/// Hooks that answer a message by sending another can recurse; past this depth a message is
/// dropped (and logged) instead of overflowing the stack.
constexpr int kMaxMessageDepth = 64;
/// Client sizes are clamped to what a WM_SIZE lParam word can carry.
constexpr int kMaxClientSide = 0x7FFF;
/// A user border drag counts as ended when no resize arrived for this long.
constexpr double kDragIdleSeconds = 0.150;

int clampSide(int value) {
    return std::clamp(value, 0, kMaxClientSide);
}

} // namespace

bool parseMonitorGeometry(const std::string& text, WindowRect* out) {
    int w = 0, h = 0, x = 0, y = 0, consumed = 0;
    char sx = 0, sy = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c%d%c%d%n", &w, &h, &sx, &x, &sy, &y, &consumed) != 6) return false;
    if (consumed != static_cast<int>(text.size())) return false;
    if ((sx != '+' && sx != '-') || (sy != '+' && sy != '-')) return false;
    if (w <= 0 || h <= 0 || w > kMaxClientSide || h > kMaxClientSide || x < 0 || y < 0) return false;
    if (sx == '-') x = -x;
    if (sy == '-') y = -y;
    *out = WindowRect::fromSize(x, y, w, h);
    return true;
}

bool parseWindowAction(const std::string& text, WindowAction* out) {
    static const struct {
        const char* name;
        WindowAction action;
    } kActions[] = {{"minimize", WindowAction::Minimize},
                    {"maximize", WindowAction::Maximize},
                    {"restore", WindowAction::Restore},
                    {"close", WindowAction::Close},
                    {"resize", WindowAction::Resize}};
    for (const auto& entry : kActions) {
        if (text == entry.name) {
            *out = entry.action;
            return true;
        }
    }
    return false;
}

Window::Window() = default;

Window::~Window() {
    if (g_platformWindow == this) g_platformWindow = nullptr;
}

void Window::setTitle(const std::string& title) {
    m_title = title;
    applyTitle(m_title);
}

void Window::setStyle(uint32_t style) {
    m_style = style;
    applyStyle(style);
}

const char* Window::showStateName() const {
    switch (m_showState) {
    case SW_SHOWMAXIMIZED:
        return "maximized";
    case SW_SHOWMINIMIZED:
        return "minimized";
    default:
        return "normal";
    }
}

uintptr_t Window::sizeType() const {
    if (m_showState == SW_SHOWMAXIMIZED) return SIZE_MAXIMIZED;
    if (m_showState == SW_SHOWMINIMIZED) return SIZE_MINIMIZED;
    return SIZE_RESTORED;
}

void Window::sendSizeMessage() {
    intptr_t lParam = m_showState == SW_SHOWMINIMIZED ? 0 : makeSizeLParam(m_rect.width(), m_rect.height());
    sendMessage(WM_SIZE, sizeType(), lParam);
}

void Window::setWindowPos(int x, int y, int width, int height, unsigned flags) {
    WindowPos pos;
    pos.x = x;
    pos.y = y;
    pos.cx = width;
    pos.cy = height;
    pos.flags = flags;
    deliver(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<intptr_t>(&pos));

    WindowRect next = m_rect;
    if (!(pos.flags & SWP_NOMOVE)) next = WindowRect::fromSize(pos.x, pos.y, next.width(), next.height());
    if (!(pos.flags & SWP_NOSIZE))
        next = WindowRect::fromSize(next.left, next.top, clampSide(pos.cx), clampSide(pos.cy));
    if (next == m_rect) return;
    bool resized = next.width() != m_rect.width() || next.height() != m_rect.height();
    m_rect = next;
    if (m_showState == SW_SHOWNORMAL) m_normalRect = m_rect;
    applyPlacement(m_rect);
    if (resized) sendSizeMessage();
}

void Window::setClientSize(int width, int height) {
    width = clampSide(width);
    height = clampSide(height);
    // First the size in place, then centring on the monitor: two position changes, as a view that
    // re-centres itself after a resize makes them (a hook may strip the move).
    setWindowPos(0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOCOPYBITS);
    WindowRect monitor = monitorRect();
    int x = monitor.left + (monitor.width() - m_rect.width()) / 2;
    int y = monitor.top + (monitor.height() - m_rect.height()) / 2;
    setWindowPos(x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOCOPYBITS);
}

bool Window::show(int command) {
    int next = m_showState;
    WindowRect rect = m_rect;
    switch (command) {
    case SW_SHOWMAXIMIZED:
        if (m_showState == SW_SHOWMAXIMIZED) return false;
        next = SW_SHOWMAXIMIZED;
        rect = monitorRect();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        if (m_showState == SW_SHOWMINIMIZED) return false;
        m_maximizedBeforeMinimize = m_showState == SW_SHOWMAXIMIZED;
        next = SW_SHOWMINIMIZED;
        break;
    case SW_RESTORE:
        if (m_showState == SW_SHOWNORMAL) return false;
        if (m_showState == SW_SHOWMINIMIZED && m_maximizedBeforeMinimize) {
            next = SW_SHOWMAXIMIZED;
            rect = monitorRect();
        } else {
            next = SW_SHOWNORMAL;
            rect = m_normalRect;
        }
        break;
    case SW_SHOWNORMAL:
        if (m_showState == SW_SHOWNORMAL) return false;
        next = SW_SHOWNORMAL;
        rect = m_normalRect;
        break;
    case SW_SHOW:
    case SW_HIDE:
        return false; // the window is always shown; visibility is not modelled
    default:
        logLine("[Window] unknown show command %d ignored", command);
        return false;
    }
    if (next != SW_SHOWMINIMIZED) m_maximizedBeforeMinimize = false;
    m_showState = next;
    m_rect = rect;
    applyShowState(m_showState, m_rect);
    sendSizeMessage();
    return true;
}

bool Window::refusedFromOutside(unsigned message) {
    // Its lParam is a pointer to a live position record that only setWindowPos can provide; a
    // hook would follow whatever number came from outside (e.g. a scripted "post 0x46 0 1").
    if (message != WM_WINDOWPOSCHANGING) return false;
    logLine("[Window] message 0x%x carries a position record and cannot be sent or posted; dropped", message);
    return true;
}

void Window::postMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (refusedFromOutside(message)) return;
    m_queue.push_back(Message{message, wParam, lParam});
}

long Window::sendMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (refusedFromOutside(message)) return 0;
    return deliver(message, wParam, lParam);
}

long Window::deliver(unsigned message, uintptr_t wParam, intptr_t lParam) {
    static int depth = 0;
    if (depth >= kMaxMessageDepth) {
        logLine("[Window] message 0x%x dropped: messages nested too deep", message);
        return 0;
    }
    ++depth;
    bool processed = false;
    long result = 0;
    if (m_hook) result = m_hook(message, wParam, lParam, &processed);
    if (!processed) defaultHandling(message, wParam, lParam);
    --depth;
    return result;
}

void Window::pumpMessages() {
    pollEvents();
    finishExternalDragIfIdle();
    // Only what was queued before this pump: a hook that keeps posting cannot stall the frame.
    size_t count = m_queue.size();
    for (size_t i = 0; i < count && !m_queue.empty(); ++i) {
        Message m = m_queue.front();
        m_queue.pop_front();
        deliver(m.message, m.wParam, m.lParam);
    }
}

void Window::defaultHandling(unsigned message, uintptr_t wParam, intptr_t lParam) {
    (void)lParam;
    switch (message) {
    case WM_CLOSE:
        m_quitRequested = true;
        break;
    case WM_SYSCOMMAND:
        systemCommand(wParam & 0xFFF0u);
        break;
    default:
        break;
    }
}

void Window::systemCommand(uintptr_t command) {
    switch (command) {
    case SC_MINIMIZE:
        show(SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        show(SW_SHOWMAXIMIZED);
        break;
    case SC_RESTORE:
        show(SW_RESTORE);
        break;
    case SC_CLOSE:
        sendMessage(WM_CLOSE, 0, 0);
        break;
    case SC_SIZE:
        if (m_hasDragTarget) runSimulatedDrag(m_dragWidth, m_dragHeight);
        break;
    default:
        break;
    }
}

void Window::simulateWindowManagerAction(WindowAction action, int width, int height) {
    switch (action) {
    case WindowAction::Minimize:
        sendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case WindowAction::Maximize:
        sendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        break;
    case WindowAction::Restore:
        sendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
    case WindowAction::Close:
        sendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case WindowAction::Resize:
        if (width <= 0 || height <= 0 || width > kMaxClientSide || height > kMaxClientSide) {
            logLine("[Window] resize to %dx%d ignored", width, height);
            return;
        }
        if (m_showState == SW_SHOWMINIMIZED) {
            logLine("[Window] resize of a minimised window ignored");
            return;
        }
        m_hasDragTarget = true;
        m_dragWidth = width;
        m_dragHeight = height;
        sendMessage(WM_SYSCOMMAND, SC_SIZE, 0);
        m_hasDragTarget = false; // a hook that processed SC_SIZE cancelled the drag
        break;
    }
}

void Window::runSimulatedDrag(int width, int height) {
    m_hasDragTarget = false;
    if (m_showState == SW_SHOWMAXIMIZED) {
        // Grabbing the border of a maximised window un-maximises it first, keeping its rectangle.
        m_showState = SW_SHOWNORMAL;
        m_normalRect = m_rect;
        applyShowState(m_showState, m_rect);
        applyPlacement(m_rect);
    }
    int startW = m_rect.width(), startH = m_rect.height();
    int midW = (startW + width) / 2, midH = (startH + height) / 2;
    bool midDiffers = (midW != startW || midH != startH) && (midW != width || midH != height);
    if (midDiffers) setWindowPos(m_rect.left, m_rect.top, midW, midH, SWP_NOZORDER | SWP_NOACTIVATE);
    setWindowPos(m_rect.left, m_rect.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    sendMessage(WM_EXITSIZEMOVE, 0, 0);
}

void Window::noteExternalClose() {
    sendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Window::noteExternalShowState(int showState, int clientWidth, int clientHeight) {
    if (showState != m_showState) {
        uintptr_t command = showState == SW_SHOWMINIMIZED   ? SC_MINIMIZE
                            : showState == SW_SHOWMAXIMIZED ? SC_MAXIMIZE
                                                            : SC_RESTORE;
        sendMessage(WM_SYSCOMMAND, command, 0);
        // A hook that refused the command leaves the model as it was: put the window back.
        if (m_showState != showState) {
            applyShowState(m_showState, m_rect);
            if (m_showState != SW_SHOWMINIMIZED) applyPlacement(m_rect);
            return;
        }
    }
    if (m_showState != SW_SHOWMINIMIZED) noteExternalResize(clientWidth, clientHeight);
}

void Window::noteExternalResize(int clientWidth, int clientHeight) {
    clientWidth = clampSide(clientWidth);
    clientHeight = clampSide(clientHeight);
    if (clientWidth == m_rect.width() && clientHeight == m_rect.height()) return;
    if (m_showState == SW_SHOWNORMAL && !m_externalDrag) {
        m_externalDrag = true;
        sendMessage(WM_SYSCOMMAND, SC_SIZE, 0);
    }
    if (m_externalDrag) m_lastExternalResize = nowSeconds();
    m_rect = WindowRect::fromSize(m_rect.left, m_rect.top, clientWidth, clientHeight);
    if (m_showState == SW_SHOWNORMAL) m_normalRect = m_rect;
    sendSizeMessage();
}

void Window::noteExternalMove(int x, int y) {
    if (x == m_rect.left && y == m_rect.top) return;
    m_rect = WindowRect::fromSize(x, y, m_rect.width(), m_rect.height());
    if (m_showState == SW_SHOWNORMAL) m_normalRect = m_rect;
}

void Window::finishExternalDragIfIdle() {
    if (!m_externalDrag || nowSeconds() - m_lastExternalResize < kDragIdleSeconds) return;
    m_externalDrag = false;
    sendMessage(WM_EXITSIZEMOVE, 0, 0);
}

Window* platformWindow() {
    return g_platformWindow;
}

void setPlatformWindow(Window* window) {
    g_platformWindow = window;
}

} // namespace qn
