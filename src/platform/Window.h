#pragma once
// The program's one window, seen the way a Win32 window is: a 32-bit style, a placement (position,
// client size, show state), a message hook, posted messages and default handling. Two back-ends
// share every message path defined here: SdlWindow (a real SDL2 window with an OpenGL context) and
// HeadlessWindow (no video at all). Back-ends only carry out what this class decides.
//
// Model: the window rectangle equals the client rectangle (no border thickness is modelled), so
// client size == window size and the position is the client area's top-left on the desktop.
// Maximised means the client area covers the monitor rectangle; restoring a maximised window
// brings back its last normal placement, and restoring a minimised one brings back the state it
// had (maximised or normal). A minimised window keeps its placement (clientRect() still reports
// the size it will come back with; WM_SIZE SIZE_MINIMIZED carries 0). Show commands change the
// placement directly, without WM_WINDOWPOSCHANGING; setWindowPos and the drag steps send it.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/WindowMessages.h"

namespace qn {

/// A rectangle in desktop pixels, Win32 style (right and bottom exclusive).
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const WindowRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const WindowRect& o) const { return !(*this == o); }
    static WindowRect fromSize(int x, int y, int w, int h) { return WindowRect{x, y, x + w, y + h}; }
};

/// Parses "WxH+X+Y" (X and Y may be negative: "1280x720-1280+0"). False, leaving `out`
/// unchanged, when the text is not of that form or the size is not positive.
bool parseMonitorGeometry(const std::string& text, WindowRect* out);

/// The message hook: called before default handling; setting *processed stops the default.
using WndProcHook = std::function<long(unsigned message, uintptr_t wParam, intptr_t lParam, bool* processed)>;

/// What the window manager (or a scripted `window` event) can do to the window.
enum class WindowAction { Minimize, Maximize, Restore, Close, Resize };

/// Parses "minimize", "maximize", "restore", "close", "resize".
bool parseWindowAction(const std::string& text, WindowAction* out);

class Window {
public:
    virtual ~Window();

    // --- back-end facts ---
    /// True for the null back-end (no video, no GL).
    virtual bool isHeadless() const = 0;
    /// True when an OpenGL context is current for this window.
    virtual bool hasGLContext() const = 0;
    /// Presents the back buffer (nothing without GL).
    virtual void swapBuffers() = 0;
    /// Turns vsync on or off (no effect without GL).
    virtual void setVSync(bool on) = 0;
    /// The native handle as an integer: the X11 window id on X11, 0 otherwise.
    virtual uint64_t nativeHandle() const = 0;
    /// The rectangle of the monitor nearest the window.
    virtual WindowRect monitorRect() const = 0;

    // --- title and icon ---
    void setTitle(const std::string& title);
    const std::string& title() const { return m_title; }
    /// Loads an ICO/PNG/BMP file as the window icon. A missing or unreadable file sets no icon and
    /// returns false (not an error); headless keeps only the path.
    virtual bool setIconFromFile(const std::string& path) = 0;

    // --- style and placement ---
    /// Sets the 32-bit style (WS_POPUP|WS_VISIBLE borderless, WS_OVERLAPPEDWINDOW|WS_VISIBLE captioned).
    void setStyle(uint32_t style);
    uint32_t style() const { return m_style; }
    /// Sends WM_WINDOWPOSCHANGING with the record (the hook may change it, e.g. add SWP_NOMOVE),
    /// then applies the possibly changed record. SWP_NOMOVE and SWP_NOSIZE are honoured. A size
    /// change sends WM_SIZE with the current size type.
    void setWindowPos(int x, int y, int width, int height, unsigned flags);
    /// The window rectangle on the desktop (equal to the client area here).
    WindowRect windowRect() const { return m_rect; }
    /// The client rectangle in client coordinates: (0, 0, width, height).
    WindowRect clientRect() const { return WindowRect{0, 0, m_rect.width(), m_rect.height()}; }
    /// Resizes the client area and centres the window on its monitor, through setWindowPos (what
    /// the view does when its frame size changes).
    void setClientSize(int width, int height);
    /// Carries out a show command (SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_MINIMIZE, SW_RESTORE,
    /// SW_SHOW); sends WM_SIZE when the show state changes. Returns whether the state changed.
    bool show(int command);
    /// The placement's show state: SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED.
    int showState() const { return m_showState; }
    /// "normal", "maximized" or "minimized".
    const char* showStateName() const;

    // --- messages ---
    /// Installs the hook every message goes to first (an empty hook removes it).
    void setWndProc(WndProcHook hook) { m_hook = std::move(hook); }
    /// Queues a message for the next pumpMessages. WM_WINDOWPOSCHANGING is refused (logged): its
    /// lParam must point to a position record, which only setWindowPos makes.
    void postMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
    /// Delivers a message now: hook first, then default handling unless processed. Returns the
    /// hook's result (0 without one). WM_WINDOWPOSCHANGING is refused as in postMessage.
    long sendMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
    /// Turns back-end events into messages, then delivers the messages that were queued when it
    /// started; messages posted meanwhile wait for the next pump (never lost, never recursive).
    void pumpMessages();
    /// Messages still queued.
    size_t pendingMessageCount() const { return m_queue.size(); }
    /// True once WM_CLOSE reached default handling (or requestQuit); the run loop ends then.
    bool quitRequested() const { return m_quitRequested; }
    /// Sets the quit flag directly, with no message (the framework's own end of the run).
    void requestQuit() { m_quitRequested = true; }

    /// Plays a window-manager action through the same messages a user action causes: minimise,
    /// maximise, restore, close (WM_SYSCOMMAND and the WM_SIZE/WM_CLOSE it leads to) or a border
    /// drag to the client size width x height (WM_SYSCOMMAND SC_SIZE, whose default handling makes
    /// the drag: a halfway step and the final step, each WM_WINDOWPOSCHANGING then WM_SIZE
    /// SIZE_RESTORED, then WM_EXITSIZEMOVE). A hook that processes SC_SIZE cancels the drag; a
    /// maximised window is un-maximised in place first; a minimised one and bad sizes are ignored.
    void simulateWindowManagerAction(WindowAction action, int width = 0, int height = 0);

protected:
    Window();

    // What the back-end does to carry out a decision (the model state is already updated).
    virtual void applyStyle(uint32_t style) = 0;
    virtual void applyTitle(const std::string& title) = 0;
    virtual void applyPlacement(const WindowRect& rect) = 0;
    /// `rect` is the placement the state implies (the monitor when maximised).
    virtual void applyShowState(int showState, const WindowRect& rect) = 0;
    /// Polls back-end events and reports them with the note* calls below.
    virtual void pollEvents() = 0;

    // Reports of what the window manager did on its own (SDL back-end), turned into messages.
    void noteExternalClose();
    void noteExternalShowState(int showState, int clientWidth, int clientHeight);
    void noteExternalResize(int clientWidth, int clientHeight);
    void noteExternalMove(int x, int y);
    /// Ends a user border drag once no resize arrived for a while (sends WM_EXITSIZEMOVE).
    void finishExternalDragIfIdle();

    /// Sets the rectangle without messages (back-end initialisation).
    void initPlacement(const WindowRect& rect) { m_rect = m_normalRect = rect; }

private:
    static bool refusedFromOutside(unsigned message);
    long deliver(unsigned message, uintptr_t wParam, intptr_t lParam);
    void defaultHandling(unsigned message, uintptr_t wParam, intptr_t lParam);
    void systemCommand(uintptr_t command);
    void runSimulatedDrag(int width, int height);
    void sendSizeMessage();
    uintptr_t sizeType() const;

    struct Message {
        unsigned message;
        uintptr_t wParam;
        intptr_t lParam;
    };

    WndProcHook m_hook;
    std::deque<Message> m_queue;
    std::string m_title;
    uint32_t m_style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    WindowRect m_rect;
    WindowRect m_normalRect; ///< the placement restored from maximised
    int m_showState = SW_SHOWNORMAL;
    bool m_maximizedBeforeMinimize = false;
    bool m_quitRequested = false;
    bool m_hasDragTarget = false;
    int m_dragWidth = 0;
    int m_dragHeight = 0;
    bool m_externalDrag = false;
    double m_lastExternalResize = 0.0;
};

/// Creates the null back-end reporting `monitor` as its monitor (see HeadlessWindow.h).
std::unique_ptr<Window> createHeadlessWindow(const WindowRect& monitor);

/// Creates the SDL2 back-end (initialises SDL video). Falls back to no GL when the context cannot
/// be made; returns null only when SDL cannot make a window at all (logged).
std::unique_ptr<Window> createSdlWindow(const std::string& title, int width, int height, bool vsync);

/// The process-wide current window (not owned; null when none was set).
Window* platformWindow();
/// Sets the process-wide current window (the caller keeps ownership; pass null to clear).
void setPlatformWindow(Window* window);

} // namespace qn
