#pragma once
// Helpers for the world tests: runtime objects that record their updates and may carry a real
// Box2D body, and a fixture that runs a world built from models made in code through the
// navigation state, with the director stepped frame by frame and no window.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <box2d/box2d.h>

#include "../navigation/NavModels.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "model/QNPAttributeFloat.h"
#include "navigation/QNPNavigationController.h"
#include "objects/QNPGameplayParameters.h"
#include "objects/QNPObject.h"
#include "platform/DebugLog.h"
#include "shell/QNPInputController.h"
#include "world/QNModelLevelSection.h"
#include "world/QNModelScreenScene.h"
#include "world/QNModelWorldComponents.h"
#include "world/QNPGameFieldCamera.h"
#include "world/QNPScreenScene.h"
#include "world/QNScoreRecords.h"

namespace worldtest {

constexpr float kFrame = 1.0f / 60.0f;

/// A runtime object of the given kind that counts its updates, may run a hook in them, and may
/// own a circle body. Its bounding box is 100 by 100 around its position.
class TestObject : public QNPObject {
public:
    static TestObject* create(int kind, const cocos2d::CCPoint& position = cocos2d::CCPointZero) {
        auto* object = new TestObject();
        object->autorelease();
        object->setKind(kind);
        object->setPosition(position);
        return object;
    }
    void update(float dt) override {
        (void)dt;
        ++updates;
        if (onUpdate) onUpdate(this);
    }
    cocos2d::CCRect boundingBox() override {
        const cocos2d::CCPoint p = getPosition();
        return cocos2d::CCRect(p.x - 50, p.y - 50, 100, 100);
    }
    QNModel* model() const override { return m_model; }
    void setModel(QNModel* model) { m_model = model; }
    /// A dynamic (or static) circle of radius 1 m at the node's position.
    b2Body* makeBody(b2World* world, b2BodyType type = b2_dynamicBody) {
        b2BodyDef def;
        def.type = type;
        def.position.Set(getPositionX() * kPhysicsScale, getPositionY() * kPhysicsScale);
        def.userData.pointer = reinterpret_cast<uintptr_t>(this);
        b2Body* body = world->CreateBody(&def);
        b2CircleShape circle;
        circle.m_radius = 1.0f;
        b2FixtureDef fixture;
        fixture.shape = &circle;
        fixture.density = 1.0f;
        fixture.userData.pointer = reinterpret_cast<uintptr_t>(this);
        body->CreateFixture(&fixture);
        // Bodies stay in the physics world, which the world screen deletes.
        adoptBody(body);
        return body;
    }
    b2AABB fixtureBounds() override {
        if (!m_body) return b2AABB{b2Vec2(0, 0), b2Vec2(0, 0)};
        return m_body->GetFixtureList()->GetAABB(0);
    }

    int updates = 0;
    std::function<void(TestObject*)> onUpdate;

private:
    QNModel* m_model = nullptr;
};

inline QNPNavigationController* nav() {
    return QNPNavigationController::sharedController();
}
inline cocos2d::CCDirector* director() {
    return cocos2d::CCDirector::sharedDirector();
}
inline void runFrames(int n) {
    for (int i = 0; i < n; ++i) director()->mainLoop(kFrame);
}

/// A world model keyed `key`, registered, with its world node.
inline QNModelScreenScene* worldModel(const std::string& key, QNNodeScene** nodeOut = nullptr) {
    auto* model = new QNModelScreenScene();
    model->setKey(key);
    navtest::controller()->addModel(model);
    QNNodeScene* node = navtest::node<QNNodeScene>(model);
    if (nodeOut) *nodeOut = node;
    return model;
}

/// Gives `world` a forced-movement component (speed min, max, increase).
inline void setSpeeds(QNModelScreenScene* world, float min, float max, float increase) {
    auto* forced = new QNModelComponentForcedMovement();
    navtest::controller()->addModel(forced);
    forced->setValues(min, max, increase);
    world->addChild(forced);
}

/// A section of `world` with `children` models (plain models) and the given width.
inline QNModelLevelSection* section(QNModelScreenScene* world, float width, int children = 0, float start = 0,
                                    float end = -1) {
    auto* s = new QNModelLevelSection();
    s->setParentScreenId((int)world->id());
    s->setWidth(width);
    s->setStartDistance(start);
    s->setEndDistance(end);
    navtest::controller()->addModel(s);
    for (int i = 0; i < children; ++i) {
        auto* child = new QNModel("QNModelObjectAssetUnit", "child");
        navtest::controller()->addModel(child);
        s->addChild(child);
    }
    return s;
}

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        navtest::controller()->clean();
        nav()->reset();
        qn::scoreRecords().clear();
        qn::checkpointRecords().clear();
        qn::setLogCapture(&log);
        cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
        view->setFrameSize(1136, 640);
        view->setDesignResolutionSize(1136, 640, cocos2d::kResolutionShowAll);
        director()->setOpenGLView(view);
    }
    void TearDown() override {
        QNPInputController::setCharacterActionHandler(nullptr);
        QNPInputController::destroySharedInputController();
        nav()->reset();
        director()->purgeDirector();
        cocos2d::CCPoolManager::sharedPoolManager()->pop();
        navtest::controller()->clean();
        qn::setLogCapture(nullptr);
    }
    /// Enters the world `key` and runs its scene for one frame; returns the world screen.
    QNPScreenScene* enter(const std::string& key) {
        nav()->enterWorld(key);
        director()->runWithScene(nav()->currentScene());
        runFrames(1);
        return nav()->worldLayer();
    }
    int count(const std::string& text) const {
        int n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
        return n;
    }
    static QNPGameplayParameters* parameters() { return QNPGameplayParameters::shared(); }

    std::string log;
};

} // namespace worldtest
