#pragma once
// Decoded pictures: PNG files read through libpng into 8-bit RGBA rows (top row first), with the
// colour channels premultiplied by alpha, and PNG writing for screenshots and render textures.

#include <string>
#include <vector>

#include "framework/CCObject.h"

namespace cocos2d {

class CCImage : public CCObject {
public:
    CCImage() = default;
    ~CCImage() override = default;

    /// Reads a PNG file. False (and a log line) when it is missing or cannot be decoded.
    bool initWithImageFile(const char* path);
    /// Decodes PNG bytes held by the caller.
    bool initWithImageData(const void* data, size_t length);
    /// Copies `width` x `height` RGBA pixels (top row first); `premultiplied` says what they hold.
    bool initWithRawData(const unsigned char* rgba, int width, int height, bool premultiplied);

    /// Writes the picture as an RGBA PNG with straight alpha (or RGB when `opaque`).
    bool saveToFile(const char* path, bool opaque = false) const;

    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    /// RGBA bytes, top row first; owned by the image.
    const unsigned char* getData() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    unsigned char* getData() { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    bool isPremultipliedAlpha() const { return m_premultiplied; }
    /// True when some pixel is not fully opaque.
    bool hasAlpha() const { return m_hasAlpha; }

private:
    std::vector<unsigned char> m_pixels;
    int m_width = 0;
    int m_height = 0;
    bool m_premultiplied = true;
    bool m_hasAlpha = false;
};

} // namespace cocos2d

namespace qn {

/// Writes `width` x `height` RGBA bytes (rows top first unless `bottomRowFirst`) as a PNG file.
/// Straight alpha is expected; `opaque` drops the alpha channel. False when the file can't be written.
bool writePng(const std::string& path, const unsigned char* rgba, int width, int height, bool bottomRowFirst,
              bool opaque);

/// Reads a whole file into `out`; false when it cannot be opened.
bool readFileBytes(const std::string& path, std::vector<unsigned char>& out);

} // namespace qn

namespace cocos2d {
using qn::writePng;
} // namespace cocos2d
