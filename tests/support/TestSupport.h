#pragma once
// Helpers shared by the tests: temporary folders and files, running the player binary.

#include <string>

namespace qntest {

/// A fresh temporary folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    /// `path()/relative`.
    std::string file(const std::string& relative) const;
    /// Writes `contents` to `path()/relative`, creating folders on the way; returns the full path.
    std::string write(const std::string& relative, const std::string& contents) const;

private:
    std::string m_path;
};

/// Whole contents of a file ("" when it cannot be read).
std::string readFile(const std::string& path);

/// Result of running a program to its end.
struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// Runs `command` through the shell in `workDir` and captures its output and exit status.
RunResult runCommand(const std::string& command, const std::string& workDir = "");

/// Runs the player binary with `args` (already quoted as needed), from `workDir`.
RunResult runPlayer(const std::string& args, const std::string& workDir = "");

/// Plays `project` headless for `frames` frames with the scripted `input`, from `work`, whose
/// "input.txt", "store.xml" and "log.txt" it uses.
RunResult playScripted(const TempDir& work, const std::string& project, int frames, const std::string& input);

/// Quotes a string for the shell.
std::string shellQuote(const std::string& s);

} // namespace qntest
