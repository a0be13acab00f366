// The atlas packer run on small frame folders: the property list it writes, where the frames went,
// the pixels in the atlas, determinism and its refusals.

#include <gtest/gtest.h>

#include "ToolTestSupport.h"

#include <sstream>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCSpriteFrame.h"
#include "framework/CCSpriteFrameCache.h"

using namespace qntest;

namespace {

// Frames of several shapes: trimmed borders on every side, an untrimmable full frame, a fully
// transparent one and a wide one.
const char* kFrames = "canvas 40 30; fill #ff0000; rect 25 3 10 8; save frames/QNModelSprite_ID12.png\n"
                      "canvas 16 16 #00ff00; save frames/QNModelSprite_ID3.png\n"
                      "canvas 20 20; save frames/QNModelSprite_ID5.png\n"
                      "canvas 64 12; fill #0000ff80; rect 0 4 64 8; save frames/QNModelSprite_ID40.png\n"
                      "canvas 33 33; fill #ffff00; circle 12 20 9; save frames/QNModelSprite_ID7.png\n";

// Reads the atlas property list with Python's plistlib, checks its structure and geometry and
// prints one line a frame: name, frame x y w h, colour rect x y w h, source w h.
const char* kCheck = R"PY(
import plistlib, struct, sys
plist = plistlib.load(open(sys.argv[1], 'rb'))
meta = plist['metadata']
assert meta['format'] == 2, meta
assert meta['textureFileName'] == meta['realTextureFileName'] == sys.argv[2], meta
png = open(sys.argv[3], 'rb').read()
pw, ph = struct.unpack('>II', png[16:24])
def nums(s):
    return [float(v) for v in s.replace('{', ' ').replace('}', ' ').replace(',', ' ').split()]
assert nums(meta['size']) == [pw, ph], (meta['size'], pw, ph)
rects = []
for name, f in sorted(plist['frames'].items()):
    x, y, w, h = nums(f['frame'])
    cx, cy, cw, ch = nums(f['sourceColorRect'])
    sw, sh = nums(f['sourceSize'])
    ox, oy = nums(f['offset'])
    assert f['rotated'] is False, name
    assert 0 <= x and 0 <= y and x + w <= pw and y + h <= ph, (name, 'outside the texture')
    assert (cw, ch) == (w, h), (name, 'colour rect and frame differ in size')
    assert 0 <= cx and 0 <= cy and cx + cw <= sw and cy + ch <= sh, (name, 'colour rect outside the source')
    assert ox == cx + cw / 2 - sw / 2 and oy == sh / 2 - (cy + ch / 2), (name, 'offset', ox, oy)
    for other, (x2, y2, w2, h2) in rects:
        assert x + w <= x2 or x2 + w2 <= x or y + h <= y2 or y2 + h2 <= y, (name, 'overlaps', other)
    rects.append((name, (x, y, w, h)))
    print(name, *[int(v) for v in (x, y, w, h, cx, cy, cw, ch, sw, sh)])
)PY";

struct FrameLine {
    std::string name;
    int x, y, w, h, cx, cy, cw, ch, sw, sh;
};

std::vector<FrameLine> checkAtlas(const TempDir& dir, const std::string& base) {
    dir.write("check.py", kCheck);
    std::string texture = base.substr(base.rfind('/') + 1) + ".png";
    RunResult r = runCommand("python3 check.py " + shellQuote(base + ".plist") + " " + shellQuote(texture) +
                                 " " + shellQuote(base + ".png"),
                             dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::vector<FrameLine> frames;
    std::istringstream in(r.out);
    FrameLine f;
    while (in >> f.name >> f.x >> f.y >> f.w >> f.h >> f.cx >> f.cy >> f.cw >> f.ch >> f.sw >> f.sh)
        frames.push_back(f);
    return frames;
}

void drawFrames(const TempDir& dir) {
    dir.write("frames.txt", kFrames);
    RunResult r = runTool("qndraw", "frames.txt", dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

} // namespace

TEST(Qnpack, PacksTrimmedFramesWithoutOverlapAndKeepsTheirPixels) {
    TempDir dir;
    drawFrames(dir);
    RunResult r = runTool("qnpack", "-o data/atlases/atlas_ID9 frames", dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;

    std::vector<FrameLine> frames = checkAtlas(dir, "data/atlases/atlas_ID9");
    ASSERT_EQ(frames.size(), 5u);
    Rgba atlas = readRgba(dir.file("data/atlases/atlas_ID9.png"));
    ASSERT_GT(atlas.width, 0);
    for (const FrameLine& f : frames) {
        SCOPED_TRACE(f.name);
        Rgba source = readRgba(dir.file("frames/" + f.name + ".png"));
        ASSERT_EQ(source.width, f.sw);
        ASSERT_EQ(source.height, f.sh);
        // Every pixel of the source outside the colour rect is transparent; inside, it is in the atlas.
        for (int y = 0; y < source.height; ++y) {
            for (int x = 0; x < source.width; ++x) {
                bool inside = x >= f.cx && x < f.cx + f.cw && y >= f.cy && y < f.cy + f.ch;
                if (!inside) {
                    ASSERT_EQ(source.at(x, y)[3], 0) << x << "," << y;
                    continue;
                }
                const uint8_t* a = atlas.at(f.x + x - f.cx, f.y + y - f.cy);
                ASSERT_EQ(0, std::memcmp(a, source.at(x, y), 4)) << x << "," << y;
            }
        }
    }
    // The trims the shapes call for: red block at 25,3 10x8; full green frame; 1x1 for the empty one.
    auto find = [&](const std::string& name) {
        for (const FrameLine& f : frames)
            if (f.name == name) return f;
        return FrameLine{};
    };
    FrameLine red = find("QNModelSprite_ID12"), green = find("QNModelSprite_ID3"),
              empty = find("QNModelSprite_ID5");
    EXPECT_EQ((std::vector<int>{red.cx, red.cy, red.cw, red.ch}), (std::vector<int>{25, 3, 10, 8}));
    EXPECT_EQ((std::vector<int>{green.cx, green.cy, green.cw, green.ch}), (std::vector<int>{0, 0, 16, 16}));
    EXPECT_EQ(empty.cw * empty.ch, 1);
    // Two pixels of padding around every frame.
    for (const FrameLine& f : frames) {
        EXPECT_GE(f.x, 2);
        EXPECT_GE(f.y, 2);
        EXPECT_LE(f.x + f.w + 2, atlas.width);
        EXPECT_LE(f.y + f.h + 2, atlas.height);
    }
}

TEST(Qnpack, TheFrameCacheReadsThePackedAtlas) {
    TempDir dir;
    drawFrames(dir);
    ASSERT_EQ(runTool("qnpack", "-o data/atlases/atlas_ID4 frames", dir.path()).exitCode, 0);
    std::vector<FrameLine> frames = checkAtlas(dir, "data/atlases/atlas_ID4");
    ASSERT_EQ(frames.size(), 5u);
    cocos2d::CCPoolManager::sharedPoolManager()->push();
    cocos2d::CCSpriteFrameCache* cache = cocos2d::CCSpriteFrameCache::sharedSpriteFrameCache();
    cache->addSpriteFramesWithFile(dir.file("data/atlases/atlas_ID4.plist").c_str());
    for (const FrameLine& f : frames) {
        SCOPED_TRACE(f.name);
        cocos2d::CCSpriteFrame* frame = cache->spriteFrameByName(f.name.c_str());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->getRect(), cocos2d::CCRect(f.x, f.y, f.w, f.h));
        EXPECT_EQ(frame->getOriginalSize(), cocos2d::CCSize(f.sw, f.sh));
        EXPECT_FALSE(frame->isRotated());
        EXPECT_FLOAT_EQ(frame->getOffset().x, f.cx + f.cw / 2.0f - f.sw / 2.0f);
        EXPECT_FLOAT_EQ(frame->getOffset().y, f.sh / 2.0f - (f.cy + f.ch / 2.0f));
    }
    cache->removeSpriteFrames();
    cocos2d::CCPoolManager::sharedPoolManager()->pop();
}

TEST(Qnpack, SameFramesGiveIdenticalFilesWhateverTheInputOrder) {
    TempDir dir;
    drawFrames(dir);
    ASSERT_EQ(runTool("qnpack", "--pot -o a/atlas_ID1 frames", dir.path()).exitCode, 0);
    std::string reversed;
    for (const char* id : {"7", "5", "40", "3", "12"})
        reversed += std::string(" frames/QNModelSprite_ID") + id + ".png";
    ASSERT_EQ(runTool("qnpack", "--pot -o b/atlas_ID1" + reversed, dir.path()).exitCode, 0);
    for (const char* ext : {".plist", ".png"}) {
        std::string a = readFile(dir.file(std::string("a/atlas_ID1") + ext));
        EXPECT_FALSE(a.empty());
        EXPECT_EQ(a, readFile(dir.file(std::string("b/atlas_ID1") + ext))) << ext;
    }
    Rgba atlas = readRgba(dir.file("a/atlas_ID1.png"));
    EXPECT_EQ(atlas.width & (atlas.width - 1), 0) << atlas.width;
    EXPECT_EQ(atlas.height & (atlas.height - 1), 0) << atlas.height;
    checkAtlas(dir, "a/atlas_ID1");
}

TEST(Qnpack, RefusesBadInputWithoutWritingAnAtlas) {
    struct Case {
        const char* what;
        const char* args;
        int exitCode;
    } cases[] = {
        {"missing folder", "-o out/atlas_ID1 nowhere", 1},
        {"not a PNG", "-o out/atlas_ID1 broken", 1},
        {"same frame name twice", "-o out/atlas_ID1 frames frames/QNModelSprite_ID3.png", 1},
        {"frames larger than the limit", "--max-size 32 -o out/atlas_ID1 frames", 1},
        {"empty folder", "-o out/atlas_ID1 empty", 1},
        {"no output", "frames", 2},
        {"unknown option", "--rotate -o out/atlas_ID1 frames", 2},
    };
    TempDir dir;
    drawFrames(dir);
    dir.write("broken/QNModelSprite_ID1.png", "not a picture");
    dir.write("empty/readme.txt", "");
    for (const Case& c : cases) {
        RunResult r = runTool("qnpack", c.args, dir.path());
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what << ": " << r.err;
        EXPECT_FALSE(r.err.empty()) << c.what;
        EXPECT_TRUE(readFile(dir.file("out/atlas_ID1.plist")).empty()) << c.what;
    }
}
