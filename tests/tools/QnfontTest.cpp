// The bitmap-font baker: its .fnt agrees with its page picture, glyphs are really drawn, outlines
// grow them, the output is deterministic and bad options are refused.

#include <gtest/gtest.h>

#include "ToolTestSupport.h"

#include <map>
#include <sstream>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCBMFontConfiguration.h"

using namespace qntest;

namespace {

// The key=value fields of one .fnt line, quotes removed.
std::map<std::string, std::string> fields(const std::string& line) {
    std::map<std::string, std::string> out;
    std::istringstream in(line);
    std::string word, pending;
    while (in >> word) {
        // Quoted values may hold blanks ("DejaVu Sans").
        if (!pending.empty()) {
            pending += " " + word;
            if (word.back() != '"') continue;
            word = pending;
            pending.clear();
        } else if (word.find("=\"") != std::string::npos && word.back() != '"') {
            pending = word;
            continue;
        }
        size_t eq = word.find('=');
        if (eq == std::string::npos) continue;
        std::string value = word.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '"') value = value.substr(1, value.size() - 2);
        out[word.substr(0, eq)] = value;
    }
    return out;
}

struct Font {
    std::map<std::string, std::string> info, common, page;
    std::map<int, std::map<std::string, std::string>> chars;
    int charsCount = -1, kerningsCount = 0;
    std::vector<std::map<std::string, std::string>> kernings;
};

Font readFnt(const std::string& path) {
    Font font;
    std::istringstream in(readFile(path));
    for (std::string line; std::getline(in, line);) {
        std::string tag = line.substr(0, line.find(' '));
        auto f = fields(line);
        if (tag == "info")
            font.info = f;
        else if (tag == "common")
            font.common = f;
        else if (tag == "page")
            font.page = f;
        else if (tag == "chars")
            font.charsCount = std::stoi(f["count"]);
        else if (tag == "char")
            font.chars[std::stoi(f["id"])] = f;
        else if (tag == "kernings")
            font.kerningsCount = std::stoi(f["count"]);
        else if (tag == "kerning")
            font.kernings.push_back(f);
    }
    return font;
}

int num(std::map<std::string, std::string>& f, const char* key) {
    return std::stoi(f.at(key));
}

} // namespace

TEST(Qnfont, FntAgreesWithItsPageAndEveryGlyphIsDrawn) {
    TempDir dir;
    RunResult r = runTool("qnfont", "--size 24 -o data/fonts/QNModelFont_ID5", dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Font font = readFnt(dir.file("data/fonts/QNModelFont_ID5.fnt"));
    Rgba page = readRgba(dir.file("data/fonts/QNModelFont_ID5.png"));
    ASSERT_GT(page.width, 0);

    EXPECT_EQ(font.info["size"], "24");
    EXPECT_EQ(font.page["file"], "QNModelFont_ID5.png");
    EXPECT_EQ(num(font.common, "scaleW"), page.width);
    EXPECT_EQ(num(font.common, "scaleH"), page.height);
    EXPECT_EQ(num(font.common, "pages"), 1);
    EXPECT_GT(num(font.common, "lineHeight"), 24 * 9 / 10);
    EXPECT_LE(num(font.common, "base"), num(font.common, "lineHeight"));

    // Printable ASCII by default, one line each.
    EXPECT_EQ(font.charsCount, 95);
    ASSERT_EQ(font.chars.size(), 95u);
    EXPECT_EQ(font.chars.begin()->first, 32);
    EXPECT_EQ(font.chars.rbegin()->first, 126);
    for (auto& [id, c] : font.chars) {
        SCOPED_TRACE(id);
        int x = num(c, "x"), y = num(c, "y"), w = num(c, "width"), h = num(c, "height");
        EXPECT_GE(x, 0);
        EXPECT_GE(y, 0);
        EXPECT_LE(x + w, page.width);
        EXPECT_LE(y + h, page.height);
        EXPECT_GT(num(c, "xadvance"), 0);
        EXPECT_EQ(c["page"], "0");
        if (id == 32) {
            EXPECT_EQ(w * h, 0);
            continue;
        }
        ASSERT_GT(w * h, 0);
        int inked = 0;
        for (int py = y; py < y + h; ++py)
            for (int px = x; px < x + w; ++px) inked += page.at(px, py)[3] > 128;
        EXPECT_GT(inked, 0) << "no glyph drawn in its rectangle";
        // White glyphs: colour only in the alpha.
        EXPECT_EQ(page.at(x + w / 2, y + h / 2)[0], 255);
    }
    // No two glyph rectangles share a pixel.
    for (auto& [a, ca] : font.chars) {
        for (auto& [b, cb] : font.chars) {
            if (b <= a || num(ca, "width") * num(ca, "height") == 0 ||
                num(cb, "width") * num(cb, "height") == 0)
                continue;
            bool apart = num(ca, "x") + num(ca, "width") <= num(cb, "x") ||
                         num(cb, "x") + num(cb, "width") <= num(ca, "x") ||
                         num(ca, "y") + num(ca, "height") <= num(cb, "y") ||
                         num(cb, "y") + num(cb, "height") <= num(ca, "y");
            EXPECT_TRUE(apart) << a << " overlaps " << b;
        }
    }
    // Kerning pairs, when the font has them, name baked characters and are counted right.
    EXPECT_EQ(font.kerningsCount, static_cast<int>(font.kernings.size()));
    for (auto& k : font.kernings) {
        EXPECT_TRUE(font.chars.count(num(k, "first")) && font.chars.count(num(k, "second")));
        EXPECT_NE(k["amount"], "0");
    }
}

TEST(Qnfont, TheBitmapFontReaderReadsTheBakedFont) {
    TempDir dir;
    ASSERT_EQ(runTool("qnfont", "--size 20 -o data/fonts/QNModelFont_ID8", dir.path()).exitCode, 0);
    Font font = readFnt(dir.file("data/fonts/QNModelFont_ID8.fnt"));
    cocos2d::CCPoolManager::sharedPoolManager()->push();
    auto* config = cocos2d::CCBMFontConfiguration::create(dir.file("data/fonts/QNModelFont_ID8.fnt").c_str());
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->glyphCount(), 95u);
    EXPECT_EQ(config->kerningCount(), font.kernings.size());
    EXPECT_EQ(config->getCommonHeight(), num(font.common, "lineHeight"));
    EXPECT_EQ(config->getBase(), num(font.common, "base"));
    EXPECT_EQ(config->getFaceName(), "DejaVu Sans");
    EXPECT_NE(config->getAtlasName().find("QNModelFont_ID8.png"), std::string::npos);
    const cocos2d::ccBMFontDef* a = config->glyph('A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->rect.origin.x, num(font.chars['A'], "x"));
    EXPECT_EQ(a->rect.size.height, num(font.chars['A'], "height"));
    EXPECT_EQ(a->yOffset, num(font.chars['A'], "yoffset"));
    cocos2d::CCPoolManager::sharedPoolManager()->pop();
}

TEST(Qnfont, CharacterSetOutlineAndDeterminism) {
    TempDir dir;
    const std::string args = "--size 30 --chars 'AV' --range 48-50 --font "
                             "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    ASSERT_EQ(runTool("qnfont", args + " -o a/f", dir.path()).exitCode, 0);
    ASSERT_EQ(runTool("qnfont", args + " -o b/f", dir.path()).exitCode, 0);
    for (const char* ext : {"/f.fnt", "/f.png"}) {
        std::string a = readFile(dir.file(std::string("a") + ext));
        EXPECT_FALSE(a.empty());
        EXPECT_EQ(a, readFile(dir.file(std::string("b") + ext))) << ext;
    }
    Font plain = readFnt(dir.file("a/f.fnt"));
    EXPECT_EQ(plain.info["bold"], "1");
    std::vector<int> ids;
    for (auto& entry : plain.chars) ids.push_back(entry.first);
    EXPECT_EQ(ids, (std::vector<int>{'0', '1', '2', 'A', 'V'}));

    RunResult r = runTool("qnfont", args + " --outline 3 --color '#ff0000' -o c/f", dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Font outlined = readFnt(dir.file("c/f.fnt"));
    Rgba page = readRgba(dir.file("c/f.png"));
    auto& a0 = plain.chars['A'];
    auto& a1 = outlined.chars['A'];
    EXPECT_GE(num(a1, "width"), num(a0, "width") + 5);
    EXPECT_GE(num(a1, "height"), num(a0, "height") + 5);
    // The outline is black at the foot of the glyph; inside it the fill is pure red.
    int x = num(a1, "x"), y = num(a1, "y"), h = num(a1, "height");
    bool blackEdge = false;
    for (int px = x; px < x + 4; ++px) {
        const uint8_t* p = page.at(px, y + h - 2);
        blackEdge |= p[3] > 200 && p[0] < 60;
    }
    EXPECT_TRUE(blackEdge);
    bool redFill = false;
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + num(a1, "width"); ++px) {
            const uint8_t* p = page.at(px, py);
            redFill |= p[3] == 255 && p[0] == 255 && p[1] == 0;
        }
    EXPECT_TRUE(redFill);
}

TEST(Qnfont, RefusesBadOptions) {
    struct Case {
        const char* args;
        int exitCode;
    } cases[] = {
        {"--font /nonexistent.ttf -o f", 1},
        {"--font notafont.ttf -o f", 1},
        {"--size 0 -o f", 2},
        {"--size big -o f", 2},
        {"--range 90-60 -o f", 2},
        {"--color purple -o f", 2},
        {"--size 20", 2},
        {"--bogus -o f", 2},
    };
    TempDir dir;
    dir.write("notafont.ttf", "hello");
    for (const Case& c : cases) {
        RunResult r = runTool("qnfont", c.args, dir.path());
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args << ": " << r.err;
        EXPECT_TRUE(readFile(dir.file("f.fnt")).empty()) << c.args;
    }
}
