#pragma once
// Reading and writing PNG files for the media tools. Writing is deterministic: fixed compression
// level and filters, and no time, text or gamma chunks, so the same picture gives the same bytes.

#include "Image.h"

#include <string>

namespace qn {
namespace tools {

/// Reads any PNG as 8-bit RGBA into `out`. On failure returns false and sets `error`.
bool readPng(const std::string& path, Image& out, std::string& error);

/// Writes `image` as an 8-bit RGBA PNG. On failure returns false and sets `error`.
bool writePng(const std::string& path, const Image& image, std::string& error);

/// Encodes `image` as PNG bytes into `out` (same bytes as `writePng` writes).
bool encodePng(const Image& image, std::string& out, std::string& error);

} // namespace tools
} // namespace qn
