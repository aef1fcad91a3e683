#include "wf/video/MovieElement.h"
#include "tests/support/FakeRenderer.h"
#include "tests/support/Files.h"
#include "tests/support/LogCapture.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TempDir.h"
#include "tests/support/TheoraWriter.h"

#include "ph/FileSystem.h"
#include "ph/Pointer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Lines;

// A clip whose length the test sets; it records the play times asked for
// and never has a new frame.
struct ScriptedClip : wf::VideoClip {
    explicit ScriptedClip(float length) : length(length) {}
    bool isValid() const override { return true; }
    wf::VideoSize size() const override { return {64, 32}; }
    bool isFinished() const override { return length > 0; }
    float duration() const override { return length; }
    ph::Pointer<ph::Data<unsigned int>> frameAt(float playTime) override {
        asked.push_back(playTime);
        return {};
    }
    float length;
    std::vector<float> asked;
};

struct ScriptedMovie : wf::MovieElement {
    explicit ScriptedMovie(float length) : clipLength(length) {}
    wf::VideoClip* makeClip(ph::IInputStream*) override {
        scripted = new ScriptedClip(clipLength);
        return scripted;
    }
    float clipLength;
    ScriptedClip* scripted = nullptr;
};

class MovieElementTest : public testing::Test {
protected:
    MovieElementTest() : savedRoot(ph::FileSystem::instance().root()) {
        testsupport::RecordingEngine::makeCurrent(&engine);
        ph::FileSystem::instance().setRoot(dir.path());
    }
    ~MovieElementTest() override {
        ph::FileSystem::instance().setRoot(savedRoot);
        testsupport::RecordingEngine::makeCurrent(nullptr);
    }
    std::string theoraFile(const std::string& name, int width, int height) {
        testsupport::TheoraClip clip;
        clip.width = width;
        clip.height = height;
        clip.levels = testsupport::flatLevels(3);
        testsupport::writeFile(dir.file(name), testsupport::encodeTheora(clip));
        return name;
    }

    testsupport::RecordingEngine engine;
    testsupport::TempDir dir;
    std::string savedRoot;
};

TEST_F(MovieElementTest, PlayClockWrapsOncePerUpdate) {
    struct Case {
        const char* name;
        float length;
        std::vector<float> steps;
        float clock;
    };
    const Case cases[] = {
        {"BeforeTheLengthIsKnown", -1.0f, {3.0f, 3.0f}, 6.0f},
        {"ExactlyTheLengthDoesNotWrap", 4.0f, {4.0f}, 4.0f},
        {"LongStallWrapsOnlyOnce", 4.0f, {9.0f}, 5.0f},
        {"NextUpdateWrapsAgain", 4.0f, {9.0f, 0.5f}, 1.5f},
    };
    testsupport::writeFile(dir.file("m.ogv"), "scripted");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ph::Pointer<ScriptedMovie> movie = ph::adopt(new ScriptedMovie(c.length));
        movie->open("m.ogv");
        for (float step : c.steps) {
            EXPECT_TRUE(movie->update(step));
        }
        EXPECT_FLOAT_EQ(movie->playTime(), c.clock);
        EXPECT_EQ(movie->scripted->asked.back(), movie->playTime());
    }
}

TEST_F(MovieElementTest, WrapPastTheEndLandsJustBeforeTheSecondFrame) {
    testsupport::writeFile(dir.file("m.ogv"), "scripted");
    ph::Pointer<ScriptedMovie> movie = ph::adopt(new ScriptedMovie(4.0f));
    movie->open("m.ogv");
    movie->update(3.99f);
    movie->update(0.05f);
    // 3.99 + 0.05 is just below 4.04 in single precision: frame 0 at 25 fps,
    // which brings nothing new, so the last frame stays on screen.
    EXPECT_LT(movie->playTime(), 0.04f);
    EXPECT_GT(movie->playTime(), 0.0399f);
    EXPECT_EQ(movie->scripted->asked, (std::vector<float>{3.99f, movie->playTime()}));
}

TEST_F(MovieElementTest, MissingMovieLogsAndStaysIdle) {
    testsupport::LogCapture log;
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    movie->open("missing.ogv");
    EXPECT_EQ(log.messages(),
              (Lines{"file not found missing.ogv", "Can't open movie file: missing.ogv"}));
    EXPECT_FALSE(movie->isOpened());
    EXPECT_EQ(movie->animation(), nullptr);
    EXPECT_TRUE(movie->update(0.1f));
    EXPECT_EQ(movie->playTime(), 0.0f);
    movie->draw(1);
    EXPECT_TRUE(engine.quads.empty());
}

TEST_F(MovieElementTest, AbsolutePathIsStillUnderTheProgramFolder) {
    const std::string absolute = theoraFile("a.ogv", 32, 32).insert(0, dir.path());
    testsupport::LogCapture log;
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    movie->open(absolute);
    EXPECT_FALSE(movie->isOpened());
    EXPECT_EQ(log.messages().back(), "Can't open movie file: " + absolute);
}

TEST_F(MovieElementTest, FileWithoutTheoraLogsAndStaysIdle) {
    testsupport::writeFile(dir.file("audio.ogg"),
                           testsupport::multiplex({testsupport::otherStreamPages(7, 4)}));
    testsupport::writeFile(dir.file("text.ogv"), "not an Ogg file at all");
    for (const char* name : {"audio.ogg", "text.ogv"}) {
        SCOPED_TRACE(name);
        testsupport::LogCapture log;
        ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
        movie->open(name);
        EXPECT_EQ(log.messages(), Lines{std::string("Theora stream not found in file: ") + name});
        EXPECT_FALSE(movie->isOpened());
        EXPECT_EQ(movie->clip(), nullptr);
        EXPECT_EQ(movie->animation(), nullptr);
    }
}

TEST_F(MovieElementTest, SecondOpenRecordsThePathButKeepsTheFirstMovie) {
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    movie->open(theoraFile("first.ogv", 48, 32));
    ASSERT_TRUE(movie->isOpened());
    wf::VideoClip* first = movie->clip();
    movie->open(theoraFile("second.ogv", 64, 64));
    EXPECT_EQ(movie->moviePath(), "second.ogv");
    EXPECT_EQ(movie->clip(), first);
    EXPECT_EQ(movie->animation()->Width(), 48.0f);
    EXPECT_EQ(movie->pivot(), ph::Vector<float>(24, 16)) << "the picture's centre";
}

TEST_F(MovieElementTest, CloseLetsGoOfTheClipAndAllowsANewOpen) {
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    movie->open(theoraFile("first.ogv", 48, 32));
    movie->close();
    EXPECT_FALSE(movie->isOpened());
    EXPECT_EQ(movie->clip(), nullptr);
    movie->open(theoraFile("second.ogv", 64, 64));
    EXPECT_TRUE(movie->isOpened());
    EXPECT_EQ(movie->animation()->Width(), 64.0f);
}

TEST_F(MovieElementTest, WithoutATextureTheMoviePlaysButDrawsNothing) {
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    movie->open(theoraFile("m.ogv", 32, 32)); // no renderer: no texture
    ASSERT_TRUE(movie->isOpened());
    EXPECT_EQ(movie->texture(), nullptr);
    movie->update(0.1f);
    EXPECT_FLOAT_EQ(movie->playTime(), 0.1f);
    movie->draw(1);
    EXPECT_TRUE(engine.quads.empty());
}

TEST_F(MovieElementTest, DrawsOneQuadWithTheVideoTextureThroughDrawQuad) {
    testsupport::FakeRenderer renderer;
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    movie->open(theoraFile("m.ogv", 32, 16));
    ASSERT_NE(movie->texture(), nullptr);
    movie->setPosition({100, 50});
    movie->update(0.1f);
    engine.takeCalls();
    movie->draw(1);
    ASSERT_EQ(engine.quads.size(), 1u);
    EXPECT_EQ(engine.takeCalls().front().rfind("Gfx_DrawQuad(", 0), 0u);
    EXPECT_EQ(engine.quads[0].texture, movie->texture()->NativeHandle());
    EXPECT_FLOAT_EQ(engine.quads[0].v[0].x, 84) << "the picture's centre at the position";
    EXPECT_FLOAT_EQ(engine.quads[0].v[2].y, 58);
    movie.reset(); // before the renderer goes
}

} // namespace
