#include "engine/ImageTextureDX8.h"

#include <cstring>

namespace {
const char DdsMagic[4] = {'D', 'D', 'S', ' '};
}

IDirect3DTexture8* createTextureFromImage(IDirect3DDevice8* device, const void* data, uint32_t size,
                                          bool mipmaps, D3DXIMAGE_INFO* info) {
    std::memset(info, 0, sizeof *info);
    const bool dds = size >= sizeof DdsMagic && std::memcmp(data, DdsMagic, sizeof DdsMagic) == 0;
    const D3DFORMAT formats[2] = {dds ? D3DFMT_UNKNOWN : D3DFMT_A8R8G8B8,
                                  dds ? D3DFMT_A8R8G8B8 : D3DFMT_UNKNOWN};
    for (D3DFORMAT format : formats) {
        IDirect3DTexture8* texture = nullptr;
        if (SUCCEEDED(D3DXCreateTextureFromFileInMemoryEx(
                device, data, size, D3DX_DEFAULT, D3DX_DEFAULT, mipmaps ? 0 : 1, 0, format,
                D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_DEFAULT, 0, info, nullptr, &texture))) {
            return texture;
        }
    }
    return nullptr;
}
