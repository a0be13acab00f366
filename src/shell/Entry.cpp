#include "shell/Entry.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "framework/CCApplication.h"
#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "framework/CCScene.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "shell/CommandLine.h"
#include "shell/DeviceRouter.h"
#include "shell/InputScript.h"
#include "shell/Screenshot.h"
#include "shell/ScriptedInput.h"
#include "shell/ShellSnapshotFields.h"
#include "shell/Snapshot.h"
#include "shell/StorePath.h"

namespace qn {
namespace {

using namespace cocos2d;

/// Runs an empty scene; used when the program has no application delegate of its own.
class DefaultAppDelegate : public CCApplication {
public:
    bool applicationDidFinishLaunching() override {
        CCDirector* director = CCDirector::sharedDirector();
        director->setOpenGLView(CCEGLView::sharedOpenGLView());
        director->runWithScene(CCScene::create());
        return true;
    }
    void applicationDidEnterBackground() override { CCDirector::sharedDirector()->stopAnimation(); }
    void applicationWillEnterForeground() override { CCDirector::sharedDirector()->startAnimation(); }
};

/// Polls the input devices once a frame from the director's scheduler.
class DevicePoll : public CCObject {
public:
    explicit DevicePoll(InputBackend* input) : m_input(input) {}
    void update(float) override {
        if (m_input) m_input->capture();
    }

private:
    InputBackend* m_input;
};

int fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 2;
}

/// A windowed placement: 0.6 of the monitor, centred; full screen: the whole monitor, borderless.
void placeWindow(Window& window, bool fullScreen) {
    WindowRect monitor = window.monitorRect();
    int w = monitor.width(), h = monitor.height();
    if (fullScreen) {
        window.setStyle(WS_POPUP | WS_VISIBLE);
        window.setWindowPos(monitor.left, monitor.top, w, h, SWP_SHOWWINDOW);
    } else {
        int ww = static_cast<int>(w * 0.6), wh = static_cast<int>(h * 0.6);
        window.setStyle(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        window.setWindowPos(monitor.left + w / 2 - ww / 2, monitor.top + h / 2 - wh / 2, ww, wh,
                            SWP_SHOWWINDOW);
    }
    WindowRect client = window.clientRect();
    CCEGLView::sharedOpenGLView()->setFrameSize(static_cast<float>(client.width()),
                                                static_cast<float>(client.height()));
    CCEGLView::sharedOpenGLView()->setFrameZoomFactor(1.0f);
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
    useStoreForApplicationName("Untitled");

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
    setPlatformWindow(window.get());
    window->setTitle("Untitled");
    CCEGLView::sharedOpenGLView()->setViewName("Untitled");
    placeWindow(*window, options.windowMode == WindowModeOverride::FullScreen);

    std::unique_ptr<InputBackend> input =
        startInputBackend(options.inputBackend == InputBackendKind::Ois ? "ois" : "sdl", window.get());
    if (input) input->setListeners(&DeviceRouter::shared(), &DeviceRouter::shared());
    DevicePoll poll(input.get());
    CCDirector::sharedDirector()->getScheduler()->scheduleUpdateForTarget(&poll, 0, false);

    registerShellSnapshotFields();
    ScriptedInputSink sink(input.get(), window.get());
    const bool screenshot = !options.screenshotFile.empty();
    CCApplication::setBeforeFrameHook([&](std::int64_t frame) { script.deliver(frame, sink); });
    CCApplication::setAfterFrameHook([&](std::int64_t frame) {
        script.forEachDump(frame, [](const std::string& file) { Snapshot::writeFile(file); });
        if (screenshot && frame == options.frameLimit) captureScreenshot(window.get());
    });

    logLine("[qnplayer] %s: %s, input from %s", options.projectDir.c_str(),
            options.headless ? "headless"
                             : (window->hasGLContext() ? "window with OpenGL" : "window without OpenGL"),
            input ? input->name() : "nowhere");
    DefaultAppDelegate* fallback = nullptr;
    if (!CCApplication::sharedApplication()) fallback = new DefaultAppDelegate();
    int status = CCApplication::sharedApplication()->run();

    logLine("[qnplayer] run ended after frame %lld with exit status %d",
            static_cast<long long>(CCApplication::currentFrame()), status);
    if (screenshot) saveScreenshot(window.get(), options.screenshotFile);
    CCApplication::setBeforeFrameHook(nullptr);
    CCApplication::setAfterFrameHook(nullptr);
    CCDirector::sharedDirector()->getScheduler()->unscheduleUpdateForTarget(&poll);
    delete fallback;
    input.reset();
    setPlatformWindow(nullptr);
    window.reset();
    setLogFile("");
    return status;
}

} // namespace qn
