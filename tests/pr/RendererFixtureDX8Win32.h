#pragma once
// Under Wine: a fresh engine with its window and Direct3D 8 device (windowed,
// 800 x 600, no sound) and the rendering layer's renderer on that device.

#include "engine/Engine.h"
#include "pr/DX8Renderer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <d3d8.h>

#include <string>
#include <vector>

namespace prtest {

class RendererDX8Win32Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The back buffer pixel as 0xRRGGBB.
    uint32_t screenPixel(int x, int y);
    // The whole back buffer, row after row (X8R8G8B8 words); sets screenWidth.
    std::vector<uint32_t> screenPixels();
    // Saves the back buffer as a BMP file.
    bool saveScreen(const std::string& path);
    // Every level-0 pixel of the texture (surface width per row), read-only.
    std::vector<uint32_t> texturePixels(pr::Texture& texture);

    testsupport::TempDir folder;
    Engine* engine = nullptr;
    IDirect3DDevice8* device = nullptr;
    pr::DX8Renderer* renderer = nullptr;
    int screenWidth = 0; // of the back buffer last read whole
};

} // namespace prtest
