#include "tests/pr/RendererFixtureDX8Win32.h"

#include "engine/EngineDeviceDX8.h"
#include "engine/d3dx/D3dx8.h"

#include <windows.h>

namespace prtest {

void RendererDX8Win32Test::SetUp() {
    engine = AcquireEngine();
    std::string directory = folder.path();
    for (char& c : directory) {
        c = c == '/' ? '\\' : c;
    }
    engine->System_SetText(AppDirectory, directory.c_str());
    engine->System_SetText(LogFile, "engine.log");
    engine->System_SetFlag(Windowed, true);
    engine->System_SetFlag(SoundEnabled, false);
    engine->System_SetNumber(ScreenWidth, 800);
    engine->System_SetNumber(ScreenHeight, 600);
    ASSERT_TRUE(engine->System_Initiate()) << engine->System_GetLastError();
    device = EngineDevice(engine);
    ASSERT_NE(device, nullptr);
    renderer = new pr::DX8Renderer(device);
}

void RendererDX8Win32Test::TearDown() {
    if (renderer != nullptr) {
        renderer->release();
    }
    EXPECT_EQ(pr::currentRenderer(), nullptr);
    engine->System_Release();
    // Destroying the engine window posts a quit message; the next test must not see it.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

uint32_t RendererDX8Win32Test::screenPixel(int x, int y) {
    IDirect3DSurface8* back = nullptr;
    uint32_t value = 0xDEADBEEF;
    if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) {
        return value;
    }
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(back->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        value = reinterpret_cast<const uint32_t*>(static_cast<const char*>(locked.pBits) +
                                                  y * locked.Pitch)[x] &
                0xFFFFFF;
        back->UnlockRect();
    }
    back->Release();
    return value;
}

std::vector<uint32_t> RendererDX8Win32Test::screenPixels() {
    std::vector<uint32_t> pixels;
    IDirect3DSurface8* back = nullptr;
    if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) {
        return pixels;
    }
    D3DSURFACE_DESC description;
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(back->GetDesc(&description)) &&
        SUCCEEDED(back->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        screenWidth = int(description.Width);
        for (UINT y = 0; y < description.Height; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(
                static_cast<const char*>(locked.pBits) + y * locked.Pitch);
            pixels.insert(pixels.end(), row, row + description.Width);
        }
        back->UnlockRect();
    }
    back->Release();
    return pixels;
}

bool RendererDX8Win32Test::saveScreen(const std::string& path) {
    IDirect3DSurface8* back = nullptr;
    if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) {
        return false;
    }
    bool saved =
        SUCCEEDED(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, back, nullptr, nullptr));
    back->Release();
    return saved;
}

std::vector<uint32_t> RendererDX8Win32Test::texturePixels(pr::Texture& texture) {
    std::vector<uint32_t> pixels;
    const uint32_t* locked = texture.Lock(pr::Rect(), pr::LockReadOnly);
    if (locked == nullptr) {
        return pixels;
    }
    for (int y = 0; y < texture.SurfaceHeight(); ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(
            reinterpret_cast<const char*>(locked) + y * texture.Pitch());
        pixels.insert(pixels.end(), row, row + texture.SurfaceWidth());
    }
    texture.Unlock();
    return pixels;
}

} // namespace prtest
