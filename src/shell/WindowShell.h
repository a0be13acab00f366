#pragma once
// The window shell: switches between full-screen and windowed mode, and keeps the OpenGL view's
// frame and design size in step with what the window manager does to the window (minimise,
// maximise, restore, border drags), through the message hook installed on the view's window.

#include <cstdint>

#include "framework/CCObject.h"

namespace qn {

class Window;
class InputBackend;

/// Process-wide shell state (one instance, all zero/false at start).
struct ShellState {
    Window* shellWindow = nullptr;
    bool currentFullScreen = false;
    int moveSuppressCount = 0;
    bool restoreMaximizedAfterMinimize = false;
    int pendingRelayoutCount = 0;
};

/// The shell's state (for the start-up code, the snapshot and tests).
ShellState& shellState();

/// Forgets all shell state (tests).
void resetShellState();

/// Full screen: a borderless window covering the nearest monitor. Windowed: a captioned window of
/// 0.6 x the monitor, centred on it. A repeated request (not initial) changes nothing. After a
/// run-time change the next two window moves are suppressed, and the design size is re-applied.
void applyWindowMode(bool fullScreen, bool initial);

/// The message hook installed on the view's window. Always returns 0.
long shellWindowProc(unsigned message, uintptr_t wParam, intptr_t lParam, bool* processed);

/// Polls the input devices once per frame (scheduled on the director's scheduler).
class CaptureObject : public cocos2d::CCObject {
public:
    /// `input` is not owned; null polls nothing.
    explicit CaptureObject(InputBackend* input) : m_input(input) {}
    void update(float dt) override;

private:
    InputBackend* m_input;
};

} // namespace qn
