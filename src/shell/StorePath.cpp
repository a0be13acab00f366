#include "shell/StorePath.h"

#include "framework/CCApplication.h"
#include "framework/CCUserDefault.h"

namespace qn {
namespace {
std::string g_storePath;
} // namespace

std::string defaultStorePath(const std::string& applicationName) {
    return cocos2d::CCUserDefault::defaultStoreFilePath(applicationName);
}

void useStoreForApplicationName(const std::string& applicationName) {
    const std::string& chosen = cocos2d::CCApplication::runOptions().storeFile;
    g_storePath = chosen.empty() ? defaultStorePath(applicationName) : chosen;
    cocos2d::CCUserDefault::setStoreFilePath(g_storePath);
}

const std::string& currentStorePath() {
    return g_storePath;
}

} // namespace qn
