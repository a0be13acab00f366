#include <gtest/gtest.h>

#include <functional>

#include "SceneTestSupport.h"
#include "framework/CCLayer.h"
#include "framework/CCSet.h"
#include "framework/CCTouch.h"
#include "platform/Clock.h"

using namespace cocos2d;
using scenetest::runFrames;
using scenetest::RunningScene;

namespace {

CCTouchDispatcher* touches() {
    return CCDirector::sharedDirector()->getTouchDispatcher();
}
CCKeypadDispatcher* keypad() {
    return CCDirector::sharedDirector()->getKeypadDispatcher();
}

// A layer that logs every input call as "<name>:<call>" and claims touches when told to.
class InputLayer : public CCLayer {
public:
    static InputLayer* create(std::vector<std::string>* log, const std::string& name) {
        InputLayer* layer = new InputLayer();
        layer->m_log = log;
        layer->m_name = name;
        layer->init();
        layer->autorelease();
        return layer;
    }
    bool claims = true;
    std::function<void()> onBegan;
    std::function<void()> onBack;
    CCPoint lastDelta;

    bool ccTouchBegan(CCTouch*, CCEvent*) override {
        record("began");
        if (onBegan) onBegan();
        return claims;
    }
    void ccTouchMoved(CCTouch* touch, CCEvent*) override {
        lastDelta = touch->getDelta();
        record("moved");
    }
    void ccTouchEnded(CCTouch*, CCEvent*) override { record("ended"); }
    void ccTouchCancelled(CCTouch*, CCEvent*) override { record("cancelled"); }
    void ccTouchesBegan(CCSet* set, CCEvent*) override {
        record("touchesBegan" + std::to_string(set->count()));
    }
    void ccTouchesEnded(CCSet*, CCEvent*) override { record("touchesEnded"); }
    void keyBackClicked() override {
        record("back");
        if (onBack) onBack();
    }
    void keyMenuClicked() override { record("menu"); }
    void onKeyDown(int code) override { record("down" + std::to_string(code)); }
    void onKeyUp(int code) override { record("up" + std::to_string(code)); }
    void didAccelerate(CCAcceleration* a) override {
        record("accel" + std::to_string((int)a->x) + std::to_string((int)a->y) + std::to_string((int)a->z));
        lastTimestamp = a->timestamp;
    }
    double lastTimestamp = 0;

private:
    void record(const std::string& what) { m_log->push_back(m_name + ":" + what); }
    std::vector<std::string>* m_log = nullptr;
    std::string m_name;
};

InputLayer* addTargeted(CCNode* parent, std::vector<std::string>* log, const std::string& name,
                        int priority) {
    InputLayer* layer = InputLayer::create(log, name);
    layer->setTouchMode(kCCTouchesOneByOne);
    layer->setTouchPriority(priority);
    layer->setTouchEnabled(true);
    parent->addChild(layer);
    return layer;
}

void tap(int id, const CCPoint& at) {
    touches()->handleTouch(kCCTouchBegan, id, at);
    touches()->handleTouch(kCCTouchEnded, id, at);
}

} // namespace

struct ClaimCase {
    const char* name;
    bool highClaims, lowClaims;
    std::vector<std::string> expected;
};

TEST_F(RunningScene, TouchesGoByPriorityAndClaimsSwallow) {
    const ClaimCase cases[] = {
        {"high claims and swallows", true, true, {"high:began", "high:ended"}},
        {"high declines, low claims", false, true, {"high:began", "low:began", "low:ended"}},
        {"nobody claims: standard layer gets it",
         false,
         false,
         {"high:began", "low:began", "std:touchesBegan1", "std:touchesEnded"}},
    };
    for (const ClaimCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> log;
        CCNode* holder = CCNode::create();
        scene->addChild(holder);
        // Added in reverse priority order: the dispatcher sorts.
        InputLayer* standard = InputLayer::create(&log, "std");
        standard->setTouchEnabled(true);
        holder->addChild(standard);
        InputLayer* low = addTargeted(holder, &log, "low", 5);
        InputLayer* high = addTargeted(holder, &log, "high", -5);
        high->claims = c.highClaims;
        low->claims = c.lowClaims;
        tap(1, ccp(10, 10));
        EXPECT_EQ(log, c.expected);
        holder->removeFromParent();
        EXPECT_FALSE(touches()->isRegistered(high));
    }
}

TEST_F(RunningScene, ClaimedTouchesFollowTheirClaimerWithLocations) {
    std::vector<std::string> log;
    InputLayer* a = addTargeted(scene, &log, "a", 0);
    a->claims = true;
    touches()->handleTouch(kCCTouchBegan, 3, ccp(10, 20));
    touches()->handleTouch(kCCTouchMoved, 3, ccp(15, 18));
    EXPECT_EQ(a->lastDelta, ccp(5, -2));
    touches()->handleTouch(kCCTouchMoved, 9, ccp(0, 0)); // unknown id
    touches()->handleTouch(kCCTouchBegan, 3, ccp(1, 1)); // id still down: the old touch is cancelled
    touches()->handleTouch(kCCTouchCancelled, 3, ccp(1, 1));
    touches()->handleTouch(kCCTouchEnded, 3, ccp(1, 1)); // already gone
    EXPECT_EQ(log, (std::vector<std::string>{"a:began", "a:moved", "a:cancelled", "a:began", "a:cancelled"}));
    EXPECT_EQ(touches()->activeTouchCount(), 0u);
}

TEST_F(RunningScene, EqualPrioritiesServeTheNewestFirstAndOnlyRunningLayers) {
    std::vector<std::string> log;
    addTargeted(scene, &log, "older", 0)->claims = false;
    addTargeted(scene, &log, "newer", 0)->claims = false;
    // Registered by hand but not in the running scene: it gets nothing.
    InputLayer* offstage = InputLayer::create(&log, "offstage");
    touches()->addTargetedDelegate(offstage, -100, true);
    tap(1, ccp(0, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"newer:began", "older:began"}));
    touches()->removeDelegate(offstage);
}

TEST_F(RunningScene, DelegatesChangedDuringADispatchApplyAfterIt) {
    std::vector<std::string> log;
    InputLayer* first = addTargeted(scene, &log, "first", 0);
    InputLayer* second = addTargeted(scene, &log, "second", 10);
    first->claims = second->claims = false;
    InputLayer* added = InputLayer::create(&log, "added");
    added->retain();
    scene->addChild(added);
    // In its began, `first` removes itself and `second`, and registers `added`.
    first->onBegan = [&] {
        first->setTouchEnabled(false);
        second->removeFromParent();
        touches()->addTargetedDelegate(added, -1, true);
        first->onBegan = nullptr; // last: this destroys the running lambda
    };
    touches()->handleTouch(kCCTouchBegan, 1, ccp(0, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"first:began"}));
    touches()->handleTouch(kCCTouchEnded, 1, ccp(0, 0));
    log.clear();
    tap(2, ccp(0, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"added:began", "added:ended"}));
    touches()->removeDelegate(added);
    added->release();
}

TEST_F(RunningScene, KeypadReachesEnabledLayersWhileTheyRun) {
    std::vector<std::string> log;
    InputLayer* a = InputLayer::create(&log, "a");
    a->setKeypadEnabled(true);
    InputLayer* b = InputLayer::create(&log, "b");
    b->setKeypadEnabled(true);
    EXPECT_FALSE(keypad()->dispatchKeypadMSG(kTypeBackClicked)); // not running yet: nobody
    scene->addChild(a);
    scene->addChild(b);
    EXPECT_TRUE(keypad()->dispatchKeypadMSG(kTypeMenuClicked));
    keypad()->dispatchKeyDown(19);
    keypad()->dispatchKeyUp(23);
    EXPECT_EQ(log,
              (std::vector<std::string>{"a:menu", "b:menu", "a:down19", "b:down19", "a:up23", "b:up23"}));

    // The back key makes `a` leave the scene (and so the dispatcher) before `b` is served.
    log.clear();
    a->onBack = [&] {
        b->removeFromParent();
        a->onBack = nullptr; // last: this destroys the running lambda
    };
    keypad()->dispatchKeypadMSG(kTypeBackClicked);
    keypad()->dispatchKeypadMSG(kTypeBackClicked);
    EXPECT_EQ(log, (std::vector<std::string>{"a:back", "a:back"}));
    a->setKeypadEnabled(false);
    EXPECT_EQ(keypad()->delegateCount(), 0u);
}

TEST_F(RunningScene, AccelerometerReachesTheEnabledLayer) {
    std::vector<std::string> log;
    qn::useSimulatedClock(500.0);
    InputLayer* layer = InputLayer::create(&log, "l");
    layer->setAccelerometerEnabled(true);
    CCDirector::sharedDirector()->getAccelerometer()->dispatchAcceleration(1, 2, 3);
    EXPECT_TRUE(log.empty());
    scene->addChild(layer);
    CCDirector::sharedDirector()->getAccelerometer()->dispatchAcceleration(1, 2, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"l:accel123"}));
    EXPECT_DOUBLE_EQ(layer->lastTimestamp, 500.0);
    layer->removeFromParent();
    CCDirector::sharedDirector()->getAccelerometer()->dispatchAcceleration(1, 2, 3);
    EXPECT_EQ(log.size(), 1u);
}
