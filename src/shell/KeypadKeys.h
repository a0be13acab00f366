#pragma once
// The second path of a key press: besides the OIS event to the shell's event handler, some keys
// and gamepad buttons also reach the framework's keypad dispatcher. Real and scripted key events
// both go through these functions.

#include <OISKeyboard.h>

namespace qn {

/// What a key or button means to the keypad dispatcher.
struct KeypadKey {
    enum Kind {
        /// Not a keypad key.
        None,
        /// keyBackClicked on press only (Escape, Backspace).
        Back,
        /// keyMenuClicked on press only (F1).
        Menu,
        /// `code` to onKeyDown on press and onKeyUp on release.
        Code,
    };
    Kind kind = None;
    int code = 0;
};

/// Keypad codes of the keys that have one.
constexpr int kKeypadCodeUp = 19;
constexpr int kKeypadCodeDown = 20;
constexpr int kKeypadCodeLeft = 21;
constexpr int kKeypadCodeRight = 22;
constexpr int kKeypadCodeEnter = 23;
constexpr int kKeypadCodeButtonA = 96;
constexpr int kKeypadCodeButtonX = 99;
constexpr int kKeypadCodeButtonY = 100;

/// The keypad meaning of a keyboard key.
KeypadKey keypadKeyForKey(OIS::KeyCode key);
/// The keypad meaning of a gamepad button (game-controller order: 0 A, 2 X, 3 Y).
KeypadKey keypadKeyForPadButton(int button);

/// Sends `key` (pressed or released) to the director's keypad dispatcher when it is a keypad key.
void dispatchKeypadKey(const KeypadKey& key, bool down);
/// Shorthands for a keyboard key and a gamepad button.
inline void dispatchKeyToKeypad(OIS::KeyCode key, bool down) {
    dispatchKeypadKey(keypadKeyForKey(key), down);
}
inline void dispatchPadButtonToKeypad(int button, bool down) {
    dispatchKeypadKey(keypadKeyForPadButton(button), down);
}

} // namespace qn
