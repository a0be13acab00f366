// World, level-section and linker models read from real data files: effective values and the
// migration of legacy attributes into components, the frame keys, section queries, linkers and
// the clone of a section.

#include <gtest/gtest.h>

#include "../model/ModelTestSupport.h"
#include "model/QNDataText.h"
#include "model/QNPAttributeFloat.h"
#include "world/QNModelLevelSection.h"
#include "world/QNModelLinker.h"
#include "world/QNModelScreenScene.h"
#include "world/QNModelWorldComponents.h"

namespace {

using modeltest::attr;
using modeltest::kv;
using modeltest::links;
using modeltest::model;

std::string floatAttr(const std::string& name, float value) {
    return attr(name, kv("value", std::to_string(value)));
}

class WorldModel : public modeltest::ModelTest {
protected:
    QNModelScreenScene* world(unsigned id) {
        return dynamic_cast<QNModelScreenScene*>(controller()->modelById(id));
    }
    QNModelLevelSection* section(unsigned id) {
        return dynamic_cast<QNModelLevelSection*>(controller()->modelById(id));
    }
    std::string sectionModel(unsigned id, int parent, const std::string& body = "") {
        return model("QNModelLevelSection", id, kv("parentScreenId", std::to_string(parent)) + body);
    }
};

TEST_F(WorldModel, LegacyValuesBecomeComponentsOnlyWhenTheyDifferFromTheDefaults) {
    struct Case {
        std::string body;
        bool forced, threshold;
        float speedMin, speedMax, increase, back, sides;
    } cases[] = {
        {"", false, false, 0, 0, 0, 300, 550},
        {floatAttr("Game Speed Max", 7), true, false, 0, 7, 0, 300, 550},
        {floatAttr("Sides Deletion Threshold", -1), false, true, 0, 0, 0, 300, -1},
        {floatAttr("Speed Increase", 0.5f) + floatAttr("Back Deletion Threshold", 120), true, true, 0, 0,
         0.5f, 120, 550},
    };
    for (const Case& c : cases) {
        controller()->clean();
        writeData("QNModelScreenScene.0.attributes.xml",
                  model("QNModelScreenScene", 5, kv("key", "W") + c.body));
        writeData("QNModelScreenScene.0.connections.xml", links(5, ""));
        loadAll();
        QNModelScreenScene* w = world(5);
        ASSERT_NE(w, nullptr);
        SCOPED_TRACE(c.body);
        EXPECT_EQ(w->forcedMovement() != nullptr, c.forced);
        EXPECT_EQ(w->deletionThreshold() != nullptr, c.threshold);
        EXPECT_FLOAT_EQ(w->speedMinimum(), c.speedMin);
        EXPECT_FLOAT_EQ(w->speedMaximum(), c.speedMax);
        EXPECT_FLOAT_EQ(w->speedIncrease(), c.increase);
        EXPECT_FLOAT_EQ(w->backDeletionThreshold(), c.back);
        EXPECT_FLOAT_EQ(w->sidesDeletionThreshold(), c.sides);
        // The legacy attributes stay hidden whatever the file said.
        for (const char* name : {"Game Speed Min", "Game Speed Max", "Speed Increase",
                                 "Back Deletion Threshold", "Sides Deletion Threshold"})
            EXPECT_FALSE(w->floatAttribute(name)->isVisible()) << name;
        EXPECT_TRUE(w->floatAttribute("Friction")->isVisible());
    }
}

TEST_F(WorldModel, AComponentChildWinsOverTheLegacyAttributes) {
    writeData("QNModelScreenScene.0.attributes.xml",
              model("QNModelScreenScene", 5, kv("key", "W") + floatAttr("Game Speed Min", 1)));
    writeData(
        "QNModelComponentForcedMovement.0.attributes.xml",
        model("QNModelComponentForcedMovement", 6, floatAttr("Froce Min", 4) + floatAttr("Force Max", 8)));
    writeData("QNModelScreenScene.0.connections.xml",
              links(5, "<key>children</key><array><string>6</string></array>"));
    loadAll();
    QNModelScreenScene* w = world(5);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->forcedMovement(), controller()->modelById(6));
    EXPECT_FLOAT_EQ(w->speedMinimum(), 4);
    EXPECT_FLOAT_EQ(w->speedMaximum(), 8);
    EXPECT_FLOAT_EQ(w->speedIncrease(), 0.1f);
    w->removeChild(w->forcedMovement());
    EXPECT_EQ(w->forcedMovement(), nullptr);
    EXPECT_FLOAT_EQ(w->speedMinimum(), 1);
}

TEST_F(WorldModel, VersionOneProjectsGiveNewWorldsTheOldSpeeds) {
    auto* fresh = new QNModelScreenScene();
    EXPECT_FLOAT_EQ(fresh->speedMinimum(), 0); // no settings: version 2.0.0
    fresh->release();
    writeData("QNModelGeneralSettings.0.attributes.xml",
              model("QNModelGeneralSettings", 1, kv("_yrVersion", "1.4.2")));
    loadAll();
    auto* old = new QNModelScreenScene();
    EXPECT_FLOAT_EQ(old->speedMinimum(), 3);
    EXPECT_FLOAT_EQ(old->speedMaximum(), 10);
    EXPECT_FLOAT_EQ(old->speedIncrease(), 0.1f);
    old->release();
}

TEST_F(WorldModel, FrameRectAndEdgeStatesRoundTrip) {
    writeData("QNModelScreenScene.0.attributes.xml",
              model("QNModelScreenScene", 5,
                    kv("key", "W") + kv("objectFrameRect", "{{0.25,0.1},{0.5,0.8}}") +
                        kv("objectFrameEdgeState_1", "2") + kv("objectFrameEdgeState_2", "1") +
                        kv("objectFrameEdgeState_3", "")));
    loadAll();
    QNModelScreenScene* w = world(5);
    ASSERT_NE(w, nullptr);
    EXPECT_FLOAT_EQ(w->objectFrameRect().origin.x, 0.25f);
    EXPECT_FLOAT_EQ(w->objectFrameRect().size.height, 0.8f);
    EXPECT_EQ(w->edgeState(0), 0);
    EXPECT_EQ(w->edgeState(1), 2);
    EXPECT_EQ(w->edgeState(2), 1);
    EXPECT_EQ(w->edgeState(3), 0);
    EXPECT_EQ(w->edgeState(4), 0);
    EXPECT_EQ(w->edgeState(-1), 0);
    cocos2d::CCDictionary* saved = w->attributesDictionary();
    EXPECT_EQ(qn::textFor(saved, "objectFrameRect"), "{{0.2500,0.1000},{0.5000,0.8000}}");
    EXPECT_EQ(qn::textFor(saved, "objectFrameEdgeState_1"), "2");
    auto* fresh = new QNModelScreenScene();
    EXPECT_FLOAT_EQ(fresh->objectFrameRect().size.width, 1);
    fresh->release();
}

TEST_F(WorldModel, SectionsBelongToTheirWorldInControllerOrderAndSkipBadEntries) {
    writeData("QNModelScreenScene.0.attributes.xml", model("QNModelScreenScene", 5, kv("key", "W")) +
                                                         model("QNModelScreenScene", 6, kv("key", "V")));
    writeData("QNModelLevelSection.0.attributes.xml",
              sectionModel(20, 5, kv("solo", "1") + floatAttr("Width", 300)) + sectionModel(21, 6) +
                  sectionModel(22, 5, kv("initSection", "true")) + sectionModel(23, 99));
    writeData("QNModelObjectAssetUnit.0.attributes.xml",
              model("QNModelObjectAssetUnit", 30) + model("QNModelObjectAssetUnit", 31));
    writeData("QNModelLinker.0.attributes.xml", model("QNModelLinker", 40));
    writeData("QNModelLinker.0.connections.xml", links(40, kv("objectA", "30")));
    writeData("QNModelLevelSection.0.connections.xml",
              links(20, "<key>children</key><array><string>30</string><string>777</string><string>31</string>"
                        "</array><key>childLinkers</key><array><string>40</string><string>31</string>"
                        "<string>888</string></array>") +
                  links(22, "<key>children</key><array><string>31</string></array>"));
    loadAll();
    auto sections = QNModelLevelSection::sectionsOfWorld(5);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0]->id(), 20u);
    EXPECT_EQ(sections[1]->id(), 22u);
    EXPECT_TRUE(QNModelLevelSection::sectionsOfWorld(99).size() == 1);
    EXPECT_TRUE(sections[0]->isSolo());
    EXPECT_TRUE(sections[1]->isInitSection());
    EXPECT_FLOAT_EQ(sections[0]->endDistance(), -1);
    EXPECT_EQ(sections[0]->siblingIndex(), 0);
    EXPECT_EQ(sections[1]->siblingIndex(), 1);
    EXPECT_EQ(section(21)->siblingIndex(), 0);
    ASSERT_EQ(sections[0]->children().size(), 2u); // the unknown id 777 is skipped
    // Only the real linker is kept: a unit id and a dangling id are not linkers.
    ASSERT_EQ(sections[0]->childLinkers().size(), 1u);
    QNModelLinker* linker = sections[0]->childLinkers()[0];
    EXPECT_EQ(linker->objectA(), controller()->modelById(30));
    EXPECT_EQ(linker->objectB(), nullptr);
    EXPECT_FLOAT_EQ(linker->torque(), 200);
    EXPECT_EQ(qn::textFor(linker->connectionsDictionary(), "objectB"), "");

    // Children of a class: sections first (in order), then the world's own.
    QNModelScreenScene* w = world(5);
    auto units = w->childrenOfClass("QNModelObjectAssetUnit");
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[0]->id(), 30u);
    EXPECT_EQ(units[2]->id(), 31u);
    section(22)->setExcluded(true);
    EXPECT_TRUE(controller()->modelById(31)->isExcluded());
    EXPECT_EQ(QNModelLevelSection::sectionsOfWorld(5).size(), 1u);
    EXPECT_EQ(w->childrenOfClass("QNModelObjectAssetUnit").size(), 2u);
}

TEST_F(WorldModel, ACloneKeepsFlagsAndRelinksOnlyFullyClonedLinkers) {
    writeData("QNModelLevelSection.0.attributes.xml",
              sectionModel(20, 5,
                           kv("solo", "1") + kv("muted", "1") + kv("initSection", "1") +
                               floatAttr("Width", 300) + floatAttr("Start Distance", 50) +
                               floatAttr("Play Cooldown", 2)) +
                  sectionModel(21, 5));
    writeData("QNModelObjectAssetUnit.0.attributes.xml", model("QNModelObjectAssetUnit", 30) +
                                                             model("QNModelObjectAssetUnit", 31) +
                                                             model("QNModelObjectAssetUnit", 32));
    writeData("QNModelLinker.0.attributes.xml",
              model("QNModelLinker", 40, floatAttr("Speed", 3)) + model("QNModelLinker", 41));
    writeData("QNModelLinker.0.connections.xml", links(40, kv("objectA", "30") + kv("objectB", "31")) +
                                                     links(41, kv("objectA", "30") + kv("objectB", "32")));
    writeData("QNModelLevelSection.0.connections.xml",
              links(20, "<key>children</key><array><string>30</string><string>31</string></array>"
                        "<key>childLinkers</key><array><string>40</string><string>41</string></array>"));
    loadAll();
    QNModelLevelSection* copy = section(20)->clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->displayName(), "Untitled");
    EXPECT_TRUE(copy->isSolo());
    EXPECT_TRUE(copy->isMuted());
    EXPECT_TRUE(copy->isInitSection());
    EXPECT_FLOAT_EQ(copy->width(), 300);
    EXPECT_FLOAT_EQ(copy->startDistance(), 50);
    EXPECT_FLOAT_EQ(copy->playCooldown(), 2);
    EXPECT_EQ(copy->parentScreenId(), 5);
    auto sections = QNModelLevelSection::sectionsOfWorld(5);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[1], copy); // registered right after its original
    ASSERT_EQ(copy->children().size(), 2u);
    EXPECT_NE(copy->children()[0], controller()->modelById(30));
    ASSERT_EQ(copy->childLinkers().size(), 1u); // 41 links to an object outside the section
    EXPECT_EQ(copy->childLinkers()[0]->objectA(), copy->children()[0]);
    EXPECT_EQ(copy->childLinkers()[0]->objectB(), copy->children()[1]);
    EXPECT_FLOAT_EQ(copy->childLinkers()[0]->speed(), 3);
}

TEST_F(WorldModel, WorldLookupByKeyCreatesMissingWorldsWithFreshKeys) {
    writeData("QNModelScreenScene.0.attributes.xml",
              model("QNModelScreenScene", 5, kv("key", "QNPScreenScene 1")));
    loadAll();
    EXPECT_EQ(QNModelScreenScene::worldForKey("QNPScreenScene 1"), world(5));
    QNModelScreenScene* named = QNModelScreenScene::worldForKey("Elsewhere");
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->key(), "Elsewhere");
    EXPECT_EQ(named->displayName(), "Untitled");
    EXPECT_EQ(QNModelScreenScene::worldForKey("Elsewhere"), named);
    EXPECT_EQ(QNModelScreenScene::worldForKey("")->key(), "QNPScreenScene 2");
    EXPECT_EQ(QNModelScreenScene::worldForKey("")->key(), "QNPScreenScene 3");
}

TEST_F(WorldModel, ACopiedWorldGetsAFreshKeyAndCopiesOfItsSections) {
    writeData("QNModelScreenScene.0.attributes.xml",
              model("QNModelScreenScene", 5,
                    kv("key", "W") + kv("objectFrameEdgeState_0", "1") + floatAttr("Time Warp", 2)));
    writeData("QNModelLevelSection.0.attributes.xml", sectionModel(20, 5, floatAttr("Width", 120)));
    loadAll();
    QNModel* copy = world(5)->duplicate();
    auto* w = dynamic_cast<QNModelScreenScene*>(copy);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->key(), "QNPScreenScene 1");
    EXPECT_EQ(w->edgeState(0), 1);
    EXPECT_FLOAT_EQ(w->timeWarp(), 2);
    auto sections = QNModelLevelSection::sectionsOfWorld((int)w->id());
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_FLOAT_EQ(sections[0]->width(), 120);
    EXPECT_EQ(QNModelLevelSection::sectionsOfWorld(5).size(), 1u);
}

} // namespace
