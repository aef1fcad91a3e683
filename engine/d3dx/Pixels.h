#pragma once
// Pixel formats and conversions behind the D3DX stand-in: decoding any
// supported format to 8-bit RGBA, encoding back, box-filtered halving.
// Portable; used by the texture loader and the surface saver.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace d3dx {

enum class PixelFormat {
    Unknown,
    A8R8G8B8,
    X8R8G8B8,
    R8G8B8,
    R5G6B5,
    X1R5G5B5,
    A1R5G5B5,
    A4R4G4B4,
    DXT1,
    DXT2,
    DXT3,
    DXT4,
    DXT5,
};

// Tightly packed 8-bit R, G, B, A pixels, row after row.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h) * 4) {}
    std::uint8_t* at(int x, int y) { return &pixels[(std::size_t(y) * width + x) * 4]; }
    const std::uint8_t* at(int x, int y) const { return &pixels[(std::size_t(y) * width + x) * 4]; }
};

bool isCompressed(PixelFormat format);
// Bytes per pixel of an uncompressed format, bytes per 4 x 4 block of a compressed one.
int unitBytes(PixelFormat format);
// Bytes of one row (of pixels, or of 4 x 4 blocks) and the number of such rows.
std::size_t rowBytes(PixelFormat format, int width);
int rowCount(PixelFormat format, int height);
// Bytes of a tightly packed level.
std::uint64_t levelBytes(PixelFormat format, int width, int height);

// Reads a width x height level whose rows are `pitch` bytes apart.
// False for PixelFormat::Unknown.
bool decodeLevel(PixelFormat format, const std::uint8_t* src, std::size_t pitch, int width,
                 int height, RgbaImage& out);
// Writes `image` in `format` with rows `pitch` bytes apart. False for Unknown.
bool encodeLevel(PixelFormat format, const RgbaImage& image, std::uint8_t* dst, std::size_t pitch);

// The next mip level: half the size (at least 1), each pixel the rounded mean of
// its 2 x 2 source block (blocks clipped at the right and bottom edges).
RgbaImage halveBox(const RgbaImage& image);
// The image on a width x height canvas: copied into the top-left corner and
// the rest transparent black when `scale` is false, else point-sampled to fit.
RgbaImage fitImage(const RgbaImage& image, int width, int height, bool scale);
// Pixels equal to the ARGB colour key become transparent black.
void applyColorKey(RgbaImage& image, std::uint32_t argbKey);

} // namespace d3dx
