// Frame cost of the scene graph: a running scene of N nodes, each with a per-frame update and an
// endless action, stepped and visited by the director.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "framework/CCActionInterval.h"
#include "framework/CCDirector.h"
#include "framework/CCNode.h"
#include "framework/CCScene.h"

using namespace cocos2d;

namespace {

class Mover : public CCNode {
public:
    void update(float dt) override { setPositionX(getPositionX() + dt); }
};

bool smoke() {
    return std::getenv("QN_BENCH_SMOKE") != nullptr;
}

CCScene* sceneOf(int count) {
    CCScene* scene = CCScene::create();
    for (int i = 0; i < count; ++i) {
        Mover* node = new Mover();
        node->autorelease();
        node->setPosition(ccp((float)(i % 40) * 25.0f, (float)(i / 40) * 25.0f));
        scene->addChild(node, i % 7);
        node->scheduleUpdate();
        node->runAction(CCRepeatForever::create(CCRotateBy::create(1.0f, 90.0f)));
    }
    return scene;
}

void BM_SceneFrame(benchmark::State& state) {
    CCDirector* director = CCDirector::sharedDirector();
    director->runWithScene(sceneOf((int)state.range(0)));
    director->mainLoop(1.0f / 60.0f);
    for (auto _ : state) director->mainLoop(1.0f / 60.0f);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    director->purgeDirector();
}

// Ten nodes with actions join and ten leave every frame.
void BM_SceneChurn(benchmark::State& state) {
    CCDirector* director = CCDirector::sharedDirector();
    CCScene* scene = sceneOf((int)state.range(0));
    director->runWithScene(scene);
    director->mainLoop(1.0f / 60.0f);
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) {
            CCNode* leaving = static_cast<CCNode*>(scene->getChildren()->objectAtIndex(0));
            leaving->removeFromParent();
            Mover* node = new Mover();
            node->autorelease();
            scene->addChild(node, i % 7);
            node->scheduleUpdate();
            node->runAction(CCRepeatForever::create(CCRotateBy::create(1.0f, 90.0f)));
        }
        director->mainLoop(1.0f / 60.0f);
    }
    director->purgeDirector();
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(100);
    if (!smoke()) b->Arg(1000)->Arg(5000);
}

} // namespace

BENCHMARK(BM_SceneFrame)->Apply(sizes);
BENCHMARK(BM_SceneChurn)->Apply(sizes);
