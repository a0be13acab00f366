// The sample's main menu drawn off-screen by the binary, compared with its reference picture:
// backdrop, the three button faces and the star animation, at the player's own window size. The
// star's frame depends on how long loading takes: after changing the sample, rewrite the picture
// with QN_UPDATE_REFERENCES=1 and look at it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../render/RenderTestUtil.h"
#include "TestSupport.h"
#include "framework/CCImage.h"

namespace {

using qntest::shellQuote;

std::string samplePath() {
    std::string here = __FILE__;
    return here.substr(0, here.rfind("/tests/")) + "/samples/runner";
}

} // namespace

TEST(SampleDrawing, TheMainMenuMatchesItsReferencePicture) {
    qntest::TempDir dir;
    const std::string shot = dir.file("menu.png");
    // Mesa's off-screen driver leaves allocations behind when it is unloaded; leak checking of a
    // sanitised player is left to the headless runs.
    auto result = qntest::runCommand(
        "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " +
        shellQuote(QN_PLAYER_BINARY) + " --fixed-step --windowed --frames 260 --store " +
        shellQuote(dir.file("store.xml")) + " --screenshot " + shellQuote(shot) + " " +
        shellQuote(samplePath()));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    cocos2d::CCImage image;
    if (!image.initWithImageFile(shot.c_str())) GTEST_SKIP() << "no OpenGL context off-screen here";
    const int w = image.getWidth(), h = image.getHeight();
    std::vector<unsigned char> rgba(image.getData(), image.getData() + (size_t)w * h * 4);
    EXPECT_TRUE(qnrender::matchesReference(rgba, w, h, "sample_main_menu.png"));
}
