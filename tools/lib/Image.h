#pragma once
// An 8-bit RGBA picture in memory (straight alpha, top row first) and the few pixel operations the
// media tools share: finding the opaque part, cropping and copying.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qn {
namespace tools {

/// A rectangle in pixels, origin top-left; an empty rectangle has w or h of 0.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

/// An RGBA picture; four bytes a pixel, rows top to bottom.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    Image() = default;
    /// A fully transparent picture of `w` × `h` (negative sizes count as 0).
    Image(int w, int h);

    bool empty() const { return width <= 0 || height <= 0; }
    /// The four bytes of pixel (x, y); the caller keeps x and y inside the picture.
    uint8_t* at(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

/// The smallest rectangle holding every pixel whose alpha is above `threshold`; empty when none is.
PixelRect opaqueBounds(const Image& image, uint8_t threshold = 0);

/// A copy of the part of `image` inside `rect` (clipped to the picture).
Image crop(const Image& image, const PixelRect& rect);

/// Copies `src` into `dst` with its top-left corner at (x, y), replacing pixels; clipped to `dst`.
void blit(Image& dst, const Image& src, int x, int y);

} // namespace tools
} // namespace qn
