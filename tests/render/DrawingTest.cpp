// Drawing with OpenGL on SDL's off-screen driver (Mesa), compared with reference pictures and
// checked at chosen pixels: rotated atlas frames, tint and transparency, a two-line label with
// kerning, letterboxing of a landscape design in a square window, render textures, screenshots.
// Skipped when no GL context can be made.

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
namespace {
// Mesa's off-screen GL driver, loaded and unloaded here, leaves a few small allocations behind that
// the leak checker cannot even name; our own leaks are checked by every other test binary.
struct IgnoreGlDriverLeaks {
    IgnoreGlDriverLeaks() { __lsan_disable(); }
} g_ignoreGlDriverLeaks;
} // namespace
#endif

#include "RenderTestUtil.h"
#include "TestSupport.h"
#include "framework/CCBMFontConfiguration.h"
#include "framework/CCDrawingPrimitives.h"
#include "framework/CCEGLView.h"
#include "framework/CCLabelBMFont.h"
#include "framework/CCLayer.h"
#include "framework/CCRenderTexture.h"
#include "framework/CCRenderer.h"
#include "framework/CCShaderCache.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteFrameCache.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"

using namespace cocos2d;

namespace {

class DrawingTest : public ::testing::Test {
protected:
    void TearDown() override {
        CCRenderer::sharedRenderer()->setClearColor(ccc4f(0, 0, 0, 1));
        CCRenderer::sharedRenderer()->setFrameCapture(false);
        CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        CCTextureCache::purgeSharedTextureCache();
        FNTConfigRemoveCache();
        gl.reset();
    }
    /// Opens a `width` x `height` window showing a design of `dw` x `dh` points.
    bool open(int width, int height, float dw, float dh, ResolutionPolicy policy = kResolutionShowAll) {
        gl.reset(new qnrender::OffscreenGL(width, height));
        CCEGLView::sharedOpenGLView()->setFrameSize((float)width, (float)height);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(dw, dh, policy);
        return gl->ok();
    }
    std::vector<unsigned char> draw(CCNode* root) {
        CCRenderer* r = CCRenderer::sharedRenderer();
        r->beginFrame();
        root->visit();
        r->endFrame();
        return gl->readPixels();
    }
    CCTexture2D* white() {
        std::vector<unsigned char> px(4 * 4 * 4, 255);
        CCTexture2D* t = new CCTexture2D();
        t->initWithData(px.data(), 4, 4, true);
        return static_cast<CCTexture2D*>(t->autorelease());
    }
    static void expectColor(const std::vector<int>& px, int r, int g, int b, const char* where) {
        EXPECT_NEAR(px[0], r, 4) << where;
        EXPECT_NEAR(px[1], g, 4) << where;
        EXPECT_NEAR(px[2], b, 4) << where;
    }
    qnrender::LogAndPool scope;
    std::unique_ptr<qnrender::OffscreenGL> gl;
};

#define REQUIRE_GL(...)                                                                               \
    if (!open(__VA_ARGS__)) GTEST_SKIP() << "no off-screen GL context: " << gl->error()

TEST_F(DrawingTest, RotatedAndTrimmedAtlasFrames) {
    REQUIRE_GL(64, 48, 64, 48);
    CCRenderer::sharedRenderer()->setClearColor(ccc4f(0.2f, 0.2f, 0.2f, 1));
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(qnrender::fixture("atlas.plist").c_str());
    CCNode* root = CCNode::create();
    const struct {
        const char* frame;
        CCPoint at;
    } placed[] = {{"upright.png", CCPoint(16, 36)}, {"turned.png", CCPoint(16, 12)}, {"trimmed.png", CCPoint(48, 36)}};
    for (const auto& p : placed) {
        CCSprite* s = CCSprite::createWithSpriteFrameName(p.frame);
        ASSERT_NE(s, nullptr) << scope.log;
        s->setPosition(p.at);
        root->addChild(s);
    }
    CCSprite* flipped = CCSprite::createWithSpriteFrameName("turned.png");
    flipped->setPosition(CCPoint(48, 12));
    flipped->setFlipX(true);
    root->addChild(flipped);
    std::vector<unsigned char> frame = draw(root);
    EXPECT_EQ(CCRenderer::sharedRenderer()->lastFrameDrawCalls(), 1u);
    const int w = gl->width();
    // The rotated frame stands upright: red top-left, green top-right, blue and white below.
    // Its 16 x 8 quad spans x 8..24 and y 8..16 (from the bottom), i.e. rows 32..40 from the top.
    expectColor(qnrender::pixelAt(frame, w, 11, 33), 255, 0, 0, "turned top-left");
    expectColor(qnrender::pixelAt(frame, w, 21, 33), 0, 255, 0, "turned top-right");
    expectColor(qnrender::pixelAt(frame, w, 11, 38), 0, 0, 255, "turned bottom-left");
    expectColor(qnrender::pixelAt(frame, w, 21, 38), 255, 255, 255, "turned bottom-right");
    // Mirrored left to right.
    expectColor(qnrender::pixelAt(frame, w, 43, 33), 0, 255, 0, "flipped top-left");
    expectColor(qnrender::pixelAt(frame, w, 11, 9), 255, 0, 0, "upright top-left");
    EXPECT_TRUE(qnrender::matchesReference(frame, w, gl->height(), "atlas_frames.png"));
}

TEST_F(DrawingTest, TintedHalfTransparentAndAdditiveSprites) {
    REQUIRE_GL(64, 32, 64, 32);
    CCNode* root = CCNode::create();
    CCTexture2D* tex = white();
    CCSprite* back = CCSprite::createWithTexture(tex);
    back->setScaleX(16.0f);
    back->setScaleY(8.0f);
    back->setPosition(CCPoint(32, 16));
    back->setColor(ccc3(0, 0, 255));
    root->addChild(back);
    CCSprite* tinted = CCSprite::createWithTexture(tex);
    tinted->setScale(3.0f);
    tinted->setPosition(CCPoint(16, 16));
    tinted->setColor(ccc3(255, 128, 0));
    tinted->setOpacity(128);
    root->addChild(tinted);
    CCSprite* added = CCSprite::createWithTexture(tex);
    added->setScale(3.0f);
    added->setPosition(CCPoint(48, 16));
    added->setColor(ccc3(255, 0, 0));
    added->setBlendFunc(ccBlendFunc{CC_GL_ONE, CC_GL_ONE});
    root->addChild(added);
    std::vector<unsigned char> frame = draw(root);
    // Two runs: background and tint share texture and blend; the additive sprite does not.
    EXPECT_EQ(CCRenderer::sharedRenderer()->lastFrameDrawCalls(), 2u);
    const int w = gl->width();
    // Premultiplied (128, 64, 0, 128) over blue: (128, 64, 255 * 127 / 255).
    expectColor(qnrender::pixelAt(frame, w, 16, 16), 128, 64, 127, "half-transparent tint");
    expectColor(qnrender::pixelAt(frame, w, 48, 16), 255, 0, 255, "additive red over blue");
    expectColor(qnrender::pixelAt(frame, w, 32, 16), 0, 0, 255, "background");
    EXPECT_TRUE(qnrender::matchesReference(frame, w, gl->height(), "tint_opacity.png"));
}

TEST_F(DrawingTest, TwoLineLabelWithKerning) {
    REQUIRE_GL(96, 64, 96, 64);
    CCNode* root = CCNode::create();
    CCLabelBMFont* label = CCLabelBMFont::create("AVTo\nToAV", qnrender::fixture("font.fnt").c_str());
    ASSERT_NE(label, nullptr) << scope.log;
    label->setAlignment(kCCTextAlignmentCenter);
    label->setScale(2.0f);
    label->setPosition(CCPoint(48, 32));
    label->setColor(ccc3(255, 255, 0));
    root->addChild(label);
    std::vector<unsigned char> frame = draw(root);
    EXPECT_EQ(CCRenderer::sharedRenderer()->lastFrameDrawCalls(), 1u);
    EXPECT_TRUE(qnrender::matchesReference(frame, gl->width(), gl->height(), "label_two_lines.png"));
}

TEST_F(DrawingTest, LandscapeDesignLetterboxedInASquareWindow) {
    REQUIRE_GL(1000, 1000, 1136, 640);
    CCNode* root = CCNode::create();
    CCSprite* fill = CCSprite::createWithTexture(white());
    fill->setAnchorPoint(CCPoint(0, 0));
    fill->setScaleX(1136.0f / 4);
    fill->setScaleY(640.0f / 4);
    root->addChild(fill);
    // A marker at the design's top-right corner, partly outside the design area: clipped.
    CCSprite* corner = CCSprite::createWithTexture(white());
    corner->setScale(25.0f);
    corner->setColor(ccc3(255, 0, 0));
    corner->setPosition(CCPoint(1136, 640));
    root->addChild(corner);
    std::vector<unsigned char> frame = draw(root);
    const int w = gl->width();
    // 1136 x 640 at 1000/1136 is 1000 x 563: bars of 218 pixels above and below.
    expectColor(qnrender::pixelAt(frame, w, 500, 100), 0, 0, 0, "top bar");
    expectColor(qnrender::pixelAt(frame, w, 500, 900), 0, 0, 0, "bottom bar");
    expectColor(qnrender::pixelAt(frame, w, 500, 500), 255, 255, 255, "design area");
    expectColor(qnrender::pixelAt(frame, w, 995, 225), 255, 0, 0, "corner marker");
    expectColor(qnrender::pixelAt(frame, w, 995, 212), 0, 0, 0, "marker clipped at the bar");
    EXPECT_TRUE(qnrender::matchesReference(frame, w, gl->height(), "letterbox_1136x640_in_1000x1000.png"));
}

TEST_F(DrawingTest, RenderTextureCapturesAndShowsAPicture) {
    REQUIRE_GL(64, 64, 64, 64);
    CCRenderTexture* rt = CCRenderTexture::create(32, 16);
    ASSERT_NE(rt, nullptr);
    CCSprite* red = CCSprite::createWithTexture(white());
    red->setColor(ccc3(255, 0, 0));
    red->setAnchorPoint(CCPoint(0, 0));
    red->setScaleX(4.0f); // the left 16 x 4 pixels at the bottom of the target
    red->setPosition(CCPoint(0, 0));
    rt->beginWithClear(0, 1, 0, 1);
    red->visit();
    rt->end();
    CCImage* image = rt->newCCImage();
    ASSERT_NE(image, nullptr);
    const unsigned char* p = image->getData();
    auto at = [&](int x, int y) { return std::vector<int>(p + (y * 32 + x) * 4, p + (y * 32 + x) * 4 + 3); };
    EXPECT_EQ(at(2, 14), (std::vector<int>{255, 0, 0})); // bottom-left, in top-first rows
    EXPECT_EQ(at(2, 2), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(at(30, 14), (std::vector<int>{0, 255, 0}));
    image->release();

    // Shown centred on its position, upright.
    CCNode* root = CCNode::create();
    rt->setPosition(CCPoint(32, 32));
    root->addChild(rt);
    std::vector<unsigned char> frame = draw(root);
    expectColor(qnrender::pixelAt(frame, 64, 18, 38), 255, 0, 0, "captured red, lower left");
    expectColor(qnrender::pixelAt(frame, 64, 18, 26), 0, 255, 0, "captured green, upper left");
    expectColor(qnrender::pixelAt(frame, 64, 5, 5), 0, 0, 0, "outside");
}

/// Draws a loading-bar-like outline and fill in its parent's space, as widgets do after a visit.
class BarNode : public CCNode {
public:
    void visit() override {
        CCNode::visit();
        ccDrawColor4F(1, 1, 1, 1);
        ccDrawRect(CCPoint(8.5f, 28.5f), CCPoint(55.5f, 35.5f)); // pixel centres: crisp lines
        ccDrawSolidRect(CCPoint(8, 28), CCPoint(32, 36), ccc4f(0, 1, 0, 1));
    }
};

TEST_F(DrawingTest, ColourLayersAndPrimitives) {
    REQUIRE_GL(64, 64, 64, 64);
    CCNode* root = CCNode::create();
    CCLayerColor* layer = CCLayerColor::create(ccc4(255, 0, 0, 128), 64, 24);
    root->addChild(layer);
    BarNode* bar = new BarNode();
    bar->init();
    root->addChild(bar);
    bar->release();
    std::vector<unsigned char> frame = draw(root);
    EXPECT_EQ(CCRenderer::sharedRenderer()->lastFrameDrawCalls(), 3u);
    expectColor(qnrender::pixelAt(frame, 64, 20, 60), 128, 0, 0, "half-transparent red layer");
    expectColor(qnrender::pixelAt(frame, 64, 20, 10), 0, 0, 0, "above the layer");
    expectColor(qnrender::pixelAt(frame, 64, 20, 32), 0, 255, 0, "bar fill");
    expectColor(qnrender::pixelAt(frame, 64, 44, 32), 0, 0, 0, "inside the outline");
    expectColor(qnrender::pixelAt(frame, 64, 55, 32), 255, 255, 255, "outline");
}

TEST_F(DrawingTest, ScreenshotWritesTheLastFrame) {
    REQUIRE_GL(32, 32, 32, 32);
    qn::keepFramesForScreenshot(true);
    CCNode* root = CCNode::create();
    CCSprite* s = CCSprite::createWithTexture(white());
    s->setScale(2.0f);
    s->setPosition(CCPoint(16, 16));
    root->addChild(s);
    draw(root);
    qntest::TempDir dir;
    std::string path = dir.file("shot.png");
    ASSERT_TRUE(qn::saveScreenshot(path));
    CCImage shot;
    ASSERT_TRUE(shot.initWithImageFile(path.c_str()));
    EXPECT_EQ(shot.getWidth(), 32);
    EXPECT_EQ(shot.getData()[(16 * 32 + 16) * 4], 255);
    EXPECT_EQ(shot.getData()[(1 * 32 + 1) * 4], 0);
    // The shader cache hands out the uniform-colour programs the effects use.
    for (const char* key : {kCCShader_Position_uColor, kCCShader_PositionTexture_uColor}) {
        CCGLProgram* program = CCShaderCache::sharedShaderCache()->programForKey(key);
        ASSERT_NE(program, nullptr) << key;
        EXPECT_GE(program->getUniformLocationForName("u_color"), 0) << key;
        EXPECT_TRUE(program->isLinked()) << key;
    }
}

} // namespace
