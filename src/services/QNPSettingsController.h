#pragma once
// The player's saved state between runs, kept in the user-default store under fixed keys: the
// window mode, the purchase flag that removes ads, the two mute flags and the selected character.
// One process-wide instance, created on first use. Saving is refused until a load succeeded, so a
// store that was never read is never overwritten with defaults.

#include <string>

#include "framework/CCObject.h"

class QNPSettingsController : public cocos2d::CCObject {
public:
    /// The single instance, created on first use (owned by the process).
    static QNPSettingsController* sharedSettings();
    /// Destroys the instance; the next sharedSettings() creates one with default contents.
    static void resetSettings();
    /// True once any instance loaded successfully (it is never cleared).
    static bool hasLoaded();

    /// Reads every field this store keeps from the user-default store.
    virtual void load();
    /// Writes the fields and flushes the store; refused (and logged) before the first load.
    virtual void save();

    bool fullScreen() const { return m_fullScreen; }
    void setFullScreen(bool value) { m_fullScreen = value; }
    bool removeAds() const { return m_removeAds; }
    void setRemoveAds(bool value) { m_removeAds = value; }
    bool slowDevice() const { return m_slowDevice; }
    void setSlowDevice(bool value) { m_slowDevice = value; }
    bool muteEffects() const { return m_muteEffects; }
    void setMuteEffects(bool value) { m_muteEffects = value; }
    bool muteBackground() const { return m_muteBackground; }
    void setMuteBackground(bool value) { m_muteBackground = value; }
    int selectedCharacter() const { return m_selectedCharacter; }
    void setSelectedCharacter(int index) { m_selectedCharacter = index; }

    /// The visit counter of a screen ("ScreenPlayed-" + name, spaces as "_"); 0 when absent.
    int screenPlayedCount(const std::string& name) const;
    /// Adds one visit to the screen's counter and flushes the store at once.
    void markScreenPlayed(const std::string& name);

protected:
    QNPSettingsController();
    ~QNPSettingsController() override;

private:
    static std::string screenPlayedKey(const std::string& name);

    bool m_removeAds = false;
    bool m_slowDevice = false;
    bool m_fullScreen = false;
    bool m_muteEffects = false;
    bool m_muteBackground = false;
    int m_selectedCharacter = 0;
};
