#pragma once
// Image files made in memory for the D3DX stand-in's tests: PNG, BMP, TGA and
// JPEG through stb_image_write, DDS built byte by byte.

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Pixels are 8-bit R, G, B(, A) row after row, `channels` bytes each.
std::string pngFile(int width, int height, int channels, const std::vector<std::uint8_t>& pixels);
std::string bmpFile(int width, int height, int channels, const std::vector<std::uint8_t>& pixels);
std::string tgaFile(int width, int height, int channels, const std::vector<std::uint8_t>& pixels);
std::string jpgFile(int width, int height, int channels, const std::vector<std::uint8_t>& pixels);
// A JPEG file whose first huffman table claims 16 x 255 symbols, more than
// the 256 a table can hold.
std::string jpgWithOverfullHuffmanTable();

// DDS pixel format description: a four-character code, or bit count and masks.
struct DdsFormat {
    const char* fourCC; // null for masked formats
    std::uint32_t bits, r, g, b, a;
};
// A DDS file whose levels (tightly packed, level 0 first) follow the header.
// mipCount is written as given (0 = field unused).
std::string ddsFile(const DdsFormat& format, int width, int height, std::uint32_t mipCount,
                    const std::string& levelData);

// Little-endian bytes of 16- and 32-bit values, for building pixel data.
std::string le16(std::uint32_t v);
std::string le32(std::uint32_t v);

} // namespace testsupport
