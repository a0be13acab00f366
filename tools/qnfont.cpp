// qnfont: bakes a TrueType font into a bitmap font: a text-format .fnt file (info, common, page,
// chars, kernings) and its one page PNG holding the glyphs in a colour with alpha coverage,
// optionally with an outline. Same font, same options: byte-identical output.

#include "Image.h"
#include "PngFile.h"
#include "RectPacker.h"
#include "Canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace qn::tools;

namespace {

const char* kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Options {
    std::string fontPath = kDefaultFont;
    int size = 32;
    std::set<unsigned> chars;
    int outline = 0;
    Color color{1, 1, 1, 1};
    Color outlineColor{0, 0, 0, 1};
    std::string faceName;
    std::string outputBase;
};

struct Glyph {
    unsigned code = 0;
    Image pixels;
    int xoffset = 0;
    int yoffset = 0;
    int xadvance = 0;
    int x = 0;
    int y = 0;
};

void usage(FILE* to) {
    std::fprintf(to,
                 "usage: qnfont [options] -o OUTPUT_BASE\n"
                 "  -o OUTPUT_BASE        writes OUTPUT_BASE.fnt and OUTPUT_BASE.png (e.g. "
                 "data/fonts/QNModelFont_ID5)\n"
                 "  --font PATH           TrueType font (default %s)\n"
                 "  --size PX             pixel size (default 32)\n"
                 "  --chars TEXT          characters to bake (UTF-8); may be repeated\n"
                 "  --range A-B           code points A to B; may be repeated (default 32-126)\n"
                 "  --color COLOR         glyph colour, #RRGGBB[AA] (default #ffffff)\n"
                 "  --outline PX          outline width in pixels (default 0: none)\n"
                 "  --outline-color COLOR outline colour (default #000000)\n"
                 "  --face NAME           face name written to the .fnt (default: the font's family)\n",
                 kDefaultFont);
}

bool parseInt(const std::string& text, int& out, int lo, int hi) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

// Decodes UTF-8 into code points; bad bytes are skipped.
void addUtf8(const std::string& text, std::set<unsigned>& out) {
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size() + (extra == 0 ? 1 : 0)) {
            ++i;
            continue;
        }
        unsigned code = extra == 0 ? c : c & (0x3f >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xc0) != 0x80) ok = false;
            code = (code << 6) | (cc & 0x3f);
        }
        i += ok ? extra + 1 : 1;
        if (ok) out.insert(code);
    }
}

// Renders a glyph (already loaded in the slot) to coverage, optionally as its outline border.
bool renderGlyph(FT_GlyphSlot slot, FT_Stroker stroker, FT_BitmapGlyph& out) {
    FT_Glyph glyph = nullptr;
    if (FT_Get_Glyph(slot, &glyph)) return false;
    if (stroker && glyph->format == FT_GLYPH_FORMAT_OUTLINE && FT_Glyph_StrokeBorder(&glyph, stroker, 0, 1)) {
        FT_Done_Glyph(glyph);
        return false;
    }
    if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1)) {
        FT_Done_Glyph(glyph);
        return false;
    }
    out = reinterpret_cast<FT_BitmapGlyph>(glyph);
    return true;
}

uint8_t coverageAt(const FT_Bitmap& bitmap, int x, int y) {
    if (x < 0 || y < 0 || x >= static_cast<int>(bitmap.width) || y >= static_cast<int>(bitmap.rows)) return 0;
    const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    return row[x];
}

// The glyph picture: colour with the fill's coverage as alpha, over the outline when there is one.
Image glyphImage(FT_BitmapGlyph fill, FT_BitmapGlyph border, const Options& options, int& left, int& top) {
    FT_BitmapGlyph frame = border ? border : fill;
    left = frame->left;
    top = frame->top;
    Image image(static_cast<int>(frame->bitmap.width), static_cast<int>(frame->bitmap.rows));
    int dx = fill->left - left, dy = top - fill->top;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            double fa = coverageAt(fill->bitmap, x - dx, y - dy) / 255.0 * options.color.a;
            double oa = border ? coverageAt(border->bitmap, x, y) / 255.0 * options.outlineColor.a : 0;
            double a = fa + oa * (1 - fa);
            uint8_t* px = image.at(x, y);
            const double src[3] = {options.color.r, options.color.g, options.color.b};
            const double dst[3] = {options.outlineColor.r, options.outlineColor.g, options.outlineColor.b};
            for (int i = 0; i < 3; ++i) {
                double c = a > 0 ? (src[i] * fa + dst[i] * oa * (1 - fa)) / a : src[i];
                px[i] = static_cast<uint8_t>(std::lround(std::clamp(c, 0.0, 1.0) * 255));
            }
            px[3] = static_cast<uint8_t>(std::lround(std::clamp(a, 0.0, 1.0) * 255));
        }
    }
    return image;
}

int parseArgs(int argc, char** argv, Options& options) {
    bool anyChars = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        std::string value = hasValue ? argv[i + 1] : "";
        auto bad = [&]() {
            std::fprintf(stderr, "qnfont: bad or missing value for %s\n", arg.c_str());
            return 2;
        };
        if (arg == "-h" || arg == "--help") {
            usage(stdout);
            return 0;
        }
        if (arg != "-o" && arg != "--font" && arg != "--size" && arg != "--chars" && arg != "--range" &&
            arg != "--color" && arg != "--outline" && arg != "--outline-color" && arg != "--face") {
            std::fprintf(stderr, "qnfont: unknown option %s\n", arg.c_str());
            usage(stderr);
            return 2;
        }
        if (!hasValue) return bad();
        ++i;
        if (arg == "-o") {
            options.outputBase = value;
        } else if (arg == "--font") {
            options.fontPath = value;
        } else if (arg == "--size") {
            if (!parseInt(value, options.size, 4, 512)) return bad();
        } else if (arg == "--chars") {
            addUtf8(value, options.chars);
            anyChars = true;
        } else if (arg == "--range") {
            size_t dash = value.find('-');
            int a = 0, b = 0;
            if (dash == std::string::npos || !parseInt(value.substr(0, dash), a, 0, 0x10ffff) ||
                !parseInt(value.substr(dash + 1), b, a, 0x10ffff) || b - a > 65535)
                return bad();
            for (int c = a; c <= b; ++c) options.chars.insert(static_cast<unsigned>(c));
            anyChars = true;
        } else if (arg == "--color") {
            if (!parseColor(value.c_str(), options.color)) return bad();
        } else if (arg == "--outline-color") {
            if (!parseColor(value.c_str(), options.outlineColor)) return bad();
        } else if (arg == "--outline") {
            if (!parseInt(value, options.outline, 0, 32)) return bad();
        } else if (arg == "--face") {
            options.faceName = value;
        }
    }
    if (options.outputBase.empty()) {
        usage(stderr);
        return 2;
    }
    if (!anyChars) {
        for (unsigned c = 32; c <= 126; ++c) options.chars.insert(c);
    }
    return -1;
}

std::string inQuotes(const std::string& s) {
    std::string out = "\"";
    for (char c : s) out += c == '"' ? '\'' : c;
    return out + "\"";
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    int status = parseArgs(argc, argv, options);
    if (status >= 0) return status;
    if (fs::path(options.outputBase).extension() == ".fnt") {
        options.outputBase =
            (fs::path(options.outputBase).parent_path() / fs::path(options.outputBase).stem()).string();
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library)) {
        std::fprintf(stderr, "qnfont: cannot start FreeType\n");
        return 1;
    }
    if (FT_New_Face(library, options.fontPath.c_str(), 0, &face) ||
        FT_Set_Pixel_Sizes(face, 0, options.size)) {
        std::fprintf(stderr, "qnfont: %s: cannot open as a font at %d px\n", options.fontPath.c_str(),
                     options.size);
        FT_Done_FreeType(library);
        return 1;
    }
    FT_Stroker stroker = nullptr;
    if (options.outline > 0) {
        FT_Stroker_New(library, &stroker);
        FT_Stroker_Set(stroker, options.outline * 64, FT_STROKER_LINECAP_ROUND, FT_STROKER_LINEJOIN_ROUND, 0);
    }

    const int base = static_cast<int>((face->size->metrics.ascender + 63) >> 6) + options.outline;
    const int lineHeight = static_cast<int>((face->size->metrics.height + 63) >> 6) + 2 * options.outline;

    std::vector<Glyph> glyphs;
    std::vector<FT_UInt> indices;
    int missing = 0;
    for (unsigned code : options.chars) {
        FT_UInt index = FT_Get_Char_Index(face, code);
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_DEFAULT)) {
            ++missing;
            continue;
        }
        Glyph g;
        g.code = code;
        g.xadvance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
        FT_BitmapGlyph fill = nullptr, border = nullptr;
        if (!renderGlyph(face->glyph, nullptr, fill) ||
            (stroker && !renderGlyph(face->glyph, stroker, border))) {
            if (fill) FT_Done_Glyph(reinterpret_cast<FT_Glyph>(fill));
            ++missing;
            continue;
        }
        int left = 0, top = 0;
        g.pixels = glyphImage(fill, border, options, left, top);
        g.xoffset = g.pixels.empty() ? 0 : left;
        g.yoffset = g.pixels.empty() ? 0 : base - top;
        FT_Done_Glyph(reinterpret_cast<FT_Glyph>(fill));
        if (border) FT_Done_Glyph(reinterpret_cast<FT_Glyph>(border));
        glyphs.push_back(std::move(g));
        indices.push_back(index);
    }
    if (missing)
        std::fprintf(stderr, "qnfont: %d characters are not in the font and were left out\n", missing);
    if (glyphs.empty()) {
        std::fprintf(stderr, "qnfont: no characters to bake\n");
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return 1;
    }

    // Pack every glyph with a picture; empty ones (the space) stay at 0,0 with no size.
    std::vector<PackItem> items;
    std::vector<size_t> packed;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i].pixels.empty()) continue;
        PackItem item;
        item.w = glyphs[i].pixels.width;
        item.h = glyphs[i].pixels.height;
        items.push_back(item);
        packed.push_back(i);
    }
    PackOptions packing;
    packing.padding = 1;
    packing.powerOfTwo = true;
    packing.minSize = 64;
    PackResult sheet = packRects(items, packing);
    if (!sheet.ok) {
        std::fprintf(stderr, "qnfont: the glyphs do not fit in one %d x %d page\n", packing.maxSize,
                     packing.maxSize);
        return 1;
    }
    Image page(sheet.width, sheet.height);
    for (size_t k = 0; k < packed.size(); ++k) {
        Glyph& g = glyphs[packed[k]];
        g.x = items[k].x;
        g.y = items[k].y;
        blit(page, g.pixels, g.x, g.y);
    }

    std::vector<std::string> kernings;
    if (FT_HAS_KERNING(face)) {
        char line[128];
        for (size_t a = 0; a < glyphs.size(); ++a) {
            for (size_t b = 0; b < glyphs.size(); ++b) {
                FT_Vector delta{0, 0};
                if (FT_Get_Kerning(face, indices[a], indices[b], FT_KERNING_DEFAULT, &delta)) continue;
                int amount = static_cast<int>(delta.x >> 6);
                if (amount == 0) continue;
                std::snprintf(line, sizeof line, "kerning first=%u second=%u amount=%d\n", glyphs[a].code,
                              glyphs[b].code, amount);
                kernings.push_back(line);
            }
        }
    }

    std::string faceName = options.faceName.empty()
                               ? std::string(face->family_name ? face->family_name : "font")
                               : options.faceName;
    bool bold = face->style_flags & FT_STYLE_FLAG_BOLD;
    bool italic = face->style_flags & FT_STYLE_FLAG_ITALIC;
    std::string pngPath = options.outputBase + ".png", fntPath = options.outputBase + ".fnt";
    std::string pageName = fs::path(pngPath).filename().string();

    std::string text;
    char line[512];
    std::snprintf(line, sizeof line,
                  "info face=%s size=%d bold=%d italic=%d charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 "
                  "padding=0,0,0,0 spacing=1,1\n",
                  inQuotes(faceName).c_str(), options.size, bold ? 1 : 0, italic ? 1 : 0);
    text += line;
    std::snprintf(line, sizeof line, "common lineHeight=%d base=%d scaleW=%d scaleH=%d pages=1 packed=0\n",
                  lineHeight, base, sheet.width, sheet.height);
    text += line;
    text += "page id=0 file=" + inQuotes(pageName) + "\n";
    text += "chars count=" + std::to_string(glyphs.size()) + "\n";
    for (const Glyph& g : glyphs) {
        std::snprintf(
            line, sizeof line,
            "char id=%u x=%d y=%d width=%d height=%d xoffset=%d yoffset=%d xadvance=%d page=0 chnl=15\n",
            g.code, g.x, g.y, g.pixels.width, g.pixels.height, g.xoffset, g.yoffset, g.xadvance);
        text += line;
    }
    if (!kernings.empty()) {
        text += "kernings count=" + std::to_string(kernings.size()) + "\n";
        for (const std::string& k : kernings) text += k;
    }

    if (stroker) FT_Stroker_Done(stroker);
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    std::error_code ec;
    fs::path outDir = fs::path(options.outputBase).parent_path();
    if (!outDir.empty()) fs::create_directories(outDir, ec);
    std::string error;
    if (!writePng(pngPath, page, error)) {
        std::fprintf(stderr, "qnfont: %s\n", error.c_str());
        return 1;
    }
    std::ofstream fnt(fntPath, std::ios::binary | std::ios::trunc);
    fnt << text;
    fnt.close();
    if (!fnt) {
        std::fprintf(stderr, "qnfont: %s: cannot write\n", fntPath.c_str());
        return 1;
    }
    std::printf("qnfont: %zu characters into %s (%d x %d)\n", glyphs.size(), fntPath.c_str(), sheet.width,
                sheet.height);
    return 0;
}
