#include <gtest/gtest.h>

#include "SceneTestSupport.h"
#include "framework/CCActionEase.h"
#include "framework/CCActionInstant.h"
#include "framework/CCActionInterval.h"
#include "framework/CCActionManager.h"
#include "framework/CCNodeRGBA.h"

using namespace cocos2d;
using scenetest::Probe;
using scenetest::runFrames;
using scenetest::RunningScene;

namespace {

unsigned int frameNow() {
    return CCDirector::sharedDirector()->getTotalFrames();
}

// A call action that records the frame it ran on.
CCCallFunc* recordFrame(std::vector<unsigned int>* frames) {
    return CCCallFunc::create([frames] { frames->push_back(frameNow()); });
}

std::vector<unsigned int> since(unsigned int start, const std::vector<unsigned int>& frames) {
    std::vector<unsigned int> out;
    for (unsigned int f : frames) out.push_back(f - start);
    return out;
}

} // namespace

TEST_F(RunningScene, IntervalActionsFinishOnTheFrameTheirTimeRunsOut) {
    CCNode* node = CCNode::create();
    scene->addChild(node);
    node->setPosition(ccp(10, 10));
    node->runAction(CCMoveBy::create(1.0f, ccp(60, -30)));
    runFrames(30);
    EXPECT_NEAR(node->getPositionX(), 40, 1e-3);
    EXPECT_NEAR(node->getPositionY(), -5, 1e-3);
    runFrames(29);
    EXPECT_EQ(node->numberOfRunningActions(), 1u);
    runFrames(1);
    EXPECT_EQ(node->numberOfRunningActions(), 0u);
    EXPECT_FLOAT_EQ(node->getPositionX(), 70);
    EXPECT_FLOAT_EQ(node->getPositionY(), -20);

    // To-actions aim at absolute values; rotate-to takes the short way round.
    node->setRotation(350);
    node->runAction(CCSpawn::create(CCMoveTo::create(0.5f, ccp(0, 0)), CCScaleTo::create(0.25f, 3.0f),
                                    CCRotateTo::create(0.5f, 10.0f), nullptr));
    runFrames(15);
    EXPECT_NEAR(node->getRotation(), 360, 1e-3);
    EXPECT_NEAR(node->getScale(), 3.0f, 1e-3);
    runFrames(15);
    EXPECT_EQ(node->numberOfRunningActions(), 0u);
    EXPECT_NEAR(node->getRotation(), 370, 1e-3);
    EXPECT_FLOAT_EQ(node->getPositionX(), 0);
}

TEST_F(RunningScene, SequencesRepeatsAndRepeatForeverKeepTime) {
    CCNode* node = CCNode::create();
    scene->addChild(node);
    std::vector<unsigned int> seq, rep, ever;
    const unsigned int start = frameNow();
    node->runAction(CCSequence::create(CCDelayTime::create(0.5f), recordFrame(&seq),
                                       CCDelayTime::create(0.25f), recordFrame(&seq), recordFrame(&seq),
                                       nullptr));
    node->runAction(
        CCRepeat::create(CCSequence::create(CCDelayTime::create(0.1f), recordFrame(&rep), nullptr), 3));
    node->runAction(CCRepeatForever::create(
        CCSequence::createWithTwoActions(CCDelayTime::create(0.2f), recordFrame(&ever))));
    runFrames(60);
    EXPECT_EQ(since(start, seq), (std::vector<unsigned int>{30, 45, 45}));
    EXPECT_EQ(since(start, rep), (std::vector<unsigned int>{6, 12, 18}));
    EXPECT_EQ(since(start, ever), (std::vector<unsigned int>{12, 24, 36, 48, 60}));
    EXPECT_EQ(node->numberOfRunningActions(), 1u); // only the endless one is left

    // Instant actions run once, also inside repeats; zero repeats run nothing.
    std::vector<unsigned int> instant;
    node->runAction(CCRepeat::create(recordFrame(&instant), 3));
    node->runAction(CCRepeat::create(recordFrame(&instant), 0));
    runFrames(2);
    EXPECT_EQ(instant.size(), 3u);
}

TEST_F(RunningScene, ActionsAreFoundAndStoppedByTag) {
    CCNode* node = CCNode::create();
    scene->addChild(node);
    CCAction* move = CCMoveBy::create(1.0f, ccp(100, 0));
    move->setTag(7);
    node->runAction(move);
    node->runAction(CCRotateBy::create(1.0f, 90));
    EXPECT_EQ(node->getActionByTag(7), move);
    EXPECT_EQ(node->getActionByTag(8), nullptr);
    EXPECT_EQ(node->numberOfRunningActions(), 2u);
    runFrames(6);
    node->stopActionByTag(7);
    EXPECT_EQ(node->getActionByTag(7), nullptr);
    runFrames(6);
    EXPECT_NEAR(node->getPositionX(), 10, 1e-3);
    EXPECT_NEAR(node->getRotation(), 18, 1e-3);
    node->stopAllActions();
    EXPECT_EQ(node->numberOfRunningActions(), 0u);
}

TEST_F(RunningScene, PausedTargetsAndSpeedChangeProgress) {
    CCNode* node = CCNode::create();
    scene->addChild(node);
    node->runAction(CCMoveBy::create(1.0f, ccp(60, 0)));
    runFrames(10);
    node->pauseSchedulerAndActions();
    runFrames(10);
    EXPECT_NEAR(node->getPositionX(), 10, 1e-3);
    node->resumeSchedulerAndActions();
    runFrames(10);
    EXPECT_NEAR(node->getPositionX(), 20, 1e-3);

    CCNode* fast = CCNode::create();
    scene->addChild(fast);
    fast->runAction(CCSpeed::create(CCMoveBy::create(1.0f, ccp(60, 0)), 2.0f));
    runFrames(30);
    EXPECT_EQ(fast->numberOfRunningActions(), 0u);
    EXPECT_FLOAT_EQ(fast->getPositionX(), 60);
}

TEST_F(RunningScene, RemovalFromInsideCallbacksIsSafe) {
    Probe* self = Probe::create(&log, "self");
    Probe* other = Probe::create(&log, "other");
    Probe* removed = Probe::create(&log, "removed");
    Probe* looping = Probe::create(&log, "looping");
    for (Probe* p : {self, other, removed, looping}) scene->addChild(p);
    // An endless loop whose body removes its target: neither the body nor the loop goes on.
    looping->runAction(CCRepeatForever::create(CCSequence::create(
        CCDelayTime::create(0.05f), CCCallFuncN::create([](CCNode* n) { n->removeFromParent(); }),
        CCCallFunc::create(looping, callfunc_selector(Probe::call)), nullptr)));
    other->runAction(CCMoveBy::create(1.0f, ccp(10, 0)));
    other->runAction(CCRepeatForever::create(CCRotateBy::create(0.1f, 30)));
    removed->runAction(CCSequence::create(CCDelayTime::create(0.05f), CCRemoveSelf::create(), nullptr));
    // The target removes itself (its last owner) mid-sequence, then a later action would move it.
    self->runAction(CCSequence::create(CCDelayTime::create(0.05f),
                                       CCCallFuncN::create([](CCNode* n) { n->removeFromParent(); }),
                                       CCCallFunc::create(self, callfunc_selector(Probe::call)),
                                       CCMoveBy::create(1.0f, ccp(5, 5)), nullptr));
    // Another target's actions are stopped and the node removed from a callback.
    CCNode* bystander = CCNode::create();
    scene->addChild(bystander);
    bystander->runAction(CCSequence::create(CCDelayTime::create(0.05f), CCCallFunc::create([other] {
                                                other->stopAllActions();
                                                other->removeFromParent();
                                            }),
                                            nullptr));
    runFrames(1); // the scene is now each probe's only owner, with the action manager
    const int liveBefore = Probe::live();
    runFrames(5);
    EXPECT_EQ(std::count(log.begin(), log.end(), "self:call"), 0) << "stopped sequence ran on";
    EXPECT_EQ(std::count(log.begin(), log.end(), "looping:call"), 0) << "stopped loop ran on";
    EXPECT_EQ(scene->getChildrenCount(), 1u);
    EXPECT_EQ(Probe::live(), liveBefore - 4);
}

TEST_F(RunningScene, FadesChangeOpacityOfRGBANodes) {
    CCNodeRGBA* node = CCNodeRGBA::create();
    scene->addChild(node);
    node->runAction(CCFadeTo::create(0.5f, 55));
    runFrames(15);
    EXPECT_EQ(node->getOpacity(), 155);
    runFrames(15);
    EXPECT_EQ(node->getOpacity(), 55);
    node->runAction(CCSequence::create(CCFadeOut::create(0.1f), CCFadeIn::create(0.1f)->reverse(),
                                       CCTintTo::create(0.1f, 0, 128, 255), nullptr));
    runFrames(12);
    EXPECT_EQ(node->getOpacity(), 0);
    runFrames(6);
    EXPECT_TRUE(ccc3BEqual(node->getColor(), ccc3(0, 128, 255)));
    // A plain node has no opacity: fades leave it alone.
    CCNode* plain = CCNode::create();
    scene->addChild(plain);
    plain->runAction(CCFadeOut::create(0.1f));
    runFrames(7);
    EXPECT_EQ(plain->numberOfRunningActions(), 0u);
}

TEST_F(RunningScene, CopiesRunIndependentlyAndReversesUndo) {
    CCNode* a = CCNode::create();
    CCNode* b = CCNode::create();
    scene->addChild(a);
    scene->addChild(b);
    b->setPosition(ccp(100, 100));
    CCSequence* original =
        CCSequence::create(CCMoveBy::create(0.1f, ccp(10, 0)), CCScaleBy::create(0.1f, 2.0f), nullptr);
    original->retain(); // kept past its run, to reverse it below
    a->runAction(original);
    CCAction* copy = original->copy();
    b->runAction(copy);
    copy->release();
    runFrames(12);
    EXPECT_FLOAT_EQ(a->getPositionX(), 10);
    EXPECT_FLOAT_EQ(b->getPositionX(), 110);
    EXPECT_FLOAT_EQ(b->getScale(), 2.0f);
    a->runAction(original->reverse());
    original->release();
    runFrames(12);
    EXPECT_NEAR(a->getPositionX(), 0, 1e-4);
    EXPECT_NEAR(a->getScale(), 1.0f, 1e-6);
    EXPECT_EQ(CCMoveTo::create(1, ccp(0, 0))->reverse(), nullptr);
    EXPECT_EQ(CCSequence::create(CCArray::create()), nullptr);
    EXPECT_EQ(CCSequence::createWithTwoActions(CCDelayTime::create(1), nullptr), nullptr);
    EXPECT_EQ(CCRepeat::create(nullptr, 2), nullptr);
}

TEST_F(RunningScene, EasesReshapeProgressButEndInPlace) {
    struct EaseCase {
        const char* name;
        CCActionInterval* (*make)(CCActionInterval*);
        float atHalf; // progress at half time
    };
    const EaseCase cases[] = {
        {"in", [](CCActionInterval* a) -> CCActionInterval* { return CCEaseIn::create(a, 2.0f); }, 0.25f},
        {"out", [](CCActionInterval* a) -> CCActionInterval* { return CCEaseOut::create(a, 2.0f); },
         0.70710678f},
        {"in-out", [](CCActionInterval* a) -> CCActionInterval* { return CCEaseInOut::create(a, 2.0f); },
         0.5f},
    };
    for (const EaseCase& c : cases) {
        SCOPED_TRACE(c.name);
        CCNode* node = CCNode::create();
        scene->addChild(node);
        node->runAction(c.make(CCMoveBy::create(0.5f, ccp(100, 0))));
        runFrames(15);
        EXPECT_NEAR(node->getPositionX(), 100 * c.atHalf, 1e-2);
        runFrames(15);
        EXPECT_FLOAT_EQ(node->getPositionX(), 100);
        EXPECT_EQ(node->numberOfRunningActions(), 0u);
    }
    EXPECT_EQ(CCEaseIn::create(nullptr, 2), nullptr);
}
