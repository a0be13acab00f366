#include "Image.h"

#include <algorithm>
#include <cstring>

namespace qn {
namespace tools {

Image::Image(int w, int h) : width(std::max(w, 0)), height(std::max(h, 0)) {
    pixels.assign(static_cast<size_t>(width) * height * 4, 0);
}

PixelRect opaqueBounds(const Image& image, uint8_t threshold) {
    int left = image.width, top = image.height, right = -1, bottom = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y)[3] <= threshold) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return PixelRect{};
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

Image crop(const Image& image, const PixelRect& rect) {
    int x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
    int x1 = std::min(rect.x + rect.w, image.width), y1 = std::min(rect.y + rect.h, image.height);
    Image out(x1 - x0, y1 - y0);
    for (int y = 0; y < out.height; ++y) {
        std::memcpy(out.at(0, y), image.at(x0, y0 + y), static_cast<size_t>(out.width) * 4);
    }
    return out;
}

void blit(Image& dst, const Image& src, int x, int y) {
    int sx0 = std::max(0, -x), sy0 = std::max(0, -y);
    int sx1 = std::min(src.width, dst.width - x), sy1 = std::min(src.height, dst.height - y);
    if (sx1 <= sx0) return;
    for (int sy = sy0; sy < sy1; ++sy) {
        std::memcpy(dst.at(x + sx0, y + sy), src.at(sx0, sy), static_cast<size_t>(sx1 - sx0) * 4);
    }
}

} // namespace tools
} // namespace qn
