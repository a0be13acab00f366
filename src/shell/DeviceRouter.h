#pragma once
// Where the input back-end's OIS events go: every key and joystick event is passed on to the
// shell's event handler (when one is set), and keys and buttons with a keypad meaning also go to
// the framework's keypad dispatcher. Real devices and scripted input share this path.

#include <OISJoyStick.h>
#include <OISKeyboard.h>

namespace qn {

class DeviceRouter : public OIS::KeyListener, public OIS::JoyStickListener {
public:
    /// The one router the input back-end delivers to.
    static DeviceRouter& shared();

    /// Sets the shell's event handler the events are passed on to (not owned; null for none).
    void setHandlers(OIS::KeyListener* keys, OIS::JoyStickListener* joystick);
    OIS::KeyListener* keyHandler() const { return m_keys; }
    OIS::JoyStickListener* joystickHandler() const { return m_joystick; }

    bool keyPressed(const OIS::KeyEvent& arg) override;
    bool keyReleased(const OIS::KeyEvent& arg) override;
    bool buttonPressed(const OIS::JoyStickEvent& arg, int button) override;
    bool buttonReleased(const OIS::JoyStickEvent& arg, int button) override;
    bool axisMoved(const OIS::JoyStickEvent& arg, int axis) override;
    bool povMoved(const OIS::JoyStickEvent& arg, int index) override;

private:
    OIS::KeyListener* m_keys = nullptr;
    OIS::JoyStickListener* m_joystick = nullptr;
};

} // namespace qn
