#pragma once
// Helpers for the scene-graph tests: a running scene stepped frame by frame at 60 fps, and a
// node that records what happens to it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CCDirector.h"
#include "framework/CCNode.h"
#include "framework/CCScene.h"

namespace scenetest {

constexpr float kFrame = 1.0f / 60.0f;

/// Runs `n` frames of the director.
inline void runFrames(int n) {
    for (int i = 0; i < n; ++i) cocos2d::CCDirector::sharedDirector()->mainLoop(kFrame);
}

/// A fixture with a running scene; the director is purged after each test.
class RunningScene : public ::testing::Test {
protected:
    void SetUp() override {
        scene = cocos2d::CCScene::create();
        cocos2d::CCDirector::sharedDirector()->runWithScene(scene);
        runFrames(1);
    }
    void TearDown() override { cocos2d::CCDirector::sharedDirector()->purgeDirector(); }

    cocos2d::CCScene* scene = nullptr;
    /// For probes: it outlives the scene, which is purged (and so exits) after the test body.
    std::vector<std::string> log;
};

/// A node that appends "<name>:<event>" to a shared log, and counts the live ones.
class Probe : public cocos2d::CCNode {
public:
    static Probe* create(std::vector<std::string>* log, const std::string& name) {
        Probe* p = new Probe(log, name);
        p->autorelease();
        return p;
    }
    Probe(std::vector<std::string>* log, const std::string& name) : m_log(log), m_name(name) { ++s_live; }
    ~Probe() override { --s_live; }

    void onEnter() override {
        record("enter");
        CCNode::onEnter();
    }
    void onExit() override {
        record("exit");
        CCNode::onExit();
    }
    void cleanup() override {
        record("cleanup");
        CCNode::cleanup();
    }
    void draw() override { record("draw"); }
    void update(float) override { record("update"); }
    void tick(float) { record("tick"); }
    void call() { record("call"); }

    void record(const std::string& event) {
        if (m_log) m_log->push_back(m_name + ":" + event);
    }
    static int live() { return s_live; }

private:
    std::vector<std::string>* m_log;
    std::string m_name;
    static inline int s_live = 0;
};

} // namespace scenetest
