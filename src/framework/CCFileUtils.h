#pragma once
// File access for the framework and the program. Relative paths resolve against the current
// directory (the player changes into the project folder before reading anything).

#include <string>
#include <vector>

namespace cocos2d {

class CCFileUtils {
public:
    /// The single instance, created on first use.
    static CCFileUtils* sharedFileUtils();
    /// Deletes the instance (tests); the next sharedFileUtils makes a fresh one.
    static void purgeFileUtils();

    /// True when `path` names an existing file that is not a directory.
    bool isFileExist(const std::string& path) const;
    /// True when `path` names an existing directory.
    bool isDirectoryExist(const std::string& path) const;
    bool isAbsolutePath(const std::string& path) const { return !path.empty() && path[0] == '/'; }
    /// The absolute form of `filename`: absolute paths as given, relative ones joined to the current
    /// directory. Whether the file exists is not checked. "" stays "".
    std::string fullPathForFilename(const char* filename) const;

    /// The whole contents of a regular file. `*ok` (when given) tells whether it could be read; a
    /// missing or unreadable file gives an empty vector.
    std::vector<unsigned char> getDataFromFile(const std::string& path, bool* ok = nullptr) const;
    /// The whole contents of a regular file in a buffer from new[] that the caller delete[]s, its
    /// length in `*size`. nullptr (and size 0) when it cannot be read. `mode` is accepted for
    /// compatibility; files are always read as bytes.
    unsigned char* getFileData(const char* path, const char* mode, unsigned long* size) const;
    /// The whole contents of a file as text ("" when it cannot be read).
    std::string getStringFromFile(const std::string& path) const;

    /// Folder for files the program writes, ending in "/": "$XDG_DATA_HOME/qnplayer/", else
    /// "$HOME/.local/share/qnplayer/", else "/tmp/qnplayer/". Not created here.
    std::string getWritablePath() const;
    /// Replaces the folder getWritablePath reports (a trailing "/" is added when missing).
    void setWritablePath(const std::string& path);

    /// Creates `path` and its missing parents (like mkdir -p); true when the folder exists after.
    bool createDirectories(const std::string& path) const;
    /// Replaces `path` with `contents` so that it holds either the old or the new bytes whatever
    /// happens: a temporary file in the same folder, written, flushed and synced, then renamed over
    /// `path`. Missing parent folders are created. False (reason in `*error`) on failure, in which
    /// case `path` is untouched and the temporary file removed.
    bool writeFileAtomically(const std::string& path, const std::string& contents,
                             std::string* error = nullptr) const;

private:
    CCFileUtils() = default;
    std::string m_writablePath;
};

} // namespace cocos2d
