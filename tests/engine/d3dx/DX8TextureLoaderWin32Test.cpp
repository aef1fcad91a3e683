#include "engine/d3dx/D3dx8.h"
#include "tests/engine/d3dx/Dx8TestDevice.h"
#include "tests/support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using testsupport::DdsFormat;
using testsupport::Dx8TestDevice;
using testsupport::le16;
using testsupport::le32;

// Holds one reference to a texture.
struct TexturePtr {
    IDirect3DTexture8* p = nullptr;
    TexturePtr() = default;
    TexturePtr(const TexturePtr&) = delete;
    TexturePtr& operator=(const TexturePtr&) = delete;
    ~TexturePtr() {
        if (p) {
            p->Release();
        }
    }
};

struct LoadOptions {
    D3DFORMAT format = D3DFMT_UNKNOWN;
    UINT mipLevels = 1;
    UINT width = D3DX_DEFAULT;
    UINT height = D3DX_DEFAULT;
    DWORD filter = D3DX_FILTER_NONE;
    D3DPOOL pool = D3DPOOL_MANAGED;
    D3DCOLOR colorKey = 0;
};

D3DSURFACE_DESC levelDesc(IDirect3DTexture8* texture, UINT level) {
    D3DSURFACE_DESC desc = {};
    texture->GetLevelDesc(level, &desc);
    return desc;
}

// The level's pixels as ARGB values, row after row (32-bit formats only).
std::vector<std::uint32_t> argbPixels(IDirect3DTexture8* texture, UINT level) {
    const D3DSURFACE_DESC desc = levelDesc(texture, level);
    std::vector<std::uint32_t> out;
    D3DLOCKED_RECT locked;
    if (FAILED(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY))) {
        ADD_FAILURE() << "level " << level << " cannot be locked";
        return out;
    }
    for (UINT y = 0; y < desc.Height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(locked.pBits) + y * UINT(locked.Pitch);
        for (UINT x = 0; x < desc.Width; ++x) {
            std::uint32_t v;
            std::memcpy(&v, row + 4 * x, 4);
            out.push_back(v);
        }
    }
    texture->UnlockRect(level);
    return out;
}

// `rows` rows of `rowBytes` bytes from the level, without the pitch padding.
std::string rawLevel(IDirect3DTexture8* texture, UINT level, std::size_t rowBytes, int rows) {
    std::string out;
    D3DLOCKED_RECT locked;
    if (FAILED(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY))) {
        ADD_FAILURE() << "level " << level << " cannot be locked";
        return out;
    }
    for (int y = 0; y < rows; ++y) {
        out.append(static_cast<const char*>(locked.pBits) + std::size_t(y) * UINT(locked.Pitch),
                   rowBytes);
    }
    texture->UnlockRect(level);
    return out;
}

std::string hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", unsigned(v));
    return text;
}

class DX8TextureLoaderWin32Test : public testing::Test {
protected:
    void SetUp() override {
        device = Dx8TestDevice::shared().device();
        ASSERT_NE(device, nullptr) << Dx8TestDevice::shared().error();
    }

    HRESULT load(const std::string& file, TexturePtr& out, const LoadOptions& options = {},
                 D3DXIMAGE_INFO* info = nullptr) {
        return D3DXCreateTextureFromFileInMemoryEx(
            device, file.data(), UINT(file.size()), options.width, options.height,
            options.mipLevels, 0, options.format, options.pool, options.filter, D3DX_DEFAULT,
            options.colorKey, info, nullptr, &out.p);
    }

    static bool supports(D3DFORMAT format) {
        return Dx8TestDevice::shared().supportsTexture(format);
    }

    IDirect3DDevice8* device = nullptr;
};

// 3 x 2 pixels covering opaque, half and fully transparent alpha.
const std::uint8_t kRgba3x2[] = {255, 0,   0,   255, 0, 255, 0, 128, 0,  0,  255, 0,
                                 255, 255, 255, 255, 0, 0,   0, 255, 10, 20, 30,  40};

std::vector<std::uint8_t> dropAlpha(const std::uint8_t* rgba, std::size_t pixels) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < pixels; ++i) {
        out.insert(out.end(), rgba + 4 * i, rgba + 4 * i + 3);
    }
    return out;
}

TEST_F(DX8TextureLoaderWin32Test, DecodesEachFileKindWithItsSizeFormatAndPixels) {
    const std::vector<std::uint8_t> rgba(kRgba3x2, kRgba3x2 + sizeof kRgba3x2);
    const std::vector<std::uint8_t> rgb = dropAlpha(kRgba3x2, 6);
    const std::vector<std::uint32_t> withAlpha = {0xFFFF0000, 0x8000FF00, 0x000000FF,
                                                  0xFFFFFFFF, 0xFF000000, 0x280A141E};
    const std::vector<std::uint32_t> opaque = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                               0xFFFFFFFF, 0xFF000000, 0xFF0A141E};
    struct Case {
        const char* name;
        std::string file;
        int width, height;
        D3DXIMAGE_FILEFORMAT kind;
        D3DFORMAT format;
        std::vector<std::uint32_t> pixels;
        int tolerance;
    };
    const Case cases[] = {
        {"png with alpha", testsupport::pngFile(3, 2, 4, rgba), 3, 2, D3DXIFF_PNG, D3DFMT_A8R8G8B8,
         withAlpha, 0},
        {"png without alpha", testsupport::pngFile(3, 2, 3, rgb), 3, 2, D3DXIFF_PNG,
         D3DFMT_X8R8G8B8, opaque, 0},
        {"bmp", testsupport::bmpFile(3, 2, 3, rgb), 3, 2, D3DXIFF_BMP, D3DFMT_X8R8G8B8, opaque, 0},
        {"tga with alpha", testsupport::tgaFile(3, 2, 4, rgba), 3, 2, D3DXIFF_TGA, D3DFMT_A8R8G8B8,
         withAlpha, 0},
        {"jpeg", testsupport::jpgFile(8, 8, 3, std::vector<std::uint8_t>(8 * 8 * 3, 0)), 8, 8,
         D3DXIFF_JPG, D3DFMT_X8R8G8B8, std::vector<std::uint32_t>(64, 0xFF000000), 2},
        {"jpeg with a colour",
         testsupport::jpgFile(8, 8, 3,
                              [] {
                                  std::vector<std::uint8_t> p;
                                  for (int i = 0; i < 64; ++i) {
                                      p.insert(p.end(), {200, 100, 50});
                                  }
                                  return p;
                              }()),
         8, 8, D3DXIFF_JPG, D3DFMT_X8R8G8B8, std::vector<std::uint32_t>(64, 0xFFC86432), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TexturePtr texture;
        D3DXIMAGE_INFO info = {};
        ASSERT_EQ(load(c.file, texture, {}, &info), D3D_OK);
        EXPECT_EQ(info.Width, UINT(c.width));
        EXPECT_EQ(info.Height, UINT(c.height));
        EXPECT_EQ(info.MipLevels, 1u);
        EXPECT_EQ(info.ImageFileFormat, c.kind);
        EXPECT_EQ(info.Format, c.format);
        EXPECT_EQ(info.ResourceType, D3DRTYPE_TEXTURE);
        EXPECT_EQ(texture.p->GetLevelCount(), 1u);
        const D3DSURFACE_DESC desc = levelDesc(texture.p, 0);
        EXPECT_EQ(desc.Format, c.format);
        ASSERT_GE(desc.Width, UINT(c.width));
        ASSERT_GE(desc.Height, UINT(c.height));
        const std::vector<std::uint32_t> pixels = argbPixels(texture.p, 0);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const std::uint32_t got = pixels[std::size_t(y) * desc.Width + std::size_t(x)];
                const std::uint32_t want = c.pixels[std::size_t(y * c.width + x)];
                for (int shift = 0; shift < 32; shift += 8) {
                    const int diff = int((got >> shift) & 0xff) - int((want >> shift) & 0xff);
                    EXPECT_LE(std::abs(diff), c.tolerance)
                        << "pixel " << x << "," << y << ": " << hex(got) << " vs " << hex(want);
                }
            }
        }
    }
}

// 4 x 4 DDS cases: each row repeats the same four pixels (or one block for DXT).
struct DdsCase {
    const char* name;
    DdsFormat ddsFormat;
    D3DFORMAT format;
    std::string level;                  // 4 x 4 level data
    std::vector<std::uint32_t> rowArgb; // the four pixels of each row as ARGB
};

std::string repeatRows(const std::string& row) {
    return row + row + row + row;
}

std::string dxtColorBlock() {
    // Red and blue end points; the pixels of every row use the indices 0, 1, 2, 3.
    return le16(0xF800) + le16(0x001F) + std::string(4, char(0xE4));
}

// An interpolated alpha block whose rows all use the given four indices.
std::string dxt5AlphaBlock(std::uint8_t a0, std::uint8_t a1, const unsigned (&indices)[4]) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 16; ++i) {
        bits |= std::uint64_t(indices[i % 4]) << (3 * i);
    }
    std::string out = {char(a0), char(a1)};
    for (int i = 0; i < 6; ++i) {
        out += char((bits >> (8 * i)) & 0xff);
    }
    return out;
}

std::vector<DdsCase> ddsCases() {
    return {
        {"A8R8G8B8",
         {nullptr, 32, 0xff0000, 0xff00, 0xff, 0xff000000},
         D3DFMT_A8R8G8B8,
         repeatRows(le32(0x80FF0000) + le32(0xFF00FF00) + le32(0x000000FF) + le32(0x12345678)),
         {0x80FF0000, 0xFF00FF00, 0x000000FF, 0x12345678}},
        {"X8R8G8B8",
         {nullptr, 32, 0xff0000, 0xff00, 0xff, 0},
         D3DFMT_X8R8G8B8,
         repeatRows(le32(0x00FF0000) + le32(0x0000FF00) + le32(0x000000FF) + le32(0x00112233)),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF112233}},
        {"R5G6B5",
         {nullptr, 16, 0xf800, 0x7e0, 0x1f, 0},
         D3DFMT_R5G6B5,
         repeatRows(le16(0xF800) + le16(0x07E0) + le16(0x001F) + le16(0x8410)),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF848284}},
        {"A1R5G5B5",
         {nullptr, 16, 0x7c00, 0x3e0, 0x1f, 0x8000},
         D3DFMT_A1R5G5B5,
         repeatRows(le16(0xFC00) + le16(0x03E0) + le16(0x801F) + le16(0x4210)),
         {0xFFFF0000, 0x0000FF00, 0xFF0000FF, 0x00848484}},
        {"A4R4G4B4",
         {nullptr, 16, 0xf00, 0xf0, 0xf, 0xf000},
         D3DFMT_A4R4G4B4,
         repeatRows(le16(0xF800) + le16(0x80F0) + le16(0x000F) + le16(0x1234)),
         {0xFF880000, 0x8800FF00, 0x000000FF, 0x11223344}},
        {"DXT1",
         {"DXT1", 0, 0, 0, 0, 0},
         D3DFMT_DXT1,
         dxtColorBlock(),
         {0xFFFF0000, 0xFF0000FF, 0xFFAA0055, 0xFF5500AA}},
        {"DXT3",
         {"DXT3", 0, 0, 0, 0, 0},
         D3DFMT_DXT3,
         repeatRows(std::string{char(0x50), char(0xFA)}) + dxtColorBlock(),
         {0x00FF0000, 0x550000FF, 0xAAAA0055, 0xFF5500AA}},
        {"DXT5",
         {"DXT5", 0, 0, 0, 0, 0},
         D3DFMT_DXT5,
         // 0 and 255 as end points select six steps of exactly 51, then 0 and 255.
         dxt5AlphaBlock(0, 255, {1, 2, 3, 0}) + dxtColorBlock(),
         {0xFFFF0000, 0x330000FF, 0x66AA0055, 0x005500AA}},
        {"DXT5 with eight alpha steps",
         {"DXT5", 0, 0, 0, 0, 0},
         D3DFMT_DXT5,
         // 70 over 0 gives exact steps of 10: indices 0, 1, 2, 7 read 70, 0, 60, 10.
         dxt5AlphaBlock(70, 0, {0, 1, 2, 7}) + dxtColorBlock(),
         {0x46FF0000, 0x000000FF, 0x3CAA0055, 0x0A5500AA}},
        {"DXT1 with transparent pixels",
         {"DXT1", 0, 0, 0, 0, 0},
         D3DFMT_DXT1,
         // Equal end points select three colours and transparent black for index 3.
         le16(0x07E0) + le16(0x07E0) + std::string(4, char(0xE4)),
         {0xFF00FF00, 0xFF00FF00, 0xFF00FF00, 0x00000000}},
    };
}

TEST_F(DX8TextureLoaderWin32Test, DdsKeepsItsOwnFormatAndBytes) {
    for (const DdsCase& c : ddsCases()) {
        SCOPED_TRACE(c.name);
        if (!supports(c.format)) {
            ADD_FAILURE() << "the device takes no " << c.name << " textures";
            continue;
        }
        const std::string file = testsupport::ddsFile(c.ddsFormat, 4, 4, 0, c.level);
        TexturePtr texture;
        D3DXIMAGE_INFO info = {};
        ASSERT_EQ(load(file, texture, {}, &info), D3D_OK);
        EXPECT_EQ(info.Width, 4u);
        EXPECT_EQ(info.Height, 4u);
        EXPECT_EQ(info.Format, c.format);
        EXPECT_EQ(info.ImageFileFormat, D3DXIFF_DDS);
        EXPECT_EQ(levelDesc(texture.p, 0).Format, c.format);
        const bool compressed = c.ddsFormat.fourCC != nullptr;
        const std::size_t rowBytes = compressed ? c.level.size() : c.level.size() / 4;
        EXPECT_EQ(rawLevel(texture.p, 0, rowBytes, compressed ? 1 : 4), c.level);
    }
}

TEST_F(DX8TextureLoaderWin32Test, DdsConvertsToTheRequestedFormat) {
    LoadOptions asArgb;
    asArgb.format = D3DFMT_A8R8G8B8;
    for (const DdsCase& c : ddsCases()) {
        SCOPED_TRACE(c.name);
        TexturePtr texture;
        ASSERT_EQ(load(testsupport::ddsFile(c.ddsFormat, 4, 4, 0, c.level), texture, asArgb),
                  D3D_OK);
        ASSERT_EQ(levelDesc(texture.p, 0).Format, D3DFMT_A8R8G8B8);
        const std::vector<std::uint32_t> pixels = argbPixels(texture.p, 0);
        ASSERT_EQ(pixels.size(), 16u);
        for (std::size_t i = 0; i < 16; ++i) {
            EXPECT_EQ(hex(pixels[i]), hex(c.rowArgb[i % 4])) << "pixel " << i;
        }
    }
}

TEST_F(DX8TextureLoaderWin32Test, ConvertsDecodedImagesToTheRequestedFormat) {
    // Opaque red, transparent blue.
    const std::string file = testsupport::pngFile(2, 1, 4, {255, 0, 0, 255, 0, 0, 255, 0});
    struct Case {
        D3DFORMAT format;
        std::string bytes;
    };
    const Case cases[] = {
        {D3DFMT_A8R8G8B8, le32(0xFFFF0000) + le32(0x000000FF)},
        {D3DFMT_X8R8G8B8, le32(0xFFFF0000) + le32(0xFF0000FF)},
        {D3DFMT_R5G6B5, le16(0xF800) + le16(0x001F)},
        {D3DFMT_A1R5G5B5, le16(0xFC00) + le16(0x001F)},
        {D3DFMT_X1R5G5B5, le16(0xFC00) + le16(0x801F)},
        {D3DFMT_A4R4G4B4, le16(0xFF00) + le16(0x000F)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.format));
        if (!supports(c.format)) {
            continue;
        }
        LoadOptions options;
        options.format = c.format;
        TexturePtr texture;
        ASSERT_EQ(load(file, texture, options), D3D_OK);
        EXPECT_EQ(levelDesc(texture.p, 0).Format, c.format);
        EXPECT_EQ(rawLevel(texture.p, 0, c.bytes.size(), 1), c.bytes);
    }
}

TEST_F(DX8TextureLoaderWin32Test, EncodesDecodedImagesIntoCompressedFormats) {
    // Left half red, right half blue, with alpha 0x88 / 0xff: both colours and
    // both alphas are exact end points, so a sound encoder loses nothing.
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < 16; ++i) {
        const bool left = i % 4 < 2;
        rgba.insert(rgba.end(), {std::uint8_t(left ? 255 : 0), 0, std::uint8_t(left ? 0 : 255),
                                 std::uint8_t(left ? 0x88 : 0xff)});
    }
    const std::string png = testsupport::pngFile(4, 4, 4, rgba);
    struct Case {
        const char* fourCC;
        D3DFORMAT format;
        std::uint32_t left, right;
    };
    const Case cases[] = {
        {"DXT1", D3DFMT_DXT1, 0xFFFF0000, 0xFF0000FF},
        {"DXT3", D3DFMT_DXT3, 0x88FF0000, 0xFF0000FF},
        {"DXT5", D3DFMT_DXT5, 0x88FF0000, 0xFF0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fourCC);
        if (!supports(c.format)) {
            continue;
        }
        LoadOptions options;
        options.format = c.format;
        TexturePtr texture;
        ASSERT_EQ(load(png, texture, options), D3D_OK);
        ASSERT_EQ(levelDesc(texture.p, 0).Format, c.format);
        const std::size_t blockBytes = c.format == D3DFMT_DXT1 ? 8 : 16;
        // Read the block back through a DDS file of that format.
        const std::string dds = testsupport::ddsFile({c.fourCC, 0, 0, 0, 0, 0}, 4, 4, 0,
                                                     rawLevel(texture.p, 0, blockBytes, 1));
        LoadOptions asArgb;
        asArgb.format = D3DFMT_A8R8G8B8;
        TexturePtr decoded;
        ASSERT_EQ(load(dds, decoded, asArgb), D3D_OK);
        const std::vector<std::uint32_t> pixels = argbPixels(decoded.p, 0);
        ASSERT_EQ(pixels.size(), 16u);
        for (std::size_t i = 0; i < 16; ++i) {
            EXPECT_EQ(hex(pixels[i]), hex(i % 4 < 2 ? c.left : c.right)) << "pixel " << i;
        }
    }
}

// 4 x 4 grey levels whose 2 x 2 quads have distinct means, alpha = 255 - grey.
std::string mipSourcePng() {
    const std::uint8_t grey[16] = {0, 4, 100, 200, 8, 12, 50, 50, 255, 255, 1, 2, 255, 251, 3, 5};
    std::vector<std::uint8_t> rgba;
    for (std::uint8_t g : grey) {
        rgba.insert(rgba.end(), {g, g, g, std::uint8_t(255 - g)});
    }
    return testsupport::pngFile(4, 4, 4, rgba);
}

std::uint32_t greyArgb(unsigned grey, unsigned alpha) {
    return (alpha << 24) | (grey << 16) | (grey << 8) | grey;
}

TEST_F(DX8TextureLoaderWin32Test, FullChainIsBoxFilteredLevelByLevel) {
    for (UINT asked : {0u, D3DX_DEFAULT}) {
        LoadOptions options;
        options.mipLevels = asked;
        TexturePtr texture;
        ASSERT_EQ(load(mipSourcePng(), texture, options), D3D_OK);
        ASSERT_EQ(texture.p->GetLevelCount(), 3u);
        // Rounded means: (0+4+8+12)/4 = 6, (100+200+50+50)/4 = 100,
        // (255+255+255+251)/4 = 254, (1+2+3+5)/4 = 2.75 -> 3; alpha likewise.
        const std::vector<std::uint32_t> level1 = {greyArgb(6, 249), greyArgb(100, 155),
                                                   greyArgb(254, 1), greyArgb(3, 252)};
        EXPECT_EQ(argbPixels(texture.p, 1), level1);
        // (6+100+254+3)/4 = 90.75 -> 91; (249+155+1+252)/4 = 164.25 -> 164.
        EXPECT_EQ(argbPixels(texture.p, 2), std::vector<std::uint32_t>{greyArgb(91, 164)});
    }
}

TEST_F(DX8TextureLoaderWin32Test, MipLevelsAskedForAreHonouredUpToTheFullChain) {
    struct Case {
        UINT asked;
        int width, height;
        UINT levels;
    };
    const Case cases[] = {
        {1, 4, 4, 1}, {2, 4, 4, 2}, {9, 4, 4, 3}, {D3DX_DEFAULT, 8, 2, 4}, {D3DX_DEFAULT, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.asked << " levels of " << c.width << "x" << c.height);
        LoadOptions options;
        options.mipLevels = c.asked;
        TexturePtr texture;
        const std::vector<std::uint8_t> rgba(std::size_t(c.width * c.height * 4), 0x80);
        ASSERT_EQ(load(testsupport::pngFile(c.width, c.height, 4, rgba), texture, options), D3D_OK);
        EXPECT_EQ(texture.p->GetLevelCount(), c.levels);
        const D3DSURFACE_DESC last = levelDesc(texture.p, c.levels - 1);
        EXPECT_EQ(last.Width, std::max(1u, UINT(c.width) >> (c.levels - 1)));
        EXPECT_EQ(last.Height, std::max(1u, UINT(c.height) >> (c.levels - 1)));
    }
}

TEST_F(DX8TextureLoaderWin32Test, DdsOwnMipLevelsAreTakenAsTheyAre) {
    // 4 x 4: level 1 deliberately differs from the mean of level 0, and the
    // file claims three levels but holds two, so level 2 is filtered from level 1.
    std::string levels;
    for (int i = 0; i < 16; ++i) {
        levels += le32(0xFF102030);
    }
    for (int i = 0; i < 4; ++i) {
        levels += le32(0xFFABCDEF);
    }
    const std::string file =
        testsupport::ddsFile({nullptr, 32, 0xff0000, 0xff00, 0xff, 0xff000000}, 4, 4, 3, levels);
    for (D3DFORMAT format : {D3DFMT_UNKNOWN, D3DFMT_X8R8G8B8}) {
        SCOPED_TRACE(int(format));
        LoadOptions options;
        options.mipLevels = D3DX_DEFAULT;
        options.format = format;
        TexturePtr texture;
        D3DXIMAGE_INFO info = {};
        ASSERT_EQ(load(file, texture, options, &info), D3D_OK);
        EXPECT_EQ(info.MipLevels, 2u);
        ASSERT_EQ(texture.p->GetLevelCount(), 3u);
        EXPECT_EQ(argbPixels(texture.p, 1), std::vector<std::uint32_t>(4, 0xFFABCDEF));
        EXPECT_EQ(argbPixels(texture.p, 2), std::vector<std::uint32_t>{0xFFABCDEF});
    }
}

TEST_F(DX8TextureLoaderWin32Test, CompressedFileWithoutMipsGetsAChainInItsOwnFormat) {
    if (!supports(D3DFMT_DXT1)) {
        GTEST_SKIP() << "no DXT1 textures on this device";
    }
    // 8 x 8 solid red: four blocks with both end points red.
    std::string block = le16(0xF800) + le16(0xF800) + le32(0);
    const std::string file =
        testsupport::ddsFile({"DXT1", 0, 0, 0, 0, 0}, 8, 8, 0, block + block + block + block);
    LoadOptions options;
    options.mipLevels = D3DX_DEFAULT;
    TexturePtr texture;
    ASSERT_EQ(load(file, texture, options), D3D_OK);
    ASSERT_EQ(texture.p->GetLevelCount(), 4u);
    for (UINT level = 0; level < 4; ++level) {
        EXPECT_EQ(levelDesc(texture.p, level).Format, D3DFMT_DXT1) << level;
    }
    options.format = D3DFMT_A8R8G8B8;
    TexturePtr decoded;
    ASSERT_EQ(load(file, decoded, options), D3D_OK);
    EXPECT_EQ(argbPixels(decoded.p, 3), std::vector<std::uint32_t>{0xFFFF0000});
}

TEST_F(DX8TextureLoaderWin32Test, LargerTextureGetsTheImageTopLeftOrScaledByTheFilter) {
    // 2 x 2: red, green / blue, white.
    const std::string file = testsupport::pngFile(
        2, 2, 4, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
    const std::uint32_t r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF, w = 0xFFFFFFFF;
    struct Case {
        const char* name;
        DWORD filter;
        std::vector<std::uint32_t> pixels;
    };
    const Case cases[] = {
        {"no filter", D3DX_FILTER_NONE, {r, g, 0, 0, b, w, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"point filter", D3DX_FILTER_POINT, {r, r, g, g, r, r, g, g, b, b, w, w, b, b, w, w}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadOptions options;
        options.width = 4;
        options.height = 4;
        options.filter = c.filter;
        TexturePtr texture;
        D3DXIMAGE_INFO info = {};
        ASSERT_EQ(load(file, texture, options, &info), D3D_OK);
        EXPECT_EQ(info.Width, 2u);
        EXPECT_EQ(info.Height, 2u);
        EXPECT_EQ(argbPixels(texture.p, 0), c.pixels);
    }
}

TEST_F(DX8TextureLoaderWin32Test, ColourKeyedPixelsBecomeTransparentBlack) {
    const std::string file =
        testsupport::pngFile(2, 1, 4, {255, 0, 255, 255, 255, 0, 254, 255}); // magenta, nearly
    LoadOptions options;
    options.colorKey = 0xFFFF00FF;
    TexturePtr texture;
    ASSERT_EQ(load(file, texture, options), D3D_OK);
    EXPECT_EQ(argbPixels(texture.p, 0), (std::vector<std::uint32_t>{0x00000000, 0xFFFF00FE}));
}

TEST_F(DX8TextureLoaderWin32Test, DefaultPoolTextureReceivesThePixels) {
    // A default-pool texture cannot be locked: copy its level to a lockable one.
    const std::string file = testsupport::bmpFile(2, 1, 3, {255, 0, 0, 0, 0, 255});
    LoadOptions options;
    options.pool = D3DPOOL_DEFAULT;
    options.format = D3DFMT_X8R8G8B8;
    TexturePtr texture;
    ASSERT_EQ(load(file, texture, options), D3D_OK);
    EXPECT_EQ(levelDesc(texture.p, 0).Pool, D3DPOOL_DEFAULT);

    TexturePtr copy;
    ASSERT_EQ(device->CreateTexture(2, 1, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &copy.p),
              D3D_OK);
    IDirect3DSurface8* from = nullptr;
    IDirect3DSurface8* to = nullptr;
    texture.p->GetSurfaceLevel(0, &from);
    copy.p->GetSurfaceLevel(0, &to);
    const HRESULT copied = device->CopyRects(from, nullptr, 0, to, nullptr);
    from->Release();
    to->Release();
    ASSERT_EQ(copied, D3D_OK);
    EXPECT_EQ(argbPixels(copy.p, 0), (std::vector<std::uint32_t>{0xFFFF0000, 0xFF0000FF}));
}

TEST_F(DX8TextureLoaderWin32Test, RefusesDataThatIsNoCompleteImage) {
    const DdsFormat argb = {nullptr, 32, 0xff0000, 0xff00, 0xff, 0xff000000};
    const std::string png = mipSourcePng();
    std::string wrongHeaderSize = testsupport::ddsFile(argb, 1, 1, 0, le32(0));
    wrongHeaderSize[4] = 100;
    std::string cubeMap = testsupport::ddsFile(argb, 1, 1, 0, std::string(6 * 4, '\0'));
    cubeMap[112] = char(0x00);
    cubeMap[113] = char(0xFE); // caps2: cube map with all faces
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"text", "hello, world"},
        {"png cut short", png.substr(0, png.size() / 2)},
        {"dds magic only", "DDS "},
        {"dds header cut short", testsupport::ddsFile(argb, 1, 1, 0, "").substr(0, 100)},
        {"dds header of the wrong size", wrongHeaderSize},
        {"dds unknown four-character code",
         testsupport::ddsFile({"ATI2", 0, 0, 0, 0, 0}, 4, 4, 0, std::string(16, '\0'))},
        {"dds unknown masks",
         testsupport::ddsFile({nullptr, 16, 0xf, 0xf0, 0xf00, 0xf000}, 1, 1, 0, le16(0))},
        {"dds first level cut short", testsupport::ddsFile(argb, 4, 4, 0, std::string(63, 'x'))},
        {"dds of zero width", testsupport::ddsFile(argb, 0, 4, 0, std::string(64, 'x'))},
        {"dds far too large", testsupport::ddsFile(argb, 100000, 100000, 0, le32(0))},
        {"dds cube map", cubeMap},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TexturePtr texture;
        texture.p = reinterpret_cast<IDirect3DTexture8*>(&texture); // must be cleared
        const HRESULT hr = load(c.file, texture);
        EXPECT_EQ(hr, D3DXERR_INVALIDDATA);
        EXPECT_EQ(texture.p, nullptr);
    }
}

TEST_F(DX8TextureLoaderWin32Test, RefusesMissingArgumentsAndFormatsItCannotWrite) {
    const std::string file = testsupport::bmpFile(1, 1, 3, {1, 2, 3});
    IDirect3DTexture8* texture = nullptr;
    auto create = [&](IDirect3DDevice8* dev, const void* data, UINT size, D3DFORMAT format,
                      IDirect3DTexture8** out) {
        return D3DXCreateTextureFromFileInMemoryEx(dev, data, size, D3DX_DEFAULT, D3DX_DEFAULT, 1,
                                                   0, format, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                                   D3DX_DEFAULT, 0, nullptr, nullptr, out);
    };
    const UINT size = UINT(file.size());
    EXPECT_EQ(create(nullptr, file.data(), size, D3DFMT_UNKNOWN, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(create(device, nullptr, size, D3DFMT_UNKNOWN, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(create(device, file.data(), 0, D3DFMT_UNKNOWN, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(create(device, file.data(), size, D3DFMT_UNKNOWN, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(create(device, file.data(), size, D3DFMT_P8, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
}

} // namespace
