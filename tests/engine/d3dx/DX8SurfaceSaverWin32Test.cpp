#include "engine/d3dx/D3dx8.h"
#include "tests/engine/d3dx/Dx8TestDevice.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using testsupport::Dx8TestDevice;

std::uint32_t field(const std::string& file, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | std::uint8_t(file[at + std::size_t(i)]);
    }
    return v;
}

// The BMP read back by an independent decoder: RGB per pixel, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    std::uint32_t at(int x, int y) const {
        const std::uint8_t* p = &rgb[std::size_t(y * width + x) * 3];
        return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    }
};

Picture decode(const std::string& file) {
    Picture picture;
    int channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()), int(file.size()),
                              &picture.width, &picture.height, &channels, 3);
    if (pixels) {
        picture.rgb.assign(pixels, pixels + picture.width * picture.height * 3);
        stbi_image_free(pixels);
    }
    return picture;
}

class DX8SurfaceSaverWin32Test : public testing::Test {
protected:
    void SetUp() override {
        device = Dx8TestDevice::shared().device();
        ASSERT_NE(device, nullptr) << Dx8TestDevice::shared().error();
    }

    IDirect3DDevice8* device = nullptr;
    testsupport::TempDir dir;
};

TEST_F(DX8SurfaceSaverWin32Test, BackBufferBecomesABottomUp24BitBmp) {
    // Blue everywhere, red in the top-left 8 x 8 pixels.
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0), D3D_OK);
    const D3DRECT corner = {0, 0, 8, 8};
    ASSERT_EQ(device->Clear(1, &corner, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0), D3D_OK);
    IDirect3DSurface8* back = nullptr;
    ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    const std::string path = dir.file("shot000.bmp");
    const HRESULT hr = D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, back, nullptr, nullptr);
    back->Release();
    ASSERT_EQ(hr, D3D_OK);

    const std::string file = testsupport::readFile(path);
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(field(file, 2, 4), file.size());
    EXPECT_EQ(field(file, 10, 4), 54u);
    EXPECT_EQ(field(file, 18, 4), 64u);
    EXPECT_EQ(field(file, 22, 4), 48u); // positive: bottom-up rows
    EXPECT_EQ(field(file, 28, 2), 24u);
    EXPECT_EQ(file.size(), 54u + 64u * 3u * 48u);
    // The last row in the file is the top of the picture: red, stored B, G, R.
    const std::size_t topRow = 54 + 47 * 64 * 3;
    EXPECT_EQ(file.substr(topRow, 3), std::string("\0\0\xff", 3));
    EXPECT_EQ(file.substr(54, 3), std::string("\xff\0\0", 3));

    const Picture picture = decode(file);
    ASSERT_EQ(picture.width, 64);
    EXPECT_EQ(picture.at(7, 7), 0xFF0000u);
    EXPECT_EQ(picture.at(8, 7), 0x0000FFu);
    EXPECT_EQ(picture.at(63, 47), 0x0000FFu);
}

TEST_F(DX8SurfaceSaverWin32Test, SavesSurfacesOfEachFormatWithPaddedRows) {
    // 3 x 2 pixels, so that each 9-byte row needs padding to 12.
    struct Case {
        D3DFORMAT format;
        int bytes;
        std::uint32_t pixels[6];
        std::uint32_t rgb[6];
    };
    const Case cases[] = {
        {D3DFMT_A8R8G8B8,
         4,
         {0x00FF0000, 0xFF00FF00, 0x800000FF, 0xFFFFFFFF, 0xFF000000, 0xFF123456},
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456}},
        {D3DFMT_X8R8G8B8,
         4,
         {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF, 0x00000000, 0x00123456},
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456}},
        {D3DFMT_R5G6B5,
         2,
         {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x8410},
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x848284}},
        {D3DFMT_X1R5G5B5,
         2,
         {0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0000, 0x4210},
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x848484}},
        {D3DFMT_A4R4G4B4,
         2,
         {0x0F00, 0xF0F0, 0x000F, 0xFFFF, 0xF000, 0x8123},
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x112233}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.format));
        if (!Dx8TestDevice::shared().supportsTexture(c.format)) {
            continue;
        }
        IDirect3DTexture8* texture = nullptr;
        ASSERT_EQ(device->CreateTexture(3, 2, 1, 0, c.format, D3DPOOL_MANAGED, &texture), D3D_OK);
        D3DLOCKED_RECT locked;
        ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (int i = 0; i < 6; ++i) {
            auto* row = static_cast<std::uint8_t*>(locked.pBits) + (i / 3) * locked.Pitch;
            std::memcpy(row + (i % 3) * c.bytes, &c.pixels[i], std::size_t(c.bytes));
        }
        texture->UnlockRect(0);
        IDirect3DSurface8* surface = nullptr;
        texture->GetSurfaceLevel(0, &surface);
        const std::string path = dir.file("surface.bmp");
        const HRESULT hr =
            D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, surface, nullptr, nullptr);
        surface->Release();
        texture->Release();
        ASSERT_EQ(hr, D3D_OK);
        const std::string file = testsupport::readFile(path);
        EXPECT_EQ(file.size(), 54u + 12u * 2u);
        const Picture picture = decode(file);
        ASSERT_EQ(picture.width, 3);
        ASSERT_EQ(picture.height, 2);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(picture.at(i % 3, i / 3), c.rgb[i]) << "pixel " << i;
        }
    }
}

TEST_F(DX8SurfaceSaverWin32Test, SavesOnlyTheRectangleAskedFor) {
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture),
              D3D_OK);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t v = std::uint32_t(x * 0x10 + y); // blue channel = x*16 + y
            std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4, &v, 4);
        }
    }
    texture->UnlockRect(0);
    IDirect3DSurface8* surface = nullptr;
    texture->GetSurfaceLevel(0, &surface);
    const RECT area = {1, 2, 3, 4};
    const std::string path = dir.file("part.bmp");
    const HRESULT hr = D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, surface, nullptr, &area);
    surface->Release();
    texture->Release();
    ASSERT_EQ(hr, D3D_OK);
    const Picture picture = decode(testsupport::readFile(path));
    ASSERT_EQ(picture.width, 2);
    ASSERT_EQ(picture.height, 2);
    EXPECT_EQ(picture.at(0, 0), 0x12u);
    EXPECT_EQ(picture.at(1, 1), 0x23u);
}

TEST_F(DX8SurfaceSaverWin32Test, RefusesWhatItCannotWrite) {
    IDirect3DSurface8* back = nullptr;
    ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    const std::string path = dir.file("refused.bmp");
    const RECT outside = {60, 40, 65, 48};
    const RECT empty = {5, 5, 5, 9};
    EXPECT_TRUE(FAILED(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, back, nullptr, nullptr)));
    EXPECT_TRUE(
        FAILED(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, nullptr, nullptr, nullptr)));
    EXPECT_TRUE(FAILED(D3DXSaveSurfaceToFileA(nullptr, D3DXIFF_BMP, back, nullptr, nullptr)));
    EXPECT_TRUE(FAILED(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, back, nullptr, &outside)));
    EXPECT_TRUE(FAILED(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, back, nullptr, &empty)));
    EXPECT_FALSE(testsupport::fileExists(path));
    const std::string noFolder = dir.file("missing/shot.bmp");
    EXPECT_TRUE(
        FAILED(D3DXSaveSurfaceToFileA(noFolder.c_str(), D3DXIFF_BMP, back, nullptr, nullptr)));
    back->Release();
}

} // namespace
