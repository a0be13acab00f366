// Keyboard highlight on the sample's main menu through the binary: with nothing highlighted, the
// first arrow press takes the first button (Play) as the start and moves on from it at once, so
// one press down rests on Options; Enter presses it.

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

using qntest::shellQuote;

std::string samplePath() {
    std::string here = __FILE__;
    return here.substr(0, here.rfind("/tests/")) + "/samples/runner";
}

std::string keyPress(int frame, const std::string& key) {
    return std::to_string(frame) + " key down " + key + "\n" + std::to_string(frame + 1) + " key up " + key +
           "\n";
}

TEST(MenuHighlight, ArrowsMoveTheHighlightAndEnterPressesIt) {
    qntest::TempDir dir;
    const std::string input = "245 dump before.json\n" + keyPress(250, "KC_RETURN") + "255 dump none.json\n" +
                              keyPress(260, "KC_DOWN") + keyPress(270, "KC_RETURN") +
                              "290 dump options.json\n";
    const std::string script = dir.write("input.txt", input);
    auto result = qntest::runPlayer("--headless --frames 300 --store " + shellQuote(dir.file("store.xml")) +
                                        " --log " + shellQuote(dir.file("log.txt")) + " --input " +
                                        shellQuote(script) + " " + shellQuote(samplePath()),
                                    dir.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // Enter with nothing highlighted does nothing.
    const std::string none = qntest::readFile(dir.file("none.json"));
    EXPECT_NE(none.find("\"screen\": \"QNPScreenMainMenu\""), std::string::npos) << none;
    const std::string options = qntest::readFile(dir.file("options.json"));
    EXPECT_NE(options.find("\"screen\": \"QNPScreenOptions\""), std::string::npos) << options;
    const std::string log = qntest::readFile(dir.file("log.txt"));
    EXPECT_NE(log.find("hlight button: 13"), std::string::npos);
}

} // namespace
