#include "pr/DX8Renderer.h"

#include <cstring>

namespace pr {

namespace {

Rect appliedViewport; // shared by all renderers, like the device's viewport
bool viewportApplied = false;

enum : uint32_t { WhiteByte = 0xFF };

} // namespace

Rect lastAppliedViewport() {
    return appliedViewport;
}

DX8Renderer::DX8Renderer(IDirect3DDevice8* device) : device(device), engine(AcquireEngine()) {
    setCurrentRenderer(this);
}

DX8Renderer::~DX8Renderer() {
    if (engine != nullptr) {
        engine->System_Release();
    }
}

bool DX8Renderer::InitDevice(EngineWindow, int width, int height) {
    screenWidth = width;
    screenHeight = height;
    return CreateBuffers();
}

bool DX8Renderer::RestoreDevice() {
    return device != nullptr && SUCCEEDED(device->TestCooperativeLevel());
}

void DX8Renderer::ReleaseDevice() {
    UnbindTexture();
}

bool DX8Renderer::BeginScene() {
    return engine != nullptr && engine->Gfx_BeginScene(nullptr);
}

void DX8Renderer::EndScene() {
    if (engine != nullptr) {
        engine->Gfx_EndScene();
    }
}

void DX8Renderer::Clear(uint32_t colour) {
    if (engine != nullptr) {
        engine->Gfx_Clear(colour);
    }
}

Rect DX8Renderer::Screen() const {
    if (screenWidth > 0 && screenHeight > 0) {
        return Rect{0, 0, screenWidth, screenHeight};
    }
    if (engine == nullptr) {
        return Rect();
    }
    return Rect{0, 0, engine->System_GetNumber(ScreenWidth),
                engine->System_GetNumber(ScreenHeight)};
}

void DX8Renderer::SetClipRect(const Rect* rect) {
    const Rect screen = Screen();
    const Rect viewport = rect != nullptr ? intersectRects(*rect, screen) : screen;
    // An empty overlap has no viewport the engine could take (w 0 means the
    // whole screen): leave the last one in place rather than draw everywhere.
    if (engine == nullptr || viewport.w <= 0 || viewport.h <= 0) {
        return;
    }
    if (viewportApplied && viewport == appliedViewport) {
        return;
    }
    engine->Gfx_SetClipRect(viewport.x, viewport.y, viewport.w, viewport.h);
    appliedViewport = viewport;
    viewportApplied = true;
}

void DX8Renderer::SetViewTransform(float x, float y, float dx, float dy, float rotation,
                                   float hscale, float vscale) {
    if (engine != nullptr) {
        engine->Gfx_SetViewTransform(x, y, dx, dy, rotation, hscale, vscale);
    }
}

Texture* DX8Renderer::CreateTextureFromMemory(const void* data, uint32_t size, bool mipmaps) {
    DX8Texture* texture = DX8Texture::CreateFromMemory(device, data, size, mipmaps);
    if (!texture->HasTexture()) {
        texture->release();
        return nullptr;
    }
    return texture;
}

Texture* DX8Renderer::CreateTextureFromFile(const std::string& path, bool mipmaps) {
    DX8Texture* texture = DX8Texture::CreateFromFile(device, path, mipmaps);
    if (!texture->HasTexture()) {
        texture->release();
        return nullptr;
    }
    return texture;
}

Texture* DX8Renderer::CreateTexture(int width, int height) {
    DX8Texture* texture = DX8Texture::CreateBlank(device, width, height, sizeLimit);
    if (!texture->HasTexture()) {
        texture->release();
        return nullptr;
    }
    return texture;
}

VideoTexture* DX8Renderer::CreateWhiteTexture(int width, int height) {
    DX8Texture* texture = DX8Texture::CreateBlank(device, width, height, sizeLimit);
    if (!texture->HasTexture()) {
        texture->release();
        return nullptr;
    }
    uint32_t* pixels = texture->Lock(Rect(), LockReadWrite);
    if (pixels != nullptr) {
        uint8_t* row = reinterpret_cast<uint8_t*>(pixels);
        const size_t rowBytes = size_t(texture->SurfaceWidth()) * 4;
        for (int y = 0; y < texture->SurfaceHeight(); ++y, row += texture->Pitch()) {
            std::memset(row, WhiteByte, rowBytes);
        }
        texture->Unlock();
    }
    return texture;
}

void DX8Renderer::SetBlendMode(int mode) {
    blendMode = mode;
}

bool DX8Renderer::CreateBuffers() {
    return device != nullptr;
}

void DX8Renderer::BindTexture(Texture* texture) {
    if (texture != nullptr) {
        texture->Bind();
    }
    SetBoundTexture(texture);
}

void DX8Renderer::UnbindTexture() {
    if (device != nullptr) {
        device->SetTexture(0, nullptr);
    }
    SetBoundTexture(nullptr);
}

void DX8Renderer::Flush(bool) {}

} // namespace pr
