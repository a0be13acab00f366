#pragma once
// Writing a Windows icon file holding one 32-bit picture (BGRA with its alpha, plus an all-zero
// AND mask), the form every icon reader understands.

#include "Image.h"

#include <string>

namespace qn {
namespace tools {

/// Writes `image` (at most 256 × 256) as an .ico file. On failure returns false and sets `error`.
bool writeIco(const std::string& path, const Image& image, std::string& error);

} // namespace tools
} // namespace qn
