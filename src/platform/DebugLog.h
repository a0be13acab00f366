#pragma once
// The debug log: printf-style lines of at most 255 bytes, each written to standard error with a
// newline and, when a log file is set, to that file too.

#include <string>

namespace qn {

/// Maximum bytes of one formatted log line (longer lines are cut).
constexpr int kLogLineMax = 255;

/// Writes one formatted line to the log sinks.
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// Also write every following line to `path` (truncated on open). Returns false when it cannot be
/// opened. An empty path closes the file.
bool setLogFile(const std::string& path);

/// Tests: when set, every line is appended here as well (not owned; pass nullptr to stop).
void setLogCapture(std::string* capture);

} // namespace qn
