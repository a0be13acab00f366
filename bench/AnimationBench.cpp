// Frame cost of composite animations: one animation node stepping N child models and their
// runtime nodes, and keyframe-curve evaluation on curves of many keys.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCNode.h"
#include "presentation/QNAnimationCurve.h"
#include "presentation/QNModelAnimation.h"
#include "presentation/QNPAnimationObject.h"

using namespace cocos2d;

namespace {

bool smoke() {
    return std::getenv("QN_BENCH_SMOKE") != nullptr;
}

// Every child becomes a plain node, spread over a grid.
struct GridFactory : QNPAnimationChildFactory {
    CCNode* buildChild(QNModel*, QNModelAnimation*, CCNode*, bool) override {
        CCNode* node = new CCNode();
        node->init();
        node->setContentSize(CCSize(16, 16));
        return static_cast<CCNode*>(node->autorelease());
    }
};

void BM_CompositeAnimationFrame(benchmark::State& state) {
    GridFactory factory;
    QNPAnimationChildFactory::setShared(&factory);
    CCPoolManager::sharedPoolManager()->push();
    auto* model = new QNModelAnimation();
    model->setDuration(2.0f);
    std::vector<QNModel*> children;
    for (int i = 0; i < state.range(0); ++i) {
        children.push_back(new QNModel("QNModelObjectImage"));
        model->addChild(children.back());
    }
    QNPAnimationObject* node = QNPAnimationObject::create(model, nullptr, false);
    node->retain();
    for (auto _ : state) node->update(1.0f / 60.0f);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    node->release();
    model->release();
    for (QNModel* child : children) child->release();
    CCPoolManager::sharedPoolManager()->pop();
    QNPAnimationChildFactory::setShared(nullptr);
}

void BM_CurveValue(benchmark::State& state) {
    QNAnimationCurve curve;
    for (int i = 0; i < state.range(0); ++i) curve.addKey((float)(i % 7), (float)i / 30.0f);
    const float end = (float)state.range(0) / 30.0f;
    float t = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(curve.valueAt(t));
        t += 0.013f;
        if (t > end) t = 0.0f;
    }
}

} // namespace

BENCHMARK(BM_CompositeAnimationFrame)->Arg(smoke() ? 8 : 1000);
BENCHMARK(BM_CurveValue)->Arg(smoke() ? 4 : 64);
