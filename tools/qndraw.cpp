// qndraw: draws simple pictures (sprite frames, backgrounds, icons, splash screens) from a small
// text description and writes them as PNG or ICO. Same description: byte-identical files.
//
// One command a line or several separated by ";"; "# " (a hash and a blank) starts a comment that
// runs to the end of the line. Coordinates are pixels, origin top-left, y down. Colours are #RGB, #RGBA,
// #RRGGBB or #RRGGBBAA.
//
//   canvas W H [COLOR]            start a new picture, transparent or filled with COLOR
//   fill COLOR | none             the fill paint
//   fill linear X0 Y0 X1 Y1 C0 C1 a linear gradient from (X0,Y0) in C0 to (X1,Y1) in C1
//   fill radial CX CY R C0 C1     a radial gradient, C0 at the centre, C1 from radius R on
//   stroke COLOR [WIDTH] | none   the outline paint (gradients as for fill) and its width
//   width W                       the outline width
//   clear                         paint the whole picture with the fill paint
//   rect X Y W H
//   roundrect X Y W H R
//   circle CX CY R
//   ellipse CX CY RX RY
//   polygon X1 Y1 X2 Y2 X3 Y3 ...
//   star CX CY OUTER INNER POINTS [DEGREES]
//   line X0 Y0 X1 Y1              drawn with the stroke paint and width
//   save PATH                     write the picture (.png, or .ico up to 256 x 256)

#include "Canvas.h"
#include "IcoFile.h"
#include "PngFile.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace qn::tools;

namespace {

struct Interpreter {
    std::string outDir;
    std::unique_ptr<Image> image;
    std::unique_ptr<Canvas> canvas;
    Style style;
    std::string where;
    std::string error;

    bool fail(const std::string& message) {
        error = where + ": " + message;
        return false;
    }

    static bool number(const std::string& s, double& out) {
        char* end = nullptr;
        out = std::strtod(s.c_str(), &end);
        return !s.empty() && *end == '\0' && std::isfinite(out);
    }

    bool numbers(const std::vector<std::string>& words, size_t from, size_t count, std::vector<double>& out) {
        if (words.size() < from + count)
            return fail(words[0] + " needs " + std::to_string(count) + " numbers");
        out.resize(count);
        for (size_t i = 0; i < count; ++i) {
            if (!number(words[from + i], out[i])) return fail("not a number: " + words[from + i]);
        }
        return true;
    }

    bool color(const std::string& word, Color& out) {
        if (!parseColor(word.c_str(), out)) return fail("not a colour: " + word);
        return true;
    }

    // Parses a paint starting at words[from]; `used` counts the words taken.
    bool paint(const std::vector<std::string>& words, size_t from, Paint& out, size_t& used) {
        if (words.size() <= from) return fail(words[0] + " needs a paint");
        const std::string& kind = words[from];
        std::vector<double> v;
        Color c0, c1;
        if (kind == "none") {
            out = Paint();
            used = 1;
        } else if (kind == "linear") {
            if (!numbers(words, from + 1, 4, v)) return false;
            if (words.size() < from + 7) return fail("linear needs two colours");
            if (!color(words[from + 5], c0) || !color(words[from + 6], c1)) return false;
            out = Paint::linear(v[0], v[1], c0, v[2], v[3], c1);
            used = 7;
        } else if (kind == "radial") {
            if (!numbers(words, from + 1, 3, v)) return false;
            if (words.size() < from + 6) return fail("radial needs two colours");
            if (!color(words[from + 4], c0) || !color(words[from + 5], c1)) return false;
            out = Paint::radial(v[0], v[1], v[2], c0, c1);
            used = 6;
        } else {
            if (!color(kind, c0)) return false;
            out = Paint::solid(c0);
            used = 1;
        }
        return true;
    }

    bool needCanvas(const std::string& command) {
        if (!canvas) return fail(command + " before any canvas");
        canvas->style = style;
        return true;
    }

    bool save(const std::string& path) {
        fs::path target = path;
        if (!outDir.empty() && target.is_relative()) target = fs::path(outDir) / target;
        std::error_code ec;
        if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
        std::string ext = target.extension().string();
        std::string message;
        bool ok = ext == ".ico" ? writeIco(target.string(), *image, message)
                                : writePng(target.string(), *image, message);
        if (!ok) return fail(message);
        return true;
    }

    bool run(const std::string& text) {
        std::istringstream in(text);
        std::vector<std::string> words;
        for (std::string w; in >> w;) {
            words.push_back(w);
        }
        if (words.empty()) return true;
        const std::string& cmd = words[0];
        std::vector<double> v;
        if (cmd == "canvas") {
            if (!numbers(words, 1, 2, v)) return false;
            if (v[0] < 1 || v[1] < 1 || v[0] > 8192 || v[1] > 8192)
                return fail("canvas size must be 1 to 8192");
            image = std::make_unique<Image>(static_cast<int>(v[0]), static_cast<int>(v[1]));
            canvas = std::make_unique<Canvas>(*image);
            if (words.size() > 3) {
                Color c;
                if (!color(words[3], c)) return false;
                canvas->clear(Paint::solid(c));
            }
            return true;
        }
        if (cmd == "fill" || cmd == "stroke") {
            size_t used = 0;
            Paint p;
            if (!paint(words, 1, p, used)) return false;
            (cmd == "fill" ? style.fill : style.stroke) = p;
            if (cmd == "stroke" && words.size() > 1 + used) {
                if (!numbers(words, 1 + used, 1, v)) return false;
                style.strokeWidth = v[0];
            }
            return true;
        }
        if (cmd == "width") {
            if (!numbers(words, 1, 1, v)) return false;
            style.strokeWidth = v[0];
            return true;
        }
        if (!needCanvas(cmd)) return false;
        if (cmd == "clear") {
            canvas->clear(style.fill);
        } else if (cmd == "rect") {
            if (!numbers(words, 1, 4, v)) return false;
            canvas->rect(v[0], v[1], v[2], v[3]);
        } else if (cmd == "roundrect") {
            if (!numbers(words, 1, 5, v)) return false;
            canvas->roundRect(v[0], v[1], v[2], v[3], v[4]);
        } else if (cmd == "circle") {
            if (!numbers(words, 1, 3, v)) return false;
            canvas->circle(v[0], v[1], v[2]);
        } else if (cmd == "ellipse") {
            if (!numbers(words, 1, 4, v)) return false;
            canvas->ellipse(v[0], v[1], v[2], v[3]);
        } else if (cmd == "polygon") {
            size_t n = words.size() - 1;
            if (n < 6 || n % 2) return fail("polygon needs at least three x y pairs");
            if (!numbers(words, 1, n, v)) return false;
            std::vector<Vec2> points;
            for (size_t i = 0; i < n; i += 2) points.push_back(Vec2{v[i], v[i + 1]});
            canvas->polygon(points);
        } else if (cmd == "star") {
            if (!numbers(words, 1, words.size() > 6 ? 6 : 5, v)) return false;
            int count = static_cast<int>(v[4]);
            if (count < 2 || count > 100) return fail("a star has 2 to 100 points");
            double start = (v.size() > 5 ? v[5] : 0) * M_PI / 180 - M_PI / 2;
            std::vector<Vec2> points;
            for (int i = 0; i < count * 2; ++i) {
                double r = i % 2 ? v[3] : v[2];
                double a = start + i * M_PI / count;
                points.push_back(Vec2{v[0] + r * std::cos(a), v[1] + r * std::sin(a)});
            }
            canvas->polygon(points);
        } else if (cmd == "line") {
            if (!numbers(words, 1, 4, v)) return false;
            canvas->line(v[0], v[1], v[2], v[3]);
        } else if (cmd == "save") {
            if (words.size() < 2) return fail("save needs a path");
            return save(words[1]);
        } else {
            return fail("unknown command " + cmd);
        }
        return true;
    }

    // Runs every command of `text`: lines, each cut at its comment, then split at ';'.
    bool runText(const std::string& name, const std::string& text) {
        std::string line;
        int number = 0;
        std::istringstream in(text);
        while (std::getline(in, line)) {
            ++number;
            where = name + ":" + std::to_string(number);
            line = withoutComment(line);
            std::istringstream commands(line);
            for (std::string command; std::getline(commands, command, ';');) {
                if (!run(command)) return false;
            }
        }
        return true;
    }

    // A comment starts at a '#' that begins a word and is followed by a blank, the line's end or
    // another '#'; "#ff0000" is a colour.
    static std::string withoutComment(const std::string& line) {
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '#' || (i > 0 && !std::isspace(static_cast<unsigned char>(line[i - 1])))) continue;
            char next = i + 1 < line.size() ? line[i + 1] : ' ';
            if (std::isspace(static_cast<unsigned char>(next)) || next == '#') return line.substr(0, i);
        }
        return line;
    }
};

void usage(FILE* to) {
    std::fprintf(
        to,
        "usage: qndraw [--out-dir DIR] [-e COMMANDS] [SCRIPT|-]...\n"
        "  SCRIPT         a file of drawing commands, one a line (- reads standard input)\n"
        "  -e COMMANDS    commands given on the command line\n"
        "  --out-dir DIR  folder that relative save paths are taken from\n"
        "Commands: canvas fill stroke width clear rect roundrect circle ellipse polygon star line save\n");
}

} // namespace

int main(int argc, char** argv) {
    Interpreter interpreter;
    bool ranAny = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool ok = true;
        if (arg == "-h" || arg == "--help") {
            usage(stdout);
            return 0;
        } else if (arg == "--out-dir" && i + 1 < argc) {
            interpreter.outDir = argv[++i];
            continue;
        } else if (arg == "-e" && i + 1 < argc) {
            ok = interpreter.runText("-e", argv[++i]);
        } else if (arg == "-") {
            std::stringstream ss;
            ss << std::cin.rdbuf();
            ok = interpreter.runText("stdin", ss.str());
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "qndraw: unknown option %s\n", arg.c_str());
            usage(stderr);
            return 2;
        } else {
            std::ifstream file(arg, std::ios::binary);
            if (!file) {
                std::fprintf(stderr, "qndraw: %s: cannot read\n", arg.c_str());
                return 1;
            }
            std::stringstream ss;
            ss << file.rdbuf();
            ok = interpreter.runText(arg, ss.str());
        }
        ranAny = true;
        if (!ok) {
            std::fprintf(stderr, "qndraw: %s\n", interpreter.error.c_str());
            return 2;
        }
    }
    if (!ranAny) {
        usage(stderr);
        return 2;
    }
    return 0;
}
