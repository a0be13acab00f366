#include "shell/Startup.h"

#include "framework/CCApplication.h"
#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "framework/CCScheduler.h"
#include "model/QNModelController.h"
#include "model/QNModelGeneralSettings.h"
#include "platform/Window.h"
#include "services/QNPSettingsController.h"
#include "shell/DeviceRouter.h"
#include "shell/EventHandler.h"
#include "shell/StorePath.h"
#include "shell/WindowShell.h"

using namespace cocos2d;

namespace qn {

int runPlayer(Window* window, InputBackend* input) {
    // 1-2. A clean controller, then the one data file the window needs.
    QNModelController* controller = QNModelController::sharedModelController();
    controller->clean();
    controller->loadData("data/QNModelGeneralSettings.0.attributes.xml", false);

    // 3-4. The saved settings live in a store named after the application.
    QNModelGeneralSettings* general =
        dynamic_cast<QNModelGeneralSettings*>(controller->firstModelOfClass("QNModelGeneralSettings"));
    const std::string appName = general ? general->applicationName() : std::string("Untitled");
    useStoreForApplicationName(appName);
    QNPSettingsController::sharedSettings()->load();

    // 5-7. Title and window mode (the command line may override the saved mode for this run).
    ShellState& shell = shellState();
    shell.shellWindow = window;
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setViewName(appName);
    bool fullScreen = QNPSettingsController::sharedSettings()->fullScreen();
    switch (CCApplication::runOptions().windowMode) {
    case WindowModeOverride::Windowed:
        fullScreen = false;
        break;
    case WindowModeOverride::FullScreen:
        fullScreen = true;
        break;
    case WindowModeOverride::Saved:
        break;
    }
    applyWindowMode(fullScreen, true);

    // 8. The hook sees every window message first.
    view->setWndProc(shellWindowProc);

    // 10. The window icon; a missing file leaves the window without one.
    if (window) window->setIconFromFile("icon.ico");

    // 11-12. Keys and gamepad events reach the one event handler.
    DeviceRouter::shared().setHandlers(&EventHandler::shared(), &EventHandler::shared());

    // 13. The devices are polled once per frame.
    CaptureObject* capture = new CaptureObject(input);
    CCDirector::sharedDirector()->getScheduler()->scheduleUpdateForTarget(capture, 0, false);

    // 14. The framework's run loop calls the application delegate.
    int exitCode = CCApplication::sharedApplication() ? CCApplication::sharedApplication()->run() : 1;

    // 15. Release every model and the poll.
    CCDirector::sharedDirector()->getScheduler()->unscheduleUpdateForTarget(capture);
    controller->clean();
    capture->release();
    DeviceRouter::shared().setHandlers(nullptr, nullptr);
    view->setWndProc(nullptr);
    return exitCode;
}

} // namespace qn
