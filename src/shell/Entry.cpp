#include "shell/Entry.h"

#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "framework/CCApplication.h"
#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "framework/CCRenderer.h"
#include "framework/CCScene.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "shell/CommandLine.h"
#include "shell/DeviceRouter.h"
#include "shell/InputScript.h"
#include "shell/ScriptedInput.h"
#include "shell/ShellSnapshotFields.h"
#include "shell/Snapshot.h"
#include "shell/Startup.h"

namespace qn {
namespace {

using namespace cocos2d;

/// Runs an empty scene; used when the program has no application delegate of its own.
class DefaultAppDelegate : public CCApplication {
public:
    bool applicationDidFinishLaunching() override {
        CCDirector* director = CCDirector::sharedDirector();
        director->setOpenGLView(CCEGLView::sharedOpenGLView());
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(1136, 640, kResolutionNoBorder);
        director->runWithScene(CCScene::create());
        return true;
    }
    void applicationDidEnterBackground() override { CCDirector::sharedDirector()->stopAnimation(); }
    void applicationWillEnterForeground() override { CCDirector::sharedDirector()->startAnimation(); }
};

/// Set by SIGINT and SIGTERM; the next frame turns it into the close message, so an interrupted
/// run ends the way a closed window does.
volatile std::sig_atomic_t g_interrupted = 0;

/// A second interrupt ends the process at once.
void onInterrupt(int signal) {
    g_interrupted = 1;
    std::signal(signal, SIG_DFL);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 2;
}

} // namespace

int playerMain(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    std::error_code ec;
    std::string startDir = std::filesystem::current_path(ec).string();

    RunOptions options;
    CommandLineResult parsed =
        parseCommandLine(args, startDir, currentExecutablePath(argc > 0 ? argv[0] : nullptr), options);
    if (parsed.action == CommandLineAction::PrintAndExit) {
        std::fputs(parsed.message.c_str(), stdout);
        return 0;
    }
    if (parsed.action == CommandLineAction::Fail) return fail(parsed.message);

    // The whole script is checked before anything starts.
    InputScript script;
    std::string error;
    if (!options.inputFile.empty() && !script.load(options.inputFile, startDir, error)) return fail(error);
    if (!options.logFile.empty() && !setLogFile(options.logFile))
        return fail("qnplayer: cannot write the log file '" + options.logFile + "'");
    if (chdir(options.projectDir.c_str()) != 0)
        return fail("qnplayer: cannot enter the project folder '" + options.projectDir + "'");

    std::srand(options.hasSeed ? options.seed : static_cast<unsigned>(std::time(nullptr)));
    if (options.headless) useSimulatedClock(options.clockStart);
    CCApplication::setRunOptions(options);

    std::unique_ptr<Window> window;
    if (options.headless) {
        window = createHeadlessWindow(WindowRect::fromSize(options.monitorX, options.monitorY,
                                                           options.monitorWidth, options.monitorHeight));
    } else {
        window = createSdlWindow("Untitled", 1136, 640, true);
        if (!window) {
            setLogFile("");
            return fail("qnplayer: cannot open a window (no display? try --headless)");
        }
    }
    CCEGLView::sharedOpenGLView()->attachWindow(window.get());

    std::unique_ptr<InputBackend> input =
        startInputBackend(options.inputBackend == InputBackendKind::Ois ? "ois" : "sdl", window.get());
    if (input) input->setListeners(&DeviceRouter::shared(), &DeviceRouter::shared());

    registerShellSnapshotFields();
    ScriptedInputSink sink(input.get(), window.get());
    const bool screenshot = !options.screenshotFile.empty();
    CCRenderer::sharedRenderer()->attachToDirector();
    // The renderer keeps a copy of each finished frame, so the last one can be saved at exit.
    CCRenderer::sharedRenderer()->setFrameCapture(screenshot);
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    CCApplication::setBeforeFrameHook([&](std::int64_t frame) {
        script.deliver(frame, sink);
        if (g_interrupted) {
            g_interrupted = 0;
            logLine("[qnplayer] interrupted: closing");
            window->postMessage(WM_CLOSE, 0, 0);
        }
    });
    CCApplication::setAfterFrameHook([&](std::int64_t frame) {
        script.forEachDump(frame, [](const std::string& file) { Snapshot::writeFile(file); });
    });

    logLine("[qnplayer] %s: %s, input from %s", options.projectDir.c_str(),
            options.headless ? "headless"
                             : (window->hasGLContext() ? "window with OpenGL" : "window without OpenGL"),
            input ? input->name() : "nowhere");
    DefaultAppDelegate* fallback = nullptr;
    if (!CCApplication::sharedApplication()) fallback = new DefaultAppDelegate();
    // The start-up sequence: settings, title, window mode, message hook, device poll, run loop.
    int status = runPlayer(window.get(), input.get());

    logLine("[qnplayer] run ended after frame %lld with exit status %d",
            static_cast<long long>(CCApplication::currentFrame()), status);
    if (screenshot) {
        if (CCRenderer::sharedRenderer()->saveScreenshot(options.screenshotFile))
            logLine("[qnplayer] screenshot written to %s", options.screenshotFile.c_str());
        else
            logLine("[qnplayer] no screenshot written to %s (no OpenGL frame in this run)",
                    options.screenshotFile.c_str());
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    CCApplication::setBeforeFrameHook(nullptr);
    CCApplication::setAfterFrameHook(nullptr);
    delete fallback;
    input.reset();
    CCEGLView::sharedOpenGLView()->attachWindow(nullptr);
    window.reset();
    setLogFile("");
    return status;
}

} // namespace qn
