// Arbitrary bytes as an image file for the D3DX stand-in's texture loader:
// read the header and levels, decode each level to RGBA, and build the mip
// chain and the fitted canvas the loader would.
#include "fuzz/FuzzTarget.h"

#include "engine/d3dx/ImageFile.h"
#include "engine/d3dx/Pixels.h"
#include "engine/d3dx/TextureSize.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Bigger pictures are read but not decoded: decoding them only costs time.
constexpr uint64_t maxDecodedPixels = uint64_t(1) << 20;

void checkLevel(const d3dx::ImageFile& image, int level) {
    const int w = std::max(1, image.width >> level), h = std::max(1, image.height >> level);
    if (uint64_t(w) * uint64_t(h) > maxDecodedPixels) {
        return;
    }
    d3dx::RgbaImage rgba;
    if (!image.decode(level, rgba)) {
        if (!image.levels.empty()) {
            __builtin_trap(); // a level that was read must decode
        }
        return;
    }
    if (rgba.width != w || rgba.height != h || rgba.pixels.size() != size_t(w) * h * 4) {
        __builtin_trap();
    }
    d3dx::RgbaImage half = d3dx::halveBox(rgba);
    d3dx::RgbaImage fitted = d3dx::fitImage(rgba, w + 3, h + 1, level % 2 == 0);
    // Back into the file's own format, as a texture of that format receives it.
    if (image.format != d3dx::PixelFormat::Unknown) {
        const size_t pitch = d3dx::rowBytes(image.format, w);
        std::vector<uint8_t> encoded(pitch * size_t(d3dx::rowCount(image.format, h)) + 1);
        d3dx::encodeLevel(image.format, rgba, encoded.data(), pitch);
    }
    (void)half;
    (void)fitted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (size_t(1) << 22)) {
        return 0;
    }
    // Decoded files that claim huge pictures only make the decoder ask for the
    // memory (as the product would, and fail there): skip them, so that the
    // time goes to the parsers. JPEG data is left alone: its tables must be
    // checked before the decoder sees them.
    int w = 0, h = 0, channels = 0;
    if (size >= 4 && data[0] != 0xff && std::memcmp(data, "DDS ", 4) != 0 &&
        stbi_info_from_memory(data, int(size), &w, &h, &channels) &&
        uint64_t(w) * uint64_t(h) > maxDecodedPixels) {
        return 0;
    }
    d3dx::ImageFile image;
    if (!d3dx::readImageFile(data, size, image)) {
        return 0;
    }
    if (image.width <= 0 || image.height <= 0 ||
        image.levelCount() > d3dx::fullChainLength(image.width, image.height)) {
        __builtin_trap();
    }
    for (int level = 0; level < image.levelCount(); ++level) {
        checkLevel(image, level);
    }
    d3dx::TextureSizeRules rules;
    rules.powerOfTwo = (size % 2) == 0;
    rules.squareOnly = (size % 3) == 0;
    rules.maxWidth = rules.maxHeight = 2048;
    unsigned width = unsigned(image.width), height = unsigned(image.height);
    d3dx::fitTextureSize(rules, width, height, unsigned(image.levelCount()));
    if (width == 0 || height == 0 || width > 2048 || height > 2048) {
        __builtin_trap();
    }
    return 0;
}
