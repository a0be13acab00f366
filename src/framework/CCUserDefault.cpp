#include "framework/CCUserDefault.h"

#include <cstdio>
#include <pugixml.hpp>
#include <sys/stat.h>

#include "framework/CCFileUtils.h"
#include "framework/CCObject.h"
#include "framework/CCString.h"

namespace cocos2d {
namespace {

CCUserDefault* g_store = nullptr;
std::string g_storePath;

const char* kRootName = "userDefaultRoot";

/// True when `text` is well-formed UTF-8 made of characters an XML attribute keeps exactly (no
/// control characters: the parser would turn tabs and line breaks into spaces).
bool isPlainText(const std::string& text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = p + text.size();
    while (p < end) {
        unsigned char c = *p;
        if (c < 0x80) {
            if (c < 0x20) return false;
            ++p;
            continue;
        }
        int length = (c >= 0xC2 && c <= 0xDF)   ? 2
                     : (c >= 0xE0 && c <= 0xEF) ? 3
                     : (c >= 0xF0 && c <= 0xF4) ? 4
                                                : 0;
        if (length == 0 || end - p < length) return false;
        unsigned int code = c & (0xFF >> (length + 1));
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        if (overlong || surrogate || code > 0x10FFFF || code == 0xFFFE || code == 0xFFFF) return false;
        p += length;
    }
    return true;
}

std::string hexEncode(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool hexDecode(const char* hex, std::string* out) {
    out->clear();
    for (; hex[0]; hex += 2) {
        int hi = hexDigit(hex[0]);
        int lo = hex[1] ? hexDigit(hex[1]) : -1;
        if (hi < 0 || lo < 0) return false;
        out->push_back((char)(hi * 16 + lo));
    }
    return true;
}

/// Reads one of the two spellings of a field: `name` as plain text or `name`Hex hex-encoded.
bool readField(const pugi::xml_node& entry, const char* name, std::string* out) {
    pugi::xml_attribute plain = entry.attribute(name);
    if (plain) {
        *out = plain.value();
        return true;
    }
    pugi::xml_attribute hex = entry.attribute((std::string(name) + "Hex").c_str());
    return hex && hexDecode(hex.value(), out);
}

void writeField(pugi::xml_node& entry, const char* name, const std::string& value) {
    if (isPlainText(value)) {
        entry.append_attribute(name).set_value(value.c_str());
    } else {
        entry.append_attribute((std::string(name) + "Hex").c_str()).set_value(hexEncode(value).c_str());
    }
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

bool pathExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

} // namespace

CCUserDefault* CCUserDefault::sharedUserDefault() {
    if (!g_store) {
        g_store = new CCUserDefault();
        g_store->load();
    }
    return g_store;
}

void CCUserDefault::purgeSharedUserDefault() {
    delete g_store;
    g_store = nullptr;
}

void CCUserDefault::setStoreFilePath(const std::string& path) {
    if (path == g_storePath) return;
    g_storePath = path;
    if (!g_store || g_store->m_path == getStoreFilePath()) return;
    if (g_store->m_dirty) {
        CCLog("[CCUserDefault] store moved to %s; values not flushed to %s are dropped", path.c_str(),
              g_store->m_path.c_str());
    }
    purgeSharedUserDefault();
}

std::string CCUserDefault::getStoreFilePath() {
    if (!g_storePath.empty()) return g_storePath;
    return CCFileUtils::sharedFileUtils()->getWritablePath() + "UserDefault.xml";
}

std::string CCUserDefault::defaultStoreFilePath(const std::string& applicationName) {
    std::string folder;
    for (char c : applicationName) folder.push_back((c == '/' || (unsigned char)c < 0x20) ? '_' : c);
    if (folder.empty() || folder == "." || folder == "..") folder = "default";
    return CCFileUtils::sharedFileUtils()->getWritablePath() + folder + "/UserDefault.xml";
}

void CCUserDefault::load() {
    m_path = getStoreFilePath();
    m_values.clear();
    m_dirty = false;
    m_blockedReason.clear();
    if (!pathExists(m_path)) return; // no store yet: an empty one

    bool readable = false;
    std::vector<unsigned char> bytes = CCFileUtils::sharedFileUtils()->getDataFromFile(m_path, &readable);
    if (!readable) {
        m_blockedReason = "the existing file cannot be read";
        CCLog("[CCUserDefault] cannot read store file %s; starting empty and not writing over it",
              m_path.c_str());
        return;
    }
    pugi::xml_document doc;
    pugi::xml_parse_result parsed = doc.load_buffer(bytes.data(), bytes.size());
    std::string problem;
    if (!parsed) {
        problem =
            std::string(parsed.description()) + " at offset " + std::to_string((long long)parsed.offset);
    } else if (!doc.child(kRootName)) {
        problem = std::string("no <") + kRootName + "> element";
    }
    if (problem.empty()) {
        int skipped = 0;
        for (pugi::xml_node entry = doc.child(kRootName).child("entry"); entry;
             entry = entry.next_sibling("entry")) {
            std::string key, value;
            if (readField(entry, "key", &key) && readField(entry, "value", &value)) {
                m_values[key] = value;
            } else {
                ++skipped;
            }
        }
        if (skipped > 0)
            CCLog("[CCUserDefault] skipped %d unreadable entries in %s", skipped, m_path.c_str());
        return;
    }

    // Damaged: keep the bytes under a new name so that nothing is lost, then start empty.
    for (int n = 1; n < 10000; ++n) {
        std::string aside = m_path + ".damaged-" + std::to_string(n);
        if (pathExists(aside)) continue;
        if (std::rename(m_path.c_str(), aside.c_str()) == 0) {
            CCLog("[CCUserDefault] store file %s is damaged (%s); kept it as %s and started empty",
                  m_path.c_str(), problem.c_str(), aside.c_str());
            return;
        }
        break;
    }
    m_blockedReason = "the damaged file could not be moved aside";
    CCLog("[CCUserDefault] store file %s is damaged (%s) and cannot be moved aside; starting empty and not "
          "writing over it",
          m_path.c_str(), problem.c_str());
}

void CCUserDefault::store(const char* key, std::string value) {
    if (!key) return;
    auto found = m_values.find(key);
    if (found != m_values.end() && found->second == value) return;
    m_values[key] = std::move(value);
    m_dirty = true;
}

bool CCUserDefault::getBoolForKey(const char* key, bool defaultValue) {
    auto found = key ? m_values.find(key) : m_values.end();
    return found == m_values.end() ? defaultValue : ccTextToBool(found->second.c_str());
}

int CCUserDefault::getIntegerForKey(const char* key, int defaultValue) {
    auto found = key ? m_values.find(key) : m_values.end();
    return found == m_values.end() ? defaultValue : ccTextToInt(found->second.c_str());
}

float CCUserDefault::getFloatForKey(const char* key, float defaultValue) {
    auto found = key ? m_values.find(key) : m_values.end();
    return found == m_values.end() ? defaultValue : ccTextToFloat(found->second.c_str());
}

double CCUserDefault::getDoubleForKey(const char* key, double defaultValue) {
    auto found = key ? m_values.find(key) : m_values.end();
    return found == m_values.end() ? defaultValue : ccTextToDouble(found->second.c_str());
}

std::string CCUserDefault::getStringForKey(const char* key, const std::string& defaultValue) {
    auto found = key ? m_values.find(key) : m_values.end();
    return found == m_values.end() ? defaultValue : found->second;
}

void CCUserDefault::setBoolForKey(const char* key, bool value) {
    store(key, value ? "true" : "false");
}
void CCUserDefault::setIntegerForKey(const char* key, int value) {
    store(key, std::to_string(value));
}
void CCUserDefault::setFloatForKey(const char* key, float value) {
    store(key, ccFloatToText(value));
}
void CCUserDefault::setDoubleForKey(const char* key, double value) {
    store(key, ccDoubleToText(value));
}
void CCUserDefault::setStringForKey(const char* key, const std::string& value) {
    store(key, value);
}

void CCUserDefault::deleteValueForKey(const char* key) {
    if (key && m_values.erase(key) > 0) m_dirty = true;
}

bool CCUserDefault::flush() {
    if (!m_dirty) return true;
    if (!m_blockedReason.empty()) {
        CCLog("[CCUserDefault] not writing %s: %s", m_path.c_str(), m_blockedReason.c_str());
        return false;
    }
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node root = doc.append_child(kRootName);
    for (const auto& item : m_values) {
        pugi::xml_node entry = root.append_child("entry");
        writeField(entry, "key", item.first);
        writeField(entry, "value", item.second);
    }
    StringWriter writer;
    doc.save(writer, "    ", pugi::format_default, pugi::encoding_utf8);
    std::string error;
    if (!CCFileUtils::sharedFileUtils()->writeFileAtomically(m_path, writer.text, &error)) {
        CCLog("[CCUserDefault] cannot write store file %s: %s", m_path.c_str(), error.c_str());
        return false;
    }
    m_dirty = false;
    return true;
}

} // namespace cocos2d
