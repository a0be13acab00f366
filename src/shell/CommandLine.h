#pragma once
// The player's command line: `qnplayer [options] [PROJECT_DIR]`, parsed into RunOptions.

#include <string>
#include <vector>

#include "framework/RunOptions.h"

namespace qn {

/// What the entry point does after parsing.
enum class CommandLineAction {
    /// Start the player with the parsed options.
    Run,
    /// Print `message` to standard output and exit 0 (--help, --version).
    PrintAndExit,
    /// Print the one-line `message` to standard error and exit 2.
    Fail,
};

struct CommandLineResult {
    CommandLineAction action = CommandLineAction::Run;
    std::string message;
};

/// The file every project must have.
constexpr const char* kGeneralSettingsFile = "data/QNModelGeneralSettings.0.attributes.xml";

/// Parses `args` (without the program name) into `options`. Relative paths are taken from
/// `startDir`; without PROJECT_DIR the bundled sample is searched next to `executablePath`.
/// The project folder is checked to exist and to hold the general settings file.
CommandLineResult parseCommandLine(const std::vector<std::string>& args, const std::string& startDir,
                                   const std::string& executablePath, RunOptions& options);

/// The bundled sample's folder: `<exe dir>/../samples/runner`, else the source tree's; "" if none.
std::string findBundledSample(const std::string& executablePath);

/// "" when `dir` is a usable project folder, else the reason it is not.
std::string checkProjectDir(const std::string& dir);

/// `path` made absolute against `base` and lexically normalised.
std::string absolutePath(const std::string& path, const std::string& base);

/// The running program's own path (from /proc/self/exe, else `argv0`).
std::string currentExecutablePath(const char* argv0);

/// The --help text.
std::string usageText();

} // namespace qn
