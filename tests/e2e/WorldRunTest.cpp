// A small world played through the player binary, headless with scripted input and dumps: the
// distance grows by the game speed every frame, the pause screen freezes it, the back key goes
// back to the HUD and the world runs on, with no runtime objects left behind.

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "../navigation/NavProject.h"
#include "TestSupport.h"

namespace {

using navtest::kv;
using qntest::shellQuote;

class WorldRun : public ::testing::Test {
protected:
    /// Start → world "QNPWorldOne" (speed 4, a frame wider than the view) with a HUD and a pause
    /// screen; plays `frames` frames with `input`.
    qntest::RunResult play(int frames, const std::string& input, bool withCharacter = false) {
        navtest::NavProject project;
        const unsigned start = project.node("QNNodeUIStart", project.screen("QNPScreenLoading"));
        const unsigned worldId = project.world("QNPWorldOne", {900});
        const unsigned world = project.node("QNNodeScene", worldId);
        const unsigned hud = project.node("QNNodeUI", project.screen("QNPScreenHud"));
        project.link(start, "Load", world);
        project.link(world, "UI", hud);
        project.link(hud, "Pause", project.node("QNNodeUI", project.screen("QNPScreenPause")));
        project.write(m_game);
        // The world's own keys and its forced movement (min = max = 4).
        const std::string worldFile = m_game.file("data/QNModelScreenScene.0.attributes.xml");
        std::string text = qntest::readFile(worldFile);
        const std::string keyEntry = kv("key", "QNPWorldOne");
        text.replace(text.find(keyEntry), keyEntry.size(),
                     keyEntry + kv("objectFrameRect", "{{-100,-100},{200,200}}"));
        m_game.write("data/QNModelScreenScene.0.attributes.xml", text);
        auto attr = [](const std::string& name, const std::string& value) {
            return navtest::attr(name, kv("value", value));
        };
        m_game.write("data/QNModelComponentForcedMovement.0.attributes.xml",
                     navtest::dataFile("<dict>" + kv("className", "QNModelComponentForcedMovement") +
                                       kv("id", "900") + attr("Froce Min", "4") + attr("Force Max", "4") +
                                       attr("Force Increase", "0") + "</dict>"));
        if (withCharacter) {
            // A start section (800 wide) holding a placed character on a square character asset.
            m_game.write("data/QNModelLevelSection.0.attributes.xml",
                         navtest::dataFile("<dict>" + kv("className", "QNModelLevelSection") +
                                           kv("id", "901") + kv("parentScreenId", std::to_string(worldId)) +
                                           attr("Width", "800") + attr("End Distance", "800") + "</dict>"));
            m_game.write("data/QNModelLevelSection.0.connections.xml",
                         navtest::dataFile("<dict>" + kv("id", "901") +
                                           "<key>children</key><array><string>903</string></array></dict>"));
            m_game.write(
                "data/QNModelAssetCharacter.0.attributes.xml",
                navtest::dataFile(
                    "<dict>" + kv("className", "QNModelAssetCharacter") + kv("id", "902") +
                    navtest::attr("Collision Shape", kv("shapeType", "1") +
                                                         "<key>points</key><array><string>{-20,-20}</string>"
                                                         "<string>{20,-20}</string><string>{20,20}</string>"
                                                         "<string>{-20,20}</string></array>") +
                    "</dict>"));
            m_game.write("data/QNModelObjectAssetCharacter.0.attributes.xml",
                         navtest::dataFile("<dict>" + kv("className", "QNModelObjectAssetCharacter") +
                                           kv("id", "903") + attr("Position", "{300,320}") + "</dict>"));
            m_game.write("data/QNModelObjectAssetCharacter.0.connections.xml",
                         navtest::dataFile("<dict>" + kv("id", "903") + attr("Asset", "902") + "</dict>"));
        }
        return qntest::playScripted(m_dir, m_game.path(), frames, input);
    }
    std::string dump(const std::string& name) const { return qntest::readFile(m_dir.file(name)); }
    /// The world record's current distance in a dump.
    static double distance(const std::string& state) {
        static const std::regex pattern("\"world\": \\{\"distance\": \\{\"current\": ([-0-9.e+]+)");
        std::smatch match;
        if (!std::regex_search(state, match, pattern)) return -1;
        return std::stod(match[1]);
    }

    qntest::TempDir m_dir;
    qntest::TempDir m_game;
};

TEST_F(WorldRun, DistanceGrowsByTheSpeedPauseFreezesItAndBackResumes) {
    auto result = play(330, "250 dump a.json\n260 dump b.json\n270 window minimize\n275 dump c.json\n"
                            "285 dump d.json\n290 window restore\n295 keypad back\n300 dump e.json\n"
                            "310 dump f.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string a = dump("a.json"), b = dump("b.json"), c = dump("c.json"), d = dump("d.json"),
                      e = dump("e.json"), f = dump("f.json");
    EXPECT_NE(a.find("\"scene\": \"world\""), std::string::npos) << a;
    EXPECT_NE(a.find("\"paused\": false"), std::string::npos) << a;
    EXPECT_NEAR(distance(b) - distance(a), 40.0, 1e-3) << a << "\n" << b;
    EXPECT_NE(c.find("\"paused\": true"), std::string::npos) << c;
    EXPECT_NE(c.find("\"screen\": \"QNPScreenPause\""), std::string::npos) << c;
    EXPECT_DOUBLE_EQ(distance(c), distance(d));
    EXPECT_NE(e.find("\"paused\": false"), std::string::npos) << e;
    EXPECT_NE(e.find("\"screen\": \"QNPScreenHud\""), std::string::npos) << e;
    EXPECT_NEAR(distance(f) - distance(e), 40.0, 1e-3);
    EXPECT_NE(f.find("\"objects\": {\"total\": 0"), std::string::npos) << f;
    EXPECT_NE(f.find("\"gameOver\": false"), std::string::npos) << f;
}

TEST_F(WorldRun, TheStartSectionPlacesTheCharacterWhoPlays) {
    auto result = play(260, "255 dump hero.json\n", true);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string state = dump("hero.json");
    EXPECT_NE(state.find("\"character\": 1"), std::string::npos) << state;
    EXPECT_NE(state.find("\"playing\": true"), std::string::npos) << state;
    const std::string log = qntest::readFile(m_dir.file("log.txt"));
    EXPECT_NE(log.find("add level section: 901"), std::string::npos);
}

} // namespace
