// qnpack: packs a folder of PNG frames into one atlas picture and its sprite-sheet property list
// (format 2: frames with frame, offset, rotated, sourceColorRect and sourceSize; metadata with
// format, realTextureFileName, size and textureFileName). Frame keys are the file names without
// ".png". Transparent borders are trimmed. Same input, same options: byte-identical output.

#include "Image.h"
#include "PngFile.h"
#include "RectPacker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace qn::tools;

namespace {

struct Frame {
    std::string name; // frame key
    std::string path; // source file
    int sourceW = 0;  // original picture size
    int sourceH = 0;
    PixelRect colorRect; // trimmed part, in source coordinates (y down)
    Image pixels;        // the trimmed pixels
};

void usage(FILE* to) {
    std::fprintf(
        to, "usage: qnpack [options] -o OUTPUT_BASE INPUT...\n"
            "  INPUT            a PNG file or a folder of PNG files (not recursive)\n"
            "  -o OUTPUT_BASE   writes OUTPUT_BASE.plist and OUTPUT_BASE.png (e.g. data/atlases/atlas_ID3)\n"
            "  --padding N      free pixels between and around frames (default 2)\n"
            "  --max-size N     largest atlas width and height (default 4096)\n"
            "  --pot            power-of-two atlas width and height\n"
            "  --no-trim        keep transparent borders\n");
}

bool parseInt(const char* text, int& out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!text[0] || *end || v < 0 || v > 1 << 20) return false;
    out = static_cast<int>(v);
    return true;
}

// A number as short text: integers without decimals, halves with one.
std::string number(double v) {
    char buf[32];
    if (v == std::floor(v))
        std::snprintf(buf, sizeof buf, "%d", static_cast<int>(v));
    else
        std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

std::string xmlEscape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool collectInputs(const std::vector<std::string>& inputs, std::vector<std::string>& files) {
    for (const std::string& input : inputs) {
        std::error_code ec;
        if (fs::is_directory(input, ec)) {
            std::vector<std::string> found;
            for (const auto& entry : fs::directory_iterator(input, ec)) {
                if (!entry.is_regular_file()) continue;
                std::string ext = entry.path().extension().string();
                std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
                if (ext == ".png") found.push_back(entry.path().string());
            }
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(input, ec)) {
            files.push_back(input);
        } else {
            std::fprintf(stderr, "qnpack: %s: no such file or folder\n", input.c_str());
            return false;
        }
    }
    return true;
}

std::string plistText(const std::vector<Frame>& frames, const std::vector<PackItem>& placed,
                      const std::string& textureName, int width, int height) {
    // Frames in key order so the file does not depend on the input order.
    std::vector<size_t> order(frames.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return frames[a].name < frames[b].name; });

    std::string s;
    s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
         "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";
    s += "<plist version=\"1.0\">\n<dict>\n";
    s += "    <key>frames</key>\n    <dict>\n";
    for (size_t i : order) {
        const Frame& f = frames[i];
        const PackItem& p = placed[i];
        // Offset: centre of the trimmed part relative to the centre of the source, y up.
        double offsetX = f.colorRect.x + f.colorRect.w / 2.0 - f.sourceW / 2.0;
        double offsetY = f.sourceH / 2.0 - (f.colorRect.y + f.colorRect.h / 2.0);
        s += "        <key>" + xmlEscape(f.name) + "</key>\n        <dict>\n";
        s += "            <key>frame</key>\n            <string>{{" + number(p.x) + "," + number(p.y) +
             "},{" + number(p.w) + "," + number(p.h) + "}}</string>\n";
        s += "            <key>offset</key>\n            <string>{" + number(offsetX) + "," +
             number(offsetY) + "}</string>\n";
        s += "            <key>rotated</key>\n            <false/>\n";
        s += "            <key>sourceColorRect</key>\n            <string>{{" + number(f.colorRect.x) + "," +
             number(f.colorRect.y) + "},{" + number(f.colorRect.w) + "," + number(f.colorRect.h) +
             "}}</string>\n";
        s += "            <key>sourceSize</key>\n            <string>{" + number(f.sourceW) + "," +
             number(f.sourceH) + "}</string>\n";
        s += "        </dict>\n";
    }
    s += "    </dict>\n";
    s += "    <key>metadata</key>\n    <dict>\n";
    s += "        <key>format</key>\n        <integer>2</integer>\n";
    s += "        <key>realTextureFileName</key>\n        <string>" + xmlEscape(textureName) + "</string>\n";
    s += "        <key>size</key>\n        <string>{" + number(width) + "," + number(height) + "}</string>\n";
    s += "        <key>textureFileName</key>\n        <string>" + xmlEscape(textureName) + "</string>\n";
    s += "    </dict>\n</dict>\n</plist>\n";
    return s;
}

} // namespace

int main(int argc, char** argv) {
    PackOptions options;
    bool trim = true;
    std::string outputBase;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](int& out) {
            if (i + 1 >= argc || !parseInt(argv[i + 1], out)) {
                std::fprintf(stderr, "qnpack: %s needs a whole number\n", arg.c_str());
                std::exit(2);
            }
            ++i;
        };
        if (arg == "-h" || arg == "--help") {
            usage(stdout);
            return 0;
        } else if (arg == "-o") {
            if (i + 1 >= argc) {
                usage(stderr);
                return 2;
            }
            outputBase = argv[++i];
        } else if (arg == "--padding") {
            value(options.padding);
        } else if (arg == "--max-size") {
            value(options.maxSize);
        } else if (arg == "--pot") {
            options.powerOfTwo = true;
        } else if (arg == "--no-trim") {
            trim = false;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "qnpack: unknown option %s\n", arg.c_str());
            usage(stderr);
            return 2;
        } else {
            inputs.push_back(arg);
        }
    }
    if (outputBase.empty() || inputs.empty()) {
        usage(stderr);
        return 2;
    }
    if (fs::path(outputBase).extension() == ".plist" || fs::path(outputBase).extension() == ".png") {
        outputBase = (fs::path(outputBase).parent_path() / fs::path(outputBase).stem()).string();
    }

    std::vector<std::string> files;
    if (!collectInputs(inputs, files)) return 1;
    if (files.empty()) {
        std::fprintf(stderr, "qnpack: no PNG frames found\n");
        return 1;
    }

    std::vector<Frame> frames;
    std::map<std::string, std::string> seen;
    for (const std::string& file : files) {
        Frame frame;
        frame.name = fs::path(file).stem().string();
        frame.path = file;
        if (seen.count(frame.name)) {
            std::fprintf(stderr, "qnpack: frame %s given twice (%s and %s)\n", frame.name.c_str(),
                         seen[frame.name].c_str(), file.c_str());
            return 1;
        }
        seen[frame.name] = file;
        Image source;
        std::string error;
        if (!readPng(file, source, error)) {
            std::fprintf(stderr, "qnpack: %s\n", error.c_str());
            return 1;
        }
        frame.sourceW = source.width;
        frame.sourceH = source.height;
        frame.colorRect = trim ? opaqueBounds(source) : PixelRect{0, 0, source.width, source.height};
        // A fully transparent frame keeps one transparent pixel in its centre.
        if (frame.colorRect.w == 0) frame.colorRect = PixelRect{source.width / 2, source.height / 2, 1, 1};
        frame.pixels = crop(source, frame.colorRect);
        frames.push_back(std::move(frame));
    }

    std::vector<PackItem> items;
    for (const Frame& f : frames) {
        PackItem item;
        item.w = f.pixels.width;
        item.h = f.pixels.height;
        items.push_back(item);
    }
    PackResult sheet = packRects(items, options);
    if (!sheet.ok) {
        std::fprintf(stderr, "qnpack: the frames do not fit in %d x %d\n", options.maxSize, options.maxSize);
        return 1;
    }
    Image atlas(sheet.width, sheet.height);
    for (size_t i = 0; i < frames.size(); ++i) blit(atlas, frames[i].pixels, items[i].x, items[i].y);

    std::error_code ec;
    fs::path outDir = fs::path(outputBase).parent_path();
    if (!outDir.empty()) fs::create_directories(outDir, ec);
    std::string pngPath = outputBase + ".png", plistPath = outputBase + ".plist";
    std::string textureName = fs::path(pngPath).filename().string();
    std::string error;
    if (!writePng(pngPath, atlas, error)) {
        std::fprintf(stderr, "qnpack: %s\n", error.c_str());
        return 1;
    }
    std::ofstream plist(plistPath, std::ios::binary | std::ios::trunc);
    plist << plistText(frames, items, textureName, sheet.width, sheet.height);
    plist.close();
    if (!plist) {
        std::fprintf(stderr, "qnpack: %s: cannot write\n", plistPath.c_str());
        return 1;
    }
    std::printf("qnpack: %zu frames into %s (%d x %d)\n", frames.size(), pngPath.c_str(), sheet.width,
                sheet.height);
    return 0;
}
