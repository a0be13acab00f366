#include <gtest/gtest.h>

#include <functional>

#include "SceneTestSupport.h"
#include "framework/CCScheduler.h"

using namespace cocos2d;
using scenetest::Probe;
using scenetest::runFrames;
using scenetest::RunningScene;

namespace {

CCScheduler* scheduler() {
    return CCDirector::sharedDirector()->getScheduler();
}

// A node whose update and tick run a test-supplied function, recording the frame of each call.
class Hook : public CCNode {
public:
    static Hook* create() {
        Hook* h = new Hook();
        h->autorelease();
        return h;
    }
    std::function<void(Hook*)> onUpdate;
    std::function<void(Hook*)> onTick;
    std::vector<unsigned int> tickFrames;
    std::vector<float> tickTimes;
    int updates = 0;

    void update(float) override {
        ++updates;
        if (onUpdate) onUpdate(this);
    }
    void tick(float dt) {
        tickFrames.push_back(CCDirector::sharedDirector()->getTotalFrames());
        tickTimes.push_back(dt);
        if (onTick) onTick(this);
    }
    void other(float) {}
};

} // namespace

TEST_F(RunningScene, UpdatesRunInPriorityOrderThenArrival) {
    const int priorities[] = {5, -3, 0, 0, -3};
    for (int i = 0; i < 5; ++i) {
        Probe* p = Probe::create(&log, std::to_string(i));
        scene->addChild(p);
        p->scheduleUpdateWithPriority(priorities[i]);
    }
    log.clear();
    CCDirector::sharedDirector()->getScheduler()->update(scenetest::kFrame);
    EXPECT_EQ(log, (std::vector<std::string>{"1:update", "4:update", "2:update", "3:update", "0:update"}));
}

struct IntervalCase {
    const char* name;
    float interval;
    unsigned int repeat;
    float delay;
    std::vector<unsigned int> frames; // frames (counted from scheduling) on which the selector fires
};

TEST_F(RunningScene, IntervalSelectorsHonourRepeatAndDelay) {
    const IntervalCase cases[] = {
        {"every frame", 0.0f, kCCRepeatForever, 0.0f, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"every 0.1 s", 0.1f, kCCRepeatForever, 0.0f, {6, 12}},
        {"three times every 0.05 s", 0.05f, 2, 0.0f, {3, 6, 9}},
        {"delayed, then twice", 0.1f, 1, 0.1f, {6, 12}},
        {"once after a delay", 0.0f, 0, 0.15f, {9}},
    };
    for (const IntervalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Hook* hook = Hook::create();
        scene->addChild(hook);
        const unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
        hook->schedule(schedule_selector(Hook::tick), c.interval, c.repeat, c.delay);
        runFrames(12);
        std::vector<unsigned int> relative;
        for (unsigned int f : hook->tickFrames) relative.push_back(f - start);
        EXPECT_EQ(relative, c.frames);
        EXPECT_EQ(scheduler()->isScheduled(schedule_selector(Hook::tick), hook),
                  c.repeat == kCCRepeatForever);
        hook->removeFromParent();
    }
}

TEST_F(RunningScene, SelectorGetsTimeSinceItsLastCall) {
    Hook* hook = Hook::create();
    scene->addChild(hook);
    hook->schedule(schedule_selector(Hook::tick), 0.1f);
    runFrames(6);
    ASSERT_EQ(hook->tickTimes.size(), 1u);
    EXPECT_NEAR(hook->tickTimes[0], 0.1f, 1e-4f);
    // Rescheduling changes the interval of the existing timer instead of adding one.
    hook->schedule(schedule_selector(Hook::tick), 0.05f);
    runFrames(3);
    EXPECT_EQ(hook->tickTimes.size(), 2u);
}

TEST_F(RunningScene, PausedTargetsGetNoCallsAndNoTime) {
    Hook* hook = Hook::create();
    scene->addChild(hook);
    hook->scheduleUpdate();
    hook->schedule(schedule_selector(Hook::tick), 0.1f);
    runFrames(3);
    hook->pauseSchedulerAndActions();
    EXPECT_TRUE(scheduler()->isTargetPaused(hook));
    runFrames(20);
    EXPECT_EQ(hook->updates, 3);
    EXPECT_TRUE(hook->tickFrames.empty());
    hook->resumeSchedulerAndActions();
    runFrames(3);
    EXPECT_EQ(hook->updates, 6);
    EXPECT_EQ(hook->tickFrames.size(), 1u); // 3 + 3 frames of time: the first tick only now

    // A node scheduled before it runs waits for onEnter.
    Hook* waiting = Hook::create();
    waiting->retain();
    waiting->scheduleUpdate();
    runFrames(2);
    EXPECT_EQ(waiting->updates, 0);
    scene->addChild(waiting);
    waiting->release();
    runFrames(2);
    EXPECT_EQ(waiting->updates, 2);
}

TEST_F(RunningScene, UnschedulingAndSchedulingInsideCallbacksIsSafe) {
    Hook* a = Hook::create();
    Hook* b = Hook::create();
    Hook* c = Hook::create();
    for (Hook* h : {a, b, c}) scene->addChild(h);
    for (Hook* h : {a, b, c}) h->scheduleUpdate();
    // a removes b (later in the pass) and itself; b must not be called any more.
    a->onUpdate = [b](Hook* self) {
        b->unscheduleUpdate();
        self->unscheduleUpdate();
    };
    // c re-schedules itself at another priority and schedules a's timer: both begin next frame.
    c->onUpdate = [a](Hook* self) {
        self->unscheduleUpdate();
        self->scheduleUpdateWithPriority(-5);
        a->schedule(schedule_selector(Hook::tick));
        self->onUpdate = nullptr; // last: this destroys the running lambda's captures
    };
    runFrames(1);
    EXPECT_EQ(a->updates, 1);
    EXPECT_EQ(b->updates, 0);
    EXPECT_EQ(c->updates, 1);
    EXPECT_TRUE(a->tickFrames.empty());
    runFrames(2);
    EXPECT_EQ(a->updates, 1);
    EXPECT_EQ(b->updates, 0);
    EXPECT_EQ(c->updates, 3);
    EXPECT_EQ(a->tickFrames.size(), 2u);

    // A selector that unschedules itself and schedules another selector of the same target.
    a->onTick = [](Hook* self) {
        self->unschedule(schedule_selector(Hook::tick));
        self->schedule(schedule_selector(Hook::other), 1.0f);
        self->onTick = nullptr;
    };
    runFrames(3);
    EXPECT_EQ(a->tickFrames.size(), 3u);
    EXPECT_FALSE(scheduler()->isScheduled(schedule_selector(Hook::tick), a));
    EXPECT_TRUE(scheduler()->isScheduled(schedule_selector(Hook::other), a));
}

TEST_F(RunningScene, TargetsDestroyedDuringAPassAreNotCalled) {
    Hook* killer = Hook::create();
    killer->retain(); // the test keeps it, so its own lambda may run to the end
    scene->addChild(killer);
    killer->scheduleUpdateWithPriority(-1);
    // A probe with an update (not retained by the scheduler) and one with a timer (retained).
    Probe* victim = Probe::create(&log, "victim");
    Probe* timed = Probe::create(&log, "timed");
    scene->addChild(victim);
    scene->addChild(timed);
    victim->scheduleUpdate();
    timed->schedule(schedule_selector(Probe::tick));
    runFrames(1); // the pool lets go: the scene is each probe's last owner
    log.clear();
    killer->onUpdate = [victim, timed](Hook* self) {
        victim->removeFromParent(); // destroyed now: its update entry goes with it
        timed->removeFromParent();  // cleanup unschedules its timer; released after the pass
        self->removeFromParent();   // the node whose update is running
        self->onUpdate = nullptr;
    };
    const int liveBefore = Probe::live();
    runFrames(2);
    for (const std::string& line : log)
        EXPECT_TRUE(line.find("update") == line.npos && line.find("tick") == line.npos) << line;
    EXPECT_EQ(Probe::live(), liveBefore - 2);
    EXPECT_EQ(killer->updates, 2); // the frame before the kill, and the kill
    killer->release();
}

TEST_F(RunningScene, TimeScaleStretchesTime) {
    Hook* hook = Hook::create();
    scene->addChild(hook);
    scheduler()->setTimeScale(0.5f);
    hook->schedule(schedule_selector(Hook::tick), 0.1f);
    runFrames(11);
    EXPECT_TRUE(hook->tickFrames.empty());
    runFrames(1);
    EXPECT_EQ(hook->tickFrames.size(), 1u);
}
