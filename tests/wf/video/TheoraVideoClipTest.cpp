#include "tests/support/LogCapture.h"
#include "tests/support/TempDir.h"
#include "tests/wf/video/ClipHelpers.h"

#include <log4cplus/loglevel.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace cliptest;
using testsupport::encodeTheora;
using testsupport::flatLevels;
using testsupport::levelOfFrame;
using testsupport::TheoraClip;

namespace {

TheoraClip flatClip(int frames, uint32_t numerator = 25, uint32_t denominator = 1) {
    TheoraClip clip;
    clip.width = 16;
    clip.height = 16;
    clip.levels = flatLevels(frames);
    clip.fpsNumerator = numerator;
    clip.fpsDenominator = denominator;
    return clip;
}

// --- Timing -----------------------------------------------------------------

struct TimedCall {
    float playTime;
    int expectedFrame; // -1: nothing handed out
};

struct TimingCase {
    const char* name;
    uint32_t numerator;
    uint32_t denominator;
    int frames;
    std::vector<TimedCall> calls;
};

const TimingCase timingCases[] = {
    {"IndexZeroGivesNothingAndARepeatedIndexGivesNothing",
     25,
     1,
     30,
     {{0.03f, -1}, {0.04f, -1}, {0.05f, 1}, {0.06f, -1}, {0.1f, 2}}},
    {"NtscRateTruncatesTheProductBeforeDividing",
     30000,
     1001,
     40,
     {{0.3f, 8}, {0.6f, 17}, {0.95f, 28}, {1.0f, 29}}},
    // 143166 s x 30000 = 2^32 + 12704: only the low 32 bits of the product count.
    {"ProductPastThirtyTwoBitsKeepsItsLowBits", 30000, 1001, 40, {{0.3f, 8}, {143166.0f, 12}}},
    {"JumpAheadAnswersNothingWhileDecodingTenPacketsPerCall",
     25,
     1,
     60,
     {{2.0f, -1}, {2.1f, -1}, {2.2f, -1}, {2.3f, -1}, {2.0f, 50}}},
};

void PrintTo(const TimingCase& c, std::ostream* os) {
    *os << c.name;
}

class ClipTiming : public testing::TestWithParam<TimingCase> {};

TEST_P(ClipTiming, HandsOutTheFrameOfThePlayTime) {
    const TimingCase& c = GetParam();
    ph::Pointer<wf::TheoraVideoClip> clip =
        openClip(encodeTheora(flatClip(c.frames, c.numerator, c.denominator)));
    ASSERT_TRUE(clip->isValid());
    for (const TimedCall& call : c.calls) {
        Frame frame = clip->frameAt(call.playTime);
        EXPECT_EQ(numberOf(frame), call.expectedFrame) << "at t = " << call.playTime;
        if (frame) {
            EXPECT_TRUE(isFlat(frame, levelOfFrame(call.expectedFrame)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TheoraVideoClip, ClipTiming, testing::ValuesIn(timingCases),
                         [](const testing::TestParamInfo<TimingCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(TheoraVideoClip, FrameZeroIsNeverHandedOutOnAnyPass) {
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(encodeTheora(flatClip(12)));
    Player player{*clip};
    std::vector<int> shown;
    while (player.wraps < 3) {
        Frame frame = player.step(0.01f);
        if (frame) {
            shown.push_back(numberOf(frame));
        }
    }
    std::vector<int> pass{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    std::vector<int> expected;
    for (int p = 0; p < 3; ++p) {
        expected.insert(expected.end(), pass.begin(), pass.end());
    }
    EXPECT_EQ(shown, expected);
}

TEST(TheoraVideoClip, DurationIsKnownOnceTheEndIsReachedAndLaterTimesWrapOnce) {
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(encodeTheora(flatClip(20)));
    EXPECT_FLOAT_EQ(clip->duration(), -1.0f);
    EXPECT_FALSE(clip->isFinished());
    for (int index = 1; index < 20 && !clip->isFinished(); ++index) {
        clip->frameAt((float(index) + 0.5f) / 25.0f);
    }
    ASSERT_TRUE(clip->isFinished());
    EXPECT_FLOAT_EQ(clip->duration(), 0.8f);

    EXPECT_EQ(numberOf(clip->frameAt(0.85f)), 1);         // 0.85 wraps to 0.05
    EXPECT_EQ(numberOf(clip->frameAt(0.8f + 0.75f)), 18); // still within one length
    EXPECT_EQ(numberOf(clip->frameAt(1.6f + 0.1f)), -1);  // wraps once only: index 22
}

// --- Stream probing, damaged and foreign files ------------------------------

struct FileCase {
    const char* name;
    std::string bytes;
    bool valid;
    int frames;     // frames the clip ends up with; duration = frames / 25
    int firstLevel; // level index of frame 0 (tells which stream played)
};

std::vector<FileCase> fileCases() {
    TheoraClip main = flatClip(14);
    std::string mainFile = encodeTheora(main);
    TheoraClip second = flatClip(14);
    second.serial = 2;
    second.levels = flatLevels(14, 100);
    std::string notOgg(5000, '\0');
    for (size_t i = 0; i < notOgg.size(); ++i) {
        notOgg[i] = char((i * 131 + 7) % 251);
    }
    testsupport::OggPages mainPages = testsupport::encodeTheoraPages(main);
    std::string cutInHeaders = mainPages.begin + mainPages.headers.substr(0, 40);
    std::string cut = testsupport::multiplex({mainPages});
    size_t keep = mainPages.begin.size() + mainPages.headers.size();
    for (int page = 0; page < 8; ++page) {
        keep += mainPages.body[size_t(page)].size();
    }
    cut = cut.substr(0, keep + mainPages.body[8].size() / 2); // frame 8 is cut in half

    return {
        {"SingleTheoraStream", mainFile, true, 14, 0},
        {"SoundStreamBeforeTheVideo",
         testsupport::multiplex({testsupport::otherStreamPages(7, 9), mainPages}), true, 14, 0},
        {"FirstOfTwoTheoraStreamsPlays",
         testsupport::multiplex({mainPages, testsupport::encodeTheoraPages(second)}), true, 14, 0},
        {"GarbageBeforeTheFirstPageIsSkipped", std::string(3000, 'x') + mainFile, true, 14, 0},
        {"FileCutInTheMiddleKeepsTheFramesBeforeTheCut", cut, true, 8, 0},
        {"FileCutInsideTheHeadersDecodesNothing", cutInHeaders, true, 0, 0},
        {"OnlyASoundStreamIsNotValid",
         testsupport::multiplex({testsupport::otherStreamPages(7, 9)}), false, 0, 0},
        {"BytesThatAreNotOggAreNotValid", notOgg, false, 0, 0},
        {"EmptyFileIsNotValid", std::string(), false, 0, 0},
    };
}

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name;
}

class ClipFiles : public testing::TestWithParam<FileCase> {};

TEST_P(ClipFiles, PlaysWhatTheFileHolds) {
    const FileCase& c = GetParam();
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(c.bytes);
    ASSERT_EQ(clip->isValid(), c.valid);
    if (!c.valid) {
        EXPECT_EQ(clip->size().width, 0);
        EXPECT_EQ(clip->size().height, 0);
        EXPECT_FALSE(clip->frameAt(0.5f));
        return;
    }
    EXPECT_EQ(clip->size().width, 16);
    EXPECT_EQ(clip->size().height, 16);
    std::vector<int> shown;
    for (int index = 1; index < 40; ++index) {
        float playTime = (float(index) + 0.5f) / 25.0f;
        if (clip->duration() > 0.0f && playTime > clip->duration()) {
            break; // one pass only
        }
        Frame frame = clip->frameAt(playTime);
        if (frame) {
            EXPECT_TRUE(isFlat(frame, levelOfFrame(c.firstLevel + index))) << "frame " << index;
            shown.push_back(numberOf(frame));
        }
    }
    EXPECT_TRUE(clip->isFinished());
    EXPECT_EQ(int(shown.size()), std::max(c.frames - 1, 0));
    EXPECT_FLOAT_EQ(clip->duration(), c.frames > 0 ? float(c.frames) / 25.0f : -1.0f);
}

INSTANTIATE_TEST_SUITE_P(TheoraVideoClip, ClipFiles, testing::ValuesIn(fileCases()),
                         [](const testing::TestParamInfo<FileCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(TheoraVideoClip, RejectedIdentificationHeaderLeavesNoPictureSize) {
    testsupport::OggPages pages = testsupport::encodeTheoraPages(flatClip(3));
    std::string begin = pages.begin;
    // The picture width (24 bits at byte 14 of the packet) reaches past the
    // coded frame: the decoder reads it, then refuses the header.
    const size_t packet = 27 + uint8_t(begin[26]);
    begin[packet + 14] = begin[packet + 15] = begin[packet + 16] = char(0xFF);
    ogg_page page;
    page.header = reinterpret_cast<unsigned char*>(&begin[0]);
    page.header_len = long(packet);
    page.body = page.header + packet;
    page.body_len = long(begin.size() - packet);
    ogg_page_checksum_set(&page);
    std::string file = begin + pages.headers;
    for (const std::string& body : pages.body) {
        file += body;
    }
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(file);
    EXPECT_FALSE(clip->isValid());
    EXPECT_EQ(clip->size().width, 0);
    EXPECT_EQ(clip->size().height, 0);
}

// --- Empty packets ----------------------------------------------------------

TEST(TheoraVideoClip, EmptyPacketRepeatsThePreviousFrameBuffer) {
    TheoraClip source = flatClip(12);
    source.emptyPacketsBefore = {5};
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(encodeTheora(source));
    std::vector<Frame> shown(14);
    for (int index = 1; index < 14; ++index) {
        shown[size_t(index)] = clip->frameAt((float(index) + 0.5f) / 25.0f);
    }
    ASSERT_TRUE(shown[4] && shown[5] && shown[6]);
    EXPECT_EQ(shown[5].get(), shown[4].get()); // shared, not copied
    EXPECT_EQ(numberOf(shown[5]), 4);
    EXPECT_EQ(numberOf(shown[6]), 6); // the frames after it keep their place in time
    EXPECT_TRUE(isFlat(shown[6], levelOfFrame(5)));
    EXPECT_TRUE(isFlat(shown[12], levelOfFrame(11)));
    EXPECT_FLOAT_EQ(clip->duration(), 13.0f / 25.0f);
    EXPECT_EQ(clip->heldFrameBytes(), 12u * 16 * 16 * 4) << "the shared buffer counts once";
}

TEST(TheoraVideoClip, EmptyPacketBeforeAnyFrameAddsNothing) {
    TheoraClip source = flatClip(12);
    source.emptyPacketsBefore = {0};
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(encodeTheora(source));
    for (int index = 1; index < 12; ++index) {
        Frame frame = clip->frameAt((float(index) + 0.5f) / 25.0f);
        EXPECT_EQ(numberOf(frame), index);
        EXPECT_TRUE(isFlat(frame, levelOfFrame(index)));
    }
    clip->frameAt(0.5f);
    EXPECT_FLOAT_EQ(clip->duration(), 12.0f / 25.0f);
}

// --- Memory budget ----------------------------------------------------------

// Counts what the clip reads, to show what is and is not read again.
class CountingStream : public ph::IInputStream {
public:
    explicit CountingStream(ph::IInputStream* inner) : inner(inner) {}
    uint32_t read(void* destination, uint32_t n) override {
        uint32_t got = inner->read(destination, n);
        bytesRead += got;
        return got;
    }
    uint32_t size() override { return inner->size(); }
    bool seek(uint32_t position) override {
        ++seeks;
        return inner->seek(position);
    }
    const char* contents() override { return inner->contents(); }
    uint32_t tell() override { return inner->tell(); }
    bool atEnd() override { return inner->atEnd(); }

    ph::Pointer<ph::IInputStream> inner;
    uint64_t bytesRead = 0;
    int seeks = 0;
};

constexpr size_t frameBytes16 = 16 * 16 * 4;

void expectLaterPassesFromMemory(size_t budget) {
    ph::Pointer<CountingStream> stream =
        ph::adopt(new CountingStream(memoryStream(encodeTheora(flatClip(30))).get()));
    ph::Pointer<wf::TheoraVideoClip> clip =
        ph::adopt(new wf::TheoraVideoClip(stream.get(), budget));
    Player player{*clip};
    std::vector<Frame> firstPass(30);
    while (player.wraps == 0) {
        Frame frame = player.step(0.02f);
        if (frame && player.wraps == 0) {
            firstPass[size_t(numberOf(frame))] = frame;
        }
    }
    uint64_t readAfterFirstPass = stream->bytesRead;
    while (player.wraps < 3) {
        Frame frame = player.step(0.02f);
        if (frame) {
            EXPECT_EQ(frame.get(), firstPass[size_t(numberOf(frame))].get());
        }
    }
    EXPECT_EQ(stream->bytesRead, readAfterFirstPass);
    EXPECT_EQ(stream->seeks, 0);
    EXPECT_EQ(clip->heldFrameBytes(), 30 * frameBytes16);
}

TEST(TheoraVideoClip, ClipWithinItsBudgetServesLaterPassesFromMemory) {
    // 30 frames: a budget with room to spare, and one they fill exactly.
    for (const size_t budgetFrames : {40, 30}) {
        SCOPED_TRACE(testing::Message() << "budget of " << budgetFrames << " frames");
        expectLaterPassesFromMemory(budgetFrames * frameBytes16);
    }
}

struct BudgetCase {
    const char* name;
    float step;
    int emptyPacketBefore; // -1: none
    bool budgetSetAfterOpening;
};

const BudgetCase budgetCases[] = {
    {"DisplayRate", 1.0f / 60.0f, -1, false},         {"FrameRate", 0.04f, -1, false},
    {"TwoAndAHalfFramesPerStep", 0.1f, 23, false},    {"TwelveFramesPerStep", 0.5f, -1, false},
    {"OddStepWithARepeatedFrame", 0.037f, 40, false}, {"BudgetSetOnAnOpenClip", 0.04f, -1, true},
};

void PrintTo(const BudgetCase& c, std::ostream* os) {
    *os << c.name;
}

class ClipBudget : public testing::TestWithParam<BudgetCase> {};

TEST_P(ClipBudget, ClipOverItsBudgetHandsOutWhatAnUnboundedClipWould) {
    const BudgetCase& c = GetParam();
    TheoraClip source = flatClip(80);
    if (c.emptyPacketBefore >= 0) {
        source.emptyPacketsBefore = {c.emptyPacketBefore};
    }
    std::string bytes = encodeTheora(source);
    const size_t budget = 30 * frameBytes16;
    ph::Pointer<wf::TheoraVideoClip> unbounded = openClip(bytes);
    ph::Pointer<wf::TheoraVideoClip> bounded = openClip(bytes, budget);
    if (c.budgetSetAfterOpening) {
        bounded = openClip(bytes);
        bounded->setFrameBudget(budget);
    }
    Player reference{*unbounded};
    Player player{*bounded};
    int handedOut = 0;
    // The last frame handed out stays with its holder, and unchanged, however
    // the clip reuses the buffers it drops.
    Frame kept;
    std::vector<unsigned int> keptWords;
    for (int call = 0; reference.wraps < 4; ++call) {
        Frame expected = reference.step(c.step);
        Frame actual = player.step(c.step);
        ASSERT_EQ(numberOf(actual), numberOf(expected)) << "call " << call;
        if (kept) {
            ASSERT_TRUE(std::equal(keptWords.begin(), keptWords.end(), kept->elements));
        }
        if (expected) {
            ++handedOut;
            ASSERT_EQ(std::memcmp(actual->elements, expected->elements, frameBytes16), 0);
            kept = actual;
            keptWords.assign(actual->elements, actual->elements + actual->count);
        }
        ASSERT_LE(bounded->heldFrameBytes(), budget) << "call " << call;
    }
    EXPECT_GT(handedOut, 4);
    EXPECT_GT(unbounded->heldFrameBytes(), budget); // the case does not fit
    EXPECT_FLOAT_EQ(bounded->duration(), unbounded->duration());
}

INSTANTIATE_TEST_SUITE_P(TheoraVideoClip, ClipBudget, testing::ValuesIn(budgetCases),
                         [](const testing::TestParamInfo<BudgetCase>& info) {
                             return std::string(info.param.name);
                         });

// A heap that fails for one frame number.
class ClipWithoutMemoryForOneFrame : public wf::TheoraVideoClip {
public:
    ClipWithoutMemoryForOneFrame(ph::IInputStream* input, int32_t failing)
        : wf::TheoraVideoClip(input), failing(failing) {}

protected:
    wf::VideoFrame* makeFrame(uint32_t wordCount, int32_t number) override {
        wf::VideoFrame* frame = wf::TheoraVideoClip::makeFrame(wordCount, number);
        if (number == failing) {
            std::free(frame->elements); // as if malloc had failed
            frame->elements = nullptr;
        }
        return frame;
    }

private:
    int32_t failing;
};

TEST(TheoraVideoClip, FrameWithoutMemoryIsDroppedAndLaterFramesKeepTheirTime) {
    ph::Pointer<wf::TheoraVideoClip> clip = ph::adopt<wf::TheoraVideoClip>(
        new ClipWithoutMemoryForOneFrame(memoryStream(encodeTheora(flatClip(24))).get(), 14));
    std::vector<int> shown;
    for (int index = 1; index < 24; ++index) {
        shown.push_back(numberOf(clip->frameAt((float(index) + 0.5f) / 25.0f)));
    }
    EXPECT_EQ(shown[12], 13);
    EXPECT_EQ(shown[13], -1);
    EXPECT_EQ(shown[14], 15);
    clip->frameAt(2.0f);
    EXPECT_FLOAT_EQ(clip->duration(), 24.0f / 25.0f);
}

TEST(TheoraVideoClip, PictureLargerThanTheBudgetIsNeverDecoded) {
    testsupport::LogCapture log(0); // the default threshold: errors only
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(encodeTheora(flatClip(5)), frameBytes16 - 1);
    EXPECT_TRUE(clip->isValid());
    // An error the user must find in the log at the default threshold.
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].first, log4cplus::ERROR_LOG_LEVEL);
    EXPECT_EQ(log.lines()[0].second, "Theora picture too large: 16x16");
    for (int index = 1; index < 8; ++index) {
        EXPECT_FALSE(clip->frameAt((float(index) + 0.5f) / 25.0f));
    }
    EXPECT_TRUE(clip->isFinished());
    EXPECT_FLOAT_EQ(clip->duration(), -1.0f);
    EXPECT_EQ(clip->heldFrameBytes(), 0u);
}

// --- Pictures: offsets, pixel formats, odd sizes -----------------------------

// Four quadrants of the picture: luma and Cb change left to right, Cr top to
// bottom, so a picture taken from the wrong place or read with the wrong
// subsampling shows the wrong level near the middle lines.
struct Quadrants {
    int width;
    int height;
    int levelOf(int plane, int x, int y) const {
        bool right = x >= width / 2;
        bool bottom = y >= height / 2;
        switch (plane) {
        case 0:
            return right ? 190 : 60;
        case 1:
            return right ? 170 : 90;
        default:
            return bottom ? 180 : 80;
        }
    }
};

struct PictureCase {
    const char* name;
    testsupport::Chroma chroma;
    int width;
    int height;
    int picX;
    int picY;
};

const PictureCase pictureCases[] = {
    {"Subsampled420", testsupport::Chroma::Subsampled420, 48, 32, 0, 0},
    {"Subsampled422", testsupport::Chroma::Subsampled422, 48, 32, 0, 0},
    {"Full444", testsupport::Chroma::Full444, 48, 32, 0, 0},
    {"OffsetPicture", testsupport::Chroma::Subsampled420, 48, 32, 24, 16},
    {"OddOffset444", testsupport::Chroma::Full444, 40, 24, 5, 3},
    {"OddSize321x241", testsupport::Chroma::Subsampled420, 321, 241, 0, 0},
    {"OddSizeAndOffset422", testsupport::Chroma::Subsampled422, 33, 17, 3, 7},
};

void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.name;
}

class ClipPictures : public testing::TestWithParam<PictureCase> {};

TEST_P(ClipPictures, EveryPixelShowsItsPictureLevels) {
    const PictureCase& c = GetParam();
    Quadrants pattern{c.width, c.height};
    TheoraClip source;
    source.width = c.width;
    source.height = c.height;
    source.picX = c.picX;
    source.picY = c.picY;
    source.chroma = c.chroma;
    source.frameCount = 3;
    int shiftX = c.chroma == testsupport::Chroma::Full444 ? 0 : 1;
    int shiftY = c.chroma == testsupport::Chroma::Subsampled420 ? 1 : 0;
    source.paint = [&](int, th_ycbcr_buffer planes) {
        for (int p = 0; p < 3; ++p) {
            int sx = p == 0 ? 0 : shiftX;
            int sy = p == 0 ? 0 : shiftY;
            for (int row = 0; row < planes[p].height; ++row) {
                for (int col = 0; col < planes[p].width; ++col) {
                    // Sample centre in picture coordinates.
                    int x = (col << sx) + (sx ? 1 : 0) - c.picX;
                    int y = (row << sy) + (sy ? 1 : 0) - c.picY;
                    planes[p].data[row * planes[p].stride + col] =
                        uint8_t(pattern.levelOf(p, x, y));
                }
            }
        }
    };
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(encodeTheora(source));
    ASSERT_TRUE(clip->isValid());
    EXPECT_EQ(clip->size().width, c.width);
    EXPECT_EQ(clip->size().height, c.height);
    Frame frame = clip->frameAt(0.05f);
    ASSERT_TRUE(frame && frame->hasElements());
    ASSERT_EQ(frame->count, uint32_t(c.width * c.height));

    // Away from the middle lines, where coding blurs the edges, every level
    // must be right, the last row and column included.
    const int margin = 4;
    int wrong = 0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            if (std::abs(x - c.width / 2) < margin || std::abs(y - c.height / 2) < margin) {
                continue;
            }
            unsigned int word = frame->elements[y * c.width + x];
            bool right = near(channel(word, 16), pattern.levelOf(0, x, y), 12) &&
                         near(channel(word, 8), pattern.levelOf(1, x, y), 12) &&
                         near(channel(word, 0), pattern.levelOf(2, x, y), 12) && word >> 24 == 0;
            if (!right && wrong++ < 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") word " << std::hex << word;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(TheoraVideoClip, ClipPictures, testing::ValuesIn(pictureCases),
                         [](const testing::TestParamInfo<PictureCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
