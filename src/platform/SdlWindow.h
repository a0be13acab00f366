#pragma once
// The SDL2 window back-end: a real window with an OpenGL 2.1 compatibility context (when one can
// be made; otherwise the window runs without GL, e.g. under SDL_VIDEODRIVER=dummy). Style,
// placement and show state decided by Window are carried out with SDL calls, and SDL's window
// events come back as Win32-style messages. This is the program's only SDL_PollEvent loop:
// keyboard and game-controller events are handed to the registered event sink (the SDL input
// back-end).
//
// A user border drag has no begin/end on SDL: the first resize of a normal window sends
// WM_SYSCOMMAND SC_SIZE, each resize sends WM_SIZE, and WM_EXITSIZEMOVE follows once no resize
// arrived for 150 ms of program clock.

#include <SDL_video.h>

#include "platform/Window.h"

union SDL_Event;

namespace qn {

class SdlWindow;

/// Receives the input events of the window's event pump (keyboard, text, game controllers).
/// Either side may go first: a sink detaches itself from its window when destroyed, and a window
/// forgets its sink.
class SdlEventSink {
public:
    virtual ~SdlEventSink();
    virtual void onSdlEvent(const SDL_Event& event) = 0;

private:
    friend class SdlWindow;
    SdlWindow* m_attachedWindow = nullptr;
};

class SdlWindow : public Window {
public:
    ~SdlWindow() override;

    /// Creates the window (and its GL context when possible). Null when SDL has no video at all.
    static std::unique_ptr<SdlWindow> create(const std::string& title, int width, int height, bool vsync);

    bool isHeadless() const override { return false; }
    bool hasGLContext() const override { return m_gl != nullptr; }
    void swapBuffers() override;
    void setVSync(bool on) override;
    uint64_t nativeHandle() const override;
    WindowRect monitorRect() const override;
    bool setIconFromFile(const std::string& path) override;

    /// Sets where input events of the pump go (not owned; null to stop).
    void setEventSink(SdlEventSink* sink);
    SDL_Window* sdlWindow() const { return m_window; }
    /// True when a window manager runs the window (see sdlWindowManaged).
    bool isManaged() const { return m_managed; }

protected:
    void applyStyle(uint32_t style) override;
    void applyTitle(const std::string& title) override;
    void applyPlacement(const WindowRect& rect) override;
    void applyShowState(int showState, const WindowRect& rect) override;
    void pollEvents() override;

private:
    SdlWindow() = default;
    bool m_managed = false;

    SDL_Window* m_window = nullptr;
    SDL_GLContext m_gl = nullptr;
    SdlEventSink* m_sink = nullptr;
    double m_lastOwnChange = -1.0; ///< when we last moved, resized or re-stated the window
    bool m_checkPending = false;   ///< window events arrived that were not yet compared
};

/// The X11 window id of an SDL window, 0 when it is not an X11 window. (Kept with the OIS code,
/// the one file that includes the system window-manager headers.)
uint64_t sdlX11WindowId(SDL_Window* window);
/// True when a window manager carries out maximise and restore for the window (false on the
/// offscreen and dummy drivers and on an X server without one, e.g. a bare Xvfb).
bool sdlWindowManaged(SDL_Window* window);

} // namespace qn
