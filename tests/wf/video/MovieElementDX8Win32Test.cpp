#include "tests/support/EngineFixtureWin32.h"
#include "tests/support/Files.h"
#include "tests/support/TheoraWriter.h"
#include "wf/scene/CompositeObject.h"
#include "wf/video/MovieElement.h"
#include "wf/video/TheoraVideoClip.h"

#include "engine/EngineDeviceDX8.h"
#include "ph/AutoreleasePool.h"
#include "ph/FileSystem.h"
#include "ph/Pointer.h"
#include "pr/DX8Renderer.h"
#include "pr/PictureConversion.h"

#include <cstdlib>
#include <vector>

namespace {

const int Width = 64;
const int Height = 48;
const float Step = 0.05f;

// The screen colour (0xRRGGBB) the texture conversion gives a packed word.
uint32_t screenColour(uint32_t word) {
    uint8_t bgra[4] = {0, 0, 0, 0};
    pr::convertRowScalar(&word, 1, bgra);
    return (uint32_t(bgra[2]) << 16) | (uint32_t(bgra[1]) << 8) | bgra[0];
}

void expectColourNear(uint32_t expected, uint32_t actual) {
    for (int shift = 0; shift <= 16; shift += 8) {
        EXPECT_LE(std::abs(int((expected >> shift) & 0xFF) - int((actual >> shift) & 0xFF)), 1)
            << std::hex << "expected " << expected << " got " << actual;
    }
}

class MovieElementWin32 : public enginetest::EngineWin32Test {
protected:
    void SetUp() override {
        EngineWin32Test::SetUp();
        ASSERT_TRUE(initiate());
        savedRoot = ph::FileSystem::instance().root();
        ph::FileSystem::instance().setRoot(folder.path());
        testsupport::TheoraClip clip;
        clip.width = Width;
        clip.height = Height;
        clip.levels = testsupport::flatLevels(12);
        testsupport::writeFile(folder.file("movie.ogv"), testsupport::encodeTheora(clip));
        renderer = ph::adopt(new pr::DX8Renderer(EngineDevice(engine)));
    }
    void TearDown() override {
        renderer.reset();
        ph::FileSystem::instance().setRoot(savedRoot);
        EngineWin32Test::TearDown();
    }

    // Draws the scene into the back buffer over black.
    void drawFrame(wf::CompositeObject& root) {
        ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
        engine->Gfx_Clear(0xFF000000);
        root.draw(++pass);
        engine->Gfx_EndScene();
    }

    ph::Pointer<pr::DX8Renderer> renderer;
    std::string savedRoot;
    int32_t pass = 0;
};

TEST_F(MovieElementWin32, PlaysTheClipsFramesIntoARealTexture) {
    ph::AutoreleasePool pool;
    wf::CompositeObject root;
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    movie->open("movie.ogv");
    ASSERT_TRUE(movie->isOpened());
    ASSERT_NE(movie->texture(), nullptr);
    movie->setPosition({100, 100});
    movie->setScale({2, 2});
    root.addChild(movie.get());

    drawFrame(root);
    EXPECT_EQ(backBufferPixel(100, 100), 0xFFFFFFu) << "white until the first frame";
    EXPECT_EQ(backBufferPixel(30, 100), 0u) << "left of the scaled picture";

    // The same clip decoded beside the element, asked at the same times.
    ph::Pointer<ph::IInputStream> input =
        ph::adopt(ph::FileSystem::instance().openForReading("movie.ogv", false));
    ph::Pointer<wf::TheoraVideoClip> reference = ph::adopt(new wf::TheoraVideoClip(input.get()));
    uint32_t expectedWord = 0;
    std::vector<uint32_t> shown;
    float time = 0.0f;
    for (int update = 1; update <= 6; ++update) {
        movie->update(Step);
        time += Step;
        ph::Pointer<ph::Data<unsigned int>> frame = reference->frameAt(time);
        if (frame) {
            expectedWord = frame->elements[(Height / 2) * Width + Width / 2];
        }
        if (update == 1 || update == 6) {
            SCOPED_TRACE(update);
            ASSERT_NE(expectedWord, 0u) << "the reference clip gave a frame";
            drawFrame(root);
            expectColourNear(screenColour(expectedWord), backBufferPixel(100, 100));
            expectColourNear(screenColour(expectedWord), backBufferPixel(40, 60));
            shown.push_back(backBufferPixel(100, 100));
        }
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0], shown[1]) << "two different frames were checked";
}

TEST_F(MovieElementWin32, PictureIsTheMoviesSizeWithItsPivotInTheCentre) {
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    movie->open("movie.ogv");
    ASSERT_NE(movie->animation(), nullptr);
    EXPECT_EQ(movie->animation()->Width(), float(Width));
    EXPECT_EQ(movie->animation()->Height(), float(Height));
    EXPECT_EQ(movie->pivot(), ph::Vector<float>(Width / 2, Height / 2));
    EXPECT_TRUE(movie->spriteFlags() & wf::SpriteElement::HitByShape);
}

} // namespace
