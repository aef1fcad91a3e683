#pragma once
// The texture on a Direct3D 8 device: blank, from an image in memory or from a
// file, with pixel locks and the video frame upload. Windows only; the
// DX8Renderer makes them.

#include "pr/VideoTexture.h"

#include <d3d8.h>

#include <string>

namespace pr {

// Texture sizes stricter than the device's own caps, for blank textures: the
// largest sides (0: the device's) and whether sides must be powers of two.
// Tests stand for a small or old device with it.
struct TextureSizeLimit {
    unsigned width = 0, height = 0;
    bool powerOfTwo = false;
};

class DX8Texture : public VideoTexture {
public:
    // Each returns a texture with one reference for the caller; HasTexture()
    // is false when the device refused it ("Can't create texture." logged).
    // A blank A8R8G8B8 managed texture; pictures larger than the device can
    // hold get the largest texture it can make.
    static DX8Texture* CreateBlank(IDirect3DDevice8* device, int width, int height,
                                   TextureSizeLimit limit = TextureSizeLimit());
    // From an encoded image (PNG, BMP, TGA, JPEG, DDS).
    static DX8Texture* CreateFromMemory(IDirect3DDevice8* device, const void* data, uint32_t size,
                                        bool mipmaps);
    // Through the file system; a missing or empty file gives no texture.
    static DX8Texture* CreateFromFile(IDirect3DDevice8* device, const std::string& path,
                                      bool mipmaps);

    ~DX8Texture() override; // releases the Direct3D texture

    EngineTexture NativeHandle() override;
    EngineTexture NativeHandle2() override;
    uint32_t* Lock(const Rect& rect, int mode) override;
    void Unlock() override;
    bool IsOpaqueAt(int x, int y, int threshold) override;
    void Bind() override;
    void UploadFrame(const uint32_t* words) override;

    bool HasTexture() const { return texture != nullptr; }
    IDirect3DTexture8* D3DTexture() const { return texture; }

private:
    explicit DX8Texture(IDirect3DDevice8* device) : device(device) {}
    bool createBlank(int width, int height, TextureSizeLimit limit);
    bool createFromMemory(const void* data, uint32_t size, bool mipmaps);
    void takeSurfaceSize();

    IDirect3DTexture8* texture = nullptr; // owned
    IDirect3DDevice8* device;             // the engine's; not counted
};

} // namespace pr
