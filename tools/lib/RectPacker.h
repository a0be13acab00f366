#pragma once
// Packs rectangles into one sheet with shelves: deterministic, simple and good enough for sprite
// atlases and font pages of a few hundred pieces.

#include <vector>

namespace qn {
namespace tools {

/// One rectangle to place; `x`, `y` are set by the packer (top-left, in pixels).
struct PackItem {
    int w = 0;
    int h = 0;
    int x = 0;
    int y = 0;
};

/// How to pack.
struct PackOptions {
    int padding = 2;         ///< free pixels between pieces and around the sheet's border
    int maxSize = 4096;      ///< the sheet's largest width and height
    bool powerOfTwo = false; ///< round the sheet's width and height up to powers of two
    int minSize = 1;         ///< the smallest sheet width and height
};

/// The sheet size chosen; `ok` is false when the pieces do not fit in maxSize × maxSize.
struct PackResult {
    bool ok = false;
    int width = 0;
    int height = 0;
};

/// Places every item (sets its x and y) on the smallest sheet found. Items are placed tallest
/// first; equal items keep their order, so the same input always gives the same sheet.
PackResult packRects(std::vector<PackItem>& items, const PackOptions& options);

/// The smallest power of two not below `n` (1 for n <= 1).
int nextPowerOfTwo(int n);

} // namespace tools
} // namespace qn
