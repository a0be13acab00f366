#include "framework/CCBMFontConfiguration.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "framework/CCImage.h"
#include "platform/DebugLog.h"

namespace cocos2d {

namespace {

// Limits that keep a damaged file from asking for absurd amounts of memory or geometry.
constexpr unsigned int kMaxGlyphs = 65536;
constexpr unsigned int kMaxKerningPairs = 262144;
constexpr long kMaxCoordinate = 16384;
constexpr unsigned int kMaxCharId = 0x10FFFF;

/// The key=value pairs of one line; values may be in double quotes.
struct FntLine {
    std::string tag;
    std::map<std::string, std::string> values;

    bool has(const char* key) const { return values.count(key) != 0; }
    /// The integer under `key`; false when absent or not a number in [-limit, limit].
    bool integer(const char* key, long limit, long* out) const {
        auto it = values.find(key);
        if (it == values.end() || it->second.empty()) return false;
        errno = 0;
        char* end = nullptr;
        long v = std::strtol(it->second.c_str(), &end, 10);
        if (errno != 0 || *end != '\0' || v < -limit || v > limit) return false;
        *out = v;
        return true;
    }
    std::string text(const char* key) const {
        auto it = values.find(key);
        return it == values.end() ? std::string() : it->second;
    }
};

FntLine splitLine(const std::string& line) {
    FntLine out;
    size_t i = 0, n = line.size();
    auto skipSpace = [&]() {
        while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    };
    skipSpace();
    size_t start = i;
    while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    out.tag = line.substr(start, i - start);
    while (i < n) {
        skipSpace();
        if (i >= n) break;
        size_t keyStart = i;
        while (i < n && line[i] != '=' && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        std::string key = line.substr(keyStart, i - keyStart);
        std::string value;
        if (i < n && line[i] == '=') {
            ++i;
            if (i < n && line[i] == '"') {
                size_t close = line.find('"', i + 1);
                if (close == std::string::npos) close = n;
                value = line.substr(i + 1, close - i - 1);
                i = close < n ? close + 1 : n;
            } else {
                size_t valueStart = i;
                while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
                value = line.substr(valueStart, i - valueStart);
            }
        }
        if (!key.empty()) out.values[key] = value;
    }
    return out;
}

std::string directoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::map<std::string, CCBMFontConfiguration*>& sharedFonts() {
    static std::map<std::string, CCBMFontConfiguration*> fonts;
    return fonts;
}

} // namespace

CCBMFontConfiguration* CCBMFontConfiguration::create(const char* fntFile) {
    if (!fntFile || !*fntFile) return nullptr;
    std::vector<unsigned char> bytes;
    if (!qn::readFileBytes(fntFile, bytes)) {
        qn::logLine("[CCLabelBMFont] cannot open font file %s", fntFile);
        return nullptr;
    }
    CCBMFontConfiguration* config = new CCBMFontConfiguration();
    std::string error;
    if (!config->initWithText(std::string(bytes.begin(), bytes.end()), directoryOf(fntFile), &error)) {
        qn::logLine("[CCLabelBMFont] bad font file %s: %s", fntFile, error.c_str());
        delete config;
        return nullptr;
    }
    return static_cast<CCBMFontConfiguration*>(config->autorelease());
}

bool CCBMFontConfiguration::initWithText(const std::string& text, const std::string& directory,
                                         std::string* error) {
    auto fail = [error](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    m_glyphs.clear();
    m_kerning.clear();
    m_atlasName.clear();
    bool sawCommon = false;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.find('\0') != std::string::npos) return fail("binary data (only the text format is read)");
        FntLine l = splitLine(line);
        if (l.tag.empty()) continue;
        if (l.tag == "info") {
            m_faceName = l.text("face");
            long size = 0;
            if (l.integer("size", kMaxCoordinate, &size)) m_fontSize = (int)size;
            std::string padding = l.text("padding");
            int p[4] = {0, 0, 0, 0};
            if (!padding.empty() && std::sscanf(padding.c_str(), "%d,%d,%d,%d", &p[0], &p[1], &p[2], &p[3]) == 4)
                m_padding = ccBMFontPadding{p[3], p[0], p[1], p[2]};
        } else if (l.tag == "common") {
            long lineHeight = 0, base = 0, pages = 1;
            if (!l.integer("lineHeight", kMaxCoordinate, &lineHeight) || lineHeight <= 0)
                return fail("line " + std::to_string(lineNumber) + ": missing or bad lineHeight");
            if (l.integer("base", kMaxCoordinate, &base)) m_base = (int)base;
            if (l.has("pages") && l.integer("pages", 1024, &pages) && pages > 1)
                qn::logLine("[CCLabelBMFont] font has %ld pages; only page 0 is used", pages);
            m_commonHeight = (int)lineHeight;
            sawCommon = true;
        } else if (l.tag == "page") {
            long id = -1;
            if (!l.integer("id", 1024, &id)) return fail("line " + std::to_string(lineNumber) + ": page without id");
            std::string file = l.text("file");
            if (id == 0) {
                if (file.empty()) return fail("line " + std::to_string(lineNumber) + ": page 0 names no file");
                m_atlasName = (file[0] == '/') ? file : directory + file;
            }
        } else if (l.tag == "char") {
            long id, x, y, w, h, xo = 0, yo = 0, xa = 0, page = 0;
            if (!l.integer("id", kMaxCharId, &id) || id < 0 || !l.integer("x", kMaxCoordinate, &x) ||
                !l.integer("y", kMaxCoordinate, &y) || !l.integer("width", kMaxCoordinate, &w) ||
                !l.integer("height", kMaxCoordinate, &h) || x < 0 || y < 0 || w < 0 || h < 0)
                return fail("line " + std::to_string(lineNumber) + ": bad char entry");
            l.integer("xoffset", kMaxCoordinate, &xo);
            l.integer("yoffset", kMaxCoordinate, &yo);
            l.integer("xadvance", kMaxCoordinate, &xa);
            l.integer("page", 1024, &page);
            if (page != 0) continue;
            if (m_glyphs.size() >= kMaxGlyphs) return fail("too many chars");
            ccBMFontDef def;
            def.charID = (unsigned int)id;
            def.rect = CCRect((float)x, (float)y, (float)w, (float)h);
            def.xOffset = (int)xo;
            def.yOffset = (int)yo;
            def.xAdvance = (int)xa;
            m_glyphs[def.charID] = def;
        } else if (l.tag == "kerning") {
            long first, second, amount;
            if (!l.integer("first", kMaxCharId, &first) || !l.integer("second", kMaxCharId, &second) ||
                !l.integer("amount", kMaxCoordinate, &amount) || first < 0 || second < 0)
                return fail("line " + std::to_string(lineNumber) + ": bad kerning entry");
            if (m_kerning.size() >= kMaxKerningPairs) return fail("too many kerning pairs");
            m_kerning[((uint64_t)first << 32) | (uint64_t)second] = (int)amount;
        }
        // "chars" and "kernings" only announce counts; other tags are not ours.
    }
    if (!sawCommon) return fail("no common line");
    if (m_atlasName.empty()) return fail("no page 0");
    if (m_glyphs.empty()) return fail("no chars");
    return true;
}

const ccBMFontDef* CCBMFontConfiguration::glyph(unsigned int charID) const {
    auto it = m_glyphs.find(charID);
    return it == m_glyphs.end() ? nullptr : &it->second;
}

int CCBMFontConfiguration::kerningAmount(unsigned int first, unsigned int second) const {
    if (m_kerning.empty()) return 0;
    auto it = m_kerning.find(((uint64_t)first << 32) | (uint64_t)second);
    return it == m_kerning.end() ? 0 : it->second;
}

CCBMFontConfiguration* FNTConfigLoadFile(const char* fntFile) {
    if (!fntFile) return nullptr;
    auto& fonts = sharedFonts();
    auto it = fonts.find(fntFile);
    if (it != fonts.end()) return it->second;
    CCBMFontConfiguration* config = CCBMFontConfiguration::create(fntFile);
    if (!config) return nullptr;
    config->retain();
    fonts.emplace(fntFile, config);
    return config;
}

void FNTConfigRemoveCache() {
    for (auto& entry : sharedFonts()) entry.second->release();
    sharedFonts().clear();
}

} // namespace cocos2d
