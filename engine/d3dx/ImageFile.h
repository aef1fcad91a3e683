#pragma once
// Reads an image file held in memory for the D3DX stand-in's texture loader:
// PNG, BMP, TGA and JPEG decoded to RGBA, DDS kept in its own pixel format.
// Portable.

#include "engine/d3dx/Pixels.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace d3dx {

enum class ImageFileType { Bmp, Jpg, Tga, Png, Dds };

struct ImageFile {
    ImageFileType type = ImageFileType::Png;
    int width = 0;
    int height = 0;
    // The file's own pixel format (decoded files: A8R8G8B8 or X8R8G8B8 by alpha).
    PixelFormat format = PixelFormat::Unknown;
    // DDS: the levels stored in the file, tightly packed, pointing into the
    // caller's data (valid while it is). Other files: empty.
    std::vector<const std::uint8_t*> levels;
    // Decoded files: level 0 as RGBA. DDS: empty.
    RgbaImage rgba;

    int levelCount() const { return levels.empty() ? 1 : int(levels.size()); }
    // Level `level` (< levelCount()) as RGBA.
    bool decode(int level, RgbaImage& out) const;
};

// False when the data is not a complete image of a supported kind.
bool readImageFile(const void* data, std::size_t size, ImageFile& out);

// Number of levels down to 1 x 1.
int fullChainLength(int width, int height);

} // namespace d3dx
