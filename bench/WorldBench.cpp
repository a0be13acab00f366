// Frame cost of the world runtime: a world of N dynamic objects running the whole world update
// (camera, one physics step, object updates and deletion checks, game speed, distance, streaming,
// creation queue) headless, against a bare Box2D world holding the same bodies stepped the same
// way. With QN_BENCH_SMOKE set only N = 100 runs.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <box2d/box2d.h>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "model/QNModelController.h"
#include "model/QNPAttributePoint.h"
#include "navigation/QNNode.h"
#include "navigation/QNPNavigationController.h"
#include "objects/QNPObject.h"
#include "world/QNModelScreenScene.h"
#include "world/QNModelWorldComponents.h"
#include "world/QNPGameFieldCamera.h"
#include "world/QNPScreenScene.h"

using namespace cocos2d;

namespace {

/// A unit whose node follows its body, as a runtime object does every step.
class BenchObject : public QNPObject {
public:
    void update(float) override {
        if (!m_body) return;
        const b2Vec2& p = m_body->GetPosition();
        setPosition(CCPoint(p.x * kPointsPerMetre, p.y * kPointsPerMetre));
        setRotation(-m_body->GetAngle() * kRadiansToDegrees);
    }
    CCRect boundingBox() override {
        const CCPoint& p = getPosition();
        return CCRect(p.x - 10, p.y - 10, 20, 20);
    }
    void attach(b2Body* body) { adoptBody(body); }
};

/// N dynamic circles in a grid, moving apart slowly, never sleeping.
void addBodies(b2World* world, int count, CCNode* layer) {
    for (int i = 0; i < count; ++i) {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.allowSleep = false;
        def.position.Set((float)(i % 100) * 2.0f, (float)(i / 100) * 2.0f);
        def.linearVelocity.Set((float)(i % 7) * 0.1f - 0.3f, (float)(i % 5) * 0.1f - 0.2f);
        b2Body* body = world->CreateBody(&def);
        b2CircleShape circle;
        circle.m_radius = 0.4f;
        b2FixtureDef fixture;
        fixture.shape = &circle;
        fixture.density = 1.0f;
        if (layer) {
            auto* object = new BenchObject();
            object->autorelease();
            object->setKind(QNPObject::kKindUnit);
            fixture.userData.pointer = reinterpret_cast<uintptr_t>(static_cast<QNPObject*>(object));
            def.userData.pointer = fixture.userData.pointer;
            object->attach(body);
            layer->addChild(object);
        }
        body->CreateFixture(&fixture);
    }
}

void BM_WorldUpdate(benchmark::State& state) {
    const int count = (int)state.range(0);
    QNModelController* controller = QNModelController::sharedModelController();
    controller->clean();
    QNPNavigationController::sharedController()->reset();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(1136, 640);
    view->setDesignResolutionSize(1136, 640, kResolutionShowAll);
    CCDirector::sharedDirector()->setOpenGLView(view);
    auto* model = new QNModelScreenScene();
    model->setKey("Bench");
    model->gravityAttribute()->set(CCPoint(0, 0));
    controller->addModel(model);
    auto* thresholds = new QNModelComponentDeletionThreshold();
    controller->addModel(thresholds);
    thresholds->setValues(-1, -1); // nothing leaves: N stays N
    model->addChild(thresholds);
    auto* node = new QNNodeScene();
    node->setLinkedModel(model);
    controller->addModel(node);
    QNPNavigationController::sharedController()->enterWorld("Bench");
    QNPScreenScene* world = QNPScreenScene::create();
    world->retain();
    world->onEnter();
    addBodies(world->physicsWorld(), count, world->gameLayer());
    for (auto _ : state) world->update(1.0f / 60.0f);
    state.counters["objects"] = count;
    world->onExit();
    world->release();
    CCPoolManager::sharedPoolManager()->pop();
    QNPNavigationController::sharedController()->reset();
    controller->clean();
}

void BM_BareStep(benchmark::State& state) {
    const int count = (int)state.range(0);
    b2World world(b2Vec2(0, 0));
    addBodies(&world, count, nullptr);
    for (auto _ : state) world.Step(1.0f / 60.0f, 6, 6);
    state.counters["objects"] = count;
}

void sizes(benchmark::internal::Benchmark* b) {
    if (std::getenv("QN_BENCH_SMOKE")) {
        b->Arg(100);
        return;
    }
    for (int n : {100, 500, 1000, 2000, 5000}) b->Arg(n);
}

} // namespace

BENCHMARK(BM_WorldUpdate)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareStep)->Apply(sizes)->Unit(benchmark::kMicrosecond);
