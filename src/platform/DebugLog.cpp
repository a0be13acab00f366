#include "platform/DebugLog.h"

#include <cstdarg>
#include <cstdio>

namespace qn {
namespace {
FILE* g_logFile = nullptr;
std::string* g_capture = nullptr;
} // namespace

void logLine(const char* format, ...) {
    char line[kLogLineMax + 1];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    fprintf(stderr, "%s\n", line);
    if (g_logFile) {
        fprintf(g_logFile, "%s\n", line);
        fflush(g_logFile);
    }
    if (g_capture) {
        g_capture->append(line);
        g_capture->push_back('\n');
    }
}

bool setLogFile(const std::string& path) {
    if (g_logFile) {
        fclose(g_logFile);
        g_logFile = nullptr;
    }
    if (path.empty()) return true;
    g_logFile = fopen(path.c_str(), "w");
    return g_logFile != nullptr;
}

void setLogCapture(std::string* capture) { g_capture = capture; }

} // namespace qn
