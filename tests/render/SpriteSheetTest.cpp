// Sprite sheets: every property-list format the frame cache reads, a real sheet with rotated and
// trimmed frames, and what a missing or broken sheet does.

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "TestSupport.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteFrame.h"
#include "framework/CCSpriteFrameCache.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"

using namespace cocos2d;

namespace {

class SpriteSheetTest : public ::testing::Test {
protected:
    void TearDown() override {
        CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        CCTextureCache::purgeSharedTextureCache();
    }
    qnrender::LogAndPool scope;
    qntest::TempDir dir;
};

std::string sheet(int format, const std::string& frameBody, bool withTextureName) {
    std::string meta = "<key>metadata</key><dict><key>format</key><integer>" + std::to_string(format) +
                       "</integer>" +
                       (withTextureName ? "<key>textureFileName</key><string>pic.png</string>" : "") + "</dict>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict><key>frames</key><dict>"
           "<key>f</key><dict>" +
           frameBody + "</dict></dict>" + (format == 0 && !withTextureName ? "" : meta) + "</dict></plist>";
}

struct FormatCase {
    const char* name;
    int format;
    const char* body;
    bool textureNamed; // metadata names the texture; otherwise it is the plist's own name .png
    CCRect rect;
    bool rotated;
    CCPoint offset;
    CCSize original;
};

TEST_F(SpriteSheetTest, ReadsEveryFormat) {
    const FormatCase cases[] = {
        {"format0", 0,
         "<key>x</key><real>2</real><key>y</key><real>3</real><key>width</key><real>10</real>"
         "<key>height</key><real>6</real><key>offsetX</key><real>1</real><key>offsetY</key><real>-2</real>"
         "<key>originalWidth</key><real>-14</real><key>originalHeight</key><real>9</real>",
         false, CCRect(2, 3, 10, 6), false, CCPoint(1, -2), CCSize(14, 9)},
        {"format1", 1,
         "<key>frame</key><string>{{4,5},{8,7}}</string><key>offset</key><string>{0.5,1}</string>"
         "<key>sourceSize</key><string>{10,9}</string>",
         true, CCRect(4, 5, 8, 7), false, CCPoint(0.5f, 1), CCSize(10, 9)},
        {"format2", 2,
         "<key>frame</key><string>{{20,0},{16,8}}</string><key>offset</key><string>{0,0}</string>"
         "<key>rotated</key><true/><key>sourceColorRect</key><string>{{0,0},{16,8}}</string>"
         "<key>sourceSize</key><string>{16,8}</string>",
         true, CCRect(20, 0, 16, 8), true, CCPoint(0, 0), CCSize(16, 8)},
        {"format3", 3,
         "<key>aliases</key><array><string>alias-of-f</string></array>"
         "<key>spriteOffset</key><string>{-1,2}</string><key>spriteSize</key><string>{16,8}</string>"
         "<key>spriteSourceSize</key><string>{18,12}</string><key>textureRect</key><string>{{20,0},{16,8}}</string>"
         "<key>textureRotated</key><true/>",
         true, CCRect(20, 0, 16, 8), true, CCPoint(-1, 2), CCSize(18, 12)},
        {"no source size", 1, "<key>frame</key><string>{{1,1},{5,4}}</string>", true, CCRect(1, 1, 5, 4), false,
         CCPoint(0, 0), CCSize(5, 4)},
    };
    const std::string png = qntest::readFile(qnrender::fixture("atlas.png"));
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        std::string plist = dir.write(std::string(c.name) + "/sheet.plist", sheet(c.format, c.body, c.textureNamed));
        dir.write(std::string(c.name) + (c.textureNamed ? "/pic.png" : "/sheet.png"), png);
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plist.c_str());
        CCSpriteFrame* f = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName("f");
        ASSERT_NE(f, nullptr) << scope.log;
        EXPECT_TRUE(f->getRect().equals(c.rect));
        EXPECT_EQ(f->isRotated(), c.rotated);
        EXPECT_EQ(f->getOffset(), c.offset);
        EXPECT_TRUE(f->getOriginalSize().equals(c.original));
        ASSERT_NE(f->getTexture(), nullptr);
        EXPECT_EQ(f->getTexture()->getPixelsWide(), 32);
        if (c.format == 3) {
            EXPECT_EQ(CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName("alias-of-f"), f);
        }
    }
}

TEST_F(SpriteSheetTest, RealSheetGivesUprightRotatedAndTrimmedSprites) {
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    cache->addSpriteFramesWithFile(qnrender::fixture("atlas.plist").c_str());
    ASSERT_EQ(cache->frameCount(), 3u) << scope.log;

    // A rotated frame keeps its upright size; its texture coordinates walk the turned region.
    CCSprite* turned = CCSprite::createWithSpriteFrameName("turned.png");
    ASSERT_NE(turned, nullptr);
    EXPECT_TRUE(turned->isTextureRectRotated());
    EXPECT_TRUE(turned->getContentSize().equals(CCSize(16, 8)));
    const ccV3F_C4B_T2F_Quad& q = turned->getQuad();
    // Upright top-left sits at the turned region's top-right: u = 28/32, v = 0.
    EXPECT_FLOAT_EQ(q.tl.texCoords.u, 28.0f / 32);
    EXPECT_FLOAT_EQ(q.tl.texCoords.v, 0.0f);
    EXPECT_FLOAT_EQ(q.br.texCoords.u, 20.0f / 32);
    EXPECT_FLOAT_EQ(q.br.texCoords.v, 16.0f / 32);
    EXPECT_FLOAT_EQ(q.tr.vertices.x, 16.0f);
    EXPECT_FLOAT_EQ(q.tr.vertices.y, 8.0f);

    // A trimmed frame sits inside its untrimmed content, moved by its (y-up) offset.
    CCSprite* trimmed = CCSprite::createWithSpriteFrameName("trimmed.png");
    ASSERT_NE(trimmed, nullptr);
    EXPECT_TRUE(trimmed->getContentSize().equals(CCSize(20, 12)));
    EXPECT_EQ(trimmed->getOffsetPosition(), CCPoint(3, 1));
    trimmed->setFlipX(true);
    EXPECT_EQ(trimmed->getOffsetPosition(), CCPoint(1, 1));

    // Reading the same sheet again adds nothing new and keeps the frames.
    CCSpriteFrame* before = cache->spriteFrameByName("upright.png");
    cache->addSpriteFramesWithFile(qnrender::fixture("atlas.plist").c_str());
    EXPECT_EQ(cache->spriteFrameByName("upright.png"), before);
}

TEST_F(SpriteSheetTest, MissingOrBrokenSheetsAddNothingAndLog) {
    struct Case {
        const char* name;
        std::string plist;
        bool writeTexture;
        const char* logPart;
    };
    const Case cases[] = {
        {"missing sheet", "", false, "cannot read sprite sheet"},
        {"not a plist", "<plist><dict><key>frames", false, "cannot read sprite sheet"},
        {"missing texture", sheet(1, "<key>frame</key><string>{{0,0},{4,4}}</string>", true), false,
         "cannot load texture"},
        {"no frames", "<plist version=\"1.0\"><dict><key>metadata</key><dict><key>textureFileName</key>"
                       "<string>pic.png</string></dict></dict></plist>", true,
         "no frames dictionary"},
        {"bad rectangle", sheet(1, "<key>frame</key><string>{{0,0},{-4,0}}</string>", true), true, "bad rectangle"},
        {"unknown format", sheet(9, "<key>frame</key><string>{{0,0},{4,4}}</string>", true), true,
         "unsupported sprite sheet format"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scope.log.clear();
        std::string base = std::string("broken/") + c.name;
        std::string path = c.plist.empty() ? dir.file(base + "/none.plist") : dir.write(base + "/s.plist", c.plist);
        if (c.writeTexture) dir.write(base + "/pic.png", qntest::readFile(qnrender::fixture("atlas.png")));
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(path.c_str());
        EXPECT_EQ(CCSpriteFrameCache::sharedSpriteFrameCache()->frameCount(), 0u);
        EXPECT_TRUE(scope.logged(c.logPart)) << scope.log;
    }
    // Asking for a frame that is not there gives no sprite and one log line, not one per call.
    scope.log.clear();
    EXPECT_EQ(CCSprite::createWithSpriteFrameName("QNModelSprite_ID7"), nullptr);
    EXPECT_EQ(CCSprite::createWithSpriteFrameName("QNModelSprite_ID7"), nullptr);
    EXPECT_EQ(std::count(scope.log.begin(), scope.log.end(), '\n'), 1) << scope.log;
}

} // namespace
