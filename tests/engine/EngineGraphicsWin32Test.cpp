// Graphics of the real engine under Wine's Direct3D 8: batching observed
// through the engine's draw-call count, blend modes checked by reading the
// lockable back buffer, clipping, render targets, textures and screenshots.
#include "tests/support/EngineFixtureWin32.h"

#include "tests/support/ImageFixtures.h"
#include "tests/support/Files.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace enginetest {
namespace {

class EngineGraphicsTest : public EngineWin32Test {
protected:
    void SetUp() override {
        EngineWin32Test::SetUp();
        ASSERT_TRUE(initiate());
    }

    static EngineQuad quad(float left, float top, float right, float bottom, uint32_t colour,
                           EngineTexture texture, int blend) {
        EngineQuad q = {};
        const float xs[4] = {left, right, right, left};
        const float ys[4] = {top, top, bottom, bottom};
        for (int i = 0; i < 4; ++i) {
            q.v[i].x = xs[i];
            q.v[i].y = ys[i];
            q.v[i].z = 0.5f;
            q.v[i].colour = colour;
            q.v[i].tu = (i == 1 || i == 2) ? 1.0f : 0.0f;
            q.v[i].tv = (i >= 2) ? 1.0f : 0.0f;
        }
        q.texture = texture;
        q.blend = blend;
        q.scaleX2 = q.scaleY2 = 1.0f;
        return q;
    }

    // A 1 x 1 texture of one colour.
    EngineTexture solidTexture(uint32_t colour) {
        EngineTexture texture = engine->Gfx_CreateTexture(1, 1);
        EXPECT_NE(nullptr, texture);
        uint32_t* pixel = engine->Gfx_LockTexture(texture, false, 0, 0, 0, 0);
        EXPECT_NE(nullptr, pixel);
        if (pixel != nullptr) {
            *pixel = colour;
            engine->Gfx_UnlockTexture(texture);
        }
        return texture;
    }

    uint32_t pixelAt(int x, int y) { return backBufferPixel(x, y); }
};

using EngineBatchingWin32 = EngineGraphicsTest;
using EngineDrawingWin32 = EngineGraphicsTest;
using EngineTexturesWin32 = EngineGraphicsTest;

void expectNear(uint32_t expected, uint32_t actual, const char* what) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int e = (expected >> shift) & 0xFF;
        const int a = (actual >> shift) & 0xFF;
        EXPECT_LE(std::abs(e - a), 3)
            << what << std::hex << ": expected " << expected << " got " << actual;
    }
}

TEST_F(EngineBatchingWin32, EqualPrimitivesShareADrawCallUpToTheBatchLimit) {
    struct Case {
        const char* what;
        int kind;
        int count;
        unsigned drawCalls;
        UINT lastPrimitives;
    };
    const Case cases[] = {
        {"1000 quads", EnginePrimQuads, 1000, 1, 2000},
        {"1001 quads", EnginePrimQuads, 1001, 2, 2},
        {"2000 lines", EnginePrimLines, 2000, 1, 2000},
        {"2001 lines", EnginePrimLines, 2001, 2, 1},
        {"1333 triangles", EnginePrimTriangles, 1333, 1, 1333},
        {"1334 triangles", EnginePrimTriangles, 1334, 2, 1},
    };
    const EngineQuad q = quad(1, 1, 3, 3, 0xFFFFFFFF, nullptr, EngineBlendDefault);
    EngineTriangle t = {};
    t.blend = EngineBlendDefault;
    for (const Case& c : cases) {
        ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
        const unsigned before = engine->drawCallCount;
        for (int i = 0; i < c.count; ++i) {
            if (c.kind == EnginePrimQuads) {
                engine->Gfx_DrawQuad(&q, 0);
            } else if (c.kind == EnginePrimLines) {
                engine->Gfx_DrawLine(1, 1, 5, 5, 0xFFFFFFFF, 0.5f);
            } else {
                engine->Gfx_DrawTriangle(&t);
            }
        }
        engine->Gfx_EndScene();
        EXPECT_EQ(c.drawCalls, engine->drawCallCount - before) << c.what;
        EXPECT_EQ(c.lastPrimitives, engine->lastDrawPrimitiveCount) << c.what;
    }
}

TEST_F(EngineBatchingWin32, LineAfterTexturedQuadFlushesAndUnbindsBothStages) {
    EngineTexture texture = solidTexture(0xFFFFFFFF);
    EngineTexture texture2 = solidTexture(0xFFFFFFFF);
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    EngineQuad q = quad(0, 0, 4, 4, 0xFFFFFFFF, texture, EngineBlendColourAdd | EngineBlendAlpha);
    q.texture2 = texture2;
    q.v[1].tu2 = q.v[2].tu2 = 1.0f;
    q.v[2].tv2 = q.v[3].tv2 = 1.0f;
    const unsigned before = engine->drawCallCount;
    engine->Gfx_DrawQuadLayered(&q);
    EXPECT_EQ(before, engine->drawCallCount);
    engine->Gfx_DrawLine(0, 0, 5, 5, 0xFFFFFFFF, 0.5f);
    EXPECT_EQ(before + 1, engine->drawCallCount);
    IDirect3DBaseTexture8* bound = reinterpret_cast<IDirect3DBaseTexture8*>(1);
    engine->device->GetTexture(0, &bound);
    EXPECT_EQ(nullptr, bound);
    engine->device->GetTexture(1, &bound);
    EXPECT_EQ(nullptr, bound);
    EXPECT_EQ(EngineBlendDefault, engine->blendMode);
    engine->Gfx_EndScene();
    EXPECT_EQ(before + 2, engine->drawCallCount);
    engine->Gfx_FreeTexture(texture);
    engine->Gfx_FreeTexture(texture2);
}

TEST_F(EngineBatchingWin32, OutsideASceneNothingIsDrawn) {
    const unsigned before = engine->drawCallCount;
    engine->Gfx_DrawLine(0, 0, 5, 5, 0xFFFFFFFF, 0.5f);
    const EngineQuad q = quad(0, 0, 4, 4, 0xFFFFFFFF, nullptr, EngineBlendDefault);
    engine->Gfx_DrawQuad(&q, 0);
    int maxCount = -1;
    EXPECT_EQ(nullptr, engine->Gfx_BeginBatch(EnginePrimQuads, nullptr, nullptr, 2, &maxCount));
    EXPECT_EQ(before, engine->drawCallCount);

    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    EXPECT_FALSE(engine->Gfx_BeginScene(nullptr));
    EXPECT_STREQ("Gfx_BeginScene: Scene is already being rendered", engine->System_GetLastError());
    EngineVertex* vertices =
        engine->Gfx_BeginBatch(EnginePrimQuads, nullptr, nullptr, EngineBlendDefault, &maxCount);
    ASSERT_NE(nullptr, vertices);
    EXPECT_EQ(1000, maxCount);
    memcpy(vertices, q.v, sizeof(q.v));
    engine->Gfx_EndBatch(1);
    engine->Gfx_EndScene();
    EXPECT_EQ(before + 1, engine->drawCallCount);
    EXPECT_EQ(2u, engine->lastDrawPrimitiveCount);
}

TEST_F(EngineDrawingWin32, BlendModesByPixel) {
    EngineTexture grey = solidTexture(0xFF808080);
    struct Case {
        const char* what;
        int blend;
        uint32_t vertexColour;
        uint32_t background;
        uint32_t expected;
    };
    const Case cases[] = {
        {"multiply, alpha blend", EngineBlendAlpha, 0xFF80FF40, 0xFF000000, 0x408020},
        {"add, alpha blend", EngineBlendColourAdd | EngineBlendAlpha, 0xFF80FF40, 0xFF000000,
         0xFFFFC0},
        {"multiply, additive", 0, 0xFF80FF40, 0xFF204060, 0x60C080},
        {"half alpha blend", EngineBlendAlpha, 0x8080FF40, 0xFF204060, 0x306040},
        {"half alpha additive", 0, 0x8080FF40, 0xFF204060, 0x408070},
        {"explicit one, one ignores alpha",
         EngineBlendExplicit | EngineBlendSrcOne | EngineBlendDestOne, 0x8080FF40, 0xFF204060,
         0x60C080},
        {"explicit zero, source colour",
         EngineBlendExplicit | EngineBlendSrcZero | EngineBlendDestSrcColour, 0xFF80FF40,
         0xFF808080, 0x204010},
        // The recorded explicit mode says nothing about bits 1, 2 and 4.
        {"additive after an explicit mode", 0, 0x8080FF40, 0xFF204060, 0x408070},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
        engine->Gfx_Clear(c.background);
        const EngineQuad q = quad(10, 10, 30, 30, c.vertexColour, grey, c.blend);
        engine->Gfx_DrawQuad(&q, 0);
        engine->Gfx_EndScene();
        expectNear(c.expected, pixelAt(20, 20), c.what);
        expectNear(c.background & 0xFFFFFF, pixelAt(40, 40), c.what);
    }
    engine->Gfx_FreeTexture(grey);
}

TEST_F(EngineDrawingWin32, LinesAreDrawnWithoutTexture) {
    EngineTexture grey = solidTexture(0xFF808080);
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_Clear(0xFF000000);
    const EngineQuad q = quad(50, 50, 60, 60, 0xFFFFFFFF, grey, EngineBlendDefault);
    engine->Gfx_DrawQuad(&q, 0);
    // Integer coordinates are pixel edges for lines: half a pixel down hits row 20 squarely.
    engine->Gfx_DrawLine(5, 20.5f, 45, 20.5f, 0xFF00FF00, 0.5f);
    engine->Gfx_EndScene();
    expectNear(0x00FF00, pixelAt(25, 20), "full green line, not multiplied by grey");
    engine->Gfx_FreeTexture(grey);
}

TEST_F(EngineDrawingWin32, ClipRectangleIsCutToTheScreen) {
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_SetClipRect(-10, -10, 50, 50);
    D3DVIEWPORT8 viewport;
    engine->device->GetViewport(&viewport);
    EXPECT_EQ(0u, viewport.X);
    EXPECT_EQ(0u, viewport.Y);
    EXPECT_EQ(40u, viewport.Width);
    EXPECT_EQ(40u, viewport.Height);
    engine->Gfx_Clear(0xFF000000);
    const EngineQuad q = quad(0, 0, 100, 100, 0xFFFFFFFF, nullptr, EngineBlendDefault);
    engine->Gfx_DrawQuad(&q, 0);
    engine->Gfx_SetClipRect(0, 0, 0, 0);
    engine->device->GetViewport(&viewport);
    EXPECT_EQ(static_cast<DWORD>(engine->System_GetNumber(ScreenWidth)), viewport.Width);
    engine->Gfx_EndScene();
    EXPECT_EQ(0xFFFFFFu, pixelAt(20, 20));
    EXPECT_EQ(0u, pixelAt(60, 60)) << "outside the clip rectangle";
}

TEST_F(EngineDrawingWin32, RenderTargetIsDrawnWithoutPresenting) {
    EngineTarget* target = engine->Gfx_CreateTarget(64, 64, true);
    ASSERT_NE(nullptr, target);
    EXPECT_EQ(64, engine->Gfx_TextureWidth(engine->Gfx_GetTargetTexture(target), false));
    const unsigned presents = engine->presentCount;
    ASSERT_TRUE(engine->Gfx_BeginScene(target));
    engine->Gfx_Clear(0xFFFF0000);
    engine->Gfx_EndScene();
    EXPECT_EQ(presents, engine->presentCount);

    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_Clear(0xFF000000);
    const EngineQuad q =
        quad(0, 0, 64, 64, 0xFFFFFFFF, engine->Gfx_GetTargetTexture(target), EngineBlendDefault);
    engine->Gfx_DrawQuad(&q, 0);
    engine->Gfx_EndScene();
    EXPECT_EQ(presents + 1, engine->presentCount);
    expectNear(0xFF0000, pixelAt(32, 32), "target contents on screen");
    engine->Gfx_FreeTarget(target);
    EXPECT_EQ(nullptr, engine->Gfx_GetTargetTexture(nullptr));
}

TEST_F(EngineDrawingWin32, SceneAfterFreeingTheCurrentTargetDrawsToTheScreen) {
    EngineTarget* target = engine->Gfx_CreateTarget(64, 64, false);
    ASSERT_NE(nullptr, target);
    ASSERT_TRUE(engine->Gfx_BeginScene(target));
    engine->Gfx_Clear(0xFFFF0000);
    engine->Gfx_EndScene();
    engine->Gfx_FreeTarget(target);

    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_Clear(0xFF0000FF);
    const EngineQuad q = quad(100, 100, 140, 140, 0xFFFFFFFF, nullptr, EngineBlendDefault);
    engine->Gfx_DrawQuad(&q, 0);
    engine->Gfx_EndScene();
    EXPECT_EQ(0x0000FFu, pixelAt(300, 300)) << "cleared";
    EXPECT_EQ(0xFFFFFFu, pixelAt(120, 120)) << "drawn with the screen's projection";
}

TEST_F(EngineDrawingWin32, TargetIsDrawnIntoAfterADeviceRestore) {
    EngineTarget* target = engine->Gfx_CreateTarget(64, 64, false);
    ASSERT_NE(nullptr, target);
    ASSERT_TRUE(engine->Gfx_BeginScene(target));
    engine->Gfx_Clear(0xFFFF0000);
    engine->Gfx_EndScene();
    ASSERT_TRUE(engine->restoreDevice());

    ASSERT_TRUE(engine->Gfx_BeginScene(target));
    engine->Gfx_Clear(0xFF00FF00);
    engine->Gfx_EndScene();
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_Clear(0xFF000000);
    const EngineQuad q =
        quad(0, 0, 64, 64, 0xFFFFFFFF, engine->Gfx_GetTargetTexture(target), EngineBlendDefault);
    engine->Gfx_DrawQuad(&q, 0);
    engine->Gfx_EndScene();
    expectNear(0x00FF00, pixelAt(32, 32), "the target's new contents");
    engine->Gfx_FreeTarget(target);
}

TEST_F(EngineDrawingWin32, FirstColourAddQuadAfterCreationAndRestoreAddsColour) {
    EngineTexture grey = solidTexture(0xFF808080);
    for (const bool restored : {false, true}) {
        if (restored) {
            ASSERT_TRUE(engine->restoreDevice());
        }
        ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
        engine->Gfx_Clear(0xFF000000);
        const EngineQuad q =
            quad(10, 10, 30, 30, 0xFF80FF40, grey, EngineBlendColourAdd | EngineBlendAlpha);
        engine->Gfx_DrawQuad(&q, 0);
        engine->Gfx_EndScene();
        expectNear(0xFFFFC0, pixelAt(20, 20), restored ? "after a restore" : "after creation");
    }
    engine->Gfx_FreeTexture(grey);
}

TEST_F(EngineDrawingWin32, ClearCoversTheWholeTargetInsideAClipRectangle) {
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_Clear(0xFF000000);
    engine->Gfx_SetClipRect(10, 10, 20, 20);
    engine->Gfx_Clear(0xFF00FF00);
    D3DVIEWPORT8 viewport;
    engine->device->GetViewport(&viewport);
    engine->Gfx_EndScene();
    EXPECT_EQ(0x00FF00u, pixelAt(400, 300));
    EXPECT_EQ(0x00FF00u, pixelAt(15, 15));
    EXPECT_EQ(20u, viewport.Width) << "the clip rectangle stays";
}

TEST_F(EngineDrawingWin32, SceneWithoutVertexBufferRecreatesTheDeviceResources) {
    // What a failed re-creation of the device resources leaves behind.
    engine->releaseDeviceResources();
    ASSERT_EQ(nullptr, engine->vertexBuffer);
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_Clear(0xFF000000);
    const EngineQuad q = quad(10, 10, 30, 30, 0xFFFFFFFF, nullptr, EngineBlendDefault);
    engine->Gfx_DrawQuad(&q, 0);
    engine->Gfx_EndScene();
    EXPECT_EQ(0xFFFFFFu, pixelAt(20, 20));
}

TEST_F(EngineDrawingWin32, FilteringAndAddressingFollowTheirFlags) {
    struct Case {
        EngineFlagState flag;
        bool value;
        D3DTEXTURESTAGESTATETYPE state;
        DWORD expected;
    };
    const Case cases[] = {
        {LinearFiltering, false, D3DTSS_MAGFILTER, D3DTEXF_POINT},
        {LinearFiltering, false, D3DTSS_MINFILTER, D3DTEXF_POINT},
        {LinearFiltering, true, D3DTSS_MINFILTER, D3DTEXF_LINEAR},
        {ClampTextures, true, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP},
        {ClampTextures, true, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP},
        {ClampTextures, false, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP},
    };
    for (const Case& c : cases) {
        engine->System_SetFlag(c.flag, c.value);
        DWORD value = 0;
        engine->device->GetTextureStageState(0, c.state, &value);
        EXPECT_EQ(c.expected, value) << c.flag << " " << c.value << " state " << c.state;
    }
}

TEST_F(EngineDrawingWin32, LayeredQuadSetsTheStageOneTransform) {
    EngineTexture texture = engine->Gfx_CreateTexture(64, 64);
    EngineTexture layer = engine->Gfx_CreateTexture(32, 32);
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    EngineQuad q = quad(0, 0, 8, 8, 0xFFFFFFFF, texture, EngineBlendDefault);
    q.texture2 = layer;
    q.v[1].tu2 = q.v[2].tu2 = 0.5f;  // A = 32 * 0.5
    q.v[2].tv2 = q.v[3].tv2 = 0.25f; // B = 32 * 0.25
    q.scaleX2 = 2.0f;
    q.offsetX2 = 0.25f;
    engine->Gfx_DrawQuadLayered(&q);
    D3DMATRIX transform;
    engine->device->GetTransform(D3DTS_TEXTURE1, &transform);
    EXPECT_FLOAT_EQ(2.0f, transform._11); // 64 / 16 / 2
    EXPECT_FLOAT_EQ(8.0f, transform._22); // 64 / 8 / 1
    EXPECT_FLOAT_EQ(-0.25f, transform._31);
    EXPECT_FLOAT_EQ(0.0f, transform._32);

    // A single-layer quad leaves the stage-1 transform alone.
    D3DMATRIX identity;
    setIdentity(identity);
    engine->device->SetTransform(D3DTS_TEXTURE1, &identity);
    const EngineQuad single = quad(0, 0, 8, 8, 0xFFFFFFFF, texture, EngineBlendDefault);
    engine->Gfx_DrawQuad(&single, 0);
    engine->device->GetTransform(D3DTS_TEXTURE1, &transform);
    EXPECT_FLOAT_EQ(1.0f, transform._11);
    EXPECT_EQ(nullptr, engine->boundTexture2);
    engine->Gfx_EndScene();
    engine->Gfx_FreeTexture(texture);
    engine->Gfx_FreeTexture(layer);
}

TEST_F(EngineDrawingWin32, ViewTransformMovesTheDrawing) {
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_Clear(0xFF000000);
    engine->Gfx_SetViewTransform(0, 0, 100, 50, 0, 1, 1);
    const EngineQuad q = quad(10, 10, 30, 30, 0xFFFFFFFF, nullptr, EngineBlendDefault);
    engine->Gfx_DrawQuad(&q, 0);
    engine->Gfx_SetViewTransform(0, 0, 0, 0, 0, 0, 0);
    const EngineQuad still = quad(200, 200, 210, 210, 0xFFFFFFFF, nullptr, EngineBlendDefault);
    engine->Gfx_DrawQuad(&still, 0);
    engine->Gfx_EndScene();
    EXPECT_EQ(0xFFFFFFu, pixelAt(120, 70));
    EXPECT_EQ(0u, pixelAt(20, 20));
    EXPECT_EQ(0xFFFFFFu, pixelAt(205, 205)) << "identity again";
}

TEST_F(EngineTexturesWin32, ImagesInMemoryKeepTheirSourceSizes) {
    std::vector<uint8_t> pixels(13 * 7 * 4, 0x80);
    const std::string png = testsupport::pngFile(13, 7, 4, pixels);
    const std::string bmp = testsupport::bmpFile(5, 3, 3, std::vector<uint8_t>(5 * 3 * 3, 0x40));
    const std::string dds = testsupport::ddsFile({nullptr, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                                                 6, 2, 0, std::string(6 * 2 * 4, '\x7f'));
    struct Case {
        const char* what;
        std::string data;
        int width, height;
    };
    const Case cases[] = {{"PNG", png, 13, 7}, {"BMP", bmp, 5, 3}, {"DDS", dds, 6, 2}};
    for (const Case& c : cases) {
        EngineTexture texture =
            engine->Gfx_LoadTexture(c.data.data(), static_cast<uint32_t>(c.data.size()), false);
        ASSERT_NE(nullptr, texture) << c.what;
        EXPECT_EQ(c.width, engine->Gfx_TextureWidth(texture, true)) << c.what;
        EXPECT_EQ(c.height, engine->Gfx_TextureHeight(texture, true)) << c.what;
        EXPECT_GE(engine->Gfx_TextureWidth(texture, false), c.width) << c.what;
        engine->Gfx_FreeTexture(texture);
        EXPECT_EQ(0, engine->Gfx_TextureWidth(texture, true)) << c.what << " forgotten";
    }

    testsupport::writeFile(folder.file("tex.png"), png);
    EngineTexture fromFile = engine->Gfx_LoadTexture("tex.png", 0, true);
    ASSERT_NE(nullptr, fromFile);
    EXPECT_EQ(13, engine->Gfx_TextureWidth(fromFile, true));

    const std::string junk = "not an image at all";
    EXPECT_EQ(nullptr,
              engine->Gfx_LoadTexture(junk.data(), static_cast<uint32_t>(junk.size()), false));
    EXPECT_STREQ("Can't create texture", engine->System_GetLastError());
    EXPECT_EQ(nullptr, engine->Gfx_LoadTexture("absent.png", 0, false));
}

TEST_F(EngineTexturesWin32, LocksOnlyThirtyTwoBitTexturesAndTheirRectangles) {
    EngineTexture texture = engine->Gfx_CreateTexture(8, 8);
    ASSERT_NE(nullptr, texture);
    uint32_t* part = engine->Gfx_LockTexture(texture, false, 2, 3, 2, 2);
    ASSERT_NE(nullptr, part);
    part[0] = 0xFF123456;
    engine->Gfx_UnlockTexture(texture);
    D3DLOCKED_RECT locked;
    auto* direct = reinterpret_cast<IDirect3DTexture8*>(texture);
    ASSERT_TRUE(SUCCEEDED(direct->LockRect(0, &locked, nullptr, D3DLOCK_READONLY)));
    const uint32_t* row3 = reinterpret_cast<const uint32_t*>(
        static_cast<const char*>(locked.pBits) + 3 * locked.Pitch);
    EXPECT_EQ(0xFF123456u, row3[2]);
    direct->UnlockRect(0);
    EXPECT_NE(nullptr, engine->Gfx_LockTexture(texture, true, 0, 0, 0, 0));
    engine->Gfx_UnlockTexture(texture);
    engine->Gfx_FreeTexture(texture);

    const std::string dxt1 =
        testsupport::ddsFile({"DXT1", 0, 0, 0, 0, 0}, 4, 4, 0, std::string(8, '\0'));
    EngineTexture compressed =
        engine->Gfx_LoadTexture(dxt1.data(), static_cast<uint32_t>(dxt1.size()), false);
    ASSERT_NE(nullptr, compressed);
    EXPECT_EQ(nullptr, engine->Gfx_LockTexture(compressed, false, 0, 0, 0, 0));
    engine->Gfx_FreeTexture(compressed);
}

TEST_F(EngineTexturesWin32, NullNameLoadsNothing) {
    uint32_t size = 7;
    EXPECT_EQ(nullptr, engine->Data_LoadFile(nullptr, &size));
    EXPECT_EQ(7u, size);
    EXPECT_EQ(nullptr, engine->Gfx_LoadTexture(nullptr, 0, false));
}

TEST_F(EngineTexturesWin32, TextureReleasedAfterShutdownDoesNotCrash) {
    EngineTexture texture = engine->Gfx_CreateTexture(8, 8);
    ASSERT_NE(nullptr, texture);
    engine->System_Shutdown();
    // The library stays loaded for the life of the process: the texture's
    // methods are still there.
    EXPECT_NE(nullptr, GetModuleHandleA("d3d8.dll"));
    EXPECT_EQ(0u, reinterpret_cast<IUnknown*>(texture)->Release());
}

TEST_F(EngineTexturesWin32, ScreenshotsAreNumberedAndNeverOverwritten) {
    testsupport::writeFile(folder.file("shot000.bmp"), "zero");
    testsupport::writeFile(folder.file("shot002.bmp"), "two");
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_Clear(0xFF336699);
    engine->Gfx_EndScene();
    engine->System_SaveScreenshot(nullptr);
    EXPECT_EQ("two", testsupport::readFile(folder.file("shot002.bmp")));
    const std::string shot = testsupport::readFile(folder.file("shot003.bmp"));
    ASSERT_GT(shot.size(), 54u);
    EXPECT_EQ("BM", shot.substr(0, 2));
    engine->System_SaveScreenshot(nullptr);
    EXPECT_TRUE(testsupport::fileExists(folder.file("shot004.bmp")));
    engine->System_SaveScreenshot(engine->Data_ResolvePath("named.bmp"));
    EXPECT_EQ("BM", testsupport::readFile(folder.file("named.bmp")).substr(0, 2));
}

} // namespace
} // namespace enginetest
