#pragma once
// Stand-ins for the rendering layer's renderer and textures in native tests:
// textures are pixel arrays in memory, the renderer records what it was asked
// and becomes the current renderer while it lives.

#include "pr/Renderer.h"
#include "pr/VideoTexture.h"

#include <set>
#include <string>
#include <vector>

namespace testsupport {

class FakeTexture : public pr::VideoTexture {
public:
    // An image of width x height on a surface of at least that size.
    FakeTexture(int width, int height, int surfaceWidth = 0, int surfaceHeight = 0);

    std::vector<uint32_t> pixels; // ARGB words, surface width per row
    int opaqueQueries = 0;        // IsOpaqueAt calls

    EngineTexture NativeHandle() override;
    EngineTexture NativeHandle2() override { return NativeHandle(); }
    uint32_t* Lock(const pr::Rect& rect, int mode) override;
    void Unlock() override;
    bool IsOpaqueAt(int x, int y, int threshold) override;
    void Bind() override {}
    void UploadFrame(const uint32_t* words) override;
};

class FakeRenderer : public pr::Renderer {
public:
    FakeRenderer();                   // becomes the current renderer
    std::vector<std::string> calls;   // "CreateTextureFromFile(path)", ...
    std::set<std::string> imageFiles; // paths CreateTextureFromFile finds
    bool acceptImages = true;         // whether CreateTextureFromMemory succeeds
    int imageSize = 512;              // the size of images it "decodes"

    bool InitDevice(EngineWindow, int, int) override { return true; }
    bool RestoreDevice() override { return true; }
    void ReleaseDevice() override {}
    bool BeginScene() override { return true; }
    void EndScene() override {}
    void Clear(uint32_t) override {}
    void SetClipRect(const pr::Rect*) override {}
    void SetViewTransform(float, float, float, float, float, float, float) override {}
    pr::Texture* CreateTextureFromMemory(const void* data, uint32_t size, bool mipmaps) override;
    pr::Texture* CreateTextureFromFile(const std::string& path, bool mipmaps) override;
    pr::Texture* CreateTexture(int width, int height) override;
    pr::VideoTexture* CreateWhiteTexture(int width, int height) override;
    void SetBlendMode(int) override {}
    bool CreateBuffers() override { return true; }
    void UnbindTexture() override {}
    void Flush(bool) override {}
    void Reserved17() override {}
    void Reserved18() override {}
    void Reserved19() override {}
    void Reserved20() override {}
    void Reserved21() override {}
};

} // namespace testsupport
