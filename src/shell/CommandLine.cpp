#include "shell/CommandLine.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qn {
namespace {

CommandLineResult fail(const std::string& what) {
    return {CommandLineAction::Fail, "qnplayer: " + what + " (see --help)"};
}

/// Digits only, fitting in [min, max].
bool parseInteger(const std::string& text, long long min, long long max, long long& out) {
    if (text.empty() || text.size() > 20) return false;
    size_t i = 0;
    if (text[0] == '-' || text[0] == '+') i = 1;
    if (i == text.size()) return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno == ERANGE || *end != '\0' || value < min || value > max) return false;
    out = value;
    return true;
}

/// A finite decimal number (no hex, no inf/nan), at least `min`.
bool parseSeconds(const std::string& text, double min, double& out) {
    if (text.empty()) return false;
    for (char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' ||
              c == 'E'))
            return false;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value) || value < min) return false;
    out = value;
    return true;
}

/// WxH+X+Y (X and Y may be given with - for negative offsets, as in X11 geometry).
bool parseMonitor(const std::string& text, RunOptions& options) {
    size_t x = text.find('x');
    if (x == std::string::npos) return false;
    size_t sign = text.find_first_of("+-", x + 1);
    if (sign == std::string::npos) return false;
    size_t sign2 = text.find_first_of("+-", sign + 1);
    if (sign2 == std::string::npos) return false;
    long long w, h, px, py;
    const long long big = 1000000;
    if (!parseInteger(text.substr(0, x), 1, big, w)) return false;
    if (!parseInteger(text.substr(x + 1, sign - x - 1), 1, big, h)) return false;
    if (!parseInteger(text.substr(sign, sign2 - sign), -big, big, px)) return false;
    if (!parseInteger(text.substr(sign2), -big, big, py)) return false;
    if (text[0] == '+' || text[0] == '-' || text[x + 1] == '+' || text[x + 1] == '-') return false;
    options.monitorWidth = static_cast<int>(w);
    options.monitorHeight = static_cast<int>(h);
    options.monitorX = static_cast<int>(px);
    options.monitorY = static_cast<int>(py);
    return true;
}

enum class OptionKind { Flag, Value };

struct OptionInfo {
    const char* name;
    OptionKind kind;
};

const OptionInfo kOptions[] = {
    {"--headless", OptionKind::Flag},    {"--frames", OptionKind::Value},
    {"--seed", OptionKind::Value},       {"--input", OptionKind::Value},
    {"--store", OptionKind::Value},      {"--log", OptionKind::Value},
    {"--screenshot", OptionKind::Value}, {"--clock", OptionKind::Value},
    {"--fixed-step", OptionKind::Flag},  {"--windowed", OptionKind::Flag},
    {"--fullscreen", OptionKind::Flag},  {"--input-backend", OptionKind::Value},
    {"--monitor", OptionKind::Value},    {"--help", OptionKind::Flag},
    {"--version", OptionKind::Flag},
};

const OptionInfo* findOption(const std::string& name) {
    for (const OptionInfo& option : kOptions)
        if (name == option.name) return &option;
    return nullptr;
}

} // namespace

std::string absolutePath(const std::string& path, const std::string& base) {
    fs::path p(path);
    if (p.is_relative()) p = fs::path(base) / p;
    return p.lexically_normal().string();
}

std::string currentExecutablePath(const char* argv0) {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) {
        buffer[n] = '\0';
        return buffer;
    }
    if (!argv0) return "";
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    return absolutePath(argv0, cwd.string());
}

std::string checkProjectDir(const std::string& dir) {
    std::error_code ec;
    if (!fs::exists(dir, ec)) return "project folder '" + dir + "' does not exist";
    if (!fs::is_directory(dir, ec)) return "project '" + dir + "' is not a folder";
    if (!fs::is_regular_file(fs::path(dir) / kGeneralSettingsFile, ec))
        return "project '" + dir + "' has no " + kGeneralSettingsFile;
    return "";
}

std::string findBundledSample(const std::string& executablePath) {
    std::vector<fs::path> candidates;
    if (!executablePath.empty())
        candidates.push_back(
            (fs::path(executablePath).parent_path() / ".." / "samples" / "runner").lexically_normal());
#ifdef QN_SOURCE_DIR
    candidates.push_back((fs::path(QN_SOURCE_DIR) / "samples" / "runner").lexically_normal());
#endif
    for (const fs::path& candidate : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(candidate / kGeneralSettingsFile, ec)) return candidate.string();
    }
    return "";
}

std::string usageText() {
    return "usage: qnplayer [options] [PROJECT_DIR]\n"
           "\n"
           "Plays the game in PROJECT_DIR (a folder holding data/); without it, the bundled sample.\n"
           "\n"
           "options:\n"
           "  --headless             no window, GL or audio device; fixed 1/60 s frames back to back\n"
           "  --frames N             stop cleanly after N frames\n"
           "  --seed N               seed rand() with N instead of the clock\n"
           "  --input FILE           play a scripted input file\n"
           "  --store FILE           the user-default store file\n"
           "  --log FILE             also write the debug log to FILE\n"
           "  --screenshot FILE      write the last drawn frame as PNG at exit\n"
           "  --clock SECONDS        start of the simulated clock of headless runs (default 1000000000)\n"
           "  --fixed-step           fixed 1/60 s frame time with a window too\n"
           "  --windowed             windowed mode for this run\n"
           "  --fullscreen           full-screen mode for this run\n"
           "  --input-backend NAME   keyboard and gamepad from 'sdl' (default) or 'ois'\n"
           "  --monitor WxH+X+Y      monitor rectangle of the headless window (default 1920x1080+0+0)\n"
           "  --help                 show this text\n"
           "  --version              show the version\n"
           "\n"
           "Option paths are relative to the directory the player was started in.\n";
}

CommandLineResult parseCommandLine(const std::vector<std::string>& args, const std::string& startDir,
                                   const std::string& executablePath, RunOptions& options) {
    options = RunOptions();
    options.startDir = startDir;
    bool windowed = false, fullScreen = false, optionsEnded = false;
    std::string project;
    bool haveProject = false;

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (haveProject) return fail("unexpected extra argument '" + arg + "'");
            if (arg.empty()) return fail("empty PROJECT_DIR argument");
            project = arg;
            haveProject = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg, value;
        bool hasInlineValue = false;
        size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasInlineValue = true;
        }
        const OptionInfo* option = findOption(name);
        if (!option) return fail("unknown option '" + name + "'");
        if (option->kind == OptionKind::Flag) {
            if (hasInlineValue) return fail("option " + name + " takes no value");
        } else if (!hasInlineValue) {
            if (i + 1 >= args.size()) return fail("option " + name + " needs a value");
            value = args[++i];
        }

        if (name == "--help") return {CommandLineAction::PrintAndExit, usageText()};
        if (name == "--version")
            return {CommandLineAction::PrintAndExit, std::string("qnplayer ") + QN_VERSION + "\n"};
        if (name == "--headless") {
            options.headless = true;
        } else if (name == "--fixed-step") {
            options.fixedStep = true;
        } else if (name == "--windowed") {
            windowed = true;
        } else if (name == "--fullscreen") {
            fullScreen = true;
        } else if (name == "--frames") {
            long long n;
            if (!parseInteger(value, 1, std::numeric_limits<long long>::max() / 2, n))
                return fail("--frames needs a positive whole number, not '" + value + "'");
            options.frameLimit = n;
        } else if (name == "--seed") {
            long long n;
            if (!parseInteger(value, 0, 4294967295LL, n))
                return fail("--seed needs a whole number 0..4294967295, not '" + value + "'");
            options.hasSeed = true;
            options.seed = static_cast<std::uint32_t>(n);
        } else if (name == "--clock") {
            double seconds;
            if (!parseSeconds(value, 0.0, seconds))
                return fail("--clock needs a number of seconds >= 0, not '" + value + "'");
            options.clockStart = seconds;
        } else if (name == "--input-backend") {
            if (value == "sdl")
                options.inputBackend = InputBackendKind::Sdl;
            else if (value == "ois")
                options.inputBackend = InputBackendKind::Ois;
            else
                return fail("--input-backend must be 'sdl' or 'ois', not '" + value + "'");
        } else if (name == "--monitor") {
            if (!parseMonitor(value, options))
                return fail("--monitor needs WxH+X+Y (e.g. 1920x1080+0+0), not '" + value + "'");
        } else {
            if (value.empty()) return fail("option " + name + " needs a file name");
            std::string path = absolutePath(value, startDir);
            if (name == "--input")
                options.inputFile = path;
            else if (name == "--store")
                options.storeFile = path;
            else if (name == "--log")
                options.logFile = path;
            else
                options.screenshotFile = path;
        }
    }

    if (windowed && fullScreen) return fail("--windowed and --fullscreen cannot both be given");
    if (windowed) options.windowMode = WindowModeOverride::Windowed;
    if (fullScreen) options.windowMode = WindowModeOverride::FullScreen;

    if (haveProject) {
        options.projectDir = absolutePath(project, startDir);
    } else {
        options.projectDir = findBundledSample(executablePath);
        if (options.projectDir.empty())
            return fail("no PROJECT_DIR given and the bundled sample was not found");
    }
    std::string problem = checkProjectDir(options.projectDir);
    if (!problem.empty()) return fail(problem);
    return {CommandLineAction::Run, ""};
}

} // namespace qn
