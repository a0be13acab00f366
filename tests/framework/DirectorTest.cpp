#include <gtest/gtest.h>

#include "SceneTestSupport.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCEGLView.h"
#include "framework/CCScheduler.h"

using namespace cocos2d;
using scenetest::Probe;
using scenetest::runFrames;

namespace {

CCDirector* director() {
    return CCDirector::sharedDirector();
}

// A scene whose only child is a probe, so its life cycle shows in the log.
CCScene* probedScene(std::vector<std::string>* log, const std::string& name) {
    CCScene* scene = CCScene::create();
    scene->addChild(Probe::create(log, name));
    return scene;
}

class Director : public ::testing::Test {
protected:
    void TearDown() override { director()->purgeDirector(); }
    std::vector<std::string> log; // outlives the scenes, which are purged after the test body
};

} // namespace

TEST_F(Director, SceneChangesTakeEffectAtTheNextFrame) {
    CCScene* first = probedScene(&log, "first");
    director()->runWithScene(first);
    EXPECT_EQ(director()->getRunningScene(), nullptr);
    runFrames(1);
    EXPECT_EQ(director()->getRunningScene(), first);
    EXPECT_EQ(log, (std::vector<std::string>{"first:enter", "first:draw"}));

    Probe* probe = static_cast<Probe*>(first->getChildren()->objectAtIndex(0));
    probe->schedule(schedule_selector(Probe::tick), 0.5f);
    const int live = Probe::live();
    log.clear();
    CCScene* second = probedScene(&log, "second");
    director()->replaceScene(second);
    EXPECT_EQ(director()->getRunningScene(), first);
    runFrames(1);
    // The old scene exits and is cleaned up before the new one enters; then it is gone.
    EXPECT_EQ(log, (std::vector<std::string>{"first:exit", "first:cleanup", "second:enter", "second:draw"}));
    EXPECT_EQ(director()->getRunningScene(), second);
    EXPECT_EQ(Probe::live(), live);
}

TEST_F(Director, PushedScenesComeBackOnPopAndTheLastPopEnds) {
    CCScene* below = probedScene(&log, "below");
    director()->runWithScene(below);
    runFrames(1);
    director()->pushScene(probedScene(&log, "above"));
    runFrames(1);
    director()->popScene();
    runFrames(1);
    EXPECT_EQ(director()->getRunningScene(), below);
    EXPECT_EQ(
        log, (std::vector<std::string>{"below:enter", "below:draw", "below:exit", "above:enter", "above:draw",
                                       "above:exit", "above:cleanup", "below:enter", "below:draw"}));
    EXPECT_FALSE(director()->shouldEnd());
    director()->popScene();
    EXPECT_TRUE(director()->shouldEnd());
}

TEST_F(Director, StoppedAnimationSkipsUpdatesAndDrawingButCountsFrames) {
    CCScene* scene = probedScene(&log, "p");
    director()->runWithScene(scene);
    runFrames(1);
    static_cast<Probe*>(scene->getChildren()->objectAtIndex(0))->scheduleUpdate();
    log.clear();
    director()->stopAnimation();
    runFrames(3);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(director()->getTotalFrames(), 4u);
    EXPECT_EQ(director()->getDrawnFrames(), 1u);
    director()->startAnimation();
    director()->pause();
    runFrames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"p:draw"})); // paused: drawn, not updated
    director()->resume();
    runFrames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"p:draw", "p:update", "p:draw"}));
    EXPECT_EQ(director()->getDrawnFrames(), 3u);
}

TEST_F(Director, AutoreleasedObjectsLastOneFrame) {
    director()->runWithScene(CCScene::create());
    runFrames(1);
    const int live = Probe::live();
    Probe::create(&log, "loose");
    Probe* kept = Probe::create(&log, "kept");
    kept->retain();
    EXPECT_EQ(Probe::live(), live + 2);
    runFrames(1);
    EXPECT_EQ(Probe::live(), live + 1);
    kept->release();
    EXPECT_EQ(Probe::live(), live);
}

TEST_F(Director, DrawHooksSurroundTheVisitAndSizesComeFromTheView) {
    director()->runWithScene(probedScene(&log, "p"));
    director()->setDrawHooks([&] { log.push_back("before"); },
                             [&] {
                                 log.push_back("after");
                                 director()->setLastFrameDrawCalls(7);
                             });
    runFrames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"p:enter", "before", "p:draw", "after"}));
    EXPECT_EQ(director()->getLastFrameDrawCalls(), 7u);

    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(1280, 720);
    view->setDesignResolutionSize(1136, 640, kResolutionShowAll);
    EXPECT_EQ(director()->getWinSize(), CCSize(1136, 640));
    EXPECT_EQ(director()->getWinSizeInPixels(), CCSize(1136, 640));
    EXPECT_EQ(director()->getVisibleSize(), view->getVisibleSize());
    EXPECT_EQ(director()->getVisibleOrigin(), view->getVisibleOrigin());
}

TEST_F(Director, BadSceneRequestsAreIgnored) {
    director()->runWithScene(nullptr);
    director()->replaceScene(nullptr);
    runFrames(1);
    EXPECT_EQ(director()->getRunningScene(), nullptr);
    // A second runWithScene acts as a replacement.
    director()->runWithScene(probedScene(&log, "a"));
    runFrames(1);
    director()->runWithScene(probedScene(&log, "b"));
    runFrames(1);
    EXPECT_EQ(log.back(), "b:draw");
}
