#pragma once
// The start-up sequence of the player: the general settings alone, the saved settings, the window
// title and mode, the message hook, the input devices and their per-frame poll, the run loop, and
// the final clean.

namespace qn {

class Window;
class InputBackend;

/// Runs the start-up sequence around the framework's run loop and returns its exit status. The
/// window and the input back-end belong to the caller and must outlive the call.
int runPlayer(Window* window, InputBackend* input);

} // namespace qn
