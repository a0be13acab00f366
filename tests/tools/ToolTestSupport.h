#pragma once
// Helpers for the media-tool tests: where the built tools are, and reading back the PNGs they
// write (through libpng, which the core library links).

#include "TestSupport.h"

#include <cstdint>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

namespace qntest {

/// The built tool `name`: the tools are built into `<build>/tools/`, beside the player binary.
inline std::string toolPath(const std::string& name) {
    std::string player = QN_PLAYER_BINARY;
    return player.substr(0, player.rfind('/') + 1) + "tools/" + name;
}

/// Runs tool `name` with `args` (already quoted) in `workDir`.
inline RunResult runTool(const std::string& name, const std::string& args, const std::string& workDir) {
    return runCommand(shellQuote(toolPath(name)) + " " + args, workDir);
}

/// An RGBA picture read back from a PNG.
struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    const uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

/// Reads a PNG as RGBA; width stays 0 when it cannot be read.
inline Rgba readRgba(const std::string& path) {
    Rgba out;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels = std::move(pixels);
    return out;
}

} // namespace qntest
