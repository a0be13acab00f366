#include "navigation/QNSceneBuildHooks.h"

#include <vector>

namespace qn {
namespace {
std::vector<std::function<void()>>& hooks() {
    static std::vector<std::function<void()>> list;
    return list;
}
std::function<int(QNModel*)>& parentLookup() {
    static std::function<int(QNModel*)> lookup;
    return lookup;
}
} // namespace

void addSceneBuildHook(std::function<void()> hook) {
    if (hook) hooks().push_back(std::move(hook));
}

void runSceneBuildHooks() {
    for (auto& hook : hooks()) hook();
}

int sectionParentId(QNModel* section) {
    return section && parentLookup() ? parentLookup()(section) : -1;
}

void setSectionParentLookup(std::function<int(QNModel*)> lookup) {
    parentLookup() = std::move(lookup);
}

} // namespace qn
