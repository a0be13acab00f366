#pragma once
// Delivers scripted events through the paths real devices use: keys and gamepad events through
// the input back-end's inject calls (so they reach the device router like real ones), touches,
// keypad and acceleration to the director's dispatchers, window events and posts to the window.

#include "shell/InputScript.h"

namespace qn {

class InputBackend;
class Window;

class ScriptedInputSink : public InputScriptSink {
public:
    /// Neither is owned; either may be null (its events are then dropped, keys still reach the
    /// device router directly).
    ScriptedInputSink(InputBackend* input, Window* window) : m_input(input), m_window(window) {}
    void onScriptEvent(const ScriptEvent& event) override;

private:
    InputBackend* m_input;
    Window* m_window;
};

} // namespace qn
