#include "services/QNPSettingsController.h"

#include "framework/CCUserDefault.h"
#include "model/QNModelGeneralSettings.h"

using namespace cocos2d;

namespace {
QNPSettingsController* g_settings = nullptr;
bool g_loaded = false;

const char* const kKeyYrVersion = "YR_Version";
const char* const kKeySelectedCharacter = "QNP_selectedCharacter";
const char* const kKeyRemoveAds = "QNP_removeAds";
const char* const kKeyFullScreen = "QNP_fullscreen";
const char* const kKeyMuteEffects = "QNP_muteEffectsSound";
const char* const kKeyMuteBackground = "QNP_muteBackgroundSound";
} // namespace

QNPSettingsController* QNPSettingsController::sharedSettings() {
    if (!g_settings) g_settings = new QNPSettingsController();
    return g_settings;
}

void QNPSettingsController::resetSettings() {
    if (!g_settings) return;
    QNPSettingsController* old = g_settings;
    g_settings = nullptr;
    old->release();
}

bool QNPSettingsController::hasLoaded() { return g_loaded; }

QNPSettingsController::QNPSettingsController() = default;
QNPSettingsController::~QNPSettingsController() = default;

void QNPSettingsController::load() {
    CCLog("[QNPSettingsController] - load");
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    m_selectedCharacter = store->getIntegerForKey(kKeySelectedCharacter, 0);
    m_removeAds = store->getBoolForKey(kKeyRemoveAds, false);
    m_fullScreen = store->getBoolForKey(kKeyFullScreen, false);
    m_muteEffects = store->getBoolForKey(kKeyMuteEffects, false);
    m_muteBackground = store->getBoolForKey(kKeyMuteBackground, false);
    g_loaded = true;
    CCLog("[QNPSettingsController] - load complete");
}

void QNPSettingsController::save() {
    if (!g_loaded) {
        CCLog("[QNPSettingsController] - save while not loaded  = reset - issue prevented");
        return;
    }
    CCLog("[QNPSettingsController] - save");
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    if (QNModelGeneralSettings* general = QNModelGeneralSettings::generalSettings())
        store->setStringForKey(kKeyYrVersion, general->yrVersion());
    store->setIntegerForKey(kKeySelectedCharacter, m_selectedCharacter);
    store->setBoolForKey(kKeyRemoveAds, m_removeAds);
    store->setBoolForKey(kKeyFullScreen, m_fullScreen);
    store->setBoolForKey(kKeyMuteEffects, m_muteEffects);
    store->setBoolForKey(kKeyMuteBackground, m_muteBackground);
    store->flush();
    CCLog("[QNPSettingsController] - save complete");
}

std::string QNPSettingsController::screenPlayedKey(const std::string& name) {
    std::string key = "ScreenPlayed-" + name;
    for (char& c : key)
        if (c == ' ') c = '_';
    return key;
}

int QNPSettingsController::screenPlayedCount(const std::string& name) const {
    return CCUserDefault::sharedUserDefault()->getIntegerForKey(screenPlayedKey(name).c_str(), 0);
}

void QNPSettingsController::markScreenPlayed(const std::string& name) {
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    std::string key = screenPlayedKey(name);
    store->setIntegerForKey(key.c_str(), store->getIntegerForKey(key.c_str(), 0) + 1);
    store->flush();
}
