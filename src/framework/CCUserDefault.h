#pragma once
// The user-default store: string, integer, boolean and floating-point values by key, kept in memory
// and written to one XML file by flush().
//
// The file is written atomically (temporary file in the same folder, synced, renamed over the old
// one), so it holds either the previous or the new values. A file that cannot be parsed when the
// store loads is renamed aside to "<file>.damaged-<n>" with a log line and the store starts empty;
// a file that exists but cannot be read or moved aside blocks flush(), so good data on disk is never
// replaced by an empty store. Keys and values may hold any bytes (other than NUL): text that XML
// cannot carry exactly is stored hex-encoded.

#include <map>
#include <string>

namespace cocos2d {

class CCUserDefault {
public:
    /// The single store, loaded from getStoreFilePath() on first use.
    static CCUserDefault* sharedUserDefault();
    /// Deletes the store without flushing (tests); the next sharedUserDefault loads the file again.
    static void purgeSharedUserDefault();
    /// Chooses the store file; call before first use. Called later, the store reloads from the new
    /// file and values not yet flushed are dropped (logged).
    static void setStoreFilePath(const std::string& path);
    /// The store file: the path set with setStoreFilePath, else getWritablePath() + "UserDefault.xml".
    static std::string getStoreFilePath();
    /// The usual store file of a game: "<writable path><application name>/UserDefault.xml", the name
    /// made safe as one folder name ("/" and control characters become "_"; "" becomes "default").
    static std::string defaultStoreFilePath(const std::string& applicationName);

    /// Each getter gives the default (false, 0, 0.0, "" unless given) for a missing or null key.
    bool getBoolForKey(const char* key) { return getBoolForKey(key, false); }
    bool getBoolForKey(const char* key, bool defaultValue);
    int getIntegerForKey(const char* key) { return getIntegerForKey(key, 0); }
    int getIntegerForKey(const char* key, int defaultValue);
    float getFloatForKey(const char* key) { return getFloatForKey(key, 0.0f); }
    float getFloatForKey(const char* key, float defaultValue);
    double getDoubleForKey(const char* key) { return getDoubleForKey(key, 0.0); }
    double getDoubleForKey(const char* key, double defaultValue);
    std::string getStringForKey(const char* key) { return getStringForKey(key, std::string()); }
    std::string getStringForKey(const char* key, const std::string& defaultValue);

    /// Each setter changes the value in memory only; flush() writes. A null key is ignored.
    void setBoolForKey(const char* key, bool value);
    void setIntegerForKey(const char* key, int value);
    void setFloatForKey(const char* key, float value);
    void setDoubleForKey(const char* key, double value);
    void setStringForKey(const char* key, const std::string& value);
    /// Forgets `key` (written out by the next flush).
    void deleteValueForKey(const char* key);
    bool hasKey(const char* key) const { return key && m_values.count(key) > 0; }

    /// Writes every value to the store file when something changed since the last write. True when
    /// the file holds the current values afterwards; false (logged) when it could not be written.
    bool flush();

private:
    CCUserDefault() = default;
    void load();
    void store(const char* key, std::string value);

    std::map<std::string, std::string> m_values;
    std::string m_path;
    bool m_dirty = false;
    // Set when a file exists that could be neither read nor moved aside: writing would destroy it.
    std::string m_blockedReason;
};

} // namespace cocos2d
