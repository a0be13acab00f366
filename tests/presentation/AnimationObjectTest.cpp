// The composite animation node: its clock, end callback and non-looping pause, visibility, the
// operations it passes to each kind of child, and how children are placed (loops refused).

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/CCAutoreleasePool.h"
#include "model/QNModelController.h"
#include "presentation/QNModelAnimation.h"
#include "presentation/QNPAnimationObject.h"

using namespace cocos2d;

namespace {

// A runtime child that records what the animation asks of it.
class FakeChild : public CCNode, public QNPAnimationChild {
public:
    explicit FakeChild(Kind kind) : m_kind(kind) { init(); }
    Kind animationChildKind() const override { return m_kind; }
    void restartFrames() override { calls.push_back("restartFrames"); }
    void stopFrames() override { calls.push_back("stopFrames"); }
    void pauseFrames() override { calls.push_back("pauseFrames"); }
    void resumeFrames() override { calls.push_back("resumeFrames"); }
    void showFrame(int n) override { calls.push_back("showFrame " + std::to_string(n)); }
    void setAnimationOpacity(float o) override {
        calls.push_back("opacity " + std::to_string(o).substr(0, 4));
    }
    void resetEmitters() override { calls.push_back("resetEmitters"); }
    void stopEmitters() override { calls.push_back("stopEmitters"); }
    void setAnimationGameLayer(CCNode* layer) override { calls.push_back(layer ? "layer" : "no layer"); }
    void update(float dt) override { steps.push_back(dt); }
    int count(const std::string& call) const { return (int)std::count(calls.begin(), calls.end(), call); }

    std::vector<std::string> calls;
    std::vector<float> steps;

private:
    Kind m_kind;
};

// Builds fake children from a table keyed by model id.
struct FakeFactory : QNPAnimationChildFactory {
    struct ChildPlan {
        QNPAnimationChild::Kind kind = QNPAnimationChild::kObject;
        QNChildPlacement placement;
        CCSize size;
        bool build = true;
    };
    std::map<unsigned, ChildPlan> plans;
    std::map<unsigned, FakeChild*> built;
    bool lastSpawnersActive = false;
    CCNode* lastOwner = nullptr;

    int depthOf(const QNModel* m) const override { return placementOf(m).depth; }
    QNChildPlacement placementOf(const QNModel* m) const override {
        auto it = plans.find(m->id());
        return it == plans.end() ? QNChildPlacement() : it->second.placement;
    }
    CCNode* buildChild(QNModel* child, QNModelAnimation*, CCNode* owner, bool spawnersActive) override {
        lastOwner = owner;
        lastSpawnersActive = spawnersActive;
        ChildPlan& plan = plans[child->id()];
        if (!plan.build) return nullptr;
        auto* node = new FakeChild(plan.kind);
        node->setContentSize(plan.size);
        node->autorelease();
        built[child->id()] = node;
        return node;
    }
};

class EndCounter : public CCObject {
public:
    void ended() { ++count; }
    int count = 0;
};

class AnimationObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        CCPoolManager::sharedPoolManager()->push();
        QNPAnimationChildFactory::setShared(&factory);
        animation = new QNModelAnimation();
    }
    void TearDown() override {
        if (node) node->release();
        animation->release();
        for (QNModel* m : models) m->release();
        QNPAnimationChildFactory::setShared(nullptr);
        CCPoolManager::sharedPoolManager()->pop();
    }
    // A child model of `kind`; returns its id.
    unsigned addChild(QNPAnimationChild::Kind kind, QNChildPlacement placement = {},
                      CCSize size = CCSize(10, 10)) {
        auto* m = new QNModel("QNModelObjectImage");
        models.push_back(m);
        factory.plans[m->id()] = FakeFactory::ChildPlan{kind, placement, size, true};
        animation->addChild(m);
        return m->id();
    }
    void build() {
        node = QNPAnimationObject::create(animation, nullptr, false);
        ASSERT_NE(node, nullptr);
        node->retain();
    }
    void run(int frames, float dt = 1.0f / 60.0f) {
        for (int i = 0; i < frames; ++i) node->update(dt);
    }
    FakeChild* child(unsigned id) { return factory.built.at(id); }

    FakeFactory factory;
    QNModelAnimation* animation = nullptr;
    QNPAnimationObject* node = nullptr;
    std::vector<QNModel*> models;
};

} // namespace

TEST_F(AnimationObjectTest, NonLoopingAnimationEndsEveryPassAndHoldsItsImagesPaused) {
    animation->setDuration(2.0f);
    animation->setLooped(false);
    unsigned image = addChild(QNPAnimationChild::kImage);
    unsigned particles = addChild(QNPAnimationChild::kParticles);
    unsigned object = addChild(QNPAnimationChild::kObject);
    build();
    EndCounter counter;
    node->setEndCallback(&counter, callfunc_selector(EndCounter::ended));

    run(119);
    EXPECT_EQ(counter.count, 0);
    run(3);
    EXPECT_EQ(counter.count, 1) << "once after 2 s";
    EXPECT_EQ(child(image)->count("pauseFrames"), 1);
    EXPECT_EQ(child(particles)->count("stopEmitters"), 1);
    EXPECT_TRUE(child(object)->calls.empty());
    EXPECT_LT(node->clock(), 0.1f) << "the clock starts again";

    run(120);
    EXPECT_EQ(counter.count, 2) << "again 2 s later: the clock keeps running";
    EXPECT_EQ(child(image)->count("pauseFrames"), 2);
}

TEST_F(AnimationObjectTest, LoopingAnimationOnlyCallsBack) {
    animation->setDuration(0.5f);
    unsigned image = addChild(QNPAnimationChild::kImage);
    build();
    EndCounter counter;
    node->setEndCallback(&counter, callfunc_selector(EndCounter::ended));
    run(93); // 1.55 s
    EXPECT_EQ(counter.count, 3);
    EXPECT_TRUE(child(image)->calls.empty());
}

TEST_F(AnimationObjectTest, HiddenAnimationKeepsItsClockAndStepsNothing) {
    animation->setDuration(1.0f);
    unsigned a = addChild(QNPAnimationChild::kImage);
    build();
    node->setVisible(false);
    EXPECT_FALSE(child(a)->isVisible()) << "hiding hides the children";
    run(200);
    EXPECT_EQ(node->clock(), 0.0f);
    EXPECT_TRUE(child(a)->steps.empty());
    node->setVisible(true);
    EXPECT_TRUE(child(a)->isVisible());
    run(30);
    EXPECT_NEAR(node->clock(), 0.5f, 1e-4);
}

TEST_F(AnimationObjectTest, ChildrenFollowTheClockAtTheAnimationSpeed) {
    animation->setDuration(10.0f);
    animation->setAnimationSpeed(2.0f);
    unsigned image = addChild(QNPAnimationChild::kImage);
    unsigned particles = addChild(QNPAnimationChild::kParticles);
    FakeFactory::ChildPlan& skipped = factory.plans[addChild(QNPAnimationChild::kObject)];
    skipped.build = false;
    build();
    EXPECT_EQ(node->childCount(), 3);
    EXPECT_EQ(node->childNode(2), nullptr) << "a child the factory cannot build is left out";
    EXPECT_EQ(node->childNode(3), nullptr);
    EXPECT_EQ(node->childNode(-1), nullptr);

    run(3, 0.1f);
    EXPECT_NEAR(node->clock(), 0.6f, 1e-5);
    for (QNModel* m : animation->children()) EXPECT_NEAR(m->animationTime(), 0.6f, 1e-5);
    ASSERT_EQ(child(image)->steps.size(), 3u);
    EXPECT_FLOAT_EQ(child(image)->steps[0], 0.2f) << "speed × dt";
    EXPECT_FLOAT_EQ(child(particles)->steps[0], 0.1f) << "particles run on real time";
}

TEST_F(AnimationObjectTest, OperationsReachTheKindsTheyAreFor) {
    animation->setDuration(1.0f);
    unsigned image = addChild(QNPAnimationChild::kImage);
    unsigned particles = addChild(QNPAnimationChild::kParticles);
    unsigned object = addChild(QNPAnimationChild::kObject);
    build();
    run(20);
    CCNode layer;
    struct Case {
        const char* what;
        std::function<void()> call;
        std::vector<std::string> image, particles, object;
    } cases[] = {
        {"restart", [&] { node->restart(); }, {"restartFrames"}, {"resetEmitters"}, {}},
        {"stop", [&] { node->stop(); }, {"stopFrames"}, {"stopEmitters"}, {}},
        {"pause", [&] { node->pause(); }, {"pauseFrames"}, {}, {}},
        {"resume", [&] { node->resume(); }, {"resumeFrames"}, {}, {}},
        {"showFrame", [&] { node->showFrame(3); }, {"showFrame 3"}, {}, {}},
        {"setOpacity", [&] { node->setOpacity(0.5f); }, {"opacity 0.50"}, {"opacity 0.50"}, {"opacity 0.50"}},
        {"setGameLayer", [&] { node->setGameLayer(&layer); }, {}, {"layer"}, {"layer"}},
    };
    for (const Case& c : cases) {
        for (unsigned id : {image, particles, object}) child(id)->calls.clear();
        c.call();
        EXPECT_EQ(child(image)->calls, c.image) << c.what;
        EXPECT_EQ(child(particles)->calls, c.particles) << c.what;
        EXPECT_EQ(child(object)->calls, c.object) << c.what;
    }
    EXPECT_FLOAT_EQ(node->opacity(), 0.5f);
    run(20);
    node->restart();
    EXPECT_EQ(node->clock(), 0.0f);
    EXPECT_EQ(animation->animationTime(), 0.0f);
}

TEST_F(AnimationObjectTest, ChildrenArePlacedOnTheirParentsWithoutLoops) {
    animation->setDuration(2.5f);
    QNChildPlacement p;
    p.depth = 3;
    unsigned base = addChild(QNPAnimationChild::kObject, p, CCSize(40, 20));

    QNChildPlacement onBase;
    onBase.parentObjectId = base;
    onBase.position = CCPoint(5, -3);
    onBase.rotation = 30;
    onBase.scaleX = 2;
    onBase.scaleY = 0.5f;
    onBase.depth = 7;
    unsigned rider = addChild(QNPAnimationChild::kImage, onBase);

    QNChildPlacement spawner;
    spawner.hasSpawner = true;
    unsigned spawning = addChild(QNPAnimationChild::kObject, spawner);

    // One child naming itself, two naming each other, one naming a model outside the animation.
    unsigned self = addChild(QNPAnimationChild::kObject);
    factory.plans[self].placement.parentObjectId = self;
    unsigned first = addChild(QNPAnimationChild::kObject);
    unsigned second = addChild(QNPAnimationChild::kObject);
    factory.plans[first].placement.parentObjectId = second;
    factory.plans[second].placement.parentObjectId = first;
    unsigned stranger = addChild(QNPAnimationChild::kObject);
    factory.plans[stranger].placement.parentObjectId = 999999;
    build();

    EXPECT_EQ(child(rider)->getParent(), child(base));
    EXPECT_EQ(child(rider)->getPosition(), CCPoint(25, 7)) << "half the parent's size plus its position";
    EXPECT_EQ(child(rider)->getRotation(), 30.0f);
    EXPECT_EQ(child(rider)->getScaleX(), 2.0f);
    EXPECT_EQ(child(rider)->getScaleY(), 0.5f);
    EXPECT_EQ(child(base)->getParent(), node);
    EXPECT_EQ(child(spawning)->getZOrder(), -1) << "a spawner at depth 0 goes behind";
    EXPECT_EQ(child(self)->getParent(), node);
    EXPECT_EQ(child(stranger)->getParent(), node);
    // However the pair is resolved, both hang below the animation node and neither below itself.
    for (unsigned id : {first, second}) {
        int hops = 0;
        CCNode* up = child(id)->getParent();
        while (up && up != node && hops < 10) {
            EXPECT_NE(up, child(id));
            up = up->getParent();
            ++hops;
        }
        EXPECT_EQ(up, node) << id;
    }
    EXPECT_EQ(node->durationFrames(), 75);

    CCNode parent;
    parent.init();
    parent.setTag(42);
    parent.setZOrder(9);
    parent.addChild(node, 2);
    EXPECT_EQ(node->getTag(), 42);
    EXPECT_EQ(child(rider)->getTag(), 42) << "every child node takes the parent's tag";
    EXPECT_EQ(node->getZOrder(), 9) << "the parent's z order";
    parent.removeChild(node, false);
}

TEST_F(AnimationObjectTest, BoundsCoverTheDirectChildrenAroundTheNode) {
    addChild(QNPAnimationChild::kObject, {}, CCSize(40, 20));
    QNChildPlacement big;
    big.scaleX = 2;
    addChild(QNPAnimationChild::kObject, big, CCSize(30, 60));
    build();
    const CCRect& b = node->bounds();
    EXPECT_EQ(b.origin, CCPoint(-30, -30));
    EXPECT_EQ(b.size, CCSize(60, 60));
    EXPECT_EQ(QNPAnimationObject::create(nullptr, nullptr, false), nullptr);
    EXPECT_EQ(factory.lastSpawnersActive, false);
}
