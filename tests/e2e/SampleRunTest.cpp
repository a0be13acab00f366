// The bundled sample game played headless through the binary with scripted input and dumps.

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

using qntest::shellQuote;

/// The committed sample, found beside this test file's source tree.
std::string samplePath() {
    std::string here = __FILE__;
    return here.substr(0, here.rfind("/tests/")) + "/samples/runner";
}

class SampleRun : public ::testing::Test {
protected:
    /// Plays the sample headless for `frames` frames with the scripted `input`.
    qntest::RunResult play(int frames, const std::string& input) {
        return qntest::playScripted(m_dir, samplePath(), frames, input);
    }
    std::string dump(const std::string& name) const { return qntest::readFile(m_dir.file(name)); }
    static bool has(const std::string& text, const std::string& what) {
        return text.find(what) != std::string::npos;
    }
    qntest::TempDir m_dir;
};

TEST_F(SampleRun, StartsOnTheLoadingScreenAndReachesTheMenuWhereBackChangesNothing) {
    auto result = play(270, "5 dump start.json\n250 dump menu.json\n251 keypad back\n"
                            "252 key down KC_ESCAPE\n253 key up KC_ESCAPE\n260 dump back.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string start = dump("start.json"), menu = dump("menu.json"), back = dump("back.json");
    EXPECT_TRUE(has(start, "\"screen\": \"QNPScreenStart\"")) << start;
    EXPECT_TRUE(has(start, "\"title\": \"QN Runner\"")) << start;
    EXPECT_TRUE(has(menu, "\"screens\": [\"QNPScreenMainMenu\"], \"screen\": \"QNPScreenMainMenu\"")) << menu;
    EXPECT_TRUE(has(menu, "\"loading\": {\"percent\": 100, \"done\": true}")) << menu;
    EXPECT_TRUE(has(back, "\"screens\": [\"QNPScreenMainMenu\"], \"screen\": \"QNPScreenMainMenu\"")) << back;
}

// Menu buttons from top: Play (y 400), Options (300), Exit (200); all at x 568.
TEST_F(SampleRun, OptionsAndBackReturnToTheMenu) {
    auto result = play(330, "250 tap 568 300\n270 dump options.json\n280 tap 568 200\n300 dump menu.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string options = dump("options.json"), menu = dump("menu.json");
    EXPECT_TRUE(has(options, "\"screen\": \"QNPScreenOptions\"")) << options;
    EXPECT_TRUE(has(menu, "\"screens\": [\"QNPScreenMainMenu\"], \"screen\": \"QNPScreenMainMenu\"")) << menu;
}

TEST_F(SampleRun, KeyboardKeysPressTheButtonsOfTheScreenShown) {
    // O opens the options from the menu; B is bound on the options screen only, so on the menu it
    // does nothing, and on the options screen it goes back.
    auto result =
        play(330, "250 key down KC_B\n251 key up KC_B\n255 key down KC_O\n256 key up KC_O\n"
                  "270 dump options.json\n280 key down KC_B\n281 key up KC_B\n300 dump menu.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string options = dump("options.json"), menu = dump("menu.json");
    EXPECT_TRUE(has(options, "\"screens\": [\"QNPScreenMainMenu\", \"QNPScreenOptions\"]")) << options;
    EXPECT_TRUE(has(menu, "\"screens\": [\"QNPScreenMainMenu\"], \"screen\": \"QNPScreenMainMenu\"")) << menu;
}

TEST_F(SampleRun, TheExitButtonEndsTheProcess) {
    auto result = play(2000, "250 tap 568 200\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(has(result.out, "Doing exit...")) << result.out;
    EXPECT_TRUE(has(qntest::readFile(m_dir.file("log.txt")), "Exit"));
}

TEST_F(SampleRun, FullScreenAndWindowedButtonsChangeTheModeAndTheSavedFlag) {
    auto result = play(340, "250 tap 568 300\n270 tap 568 400\n290 dump full.json\n"
                            "300 tap 568 300\n320 dump windowed.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string full = dump("full.json"), windowed = dump("windowed.json");
    EXPECT_TRUE(has(full, "\"fullScreen\": true")) << full;
    EXPECT_TRUE(has(windowed, "\"fullScreen\": false")) << windowed;
    EXPECT_FALSE(qntest::readFile(m_dir.file("store.xml")).empty());
}

TEST_F(SampleRun, PlayLeadsToTheWorld) {
    auto result = play(300, "250 tap 568 400\n280 dump world.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string world = dump("world.json");
    EXPECT_TRUE(has(world, "\"scene\": \"world\"")) << world;
    EXPECT_TRUE(has(world, "\"world\": \"QNPWorldRunner\"")) << world;
}

} // namespace

namespace {

/// The number after `"key": ` in a snapshot (the first occurrence after `from`), or -1.
double numberAfter(const std::string& json, const std::string& key, const std::string& from = "") {
    size_t at = from.empty() ? 0 : json.find(from);
    if (at == std::string::npos) return -1;
    at = json.find("\"" + key + "\": ", at);
    if (at == std::string::npos) return -1;
    return std::stod(json.substr(at + key.size() + 4));
}

} // namespace

// Play enters the world: the runner and the units of its first two sections, the distance
// growing; P pauses (the distance stands still), R resumes, the pause screen's menu button leads
// back to the main menu, and playing again builds the same world anew.
TEST_F(SampleRun, TheWorldRunsPausesResumesAndIsLeftAndEnteredAgain) {
    auto result = play(520, "250 tap 568 400\n300 dump world.json\n"
                            "310 key down KC_P\n311 key up KC_P\n330 dump paused.json\n350 dump still.json\n"
                            "360 key down KC_R\n361 key up KC_R\n380 dump resumed.json\n"
                            "390 key down KC_P\n391 key up KC_P\n410 tap 568 260\n440 dump menu.json\n"
                            "450 tap 568 400\n510 dump again.json\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string world = dump("world.json"), paused = dump("paused.json"), still = dump("still.json");
    const std::string resumed = dump("resumed.json"), menu = dump("menu.json"), again = dump("again.json");
    EXPECT_TRUE(has(world, "\"scene\": \"world\"")) << world;
    EXPECT_TRUE(has(world, "\"screens\": [\"QNPScreenHud\"]")) << world;
    EXPECT_EQ(numberAfter(world, "total", "\"objects\""), 10) << world;
    EXPECT_EQ(numberAfter(world, "character", "\"objects\""), 1) << world;
    EXPECT_TRUE(has(world, "\"playing\": true")) << world;
    EXPECT_GT(numberAfter(world, "current", "\"distance\""), 0) << world;

    EXPECT_TRUE(has(paused, "\"paused\": true")) << paused;
    EXPECT_TRUE(has(paused, "\"screens\": [\"QNPScreenHud\", \"QNPScreenPause\"]")) << paused;
    EXPECT_EQ(numberAfter(paused, "current", "\"distance\""), numberAfter(still, "current", "\"distance\""));

    EXPECT_TRUE(has(resumed, "\"paused\": false")) << resumed;
    EXPECT_TRUE(has(resumed, "\"screens\": [\"QNPScreenHud\"]")) << resumed;
    EXPECT_GT(numberAfter(resumed, "current", "\"distance\""), numberAfter(still, "current", "\"distance\""));

    EXPECT_TRUE(has(menu, "\"scene\": \"ui\"")) << menu;
    EXPECT_TRUE(has(menu, "\"screens\": [\"QNPScreenMainMenu\"]")) << menu;
    EXPECT_TRUE(has(again, "\"scene\": \"world\"")) << again;
    EXPECT_EQ(numberAfter(again, "total", "\"objects\""), 10) << again;
    EXPECT_TRUE(has(qntest::readFile(m_dir.file("log.txt")), "QNPScreenScene - deallocated"));
}
