#include "engine/d3dx/Pixels.h"

#include <stb/stb_dxt.h>

#include <algorithm>
#include <cstring>

namespace d3dx {

namespace {

std::uint16_t read16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

void write16(std::uint8_t* p, unsigned v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

// n-bit channel value to 8 bits by repeating its bits, so that full scale stays full.
std::uint8_t expand(unsigned v, int bits) {
    unsigned out = v << (8 - bits);
    for (int filled = bits; filled < 8; filled += bits) {
        out |= out >> bits;
    }
    return std::uint8_t(out);
}

// 8 bits to n bits, rounded.
unsigned shrink(std::uint8_t v, int bits) {
    unsigned top = (1u << bits) - 1;
    return (unsigned(v) * top + 127) / 255;
}

void setPixel(std::uint8_t* out, unsigned r, unsigned g, unsigned b, unsigned a) {
    out[0] = std::uint8_t(r);
    out[1] = std::uint8_t(g);
    out[2] = std::uint8_t(b);
    out[3] = std::uint8_t(a);
}

void decodePixel(PixelFormat format, const std::uint8_t* p, std::uint8_t* out) {
    switch (format) {
    case PixelFormat::A8R8G8B8:
        setPixel(out, p[2], p[1], p[0], p[3]);
        break;
    case PixelFormat::X8R8G8B8:
        setPixel(out, p[2], p[1], p[0], 255);
        break;
    case PixelFormat::R8G8B8:
        setPixel(out, p[2], p[1], p[0], 255);
        break;
    case PixelFormat::R5G6B5: {
        unsigned v = read16(p);
        setPixel(out, expand(v >> 11, 5), expand((v >> 5) & 63, 6), expand(v & 31, 5), 255);
        break;
    }
    case PixelFormat::X1R5G5B5:
    case PixelFormat::A1R5G5B5: {
        unsigned v = read16(p);
        unsigned a = format == PixelFormat::X1R5G5B5 || (v & 0x8000) ? 255 : 0;
        setPixel(out, expand((v >> 10) & 31, 5), expand((v >> 5) & 31, 5), expand(v & 31, 5), a);
        break;
    }
    case PixelFormat::A4R4G4B4: {
        unsigned v = read16(p);
        setPixel(out, expand((v >> 8) & 15, 4), expand((v >> 4) & 15, 4), expand(v & 15, 4),
                 expand(v >> 12, 4));
        break;
    }
    default:
        break;
    }
}

void encodePixel(PixelFormat format, const std::uint8_t* in, std::uint8_t* p) {
    const unsigned r = in[0], g = in[1], b = in[2], a = in[3];
    switch (format) {
    case PixelFormat::A8R8G8B8:
    case PixelFormat::X8R8G8B8:
        p[0] = std::uint8_t(b);
        p[1] = std::uint8_t(g);
        p[2] = std::uint8_t(r);
        p[3] = format == PixelFormat::A8R8G8B8 ? std::uint8_t(a) : 255;
        break;
    case PixelFormat::R8G8B8:
        p[0] = std::uint8_t(b);
        p[1] = std::uint8_t(g);
        p[2] = std::uint8_t(r);
        break;
    case PixelFormat::R5G6B5:
        write16(p, (shrink(r, 5) << 11) | (shrink(g, 6) << 5) | shrink(b, 5));
        break;
    case PixelFormat::X1R5G5B5:
    case PixelFormat::A1R5G5B5: {
        unsigned top = format == PixelFormat::X1R5G5B5 || a >= 128 ? 0x8000 : 0;
        write16(p, top | (shrink(r, 5) << 10) | (shrink(g, 5) << 5) | shrink(b, 5));
        break;
    }
    case PixelFormat::A4R4G4B4:
        write16(p, (shrink(a, 4) << 12) | (shrink(r, 4) << 8) | (shrink(g, 4) << 4) | shrink(b, 4));
        break;
    default:
        break;
    }
}

// Colour part of a DXT block: 4 x 4 pixels written into `texels` (RGBA, row-major).
// DXT1 blocks with c0 <= c1 use three colours and transparent black.
void decodeColorBlock(const std::uint8_t* block, bool dxt1, std::uint8_t texels[16][4]) {
    unsigned c0 = read16(block), c1 = read16(block + 2);
    std::uint8_t palette[4][4];
    for (int i = 0; i < 2; ++i) {
        unsigned c = i == 0 ? c0 : c1;
        setPixel(palette[i], expand(c >> 11, 5), expand((c >> 5) & 63, 6), expand(c & 31, 5), 255);
    }
    for (int ch = 0; ch < 3; ++ch) {
        unsigned a = palette[0][ch], b = palette[1][ch];
        if (!dxt1 || c0 > c1) {
            palette[2][ch] = std::uint8_t((2 * a + b) / 3);
            palette[3][ch] = std::uint8_t((a + 2 * b) / 3);
        } else {
            palette[2][ch] = std::uint8_t((a + b) / 2);
            palette[3][ch] = 0;
        }
    }
    palette[2][3] = 255;
    palette[3][3] = (!dxt1 || c0 > c1) ? 255 : 0;
    std::uint32_t indices = std::uint32_t(block[4]) | (std::uint32_t(block[5]) << 8) |
                            (std::uint32_t(block[6]) << 16) | (std::uint32_t(block[7]) << 24);
    for (int i = 0; i < 16; ++i) {
        std::memcpy(texels[i], palette[(indices >> (2 * i)) & 3], 4);
    }
}

void decodeInterpolatedAlpha(const std::uint8_t* block, std::uint8_t texels[16][4]) {
    unsigned a0 = block[0], a1 = block[1];
    unsigned values[8] = {a0, a1};
    if (a0 > a1) {
        for (int i = 1; i < 7; ++i) {
            values[i + 1] = ((7 - i) * a0 + i * a1) / 7;
        }
    } else {
        for (int i = 1; i < 5; ++i) {
            values[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        }
        values[6] = 0;
        values[7] = 255;
    }
    std::uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) {
        bits |= std::uint64_t(block[2 + i]) << (8 * i);
    }
    for (int i = 0; i < 16; ++i) {
        texels[i][3] = std::uint8_t(values[(bits >> (3 * i)) & 7]);
    }
}

void decodeBlock(PixelFormat format, const std::uint8_t* block, std::uint8_t texels[16][4]) {
    if (format == PixelFormat::DXT1) {
        decodeColorBlock(block, true, texels);
        return;
    }
    decodeColorBlock(block + 8, false, texels);
    if (format == PixelFormat::DXT2 || format == PixelFormat::DXT3) {
        for (int i = 0; i < 16; ++i) {
            unsigned nibble = (block[i / 2] >> (4 * (i % 2))) & 15;
            texels[i][3] = std::uint8_t(nibble * 17);
        }
    } else {
        decodeInterpolatedAlpha(block, texels);
    }
}

void encodeBlock(PixelFormat format, const std::uint8_t texels[16][4], std::uint8_t* block) {
    if (format == PixelFormat::DXT1) {
        // Without the alpha block the encoder wants constant alpha.
        std::uint8_t opaque[16][4];
        std::memcpy(opaque, texels, sizeof opaque);
        for (auto& t : opaque) {
            t[3] = 255;
        }
        stb_compress_dxt_block(block, &opaque[0][0], 0, STB_DXT_HIGHQUAL);
    } else if (format == PixelFormat::DXT2 || format == PixelFormat::DXT3) {
        std::memset(block, 0, 8);
        for (int i = 0; i < 16; ++i) {
            block[i / 2] |= std::uint8_t(shrink(texels[i][3], 4) << (4 * (i % 2)));
        }
        std::uint8_t opaque[16][4];
        std::memcpy(opaque, texels, sizeof opaque);
        for (auto& t : opaque) {
            t[3] = 255;
        }
        stb_compress_dxt_block(block + 8, &opaque[0][0], 0, STB_DXT_HIGHQUAL);
    } else {
        stb_compress_dxt_block(block, &texels[0][0], 1, STB_DXT_HIGHQUAL);
    }
}

} // namespace

bool isCompressed(PixelFormat format) {
    return format == PixelFormat::DXT1 || format == PixelFormat::DXT2 ||
           format == PixelFormat::DXT3 || format == PixelFormat::DXT4 ||
           format == PixelFormat::DXT5;
}

int unitBytes(PixelFormat format) {
    switch (format) {
    case PixelFormat::A8R8G8B8:
    case PixelFormat::X8R8G8B8:
        return 4;
    case PixelFormat::R8G8B8:
        return 3;
    case PixelFormat::R5G6B5:
    case PixelFormat::X1R5G5B5:
    case PixelFormat::A1R5G5B5:
    case PixelFormat::A4R4G4B4:
        return 2;
    case PixelFormat::DXT1:
        return 8;
    case PixelFormat::DXT2:
    case PixelFormat::DXT3:
    case PixelFormat::DXT4:
    case PixelFormat::DXT5:
        return 16;
    case PixelFormat::Unknown:
        break;
    }
    return 0;
}

std::size_t rowBytes(PixelFormat format, int width) {
    std::size_t units =
        isCompressed(format) ? std::size_t(std::max(1, (width + 3) / 4)) : std::size_t(width);
    return units * std::size_t(unitBytes(format));
}

int rowCount(PixelFormat format, int height) {
    return isCompressed(format) ? std::max(1, (height + 3) / 4) : height;
}

std::uint64_t levelBytes(PixelFormat format, int width, int height) {
    return std::uint64_t(rowBytes(format, width)) * std::uint64_t(rowCount(format, height));
}

bool decodeLevel(PixelFormat format, const std::uint8_t* src, std::size_t pitch, int width,
                 int height, RgbaImage& out) {
    if (unitBytes(format) == 0 || width <= 0 || height <= 0) {
        return false;
    }
    out = RgbaImage(width, height);
    if (!isCompressed(format)) {
        const int bytes = unitBytes(format);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = src + pitch * std::size_t(y);
            for (int x = 0; x < width; ++x) {
                decodePixel(format, row + std::size_t(x) * bytes, out.at(x, y));
            }
        }
        return true;
    }
    const int bytes = unitBytes(format);
    for (int by = 0; by < rowCount(format, height); ++by) {
        const std::uint8_t* row = src + pitch * std::size_t(by);
        for (int bx = 0; bx * 4 < width; ++bx) {
            std::uint8_t texels[16][4];
            decodeBlock(format, row + std::size_t(bx) * bytes, texels);
            for (int i = 0; i < 16; ++i) {
                int x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < width && y < height) {
                    std::memcpy(out.at(x, y), texels[i], 4);
                }
            }
        }
    }
    return true;
}

bool encodeLevel(PixelFormat format, const RgbaImage& image, std::uint8_t* dst, std::size_t pitch) {
    if (unitBytes(format) == 0) {
        return false;
    }
    const int bytes = unitBytes(format);
    if (!isCompressed(format)) {
        for (int y = 0; y < image.height; ++y) {
            std::uint8_t* row = dst + pitch * std::size_t(y);
            for (int x = 0; x < image.width; ++x) {
                encodePixel(format, image.at(x, y), row + std::size_t(x) * bytes);
            }
        }
        return true;
    }
    for (int by = 0; by < rowCount(format, image.height); ++by) {
        std::uint8_t* row = dst + pitch * std::size_t(by);
        for (int bx = 0; bx * 4 < image.width; ++bx) {
            // Edge blocks repeat the last column and row so they encode only real colours.
            std::uint8_t texels[16][4];
            for (int i = 0; i < 16; ++i) {
                int x = std::min(bx * 4 + i % 4, image.width - 1);
                int y = std::min(by * 4 + i / 4, image.height - 1);
                std::memcpy(texels[i], image.at(x, y), 4);
            }
            encodeBlock(format, texels, row + std::size_t(bx) * bytes);
        }
    }
    return true;
}

RgbaImage halveBox(const RgbaImage& image) {
    RgbaImage out(std::max(1, image.width / 2), std::max(1, image.height / 2));
    for (int y = 0; y < out.height; ++y) {
        int y0 = std::min(2 * y, image.height - 1), y1 = std::min(2 * y + 1, image.height - 1);
        for (int x = 0; x < out.width; ++x) {
            int x0 = std::min(2 * x, image.width - 1), x1 = std::min(2 * x + 1, image.width - 1);
            for (int ch = 0; ch < 4; ++ch) {
                unsigned sum = image.at(x0, y0)[ch] + image.at(x1, y0)[ch] + image.at(x0, y1)[ch] +
                               image.at(x1, y1)[ch];
                out.at(x, y)[ch] = std::uint8_t((sum + 2) / 4);
            }
        }
    }
    return out;
}

RgbaImage fitImage(const RgbaImage& image, int width, int height, bool scale) {
    if (image.width == width && image.height == height) {
        return image;
    }
    RgbaImage out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (scale) {
                int sx = int(std::int64_t(x) * image.width / width);
                int sy = int(std::int64_t(y) * image.height / height);
                std::memcpy(out.at(x, y), image.at(sx, sy), 4);
            } else if (x < image.width && y < image.height) {
                std::memcpy(out.at(x, y), image.at(x, y), 4);
            }
        }
    }
    return out;
}

void applyColorKey(RgbaImage& image, std::uint32_t argbKey) {
    for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
        std::uint8_t* p = &image.pixels[i];
        std::uint32_t argb = (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) |
                             (std::uint32_t(p[1]) << 8) | p[2];
        if (argb == argbKey) {
            std::memset(p, 0, 4);
        }
    }
}

} // namespace d3dx
