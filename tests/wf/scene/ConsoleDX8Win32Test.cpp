#include "tests/support/EngineFixtureWin32.h"
#include "wf/scene/CompositeObject.h"
#include "wf/scene/Console.h"
#include "wf/scene/InputEvent.h"

#include "engine/EngineDeviceDX8.h"
#include "ph/Pointer.h"
#include "pr/DX8Renderer.h"
#include "pr/FontRegistry.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

const uint32_t Grey = 0xFF808080u;

class ConsoleWin32 : public enginetest::EngineWin32Test {
protected:
    void SetUp() override {
        EngineWin32Test::SetUp();
        ASSERT_TRUE(initiate());
        renderer = ph::adopt(new pr::DX8Renderer(EngineDevice(engine)));
        fonts = new pr::FontRegistry();
        pr::setCurrentFontRegistry(fonts);
        console = ph::adopt(new wf::Console("MainConsole"));
    }
    void TearDown() override {
        console.reset();
        pr::setCurrentFontRegistry(nullptr);
        delete fonts;
        renderer.reset();
        EngineWin32Test::TearDown();
    }

    void drawFrame() {
        ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
        engine->Gfx_Clear(Grey);
        console->draw(1);
        engine->Gfx_EndScene();
    }
    // Whether some pixel of the rows from top to bottom (left part of the
    // screen) satisfies `wanted`.
    template <class Test> bool anyPixel(int top, int bottom, Test wanted) const {
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < 300; ++x) {
                if (wanted(backBufferPixel(x, y))) {
                    return true;
                }
            }
        }
        return false;
    }
    bool press(int32_t key, int32_t character, int32_t modifiers) {
        wf::InputEvent e(wf::InputEvent::KeyDown, key);
        e.character = character;
        e.modifiers = modifiers;
        return console->keyDown(&e);
    }

    ph::Pointer<pr::DX8Renderer> renderer;
    pr::FontRegistry* fonts = nullptr;
    ph::Pointer<wf::Console> console;
};

int red(uint32_t c) {
    return (c >> 16) & 0xFF;
}
int green(uint32_t c) {
    return (c >> 8) & 0xFF;
}
int blue(uint32_t c) {
    return c & 0xFF;
}

TEST_F(ConsoleWin32, DrawsTheBandGreenOutputAndAWhiteInputLine) {
    console->setScreenWidth(800);
    console->addText("first line\nsecond line");
    console->setInputLine("help");
    pr::Font* font = fonts->GetFont("SystemFont");
    const float scale = font->GetScale();
    const uint32_t colour = font->GetColor();
    drawFrame();

    const float height = font->Height();
    const int bandBottom = int(height + 200);
    const uint32_t band = backBufferPixel(790, 10);
    EXPECT_LT(red(band), 0x80) << std::hex << band << ": darkened";
    EXPECT_GT(blue(band), red(band)) << "a dark blue shade";
    EXPECT_EQ(backBufferPixel(790, bandBottom + 2), Grey & 0xFFFFFF) << "below the band";

    auto isGreen = [](uint32_t c) { return green(c) > red(c) + 60 && green(c) > blue(c) + 60; };
    auto isWhite = [](uint32_t c) { return red(c) > 200 && green(c) > 200 && blue(c) > 200; };
    // The newest output lines sit above y = 200, the input line from y = 200.
    EXPECT_TRUE(anyPixel(200 - int(height), 200, isGreen)) << "output lines";
    EXPECT_FALSE(anyPixel(200 - int(height), 200, isWhite));
    EXPECT_TRUE(anyPixel(200, 200 + int(height * 0.5f), isWhite)) << "input line";
    EXPECT_EQ(font->GetScale(), scale) << "the font's scale is restored";
    EXPECT_EQ(font->GetColor(), colour) << "and its colour";
}

TEST_F(ConsoleWin32, HiddenConsoleDrawsNothing) {
    console->addText("line");
    console->setVisible(false);
    drawFrame();
    EXPECT_EQ(backBufferPixel(10, 190), Grey & 0xFFFFFF);
    EXPECT_EQ(backBufferPixel(790, 10), Grey & 0xFFFFFF);
}

// Puts `text` on the system clipboard, or empties it when `text` is null.
void setClipboard(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (text) {
        const size_t size = std::strlen(text) + 1;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(block), text, size);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

TEST_F(ConsoleWin32, CtrlVAppendsTheClipboardText) {
    const int32_t KeyV = 0x56;
    setClipboard("pasted text");
    console->setInputLine("> ");
    EXPECT_TRUE(press(KeyV, 0x16, wf::InputEvent::CtrlModifier));
    EXPECT_EQ(console->inputLine(), "> pasted text");

    setClipboard(nullptr);
    EXPECT_TRUE(press(KeyV, 0x16, wf::InputEvent::CtrlModifier)) << "handled without text too";
    EXPECT_EQ(console->inputLine(), "> pasted text");
}

} // namespace
