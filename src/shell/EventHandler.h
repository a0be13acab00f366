#pragma once
// The one listener of the keyboard and the gamepad. Keys are translated into the editor's key
// codes; a key bound to a button shown on the top screen presses that button, otherwise a key bound
// in the general settings becomes a gameplay action. Gamepad buttons and axes go to the running
// world's input controller.

#include <OISJoyStick.h>
#include <OISKeyboard.h>

namespace qn {

/// The editor key code of an OIS key code: printable keys are their upper-case character, other
/// keys 0x01000000 + n; keys outside the table give 0.
int editorKeyCode(int oisKeyCode);
/// The gameplay action bound to an editor key code in the general settings (1-10, first binding
/// in the order up, down, left, right, motor CW, motor CCW, rotate left, rotate right, shoot,
/// jump); 0 for none.
int boundAction(int editorCode);

class EventHandler : public OIS::KeyListener, public OIS::JoyStickListener {
public:
    static EventHandler& shared();

    /// Where gameplay actions and gamepad events go (the input controller installs these).
    struct Routes {
        void (*action)(int actionId, bool pressed) = nullptr;
        void (*padButton)(int button, bool pressed) = nullptr;
        void (*padAxis)(int value, int axis) = nullptr;
    };
    static void setRoutes(const Routes& routes);

    bool keyPressed(const OIS::KeyEvent& arg) override;
    bool keyReleased(const OIS::KeyEvent& arg) override;
    bool buttonPressed(const OIS::JoyStickEvent& arg, int button) override;
    bool buttonReleased(const OIS::JoyStickEvent& arg, int button) override;
    bool axisMoved(const OIS::JoyStickEvent& arg, int axis) override;
    bool sliderMoved(const OIS::JoyStickEvent&, int) override { return true; }
    bool povMoved(const OIS::JoyStickEvent&, int) override { return true; }
    bool vector3Moved(const OIS::JoyStickEvent&, int) override { return true; }

private:
    bool key(const OIS::KeyEvent& arg, bool pressed);
};

} // namespace qn
