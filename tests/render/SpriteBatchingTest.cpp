// Sprites through the quad renderer without GL: world corners, tint and opacity in the vertex
// colours, and how many draw calls a frame makes for runs of textures, blend modes and z-orders.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "RenderTestUtil.h"
#include "framework/CCNodeRGBA.h"
#include "framework/CCRenderer.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteBatchNode.h"
#include "framework/CCTexture2D.h"

using namespace cocos2d;

// GCC sees the replaced global new/delete pair as mismatched malloc/free once inlined; it is not.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Counts heap allocations while `g_countAllocations` is set, to show a steady frame makes none.
static std::atomic<bool> g_countAllocations{false};
static std::atomic<long> g_allocations{0};

void* operator new(std::size_t size) {
    if (g_countAllocations) ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

class SpriteBatchingTest : public ::testing::Test {
protected:
    SpriteBatchingTest() {
        qn::setGLDisabled(true);
        const unsigned char white[16] = {255, 255, 255, 255, 255, 255, 255, 255,
                                         255, 255, 255, 255, 255, 255, 255, 255};
        for (CCTexture2D*& t : textures) {
            t = new CCTexture2D();
            t->initWithData(white, 2, 2, true);
        }
    }
    ~SpriteBatchingTest() override {
        for (CCTexture2D* t : textures) t->release();
        qn::setGLDisabled(false);
    }
    /// Draws `root` as one frame and returns its draw calls.
    unsigned int frame(CCNode* root) {
        CCRenderer* r = CCRenderer::sharedRenderer();
        r->beginFrame();
        root->visit();
        r->endFrame();
        return r->lastFrameDrawCalls();
    }
    CCSprite* sprite(int texture) { return CCSprite::createWithTexture(textures[texture]); }
    qnrender::LogAndPool scope;
    CCTexture2D* textures[2];
};

TEST_F(SpriteBatchingTest, DrawCallsFollowRunsOfSharedState) {
    const unsigned int cap = CCRenderer::kQuadCapacity;
    struct Case {
        const char* name;
        unsigned int sprites;
        bool alternateTextures;
        bool alternateBlend;
        bool inBatchNode;
        unsigned int expected;
    };
    const Case cases[] = {
        {"nothing", 0, false, false, false, 0},
        {"one sprite", 1, false, false, false, 1},
        {"a full batch", cap, false, false, false, 1},
        {"one more than a batch", cap + 1, false, false, false, 2},
        {"several batches", 3 * cap + 5, false, false, false, 4},
        {"batch node", 2 * cap + 1, false, false, true, 3},
        {"alternating textures", 10, true, false, false, 10},
        {"alternating additive blend", 10, false, true, false, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCNode* root = c.inBatchNode ? static_cast<CCNode*>(CCSpriteBatchNode::createWithTexture(textures[0]))
                                     : CCNode::create();
        for (unsigned int i = 0; i < c.sprites; ++i) {
            CCSprite* s = sprite(c.alternateTextures ? (int)(i % 2) : 0);
            if (c.alternateBlend && i % 2) s->setBlendFunc(kCCBlendFuncAdditive);
            s->setPosition(CCPoint((float)(i % 100), (float)(i / 100)));
            root->addChild(s);
        }
        EXPECT_EQ(frame(root), c.expected);
    }
}

TEST_F(SpriteBatchingTest, ZOrderVisibilityAndCameraShapeTheRuns) {
    CCNode* root = CCNode::create();
    // Added A, A, B but drawn A (z 0), B (z 1), A (z 2): three runs.
    CCSprite* a1 = sprite(0);
    CCSprite* a2 = sprite(0);
    root->addChild(a1, 0);
    root->addChild(a2, 2);
    root->addChild(sprite(1), 1);
    EXPECT_EQ(frame(root), 3u);
    a2->setZOrder(0);
    EXPECT_EQ(frame(root), 2u);
    // Hidden sprites and their subtrees draw nothing.
    a1->setVisible(false);
    EXPECT_EQ(frame(root), 2u);
    a2->setVisible(false);
    EXPECT_EQ(frame(root), 1u);
    a1->setVisible(true);
    a2->setVisible(true);
    a1->addChild(sprite(0));
    a1->setVisible(false);
    EXPECT_EQ(frame(root), 2u);

    // Moving the camera between two quads of one texture splits the run; moving it back does not.
    CCRenderer* r = CCRenderer::sharedRenderer();
    ccV3F_C4B_T2F_Quad q = a2->getQuad();
    r->beginFrame();
    r->drawQuad(q, textures[0], a2->getShaderProgram(), a2->getBlendFunc());
    kmGLPushMatrix();
    kmGLTranslatef(10, 0, 0);
    r->drawQuad(q, textures[0], a2->getShaderProgram(), a2->getBlendFunc());
    kmGLPopMatrix();
    r->drawQuad(q, textures[0], a2->getShaderProgram(), a2->getBlendFunc());
    r->drawQuad(q, textures[0], a2->getShaderProgram(), a2->getBlendFunc());
    EXPECT_EQ(r->drawCallsThisFrame(), 3u);
    r->flush();
    r->addDrawCalls(1); // a mesh drawn directly
    r->endFrame();
    EXPECT_EQ(r->lastFrameDrawCalls(), 4u);
}

TEST_F(SpriteBatchingTest, CornersFollowTheNodeTransform) {
    CCNode* parent = CCNode::create();
    parent->setPosition(CCPoint(100, 50));
    parent->setScale(2.0f);
    parent->setRotation(90.0f); // clockwise
    CCSprite* s = CCSprite::createWithTexture(textures[0], CCRect(0, 0, 2, 1));
    parent->addChild(s);
    ccV3F_C4B_T2F_Quad q;
    s->worldQuad(s->nodeToWorldTransform(), q);
    // Centred on the parent's position, twice as big, turned a quarter clockwise: the top-left
    // corner (-1, 0.5) local goes to (1, 2) from the centre.
    EXPECT_NEAR(q.tl.vertices.x, 101.0f, 1e-4);
    EXPECT_NEAR(q.tl.vertices.y, 52.0f, 1e-4);
    EXPECT_NEAR(q.br.vertices.x, 99.0f, 1e-4);
    EXPECT_NEAR(q.br.vertices.y, 48.0f, 1e-4);

    s->setFlipX(true);
    EXPECT_FLOAT_EQ(s->getQuad().bl.texCoords.u, 1.0f);
    EXPECT_FLOAT_EQ(s->getQuad().br.texCoords.u, 0.0f);
    s->setFlipY(true);
    EXPECT_FLOAT_EQ(s->getQuad().bl.texCoords.v, 0.0f);
}

TEST_F(SpriteBatchingTest, TintAndOpacityArePremultipliedAndCascade) {
    CCNodeRGBA* parent = CCNodeRGBA::create();
    parent->setCascadeOpacityEnabled(true);
    parent->setCascadeColorEnabled(true);
    CCSprite* s = sprite(0);
    parent->addChild(s);
    s->setCascadeOpacityEnabled(true);
    s->setCascadeColorEnabled(true);
    s->setColor(ccc3(255, 128, 0));
    s->setOpacity(128);
    ccV3F_C4B_T2F_Quad q;
    s->worldQuad(CCAffineTransformIdentity, q);
    EXPECT_EQ(q.tl.colors.r, 128);
    EXPECT_EQ(q.tl.colors.g, 64);
    EXPECT_EQ(q.tl.colors.b, 0);
    EXPECT_EQ(q.tl.colors.a, 128);

    parent->setOpacity(128);
    parent->setColor(ccc3(128, 255, 255));
    s->worldQuad(CCAffineTransformIdentity, q);
    EXPECT_EQ(q.br.colors.a, 64);
    EXPECT_EQ(q.br.colors.r, 32);

    // A straight-alpha texture keeps its colour and blends with source alpha.
    const unsigned char px[4] = {255, 255, 255, 255};
    CCTexture2D* straight = new CCTexture2D();
    straight->initWithData(px, 1, 1, false);
    CCSprite* t = CCSprite::createWithTexture(straight);
    straight->release();
    t->setOpacity(100);
    t->worldQuad(CCAffineTransformIdentity, q);
    EXPECT_EQ(q.tl.colors.r, 255);
    EXPECT_EQ(q.tl.colors.a, 100);
    EXPECT_TRUE(t->getBlendFunc() == kCCBlendFuncAlpha);
}

TEST_F(SpriteBatchingTest, SteadyFramesAllocateNothing) {
    CCSpriteBatchNode* batch = CCSpriteBatchNode::createWithTexture(textures[0]);
    for (int i = 0; i < 3000; ++i) {
        CCSprite* s = sprite(0);
        s->setPosition(CCPoint((float)(i % 80), (float)(i / 80)));
        batch->addChild(s);
    }
    frame(batch); // warm-up: stacks and buffers reach their size
    g_allocations = 0;
    g_countAllocations = true;
    unsigned int calls = frame(batch);
    g_countAllocations = false;
    EXPECT_EQ(calls, 3u);
    EXPECT_EQ(g_allocations.load(), 0);
}

} // namespace
