// The drawing tool: shapes land where the description puts them, in its colours, with soft edges;
// icons are valid; the same description gives the same bytes; mistakes name their line.

#include <gtest/gtest.h>

#include "ToolTestSupport.h"

#include <cstdlib>

using namespace qntest;

TEST(Qndraw, ShapesPaintsAndEdges) {
    TempDir dir;
    dir.write("shapes.txt", "# a test sheet\n"
                            "canvas 100 60 #000000ff\n"
                            "fill #ff0000; rect 10 10 20 20   # red square\n"
                            "fill #00f; stroke #fff 4; circle 70 20 12.5\n"
                            "stroke none; fill linear 0 40 100 40 #000 #fff; rect 0 40 100 20\n"
                            "fill #ffff0080; polygon 40 5 50 25 30 25\n"
                            "save out/sheet.png\n");
    RunResult r = runTool("qndraw", "shapes.txt", dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Rgba img = readRgba(dir.file("out/sheet.png"));
    ASSERT_EQ(img.width, 100);
    ASSERT_EQ(img.height, 60);

    struct Probe {
        const char* what;
        int x, y;
        int r, g, b, a;
    } probes[] = {
        {"background", 2, 2, 0, 0, 0, 255},
        {"square inside", 20, 20, 255, 0, 0, 255},
        {"square edge row just outside", 20, 30, 0, 0, 0, 255},
        {"circle centre", 70, 20, 0, 0, 255, 255},
        {"circle outline", 70, 8, 255, 255, 255, 255},
        {"far outside circle", 90, 20, 0, 0, 0, 255},
        {"gradient left", 0, 50, 1, 1, 1, 255},
        {"gradient right", 99, 50, 254, 254, 254, 255},
        {"gradient middle", 50, 50, 128, 128, 128, 255},
        {"half-transparent yellow over black", 40, 20, 128, 128, 0, 255},
    };
    for (const Probe& p : probes) {
        const uint8_t* px = img.at(p.x, p.y);
        int want[4] = {p.r, p.g, p.b, p.a};
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(px[i], want[i], 2) << p.what << " channel " << i;
    }
    // Anti-aliasing: the circle's outer rim has grey-blended pixels between black and white.
    bool soft = false;
    for (int x = 80; x < 90; ++x) {
        int v = img.at(x, 20)[0];
        soft |= v > 20 && v < 235;
    }
    EXPECT_TRUE(soft);
}

TEST(Qndraw, TransparencyIconsAndDeterminism) {
    TempDir dir;
    const std::string script = "canvas 32 32; fill radial 16 16 16 #fff #0000; circle 16 16 15; "
                               "stroke #123 2; line 2 30 30 2; save a.png; save icon.ico";
    ASSERT_EQ(runTool("qndraw", "-e " + shellQuote(script), dir.path()).exitCode, 0);
    ASSERT_EQ(runTool("qndraw", "--out-dir again -e " + shellQuote(script), dir.path()).exitCode, 0);
    std::string png = readFile(dir.file("a.png"));
    EXPECT_FALSE(png.empty());
    EXPECT_EQ(png, readFile(dir.file("again/a.png")));
    Rgba img = readRgba(dir.file("a.png"));
    EXPECT_EQ(img.at(0, 0)[3], 0) << "corners stay transparent";

    std::string ico = readFile(dir.file("icon.ico"));
    ASSERT_EQ(ico.size(), 6u + 16 + 40 + 32 * 32 * 4 + 32 * 4);
    auto u16 = [&](size_t at) {
        return static_cast<uint8_t>(ico[at]) | static_cast<uint8_t>(ico[at + 1]) << 8;
    };
    EXPECT_EQ(u16(0), 0);
    EXPECT_EQ(u16(2), 1); // an icon
    EXPECT_EQ(u16(4), 1); // one picture
    EXPECT_EQ(static_cast<uint8_t>(ico[6]), 32);
    EXPECT_EQ(u16(12), 32); // bits a pixel
    // Bottom-up BGRA: the last row of the file is the picture's top row; its centre pixel matches.
    size_t topRowCentre = 22 + 40 + (31 * 32 + 16) * 4;
    const uint8_t* want = img.at(16, 0);
    EXPECT_EQ(static_cast<uint8_t>(ico[topRowCentre + 3]), want[3]);
    EXPECT_EQ(static_cast<uint8_t>(ico[topRowCentre + 2]), want[0]);
}

TEST(Qndraw, MistakesNameTheirLineAndStop) {
    struct Case {
        const char* script;
        const char* message;
    } cases[] = {
        {"canvas 10 10\nblob 1 2\nsave x.png\n", "s.txt:2: unknown command blob"},
        {"rect 0 0 4 4\n", "s.txt:1: rect before any canvas"},
        {"canvas 10 10\nfill #12345\n", "s.txt:2: not a colour"},
        {"canvas 10 10\ncircle 5 5\n", "s.txt:2: circle needs 3 numbers"},
        {"canvas 10 10\npolygon 1 1 2 2\n", "s.txt:2: polygon needs at least three"},
        {"canvas 0 10\n", "s.txt:1: canvas size"},
        {"canvas 300 300\nsave x.ico\n", "256"},
        {"canvas 10 10; rect a 0 1 1\n", "s.txt:1: not a number: a"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.write("s.txt", c.script);
        RunResult r = runTool("qndraw", "s.txt", dir.path());
        EXPECT_NE(r.exitCode, 0) << c.script;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.script << " -> " << r.err;
        EXPECT_TRUE(readFile(dir.file("x.png")).empty()) << c.script;
    }
}
