// Render targets and textures: creation, loading from image files, sizes and
// pixel locks.
#include "engine/EngineImpl.h"
#include "engine/ImageTextureDX8.h"

#include <cstring>

#include "engine/d3dx/D3dx8.h"

namespace {

IDirect3DTexture8* asTexture(EngineTexture texture) {
    return reinterpret_cast<IDirect3DTexture8*>(texture);
}

bool surfaceSize(IDirect3DTexture8* texture, D3DSURFACE_DESC& description) {
    return texture != nullptr && SUCCEEDED(texture->GetLevelDesc(0, &description));
}

} // namespace

EngineTarget* EngineImpl::Gfx_CreateTarget(int width, int height, bool withDepth) {
    if (device == nullptr) {
        return nullptr;
    }
    EngineTarget* target = new EngineTarget();
    if (FAILED(device->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET,
                                     presentation->BackBufferFormat, D3DPOOL_DEFAULT,
                                     &target->texture))) {
        delete target;
        fail("Can't create render target texture");
        return nullptr;
    }
    D3DSURFACE_DESC description;
    target->texture->GetLevelDesc(0, &description);
    target->width = static_cast<int>(description.Width);
    target->height = static_cast<int>(description.Height);
    target->withDepth = withDepth;
    target->depth = nullptr;
    if (withDepth &&
        FAILED(device->CreateDepthStencilSurface(target->width, target->height, D3DFMT_D16,
                                                 D3DMULTISAMPLE_NONE, &target->depth))) {
        target->texture->Release();
        delete target;
        fail("Can't create render target depth buffer");
        return nullptr;
    }
    target->next = targets;
    targets = target;
    return target;
}

void EngineImpl::Gfx_FreeTarget(EngineTarget* target) {
    for (EngineTarget** link = &targets; *link != nullptr; link = &(*link)->next) {
        if (*link != target) {
            continue;
        }
        *link = target->next;
        if (target->texture != nullptr) {
            target->texture->Release();
        }
        if (target->depth != nullptr) {
            target->depth->Release();
        }
        if (currentTarget == target) {
            // The device still draws into the freed surface: the next scene must
            // set its target even when that is the screen.
            currentTarget = nullptr;
            targetStateKnown = false;
        }
        delete target;
        return;
    }
}

EngineTexture EngineImpl::Gfx_GetTargetTexture(EngineTarget* target) {
    return target != nullptr ? reinterpret_cast<EngineTexture>(target->texture) : nullptr;
}

EngineTexture EngineImpl::Gfx_CreateTexture(int width, int height) {
    IDirect3DTexture8* texture = nullptr;
    if (device == nullptr || FAILED(device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8,
                                                          D3DPOOL_MANAGED, &texture))) {
        fail("Can't create texture");
        return nullptr;
    }
    return reinterpret_cast<EngineTexture>(texture);
}

EngineTexture EngineImpl::Gfx_LoadTexture(const void* data, uint32_t size, bool mipmaps) {
    if (device == nullptr) {
        return nullptr;
    }
    void* loaded = nullptr;
    if (size == 0) {
        loaded = Data_LoadFile(static_cast<const char*>(data), &size);
        if (loaded == nullptr) {
            return nullptr;
        }
        data = loaded;
    }
    D3DXIMAGE_INFO info;
    IDirect3DTexture8* texture = createTextureFromImage(device, data, size, mipmaps, &info);
    Data_FreeFile(loaded);
    if (texture == nullptr) {
        fail("Can't create texture");
        return nullptr;
    }
    EngineTextureEntry* entry = new EngineTextureEntry();
    entry->texture = texture;
    entry->sourceWidth = static_cast<int>(info.Width);
    entry->sourceHeight = static_cast<int>(info.Height);
    entry->next = textures;
    textures = entry;
    return reinterpret_cast<EngineTexture>(texture);
}

void EngineImpl::Gfx_FreeTexture(EngineTexture handle) {
    IDirect3DTexture8* texture = asTexture(handle);
    for (EngineTextureEntry** link = &textures; *link != nullptr; link = &(*link)->next) {
        if ((*link)->texture == texture) {
            EngineTextureEntry* removed = *link;
            *link = removed->next;
            delete removed;
            break;
        }
    }
    if (texture != nullptr) {
        if (boundTexture == texture || boundTexture2 == texture) {
            // The device keeps no reference of ours once the texture is gone.
            flush(false);
            if (boundTexture == texture) {
                bindTexture(0, nullptr);
            }
            if (boundTexture2 == texture) {
                bindTexture(1, nullptr);
            }
        }
        texture->Release();
    }
}

int EngineImpl::Gfx_TextureWidth(EngineTexture handle, bool sourceSize) {
    if (sourceSize) {
        for (EngineTextureEntry* entry = textures; entry != nullptr; entry = entry->next) {
            if (entry->texture == asTexture(handle)) {
                return entry->sourceWidth;
            }
        }
        return 0;
    }
    D3DSURFACE_DESC description;
    return surfaceSize(asTexture(handle), description) ? static_cast<int>(description.Width) : 0;
}

int EngineImpl::Gfx_TextureHeight(EngineTexture handle, bool sourceSize) {
    if (sourceSize) {
        for (EngineTextureEntry* entry = textures; entry != nullptr; entry = entry->next) {
            if (entry->texture == asTexture(handle)) {
                return entry->sourceHeight;
            }
        }
        return 0;
    }
    D3DSURFACE_DESC description;
    return surfaceSize(asTexture(handle), description) ? static_cast<int>(description.Height) : 0;
}

uint32_t* EngineImpl::Gfx_LockTexture(EngineTexture handle, bool readOnly, int left, int top,
                                      int width, int height) {
    IDirect3DTexture8* texture = asTexture(handle);
    D3DSURFACE_DESC description;
    if (!surfaceSize(texture, description) ||
        (description.Format != D3DFMT_A8R8G8B8 && description.Format != D3DFMT_X8R8G8B8)) {
        return nullptr;
    }
    RECT area = {left, top, left + width, top + height};
    D3DLOCKED_RECT locked;
    if (FAILED(texture->LockRect(0, &locked, width != 0 && height != 0 ? &area : nullptr,
                                 readOnly ? D3DLOCK_READONLY : 0))) {
        fail("Can't lock texture");
        return nullptr;
    }
    return static_cast<uint32_t*>(locked.pBits);
}

void EngineImpl::Gfx_UnlockTexture(EngineTexture handle) {
    IDirect3DTexture8* texture = asTexture(handle);
    if (texture != nullptr) {
        texture->UnlockRect(0);
    }
}
