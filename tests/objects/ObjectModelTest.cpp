// Object and asset models read from real data files: instances (dangling and cyclic references),
// groups, units with their spawner and wake-up components, and the gameplay parameters.

#include "ObjectTestSupport.h"
#include "model/QNDataText.h"
#include "model/QNModelGeneralSettings.h"
#include "model/QNPAttributePoint.h"
#include "objects/QNModelCharacter.h"
#include "objects/QNModelObjectGroup.h"
#include "objects/QNModelObjectInstance.h"
#include "objects/QNPObjectFactory.h"

using namespace cocos2d;
using namespace objecttest;
using modeltest::links;
using modeltest::model;

namespace {

class ObjectModelTest : public ObjectTest {
protected:
    static std::string instance(unsigned id, const std::string& reference) {
        return model("QNModelObjectInstance", id, reference.empty() ? "" : kv("reference", reference));
    }
    static std::string idArray(const char* key, std::initializer_list<const char*> ids) {
        std::string s = std::string("<key>") + key + "</key><array>";
        for (const char* id : ids) s += std::string("<string>") + id + "</string>";
        return s + "</array>";
    }
    /// A unit (id 20) on obstacle 10 with a spawner (21) and a wake-up component (22).
    void writeUnitProject() {
        writeData(
            "QNModelAssetObstacle.0.attributes.xml",
            model("QNModelAssetObstacle", 10, shapeAttr(1, {{-20, -20}, {20, -20}, {20, 20}, {-20, 20}})));
        writeData(
            "QNModelObjectAssetUnit.0.attributes.xml",
            model("QNModelObjectAssetUnit", 20,
                  kv("zDepth", "7") + attr("Object Type", kv("selectedStringValue", "kEnemyObjectType"))));
        writeData("QNModelObjectAssetUnit.0.connections.xml",
                  links(20, attr("Asset", kv("value", "10")) + idArray("components", {"21", "22"})));
        writeData("QNModelComponentSpawner.0.attributes.xml",
                  model("QNModelComponentSpawner", 21, attr("Spawn Rate", kv("value", "0.5"))));
        writeData("QNModelComponentWakeup.0.attributes.xml",
                  model("QNModelComponentWakeup", 22,
                        attr("Wake Up", kv("selectedStringValue", "kCollisionBasedWakeup"))));
    }
};

} // namespace

TEST_F(ObjectModelTest, InstancesResolveByIdAndCyclesOrDanglingReferencesCreateNothing) {
    writeUnitProject();
    writeData("QNModelObjectInstance.0.attributes.xml",
              instance(40, "20") + instance(41, "40") + instance(42, "42") + instance(43, "44") +
                  instance(44, "43") + instance(45, "999") + instance(46, "") + instance(47, "43") +
                  instance(48, "x"));
    loadAll();
    auto get = [this](unsigned id) {
        return dynamic_cast<QNModelObjectInstance*>(controller()->modelById(id));
    };
    ASSERT_TRUE(get(40) && get(41) && get(42) && get(43) && get(45) && get(46) && get(47) && get(48));

    EXPECT_EQ(get(40)->reference(), controller()->modelById(20));
    EXPECT_EQ(get(41)->finalReference(), controller()->modelById(20));
    // Queries forward along the chain.
    EXPECT_TRUE(get(40)->hasSpawner());
    EXPECT_TRUE(get(41)->hasSpawner());
    EXPECT_FLOAT_EQ(get(41)->spawnInterval(), 0.5f);

    // Self reference, a two-instance loop, a chain into a loop, a missing model, no or bad text.
    for (unsigned id : {42u, 43u, 44u, 45u, 46u, 47u, 48u}) {
        EXPECT_EQ(get(id)->reference(), nullptr) << id;
        EXPECT_FALSE(get(id)->hasSpawner()) << id;
        EXPECT_EQ(get(id)->contentSize().width, 0.0f) << id;
        EXPECT_EQ(createObject(get(id)), nullptr) << id;
    }
    EXPECT_NE(createObject(get(41)), nullptr);

    // "reference" is written only when set; a copy keeps a reference that resolves and forgets
    // one that does not.
    EXPECT_EQ(qn::textFor(get(40)->attributesDictionary(), "reference"), "20");
    EXPECT_FALSE(qn::isPresent(get(46)->attributesDictionary(), "reference"));
    auto* copy = dynamic_cast<QNModelObjectInstance*>(get(40)->duplicate());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->reference(), controller()->modelById(20));
    auto* lost = dynamic_cast<QNModelObjectInstance*>(get(45)->duplicate());
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->referenceId(), -1);
}

TEST_F(ObjectModelTest, GroupsResolveTheirMembersAndNoticeTheCharacter) {
    writeUnitProject();
    writeData("QNModelObjectAssetCharacter.0.attributes.xml", model("QNModelObjectAssetCharacter", 30));
    writeData("QNModelObjectGroup.0.attributes.xml",
              model("QNModelObjectGroup", 50,
                    idArray("objects", {"20", "999", "30", "20"}) +
                        attr("Auto Depth Sorting", kv("value", "1")) +
                        attr("Sort Direction", kv("selectedStringValue", "gAxisY"))) +
                  model("QNModelObjectGroup", 51, idArray("objects", {"20"})));
    loadAll();
    auto* group = dynamic_cast<QNModelObjectGroup*>(controller()->modelById(50));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->members().size(), 2u) << "the unknown id and the repeat are skipped";
    EXPECT_EQ(group->members()[0], controller()->modelById(20));
    EXPECT_TRUE(group->containsCharacter());
    EXPECT_TRUE(group->autoDepthSorting());
    EXPECT_TRUE(group->sortsAlongY());
    EXPECT_TRUE(group->sortsAscending());
    auto* single = dynamic_cast<QNModelObjectGroup*>(controller()->modelById(51));
    ASSERT_NE(single, nullptr);
    EXPECT_FALSE(single->containsCharacter());
    EXPECT_FALSE(single->autoDepthSorting());
}

TEST_F(ObjectModelTest, UnitModelsReadTheirTypesComponentsAndPresets) {
    writeUnitProject();
    loadAll();
    auto* unit = dynamic_cast<QNModelObjectAssetUnit*>(controller()->modelById(20));
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->depth(), 7);
    EXPECT_EQ(unit->objectType(), "kEnemyObjectType");
    // Loading does not apply the presets: the stored (default) values stand.
    EXPECT_EQ(unit->destroyTypeKey(), "kDestroyNo");
    EXPECT_EQ(unit->collisionType(), "kCharacterCollision");
    ASSERT_NE(unit->obstacle(), nullptr);
    EXPECT_TRUE(unit->obstacle()->isValidAtScale(1, 1));
    EXPECT_TRUE(unit->hasSpawner());
    EXPECT_FLOAT_EQ(unit->spawnInterval(), 0.5f);
    ASSERT_NE(unit->wakeup(), nullptr);
    EXPECT_EQ(unit->wakeup()->wakeUp(), "kCollisionBasedWakeup");
    EXPECT_EQ(unit->spawner()->spawnAction(), "kPermanentSpawning");

    // Editor presets.
    unit->setObjectType("kBulletCharacterObjectType");
    EXPECT_EQ(unit->collisionType(), "kNoCollision");
    EXPECT_EQ(unit->destroyTypeKey(), "kDestroyEnemyCollision");
    EXPECT_FLOAT_EQ(unit->linearVelocityAttribute()->value().x, 20.0f);
    unit->setObjectType("kWheelObjectType");
    EXPECT_EQ(unit->movementType(), "kMovementPhysics");
    EXPECT_FLOAT_EQ(unit->linearVelocityAttribute()->value().x, 20.0f) << "velocities unchanged";

    auto* plain = make<QNModelObjectAssetUnit>("QNModelObjectAssetUnit");
    EXPECT_FALSE(plain->hasSpawner());
    EXPECT_FLOAT_EQ(plain->spawnInterval(), 1.0f);
}

TEST_F(ObjectModelTest, GameplayParametersStartFromTheSettingsAndTakeTheCharacterSettings) {
    writeData("QNModelGeneralSettings.0.attributes.xml", model("QNModelGeneralSettings", 1));
    loadAll();
    QNPGameplayParameters* p = QNPGameplayParameters::shared();
    p->resetFromSettings();
    auto* settings = QNModelGeneralSettings::generalSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_FLOAT_EQ(p->velocityFactor, 1.0f - settings->velocityScale());
    EXPECT_FLOAT_EQ(p->friction, settings->friction());

    auto* gameplay =
        make<QNModelComponentCharacterGameplaySettings>("QNModelComponentCharacterGameplaySettings");
    p->applyCharacterSettings(gameplay);
    EXPECT_FLOAT_EQ(p->moveSpeed.x, 27.0f);
    EXPECT_FLOAT_EQ(p->bounceForce.y, 50.0f);
    EXPECT_TRUE(p->forcedMovement);

    // Direction of travel: angle -(game angle direction).
    p->gameAngleDirection = 90.0f;
    EXPECT_NEAR(p->directionVector().x, 0.0f, 1e-6f);
    EXPECT_NEAR(p->directionVector().y, -1.0f, 1e-6f);

    // Nested saves: only the outermost restore puts the values back; the world's own values stay.
    p->save();
    p->friction = 0.7f;
    p->save();
    p->friction = 0.9f;
    p->currentGameSpeed = 12.0f;
    p->restore();
    EXPECT_FLOAT_EQ(p->friction, 0.9f);
    p->restore();
    EXPECT_FLOAT_EQ(p->friction, settings->friction());
    EXPECT_FLOAT_EQ(p->currentGameSpeed, 12.0f);
    p->restore(); // unbalanced: nothing
    EXPECT_EQ(p->saveCount(), 0);
}
