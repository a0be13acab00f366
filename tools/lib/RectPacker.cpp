#include "RectPacker.h"

#include <algorithm>
#include <numeric>

namespace qn {
namespace tools {

int nextPowerOfTwo(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

namespace {

// Shelf placement at a fixed sheet width; returns the height used (including the bottom padding)
// or -1 when a piece is wider than the sheet.
int placeOnShelves(std::vector<PackItem>& items, const std::vector<size_t>& order, int sheetWidth,
                   int padding, int* usedWidth) {
    int x = padding, y = padding, shelfHeight = 0, right = 0;
    for (size_t index : order) {
        PackItem& item = items[index];
        if (item.w + 2 * padding > sheetWidth) return -1;
        if (x + item.w + padding > sheetWidth) {
            y += shelfHeight + padding;
            x = padding;
            shelfHeight = 0;
        }
        item.x = x;
        item.y = y;
        x += item.w + padding;
        shelfHeight = std::max(shelfHeight, item.h);
        right = std::max(right, item.x + item.w + padding);
    }
    *usedWidth = std::max(right, 2 * padding);
    return y + shelfHeight + padding;
}

} // namespace

PackResult packRects(std::vector<PackItem>& items, const PackOptions& options) {
    PackResult best;
    int padding = std::max(options.padding, 0);
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (items[a].h != items[b].h) return items[a].h > items[b].h;
        return items[a].w > items[b].w;
    });

    int widest = 0;
    long long area = 0;
    for (const PackItem& item : items) {
        widest = std::max(widest, item.w);
        area += static_cast<long long>(item.w + padding) * (item.h + padding);
    }
    int minSide = std::max(options.minSize, 1);

    // Try sheet widths from the narrowest possible up to the maximum, doubling each time (and the
    // square-ish width in between), and keep the smallest sheet.
    std::vector<int> widths;
    for (int w = nextPowerOfTwo(widest + 2 * padding); w <= options.maxSize; w *= 2) widths.push_back(w);
    if (!options.powerOfTwo) {
        int square = 1;
        while (static_cast<long long>(square) * square < area) ++square;
        widths.push_back(std::max(square + 2 * padding, widest + 2 * padding));
        widths.push_back(widest + 2 * padding);
    }
    std::sort(widths.begin(), widths.end());
    widths.erase(std::unique(widths.begin(), widths.end()), widths.end());

    long long bestArea = -1;
    int bestWidth = 0;
    for (int w : widths) {
        if (w > options.maxSize) continue;
        int used = 0;
        int h = placeOnShelves(items, order, w, padding, &used);
        if (h < 0) continue;
        int sheetW = options.powerOfTwo ? nextPowerOfTwo(std::max(used, minSide)) : std::max(used, minSide);
        int sheetH = options.powerOfTwo ? nextPowerOfTwo(std::max(h, minSide)) : std::max(h, minSide);
        if (sheetW > options.maxSize || sheetH > options.maxSize) continue;
        long long sheetArea = static_cast<long long>(sheetW) * sheetH;
        bool better = bestArea < 0 || sheetArea < bestArea ||
                      (sheetArea == bestArea && std::max(sheetW, sheetH) < std::max(best.width, best.height));
        if (better) {
            bestArea = sheetArea;
            bestWidth = w;
            best.ok = true;
            best.width = sheetW;
            best.height = sheetH;
        }
    }
    if (best.ok) {
        int used = 0;
        placeOnShelves(items, order, bestWidth, padding, &used);
    }
    return best;
}

} // namespace tools
} // namespace qn
