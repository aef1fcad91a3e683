#include "pr/DX8Texture.h"

#include "engine/ImageTextureDX8.h"
#include "engine/d3dx/D3dx8.h"
#include "engine/d3dx/TextureSize.h"
#include "ph/FileSystem.h"
#include "ph/IInputStream.h"
#include "ph/Log.h"
#include "ph/Pointer.h"
#include "pr/PictureConversion.h"

#include <algorithm>
#include <cstring>

namespace pr {

namespace {

const char* const CreationFailed = "Can't create texture.";
enum : int { AlphaByte = 3 };

bool lockableFormat(D3DFORMAT format) {
    return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8;
}

unsigned tighter(unsigned deviceLimit, unsigned ownLimit) {
    if (ownLimit == 0) {
        return deviceLimit;
    }
    return deviceLimit == 0 ? ownLimit : std::min(deviceLimit, ownLimit);
}

} // namespace

DX8Texture* DX8Texture::CreateBlank(IDirect3DDevice8* device, int width, int height,
                                    TextureSizeLimit limit) {
    DX8Texture* texture = new DX8Texture(device);
    texture->createBlank(width, height, limit);
    return texture;
}

DX8Texture* DX8Texture::CreateFromMemory(IDirect3DDevice8* device, const void* data, uint32_t size,
                                         bool mipmaps) {
    DX8Texture* texture = new DX8Texture(device);
    texture->createFromMemory(data, size, mipmaps);
    return texture;
}

DX8Texture* DX8Texture::CreateFromFile(IDirect3DDevice8* device, const std::string& path,
                                       bool mipmaps) {
    DX8Texture* texture = new DX8Texture(device);
    ph::Pointer<ph::IInputStream> stream;
    stream.adopt(ph::FileSystem::instance().openForReading(path, false));
    if (stream && stream->contents() != nullptr && stream->size() != 0) {
        texture->createFromMemory(stream->contents(), stream->size(), mipmaps);
    }
    return texture;
}

DX8Texture::~DX8Texture() {
    if (texture != nullptr) {
        if (IsLocked()) {
            texture->UnlockRect(0);
        }
        texture->Release();
    }
}

bool DX8Texture::createBlank(int width, int height, TextureSizeLimit limit) {
    if (device == nullptr || width <= 0 || height <= 0) {
        PH_LOG(0) << CreationFailed;
        return false;
    }
    D3DCAPS8 caps;
    std::memset(&caps, 0, sizeof caps);
    device->GetDeviceCaps(&caps);
    d3dx::TextureSizeRules rules;
    rules.powerOfTwo = limit.powerOfTwo || (caps.TextureCaps & D3DPTEXTURECAPS_POW2) != 0;
    rules.nonPowerOfTwoConditional =
        !limit.powerOfTwo && (caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL) != 0;
    rules.squareOnly = (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) != 0;
    rules.maxWidth = tighter(caps.MaxTextureWidth, limit.width);
    rules.maxHeight = tighter(caps.MaxTextureHeight, limit.height);
    unsigned surfaceWidth = unsigned(width), surfaceHeight = unsigned(height);
    d3dx::fitTextureSize(rules, surfaceWidth, surfaceHeight, 1);
    if (FAILED(device->CreateTexture(surfaceWidth, surfaceHeight, 1, 0, D3DFMT_A8R8G8B8,
                                     D3DPOOL_MANAGED, &texture))) {
        texture = nullptr;
        PH_LOG(0) << CreationFailed;
        return false;
    }
    takeSurfaceSize();
    // A picture larger than the device allows keeps its size for the upload,
    // which scales it down into the whole texture.
    SetPictureSize(width, height);
    SetImageSize(std::min(width, SurfaceWidth()), std::min(height, SurfaceHeight()));
    return true;
}

bool DX8Texture::createFromMemory(const void* data, uint32_t size, bool mipmaps) {
    if (device == nullptr || data == nullptr || size == 0) {
        PH_LOG(0) << CreationFailed;
        return false;
    }
    D3DXIMAGE_INFO info;
    texture = createTextureFromImage(device, data, size, mipmaps, &info);
    if (texture == nullptr) {
        PH_LOG(0) << CreationFailed;
        return false;
    }
    takeSurfaceSize();
    SetImageSize(int(info.Width), int(info.Height));
    SetPictureSize(int(info.Width), int(info.Height));
    return true;
}

void DX8Texture::takeSurfaceSize() {
    D3DSURFACE_DESC description;
    if (SUCCEEDED(texture->GetLevelDesc(0, &description))) {
        SetSurfaceSize(int(description.Width), int(description.Height));
    }
}

EngineTexture DX8Texture::NativeHandle() {
    return reinterpret_cast<EngineTexture>(texture);
}

EngineTexture DX8Texture::NativeHandle2() {
    return NativeHandle();
}

uint32_t* DX8Texture::Lock(const Rect& rect, int mode) {
    D3DSURFACE_DESC description;
    if (texture == nullptr || IsLocked() || FAILED(texture->GetLevelDesc(0, &description)) ||
        !lockableFormat(description.Format)) {
        return nullptr;
    }
    const bool whole = rect.w == 0 || rect.h == 0;
    // Areas must lie inside the level: the device does not check.
    if (!whole && (rect.x < 0 || rect.y < 0 || rect.w < 0 || rect.h < 0 ||
                   int64_t(rect.x) + rect.w > int64_t(description.Width) ||
                   int64_t(rect.y) + rect.h > int64_t(description.Height))) {
        return nullptr;
    }
    RECT area = {rect.x, rect.y, rect.x + rect.w, rect.y + rect.h};
    D3DLOCKED_RECT locked;
    if (FAILED(texture->LockRect(0, &locked, whole ? nullptr : &area,
                                 mode == LockReadOnly ? D3DLOCK_READONLY : 0))) {
        return nullptr;
    }
    SetLocked(true, locked.Pitch);
    return static_cast<uint32_t*>(locked.pBits);
}

void DX8Texture::Unlock() {
    if (texture != nullptr && IsLocked()) {
        texture->UnlockRect(0);
    }
    SetLocked(false, 0);
}

bool DX8Texture::IsOpaqueAt(int x, int y, int threshold) {
    uint32_t* pixel = Lock(Rect{x, y, 1, 1}, LockReadOnly);
    if (pixel == nullptr) {
        return false;
    }
    const int alpha = reinterpret_cast<const uint8_t*>(pixel)[AlphaByte];
    Unlock();
    return alpha >= threshold;
}

void DX8Texture::Bind() {
    if (texture != nullptr && device != nullptr) {
        device->SetTexture(0, texture);
    }
}

void DX8Texture::UploadFrame(const uint32_t* words) {
    if (words == nullptr) {
        return;
    }
    uint32_t* pixels = Lock(Rect(), LockReadWrite);
    if (pixels == nullptr) {
        return;
    }
    uint8_t* destination = reinterpret_cast<uint8_t*>(pixels);
    // Never past the locked level, whatever the sizes say.
    const int width = std::min(ImageWidth(), SurfaceWidth());
    const int height = std::min(ImageHeight(), SurfaceHeight());
    if (PictureWidth() == width && PictureHeight() == height) {
        convertPicture(words, width, height, destination, Pitch());
    } else {
        convertPictureScaled(words, PictureWidth(), PictureHeight(), destination, Pitch(), width,
                             height);
    }
    Unlock();
}

} // namespace pr
