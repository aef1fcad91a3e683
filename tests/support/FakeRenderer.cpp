#include "tests/support/FakeRenderer.h"

#include "pr/PictureConversion.h"

#include <algorithm>

namespace testsupport {

namespace {
enum : uint32_t { White = 0xFFFFFFFFu };
}

FakeTexture::FakeTexture(int width, int height, int surfaceWidth, int surfaceHeight) {
    SetImageSize(width, height);
    SetPictureSize(width, height);
    SetSurfaceSize(std::max(width, surfaceWidth), std::max(height, surfaceHeight));
    pixels.assign(size_t(SurfaceWidth()) * SurfaceHeight(), 0);
}

EngineTexture FakeTexture::NativeHandle() {
    return reinterpret_cast<EngineTexture>(this); // distinct per texture, never dereferenced
}

uint32_t* FakeTexture::Lock(const pr::Rect& rect, int) {
    if (IsLocked()) {
        return nullptr;
    }
    const bool whole = rect.w == 0 || rect.h == 0;
    if (!whole && (rect.x < 0 || rect.y < 0 || rect.x + rect.w > SurfaceWidth() ||
                   rect.y + rect.h > SurfaceHeight())) {
        return nullptr;
    }
    SetLocked(true, SurfaceWidth() * 4);
    return pixels.data() + (whole ? 0 : size_t(rect.y) * SurfaceWidth() + rect.x);
}

void FakeTexture::Unlock() {
    SetLocked(false, 0);
}

bool FakeTexture::IsOpaqueAt(int x, int y, int threshold) {
    ++opaqueQueries;
    uint32_t* pixel = Lock(pr::Rect{x, y, 1, 1}, pr::LockReadOnly);
    if (pixel == nullptr) {
        return false;
    }
    const int alpha = int(*pixel >> 24);
    Unlock();
    return alpha >= threshold;
}

void FakeTexture::UploadFrame(const uint32_t* words) {
    uint32_t* locked = Lock(pr::Rect(), pr::LockReadWrite);
    if (locked == nullptr) {
        return;
    }
    pr::convertPicture(words, ImageWidth(), ImageHeight(), reinterpret_cast<uint8_t*>(locked),
                       Pitch());
    Unlock();
}

FakeRenderer::FakeRenderer() {
    pr::setCurrentRenderer(this);
}

pr::Texture* FakeRenderer::CreateTextureFromMemory(const void*, uint32_t size, bool mipmaps) {
    calls.push_back("CreateTextureFromMemory(" + std::to_string(size) + ", " +
                    std::to_string(mipmaps) + ")");
    return acceptImages ? new FakeTexture(imageSize, imageSize) : nullptr;
}

pr::Texture* FakeRenderer::CreateTextureFromFile(const std::string& path, bool mipmaps) {
    calls.push_back("CreateTextureFromFile(" + path + ", " + std::to_string(mipmaps) + ")");
    return imageFiles.count(path) != 0 ? new FakeTexture(imageSize, imageSize) : nullptr;
}

pr::Texture* FakeRenderer::CreateTexture(int width, int height) {
    calls.push_back("CreateTexture(" + std::to_string(width) + ", " + std::to_string(height) + ")");
    return new FakeTexture(width, height);
}

pr::VideoTexture* FakeRenderer::CreateWhiteTexture(int width, int height) {
    calls.push_back("CreateWhiteTexture(" + std::to_string(width) + ", " + std::to_string(height) +
                    ")");
    FakeTexture* texture = new FakeTexture(width, height);
    std::fill(texture->pixels.begin(), texture->pixels.end(), White);
    return texture;
}

} // namespace testsupport
