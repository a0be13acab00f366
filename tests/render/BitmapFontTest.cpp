// Bitmap fonts: .fnt parsing, glyph layout with kerning, tracking, lines, alignment and wrapping,
// and labels for fonts that cannot be read.

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "TestSupport.h"
#include "framework/CCBMFontConfiguration.h"
#include "framework/CCLabelBMFont.h"
#include "framework/CCTextureCache.h"

using namespace cocos2d;

namespace {

class BitmapFontTest : public ::testing::Test {
protected:
    void TearDown() override {
        FNTConfigRemoveCache();
        CCTextureCache::purgeSharedTextureCache();
    }
    CCLabelBMFont* label(const char* text) {
        CCLabelBMFont* l = CCLabelBMFont::create(text, qnrender::fixture("font.fnt").c_str());
        EXPECT_NE(l, nullptr) << scope.log;
        return l;
    }
    qnrender::LogAndPool scope;
    qntest::TempDir dir;
};

float left(const ccV3F_C4B_T2F_Quad& q) { return q.bl.vertices.x; }
float top(const ccV3F_C4B_T2F_Quad& q) { return q.tl.vertices.y; }

TEST_F(BitmapFontTest, ParsesTheTextFormat) {
    CCBMFontConfiguration* font = FNTConfigLoadFile(qnrender::fixture("font.fnt").c_str());
    ASSERT_NE(font, nullptr) << scope.log;
    EXPECT_EQ(font->getCommonHeight(), 14);
    EXPECT_EQ(font->getBase(), 11);
    EXPECT_EQ(font->getFaceName(), "Blocks");
    EXPECT_EQ(font->glyphCount(), 5u);
    EXPECT_EQ(font->kerningAmount('A', 'V'), -3);
    EXPECT_EQ(font->kerningAmount('V', 'A'), 0);
    EXPECT_EQ(font->getAtlasName(), qnrender::fixture("font.png"));
    const ccBMFontDef* o = font->glyph('o');
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(o->rect.equals(CCRect(48, 0, 10, 12)));
    EXPECT_EQ(o->xAdvance, 11);
    // Shared by path.
    EXPECT_EQ(FNTConfigLoadFile(qnrender::fixture("font.fnt").c_str()), font);
}

TEST_F(BitmapFontTest, LaysOutKerningTrackingAndLines) {
    CCLabelBMFont* l = label("AV");
    ASSERT_NE(l, nullptr);
    ASSERT_EQ(l->glyphCount(), 2u);
    EXPECT_FLOAT_EQ(left(l->glyphQuad(0)), 0.0f);
    EXPECT_FLOAT_EQ(top(l->glyphQuad(0)), 13.0f); // line height 14, y offset 1
    EXPECT_FLOAT_EQ(left(l->glyphQuad(1)), 8.0f);  // advance 11, kerning -3
    EXPECT_TRUE(l->getContentSize().equals(CCSize(19, 14)));

    l->setTracking(2);
    EXPECT_FLOAT_EQ(left(l->glyphQuad(1)), 10.0f);
    EXPECT_TRUE(l->getContentSize().equals(CCSize(21, 14)));
    l->setTracking(0);

    // Two lines: the first sits on top; a space draws nothing but moves the pen.
    l->setString("AV\nT o");
    ASSERT_EQ(l->glyphCount(), 4u);
    EXPECT_FLOAT_EQ(top(l->glyphQuad(0)), 27.0f);
    EXPECT_FLOAT_EQ(top(l->glyphQuad(2)), 13.0f);
    EXPECT_FLOAT_EQ(left(l->glyphQuad(3)), 17.0f); // T 11 + space 6; no kerning across the space
    EXPECT_TRUE(l->getContentSize().equals(CCSize(28, 28)));

    // Alignment moves each line within the widest one.
    l->setAlignment(kCCTextAlignmentRight);
    EXPECT_FLOAT_EQ(left(l->glyphQuad(0)), 9.0f);
    EXPECT_FLOAT_EQ(left(l->glyphQuad(2)), 0.0f);
    l->setAlignment(kCCTextAlignmentCenter);
    EXPECT_FLOAT_EQ(left(l->glyphQuad(0)), 4.5f);
}

TEST_F(BitmapFontTest, WrapsToAWidth) {
    CCLabelBMFont* l = label("AV To AV");
    ASSERT_NE(l, nullptr);
    l->setWidth(40.0f);
    // "AV To" is 22 + 6 + 22 = 50 wide: every word goes on its own line.
    EXPECT_FLOAT_EQ(l->getContentSize().height, 42.0f);
    l->setWidth(kCCLabelAutomaticWidth);
    EXPECT_FLOAT_EQ(l->getContentSize().height, 14.0f);
    l->setString("AVTo");
    l->setLineBreakWithoutSpace(true);
    l->setWidth(25.0f);
    EXPECT_FLOAT_EQ(l->getContentSize().height, 28.0f);
}

TEST_F(BitmapFontTest, UnknownAndMalformedCharactersDrawNothing) {
    CCLabelBMFont* l = label("A\xff\xfe?\xe2\x82");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->glyphCount(), 1u);
    l->setString("");
    EXPECT_EQ(l->glyphCount(), 0u);
    EXPECT_FLOAT_EQ(l->getContentSize().width, 0.0f);
}

TEST_F(BitmapFontTest, UnreadableFontsMakeNoLabel) {
    const std::string common = "common lineHeight=14 base=11 scaleW=64 scaleH=16 pages=1\n";
    const std::string page = "page id=0 file=\"font.png\"\n";
    const std::string glyph = "char id=65 x=0 y=0 width=10 height=12 xoffset=0 yoffset=1 xadvance=11 page=0\n";
    struct Case {
        const char* name;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"no common line", page + glyph, "no common line"},
        {"zero line height", "common lineHeight=0\n" + page + glyph, "lineHeight"},
        {"no page", common + glyph, "no page 0"},
        {"page without file", common + "page id=0\n" + glyph, "names no file"},
        {"negative glyph size", common + page + "char id=65 x=0 y=0 width=-5 height=12\n", "bad char"},
        {"glyph field not a number", common + page + "char id=A x=0 y=0 width=5 height=12\n", "bad char"},
        {"huge glyph", common + page + "char id=65 x=0 y=0 width=99999999999 height=1\n", "bad char"},
        {"bad kerning", common + page + glyph + "kerning first=65 second=x amount=1\n", "bad kerning"},
        {"no chars", common + page, "no chars"},
        {"binary font", std::string("BMF\3\0\0\0", 7), "binary"},
        {"missing picture", common + "page id=0 file=\"nowhere.png\"\n" + glyph, "cannot load its picture"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scope.log.clear();
        std::string path = dir.write(std::string(c.name) + "/f.fnt", c.text);
        dir.write(std::string(c.name) + "/font.png", qntest::readFile(qnrender::fixture("font.png")));
        EXPECT_EQ(CCLabelBMFont::create("A", path.c_str()), nullptr);
        EXPECT_TRUE(scope.logged("[CCLabelBMFont]")) << scope.log;
        EXPECT_TRUE(scope.logged(c.reason)) << scope.log;
    }
    scope.log.clear();
    EXPECT_EQ(CCLabelBMFont::create("A", dir.file("absent.fnt").c_str()), nullptr);
    EXPECT_TRUE(scope.logged("cannot open font file")) << scope.log;
    // A label that failed to switch fonts keeps the one it has.
    CCLabelBMFont* l = label("A");
    ASSERT_NE(l, nullptr);
    l->setFntFile(dir.file("absent.fnt").c_str());
    EXPECT_EQ(l->glyphCount(), 1u);
}

} // namespace
