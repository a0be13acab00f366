#include "shell/NavigationSnapshotFields.h"

#include <algorithm>

#include "model/QNModelController.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNPScreen.h"
#include "shell/Snapshot.h"

namespace qn {
namespace {
bool g_loadingDone = false;
} // namespace

void setLoadingDone(bool done) {
    g_loadingDone = done;
}
bool isLoadingDone() {
    return g_loadingDone;
}

void registerNavigationSnapshotFields() {
    Snapshot::addProvider("loading", [](JsonWriter& json) {
        const int percent =
            g_loadingDone ? 100 : QNModelController::sharedModelController()->loadingProgress();
        json.beginObject();
        json.key("percent").value(static_cast<std::int64_t>(std::max(0, std::min(100, percent))));
        json.key("done").value(g_loadingDone);
        json.endObject();
    });
    Snapshot::addProvider("scene", [](JsonWriter& json) {
        QNPNavigationController* nav = QNPNavigationController::sharedController();
        if (!QNPScreen::runningScreen())
            json.null();
        else
            json.value(nav->worldKey().empty() ? "ui" : "world");
    });
    Snapshot::addProvider("screens", [](JsonWriter& json) {
        // The screens stepped back from stay in the history until the next push; they are not
        // on the stack any more.
        QNPNavigationController* nav = QNPNavigationController::sharedController();
        const std::vector<std::string>& stack = nav->screenStack();
        json.beginArray();
        for (int i = 0; i < (int)stack.size() && i <= nav->currentScreenIndex(); ++i) json.value(stack[i]);
        json.endArray();
    });
    Snapshot::addProvider("screen", [](JsonWriter& json) {
        const std::string key = QNPNavigationController::sharedController()->currentScreenKey();
        if (key.empty())
            json.null();
        else
            json.value(key);
    });
    Snapshot::addProvider("world", [](JsonWriter& json) {
        const std::string& key = QNPNavigationController::sharedController()->worldKey();
        if (key.empty())
            json.null();
        else
            json.value(key);
    });
}

} // namespace qn
