// Frame animations on sprites, stepped frame by frame through the director: per-frame delays,
// looping, one-shot runs, restoring the original frame, and tags on the action.

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "framework/CCActionInterval.h"
#include "framework/CCAnimation.h"
#include "framework/CCDirector.h"
#include "framework/CCScene.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteFrame.h"
#include "framework/CCTexture2D.h"

using namespace cocos2d;

namespace {

class AnimationTest : public ::testing::Test {
protected:
    AnimationTest() {
        std::vector<unsigned char> pixels(64 * 4, 255);
        texture = new CCTexture2D();
        texture->initWithData(pixels.data(), 64, 1, true);
        frames = new CCArray();
        for (int i = 0; i < 12; ++i) frames->addObject(CCSpriteFrame::createWithTexture(texture, CCRect(i * 4, 0, 4, 1)));
        CCScene* scene = CCScene::create();
        sprite = CCSprite::createWithSpriteFrame(static_cast<CCSpriteFrame*>(frames->objectAtIndex(0)));
        sprite->retain();
        scene->addChild(sprite);
        director->runWithScene(scene);
        director->mainLoop(0.0f); // enters the scene
    }
    ~AnimationTest() override {
        director->purgeDirector();
        sprite->release();
        frames->release();
        texture->release();
    }
    CCSpriteFrame* frame(unsigned int i) { return static_cast<CCSpriteFrame*>(frames->objectAtIndex(i)); }
    /// Index of the frame the sprite shows, or -1.
    int shown() {
        for (unsigned int i = 0; i < frames->count(); ++i)
            if (sprite->isFrameDisplayed(frame(i))) return (int)i;
        return -1;
    }
    void tick(int frames = 1) {
        for (int i = 0; i < frames; ++i) director->mainLoop(1.0f / 60.0f);
    }
    qnrender::LogAndPool scope;
    CCDirector* director = CCDirector::sharedDirector();
    CCTexture2D* texture;
    CCArray* frames;
    CCSprite* sprite;
};

TEST_F(AnimationTest, LoopingAnimationShowsEachFrameForItsDelay) {
    // Twelve frames of 1/60 s: a frame a tick, and round again after twelve.
    CCAnimation* animation = CCAnimation::createWithSpriteFrames(frames, 1.0f / 60.0f);
    EXPECT_NEAR(animation->getDuration(), 0.2f, 1e-6);
    CCAction* action = CCRepeatForever::create(CCAnimate::create(animation));
    action->setTag(76);
    sprite->runAction(action);
    EXPECT_EQ(sprite->getActionByTag(76), action);
    std::vector<int> seen;
    for (int i = 0; i < 30; ++i) {
        tick();
        seen.push_back(shown());
    }
    for (int i = 0; i < 30; ++i) EXPECT_EQ(seen[i], (i + 1) % 12) << "tick " << i + 1;
    sprite->stopAllActions();
    EXPECT_EQ(sprite->getActionByTag(76), nullptr);
}

TEST_F(AnimationTest, OneShotStopsOnItsLastFrameOrRestoresTheFirst) {
    CCAnimation* animation = CCAnimation::createWithSpriteFrames(frames, 0.05f);
    sprite->setDisplayFrame(frame(5));
    sprite->runAction(CCAnimate::create(animation));
    tick(36); // 0.6 s, as long as the animation
    EXPECT_EQ(shown(), 11);
    EXPECT_EQ(sprite->numberOfRunningActions(), 0u);
    tick(5);
    EXPECT_EQ(shown(), 11);

    sprite->setDisplayFrame(frame(5));
    CCAnimation* restoring = CCAnimation::createWithSpriteFrames(frames, 0.05f);
    restoring->setRestoreOriginalFrame(true);
    sprite->runAction(CCAnimate::create(restoring));
    tick(3);
    EXPECT_EQ(shown(), 1);
    tick(40);
    EXPECT_EQ(shown(), 5);
}

TEST_F(AnimationTest, DelayUnitsAndLoopsShapeTheTimeline) {
    CCArray* timeline = CCArray::create();
    const float units[3] = {1, 2, 1};
    for (int i = 0; i < 3; ++i) {
        CCAnimationFrame* f = new CCAnimationFrame();
        f->initWithSpriteFrame(frame(i), units[i], nullptr);
        timeline->addObject(f);
        f->release();
    }
    // 0.1 s a unit, twice: frame 0 for 0.1 s, frame 1 for 0.2 s, frame 2 for 0.1 s, then again.
    CCAnimation* animation = CCAnimation::create(timeline, 0.1f, 2);
    EXPECT_NEAR(animation->getDuration(), 0.4f, 1e-6);
    CCAnimate* animate = CCAnimate::create(animation);
    EXPECT_NEAR(animate->getDuration(), 0.8f, 1e-6);
    sprite->runAction(animate);
    const int expected[] = {0, 1, 1, 2, 0, 1, 1, 2};
    for (int step = 0; step < 8; ++step) {
        tick(step == 0 ? 3 : 6); // ticks land mid-way through each 0.1 s unit
        EXPECT_EQ(shown(), expected[step]) << "step " << step;
    }
    // An empty animation and a missing one do no harm.
    EXPECT_EQ(CCAnimate::create(nullptr), nullptr);
    sprite->runAction(CCAnimate::create(CCAnimation::createWithSpriteFrames(CCArray::create(), 0.1f)));
    tick(3);
    EXPECT_EQ(shown(), 2);
}

} // namespace
