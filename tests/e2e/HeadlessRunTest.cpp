// Runs the built player on small temporary projects, the way a user or CI does.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

using qntest::runPlayer;
using qntest::shellQuote;

const char* kSettings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<plist version=\"1.0\"><dict><key>ROOT</key><array><dict>"
    "<key>className</key><string>QNModelGeneralSettings</string>"
    "<key>id</key><string>1</string>"
    "<key>Name</key><dict><key>value</key><string>Settings</string></dict>"
    "<key>Application Name</key><dict><key>value</key><string>Headless Test</string></dict>"
    "</dict></array></dict></plist>\n";

class HeadlessRunTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir.write("game/data/QNModelGeneralSettings.0.attributes.xml", kSettings); }
    /// Runs the player from the temporary folder (so relative paths land there) on `game`.
    qntest::RunResult play(const std::string& options, const std::string& project = "game") {
        return runPlayer("--store " + shellQuote(m_dir.file("store.xml")) + " " + options + " " + project,
                         m_dir.path());
    }
    std::string script(const std::string& text) { return shellQuote(m_dir.write("input.txt", text)); }
    qntest::TempDir m_dir;
};

TEST_F(HeadlessRunTest, RunsTheFrameLimitAndExitsCleanly) {
    auto result = play("--headless --frames 5");
    EXPECT_EQ(result.exitCode, 0) << result.err;
}

TEST_F(HeadlessRunTest, DumpWritesTheSnapshotOfThatFrame) {
    // The dump path is relative to where the player was started, not to the project.
    auto result = play("--headless --frames 5 --input " + script("3 dump out/state.json\n"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::string json = qntest::readFile(m_dir.file("out/state.json"));
    ASSERT_FALSE(json.empty()) << "no snapshot written";
    EXPECT_EQ(json.front(), '{');
    EXPECT_NE(json.find("\"frame\": 3,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"title\": \""), std::string::npos) << json;
    EXPECT_NE(json.find("\"window\": {\"fullScreen\": false"), std::string::npos) << json;
    EXPECT_NE(json.find("\"showState\": \"normal\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"frameSize\": ["), std::string::npos) << json;
    EXPECT_NE(json.find("\"drawCalls\": "), std::string::npos) << json;
}

TEST_F(HeadlessRunTest, WindowEventsAndModeShowInTheSnapshot) {
    // Minimised, the director stops but frames are still counted and scripted events still come.
    auto result =
        play("--headless --frames 9 --input " +
             script("2 window minimize\n4 dump min.json\n5 window restore\n6 window resize 800 600\n"
                    "7 dump sized.json\n"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::string minimized = qntest::readFile(m_dir.file("min.json"));
    EXPECT_NE(minimized.find("\"frame\": 4,"), std::string::npos) << minimized;
    EXPECT_NE(minimized.find("\"showState\": \"minimized\""), std::string::npos) << minimized;
    std::string sized = qntest::readFile(m_dir.file("sized.json"));
    EXPECT_NE(sized.find("\"width\": 800, \"height\": 600"), std::string::npos) << sized;
    EXPECT_NE(sized.find("\"showState\": \"normal\""), std::string::npos) << sized;

    auto full = play("--headless --fullscreen --monitor 1280x720+100+50 --frames 2 --input " +
                     script("1 dump full.json\n"));
    ASSERT_EQ(full.exitCode, 0) << full.err;
    std::string json = qntest::readFile(m_dir.file("full.json"));
    EXPECT_NE(json.find("\"fullScreen\": true, \"x\": 100, \"y\": 50, \"width\": 1280, \"height\": 720"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"frameSize\": [1280, 720]"), std::string::npos) << json;
}

TEST_F(HeadlessRunTest, ScreenshotOfTheLastFrameWithAnOffscreenContext) {
    auto result = qntest::runCommand(
        "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy " + shellQuote(QN_PLAYER_BINARY) + " --store " +
            shellQuote(m_dir.file("store.xml")) + " --fixed-step --frames 3 --screenshot shot.png game",
        m_dir.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    if (result.err.find("window with OpenGL") == std::string::npos)
        GTEST_SKIP() << "no OpenGL context off-screen on this machine";
    std::string png = qntest::readFile(m_dir.file("shot.png"));
    ASSERT_GT(png.size(), 8u) << result.err;
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST_F(HeadlessRunTest, NoScreenshotHeadlessIsLoggedNotFatal) {
    auto result = play("--headless --frames 2 --screenshot shot.png");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("no screenshot written"), std::string::npos) << result.err;
    EXPECT_TRUE(qntest::readFile(m_dir.file("shot.png")).empty());
}

TEST_F(HeadlessRunTest, QuitInTheScriptEndsTheRunBeforeTheFrameLimit) {
    auto result =
        play("--headless --frames 100 --input " + script("3 quit\n2 dump early.json\n6 dump late.json\n"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(qntest::readFile(m_dir.file("early.json")).empty());
    EXPECT_TRUE(qntest::readFile(m_dir.file("late.json")).empty());
}

TEST_F(HeadlessRunTest, BadStartsExitWithStatusTwoAndOneLine) {
    m_dir.write("empty/data/readme.txt", "no settings here");
    struct Case {
        std::string options;
        std::string project;
        std::string message;
    };
    const Case cases[] = {
        {"--headless --bogus", "game", "unknown option '--bogus'"},
        {"--headless --frames many", "game", "--frames needs a positive whole number"},
        {"--headless", "missing", "does not exist"},
        {"--headless", "empty", "has no data/QNModelGeneralSettings.0.attributes.xml"},
        {"--headless --input " + script("1 key down KC_SPACE\n2 key sideways KC_SPACE\n"), "game",
         "input:2: expected 'key down|up'"},
        {"--headless --input " + shellQuote(m_dir.file("absent.txt")), "game", "absent.txt"},
    };
    for (const Case& c : cases) {
        auto result = play(c.options, c.project);
        EXPECT_EQ(result.exitCode, 2) << c.options;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.options << " -> " << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "not one line: " << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
}

TEST_F(HeadlessRunTest, HelpAndVersionGoToStandardOutput) {
    auto help = runPlayer("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: qnplayer"), std::string::npos);
    auto version = runPlayer("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("qnplayer ", 0), 0u);
}

TEST_F(HeadlessRunTest, TwoIdenticalRunsWriteTheSameLog) {
    std::string input = script("2 key down KC_ESCAPE\n3 key up KC_ESCAPE\n4 tap 10 10\n");
    auto first = play("--headless --frames 8 --seed 7 --log first.log --input " + input);
    auto second = play("--headless --frames 8 --seed 7 --log second.log --input " + input);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    ASSERT_EQ(second.exitCode, 0) << second.err;
    std::string a = qntest::readFile(m_dir.file("first.log")), b = qntest::readFile(m_dir.file("second.log"));
    EXPECT_FALSE(a.empty()) << "the log file has no lines";
    EXPECT_EQ(a, b);
    // The file holds what went to standard error.
    EXPECT_NE(first.err.find(a.substr(0, a.find('\n'))), std::string::npos);
}

} // namespace
