// The world screen run by the director with no window: one physics step per frame, the game
// speed and distance, flash, lives and game over, key codes, objects changing the game layer
// while it is walked, queued jumps, the section choice and creation queue, and deletion.

#include "WorldTestSupport.h"

#include <cmath>
#include <utility>
#include <vector>

#include "model/QNModelComponent.h"
#include "model/QNModelCompound.h"

using namespace cocos2d;
using namespace worldtest;

namespace {

class WorldRuntime : public WorldTest {};

TEST_F(WorldRuntime, OnePhysicsStepPerFrameOfTimeWarpOverSixtyWhateverTheFrameTime) {
    worldModel("W")->floatAttribute("Time Warp")->set(2.0f);
    QNPScreenScene* world = enter("W");
    ASSERT_NE(world, nullptr);
    TestObject* ball = TestObject::create(QNPObject::kKindUnit, CCPoint(300, 300));
    world->gameLayer()->addChild(ball);
    b2Body* body = ball->makeBody(world->physicsWorld());
    const long steps = world->physicsSteps();
    world->update(1.0f / 30.0f);
    EXPECT_EQ(world->physicsSteps(), steps + 1);
    // Gravity (0, -50) for 2/60 s, not for 2/30 s.
    EXPECT_NEAR(body->GetLinearVelocity().y, -50.0f * 2.0f / 60.0f, 1e-4);
    EXPECT_EQ(ball->updates, 1);
}

TEST_F(WorldRuntime, SpeedStaysWithinItsBoundsAndDistanceGrowsByItTimesTheMultiplier) {
    QNModelScreenScene* model = worldModel("W");
    setSpeeds(model, 2, 5, 1);
    model->floatAttribute("Score Multiplier")->set(2.0f);
    // A frame far larger than the view: the camera never follows.
    model->setObjectFrameRect(CCRect(-100, -100, 200, 200));
    QNPScreenScene* world = enter("W");
    ASSERT_NE(world, nullptr);
    for (int frame = 0; frame < 8; ++frame) {
        const float speed = parameters()->currentGameSpeed;
        const double before = qn::scoreRecord("W").distance.current;
        const double globalBefore = qn::scoreRecord("").distance.current;
        runFrames(1);
        EXPECT_NEAR(qn::scoreRecord("W").distance.current - before, 2.0 * speed, 1e-3) << frame;
        EXPECT_NEAR(qn::scoreRecord("").distance.current - globalBefore, 2.0 * speed, 1e-3) << frame;
        EXPECT_GE(parameters()->currentGameSpeed, 2.0f);
        EXPECT_LE(parameters()->currentGameSpeed, 5.0f);
    }
    EXPECT_FLOAT_EQ(parameters()->currentGameSpeed, 5.0f);
    EXPECT_NEAR(world->gameLayer()->movement().x, 5.0f, 1e-4);
    const auto& distance = qn::scoreRecord("W").distance;
    EXPECT_DOUBLE_EQ(distance.best, distance.current);
    EXPECT_DOUBLE_EQ(distance.total, distance.current);

    // Once no character plays the speed falls by 0.1 a step down to 0, and no distance counts.
    TestObject* hero = TestObject::create(QNPObject::kKindCharacter);
    world->gameLayer()->addChild(hero);
    world->characterCreated(hero);
    hero->setState(QNPObject::kStateDying);
    runFrames(1); // the frame that finds no character playing
    float last = parameters()->currentGameSpeed;
    const double scored = distance.current;
    for (int frame = 0; frame < 60; ++frame) {
        runFrames(1);
        const float now = parameters()->currentGameSpeed;
        EXPECT_NEAR(now, std::max(0.0f, last - 0.1f), 1e-4);
        last = now;
    }
    EXPECT_FLOAT_EQ(last, 0.0f);
    EXPECT_DOUBLE_EQ(distance.current, scored);
}

TEST_F(WorldRuntime, AFlashStartsOpaqueAndFadesOutOverItsDuration) {
    worldModel("W");
    QNPScreenScene* world = enter("W");
    world->flash(0.5f);
    world->update(kFrame);
    EXPECT_EQ(world->flashOpacity(), 255);
    int last = 255;
    for (int frame = 2; frame <= 30; ++frame) {
        world->update(kFrame);
        EXPECT_LT(world->flashOpacity(), last) << frame;
        EXPECT_GT(world->flashOpacity(), 0) << frame;
        last = world->flashOpacity();
    }
    world->update(kFrame);
    EXPECT_EQ(world->flashOpacity(), 0);
    world->flash(1.0f);
    world->update(kFrame);
    world->flash(0.0f);
    EXPECT_EQ(world->flashOpacity(), 0);
    EXPECT_NE(log.find("[QNPScreenScene] - flash: 0.500000"), std::string::npos);
}

TEST_F(WorldRuntime, ShakeNoiseIsSmoothBoundedAndSettlesTheLayerBack) {
    for (float x = -10.0f; x < 10.0f; x += 0.37f) {
        const float n = QNPScreenScene::noise1(x);
        EXPECT_LE(std::fabs(n), 1.0f);
        EXPECT_LE(std::fabs(QNPScreenScene::noise1(x + 0.001f) - n), 0.01f);
    }
    EXPECT_FLOAT_EQ(QNPScreenScene::noise1(3.0f), 0.0f); // zero at the lattice points
    worldModel("W");
    QNPScreenScene* world = enter("W");
    world->shake(0.2f);
    runFrames(3);
    EXPECT_LE(std::fabs(world->getPositionX()), 70.0f);
    world->shake(0.0f);
    EXPECT_EQ(world->getPosition().x, 0.0f);
    EXPECT_EQ(world->getPosition().y, 0.0f);
}

/// A character whose model carries a health component with `lives` lives.
TestObject* heroWithLives(QNPScreenScene* world, int lives) {
    auto* health = new QNModelComponent("QNModelComponentHealth");
    static_cast<QNPAttributeFloat*>(health->addAttribute("Lives", QNPAttribute::kTypeFloat))
        ->set((float)lives);
    navtest::controller()->addModel(health);
    auto* model = new QNModelCompound("QNModelObjectAssetCharacter");
    navtest::controller()->addModel(model);
    model->addComponent(health);
    TestObject* hero = TestObject::create(QNPObject::kKindCharacter);
    hero->setModel(model);
    world->gameLayer()->addChild(hero);
    world->characterCreated(hero);
    return hero;
}

TEST_F(WorldRuntime, ASpareLifeRestartsTheWorldAndTheLastOneEndsTheGame) {
    worldModel("W");
    QNPScreenScene* world = enter("W");
    EXPECT_FLOAT_EQ(world->gameOverDelay(), 1.0f); // no character asset
    TestObject* hero = heroWithLives(world, 2);
    hero->retain(); // the restart frees it otherwise
    QNModel* health = world->inputController()->firstCharacterHealth();
    ASSERT_NE(health, nullptr);
    hero->setState(QNPObject::kStateDying);
    runFrames(60); // the countdown runs
    EXPECT_FALSE(world->isRestartPending());
    runFrames(2);
    EXPECT_FALSE(world->isGameOver());
    // The restart ran on the next frame: the game layer was cleared and the character is gone.
    EXPECT_EQ(world->inputController()->characters()->count(), 0u);
    EXPECT_EQ(hero->state(), QNPObject::kStateDestroyed);
    EXPECT_EQ(hero->getParent(), nullptr);

    // The factory would place the character again; the remaining life is the last.
    TestObject* again = TestObject::create(QNPObject::kKindCharacter);
    again->setModel(hero->model());
    world->gameLayer()->addChild(again);
    world->characterCreated(again);
    again->setState(QNPObject::kStateDying);
    runFrames(62);
    EXPECT_TRUE(world->isGameOver());
    EXPECT_FALSE(world->isRestartPending());
    const double distance = qn::scoreRecord("W").distance.current;
    runFrames(5); // the world stands still
    EXPECT_DOUBLE_EQ(qn::scoreRecord("W").distance.current, distance);
    hero->release();
}

TEST_F(WorldRuntime, ArrowEnterAndPadKeysPressOnDownAndReleaseOnUp) {
    worldModel("W");
    QNPScreenScene* world = enter("W");
    std::vector<std::pair<int, bool>> seen;
    QNPInputController::setCharacterActionHandler(
        [&](QNPObject*, int id, bool pressed, const CCPoint&) { seen.emplace_back(id, pressed); });
    TestObject* hero = TestObject::create(QNPObject::kKindCharacter);
    world->gameLayer()->addChild(hero);
    world->characterCreated(hero);
    const std::pair<int, int> cases[] = {{19, 1}, {20, 2}, {21, 4},  {22, 3}, {23, 5},
                                         {96, 5}, {99, 5}, {100, 5}, {50, 0}, {4, 0}};
    for (auto [code, action] : cases) {
        seen.clear();
        world->onKeyDown(code);
        world->onKeyUp(code);
        if (action == 0) {
            EXPECT_TRUE(seen.empty()) << code;
            continue;
        }
        ASSERT_EQ(seen.size(), 2u) << code;
        EXPECT_EQ(seen[0], std::make_pair(action, true)) << code;
        EXPECT_EQ(seen[1], std::make_pair(action, false)) << code;
    }
    EXPECT_TRUE(world->inputController()->heldActions().empty());
    // Held directions add up; a release drops every entry of that direction.
    world->onKeyDown(22);
    world->onKeyDown(21);
    EXPECT_EQ(world->inputController()->direction().x, 0.0f);
    world->onKeyUp(21);
    EXPECT_EQ(world->inputController()->direction().x, 1.0f);
    world->onKeyUp(22);
}

TEST_F(WorldRuntime, ObjectsAddedOrRemovedDuringTheWalkTakePartFromTheNextStep) {
    worldModel("W");
    QNPScreenScene* world = enter("W");
    CCNode* layer = world->gameLayer();
    TestObject* first = TestObject::create(QNPObject::kKindUnit, CCPoint(500, 300));
    TestObject* removed = TestObject::create(QNPObject::kKindUnit, CCPoint(500, 300));
    TestObject* last = TestObject::create(QNPObject::kKindUnit, CCPoint(500, 300));
    TestObject* doomed = TestObject::create(QNPObject::kKindUnit, CCPoint(500, 300));
    TestObject* added = TestObject::create(QNPObject::kKindUnit, CCPoint(500, 300));
    // The test keeps its own references: removed objects are freed by their parent otherwise.
    for (TestObject* object : {first, removed, last, doomed, added}) object->retain();
    for (TestObject* object : {first, removed, last, doomed}) layer->addChild(object);
    first->onUpdate = [&](TestObject* self) {
        if (self->updates != 1) return;
        removed->removeFromParent();
        layer->addChild(added);
    };
    doomed->setState(QNPObject::kStateDestroyed);
    runFrames(1);
    EXPECT_EQ(first->updates, 1);
    EXPECT_EQ(removed->updates, 0);
    EXPECT_EQ(last->updates, 1);
    EXPECT_EQ(added->updates, 0);
    EXPECT_EQ(doomed->getParent(), nullptr);
    runFrames(1);
    EXPECT_EQ(added->updates, 1);
    EXPECT_EQ(layer->getChildrenCount(), 3u);
    for (TestObject* object : {first, removed, last, doomed, added}) object->release();
}

TEST_F(WorldRuntime, AJumpAskedDuringAnObjectUpdateWaitsForTheEndOfTheStep) {
    QNNodeScene *fromNode = nullptr, *toNode = nullptr;
    QNModelScreenScene* from = worldModel("W1", &fromNode);
    setSpeeds(from, 5, 5, 0);
    from->setObjectFrameRect(CCRect(-100, -100, 200, 200));
    worldModel("W2", &toNode);
    navtest::link(fromNode, "Go", toNode);
    QNPScreenScene* world = enter("W1");
    ASSERT_NE(world, nullptr);
    const double before = qn::scoreRecord("W1").distance.current;
    TestObject* jumper = TestObject::create(QNPObject::kKindUnit, CCPoint(500, 300));
    bool sceneKeptDuringUpdate = false;
    jumper->onUpdate = [&](TestObject* self) {
        if (self->updates != 1) return;
        world->jumpTo("Go", false, false, true);
        sceneKeptDuringUpdate = nav()->worldKey() == "W1";
    };
    world->gameLayer()->addChild(jumper);
    world->update(kFrame);
    EXPECT_TRUE(sceneKeptDuringUpdate);
    EXPECT_EQ(nav()->worldKey(), "W2");
    // The old world's last step scored into its own record, none into the new world's.
    EXPECT_NEAR(qn::scoreRecord("W1").distance.current - before, 5.0, 1e-4);
    EXPECT_DOUBLE_EQ(qn::scoreRecord("W2").distance.current, 0.0);
    runFrames(3);
    EXPECT_NE(nav()->worldLayer(), world);
    EXPECT_NE(log.find("QNPScreenScene - deallocated"), std::string::npos);
}

TEST_F(WorldRuntime, SectionsAreChosenByDistanceFlagsAndCooldown) {
    QNModelScreenScene* model = worldModel("W");
    QNModelLevelSection* start = section(model, 300);
    QNModelLevelSection* early = section(model, 100, 0, 0, 500);
    QNModelLevelSection* late = section(model, 100, 0, 500);
    QNModelLevelSection* solo = section(model, 100, 0, 9000, 9500);
    QNModelLevelSection* muted = section(model, 100);
    QNModelLevelSection* init = section(model, 100);
    solo->setSolo(true);
    muted->setMuted(true);
    init->setInitSection(true);
    QNPScreenScene* world = enter("W");
    ASSERT_NE(world, nullptr);
    ASSERT_EQ(world->sections().size(), 6u);
    auto choices = [&](float distance) {
        std::set<QNModelLevelSection*> chosen;
        for (int i = 0; i < 200; ++i) {
            for (QNModelLevelSection* s : world->sections()) s->setCooldownCounter(0);
            chosen.insert(world->chooseSection(distance));
        }
        return chosen;
    };
    EXPECT_EQ(choices(100), (std::set<QNModelLevelSection*>{start, early, solo}));
    EXPECT_EQ(choices(500), (std::set<QNModelLevelSection*>{start, late, solo}));
    // With every eligible section on cooldown the cooldown is ignored.
    late->setPlayCooldown(3);
    for (QNModelLevelSection* s : world->sections()) s->setCooldownCounter(2);
    QNModelLevelSection* picked = world->chooseSection(600);
    ASSERT_NE(picked, nullptr);
    if (picked == late) {
        EXPECT_EQ(late->cooldownCounter(), 3);
    }
    // Only `late` is off cooldown: it is the only choice.
    for (QNModelLevelSection* s : world->sections()) s->setCooldownCounter(2);
    late->setCooldownCounter(0);
    EXPECT_EQ(world->chooseSection(600), late);
    EXPECT_EQ(late->cooldownCounter(), 3);
}

TEST_F(WorldRuntime, TheQueueBuildsTwentyChildrenAStepAndTheCursorWaitsForAnEligibleSection) {
    QNModelScreenScene* model = worldModel("W");
    setSpeeds(model, 20, 20, 0);
    model->setObjectFrameRect(CCRect(-100, -100, 200, 200));
    section(model, 300, 0, 0, 300);
    QNModelLevelSection* far = section(model, 200, 0, 5000);
    QNModelLevelSection* big = section(model, 50, 45, 90000);
    QNModelLevelSection* even = section(model, 50, 40, 90000);
    QNPScreenScene* world = enter("W");
    ASSERT_NE(world, nullptr);
    EXPECT_FLOAT_EQ(world->sectionCursor(), 300);
    EXPECT_EQ(count("add level section: "), 1);
    runFrames(100); // 2000 points travelled; "far" starts at 5000: nothing more is placed
    EXPECT_FLOAT_EQ(world->sectionCursor(), 300);
    EXPECT_GT(world->lookAhead(), 3000.0f);
    (void)far;

    world->placeSection(big, 0);
    EXPECT_FALSE(world->stepCreationQueue());
    EXPECT_FALSE(world->stepCreationQueue());
    EXPECT_TRUE(world->stepCreationQueue());
    world->placeSection(even, 0);
    EXPECT_FALSE(world->stepCreationQueue());
    EXPECT_FALSE(world->stepCreationQueue());
    EXPECT_TRUE(world->stepCreationQueue()); // a step that only finishes it
    EXPECT_TRUE(world->stepCreationQueue()); // empty
    // Two sections share the queue: neither finishes before both had their first batch.
    world->placeSection(big, 0);
    world->placeSection(even, 0);
    EXPECT_FALSE(world->stepCreationQueue());
    EXPECT_FALSE(world->stepCreationQueue());
    EXPECT_EQ(world->creationQueueLength(), 2u);
}

TEST_F(WorldRuntime, ASectionWithoutWidthIsNotPlacedOverAndOver) {
    QNModelScreenScene* model = worldModel("W");
    setSpeeds(model, 20, 20, 0);
    model->setObjectFrameRect(CCRect(-100, -100, 200, 200));
    section(model, 300, 0, 0, 300);
    section(model, 0, 3);
    QNPScreenScene* world = enter("W");
    runFrames(30);
    EXPECT_EQ(count("add level section: "), 1);
    EXPECT_EQ(world->creationQueueLength(), 0u);
    EXPECT_NE(log.find("has no width; not placed"), std::string::npos);
}

TEST_F(WorldRuntime, ObjectsBehindOrBesideTheViewAreDeletedUnlessTheirCheckIsOff) {
    QNModelScreenScene* model = worldModel("W");
    QNPScreenScene* world = enter("W");
    const CCSize win = director()->getWinSize();
    struct Case {
        CCPoint at;
        float back, sides;
        bool deleted;
    } cases[] = {
        {CCPoint(-400, win.height / 2), 300, 550, true},              // wholly behind
        {CCPoint(-300, win.height / 2), 300, 550, false},             // overlaps the back edge
        {CCPoint(win.width + 5000, win.height / 2), 300, 550, false}, // ahead: never
        {CCPoint(win.width / 2, -700), 300, 550, true},               // below
        {CCPoint(win.width / 2, win.height + 700), 300, 550, true},   // above
        {CCPoint(-400, win.height / 2), -1, 550, false},              // back check off
        {CCPoint(win.width / 2, -700), 300, -1, false},               // sides check off
    };
    for (const Case& c : cases) {
        parameters()->horizontalViewMargin = c.back;
        parameters()->verticalViewMargin = c.sides;
        TestObject* object = TestObject::create(QNPObject::kKindUnit, c.at);
        world->gameLayer()->addChild(object);
        world->checkDeletion(object);
        EXPECT_EQ(object->state() == QNPObject::kStateDestroyed, c.deleted) << c.at.x << "," << c.at.y;
        object->removeFromParent();
    }
    // Labels and living characters are never deleted; a dying character is.
    parameters()->horizontalViewMargin = 300;
    TestObject* label = TestObject::create(QNPObject::kKindLabel, CCPoint(-4000, 0));
    TestObject* hero = TestObject::create(QNPObject::kKindCharacter, CCPoint(-4000, 0));
    world->checkDeletion(label);
    world->checkDeletion(hero);
    EXPECT_EQ(label->state(), 0);
    EXPECT_EQ(hero->state(), 0);
    hero->setState(QNPObject::kStateDying);
    world->checkDeletion(hero);
    EXPECT_EQ(hero->state(), QNPObject::kStateDestroyed);
    (void)model;
}

TEST_F(WorldRuntime, AMagnetPullsPowerupsAndOneAtTheFocusPointStaysPut) {
    worldModel("W");
    QNPScreenScene* world = enter("W");
    TestObject* hero = TestObject::create(QNPObject::kKindCharacter, CCPoint(300, 300));
    world->gameLayer()->addChild(hero);
    world->characterCreated(hero);
    TestObject* onTop = TestObject::create(QNPObject::kKindPowerup, CCPoint(300, 300));
    TestObject* near = TestObject::create(QNPObject::kKindPowerup, CCPoint(500, 300));
    for (TestObject* p : {onTop, near}) {
        world->gameLayer()->addChild(p);
        p->makeBody(world->physicsWorld(), b2_staticBody);
    }
    world->setMagnet(true);
    world->update(kFrame);
    const b2Vec2 a = onTop->body()->GetPosition(), b = near->body()->GetPosition();
    EXPECT_TRUE(std::isfinite(a.x) && std::isfinite(a.y));
    EXPECT_NEAR(a.x, 300 * 0.05f, 1e-4);
    EXPECT_LT(b.x, 500 * 0.05f);
    EXPECT_GT(b.x, 300 * 0.05f);
}

} // namespace

TEST_F(WorldRuntime, SpawnedCopiesTakeTheSpawnersTransformInTheGameLayer) {
    worldModel("W");
    QNPScreenScene* world = enter("W");
    CCNode* layer = world->gameLayer();
    // A spawner carried by a moved, rotated and scaled holder at z-order 7.
    CCNode* holder = CCNode::create();
    holder->setPosition(CCPoint(100, 50));
    holder->setRotation(90);
    holder->setScale(2);
    layer->addChild(holder, 7);
    TestObject* spawner = TestObject::create(QNPObject::kKindUnit, CCPoint(10, 0));
    holder->addChild(spawner);
    TestObject* copy = TestObject::create(QNPObject::kKindUnit);
    copy->setZOrder(3);
    ASSERT_TRUE(world->addSpawned(copy, spawner));
    EXPECT_EQ(copy->getParent(), layer);
    EXPECT_NEAR(copy->getPositionX(), 100, 1e-3);
    EXPECT_NEAR(copy->getPositionY(), 30, 1e-3) << "rotated 90 degrees clockwise, scaled twice";
    EXPECT_NEAR(copy->getRotation(), 90, 1e-3);
    EXPECT_NEAR(copy->getScaleX(), 2, 1e-4);
    EXPECT_EQ(copy->getZOrder(), 10) << "its own z-order plus the holder's";
    EXPECT_EQ(copy->gameLayer(), layer);

    TestObject* loose = TestObject::create(QNPObject::kKindUnit);
    ASSERT_TRUE(world->addSpawned(loose, nullptr));
    EXPECT_EQ(loose->getZOrder(), 1000);
}
