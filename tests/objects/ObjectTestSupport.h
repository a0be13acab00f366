#pragma once
// Helpers for the game-object tests: a clean model controller and autorelease pool per test, a
// temporary data folder, a real Box2D world, and small builders for assets and placed objects.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <box2d/box2d.h>

#include "../model/ModelTestSupport.h"
#include "framework/CCAutoreleasePool.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeShape.h"
#include "objects/QNModelPolygon.h"
#include "objects/QNModelUnit.h"
#include "objects/QNObjectEnvironment.h"
#include "objects/QNPGameplayParameters.h"
#include "objects/QNPObject.h"
#include "presentation/QNModelAnimation.h"

namespace objecttest {

using modeltest::attr;
using modeltest::kv;

/// "<array><string>{x,y}</string>...</array>" for a list of points.
inline std::string pointArray(const std::vector<cocos2d::CCPoint>& points) {
    std::string s = "<array>";
    for (const cocos2d::CCPoint& p : points) {
        s += "<string>{" + std::to_string(p.x) + "," + std::to_string(p.y) + "}</string>";
    }
    return s + "</array>";
}

/// The "Collision Shape" attribute entry of a data file.
inline std::string shapeAttr(int type, const std::vector<cocos2d::CCPoint>& points,
                             const std::string& oneWay = "{0,0}") {
    return attr("Collision Shape", kv("shapeType", std::to_string(type)) + "<key>points</key>" +
                                       pointArray(points) + kv("oneWayCollisionVector", oneWay));
}

/// An environment the tests control.
struct TestEnvironment : QNObjectEnvironment {
    void characterCreated(QNPObject* c) override { created.push_back(c); }
    bool hasLivingCharacter() const override { return living; }
    cocos2d::CCPoint charactersMeanPosition() const override { return mean; }
    int selectedCharacterIndex() const override { return selected; }

    std::vector<QNPObject*> created;
    bool living = false;
    cocos2d::CCPoint mean;
    int selected = 0;
};

class ObjectTest : public modeltest::ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        cocos2d::CCPoolManager::sharedPoolManager()->push();
        QNPGameplayParameters::shared()->resetFromSettings();
        QNObjectEnvironment::setCurrent(&env);
        world = std::make_unique<b2World>(b2Vec2(0.0f, -10.0f));
    }
    void TearDown() override {
        for (cocos2d::CCObject* o : kept) o->release();
        kept.clear();
        cocos2d::CCPoolManager::sharedPoolManager()->pop();
        QNPObject::worldWillBeDestroyed(world.get());
        world.reset();
        QNObjectEnvironment::setCurrent(nullptr);
        ModelTest::TearDown();
    }

    template <typename T> T* keep(T* object) {
        if (object) {
            object->retain();
            kept.push_back(object);
        }
        return object;
    }
    template <typename T> T* make(const char* className) {
        auto* m = dynamic_cast<T*>(controller()->createModel(className));
        EXPECT_NE(m, nullptr) << className;
        return m;
    }
    /// A square polygon of side `side` around the origin.
    static void makeSquare(QNModelPolygon* shape, float side) {
        shape->makeDefault(cocos2d::CCSize(side, side), cocos2d::CCPoint());
    }
    /// An obstacle with an (empty) idle animation and a square shape.
    QNModelAssetObstacle* obstacle(float side = 40.0f) {
        auto* asset = make<QNModelAssetObstacle>("QNModelAssetObstacle");
        auto* animation = make<QNModelAnimation>("QNModelAnimation");
        static_cast<QNPAttributeAnimation*>(asset->attributeNamed("Idle Animation"))->setTarget(animation);
        makeSquare(asset->collisionShape(), side);
        return asset;
    }
    QNModelObjectAssetUnit* unit(QNModelAsset* asset, const char* movement = "kMovementLinear",
                                 const char* collision = "kCharacterCollision",
                                 const char* destroy = "kDestroyNo") {
        auto* u = make<QNModelObjectAssetUnit>("QNModelObjectAssetUnit");
        u->setAsset(asset);
        u->movementTypeAttribute()->set(movement);
        u->collisionTypeAttribute()->set(collision);
        u->destroyTypeAttribute()->set(destroy);
        return u;
    }
    void step(int frames = 1) {
        for (int i = 0; i < frames; ++i) world->Step(1.0f / 60.0f, 6, 6);
    }
    int bodyCount() const { return world->GetBodyCount(); }

    TestEnvironment env;
    std::unique_ptr<b2World> world;
    std::vector<cocos2d::CCObject*> kept;
};

} // namespace objecttest
