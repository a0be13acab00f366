// The object factory: which runtime object each placed model becomes, the character selection,
// the powerup appearance draw and instances, through models read from real data files.

#include <cstdlib>

#include "ObjectTestSupport.h"
#include "model/QNPAttributeFloat.h"
#include "objects/QNModelCharacter.h"
#include "objects/QNModelObjectInstance.h"
#include "objects/QNModelPowerup.h"
#include "objects/QNPObjectAssetCharacter.h"
#include "objects/QNPObjectAssetUnit.h"
#include "objects/QNPObjectFactory.h"

using namespace cocos2d;
using namespace objecttest;
using modeltest::links;
using modeltest::model;

namespace {

const std::vector<CCPoint> kSquare = {{-20, -20}, {20, -20}, {20, 20}, {-20, 20}};

class ObjectFactoryTest : public ObjectTest {
protected:
    /// Character assets 60 (valid), 61 (empty shape), 62 (valid); placed characters 70 (on 62,
    /// at (100, 50), depth 3) and 71 (on 61).
    void writeCharacters() {
        writeData("QNModelAssetCharacter.0.attributes.xml",
                  model("QNModelAssetCharacter", 60, shapeAttr(1, kSquare)) +
                      model("QNModelAssetCharacter", 61) +
                      model("QNModelAssetCharacter", 62, shapeAttr(2, {{0, 0}, {15, 0}})));
        writeData("QNModelObjectAssetCharacter.0.attributes.xml",
                  model("QNModelObjectAssetCharacter", 70,
                        kv("zDepth", "3") + attr("Position", kv("value", "{100,50}")) +
                            attr("Opacity", kv("value", "0.5"))) +
                      model("QNModelObjectAssetCharacter", 71));
        writeData("QNModelObjectAssetCharacter.0.connections.xml",
                  links(70, attr("Asset", kv("value", "62"))) + links(71, attr("Asset", kv("value", "61"))));
    }
    QNModelObjectAssetPowerup* powerup(float chance) {
        auto* asset = make<QNModelAssetPowerup>("QNModelAssetPowerup");
        static_cast<QNPAttributeFloat*>(asset->attributeNamed(QNModelAssetPowerup::kAppearanceChance))
            ->set(chance);
        auto* placed = make<QNModelObjectAssetPowerup>("QNModelObjectAssetPowerup");
        placed->setAsset(asset);
        return placed;
    }
    /// A seed whose first rand() % 100 is (or is not) `value`.
    static unsigned seedWhereFirstDraw(bool equal, int value) {
        for (unsigned seed = 1; seed < 100000; ++seed) {
            std::srand(seed);
            if ((std::rand() % 100 == value) == equal) return seed;
        }
        ADD_FAILURE() << "no seed found";
        return 1;
    }
};

} // namespace

TEST_F(ObjectFactoryTest, TheSelectedCharacterAssetIsBuiltAtThePlacedTransform) {
    writeCharacters();
    loadAll();
    auto* placed = dynamic_cast<QNModelObjectAssetCharacter*>(controller()->modelById(70));
    ASSERT_NE(placed, nullptr);
    struct Case {
        int selected;
        unsigned expectedAsset; // 0: no character
    };
    const Case cases[] = {{0, 60}, {1, 0}, {2, 62}, {3, 62}, {-1, 62}, {99, 62}};
    for (const Case& c : cases) {
        env.selected = c.selected;
        env.created.clear();
        log.clear();
        auto* character = dynamic_cast<QNPObjectAssetCharacter*>(createObject(placed));
        if (!c.expectedAsset) {
            EXPECT_EQ(character, nullptr) << c.selected;
            EXPECT_TRUE(env.created.empty());
            continue;
        }
        ASSERT_NE(character, nullptr) << c.selected;
        EXPECT_EQ(character->kind(), QNPObject::kKindCharacter);
        EXPECT_TRUE(character->isSolid());
        EXPECT_EQ(character->destroyType(), 2);
        auto* built = dynamic_cast<QNModelObjectAssetCharacter*>(character->model());
        ASSERT_NE(built, nullptr);
        EXPECT_EQ(built->asset()->id(), c.expectedAsset) << c.selected;
        EXPECT_FLOAT_EQ(character->getPositionX(), 100.0f);
        EXPECT_FLOAT_EQ(character->getPositionY(), 50.0f);
        EXPECT_EQ(built->depth(), 3);
        EXPECT_FLOAT_EQ(built->opacity(), 0.5f);
        // A selected asset gets a new registered placed model; outside the list the placed one is used.
        const bool inList = c.selected >= 0 && c.selected < 3;
        EXPECT_EQ(built == placed, !inList) << c.selected;
        if (inList) {
            EXPECT_EQ(controller()->modelById(built->id()), built);
        }
        ASSERT_EQ(env.created.size(), 1u);
        EXPECT_EQ(env.created[0], character);
        EXPECT_TRUE(logHas("character created"));
    }
    // The placed character's own asset must be valid when the selection is outside the list.
    env.selected = 99;
    EXPECT_EQ(createObject(controller()->modelById(71)), nullptr);
}

TEST_F(ObjectFactoryTest, ACharacterGetsADynamicBodyThatOnlyMeetsCategoryOne) {
    writeCharacters();
    loadAll();
    env.selected = 0;
    auto* character = keep(dynamic_cast<QNPObjectAssetCharacter*>(createObject(controller()->modelById(70))));
    ASSERT_NE(character, nullptr);
    QNPGameplayParameters::shared()->fixedRotation = true;
    character->createBody(world.get(), true);
    b2Body* body = character->body();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetType(), b2_dynamicBody);
    EXPECT_TRUE(body->IsFixedRotation());
    const b2Filter& filter = body->GetFixtureList()->GetFilterData();
    EXPECT_EQ(filter.categoryBits, 2);
    EXPECT_EQ(filter.maskBits, 1);
    EXPECT_EQ(filter.groupIndex, -1);
    EXPECT_FALSE(body->GetFixtureList()->IsSensor());
    EXPECT_EQ(QNPObject::fromBody(body), character);
    EXPECT_EQ(QNPObject::fromFixture(body->GetFixtureList()), character);
    EXPECT_NEAR(body->GetPosition().x, 5.0f, 1e-5f);

    // The node follows the falling body.
    step(30);
    character->update(0.5f);
    EXPECT_LT(character->getPositionY(), 50.0f);
}

TEST_F(ObjectFactoryTest, PowerupsAppearByChance) {
    EXPECT_NE(createObject(powerup(100)), nullptr);
    EXPECT_NE(createObject(powerup(250)), nullptr);
    // Chance 0 still appears when the draw is 0.
    std::srand(seedWhereFirstDraw(true, 0));
    QNPObject* lucky = createObject(powerup(0));
    ASSERT_NE(lucky, nullptr);
    EXPECT_EQ(lucky->kind(), QNPObject::kKindPowerup);
    std::srand(seedWhereFirstDraw(false, 0));
    EXPECT_EQ(createObject(powerup(0)), nullptr);
    // Chance 50: a draw of 50 appears, 51 does not.
    std::srand(seedWhereFirstDraw(true, 50));
    EXPECT_NE(createObject(powerup(50)), nullptr);
    std::srand(seedWhereFirstDraw(true, 51));
    EXPECT_EQ(createObject(powerup(50)), nullptr);
    // Without an asset there is nothing to show.
    EXPECT_EQ(createObject(make<QNModel>("QNModelObjectAssetPowerup")), nullptr);
}

TEST_F(ObjectFactoryTest, EachClassMakesItsKindOrNothing) {
    QNModelAssetObstacle* asset = obstacle();
    QNModelObjectAssetUnit* placedUnit = unit(asset);
    QNPObject* u = createObject(placedUnit);
    ASSERT_NE(dynamic_cast<QNPObjectAssetUnit*>(u), nullptr);
    EXPECT_EQ(u->kind(), QNPObject::kKindUnit);
    EXPECT_EQ(createObject(unit(nullptr)), nullptr) << "a unit without an asset";

    struct Case {
        const char* className;
        int kind; // -1: no object
    };
    const Case cases[] = {
        {"QNModelObjectAssetLight", -1},
        {"QNModelObjectAssetLogic", QNPObject::kKindLogic},
        {"QNModelObjectAssetTrail", -1},
        {"QNModelObjectAssetFlag", -1},
        {"QNModelObjectAssetPath", QNPObject::kKindLogic},
        {"QNModelObjectAssetTeleport", QNPObject::kKindTeleport},
        {"QNModelObjectAssetGatekeeper", QNPObject::kKindLogic},
        {"QNModelObjectAssetMirror", -1},
        {"QNModelObjectAssetParticles", -1},
        {"QNModelObjectAssetScreenJump", QNPObject::kKindLogic},
        {"QNModelObjectImage", -1},
        {"QNModelObjectGroup", -1},
        {"QNModelObject", -1},
    };
    for (const Case& c : cases) {
        QNPObject* object = createObject(controller()->createModel(c.className));
        if (c.kind < 0) {
            EXPECT_EQ(object, nullptr) << c.className;
        } else {
            ASSERT_NE(object, nullptr) << c.className;
            EXPECT_EQ(object->kind(), c.kind) << c.className;
        }
    }
    EXPECT_EQ(createObject(nullptr), nullptr);

    // An instance places the referenced object with its own transform.
    auto* instance = make<QNModelObjectInstance>("QNModelObjectInstance");
    instance->setReference(placedUnit);
    instance->setPosition(ccp(300, 40));
    instance->setRotation(30);
    instance->setScale(ccp(2, -1));
    auto* placed = dynamic_cast<QNPObjectAssetUnit*>(createObject(instance));
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->model(), placedUnit);
    EXPECT_FLOAT_EQ(placed->getPositionX(), 300.0f);
    EXPECT_FLOAT_EQ(placed->getRotation(), 30.0f);
    EXPECT_FLOAT_EQ(placed->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(placed->getScaleY(), -1.0f);
}
