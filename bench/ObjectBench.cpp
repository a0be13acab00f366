// Frame cost of a world's objects: N units on a game layer (platforms spread over the view, a
// third of them moving), one physics step and one object update per frame.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <box2d/box2d.h>

#include "framework/CCAutoreleasePool.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributePoint.h"
#include "model/QNPAttributeReference.h"
#include "objects/QNModelPolygon.h"
#include "objects/QNModelUnit.h"
#include "objects/QNPObjectAssetUnit.h"
#include "objects/QNPObjectFactory.h"
#include "presentation/QNModelAnimation.h"

using namespace cocos2d;

namespace {

/// The game layer: a plain runtime object, so children update the way the world updates them.
class Layer : public QNPObject {};

void BM_ObjectsFrame(benchmark::State& state) {
    QNModelController* controller = QNModelController::sharedModelController();
    controller->clean();
    CCPoolManager::sharedPoolManager()->push();
    auto world = std::make_unique<b2World>(b2Vec2(0.0f, -10.0f));
    auto* asset = static_cast<QNModelAssetObstacle*>(controller->createModel("QNModelAssetObstacle"));
    auto* animation = controller->createModel("QNModelAnimation");
    static_cast<QNPAttributeAnimation*>(asset->attributeNamed("Idle Animation"))->setTarget(animation);
    asset->collisionShape()->makeDefault(CCSize(40, 20), CCPointZero);
    Layer* layer = new Layer();
    const int count = (int)state.range(0);
    for (int i = 0; i < count; ++i) {
        auto* model = static_cast<QNModelObjectAssetUnit*>(controller->createModel("QNModelObjectAssetUnit"));
        model->setAsset(asset);
        model->setPosition(ccp((float)(i % 40) * 60.0f, (float)(i / 40) * 30.0f));
        if (i % 3 == 0) model->linearVelocityAttribute()->set(ccp(-2.0f, 0.0f));
        QNPObject* object = createObject(model);
        layer->addChild(object, model->depth(), (int)model->id());
        object->setGameLayer(layer);
        static_cast<QNPObjectAsset*>(object)->createBody(world.get(), true);
        object->update(0);
    }
    for (auto _ : state) {
        world->Step(1.0f / 60.0f, 6, 6);
        layer->update(1.0f / 60.0f);
    }
    state.SetItemsProcessed(state.iterations() * count);
    layer->release();
    CCPoolManager::sharedPoolManager()->pop();
    QNPObject::worldWillBeDestroyed(world.get());
    world.reset();
    controller->clean();
}

} // namespace

BENCHMARK(BM_ObjectsFrame)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
