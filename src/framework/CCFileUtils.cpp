#include "framework/CCFileUtils.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cocos2d {
namespace {

CCFileUtils* g_fileUtils = nullptr;

std::string parentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string errnoText(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= (std::size_t)n;
    }
    return true;
}

bool readRegularFile(const std::string& path, std::vector<unsigned char>* bytes) {
    bytes->clear();
    if (path.empty()) return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    // Only regular files: a directory or a device such as /dev/zero must not be read forever.
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    bytes->reserve((std::size_t)info.st_size);
    unsigned char chunk[65536];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            bytes->clear();
            return false;
        }
        if (n == 0) break;
        bytes->insert(bytes->end(), chunk, chunk + n);
    }
    ::close(fd);
    return true;
}

} // namespace

CCFileUtils* CCFileUtils::sharedFileUtils() {
    if (!g_fileUtils) g_fileUtils = new CCFileUtils();
    return g_fileUtils;
}

void CCFileUtils::purgeFileUtils() {
    delete g_fileUtils;
    g_fileUtils = nullptr;
}

bool CCFileUtils::isFileExist(const std::string& path) const {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool CCFileUtils::isDirectoryExist(const std::string& path) const {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string CCFileUtils::fullPathForFilename(const char* filename) const {
    std::string name = filename ? filename : "";
    if (name.empty() || isAbsolutePath(name)) return name;
    char* cwd = getcwd(nullptr, 0);
    if (!cwd) return name;
    std::string full = cwd;
    std::free(cwd);
    if (full.empty() || full.back() != '/') full.push_back('/');
    return full + name;
}

std::vector<unsigned char> CCFileUtils::getDataFromFile(const std::string& path, bool* ok) const {
    std::vector<unsigned char> bytes;
    bool read = readRegularFile(path, &bytes);
    if (ok) *ok = read;
    return bytes;
}

unsigned char* CCFileUtils::getFileData(const char* path, const char* mode, unsigned long* size) const {
    (void)mode;
    if (size) *size = 0;
    std::vector<unsigned char> bytes;
    if (!path || !readRegularFile(path, &bytes)) return nullptr;
    unsigned char* buffer = new unsigned char[bytes.size() + 1];
    if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
    buffer[bytes.size()] = 0; // handy for text; not counted in the size
    if (size) *size = (unsigned long)bytes.size();
    return buffer;
}

std::string CCFileUtils::getStringFromFile(const std::string& path) const {
    std::vector<unsigned char> bytes;
    if (!readRegularFile(path, &bytes)) return std::string();
    return std::string(bytes.begin(), bytes.end());
}

std::string CCFileUtils::getWritablePath() const {
    if (!m_writablePath.empty()) return m_writablePath;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    // Relative values of XDG_DATA_HOME are invalid and ignored.
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + (xdg[std::strlen(xdg) - 1] == '/' ? "" : "/") + "qnplayer/";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/qnplayer/";
    return "/tmp/qnplayer/";
}

void CCFileUtils::setWritablePath(const std::string& path) {
    m_writablePath = path;
    if (!m_writablePath.empty() && m_writablePath.back() != '/') m_writablePath.push_back('/');
}

bool CCFileUtils::createDirectories(const std::string& path) const {
    if (path.empty()) return false;
    if (isDirectoryExist(path)) return true;
    std::string parent = parentOf(path);
    if (parent != path && parent != "." && parent != "/" && !createDirectories(parent)) return false;
    if (mkdir(path.c_str(), 0755) == 0) return true;
    return errno == EEXIST && isDirectoryExist(path);
}

bool CCFileUtils::writeFileAtomically(const std::string& path, const std::string& contents,
                                      std::string* error) const {
    std::string ignored;
    std::string& reason = error ? *error : ignored;
    if (path.empty() || path.back() == '/') {
        reason = "no file name given";
        return false;
    }
    std::string folder = parentOf(path);
    if (!createDirectories(folder)) {
        reason = errnoText("cannot create folder", folder);
        return false;
    }
    static unsigned int counter = 0;
    std::string temp = path + ".tmp-" + std::to_string((long)getpid()) + "-" + std::to_string(++counter);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        reason = errnoText("cannot create", temp);
        return false;
    }
    bool ok = writeAll(fd, contents.data(), contents.size());
    if (!ok) reason = errnoText("cannot write", temp);
    if (ok && fsync(fd) != 0) {
        reason = errnoText("cannot sync", temp);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        reason = errnoText("cannot close", temp);
        ok = false;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        reason = errnoText("cannot rename over", path);
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace cocos2d
