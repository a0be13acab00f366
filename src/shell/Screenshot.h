#pragma once
// The --screenshot file: the pixels of the last drawn frame, read back from GL and saved as PNG.

#include <string>

namespace qn {

class Window;

/// Reads the current back buffer of `window` (call after drawing, before the swap) and keeps it
/// for saveScreenshot. False without GL.
bool captureScreenshot(Window* window);

/// Writes the kept frame to `path`; without one, reads the front buffer (the last frame shown).
/// Logs and returns false when there is no GL or the file cannot be written.
bool saveScreenshot(Window* window, const std::string& path);

} // namespace qn
