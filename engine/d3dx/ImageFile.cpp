#include "engine/d3dx/ImageFile.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace d3dx {

namespace {

// Larger sides are refused before anything is allocated for them.
const std::uint32_t kMaxSide = 16384;

std::uint32_t read32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

constexpr std::uint32_t fourCC(char a, char b, char c, char d) {
    return std::uint32_t(std::uint8_t(a)) | (std::uint32_t(std::uint8_t(b)) << 8) |
           (std::uint32_t(std::uint8_t(c)) << 16) | (std::uint32_t(std::uint8_t(d)) << 24);
}

const std::size_t kDdsHeaderEnd = 128; // magic + 124-byte header
const std::uint32_t kPfAlphaPixels = 0x1;
const std::uint32_t kPfFourCC = 0x4;
const std::uint32_t kPfRgb = 0x40;
const std::uint32_t kCaps2CubeOrVolume = 0x200 | 0x200000;

struct MaskedFormat {
    std::uint32_t bits, r, g, b, a;
    PixelFormat format;
};

const MaskedFormat kMaskedFormats[] = {
    {32, 0xff0000, 0xff00, 0xff, 0xff000000, PixelFormat::A8R8G8B8},
    {32, 0xff0000, 0xff00, 0xff, 0, PixelFormat::X8R8G8B8},
    {24, 0xff0000, 0xff00, 0xff, 0, PixelFormat::R8G8B8},
    {16, 0xf800, 0x7e0, 0x1f, 0, PixelFormat::R5G6B5},
    {16, 0x7c00, 0x3e0, 0x1f, 0x8000, PixelFormat::A1R5G5B5},
    {16, 0x7c00, 0x3e0, 0x1f, 0, PixelFormat::X1R5G5B5},
    {16, 0xf00, 0xf0, 0xf, 0xf000, PixelFormat::A4R4G4B4},
};

PixelFormat ddsPixelFormat(const std::uint8_t* pf) {
    const std::uint32_t flags = read32(pf + 4);
    if (flags & kPfFourCC) {
        switch (read32(pf + 8)) {
        case fourCC('D', 'X', 'T', '1'):
            return PixelFormat::DXT1;
        case fourCC('D', 'X', 'T', '2'):
            return PixelFormat::DXT2;
        case fourCC('D', 'X', 'T', '3'):
            return PixelFormat::DXT3;
        case fourCC('D', 'X', 'T', '4'):
            return PixelFormat::DXT4;
        case fourCC('D', 'X', 'T', '5'):
            return PixelFormat::DXT5;
        default:
            return PixelFormat::Unknown;
        }
    }
    if (!(flags & kPfRgb)) {
        return PixelFormat::Unknown;
    }
    const std::uint32_t bits = read32(pf + 12);
    const std::uint32_t alpha = (flags & kPfAlphaPixels) ? read32(pf + 28) : 0;
    for (const MaskedFormat& m : kMaskedFormats) {
        if (m.bits == bits && m.r == read32(pf + 16) && m.g == read32(pf + 20) &&
            m.b == read32(pf + 24) && m.a == alpha) {
            return m.format;
        }
    }
    return PixelFormat::Unknown;
}

bool readDds(const std::uint8_t* bytes, std::size_t size, ImageFile& out) {
    if (size < kDdsHeaderEnd || read32(bytes + 4) != 124) {
        return false;
    }
    const std::uint32_t height = read32(bytes + 12), width = read32(bytes + 16);
    const std::uint32_t mipCount = read32(bytes + 28);
    const std::uint8_t* pf = bytes + 76;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        (read32(bytes + 112) & kCaps2CubeOrVolume)) {
        return false;
    }
    out.type = ImageFileType::Dds;
    out.width = int(width);
    out.height = int(height);
    out.format = ddsPixelFormat(pf);
    if (out.format == PixelFormat::Unknown) {
        return false;
    }
    // Only levels wholly present count; a file without its first level is no image.
    int wanted = mipCount == 0 ? 1 : int(std::min<std::uint32_t>(mipCount, 32));
    wanted = std::min(wanted, fullChainLength(out.width, out.height));
    std::uint64_t offset = kDdsHeaderEnd;
    out.levels.clear();
    for (int level = 0; level < wanted; ++level) {
        int w = std::max(1, out.width >> level), h = std::max(1, out.height >> level);
        std::uint64_t bytesNeeded = levelBytes(out.format, w, h);
        if (offset + bytesNeeded > size) {
            break;
        }
        out.levels.push_back(bytes + offset);
        offset += bytesNeeded;
    }
    return !out.levels.empty();
}

// JPEG markers the checks below need.
const std::uint8_t kJpegStartOfImage = 0xd8;
const std::uint8_t kJpegEndOfImage = 0xd9;
const std::uint8_t kJpegHuffmanTables = 0xc4;
const int kJpegHuffmanSymbols = 256;

std::uint8_t byteAt(const std::uint8_t* bytes, std::size_t size, std::size_t at) {
    return at < size ? bytes[at] : 0; // the decoder reads zeros past the end too
}

// The tables of one huffman-table segment, read as the decoder reads them:
// each holds 16 counts whose sum is its number of symbols.
bool huffmanTablesFit(const std::uint8_t* bytes, std::size_t size, std::size_t at, int length) {
    for (int left = length - 2; left > 0;) {
        int symbols = 0;
        for (int i = 0; i < 16; ++i) {
            symbols += byteAt(bytes, size, at + 1 + std::size_t(i));
        }
        if (symbols > kJpegHuffmanSymbols) {
            return false;
        }
        at += 17 + std::size_t(symbols);
        left -= 17 + symbols;
    }
    return true;
}

// The image decoder builds each huffman table into room for 256 symbols
// without checking the counts, so a table with more would be written past
// its end: such files are refused here. Walks the markers as the decoder
// does: it takes data for JPEG when it starts with 0xff bytes and the
// start-of-image marker, and finds markers byte by byte between segments.
bool jpegHuffmanTablesFit(const std::uint8_t* bytes, std::size_t size) {
    std::size_t at = 0;
    while (at < size && bytes[at] == 0xff) {
        ++at;
    }
    if (at == 0 || at >= size || bytes[at] != kJpegStartOfImage) {
        return true; // not read as JPEG
    }
    ++at;
    while (at + 1 < size) {
        if (bytes[at] != 0xff) {
            ++at; // entropy-coded data, or bytes the decoder skips
            continue;
        }
        const std::uint8_t marker = bytes[at + 1];
        if (marker == 0xff || marker == 0x00 || marker == 0x01 ||
            (marker >= 0xd0 && marker <= kJpegStartOfImage)) {
            at += marker == 0xff ? 1 : 2; // fill byte, stuffed zero, markers without a length
            continue;
        }
        if (marker == kJpegEndOfImage) {
            return true;
        }
        const int length = (byteAt(bytes, size, at + 2) << 8) | byteAt(bytes, size, at + 3);
        if (marker == kJpegHuffmanTables && !huffmanTablesFit(bytes, size, at + 4, length)) {
            return false;
        }
        at += 2 + std::size_t(length);
    }
    return true;
}

bool readDecodable(const std::uint8_t* bytes, std::size_t size, ImageFile& out) {
    if (size > std::size_t(INT_MAX)) {
        return false;
    }
    if (size >= 8 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0) {
        out.type = ImageFileType::Png;
    } else if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        out.type = ImageFileType::Bmp;
    } else if (size >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff) {
        out.type = ImageFileType::Jpg;
    } else {
        out.type = ImageFileType::Tga; // the one kind without a signature
    }
    if (!jpegHuffmanTablesFit(bytes, size)) {
        return false;
    }
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, int(size), &w, &h, &channels) || w <= 0 || h <= 0 ||
        std::uint32_t(w) > kMaxSide || std::uint32_t(h) > kMaxSide) {
        return false;
    }
    stbi_uc* pixels = stbi_load_from_memory(bytes, int(size), &w, &h, &channels, 4);
    if (!pixels) {
        return false;
    }
    out.width = w;
    out.height = h;
    out.format = (channels == 2 || channels == 4) ? PixelFormat::A8R8G8B8 : PixelFormat::X8R8G8B8;
    out.rgba = RgbaImage(w, h);
    std::memcpy(out.rgba.pixels.data(), pixels, out.rgba.pixels.size());
    stbi_image_free(pixels);
    out.levels.clear();
    return true;
}

} // namespace

int fullChainLength(int width, int height) {
    int levels = 1;
    for (int side = std::max(width, height); side > 1; side >>= 1) {
        ++levels;
    }
    return levels;
}

bool ImageFile::decode(int level, RgbaImage& out) const {
    if (levels.empty()) {
        if (level != 0) {
            return false;
        }
        out = rgba;
        return true;
    }
    if (level < 0 || level >= int(levels.size())) {
        return false;
    }
    int w = std::max(1, width >> level), h = std::max(1, height >> level);
    return decodeLevel(format, levels[std::size_t(level)], rowBytes(format, w), w, h, out);
}

bool readImageFile(const void* data, std::size_t size, ImageFile& out) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (!bytes || size == 0) {
        return false;
    }
    if (size >= 4 && std::memcmp(bytes, "DDS ", 4) == 0) {
        return readDds(bytes, size, out);
    }
    return readDecodable(bytes, size, out);
}

} // namespace d3dx
