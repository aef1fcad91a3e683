// Image files that start the image fuzzer off: DDS in every format the
// reader knows, with and without mip levels, small PNG, BMP, TGA and JPEG
// files, and the fuzzer's findings.
#include "fuzz/FuzzTarget.h"

#include "engine/d3dx/Pixels.h"
#include "tests/support/ImageFixtures.h"

#include <algorithm>

using testsupport::DdsFormat;

namespace {

std::string chain(d3dx::PixelFormat format, int width, int height, int levels) {
    std::string bytes;
    for (int level = 0; level < levels; ++level) {
        const int w = std::max(1, width >> level), h = std::max(1, height >> level);
        const size_t count = size_t(d3dx::levelBytes(format, w, h));
        for (size_t i = 0; i < count; ++i) {
            bytes += char(i * 37 + level * 11);
        }
    }
    return bytes;
}

} // namespace

std::vector<std::pair<std::string, std::string>> fuzzSeeds() {
    struct Dds {
        const char* name;
        DdsFormat description;
        d3dx::PixelFormat format;
    };
    const Dds formats[] = {
        {"a8r8g8b8",
         {nullptr, 32, 0xff0000, 0xff00, 0xff, 0xff000000},
         d3dx::PixelFormat::A8R8G8B8},
        {"x8r8g8b8", {nullptr, 32, 0xff0000, 0xff00, 0xff, 0}, d3dx::PixelFormat::X8R8G8B8},
        {"r8g8b8", {nullptr, 24, 0xff0000, 0xff00, 0xff, 0}, d3dx::PixelFormat::R8G8B8},
        {"r5g6b5", {nullptr, 16, 0xf800, 0x7e0, 0x1f, 0}, d3dx::PixelFormat::R5G6B5},
        {"a1r5g5b5", {nullptr, 16, 0x7c00, 0x3e0, 0x1f, 0x8000}, d3dx::PixelFormat::A1R5G5B5},
        {"x1r5g5b5", {nullptr, 16, 0x7c00, 0x3e0, 0x1f, 0}, d3dx::PixelFormat::X1R5G5B5},
        {"a4r4g4b4", {nullptr, 16, 0xf00, 0xf0, 0xf, 0xf000}, d3dx::PixelFormat::A4R4G4B4},
        {"dxt1", {"DXT1", 0, 0, 0, 0, 0}, d3dx::PixelFormat::DXT1},
        {"dxt2", {"DXT2", 0, 0, 0, 0, 0}, d3dx::PixelFormat::DXT2},
        {"dxt3", {"DXT3", 0, 0, 0, 0, 0}, d3dx::PixelFormat::DXT3},
        {"dxt4", {"DXT4", 0, 0, 0, 0, 0}, d3dx::PixelFormat::DXT4},
        {"dxt5", {"DXT5", 0, 0, 0, 0, 0}, d3dx::PixelFormat::DXT5},
    };
    std::vector<std::pair<std::string, std::string>> seeds;
    for (const Dds& dds : formats) {
        seeds.emplace_back(
            std::string(dds.name) + ".dds",
            testsupport::ddsFile(dds.description, 5, 3, 0, chain(dds.format, 5, 3, 1)));
        seeds.emplace_back(
            std::string(dds.name) + "-mips.dds",
            testsupport::ddsFile(dds.description, 8, 4, 4, chain(dds.format, 8, 4, 4)));
    }
    std::vector<uint8_t> rgba(6 * 4 * 4);
    for (size_t i = 0; i < rgba.size(); ++i) {
        rgba[i] = uint8_t(i * 29);
    }
    std::vector<uint8_t> rgb(6 * 4 * 3, 0x5a);
    seeds.emplace_back("rgba.png", testsupport::pngFile(6, 4, 4, rgba));
    seeds.emplace_back("rgb.bmp", testsupport::bmpFile(6, 4, 3, rgb));
    seeds.emplace_back("rgba.tga", testsupport::tgaFile(6, 4, 4, rgba));
    seeds.emplace_back("rgb.jpg", testsupport::jpgFile(6, 4, 3, rgb));
    // Found by the fuzzer: the decoder wrote a table of more than 256 symbols.
    seeds.emplace_back("overfull-huffman-table.jpg", testsupport::jpgWithOverfullHuffmanTable());
    return seeds;
}
