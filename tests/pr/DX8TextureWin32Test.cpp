// Under Wine: the rendering layer's textures on a real Direct3D 8 device,
// read back pixel by pixel.

#include "ph/FileSystem.h"
#include "ph/Pointer.h"
#include "pr/DX8Texture.h"
#include "tests/pr/RendererFixtureDX8Win32.h"
#include "tests/support/Files.h"
#include "tests/support/ImageFixtures.h"

#include <cstring>

namespace {

using TexturesDX8Win32 = prtest::RendererDX8Win32Test;

uint32_t frameWord(int y, int cb, int cr) {
    return uint32_t(cr) | uint32_t(cb) << 8 | uint32_t(y) << 16 | 0xEE000000u;
}

// Fills the whole surface with one ARGB value.
void fill(pr::Texture& texture, uint32_t value) {
    uint32_t* pixels = texture.Lock(pr::Rect(), pr::LockReadWrite);
    ASSERT_NE(pixels, nullptr);
    for (int y = 0; y < texture.SurfaceHeight(); ++y) {
        uint32_t* row =
            reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(pixels) + y * texture.Pitch());
        for (int x = 0; x < texture.SurfaceWidth(); ++x) {
            row[x] = value;
        }
    }
    texture.Unlock();
}

TEST_F(TexturesDX8Win32, UploadFollowsTheFormulaClampsAndKeepsAlpha) {
    ph::Pointer<pr::VideoTexture> texture = ph::adopt(renderer->CreateWhiteTexture(4, 1));
    ASSERT_TRUE(texture);
    fill(*texture, 0x5A123456);
    const uint32_t frame[4] = {frameWord(16, 128, 128), frameWord(235, 128, 128),
                               frameWord(0, 128, 128), frameWord(100, 150, 120)};
    texture->UploadFrame(frame);
    std::vector<uint32_t> pixels = texturePixels(*texture);
    ASSERT_GE(pixels.size(), 4u);
    EXPECT_EQ(pixels[0], 0x5A000000u) << "black at (128, 128, 16)";
    EXPECT_EQ(pixels[1], 0x5AFFFFFFu) << "white at (128, 128, 235) after clamping";
    EXPECT_EQ(pixels[2], 0x5A000000u) << "below black clamps to 0";
    EXPECT_EQ(pixels[3], 0x5A55608Eu) << "R 85, G 96, B 142";
    EXPECT_FALSE(texture->IsLocked());
}

TEST_F(TexturesDX8Win32, SurfaceWiderThanThePictureKeepsItsRightPart) {
    pr::TextureSizeLimit powerOfTwo;
    powerOfTwo.powerOfTwo = true;
    renderer->SetTextureSizeLimit(powerOfTwo);
    ph::Pointer<pr::VideoTexture> texture = ph::adopt(renderer->CreateWhiteTexture(5, 3));
    ASSERT_TRUE(texture);
    ASSERT_EQ(texture->SurfaceWidth(), 8);
    ASSERT_EQ(texture->SurfaceHeight(), 4);
    EXPECT_EQ(texture->ImageWidth(), 5);
    EXPECT_EQ(texture->ImageHeight(), 3);
    std::vector<uint32_t> frame(15, frameWord(16, 128, 128));
    texture->UploadFrame(frame.data());
    std::vector<uint32_t> pixels = texturePixels(*texture);
    ASSERT_EQ(pixels.size(), 32u);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            SCOPED_TRACE(testing::Message() << "x " << x << " y " << y);
            EXPECT_EQ(pixels[size_t(y) * 8 + x], x < 5 && y < 3 ? 0xFF000000u : 0xFFFFFFFFu);
        }
    }
}

TEST_F(TexturesDX8Win32, WhiteTextureFillsItsWholeSurface) {
    pr::TextureSizeLimit powerOfTwo;
    powerOfTwo.powerOfTwo = true;
    renderer->SetTextureSizeLimit(powerOfTwo);
    ph::Pointer<pr::VideoTexture> texture = ph::adopt(renderer->CreateWhiteTexture(3, 5));
    ASSERT_TRUE(texture);
    std::vector<uint32_t> pixels = texturePixels(*texture);
    ASSERT_EQ(pixels.size(), 4u * 8u);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0xFFFFFFFFu), 32);
}

// A picture larger than the device allows gets the largest texture it can
// make; the upload scales the picture into it and stays inside the surface.
TEST_F(TexturesDX8Win32, PictureLargerThanTheLargestTextureIsScaledIntoIt) {
    pr::TextureSizeLimit small;
    small.width = 4;
    small.height = 4;
    renderer->SetTextureSizeLimit(small);
    ph::Pointer<pr::VideoTexture> texture = ph::adopt(renderer->CreateWhiteTexture(8, 6));
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->SurfaceWidth(), 4);
    EXPECT_EQ(texture->SurfaceHeight(), 4);
    EXPECT_EQ(texture->ImageWidth(), 4);
    EXPECT_EQ(texture->ImageHeight(), 4);
    EXPECT_EQ(texture->PictureWidth(), 8);
    EXPECT_EQ(texture->PictureHeight(), 6);
    std::vector<uint32_t> frame(48);
    for (int i = 0; i < 48; ++i) { // left half black, right half white
        frame[size_t(i)] = i % 8 < 4 ? frameWord(16, 128, 128) : frameWord(235, 128, 128);
    }
    texture->UploadFrame(frame.data());
    std::vector<uint32_t> pixels = texturePixels(*texture);
    ASSERT_EQ(pixels.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pixels[size_t(i)], i % 4 < 2 ? 0xFF000000u : 0xFFFFFFFFu);
    }
}

TEST_F(TexturesDX8Win32, LockWithZeroWidthOrHeightLocksTheWholeTexture) {
    ph::Pointer<pr::Texture> texture = ph::adopt(renderer->CreateTexture(16, 8));
    ASSERT_TRUE(texture);
    uint32_t* whole = texture->Lock(pr::Rect(), pr::LockReadOnly);
    ASSERT_NE(whole, nullptr);
    EXPECT_TRUE(texture->IsLocked());
    texture->Unlock();
    EXPECT_FALSE(texture->IsLocked());
    for (pr::Rect rect : {pr::Rect{3, 2, 0, 4}, pr::Rect{3, 2, 4, 0}}) {
        SCOPED_TRACE(testing::Message() << rect.w << " x " << rect.h);
        EXPECT_EQ(texture->Lock(rect, pr::LockReadWrite), whole);
        texture->Unlock();
    }
    uint32_t* part = texture->Lock(pr::Rect{3, 2, 4, 4}, pr::LockReadWrite);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(reinterpret_cast<char*>(part),
              reinterpret_cast<char*>(whole) + 2 * texture->Pitch() + 3 * 4);
    texture->Unlock();
}

TEST_F(TexturesDX8Win32, LockOutsideTheTextureIsRefused) {
    ph::Pointer<pr::Texture> texture = ph::adopt(renderer->CreateTexture(16, 8));
    ASSERT_TRUE(texture);
    for (pr::Rect rect : {pr::Rect{16, 0, 1, 1}, pr::Rect{0, 8, 1, 1}, pr::Rect{-1, 0, 1, 1},
                          pr::Rect{10, 0, 7, 1}}) {
        SCOPED_TRACE(testing::Message() << rect.x << ", " << rect.y << ", " << rect.w);
        EXPECT_EQ(texture->Lock(rect, pr::LockReadOnly), nullptr);
        EXPECT_FALSE(texture->IsLocked());
    }
    EXPECT_FALSE(texture->IsOpaqueAt(16, 0, 1));
}

TEST_F(TexturesDX8Win32, OpaqueTestReadsTheAlphaAgainstTheThreshold) {
    ph::Pointer<pr::Texture> texture = ph::adopt(renderer->CreateTexture(4, 4));
    ASSERT_TRUE(texture);
    fill(*texture, 0x80FFFFFF);
    EXPECT_TRUE(texture->IsOpaqueAt(1, 1, 1));
    EXPECT_TRUE(texture->IsOpaqueAt(1, 1, 0x80));
    EXPECT_FALSE(texture->IsOpaqueAt(1, 1, 0x81));
    EXPECT_FALSE(texture->IsLocked());
}

TEST_F(TexturesDX8Win32, TextureInAnotherFormatCannotBeLockedSoItIsNeverOpaque) {
    // A4R4G4B4, fully opaque.
    const std::string level(4 * 4 * 2, char(0xFF));
    const std::string dds =
        testsupport::ddsFile({nullptr, 16, 0xf00, 0xf0, 0xf, 0xf000}, 4, 4, 0, level);
    ph::Pointer<pr::Texture> texture =
        ph::adopt(renderer->CreateTextureFromMemory(dds.data(), uint32_t(dds.size()), false));
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->Lock(pr::Rect(), pr::LockReadOnly), nullptr);
    EXPECT_FALSE(texture->IsOpaqueAt(1, 1, 1));
    std::vector<uint32_t> frame(16, frameWord(16, 128, 128));
    texture->Bind();
    static_cast<pr::VideoTexture*>(texture.get())->UploadFrame(frame.data()); // nothing happens
    EXPECT_FALSE(texture->IsLocked());
}

TEST_F(TexturesDX8Win32, ImageTexturesKeepTheImageSizeAndTheirPixels) {
    std::vector<uint8_t> rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0};
    const std::string png = testsupport::pngFile(3, 1, 4, rgba);
    ph::Pointer<pr::Texture> texture =
        ph::adopt(renderer->CreateTextureFromMemory(png.data(), uint32_t(png.size()), false));
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->ImageWidth(), 3);
    EXPECT_EQ(texture->ImageHeight(), 1);
    EXPECT_GE(texture->SurfaceWidth(), 3);
    EXPECT_NE(texture->NativeHandle(), nullptr);
    EXPECT_EQ(texture->NativeHandle2(), texture->NativeHandle());
    EXPECT_TRUE(texture->IsOpaqueAt(0, 0, 255));
    EXPECT_TRUE(texture->IsOpaqueAt(1, 0, 128));
    EXPECT_FALSE(texture->IsOpaqueAt(2, 0, 1));
}

TEST_F(TexturesDX8Win32, FileTexturesComeThroughTheFileSystem) {
    ph::FileSystem& files = ph::FileSystem::instance();
    const std::string oldRoot = files.root();
    files.setRoot(folder.path());
    testsupport::writeFile(folder.file("two.png"),
                           testsupport::pngFile(2, 2, 3, std::vector<uint8_t>(12, 200)));
    testsupport::writeFile(folder.file("empty.png"), "");
    ph::Pointer<pr::Texture> found = ph::adopt(renderer->CreateTextureFromFile("two.png", false));
    pr::Texture* missing = renderer->CreateTextureFromFile("missing.png", false);
    pr::Texture* empty = renderer->CreateTextureFromFile("empty.png", false);
    files.setRoot(oldRoot);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->ImageWidth(), 2);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(empty, nullptr);
}

TEST_F(TexturesDX8Win32, FactoriesGiveNothingForWhatTheDeviceRefuses) {
    const std::string garbage = "not an image at all";
    EXPECT_EQ(renderer->CreateTextureFromMemory(garbage.data(), uint32_t(garbage.size()), false),
              nullptr);
    EXPECT_EQ(renderer->CreateTextureFromMemory(nullptr, 0, false), nullptr);
    EXPECT_EQ(renderer->CreateTexture(0, 10), nullptr);
    EXPECT_EQ(renderer->CreateWhiteTexture(-1, 10), nullptr);
}

} // namespace
