#include "framework/CCImage.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/DebugLog.h"

namespace cocos2d {

bool CCImage::initWithImageFile(const char* path) {
    std::vector<unsigned char> bytes;
    if (!path || !qn::readFileBytes(path, bytes)) {
        qn::logLine("[CCImage] cannot open image file: %s", path ? path : "(null)");
        return false;
    }
    if (!initWithImageData(bytes.data(), bytes.size())) {
        qn::logLine("[CCImage] cannot decode image file: %s", path);
        return false;
    }
    return true;
}

bool CCImage::initWithImageData(const void* data, size_t length) {
    // Pictures larger than this are refused: no project atlas comes near it, and it keeps a
    // damaged header from asking for gigabytes.
    constexpr png_uint_32 kMaxSide = 16384;
    if (!data || length < 8) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, length)) return false;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    m_width = (int)image.width;
    m_height = (int)image.height;
    m_pixels.swap(pixels);
    m_hasAlpha = false;
    // Premultiply once here so every texture blends with (ONE, ONE_MINUS_SRC_ALPHA).
    unsigned char* p = m_pixels.data();
    for (size_t i = 0, n = (size_t)m_width * m_height; i < n; ++i, p += 4) {
        unsigned a = p[3];
        if (a == 255) continue;
        m_hasAlpha = true;
        p[0] = (unsigned char)((p[0] * a + 127) / 255);
        p[1] = (unsigned char)((p[1] * a + 127) / 255);
        p[2] = (unsigned char)((p[2] * a + 127) / 255);
    }
    m_premultiplied = true;
    return true;
}

bool CCImage::initWithRawData(const unsigned char* rgba, int width, int height, bool premultiplied) {
    if (!rgba || width <= 0 || height <= 0) return false;
    m_width = width;
    m_height = height;
    m_pixels.assign(rgba, rgba + (size_t)width * height * 4);
    m_premultiplied = premultiplied;
    m_hasAlpha = false;
    for (size_t i = 3; i < m_pixels.size(); i += 4)
        if (m_pixels[i] != 255) {
            m_hasAlpha = true;
            break;
        }
    return true;
}

bool CCImage::saveToFile(const char* path, bool opaque) const {
    if (!path || m_pixels.empty()) return false;
    if (!m_premultiplied) return qn::writePng(path, m_pixels.data(), m_width, m_height, false, opaque);
    std::vector<unsigned char> straight(m_pixels);
    for (size_t i = 0; i < straight.size(); i += 4) {
        unsigned a = straight[i + 3];
        if (a == 0 || a == 255) continue;
        for (int c = 0; c < 3; ++c) {
            unsigned v = (straight[i + c] * 255u + a / 2) / a;
            straight[i + c] = (unsigned char)(v > 255 ? 255 : v);
        }
    }
    return qn::writePng(path, straight.data(), m_width, m_height, false, opaque);
}

} // namespace cocos2d

namespace qn {

bool writePng(const std::string& path, const unsigned char* rgba, int width, int height, bool bottomRowFirst,
              bool opaque) {
    if (!rgba || width <= 0 || height <= 0) return false;
    std::vector<unsigned char> rgb;
    const unsigned char* source = rgba;
    if (opaque) {
        rgb.resize((size_t)width * height * 3);
        for (size_t i = 0, n = (size_t)width * height; i < n; ++i) {
            rgb[i * 3] = rgba[i * 4];
            rgb[i * 3 + 1] = rgba[i * 4 + 1];
            rgb[i * 3 + 2] = rgba[i * 4 + 2];
        }
        source = rgb.data();
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = (png_uint_32)width;
    image.height = (png_uint_32)height;
    image.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
    png_int_32 stride = (png_int_32)PNG_IMAGE_ROW_STRIDE(image);
    if (bottomRowFirst) stride = -stride;
    if (!png_image_write_to_file(&image, path.c_str(), 0, source, stride, nullptr)) {
        qn::logLine("[CCImage] cannot write PNG file: %s (%s)", path.c_str(), image.message);
        png_image_free(&image);
        return false;
    }
    return true;
}

bool readFileBytes(const std::string& path, std::vector<unsigned char>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return false;
    in.seekg(0, std::ios::beg);
    out.resize((size_t)size);
    if (size > 0 && !in.read(reinterpret_cast<char*>(out.data()), size)) return false;
    return true;
}

} // namespace qn
