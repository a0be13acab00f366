#include "shell/ShellSnapshotFields.h"

#include "framework/CCApplication.h"
#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "platform/Window.h"
#include "shell/Snapshot.h"

namespace qn {
namespace {

void writeSize(JsonWriter& json, const cocos2d::CCSize& size) {
    json.beginArray().value(size.width).value(size.height).endArray();
}

void writeWindow(JsonWriter& json) {
    Window* window = platformWindow();
    cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
    json.beginObject();
    if (window) {
        WindowRect rect = window->windowRect();
        WindowRect client = window->clientRect();
        // Full screen is the borderless popup style the shell gives a full-screen window.
        json.key("fullScreen").value((window->style() & WS_POPUP) != 0);
        json.key("x").value(rect.left);
        json.key("y").value(rect.top);
        json.key("width").value(client.width());
        json.key("height").value(client.height());
        json.key("style").value(static_cast<std::int64_t>(window->style()));
        json.key("showState").value(window->showStateName());
    } else {
        json.key("fullScreen").value(false);
        json.key("x").null();
        json.key("y").null();
        json.key("width").null();
        json.key("height").null();
        json.key("style").null();
        json.key("showState").null();
    }
    json.key("frameSize");
    writeSize(json, view->getFrameSize());
    json.key("designSize");
    writeSize(json, view->getDesignResolutionSize());
    json.endObject();
}

} // namespace

void registerShellSnapshotFields() {
    Snapshot::addProvider("frame",
                          [](JsonWriter& json) { json.value(cocos2d::CCApplication::currentFrame()); });
    Snapshot::addProvider("title", [](JsonWriter& json) {
        Window* window = platformWindow();
        json.value(window ? window->title() : cocos2d::CCEGLView::sharedOpenGLView()->getViewName());
    });
    Snapshot::addProvider("window", writeWindow);
    // The screens register the real value; until then there is no scene kind to report.
    if (!Snapshot::hasProvider("scene"))
        Snapshot::addProvider("scene", [](JsonWriter& json) { json.null(); });
    Snapshot::addProvider("drawCalls", [](JsonWriter& json) {
        json.value(static_cast<std::int64_t>(cocos2d::CCDirector::sharedDirector()->getLastFrameDrawCalls()));
    });
}

} // namespace qn
