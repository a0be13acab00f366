// The OIS input back-end, and the one place that includes the system window-manager headers
// (SDL_syswm.h brings Xlib and its macros), so both live in this file alone.
//
// The input manager is created on the SDL window's X11 handle with keyboard and mouse grabs off;
// it gets a buffered keyboard and at most one buffered joystick. No OIS mouse is ever created on
// the SDL window: X refuses a second pointer grab and Xlib then ends the process.

#include <OISException.h>
#include <OISInputManager.h>

#include <cstring>
#include <string>

#include "platform/DebugLog.h"
#include "platform/Input.h"
#include "platform/SdlWindow.h"
#include "platform/Window.h"

#include <SDL_syswm.h>

namespace qn {

uint64_t sdlX11WindowId(SDL_Window* window) {
    if (!window) return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        return static_cast<uint64_t>(info.info.x11.window);
#endif
    return 0;
}

bool sdlWindowManaged(SDL_Window* window) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!window || !driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)
        return false;
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        // An EWMH window manager announces itself on the root window.
        Display* display = info.info.x11.display;
        Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
        if (check == None) return false;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                        AnyPropertyType, &type, &format, &count, &after, &data);
        bool managed = status == Success && data != nullptr && count > 0;
        if (data) XFree(data);
        return managed;
    }
#endif
    return true;
}

namespace {

class OisInput : public InputBackend, public OIS::KeyListener, public OIS::JoyStickListener {
public:
    ~OisInput() override { shutdown(); }

    bool start(Window* window) override {
        uint64_t handle = window ? window->nativeHandle() : 0;
        if (handle == 0) {
            logLine("[OisInput] no X11 window to attach to");
            return false;
        }
        try {
            OIS::ParamList params;
            params.insert(std::make_pair(std::string("WINDOW"), std::to_string(handle)));
            params.insert(std::make_pair(std::string("x11_keyboard_grab"), std::string("false")));
            params.insert(std::make_pair(std::string("x11_mouse_grab"), std::string("false")));
            m_manager = OIS::InputManager::createInputSystem(params);
            m_keyboard = static_cast<OIS::Keyboard*>(m_manager->createInputObject(OIS::OISKeyboard, true));
            m_keyboard->setEventCallback(this);
            if (m_manager->getNumberOfDevices(OIS::OISJoyStick) > 0) {
                m_joystick =
                    static_cast<OIS::JoyStick*>(m_manager->createInputObject(OIS::OISJoyStick, true));
                m_joystick->setEventCallback(this);
                logLine("[OisInput] gamepad attached: %s", m_joystick->vendor().c_str());
            }
        } catch (const OIS::Exception& e) {
            logLine("[OisInput] cannot start: %s", e.eText ? e.eText : "unknown error");
            shutdown();
            return false;
        } catch (const std::exception& e) {
            logLine("[OisInput] cannot start: %s", e.what());
            shutdown();
            return false;
        }
        return true;
    }

    void capture() override {
        if (m_keyboard) m_keyboard->capture();
        if (m_joystick) m_joystick->capture();
    }
    bool hasJoystick() const override { return m_joystick != nullptr; }
    const char* name() const override { return "ois"; }

    // OIS device callbacks: forwarded through the shared delivery so injected and real events
    // look the same.
    bool keyPressed(const OIS::KeyEvent& e) override {
        deliverKey(true, e.key, e.text);
        return true;
    }
    bool keyReleased(const OIS::KeyEvent& e) override {
        deliverKey(false, e.key, e.text);
        return true;
    }
    bool buttonPressed(const OIS::JoyStickEvent&, int button) override {
        deliverButton(true, button);
        return true;
    }
    bool buttonReleased(const OIS::JoyStickEvent&, int button) override {
        deliverButton(false, button);
        return true;
    }
    bool axisMoved(const OIS::JoyStickEvent& e, int axis) override {
        if (axis >= 0 && axis < static_cast<int>(e.state.mAxes.size()))
            deliverAxis(axis, e.state.mAxes[axis].abs);
        return true;
    }
    bool povMoved(const OIS::JoyStickEvent& e, int index) override {
        if (index >= 0 && index < 4) deliverPov(index, e.state.mPOV[index].direction);
        return true;
    }

private:
    void shutdown() {
        if (!m_manager) return;
        if (m_joystick) m_manager->destroyInputObject(m_joystick);
        if (m_keyboard) m_manager->destroyInputObject(m_keyboard);
        OIS::InputManager::destroyInputSystem(m_manager);
        m_manager = nullptr;
        m_keyboard = nullptr;
        m_joystick = nullptr;
    }

    OIS::InputManager* m_manager = nullptr;
    OIS::Keyboard* m_keyboard = nullptr;
    OIS::JoyStick* m_joystick = nullptr;
};

} // namespace

std::unique_ptr<InputBackend> createOisInput() {
    return std::make_unique<OisInput>();
}

} // namespace qn
