#include "IcoFile.h"

#include <fstream>

namespace qn {
namespace tools {

namespace {

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& out, unsigned v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

} // namespace

bool writeIco(const std::string& path, const Image& image, std::string& error) {
    if (image.empty() || image.width > 256 || image.height > 256) {
        error = path + ": an icon must be 1 to 256 pixels wide and high";
        return false;
    }
    const unsigned w = static_cast<unsigned>(image.width), h = static_cast<unsigned>(image.height);
    const unsigned maskRow = ((w + 31) / 32) * 4;
    const unsigned dataSize = 40 + w * h * 4 + maskRow * h;
    std::string out;
    put16(out, 0); // reserved
    put16(out, 1); // type: icon
    put16(out, 1); // one picture
    out += static_cast<char>(w == 256 ? 0 : w);
    out += static_cast<char>(h == 256 ? 0 : h);
    out += '\0'; // no palette
    out += '\0';
    put16(out, 1);  // planes
    put16(out, 32); // bits a pixel
    put32(out, dataSize);
    put32(out, 22); // the picture follows the six-byte header and the one 16-byte entry
    // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
    put32(out, 40);
    put32(out, w);
    put32(out, h * 2);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, w * h * 4 + maskRow * h);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* px = image.at(x, y);
            out += static_cast<char>(px[2]);
            out += static_cast<char>(px[1]);
            out += static_cast<char>(px[0]);
            out += static_cast<char>(px[3]);
        }
    }
    out.append(static_cast<size_t>(maskRow) * h, '\0');
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

} // namespace tools
} // namespace qn
