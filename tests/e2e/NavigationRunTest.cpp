// The player binary on small navigation projects, headless with scripted input and dumps: the
// loading sequence, the start content it leads to, and the back key on the first screen.

#include <gtest/gtest.h>

#include <regex>

#include "../navigation/NavProject.h"
#include "TestSupport.h"

namespace {

using navtest::NavProject;
using qntest::shellQuote;

class NavigationRun : public ::testing::Test {
protected:
    /// Plays `project` headless for `frames` frames with the scripted `input`.
    qntest::RunResult play(const NavProject& project, int frames, const std::string& input,
                           bool portrait = false) {
        project.write(m_game, portrait);
        return qntest::playScripted(m_dir, m_game.path(), frames, input);
    }
    std::string dump(const std::string& name) const { return qntest::readFile(m_dir.file(name)); }
    std::string log() const { return qntest::readFile(m_dir.file("log.txt")); }
    static int count(const std::string& text, const std::string& what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
    /// The start screen plus a start node leading (when `to` is set) to node `to`.
    unsigned startNode(NavProject& project) {
        return project.node("QNNodeUIStart", project.screen("QNPScreenLoading"));
    }

    qntest::TempDir m_dir;
    qntest::TempDir m_game;
};

TEST_F(NavigationRun, TheStartNodeLeadsToTheMenuAndBackThereChangesNothing) {
    NavProject project;
    const unsigned start = startNode(project);
    const unsigned menu = project.node("QNNodeUI", project.screen("QNPScreenMainMenu"));
    project.link(start, "Load", menu);
    auto result =
        play(project, 260, "5 dump start.json\n250 dump menu.json\n251 keypad back\n255 dump back.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string atStart = dump("start.json"), atMenu = dump("menu.json"), afterBack = dump("back.json");
    EXPECT_NE(
        atStart.find("\"screens\": [\"QNPScreenStart\"], \"screen\": \"QNPScreenStart\", \"world\": null"),
        std::string::npos)
        << atStart;
    EXPECT_NE(atStart.find("\"loading\": {\"percent\": 0, \"done\": false}"), std::string::npos) << atStart;
    EXPECT_NE(atMenu.find("\"scene\": \"ui\""), std::string::npos) << atMenu;
    EXPECT_NE(atMenu.find("\"screens\": [\"QNPScreenMainMenu\"], \"screen\": \"QNPScreenMainMenu\""),
              std::string::npos)
        << atMenu;
    EXPECT_NE(atMenu.find("\"loading\": {\"percent\": 100, \"done\": true}"), std::string::npos) << atMenu;
    EXPECT_NE(afterBack.find("\"screens\": [\"QNPScreenMainMenu\"], \"screen\": \"QNPScreenMainMenu\""),
              std::string::npos)
        << afterBack;
    EXPECT_EQ(count(log(), "End loading XML"), 1);
}

TEST_F(NavigationRun, AnUnconnectedStartLogsTheErrorOnceAndKeepsTheStartScreen) {
    NavProject project;
    startNode(project);
    project.screen("QNPScreenMainMenu");
    auto result = play(project, 400, "390 dump end.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(count(log(), "ERROR! Failed to find ScreenScene attached to Start scene"), 1) << log();
    EXPECT_EQ(count(log(), "End loading XML"), 1);
    const std::string end = dump("end.json");
    EXPECT_NE(end.find("\"screen\": \"QNPScreenStart\""), std::string::npos) << end;
    EXPECT_NE(end.find("\"done\": true"), std::string::npos) << end;
}

TEST_F(NavigationRun, AStartLeadingToAWorldStartsThereWithItsHud) {
    NavProject project;
    const unsigned start = startNode(project);
    const unsigned world = project.node("QNNodeScene", project.world("QNPWorldOne"));
    const unsigned hud = project.node("QNNodeUI", project.screen("QNPScreenHud"));
    project.link(start, "Load", world);
    project.link(world, "UI", hud);
    auto result = play(project, 260, "250 dump world.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string state = dump("world.json");
    EXPECT_NE(state.find("\"scene\": \"world\""), std::string::npos) << state;
    EXPECT_NE(
        state.find(
            "\"screens\": [\"QNPScreenHud\"], \"screen\": \"QNPScreenHud\", \"world\": \"QNPWorldOne\""),
        std::string::npos)
        << state;
}

TEST_F(NavigationRun, MinimisingDuringPlayOpensThePauseScreenAndSaves) {
    NavProject project;
    const unsigned start = startNode(project);
    const unsigned world = project.node("QNNodeScene", project.world("QNPWorldOne"));
    const unsigned hud = project.node("QNNodeUI", project.screen("QNPScreenHud"));
    project.link(start, "Load", world);
    project.link(world, "UI", hud);
    project.link(hud, "Pause", project.node("QNNodeUI", project.screen("QNPScreenPause")));
    auto result = play(project, 270,
                       "250 window minimize\n255 dump paused.json\n260 window restore\n265 dump back.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* name : {"paused.json", "back.json"}) {
        const std::string state = dump(name);
        EXPECT_NE(
            state.find("\"screens\": [\"QNPScreenHud\", \"QNPScreenPause\"], \"screen\": \"QNPScreenPause\""),
            std::string::npos)
            << name << ": " << state;
    }
    const std::string text = log();
    EXPECT_EQ(count(text, "[QNPAppDelegate] send game to pause"), 1) << text;
    EXPECT_FALSE(qntest::readFile(m_dir.file("store.xml")).empty());
}

TEST_F(NavigationRun, LoadingStartsAtTheTenthDrawnFrameAndItsPercentageNeverFalls) {
    NavProject project;
    const unsigned start = startNode(project);
    project.link(start, "Load", project.node("QNNodeUI", project.screen("QNPScreenMainMenu")));
    std::string input;
    for (int frame = 2; frame <= 240; frame += 2)
        input += std::to_string(frame) + " dump d" + std::to_string(frame) + ".json\n";
    auto result = play(project, 241, input);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::regex percent("\"percent\": ([0-9]+), \"done\": (true|false)");
    int last = -1;
    bool done = false;
    for (int frame = 2; frame <= 240; frame += 2) {
        const std::string state = dump("d" + std::to_string(frame) + ".json");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(state, match, percent)) << frame << ": " << state;
        const int value = std::stoi(match[1]);
        EXPECT_GE(value, last) << "frame " << frame;
        last = value;
        done = match[2] == "true";
        // Until the tenth frame nothing is read: the start screen stays at 0.
        if (frame < 10) {
            EXPECT_EQ(value, 0);
        }
    }
    EXPECT_TRUE(done);
    EXPECT_EQ(last, 100);
    // The loading steps read the general settings again, after the first scene is shown.
    const std::string text = log();
    EXPECT_NE(text.find("QNModelGeneralSettings.0.attributes.xml", text.find("loading time")),
              std::string::npos);
}

TEST_F(NavigationRun, TheDesignSizeFollowsTheOrientation) {
    for (bool portrait : {false, true}) {
        NavProject project;
        startNode(project);
        auto result = play(project, 3, "2 dump size.json\n", portrait);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::string state = dump("size.json");
        EXPECT_NE(state.find(portrait ? "\"designSize\": [640, 1136]" : "\"designSize\": [1136, 640]"),
                  std::string::npos)
            << state;
    }
}

TEST_F(NavigationRun, AtlasesAreLoadedInTheControllersOrder) {
    NavProject project;
    startNode(project);
    m_game.write("data/QNModelAtlas.0.attributes.xml",
                 navtest::dataFile("<dict>" + navtest::kv("className", "QNModelAtlas") +
                                   navtest::kv("id", "40") + "</dict><dict>" +
                                   navtest::kv("className", "QNModelAtlas") + navtest::kv("id", "12") +
                                   "</dict>"));
    auto result = play(project, 300, "");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string text = log();
    const std::size_t first = text.find("data/atlases/atlas_ID40.plist"),
                      second = text.find("data/atlases/atlas_ID12.plist");
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_LT(text.find("Start Atlas loading"), first);
    EXPECT_LT(first, second);
}

} // namespace
