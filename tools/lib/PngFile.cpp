#include "PngFile.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <png.h>
#include <vector>

namespace qn {
namespace tools {

bool readPng(const std::string& path, Image& out, std::string& error) {
    png_image info;
    std::memset(&info, 0, sizeof info);
    info.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&info, path.c_str())) {
        error = path + ": " + info.message;
        return false;
    }
    info.format = PNG_FORMAT_RGBA;
    if (info.width == 0 || info.height == 0 || info.width > 16384 || info.height > 16384) {
        png_image_free(&info);
        error = path + ": unsupported picture size";
        return false;
    }
    Image image(static_cast<int>(info.width), static_cast<int>(info.height));
    if (!png_image_finish_read(&info, nullptr, image.pixels.data(), 0, nullptr)) {
        error = path + ": " + info.message;
        png_image_free(&info);
        return false;
    }
    out = std::move(image);
    return true;
}

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp) {}

} // namespace

bool encodePng(const Image& image, std::string& out, std::string& error) {
    if (image.empty()) {
        error = "cannot write an empty picture";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    out.clear();
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        rows[static_cast<size_t>(y)] = const_cast<png_bytep>(image.at(0, y));
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = "PNG encoding failed";
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool writePng(const std::string& path, const Image& image, std::string& error) {
    std::string bytes;
    if (!encodePng(image, bytes, error)) {
        error = path + ": " + error;
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

} // namespace tools
} // namespace qn
