#pragma once
// The renderer on the engine's Direct3D 8 device. Windows only: the shell
// creates it right after the engine's start-up, with EngineDevice().
// Textures come from here; drawing goes through the engine's own operations.

#include "pr/DX8Texture.h"
#include "pr/Renderer.h"

#include <d3d8.h>

namespace pr {

class DX8Renderer : public Renderer {
public:
    // Works on `device` without adding a reference; becomes the current renderer.
    explicit DX8Renderer(IDirect3DDevice8* device);
    ~DX8Renderer() override;

    // The engine made the device: this keeps the size for clipping and answers
    // whether the device is there.
    bool InitDevice(EngineWindow window, int width, int height) override;
    // Whether the device is usable (not lost).
    bool RestoreDevice() override;
    // Unbinds and forgets the bound texture.
    void ReleaseDevice() override;
    bool BeginScene() override;           // Gfx_BeginScene on the screen
    void EndScene() override;             // Gfx_EndScene, presenting
    void Clear(uint32_t colour) override; // Gfx_Clear
    // Intersects with the screen; nothing changes when that is the viewport
    // applied last or when they do not meet.
    void SetClipRect(const Rect* rect) override;
    void SetViewTransform(float x, float y, float dx, float dy, float rotation, float hscale,
                          float vscale) override;
    Texture* CreateTextureFromMemory(const void* data, uint32_t size, bool mipmaps) override;
    Texture* CreateTextureFromFile(const std::string& path, bool mipmaps) override;
    Texture* CreateTexture(int width, int height) override;
    VideoTexture* CreateWhiteTexture(int width, int height) override;
    void SetBlendMode(int mode) override; // recorded; the engine's quads carry their own
    // The engine's batching owns the buffers: true while the device is there.
    bool CreateBuffers() override;
    void UnbindTexture() override;
    // The engine flushes its own batches; the renderer keeps none.
    void Flush(bool end) override;
    void Reserved17() override {}
    void Reserved18() override {}
    void Reserved19() override {}
    void Reserved20() override {}
    void Reserved21() override {}

    // Binds `texture` to stage 0 and remembers it.
    void BindTexture(Texture* texture);
    int BlendMode() const { return blendMode; }
    // Sizes stricter than the device's caps for the blank and white textures.
    void SetTextureSizeLimit(const TextureSizeLimit& limit) { sizeLimit = limit; }
    // The screen size clipping uses: InitDevice's, else the engine's state.
    Rect Screen() const;

private:
    IDirect3DDevice8* device; // the engine's; not counted
    Engine* engine;           // one reference
    int screenWidth = 0, screenHeight = 0;
    int blendMode = 0;
    TextureSizeLimit sizeLimit;
};

// The last viewport SetClipRect applied, shared by all renderers.
Rect lastAppliedViewport();

} // namespace pr
