#pragma once
// Input back-ends. Whatever the device source, the program sees OIS events: key events with OIS
// key codes (the keyboard's scan codes) and their text, and joystick button, axis and POV events,
// delivered to one OIS::KeyListener and one OIS::JoyStickListener.
//   - SDL (default): keyboard and game controllers from the SDL window's event pump.
//   - OIS (X11 only): OIS's own devices on the SDL window's X11 handle; falls back to SDL.
// Scripted input and headless runs use the inject* calls, which go through the same listener calls.

#include <OISJoyStick.h>
#include <OISKeyboard.h>

#include <memory>
#include <string>

namespace qn {

class Window;

class InputBackend {
public:
    virtual ~InputBackend();

    /// Opens the devices for `window` (may be null or headless: then only injected events occur).
    /// False when this back-end cannot run there (the caller falls back).
    virtual bool start(Window* window) = 0;
    /// Sets the listeners events are delivered to (not owned; either may be null).
    void setListeners(OIS::KeyListener* keys, OIS::JoyStickListener* joystick);
    /// Delivers the events buffered since the last call, in order. Called once per frame.
    virtual void capture() = 0;
    /// True while a gamepad is attached.
    virtual bool hasJoystick() const = 0;
    /// "sdl" or "ois".
    virtual const char* name() const = 0;

    /// Delivers a key press or release now (keyPressed / keyReleased).
    void injectKey(bool down, OIS::KeyCode kc, unsigned text);
    /// Delivers a gamepad button press or release now (buttonPressed / buttonReleased).
    void injectButton(bool down, int button);
    /// Sets an axis (-32768..32767) and delivers axisMoved now.
    void injectAxis(int axis, int value);
    /// Sets POV 0 to an OIS::Pov direction and delivers povMoved now.
    void injectPov(int direction);

    /// The joystick state that events carry (buttons, axes and POVs as last reported).
    const OIS::JoyStickState& joystickState() const { return m_state; }

protected:
    InputBackend();
    /// Listener calls shared by real devices and injection.
    void deliverKey(bool down, OIS::KeyCode kc, unsigned text);
    void deliverButton(bool down, int button);
    void deliverAxis(int axis, int value);
    void deliverPov(int index, int direction);

    OIS::KeyListener* m_keyListener = nullptr;
    OIS::JoyStickListener* m_joyListener = nullptr;
    OIS::JoyStickState m_state;
};

/// The SDL back-end (keyboard and game controllers with hot-plug).
std::unique_ptr<InputBackend> createSdlInput();
/// The OIS back-end (X11 only).
std::unique_ptr<InputBackend> createOisInput();
/// Creates and starts the back-end named `name` ("sdl" or "ois") for `window`; an OIS back-end
/// that cannot start is logged and replaced by SDL. An unknown name gives SDL (logged).
std::unique_ptr<InputBackend> startInputBackend(const std::string& name, Window* window);

/// The OIS key code for an SDL scan code (OIS::KC_UNASSIGNED when the key has none).
OIS::KeyCode oisKeyFromSdlScancode(int scancode);
/// The OIS key code for its name, e.g. "KC_SPACE". False when unknown.
bool oisKeyFromName(const std::string& name, OIS::KeyCode* out);
/// The name of an OIS key code ("KC_SPACE"), or "KC_UNASSIGNED".
const char* oisKeyName(OIS::KeyCode kc);
/// The typed character of a key with no modifiers ('a' for KC_A, ' ' for KC_SPACE), 0 when none.
unsigned oisKeyText(OIS::KeyCode kc);
/// An OIS::Pov direction for "centered", "north", ..., "southwest". False when unknown.
bool povFromName(const std::string& name, int* out);

} // namespace qn
