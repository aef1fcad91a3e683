// Under Wine: the renderer on the engine's device, sprites and the system font
// drawn on screen and read back from the back buffer.

#include "ph/Pointer.h"
#include "pr/FontRegistry.h"
#include "pr/Sprite.h"
#include "tests/pr/RendererFixtureDX8Win32.h"

#include <cstdlib>

namespace {

using RendererDX8Win32 = prtest::RendererDX8Win32Test;

const uint32_t White = 0xFFFFFF;
const uint32_t Black = 0x000000;

TEST_F(RendererDX8Win32, RendererIsTheCurrentOneWhileItLives) {
    EXPECT_EQ(pr::currentRenderer(), renderer);
}

TEST_F(RendererDX8Win32, RotatedScaledSpriteLandsWhereItsHotSpotSays) {
    ph::Pointer<pr::VideoTexture> texture = ph::adopt(renderer->CreateWhiteTexture(40, 10));
    ASSERT_TRUE(texture);
    ph::Pointer<pr::Sprite> bar = ph::adopt(new pr::Sprite(texture.get(), 0, 0, 40, 10));
    bar->SetHotSpot(20, 5);
    ASSERT_TRUE(renderer->BeginScene());
    renderer->Clear(0xFF000000);
    // A quarter turn at scale 2: an upright bar 20 wide and 80 high around (200, 150).
    bar->Draw(200, 150, 1.5707964f, 2.0f);
    // Hot spot at the corner: the sprite hangs right and down from (400, 300).
    bar->SetHotSpot(0, 0);
    bar->Draw(400, 300);
    renderer->EndScene();
    struct Case {
        int x, y;
        uint32_t expected;
    };
    const Case cases[] = {
        {200, 150, White}, {200, 113, White}, {200, 187, White}, {191, 150, White},
        {208, 150, White}, {200, 105, Black}, {200, 195, Black}, {213, 150, Black},
        {186, 150, Black}, {402, 302, White}, {437, 308, White}, {398, 302, Black},
        {402, 298, Black}, {442, 302, Black}, {402, 312, Black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(screenPixel(c.x, c.y), c.expected);
    }
}

TEST_F(RendererDX8Win32, ClipRectangleIsCutToTheScreenAndAppliedOnce) {
    ph::Pointer<pr::VideoTexture> texture = ph::adopt(renderer->CreateWhiteTexture(8, 8));
    ASSERT_TRUE(texture);
    ph::Pointer<pr::Sprite> cover = ph::adopt(new pr::Sprite(texture.get(), 0, 0, 8, 8));
    ASSERT_TRUE(renderer->BeginScene());
    renderer->Clear(0xFF000000);
    const pr::Rect overTheCorner{-10, -10, 50, 50};
    renderer->SetClipRect(&overTheCorner);
    EXPECT_EQ(pr::lastAppliedViewport(), (pr::Rect{0, 0, 40, 40}));
    const pr::Rect offScreen{5000, 5000, 10, 10};
    renderer->SetClipRect(&offScreen); // meets nothing: the viewport stays
    EXPECT_EQ(pr::lastAppliedViewport(), (pr::Rect{0, 0, 40, 40}));
    cover->Draw(0, 0, 0, 500.0f); // 4000 x 4000
    renderer->EndScene();
    EXPECT_EQ(screenPixel(20, 20), White);
    EXPECT_EQ(screenPixel(60, 60), Black) << "outside the clip rectangle";

    ASSERT_TRUE(renderer->BeginScene());
    renderer->SetClipRect(nullptr);
    EXPECT_EQ(pr::lastAppliedViewport(), renderer->Screen());
    renderer->EndScene();
}

TEST_F(RendererDX8Win32, SceneOperationsGoThroughTheEngine) {
    ASSERT_TRUE(renderer->BeginScene());
    EXPECT_FALSE(renderer->BeginScene()) << "a scene is already being rendered";
    renderer->Clear(0xFF336699);
    renderer->EndScene();
    EXPECT_EQ(screenPixel(10, 10), 0x336699u);
    EXPECT_TRUE(renderer->RestoreDevice());
    EXPECT_TRUE(renderer->CreateBuffers());
    EXPECT_EQ(renderer->Screen(), (pr::Rect{0, 0, engine->System_GetNumber(ScreenWidth),
                                            engine->System_GetNumber(ScreenHeight)}));
    EXPECT_GT(renderer->Screen().w, 0);
    EXPECT_TRUE(renderer->InitDevice(nullptr, 640, 480));
    EXPECT_EQ(renderer->Screen(), (pr::Rect{0, 0, 640, 480}));
    renderer->SetBlendMode(EngineBlendAlpha | EngineBlendColourAdd);
    EXPECT_EQ(renderer->BlendMode(), 3);
}

TEST_F(RendererDX8Win32, BindingSetsStageZeroAndUnbindingClearsIt) {
    ph::Pointer<pr::Texture> texture = ph::adopt(renderer->CreateTexture(4, 4));
    ASSERT_TRUE(texture);
    renderer->BindTexture(texture.get());
    EXPECT_EQ(renderer->BoundTexture(), texture.get());
    IDirect3DBaseTexture8* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ(static_cast<void*>(bound), static_cast<void*>(texture->NativeHandle()));
    if (bound != nullptr) {
        bound->Release();
    }
    renderer->ReleaseDevice();
    EXPECT_EQ(renderer->BoundTexture(), nullptr);
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, nullptr);
}

// The text drawn here is the one in the closing screenshot: set
// PR_SYSTEMFONT_SHOT to a BMP path to keep the picture.
TEST_F(RendererDX8Win32, SystemFontDrawsReadableText) {
    pr::FontRegistry registry;
    pr::Font* font = registry.GetFont("SystemFont");
    ASSERT_NE(font->GetTexture(), nullptr);
    EXPECT_EQ(font->GetTexture()->ImageWidth(), 512);
    EXPECT_EQ(font->GetTexture()->ImageHeight(), 512);
    const char* line = "SystemFont: The quick brown fox jumps over the lazy dog.";
    const float lineWidth = font->StringWidth(line);
    ASSERT_LT(lineWidth, 760.0f);
    ASSERT_TRUE(renderer->BeginScene());
    renderer->Clear(0xFF000000);
    font->Render(20, 20, pr::AlignLeft, line);
    font->SetColor(0xFF00CC00);
    font->Printf(780, 60, pr::AlignRight, "%s\n%s", "0123456789 !?#%&()[]{}<>",
                 "\xC4\xD6\xDC \xE4\xF6\xFC \xDF \x80 \xA9");
    font->SetScale(0.5f);
    font->SetColor(0xFFFFFFFF);
    font->Printf(20, 140, pr::AlignLeft, "> %s_", "half size, as the console prints");
    renderer->EndScene();
    if (const char* shot = std::getenv("PR_SYSTEMFONT_SHOT")) {
        EXPECT_TRUE(saveScreen(shot));
    }
    // Ink inside the first line's box, nothing above it or past its end.
    const std::vector<uint32_t> screen = screenPixels();
    const int width = screenWidth;
    ASSERT_GE(width, 800);
    ASSERT_GE(screen.size(), size_t(width) * 600);
    auto at = [&screen, width](int x, int y) { return screen[size_t(y) * width + x] & 0xFFFFFF; };
    const int end = 20 + int(lineWidth);
    int lit = 0;
    for (int y = 20; y < 52; ++y) {
        for (int x = 20; x < end; ++x) {
            lit += at(x, y) != Black;
        }
    }
    EXPECT_GT(lit, 1000);
    for (int x = 0; x < 800; ++x) {
        EXPECT_EQ(at(x, 10), Black) << x;
    }
    for (int y = 20; y < 52; ++y) {
        EXPECT_EQ(at(end + 4, y), Black) << y;
    }
}

} // namespace
