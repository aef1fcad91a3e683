#include "wf/video/PicturePacker.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Planes laid out bottom row first, as libtheora keeps them, and handed out
// top row first with a negative stride. Every sample says where it is.
struct Planes {
    std::vector<unsigned char> storage[3];
    th_ycbcr_buffer buffer;

    Planes(int frameWidth, int frameHeight, uint32_t shiftX, uint32_t shiftY) {
        for (int p = 0; p < 3; ++p) {
            int w = p == 0 ? frameWidth : frameWidth >> shiftX;
            int h = p == 0 ? frameHeight : frameHeight >> shiftY;
            int stride = w + 8; // rows padded, as the decoder's are
            storage[p].assign(size_t(stride * h), 0xEE);
            buffer[p].width = w;
            buffer[p].height = h;
            buffer[p].stride = -stride;
            buffer[p].data = storage[p].data() + size_t(stride * (h - 1));
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    buffer[p].data[-stride * y + x] = sample(p, x, y);
                }
            }
        }
    }
    static unsigned char sample(int plane, int x, int y) {
        return (unsigned char)(plane * 50 + x * 3 + y * 11);
    }
};

struct PackCase {
    const char* name;
    int frameWidth;
    int frameHeight;
    wf::PictureLayout layout;
};

const PackCase packCases[] = {
    {"Whole420Frame", 32, 16, {0, 0, 32, 16, 1, 1}},
    {"OffsetPicture", 48, 32, {8, 6, 30, 20, 1, 1}},
    {"OddOffsetAndSize420", 48, 32, {3, 5, 31, 21, 1, 1}},
    {"Subsampled422", 32, 32, {1, 2, 29, 27, 1, 0}},
    {"Full444", 32, 32, {5, 1, 17, 23, 0, 0}},
};

void PrintTo(const PackCase& c, std::ostream* os) {
    *os << c.name;
}

class PicturePacker : public testing::TestWithParam<PackCase> {};

TEST_P(PicturePacker, EveryWordTakesItsPixelAndTheChromaSampleCoveringIt) {
    const PackCase& c = GetParam();
    const wf::PictureLayout& l = c.layout;
    Planes planes(c.frameWidth, c.frameHeight, l.chromaShiftX, l.chromaShiftY);
    ASSERT_TRUE(wf::layoutFitsPlanes(l, planes.buffer));
    std::vector<uint32_t> words(size_t(l.width * l.height) + 1, 0xDEADBEEF);
    wf::packPicture(planes.buffer, l, words.data());
    for (uint32_t y = 0; y < l.height; ++y) {
        for (uint32_t x = 0; x < l.width; ++x) {
            int fx = int(l.x + x);
            int fy = int(l.y + y);
            uint32_t expected =
                uint32_t(Planes::sample(0, fx, fy)) << 16 |
                uint32_t(Planes::sample(1, fx >> l.chromaShiftX, fy >> l.chromaShiftY)) << 8 |
                uint32_t(Planes::sample(2, fx >> l.chromaShiftX, fy >> l.chromaShiftY));
            ASSERT_EQ(words[y * l.width + x], expected) << "pixel (" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(words.back(), 0xDEADBEEF); // nothing past the picture
}

INSTANTIATE_TEST_SUITE_P(PicturePacker, PicturePacker, testing::ValuesIn(packCases),
                         [](const testing::TestParamInfo<PackCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(PicturePackerLayout, PictureReachingPastThePlanesDoesNotFit) {
    Planes planes(32, 16, 1, 1);
    wf::PictureLayout inside{16, 0, 16, 16, 1, 1};
    wf::PictureLayout pastRight{17, 0, 16, 16, 1, 1};
    wf::PictureLayout pastBottom{0, 1, 32, 16, 1, 1};
    wf::PictureLayout chromaTooSmall{0, 0, 32, 16, 0, 0}; // 4:4:4 read from 4:2:0 planes
    EXPECT_TRUE(wf::layoutFitsPlanes(inside, planes.buffer));
    EXPECT_FALSE(wf::layoutFitsPlanes(pastRight, planes.buffer));
    EXPECT_FALSE(wf::layoutFitsPlanes(pastBottom, planes.buffer));
    EXPECT_FALSE(wf::layoutFitsPlanes(chromaTooSmall, planes.buffer));
}

TEST(PicturePackerLayout, AnyPlaneNarrowerOrShorterThanThePictureDoesNotFit) {
    struct Case {
        const char* what;
        int plane;
        int width, height; // the plane's size; the picture is 32 x 16 in 4:2:0
    };
    const Case cases[] = {
        {"luma narrower", 0, 31, 16}, {"luma shorter", 0, 32, 15}, {"Cb narrower", 1, 15, 8},
        {"Cb shorter", 1, 16, 7},     {"Cr narrower", 2, 15, 8},   {"Cr shorter", 2, 16, 7},
    };
    const wf::PictureLayout whole{0, 0, 32, 16, 1, 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Planes planes(32, 16, 1, 1);
        ASSERT_TRUE(wf::layoutFitsPlanes(whole, planes.buffer));
        planes.buffer[c.plane].width = c.width;
        planes.buffer[c.plane].height = c.height;
        EXPECT_FALSE(wf::layoutFitsPlanes(whole, planes.buffer));
    }
    Planes missing(32, 16, 1, 1);
    missing.buffer[2].data = nullptr;
    EXPECT_FALSE(wf::layoutFitsPlanes(whole, missing.buffer)) << "Cr missing";
}

} // namespace
