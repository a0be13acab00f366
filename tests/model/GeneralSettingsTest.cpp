// The general settings: attribute defaults, top-level keys, older keys, orientation, writing and
// the editor version.

#include "ModelTestSupport.h"
#include "model/QNDataText.h"
#include "model/QNModelGeneralSettings.h"
#include "model/QNPAttributeReference.h"

using namespace cocos2d;
using namespace modeltest;

class GeneralSettingsTest : public ModelTest {
protected:
    /// Loads a settings file holding `body` the way the shell does, and returns the settings.
    QNModelGeneralSettings* load(const std::string& body) {
        controller()->clean();
        writeData("QNModelGeneralSettings.0.attributes.xml", model("QNModelGeneralSettings", 1, body));
        EXPECT_EQ(controller()->loadData(project.file("data/QNModelGeneralSettings.0.attributes.xml"), false),
                  0);
        return dynamic_cast<QNModelGeneralSettings*>(
            controller()->firstModelOfClass("QNModelGeneralSettings"));
    }
};

TEST_F(GeneralSettingsTest, FreshSettingsHoldTheirDefaultsAndWriteThem) {
    QNModelGeneralSettings settings;
    EXPECT_EQ(QNModelGeneralSettings::generalSettings(), &settings);
    EXPECT_EQ(settings.attributeCount(), 47);
    EXPECT_EQ(settings.attributeAt(46)->name(), "Jump Key");
    EXPECT_EQ(settings.applicationName(), "Untitled");
    EXPECT_EQ(settings.versionNumber(), "1.0");
    EXPECT_EQ(settings.gamePreset(), "Default");
    EXPECT_FALSE(settings.attributeNamed("Build Date")->isVisible());
    EXPECT_TRUE(settings.iconAttribute()->containerFlag());
    EXPECT_FLOAT_EQ(settings.gameSpeedMin(), 3.0f);
    EXPECT_FLOAT_EQ(settings.gameSpeedIncrease(), 0.1f);
    EXPECT_EQ(settings.gravity(), CCPoint(0, -50));
    EXPECT_EQ(settings.characterFriction(), CCPoint(0.8f, 1.0f));
    EXPECT_TRUE(settings.forcedMovement());
    EXPECT_FLOAT_EQ(settings.sidesDeletionThreshold(), 550.0f);
    EXPECT_EQ(settings.moveUpKey(), 0x01000013);
    EXPECT_EQ(settings.moveLeftKey(), 0x01000012);
    EXPECT_EQ(settings.motorCWKey(), 'X');
    EXPECT_EQ(settings.rotateLeftKey(), ',');
    EXPECT_EQ(settings.shootKey(), ' ');
    EXPECT_EQ(settings.scoreType(), "Distance");
    EXPECT_EQ(settings.shareScreen(), "Game Field Screen");
    EXPECT_EQ(settings.isPortrait(), 1);
    EXPECT_EQ(settings.designSize().width, 640.0f);

    CCDictionary* stored = settings.attributesDictionary();
    EXPECT_EQ(qn::textFor(stored, "orientation"), "QNPScreenOrientationPortrait");
    EXPECT_EQ(qn::textFor(stored, "objectFrameRect"), "{{0.0000,0.0000},{1.0000,1.0000}}");
    EXPECT_EQ(qn::textFor(stored, "className"), "QNModelGeneralSettings");
    EXPECT_EQ(qn::textFor(stored, "scoreType"), "Distance");
    EXPECT_EQ(qn::textFor(stored, "objectFrameEdgeState_3"), "0");
    EXPECT_NE(stored->objectForKey("platformSpecificValues"), nullptr);
    EXPECT_EQ(stored->objectForKey("gameSpeedMin"), nullptr) << "older keys are never written";
    // A float at its default has nothing to store and is left out; keys always write their code.
    EXPECT_EQ(stored->objectForKey("Game Speed Min"), nullptr);
    auto* jumpKey = dynamic_cast<CCDictionary*>(stored->objectForKey("Jump Key"));
    ASSERT_NE(jumpKey, nullptr);
    EXPECT_EQ(qn::textFor(jumpKey, "value"), "74");
}

TEST_F(GeneralSettingsTest, OrientationIsLandscapeOnlyForTheExactKey) {
    const struct {
        const char* stored;
        int portrait;
        float width;
    } cases[] = {
        {"QNPScreenOrientationLandscape", 0, 1136.0f},
        {"QNPScreenOrientationPortrait", 1, 640.0f},
        {"landscape", 1, 640.0f},
        {nullptr, 1, 640.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        QNModelGeneralSettings* settings = load(c.stored ? kv("orientation", c.stored) : "");
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(settings->isPortrait(), c.portrait);
        EXPECT_EQ(settings->designSize().width, c.width);
        EXPECT_EQ(settings->designSize().height, c.portrait ? 1136.0f : 640.0f);
    }
}

TEST_F(GeneralSettingsTest, TopLevelAndOlderKeysAreAppliedAfterTheAttributes) {
    QNModelGeneralSettings* settings = load(
        attr("Game Speed Min", kv("value", "4")) + attr("Game Speed Max", kv("value", "20")) +
        attr("Application Name", kv("value", "From attribute")) + attr("Jump Key", kv("value", "75")) +
        kv("gameSpeedMin", "6.5") + kv("gameSpeedIncrease", "") + kv("applicationName", "Runner") +
        kv("resetText", "Sure?") + kv("gameplayAngleDirection", "45") + kv("moveUpKey", "87") +
        kv("shootKey", "") + kv("lastIdNumber", "321") + kv("_yrVersion", "2.3.1") +
        kv("objectFrameEdgeState_2", "3") + kv("objectFrameRect", "{{1,2},{30,40}}") +
        kv("screenAdjustment", "2") + "<key>platformSpecificValues</key><dict>" + kv("ios", "x") + "</dict>");
    ASSERT_NE(settings, nullptr);
    EXPECT_FLOAT_EQ(settings->gameSpeedMin(), 6.5f);
    EXPECT_FLOAT_EQ(settings->gameSpeedMax(), 20.0f);
    EXPECT_FLOAT_EQ(settings->gameSpeedIncrease(), 0.1f) << "an empty older key is not applied";
    EXPECT_EQ(settings->applicationName(), "Runner");
    EXPECT_EQ(settings->resetText(), "Sure?");
    EXPECT_FLOAT_EQ(settings->gameAngleDirection(), 45.0f);
    EXPECT_EQ(settings->moveUpKey(), 87);
    EXPECT_EQ(settings->shootKey(), 32);
    EXPECT_EQ(settings->jumpKey(), 75);
    EXPECT_EQ(settings->lastIdNumber(), 321u);
    EXPECT_EQ(settings->objectFrameEdgeState(2), 3);
    EXPECT_EQ(settings->objectFrameRect().size.height, 40.0f);
    EXPECT_EQ(settings->screenAdjustment(), 2);
    EXPECT_EQ(qn::textFor(settings->platformSpecificValues(), "ios"), "x");
    // Absent score type and share screen read empty, not the constructor's values.
    EXPECT_EQ(settings->scoreType(), "");
    EXPECT_EQ(settings->shareScreen(), "");
    CCDictionary* stored = settings->attributesDictionary();
    EXPECT_EQ(qn::textFor(stored, "objectFrameRect"), "{{1.0000,2.0000},{30.0000,40.0000}}");
    EXPECT_EQ(qn::textFor(stored, "_yrVersion"), "2.3.1");
    EXPECT_EQ(qn::textFor(stored, "lastIdNumber"), "321");

    int major = 0, minor = 0, patch = 0;
    QNModelController::parseYrVersion(major, minor, patch);
    EXPECT_EQ(major, 2);
    EXPECT_EQ(minor, 3);
    EXPECT_EQ(patch, 1);
}

TEST_F(GeneralSettingsTest, EditorVersionParsingAndTheAccessorAfterCleaning) {
    const struct {
        const char* text;
        int major, minor, patch;
    } cases[] = {
        {"2.1.5", 2, 1, 5}, {"1.9", 1, 9, 0},  {"3", 3, 0, 0},
        {"", 2, 0, 0},      {"beta", 2, 0, 0}, {"1.x.7", 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        load(kv("_yrVersion", c.text));
        int major = -1, minor = -1, patch = -1;
        QNModelController::parseYrVersion(major, minor, patch);
        EXPECT_EQ(major, c.major);
        EXPECT_EQ(minor, c.minor);
        EXPECT_EQ(patch, c.patch);
    }

    ASSERT_NE(QNModelGeneralSettings::generalSettings(), nullptr);
    controller()->clean();
    EXPECT_EQ(QNModelGeneralSettings::generalSettings(), nullptr) << "never a destroyed model";
    int major = -1, minor = -1, patch = -1;
    QNModelController::parseYrVersion(major, minor, patch);
    EXPECT_EQ(major, 2);
    EXPECT_EQ(minor, 0);
    EXPECT_EQ(patch, 0);
}

TEST_F(GeneralSettingsTest, ReadingDiscardsTheWorldsCachedSettings) {
    int reads = 0;
    QNModelGeneralSettings::setSettingsReadHook([&reads]() { ++reads; });
    load("");
    EXPECT_EQ(reads, 1);
    QNModelGeneralSettings::setSettingsReadHook(nullptr);
}
