#include "tests/support/ImageFixtures.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace testsupport {

namespace {

void append(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), std::size_t(size));
}

} // namespace

std::string pngFile(int width, int height, int channels, const std::vector<std::uint8_t>& pixels) {
    std::string out;
    stbi_write_png_to_func(append, &out, width, height, channels, pixels.data(), width * channels);
    return out;
}

std::string bmpFile(int width, int height, int channels, const std::vector<std::uint8_t>& pixels) {
    std::string out;
    stbi_write_bmp_to_func(append, &out, width, height, channels, pixels.data());
    return out;
}

std::string tgaFile(int width, int height, int channels, const std::vector<std::uint8_t>& pixels) {
    std::string out;
    stbi_write_tga_to_func(append, &out, width, height, channels, pixels.data());
    return out;
}

std::string jpgFile(int width, int height, int channels, const std::vector<std::uint8_t>& pixels) {
    std::string out;
    stbi_write_jpg_to_func(append, &out, width, height, channels, pixels.data(), 100);
    return out;
}

std::string jpgWithOverfullHuffmanTable() {
    std::string file = jpgFile(8, 8, 3, std::vector<std::uint8_t>(8 * 8 * 3, 0x80));
    const size_t table = file.find("\xff\xc4");
    if (table != std::string::npos && table + 21 <= file.size()) {
        // After the marker, the length and the class byte: the 16 counts.
        for (size_t i = table + 5; i < table + 21; ++i) {
            file[i] = char(0xff);
        }
    }
    return file;
}

std::string le16(std::uint32_t v) {
    return std::string{char(v & 0xff), char((v >> 8) & 0xff)};
}

std::string le32(std::uint32_t v) {
    return le16(v & 0xffff) + le16(v >> 16);
}

std::string ddsFile(const DdsFormat& format, int width, int height, std::uint32_t mipCount,
                    const std::string& levelData) {
    const std::uint32_t caps = 0x1000 | (mipCount > 1 ? 0x400008 : 0);
    const std::uint32_t flags = 0x1 | 0x2 | 0x4 | 0x1000 | (mipCount > 0 ? 0x20000 : 0);
    std::string out = "DDS ";
    out += le32(124) + le32(flags) + le32(std::uint32_t(height)) + le32(std::uint32_t(width));
    out += le32(0) + le32(0) + le32(mipCount);
    out += std::string(11 * 4, '\0');
    // Pixel format block.
    out += le32(32);
    if (format.fourCC) {
        out += le32(0x4) + std::string(format.fourCC, 4) + std::string(5 * 4, '\0');
    } else {
        out += le32(0x40 | (format.a ? 0x1 : 0)) + le32(0);
        out +=
            le32(format.bits) + le32(format.r) + le32(format.g) + le32(format.b) + le32(format.a);
    }
    out += le32(caps) + std::string(4 * 4, '\0');
    return out + levelData;
}

} // namespace testsupport
