#pragma once
// The rendering layer's renderer: the factory of textures (fonts and the movie
// element get theirs here) and a thin set of drawing operations over the
// engine. One implementation, DX8Renderer; users reach it through
// currentRenderer().

#include "engine/Engine.h"
#include "ph/Pointer.h"
#include "ph/RefCounter.h"
#include "pr/Rect.h"
#include "pr/Texture.h"

#include <cstdint>
#include <string>

namespace pr {

class VideoTexture;

class Renderer : public ph::RefCounter {
public:
    // Logs "renderer destroyed." (information) and clears the current
    // renderer when it is this one.
    ~Renderer() override;

    virtual bool InitDevice(EngineWindow window, int width, int height) = 0;
    virtual bool RestoreDevice() = 0;
    virtual void ReleaseDevice() = 0;
    virtual bool BeginScene() = 0;
    virtual void EndScene() = 0;
    virtual void Clear(uint32_t colour) = 0;
    // Null: the whole screen.
    virtual void SetClipRect(const Rect* rect) = 0;
    virtual void SetViewTransform(float x, float y, float dx, float dy, float rotation,
                                  float hscale, float vscale) = 0;
    // The factories hand the caller one reference; null when the device
    // refused the texture.
    virtual Texture* CreateTextureFromMemory(const void* data, uint32_t size, bool mipmaps) = 0;
    // `path` goes through the file system (relative to the program folder).
    virtual Texture* CreateTextureFromFile(const std::string& path, bool mipmaps) = 0;
    virtual Texture* CreateTexture(int width, int height) = 0;
    // A blank texture filled with opaque white.
    virtual VideoTexture* CreateWhiteTexture(int width, int height) = 0;
    virtual void SetBlendMode(int mode) = 0;
    virtual bool CreateBuffers() = 0;
    virtual void UnbindTexture() = 0;
    virtual void Flush(bool end) = 0;
    virtual void Reserved17() = 0;
    virtual void Reserved18() = 0;
    virtual void Reserved19() = 0;
    virtual void Reserved20() = 0;
    virtual void Reserved21() = 0;

    // The texture last bound through this renderer; empty at start.
    Texture* BoundTexture() const { return boundTexture.get(); }

protected:
    Renderer() = default;
    void SetBoundTexture(Texture* texture) { boundTexture = texture; }

private:
    ph::Pointer<Texture> boundTexture;
};

// The process-wide renderer: set by DX8Renderer's construction, cleared by the
// destruction of that renderer. Holds no reference.
Renderer* currentRenderer();
void setCurrentRenderer(Renderer* renderer);

} // namespace pr
