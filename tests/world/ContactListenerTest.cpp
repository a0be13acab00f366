// The contact listener in a real Box2D world: both objects of a contact hear begin, end and
// pre-solve; fixtures without an object, and characters among themselves, produce nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <box2d/box2d.h>

#include "framework/CCAutoreleasePool.h"
#include "objects/QNPObject.h"
#include "world/QNPContactListener.h"

namespace {

class Recorder : public QNPObjectAsset {
public:
    Recorder(std::vector<std::string>* log, const std::string& name)
        : QNPObjectAsset(nullptr), m_log(log), m_name(name) {}
    void beginContact(QNPObject* other, b2Contact*, bool isCharacterSide) override {
        m_log->push_back(m_name + " begin " + nameOf(other) + (isCharacterSide ? "" : " ?"));
    }
    void endContact(QNPObject* other, b2Contact*) override {
        m_log->push_back(m_name + " end " + nameOf(other));
    }
    void preSolve(QNPObject* other, b2Contact*, const b2Manifold*) override {
        ++preSolves;
        (void)other;
    }
    const std::string& name() const { return m_name; }
    int preSolves = 0;

private:
    static std::string nameOf(QNPObject* object) {
        auto* recorder = dynamic_cast<Recorder*>(object);
        return recorder ? recorder->name() : "?";
    }
    std::vector<std::string>* m_log;
    std::string m_name;
};

class ContactListener : public ::testing::Test {
protected:
    ContactListener() : world(b2Vec2(0, 0)) { world.SetContactListener(&listener); }
    ~ContactListener() override {
        for (Recorder* r : recorders) r->release();
    }
    /// A unit circle at (x, 0) owned by a new recorder `name` (no owner when empty).
    b2Body* circle(const std::string& name, float x, b2BodyType type = b2_dynamicBody, bool sensor = false,
                   bool character = false) {
        Recorder* owner = nullptr;
        if (!name.empty()) {
            owner = new Recorder(&log, name);
            recorders.push_back(owner);
        }
        b2BodyDef def;
        def.type = type;
        def.position.Set(x, 0);
        def.userData.pointer = reinterpret_cast<uintptr_t>(static_cast<QNPObject*>(owner));
        b2Body* body = world.CreateBody(&def);
        b2CircleShape shape;
        shape.m_radius = 1.0f;
        b2FixtureDef fixture;
        fixture.shape = &shape;
        fixture.density = 1.0f;
        fixture.isSensor = sensor;
        fixture.userData.pointer = reinterpret_cast<uintptr_t>(static_cast<QNPObject*>(owner));
        if (character) {
            fixture.filter.categoryBits = 2;
            fixture.filter.maskBits = 1;
            fixture.filter.groupIndex = -1;
        }
        body->CreateFixture(&fixture);
        return body;
    }
    void step(int n = 1) {
        for (int i = 0; i < n; ++i) world.Step(1.0f / 60.0f, 6, 6);
    }

    std::vector<std::string> log;
    std::vector<Recorder*> recorders;
    QNPContactListener listener;
    b2World world;
};

TEST_F(ContactListener, BothObjectsHearBeginPreSolveAndEndInFixtureOrder) {
    b2Body* a = circle("A", 0);
    b2Body* b = circle("B", 1.5f);
    step();
    ASSERT_EQ(log.size(), 2u);
    // Box2D orders the fixtures of a new contact itself; each side names the other.
    EXPECT_TRUE((log[0] == "A begin B" && log[1] == "B begin A") ||
                (log[0] == "B begin A" && log[1] == "A begin B"))
        << log[0] << " / " << log[1];
    EXPECT_GT(recorders[0]->preSolves, 0);
    EXPECT_EQ(recorders[0]->preSolves, recorders[1]->preSolves);
    log.clear();
    b->SetTransform(b2Vec2(10, 0), 0);
    step();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[0].find(" end "), std::string::npos);
    EXPECT_NE(log[1].find(" end "), std::string::npos);
    (void)a;
}

TEST_F(ContactListener, AFixtureWithoutAnObjectAndTwoCharactersProduceNoCall) {
    circle("A", 0);
    circle("", 1.5f);
    step(3);
    EXPECT_TRUE(log.empty());
    circle("Hero1", 20, b2_dynamicBody, false, true);
    circle("Hero2", 20.5f, b2_dynamicBody, false, true);
    step(3);
    EXPECT_TRUE(log.empty());
    // A character still touches everything else.
    circle("Block", 21.5f, b2_staticBody);
    step();
    EXPECT_FALSE(log.empty());
}

TEST_F(ContactListener, ASensorHearsBeginAndEndButDoesNotPush) {
    b2Body* mover = circle("Mover", -3);
    circle("Sensor", 0, b2_staticBody, true);
    mover->SetLinearVelocity(b2Vec2(30, 0));
    step(20);
    EXPECT_NEAR(mover->GetLinearVelocity().x, 30.0f, 1e-3);
    int begins = 0, ends = 0;
    for (const std::string& line : log) {
        if (line.find(" begin ") != std::string::npos) ++begins;
        if (line.find(" end ") != std::string::npos) ++ends;
    }
    EXPECT_EQ(begins, 2);
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(recorders[0]->preSolves, 0); // sensors are never solved
}

} // namespace
