#pragma once
// What the command line asks of one run of the player. The entry point fills it in before the run
// loop starts; the run loop and the start-up code read it.

#include <cstdint>
#include <string>

namespace qn {

/// Where keyboard and gamepad events come from.
enum class InputBackendKind { Sdl, Ois };

/// A window-mode choice from the command line that overrides the saved one for this run.
enum class WindowModeOverride { Saved, Windowed, FullScreen };

struct RunOptions {
    /// No window, GL or audio device; frames run back to back with a fixed 1/60 s.
    bool headless = false;
    /// Stop cleanly after this many frames; 0 runs until quit.
    std::int64_t frameLimit = 0;
    /// Seed for rand(); the clock when not given.
    bool hasSeed = false;
    std::uint32_t seed = 0;
    /// Absolute paths (empty when not given).
    std::string inputFile;
    std::string storeFile;
    std::string logFile;
    std::string screenshotFile;
    /// Start of the simulated clock of headless runs, in seconds since the epoch.
    double clockStart = 1000000000.0;
    /// A fixed 1/60 s frame time with a window too.
    bool fixedStep = false;
    WindowModeOverride windowMode = WindowModeOverride::Saved;
    InputBackendKind inputBackend = InputBackendKind::Sdl;
    /// The monitor rectangle the headless window back-end reports.
    int monitorWidth = 1920;
    int monitorHeight = 1080;
    int monitorX = 0;
    int monitorY = 0;
    /// Absolute path of the project folder (the one holding data/).
    std::string projectDir;
    /// The directory the player was started in.
    std::string startDir;

    /// True when frames take a fixed 1/60 s instead of the real elapsed time.
    bool usesFixedStep() const { return headless || fixedStep; }
};

} // namespace qn
