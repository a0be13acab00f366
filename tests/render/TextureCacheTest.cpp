// Textures from PNG files: premultiplied pixels, one texture per path, removal and reloading, and
// files that are missing or not pictures.

#include <gtest/gtest.h>

#include <cstdio>

#include "RenderTestUtil.h"
#include "TestSupport.h"
#include "framework/CCImage.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"

using namespace cocos2d;

namespace {

class TextureCacheTest : public ::testing::Test {
protected:
    void TearDown() override { CCTextureCache::purgeSharedTextureCache(); }
    std::string png(const std::string& name, std::vector<unsigned char> rgba, int w, int h) {
        std::string path = dir.file(name);
        EXPECT_TRUE(qn::writePng(path, rgba.data(), w, h, false, false));
        return path;
    }
    qnrender::LogAndPool scope;
    qntest::TempDir dir;
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
};

TEST_F(TextureCacheTest, LoadsPremultipliedPixelsOncePerPath) {
    std::string path = png("a.png", {200, 100, 50, 128, 10, 20, 30, 255}, 2, 1);
    CCTexture2D* t = cache->addImage(path.c_str());
    ASSERT_NE(t, nullptr) << scope.log;
    EXPECT_EQ(t->getPixelsWide(), 2);
    EXPECT_EQ(t->getPixelsHigh(), 1);
    EXPECT_TRUE(t->hasPremultipliedAlpha());
    ccColor4B half = t->pixelAt(0, 0);
    EXPECT_EQ(half.r, 100);
    EXPECT_EQ(half.g, 50);
    EXPECT_EQ(half.b, 25);
    EXPECT_EQ(half.a, 128);
    EXPECT_EQ(t->pixelAt(1, 0).r, 10);
    EXPECT_EQ(cache->addImage(path.c_str()), t);
    EXPECT_EQ(cache->textureForKey(path.c_str()), t);

    // Saving writes straight alpha back, so a round trip keeps the picture.
    CCImage image;
    ASSERT_TRUE(image.initWithImageFile(path.c_str()));
    std::string copy = dir.file("copy.png");
    ASSERT_TRUE(image.saveToFile(copy.c_str()));
    CCImage again;
    ASSERT_TRUE(again.initWithImageFile(copy.c_str()));
    EXPECT_NEAR(again.getData()[0], 100, 1);
    EXPECT_EQ(again.getData()[3], 128);
}

TEST_F(TextureCacheTest, RemovedAndReloadedTextures) {
    std::string path = png("b.png", {255, 0, 0, 255}, 1, 1);
    CCTexture2D* first = cache->addImage(path.c_str());
    ASSERT_NE(first, nullptr);
    first->retain();

    // The file changed on disk: a reload reads the new picture.
    png("b.png", {0, 255, 0, 255, 0, 255, 0, 255}, 2, 1);
    CCTexture2D* reloaded = cache->reloadTexture(path.c_str());
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->getPixelsWide(), 2);
    EXPECT_EQ(cache->textureForKey(path.c_str()), reloaded);

    // The file vanished: the reload gives nothing and the cache no longer hands out the old one.
    std::remove(path.c_str());
    EXPECT_EQ(cache->reloadTexture(path.c_str()), nullptr);
    EXPECT_EQ(cache->textureForKey(path.c_str()), nullptr);
    EXPECT_EQ(cache->addImage(path.c_str()), nullptr);
    EXPECT_EQ(first->getPixelsWide(), 1); // a holder keeps its texture alive
    first->release();

    std::string kept = png("c.png", {1, 2, 3, 255}, 1, 1);
    CCTexture2D* held = cache->addImage(kept.c_str());
    held->retain();
    cache->addImage(png("d.png", {1, 2, 3, 255}, 1, 1).c_str());
    cache->removeUnusedTextures();
    EXPECT_EQ(cache->textureCount(), 1u);
    cache->removeTexture(held);
    EXPECT_EQ(cache->textureCount(), 0u);
    held->release();
}

TEST_F(TextureCacheTest, MissingAndDamagedFilesGiveNoTexture) {
    std::string full = qntest::readFile(qnrender::fixture("atlas.png"));
    struct Case {
        const char* name;
        std::string bytes;
        bool write;
    };
    const Case cases[] = {
        {"missing.png", "", false},
        {"empty.png", "", true},
        {"text.png", "not a picture at all", true},
        {"truncated.png", full.substr(0, full.size() / 2), true},
        {"header-only.png", full.substr(0, 33), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scope.log.clear();
        std::string path = c.write ? dir.write(c.name, c.bytes) : dir.file(c.name);
        EXPECT_EQ(cache->addImage(path.c_str()), nullptr);
        EXPECT_TRUE(scope.logged("[CCImage]")) << scope.log;
    }
    EXPECT_EQ(cache->addImage(""), nullptr);
    EXPECT_EQ(cache->addImage(nullptr), nullptr);
    EXPECT_EQ(cache->textureCount(), 0u);
}

} // namespace
