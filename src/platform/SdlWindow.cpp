#include "platform/SdlWindow.h"

#include <GL/glew.h>
#include <SDL.h>
#include <SDL_image.h>

#include "platform/Clock.h"
#include "platform/DebugLog.h"

namespace qn {
namespace {

/// Own changes come back from a real window manager as events a little later; events within
/// this time of our own change are taken as its echo, not as a user action.
constexpr double kEchoSeconds = 0.3;

bool initGlew() {
    glewExperimental = GL_TRUE;
    GLenum err = glewInit();
    if (err == GLEW_OK) return true;
    // GLEW 2.2 looks for a GLX display even in EGL contexts and reports error 4, though the GL
    // functions are loaded: accept that when the shader entry points are there.
    if (err == GLEW_ERROR_NO_GLX_DISPLAY && glCreateShader != nullptr) return true;
    logLine("[SdlWindow] GLEW init failed: %s", reinterpret_cast<const char*>(glewGetErrorString(err)));
    return false;
}

} // namespace

std::unique_ptr<SdlWindow> SdlWindow::create(const std::string& title, int width, int height, bool vsync) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        logLine("[SdlWindow] no video: %s", SDL_GetError());
        return nullptr;
    }
    // Quitting comes from WM_CLOSE; SDL_QUIT then only means a signal (Ctrl-C).
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    std::unique_ptr<SdlWindow> self(new SdlWindow());

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);

    const Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
    self->m_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                      height, flags | SDL_WINDOW_OPENGL);
    if (!self->m_window) {
        logLine("[SdlWindow] no OpenGL window (%s); running without GL", SDL_GetError());
        self->m_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          width, height, flags);
    }
    if (!self->m_window) {
        logLine("[SdlWindow] cannot create a window: %s", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    if (SDL_GetWindowFlags(self->m_window) & SDL_WINDOW_OPENGL) {
        self->m_gl = SDL_GL_CreateContext(self->m_window);
        if (!self->m_gl) {
            logLine("[SdlWindow] no OpenGL context (%s); running without GL", SDL_GetError());
        } else if (!initGlew()) {
            SDL_GL_DeleteContext(self->m_gl);
            self->m_gl = nullptr;
            logLine("[SdlWindow] running without GL");
        } else {
            self->setVSync(vsync);
            logLine("[SdlWindow] OpenGL %s (%s)", reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                    reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
        }
    }
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(self->m_window, &x, &y);
    SDL_GetWindowSize(self->m_window, &w, &h);
    self->initPlacement(WindowRect::fromSize(x, y, w, h));
    self->m_managed = sdlWindowManaged(self->m_window);
    self->Window::setTitle(title);
    return self;
}

SdlEventSink::~SdlEventSink() {
    if (m_attachedWindow) m_attachedWindow->setEventSink(nullptr);
}

void SdlWindow::setEventSink(SdlEventSink* sink) {
    if (m_sink == sink) return;
    if (m_sink) m_sink->m_attachedWindow = nullptr;
    if (sink && sink->m_attachedWindow) sink->m_attachedWindow->setEventSink(nullptr);
    m_sink = sink;
    if (m_sink) m_sink->m_attachedWindow = this;
}

SdlWindow::~SdlWindow() {
    setEventSink(nullptr);
    if (m_gl) SDL_GL_DeleteContext(m_gl);
    if (m_window) SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

void SdlWindow::swapBuffers() {
    if (m_gl) SDL_GL_SwapWindow(m_window);
}

void SdlWindow::setVSync(bool on) {
    if (m_gl && SDL_GL_SetSwapInterval(on ? 1 : 0) != 0 && on)
        logLine("[SdlWindow] vsync unavailable: %s", SDL_GetError());
}

uint64_t SdlWindow::nativeHandle() const {
    return sdlX11WindowId(m_window);
}

WindowRect SdlWindow::monitorRect() const {
    SDL_Rect bounds;
    int display = SDL_GetWindowDisplayIndex(m_window);
    if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0)
        return WindowRect::fromSize(0, 0, 1920, 1080);
    return WindowRect::fromSize(bounds.x, bounds.y, bounds.w, bounds.h);
}

bool SdlWindow::setIconFromFile(const std::string& path) {
    SDL_Surface* icon = IMG_Load(path.c_str());
    if (!icon) return false;
    SDL_SetWindowIcon(m_window, icon);
    SDL_FreeSurface(icon);
    return true;
}

void SdlWindow::applyStyle(uint32_t style) {
    SDL_SetWindowBordered(m_window, (style & WS_CAPTION) ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowResizable(m_window, (style & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::applyTitle(const std::string& title) {
    SDL_SetWindowTitle(m_window, title.c_str());
}

void SdlWindow::applyPlacement(const WindowRect& rect) {
    m_lastOwnChange = nowSeconds();
    SDL_SetWindowPosition(m_window, rect.left, rect.top);
    SDL_SetWindowSize(m_window, rect.width() > 0 ? rect.width() : 1, rect.height() > 0 ? rect.height() : 1);
}

void SdlWindow::applyShowState(int showState, const WindowRect& rect) {
    m_lastOwnChange = nowSeconds();
    switch (showState) {
    case SW_SHOWMAXIMIZED:
        SDL_MaximizeWindow(m_window);
        break;
    case SW_SHOWMINIMIZED:
        SDL_MinimizeWindow(m_window);
        break;
    default:
        SDL_RestoreWindow(m_window);
        break;
    }
    // Without a window manager nothing carries the state out: place the window ourselves so the
    // drawable follows the client area.
    if (!m_managed && showState != SW_SHOWMINIMIZED) applyPlacement(rect);
}

void SdlWindow::pollEvents() {
    const Uint32 ownId = SDL_GetWindowID(m_window);
    bool stateChanged = false, resized = false, moved = false, closed = false, quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT:
            quit = true;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.windowID != ownId) break;
            switch (event.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                closed = true;
                break;
            case SDL_WINDOWEVENT_MINIMIZED:
            case SDL_WINDOWEVENT_MAXIMIZED:
            case SDL_WINDOWEVENT_RESTORED:
                stateChanged = true;
                break;
            case SDL_WINDOWEVENT_RESIZED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                resized = true;
                break;
            case SDL_WINDOWEVENT_MOVED:
                moved = true;
                break;
            default:
                break;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        case SDL_TEXTINPUT:
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERAXISMOTION:
        case SDL_JOYDEVICEADDED:
        case SDL_JOYDEVICEREMOVED:
        case SDL_JOYHATMOTION:
            if (m_sink) m_sink->onSdlEvent(event);
            break;
        default:
            break;
        }
    }
    // React to the window's state now, not to each event's payload: events of our own changes
    // carry sizes that may already be out of date. A real window manager carries our changes out
    // a little later, so shortly after one of them the check waits until things settle.
    if (resized || moved || stateChanged) m_checkPending = true;
    bool settling = m_lastOwnChange >= 0.0 && nowSeconds() - m_lastOwnChange < kEchoSeconds;
    if (m_checkPending && !settling) {
        m_checkPending = false;
        int w = 0, h = 0, x = 0, y = 0;
        SDL_GetWindowSize(m_window, &w, &h);
        SDL_GetWindowPosition(m_window, &x, &y);
        Uint32 flags = SDL_GetWindowFlags(m_window);
        noteExternalMove(x, y);
        // Without a window manager nobody but us changes the show state (and SDL keeps no flags
        // for it), so only the size is compared there.
        if (m_managed) {
            int actual = (flags & SDL_WINDOW_MINIMIZED)   ? SW_SHOWMINIMIZED
                         : (flags & SDL_WINDOW_MAXIMIZED) ? SW_SHOWMAXIMIZED
                                                          : SW_SHOWNORMAL;
            noteExternalShowState(actual, w, h);
        } else if (showState() != SW_SHOWMINIMIZED) {
            noteExternalResize(w, h);
        }
    }
    if (closed) noteExternalClose();
    if (quit) sendMessage(WM_CLOSE, 0, 0);
}

std::unique_ptr<Window> createSdlWindow(const std::string& title, int width, int height, bool vsync) {
    return SdlWindow::create(title, width, height, vsync);
}

} // namespace qn
