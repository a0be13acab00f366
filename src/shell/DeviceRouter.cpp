#include "shell/DeviceRouter.h"

#include "shell/KeypadKeys.h"

namespace qn {

DeviceRouter& DeviceRouter::shared() {
    static DeviceRouter router;
    return router;
}

void DeviceRouter::setHandlers(OIS::KeyListener* keys, OIS::JoyStickListener* joystick) {
    m_keys = keys;
    m_joystick = joystick;
}

bool DeviceRouter::keyPressed(const OIS::KeyEvent& arg) {
    if (m_keys) m_keys->keyPressed(arg);
    dispatchKeyToKeypad(arg.key, true);
    return true;
}

bool DeviceRouter::keyReleased(const OIS::KeyEvent& arg) {
    if (m_keys) m_keys->keyReleased(arg);
    dispatchKeyToKeypad(arg.key, false);
    return true;
}

bool DeviceRouter::buttonPressed(const OIS::JoyStickEvent& arg, int button) {
    if (m_joystick) m_joystick->buttonPressed(arg, button);
    dispatchPadButtonToKeypad(button, true);
    return true;
}

bool DeviceRouter::buttonReleased(const OIS::JoyStickEvent& arg, int button) {
    if (m_joystick) m_joystick->buttonReleased(arg, button);
    dispatchPadButtonToKeypad(button, false);
    return true;
}

bool DeviceRouter::axisMoved(const OIS::JoyStickEvent& arg, int axis) {
    if (m_joystick) m_joystick->axisMoved(arg, axis);
    return true;
}

bool DeviceRouter::povMoved(const OIS::JoyStickEvent& arg, int index) {
    if (m_joystick) m_joystick->povMoved(arg, index);
    return true;
}

} // namespace qn
