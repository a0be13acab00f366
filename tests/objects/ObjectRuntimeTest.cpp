// Runtime objects in a real Box2D world: when a body is made and how, waking and activation of
// units, state changes and removal during updates, body destruction inside a step and with joints,
// animation layers, on-screen visibility and group depth sorting.

#include <functional>

#include "ObjectTestSupport.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributePoint.h"
#include "objects/QNModelObjectGroup.h"
#include "objects/QNPObjectAssetUnit.h"
#include "objects/QNPObjectFactory.h"
#include "objects/QNPObjectGroup.h"
#include "presentation/QNPAnimationObject.h"

using namespace cocos2d;
using namespace objecttest;

namespace {

/// A plain object whose update runs a test hook.
class HookObject : public QNPObject {
public:
    static HookObject* create() {
        auto* o = new HookObject();
        o->autorelease();
        return o;
    }
    void update(float dt) override {
        ++updates;
        if (onUpdate) onUpdate(this);
        QNPObject::update(dt);
    }
    void jointWillBeDestroyed(b2Joint* joint) override { lostJoints.push_back(joint); }
    std::function<void(HookObject*)> onUpdate;
    std::vector<b2Joint*> lostJoints;
    int updates = 0;
};

class ObjectRuntimeTest : public ObjectTest {
protected:
    QNPObjectAssetUnit* placeUnit(QNModelObjectAssetUnit* model, CCNode* layer = nullptr) {
        auto* u = keep(dynamic_cast<QNPObjectAssetUnit*>(createObject(model)));
        EXPECT_NE(u, nullptr);
        if (u && layer) {
            layer->addChild(u, model->depth());
            u->setGameLayer(layer);
        }
        return u;
    }
    CCNode* layer() {
        CCNode* l = keep(CCNode::create());
        return l;
    }
};

} // namespace

TEST_F(ObjectRuntimeTest, BodiesAreOmittedForDecorationsZeroScalesAndUnitsWithoutAnimation) {
    struct Case {
        const char* what;
        const char* collision;
        const char* destroy;
        const char* movement;
        CCPoint velocity;
        bool spawning;
        bool mayOmit;
        CCPoint scale;
        bool body;
    };
    const Case cases[] = {
        {"decoration", "kNoCollision", "kDestroyNo", "kMovementLinear", {0, 0}, false, true, {1, 1}, false},
        {"decoration, may not omit",
         "kNoCollision",
         "kDestroyNo",
         "kMovementLinear",
         {0, 0},
         false,
         false,
         {1, 1},
         true},
        {"moving decoration",
         "kNoCollision",
         "kDestroyNo",
         "kMovementLinear",
         {3, 0},
         false,
         true,
         {1, 1},
         true},
        {"spawning decoration",
         "kNoCollision",
         "kDestroyNo",
         "kMovementLinear",
         {0, 0},
         true,
         true,
         {1, 1},
         true},
        {"physics decoration",
         "kNoCollision",
         "kDestroyNo",
         "kMovementPhysics",
         {0, 0},
         false,
         true,
         {1, 1},
         true},
        {"destroying sensor",
         "kNoCollision",
         "kDestroyCollision",
         "kMovementLinear",
         {0, 0},
         false,
         true,
         {1, 1},
         true},
        {"solid", "kCharacterCollision", "kDestroyNo", "kMovementLinear", {0, 0}, false, true, {1, 1}, true},
        {"zero x scale",
         "kCharacterCollision",
         "kDestroyNo",
         "kMovementLinear",
         {0, 0},
         false,
         true,
         {0, 1},
         false},
        {"zero y scale",
         "kCharacterCollision",
         "kDestroyNo",
         "kMovementLinear",
         {0, 0},
         false,
         true,
         {1, 0},
         false},
    };
    QNModelAssetObstacle* asset = obstacle();
    for (const Case& c : cases) {
        QNModelObjectAssetUnit* model = unit(asset, c.movement, c.collision, c.destroy);
        model->linearVelocityAttribute()->set(c.velocity);
        model->setScale(c.scale);
        QNPObjectAssetUnit* u = placeUnit(model);
        ASSERT_NE(u, nullptr);
        u->setSpawning(c.spawning);
        u->createBody(world.get(), c.mayOmit);
        EXPECT_EQ(u->body() != nullptr, c.body) << c.what;
        if (u->body()) {
            EXPECT_EQ(u->body()->GetFixtureList()->IsSensor(), !u->isSolid() || c.spawning) << c.what;
        }
    }
    // Without an idle animation a unit has no body at all.
    QNModelAssetObstacle* bare = make<QNModelAssetObstacle>("QNModelAssetObstacle");
    makeSquare(bare->collisionShape(), 40);
    QNPObjectAssetUnit* u = placeUnit(unit(bare));
    u->createBody(world.get(), false);
    EXPECT_EQ(u->body(), nullptr);
    // An unusable shape neither.
    QNModelAssetObstacle* flat = obstacle();
    flat->collisionShape()->removePoint(0);
    flat->collisionShape()->removePoint(0);
    u = placeUnit(unit(flat));
    u->createBody(world.get(), false);
    EXPECT_EQ(u->body(), nullptr);
}

TEST_F(ObjectRuntimeTest, ABodyTakesTheNodeTransformAndTheWorldsFriction) {
    QNPGameplayParameters::shared()->friction = 0.6f;
    QNPGameplayParameters::shared()->restitution = 0.3f;
    QNModelObjectAssetUnit* model = unit(obstacle());
    model->setPosition(ccp(100, 40));
    model->setRotation(90);
    QNPObjectAssetUnit* u = placeUnit(model);
    u->createBody(world.get(), true);
    b2Body* body = u->body();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetType(), b2_staticBody);
    EXPECT_NEAR(body->GetPosition().x, 5.0f, 1e-5f);
    EXPECT_NEAR(body->GetPosition().y, 2.0f, 1e-5f);
    EXPECT_NEAR(body->GetAngle(), -1.5707963f, 1e-5f);
    EXPECT_FALSE(body->IsSleepingAllowed());
    const b2Fixture* f = body->GetFixtureList();
    EXPECT_FLOAT_EQ(f->GetDensity(), 0.1f);
    EXPECT_FLOAT_EQ(f->GetFriction(), 0.6f);
    EXPECT_FLOAT_EQ(f->GetRestitution(), 0.3f);
    EXPECT_EQ(QNPObject::fromFixture(f), u);
    // A second call does not make a second body.
    u->createBody(world.get(), true);
    EXPECT_EQ(bodyCount(), 1);
}

TEST_F(ObjectRuntimeTest, UnitsWakeNearTheCharactersAndBecomeKinematicOrDynamic) {
    struct Case {
        const char* movement;
        const char* destroy;
        b2BodyType type;
        bool bullet;
    };
    const Case cases[] = {
        {"kMovementLinear", "kDestroyNo", b2_kinematicBody, false},
        {"kMovementLinear", "kDestroyCollision", b2_kinematicBody, false},
        {"kMovementLinear", "kDestroyEnemyCollision", b2_dynamicBody, true},
        {"kMovementLinear", "kDestroyAllCollision", b2_dynamicBody, true},
        {"kMovementPhysics", "kDestroyNo", b2_dynamicBody, false},
    };
    CCNode* l = layer();
    env.mean = ccp(0, 0);
    for (const Case& c : cases) {
        QNModelObjectAssetUnit* model = unit(obstacle(), c.movement, "kCharacterCollision", c.destroy);
        model->linearVelocityAttribute()->set(ccp(10, 0));
        model->setPosition(ccp(2000, 0)); // within 3000 ahead of the characters
        QNPObjectAssetUnit* u = placeUnit(model, l);
        u->createBody(world.get(), true);
        ASSERT_NE(u->body(), nullptr);
        u->update(1.0f / 60.0f);
        EXPECT_TRUE(u->isAwake()) << c.movement << c.destroy;
        EXPECT_EQ(u->body()->GetType(), c.type) << c.movement << c.destroy;
        EXPECT_EQ(u->body()->IsBullet(), c.bullet) << c.movement << c.destroy;
        if (u->isFixedMover()) {
            EXPECT_TRUE(u->body()->IsFixedRotation());
            EXPECT_FLOAT_EQ(u->body()->GetGravityScale(), 0.0f);
            u->update(1.0f / 60.0f);
            // (10, 0) scene points per 1/32 s = 16 physics units per second.
            EXPECT_NEAR(u->body()->GetLinearVelocity().x, 16.0f, 1e-4f);
        }
    }

    // Far ahead it stays asleep; a collision-based unit waits for a touch.
    QNModelObjectAssetUnit* far = unit(obstacle());
    far->setPosition(ccp(5000, 0));
    QNPObjectAssetUnit* distant = placeUnit(far, l);
    distant->createBody(world.get(), true);
    distant->update(1.0f / 60.0f);
    EXPECT_FALSE(distant->isAwake());

    QNModelObjectAssetUnit* touch = unit(obstacle());
    auto* wakeup = make<QNModelComponentWakeup>("QNModelComponentWakeup");
    static_cast<QNPAttributeEnum*>(wakeup->attributeNamed("Wake Up"))->set("kCollisionBasedWakeup");
    touch->addComponent(wakeup);
    QNPObjectAssetUnit* waiting = placeUnit(touch, l);
    waiting->createBody(world.get(), true);
    waiting->update(1.0f / 60.0f);
    EXPECT_FALSE(waiting->isAwake());
    QNPObjectAssetUnit* other = placeUnit(unit(obstacle()), l);
    waiting->beginContact(other, nullptr, false);
    EXPECT_FALSE(waiting->isAwake()) << "a non-character touch";
    other->setKind(QNPObject::kKindCharacter);
    waiting->beginContact(other, nullptr, false);
    EXPECT_TRUE(waiting->isAwake());
    waiting->update(1.0f / 60.0f);
    EXPECT_EQ(waiting->body()->GetType(), b2_kinematicBody);
}

TEST_F(ObjectRuntimeTest, StatesApplyInOrderAndDestroyedChildrenLeaveSafelyDuringTheUpdate) {
    HookObject* parent = keep(HookObject::create());
    HookObject* a = HookObject::create();
    HookObject* b = HookObject::create();
    HookObject* c = HookObject::create();
    parent->addChild(a);
    parent->addChild(b);
    parent->addChild(c);
    // a destroys b and removes c from the tree outright while the children are being updated.
    a->onUpdate = [&](HookObject*) {
        b->setState(QNPObject::kStateDestroyed);
        if (c->getParent()) c->removeFromParentAndCleanup(true);
    };
    parent->update(0.1f);
    EXPECT_EQ(parent->getChildrenCount(), 1u);
    EXPECT_EQ(a->getParent(), parent);

    // A pending state is applied at the start of the next update.
    a->setPendingState(QNPObject::kStateDying);
    EXPECT_EQ(a->state(), QNPObject::kStateActive);
    a->onUpdate = nullptr;
    parent->update(0.1f);
    EXPECT_EQ(a->state(), QNPObject::kStateDying);
    EXPECT_EQ(a->pendingState(), -1);

    // Asset objects pass dying to their object children and call their destroyed listeners once.
    QNModelObject* plain = make<QNModelObject>("QNModelObject");
    QNPObjectAsset* owner = keep(QNPObjectAsset::create(plain));
    HookObject* inner = HookObject::create();
    owner->addChild(inner);
    int destroyedCalls = 0, contactCalls = 0;
    owner->addListener(QNPObjectAsset::kListenerDestroyed, this, [&](QNPObject* self, QNPObject* other) {
        EXPECT_EQ(self, owner);
        EXPECT_EQ(other, nullptr);
        ++destroyedCalls;
    });
    owner->addListener(QNPObjectAsset::kListenerContact, this,
                       [&](QNPObject*, QNPObject*) { ++contactCalls; });
    owner->beginContact(inner, nullptr, false);
    EXPECT_EQ(contactCalls, 1);
    owner->setState(QNPObject::kStateDying);
    EXPECT_EQ(inner->state(), QNPObject::kStateDying);
    owner->setState(QNPObject::kStateDestroyed);
    owner->setState(QNPObject::kStateDestroyed);
    EXPECT_EQ(destroyedCalls, 1);
    EXPECT_EQ(owner->listenerCount(), 0u);

    // Removing listeners by target.
    owner->addListener(QNPObjectAsset::kListenerContact, &contactCalls, nullptr);
    owner->addListener(QNPObjectAsset::kListenerContact, this, nullptr);
    owner->removeListeners(this);
    EXPECT_EQ(owner->listenerCount(), 1u);
}

namespace {

/// Releases an object from inside the physics step, the way a contact handler might.
struct ReleasingListener : b2ContactListener {
    void BeginContact(b2Contact* contact) override {
        seen.push_back(QNPObject::fromFixture(contact->GetFixtureA()));
        seen.push_back(QNPObject::fromFixture(contact->GetFixtureB()));
        if (victim) {
            victim->release();
            victim = nullptr;
        }
    }
    QNPObject* victim = nullptr;
    std::vector<QNPObject*> seen;
};

} // namespace

TEST_F(ObjectRuntimeTest, ObjectsGoingAwayInsideAStepOrWithJointsLeaveNoDanglingPointers) {
    // Two overlapping solid units, one falling onto the other.
    QNPObjectAssetUnit* ground = placeUnit(unit(obstacle(200)));
    ground->createBody(world.get(), true);
    QNModelObjectAssetUnit* fallingModel = unit(obstacle(), "kMovementPhysics");
    fallingModel->setPosition(ccp(0, 30));
    auto* falling = dynamic_cast<QNPObjectAssetUnit*>(createObject(fallingModel));
    ASSERT_NE(falling, nullptr);
    falling->retain(); // the listener drops this last reference inside the step
    falling->createBody(world.get(), true);
    falling->body()->SetType(b2_dynamicBody);
    ReleasingListener listener;
    listener.victim = falling;
    world->SetContactListener(&listener);
    cocos2d::CCPoolManager::sharedPoolManager()->pop(); // the factory's autorelease
    cocos2d::CCPoolManager::sharedPoolManager()->push();
    step(5);
    world->SetContactListener(nullptr);
    EXPECT_EQ(listener.victim, nullptr) << "the contact happened";
    EXPECT_EQ(bodyCount(), 2) << "destruction waits for the end of the step";
    QNPObject::destroyDeferredBodies(world.get());
    EXPECT_EQ(bodyCount(), 1);
    step(5); // the world keeps running without the body

    // A joint held by another object: the other side hears of it before the joint goes.
    HookObject* holder = keep(HookObject::create());
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2Body* holderBody = world->CreateBody(&def);
    holderBody->GetUserData().pointer = reinterpret_cast<uintptr_t>(holder);
    b2RevoluteJointDef joint;
    joint.Initialize(ground->body(), holderBody, b2Vec2(0, 0));
    b2Joint* j = world->CreateJoint(&joint);
    ground->destroyBody();
    EXPECT_EQ(ground->body(), nullptr);
    ASSERT_EQ(holder->lostJoints.size(), 1u);
    EXPECT_EQ(holder->lostJoints[0], j);
    EXPECT_EQ(world->GetJointCount(), 0);
    holderBody->GetUserData().pointer = 0;

    // The world going first: objects forget their bodies and do not touch it afterwards.
    QNPObjectAssetUnit* survivor = placeUnit(unit(obstacle()));
    survivor->createBody(world.get(), true);
    QNPObject::worldWillBeDestroyed(world.get());
    world.reset();
    EXPECT_EQ(survivor->body(), nullptr);
    world = std::make_unique<b2World>(b2Vec2(0, -10));
}

TEST_F(ObjectRuntimeTest, TheLowestAnimationLayerKeyShowsAndTheLastAddedOfAKeyWins) {
    QNPObjectAsset* object = keep(QNPObjectAsset::create(make<QNModelObject>("QNModelObject")));
    CCNode* move = CCNode::create();
    CCNode* powerupA = CCNode::create();
    CCNode* powerupB = CCNode::create();
    CCNode* damage = CCNode::create();
    object->addAnimationLayer(QNPObjectAsset::kLayerMove, move);
    EXPECT_EQ(object->activeLayer(), move);
    object->addAnimationLayer(QNPObjectAsset::kLayerPowerup, powerupA);
    object->addAnimationLayer(QNPObjectAsset::kLayerPowerup, powerupB);
    EXPECT_EQ(object->activeLayer(), powerupB);
    EXPECT_FALSE(move->isVisible());
    EXPECT_FALSE(powerupA->isVisible());
    object->addAnimationLayer(QNPObjectAsset::kLayerMove, powerupB); // already present: ignored
    EXPECT_EQ(object->activeLayerKey(), QNPObjectAsset::kLayerPowerup);
    object->addAnimationLayer(QNPObjectAsset::kLayerHealthDamage, damage);
    EXPECT_EQ(object->activeLayer(), damage);
    EXPECT_EQ(damage->getParent(), object);

    object->removeAnimationLayer(QNPObjectAsset::kLayerHealthDamage, damage);
    EXPECT_EQ(damage->getParent(), nullptr);
    EXPECT_EQ(object->activeLayer(), powerupB) << "the last-added entry of the next key";
    EXPECT_TRUE(powerupB->isVisible());
    object->setVisible(false);
    EXPECT_FALSE(powerupB->isVisible());
    object->setVisible(true);
    object->removeAnimationLayer(QNPObjectAsset::kLayerPowerup, powerupB);
    EXPECT_EQ(object->activeLayer(), powerupA);
    object->removeAnimationLayer(QNPObjectAsset::kLayerPowerup, powerupA);
    object->removeAnimationLayer(QNPObjectAsset::kLayerMove, move);
    EXPECT_EQ(object->activeLayer(), nullptr);

    // Attached nodes.
    CCNode* trail = CCNode::create();
    trail->setVisible(false);
    object->attachNode(trail);
    object->attachNode(trail);
    EXPECT_TRUE(object->hasAttachedNode(trail));
    EXPECT_TRUE(trail->isVisible());
    EXPECT_EQ(object->getChildrenCount(), 1u);
    object->detachNode(trail);
    EXPECT_EQ(trail->getParent(), nullptr);
}

TEST_F(ObjectRuntimeTest, ObjectsOutOfViewAreHiddenAndSpawnedCopiesDestroyed) {
    CCNode* l = layer();
    QNModelObjectAssetUnit* model = unit(obstacle());
    model->setPosition(ccp(100, 100));
    QNPObjectAssetUnit* placed = placeUnit(model, l);
    QNPObjectAssetUnit* spawned = placeUnit(model, l);
    spawned->setKind(spawned->kind() | QNPObject::kKindSpawned);
    placed->update(0);
    spawned->update(0);
    EXPECT_TRUE(placed->isVisible());
    EXPECT_TRUE(spawned->isVisible());
    l->setPosition(ccp(-5000, 0)); // the view moved far right
    placed->update(0);
    spawned->update(0);
    EXPECT_FALSE(placed->isVisible());
    EXPECT_EQ(placed->state(), QNPObject::kStateActive);
    EXPECT_EQ(spawned->state(), QNPObject::kStateDestroyed);
    // Margins widen the view.
    QNPGameplayParameters::shared()->horizontalViewMargin = 5000;
    placed->update(0);
    EXPECT_TRUE(placed->isVisible());
}

TEST_F(ObjectRuntimeTest, GroupsSortTheDepthOfTheirMembersAndTheCharacter) {
    CCNode* l = layer();
    QNModelAssetObstacle* asset = obstacle();
    std::vector<QNPObjectAssetUnit*> units;
    auto* group = make<QNModelObjectGroup>("QNModelObjectGroup");
    static_cast<QNPAttributeBoolean*>(group->attributeNamed("Auto Depth Sorting"))->set(true);
    static_cast<QNPAttributeEnum*>(group->attributeNamed("Sort Direction"))->set("gAxisY");
    for (float y : {10.0f, 30.0f, 20.0f}) {
        QNModelObjectAssetUnit* m = unit(asset);
        m->setPosition(ccp(0, y));
        m->setDepth(50);
        group->addMember(m);
        units.push_back(placeUnit(m, l));
    }
    // Not a member; and a live character (kind exactly 1) counted because the group lists one.
    QNPObjectAssetUnit* outsider = placeUnit(unit(asset), l);
    outsider->setZOrder(3);
    QNModelObjectAssetUnit* characterModel = unit(asset);
    characterModel->setDepth(60);
    QNPObjectAssetUnit* character = placeUnit(characterModel, l);
    character->setKind(QNPObject::kKindCharacter);
    character->setPosition(ccp(0, 25));
    group->addMember(make<QNModel>("QNModelObjectAssetCharacter"));

    QNPObjectGroup* runtime = keep(QNPObjectGroup::create(group));
    ASSERT_NE(runtime, nullptr);
    EXPECT_EQ(runtime->kind(), QNPObject::kKindGroup);
    l->addChild(runtime);
    runtime->setGameLayer(l);
    runtime->update(0);
    // Ascending along y: the highest is drawn first, from the lowest z among them (50).
    EXPECT_EQ(units[1]->getZOrder(), 50);  // y 30
    EXPECT_EQ(character->getZOrder(), 51); // y 25
    EXPECT_EQ(units[2]->getZOrder(), 52);  // y 20
    EXPECT_EQ(units[0]->getZOrder(), 53);  // y 10
    EXPECT_EQ(outsider->getZOrder(), 3);

    static_cast<QNPAttributeEnum*>(group->attributeNamed("Sort Order"))->set("gSortDesc");
    runtime->update(0);
    EXPECT_EQ(units[0]->getZOrder(), 50);
    EXPECT_EQ(units[1]->getZOrder(), 53);

    // A group of one member never sorts.
    auto* lone = make<QNModelObjectGroup>("QNModelObjectGroup");
    static_cast<QNPAttributeBoolean*>(lone->attributeNamed("Auto Depth Sorting"))->set(true);
    lone->addMember(units[0]->model());
    units[0]->setZOrder(77);
    QNPObjectGroup* loneRuntime = keep(QNPObjectGroup::create(lone));
    l->addChild(loneRuntime);
    loneRuntime->setGameLayer(l);
    loneRuntime->update(0);
    EXPECT_EQ(units[0]->getZOrder(), 77);
}

TEST_F(ObjectRuntimeTest, LoopSoundsFollowTheDistanceAndMoversFallAsleepAfterTheirDistance) {
    struct Sound {
        int id;
        float volume;
        bool playing;
    };
    std::vector<Sound> sounds;
    QNPObjectAsset::SoundHooks hooks;
    hooks.startLoop = [&](QNModel*) {
        sounds.push_back({(int)sounds.size(), 0.0f, true});
        return (int)sounds.size() - 1;
    };
    hooks.stop = [&](int id) { sounds[(std::size_t)id].playing = false; };
    hooks.volume = [&](int id) { return sounds[(std::size_t)id].volume; };
    hooks.setVolume = [&](int id, float v) { sounds[(std::size_t)id].volume = v; };
    QNPObjectAsset::setSoundHooks(hooks);

    CCNode* l = layer();
    QNModelAssetObstacle* asset = obstacle();
    static_cast<QNPAttributeSound*>(asset->attributeNamed("Idle Sound"))
        ->setTarget(make<QNModel>("QNModelSound"));
    QNModelObjectAssetUnit* model = unit(asset);
    model->linearVelocityAttribute()->set(ccp(10, 0));
    auto* sleep = make<QNModelComponentWakeup>("QNModelComponentWakeup");
    static_cast<QNPAttributeEnum*>(sleep->attributeNamed("Sleep"))->set("kDistanceBasedSleep");
    static_cast<QNPAttributeFloat*>(sleep->attributeNamed("Sleep Distance"))->set(100.0f);
    model->addComponent(sleep);
    QNPObjectAssetUnit* u = placeUnit(model, l);
    u->createBody(world.get(), true);

    // Reach is 300 + half the window width; at the characters' position the level is 1.
    env.living = true;
    env.mean = u->getPosition();
    u->update(1.0f / 60.0f);
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_NEAR(sounds[0].volume, 1.0f, 0.05f);
    EXPECT_EQ(u->loopSoundId(), 0);
    // No living character: the sound fades by dt per frame, then stops.
    env.living = false;
    u->update(0.25f);
    EXPECT_NEAR(sounds[0].volume, 0.75f, 0.05f);
    for (int i = 0; i < 4; ++i) u->update(0.25f);
    EXPECT_FALSE(sounds[0].playing);
    EXPECT_EQ(u->loopSoundId(), -1);
    // Far away nothing starts again.
    env.living = true;
    env.mean = ccp(-100000, 0);
    u->update(0.0f);
    EXPECT_EQ(sounds.size(), 1u);

    // The mover has travelled 10 points per 1/32 s for 1.5 s by now (more than 100): asleep.
    EXPECT_TRUE(u->isSleeping());
    EXPECT_FLOAT_EQ(u->body()->GetLinearVelocity().x, 0.0f);
    QNPObjectAsset::setSoundHooks(QNPObjectAsset::SoundHooks());
}

TEST_F(ObjectRuntimeTest, APermanentSpawnerEmitsOnItsFirstAwakeFrameAndThenEverySecond) {
    std::vector<QNPObjectAsset*> copies;
    CCNode* l = layer();
    QNPObjectAssetUnit::setSpawnHandler([&](QNPObjectAssetUnit*, QNPObjectAsset* copy) {
        copies.push_back(keep(copy));
        return true;
    });
    QNModelObjectAssetUnit* model = unit(obstacle());
    model->addComponent(make<QNModelComponentSpawner>("QNModelComponentSpawner"));
    QNPObjectAssetUnit* spawner = placeUnit(model, l);
    spawner->setSpawning(model->hasSpawner());
    spawner->createBody(world.get(), true);
    ASSERT_NE(spawner->body(), nullptr);
    EXPECT_TRUE(spawner->body()->GetFixtureList()->IsSensor());
    EXPECT_FALSE(spawner->idleNode()->isVisible());

    spawner->update(1.0f / 60.0f);
    ASSERT_EQ(copies.size(), 1u);
    for (int i = 0; i < 130; ++i) spawner->update(1.0f / 60.0f);
    EXPECT_EQ(copies.size(), 3u);
    EXPECT_EQ(spawner->body()->GetType(), b2_staticBody) << "the spawner itself never moves";
    auto* copy = dynamic_cast<QNPObjectAssetUnit*>(copies[0]);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->kind(), QNPObject::kKindUnit | QNPObject::kKindSpawned);
    EXPECT_FALSE(copy->isSpawning());
    EXPECT_TRUE(copy->idleNode()->isVisible());
    QNPObjectAssetUnit::setSpawnHandler(nullptr);
}
