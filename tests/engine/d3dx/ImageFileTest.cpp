// The D3DX stand-in's portable part natively: DDS files of every format and
// mip count, the size guard, decoded image files, and pixel round trips.
#include "engine/d3dx/ImageFile.h"
#include "engine/d3dx/Pixels.h"
#include "tests/support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using d3dx::PixelFormat;
using testsupport::DdsFormat;

struct DdsCase {
    const char* name;
    DdsFormat description;
    PixelFormat format;
};

const DdsCase ddsFormats[] = {
    {"A8R8G8B8", {nullptr, 32, 0xff0000, 0xff00, 0xff, 0xff000000}, PixelFormat::A8R8G8B8},
    {"X8R8G8B8", {nullptr, 32, 0xff0000, 0xff00, 0xff, 0}, PixelFormat::X8R8G8B8},
    {"R8G8B8", {nullptr, 24, 0xff0000, 0xff00, 0xff, 0}, PixelFormat::R8G8B8},
    {"R5G6B5", {nullptr, 16, 0xf800, 0x7e0, 0x1f, 0}, PixelFormat::R5G6B5},
    {"A1R5G5B5", {nullptr, 16, 0x7c00, 0x3e0, 0x1f, 0x8000}, PixelFormat::A1R5G5B5},
    {"X1R5G5B5", {nullptr, 16, 0x7c00, 0x3e0, 0x1f, 0}, PixelFormat::X1R5G5B5},
    {"A4R4G4B4", {nullptr, 16, 0xf00, 0xf0, 0xf, 0xf000}, PixelFormat::A4R4G4B4},
    {"DXT1", {"DXT1", 0, 0, 0, 0, 0}, PixelFormat::DXT1},
    {"DXT2", {"DXT2", 0, 0, 0, 0, 0}, PixelFormat::DXT2},
    {"DXT3", {"DXT3", 0, 0, 0, 0, 0}, PixelFormat::DXT3},
    {"DXT4", {"DXT4", 0, 0, 0, 0, 0}, PixelFormat::DXT4},
    {"DXT5", {"DXT5", 0, 0, 0, 0, 0}, PixelFormat::DXT5},
};

// Bytes of the whole chain of an 8 x 4 image down to `levels` levels.
std::string chainBytes(PixelFormat format, int levels) {
    std::string bytes;
    for (int level = 0; level < levels; ++level) {
        const int w = std::max(1, 8 >> level), h = std::max(1, 4 >> level);
        bytes += std::string(size_t(d3dx::levelBytes(format, w, h)), char('a' + level));
    }
    return bytes;
}

void PrintTo(const DdsCase& c, std::ostream* os) {
    *os << c.name;
}

class DdsLevels : public testing::TestWithParam<DdsCase> {};

// An 8 x 4 image has four levels: 8 x 4, 4 x 2, 2 x 1, 1 x 1.
TEST_P(DdsLevels, WholeLevelsUpToTheMipCountAndTheChainAreTaken) {
    const DdsCase& c = GetParam();
    struct Count {
        std::uint32_t mipCount;
        int levelsInFile;
        int expected;
    };
    const Count counts[] = {
        {0, 1, 1},  // no count: the first level only
        {1, 4, 1},  // further levels in the file are not asked for
        {3, 4, 3},  // part of the chain
        {4, 4, 4},  // the whole chain
        {40, 4, 4}, // more than the chain has
        {4, 3, 3},  // the file ends after three levels
    };
    for (const Count& count : counts) {
        SCOPED_TRACE(testing::Message() << "mip count " << count.mipCount << ", "
                                        << count.levelsInFile << " levels in the file");
        const std::string data = chainBytes(c.format, count.levelsInFile);
        const std::string file = testsupport::ddsFile(c.description, 8, 4, count.mipCount, data);
        d3dx::ImageFile image;
        ASSERT_TRUE(d3dx::readImageFile(file.data(), file.size(), image));
        EXPECT_EQ(image.type, d3dx::ImageFileType::Dds);
        EXPECT_EQ(image.format, c.format);
        EXPECT_EQ(image.width, 8);
        EXPECT_EQ(image.height, 4);
        ASSERT_EQ(image.levelCount(), count.expected);
        for (int level = 0; level < count.expected; ++level) {
            EXPECT_EQ(*image.levels[size_t(level)], std::uint8_t('a' + level)) << level;
            d3dx::RgbaImage rgba;
            EXPECT_TRUE(image.decode(level, rgba)) << level;
            EXPECT_EQ(rgba.width, std::max(1, 8 >> level));
        }
        d3dx::RgbaImage beyond;
        EXPECT_FALSE(image.decode(count.expected, beyond));
    }
}

INSTANTIATE_TEST_SUITE_P(ImageFile, DdsLevels, testing::ValuesIn(ddsFormats),
                         [](const testing::TestParamInfo<DdsCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ImageFile, DdsFirstLevelCutShortOrSidesPastTheLimitAreRefused) {
    const DdsFormat argb = {nullptr, 32, 0xff0000, 0xff00, 0xff, 0xff000000};
    struct Case {
        const char* what;
        int width, height;
        size_t dataBytes;
        bool read;
    };
    const Case cases[] = {
        {"widest accepted", 16384, 1, 16384 * 4, true},
        {"one pixel wider", 16385, 1, 16385 * 4, false},
        {"tallest accepted", 1, 16384, 16384 * 4, true},
        {"one pixel taller", 1, 16385, 16385 * 4, false},
        {"sides that overflow 32 bits", 0x7fffffff, 0x7fffffff, 16, false},
        {"first level one byte short", 4, 4, 63, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file =
            testsupport::ddsFile(argb, c.width, c.height, 0, std::string(c.dataBytes, 'x'));
        d3dx::ImageFile image;
        EXPECT_EQ(d3dx::readImageFile(file.data(), file.size(), image), c.read);
        for (size_t cut : {size_t(4), size_t(100), size_t(127)}) {
            EXPECT_FALSE(d3dx::readImageFile(file.data(), cut, image)) << "header cut at " << cut;
        }
    }
}

TEST(ImageFile, DecodedFilesGiveTheirSizeAlphaAndPixels) {
    const std::vector<std::uint8_t> rgba = {255, 0, 0,   128, 0, 255, 0, 255,
                                            0,   0, 255, 0,   9, 9,   9, 9};
    const std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9};
    struct Case {
        const char* what;
        std::string file;
        d3dx::ImageFileType type;
        PixelFormat format;
    };
    const Case cases[] = {
        {"PNG with alpha", testsupport::pngFile(2, 2, 4, rgba), d3dx::ImageFileType::Png,
         PixelFormat::A8R8G8B8},
        {"BMP", testsupport::bmpFile(2, 2, 3, rgb), d3dx::ImageFileType::Bmp,
         PixelFormat::X8R8G8B8},
        {"TGA with alpha", testsupport::tgaFile(2, 2, 4, rgba), d3dx::ImageFileType::Tga,
         PixelFormat::A8R8G8B8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        d3dx::ImageFile image;
        ASSERT_TRUE(d3dx::readImageFile(c.file.data(), c.file.size(), image));
        EXPECT_EQ(image.type, c.type);
        EXPECT_EQ(image.format, c.format);
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.levelCount(), 1);
        d3dx::RgbaImage level;
        ASSERT_TRUE(image.decode(0, level));
        EXPECT_EQ(level.at(1, 0)[1], 255) << "green pixel";
        EXPECT_FALSE(image.decode(1, level));
    }
    const std::string png = testsupport::pngFile(2, 2, 4, rgba);
    d3dx::ImageFile image;
    EXPECT_FALSE(d3dx::readImageFile(png.data(), png.size() / 2, image)) << "PNG cut short";
}

TEST(ImageFile, JpegWithAnOverfullHuffmanTableIsRefused) {
    // The decoder would write the table's symbols past its room for 256.
    const std::string file = testsupport::jpgWithOverfullHuffmanTable();
    ASSERT_NE(file.find("\xff\xc4"), std::string::npos);
    d3dx::ImageFile image;
    EXPECT_FALSE(d3dx::readImageFile(file.data(), file.size(), image));
    const std::string sound = testsupport::jpgFile(8, 8, 3, std::vector<std::uint8_t>(192, 0x80));
    EXPECT_TRUE(d3dx::readImageFile(sound.data(), sound.size(), image))
        << "the file it was made from";
}

TEST(Pixels, RepresentableColoursSurviveEncodingAndDecoding) {
    // Full and zero channels are exact in every format, alpha included where
    // the format has it.
    d3dx::RgbaImage source(4, 1);
    const std::uint8_t colours[4][4] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 0}, {255, 255, 255, 255}};
    for (int x = 0; x < 4; ++x) {
        std::copy(colours[x], colours[x] + 4, source.at(x, 0));
    }
    struct Case {
        PixelFormat format;
        bool alpha;
    };
    const Case cases[] = {
        {PixelFormat::A8R8G8B8, true},  {PixelFormat::X8R8G8B8, false},
        {PixelFormat::R8G8B8, false},   {PixelFormat::R5G6B5, false},
        {PixelFormat::X1R5G5B5, false}, {PixelFormat::A1R5G5B5, true},
        {PixelFormat::A4R4G4B4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.format));
        const size_t pitch = d3dx::rowBytes(c.format, 4) + 3; // padded rows
        std::vector<std::uint8_t> encoded(pitch);
        ASSERT_TRUE(d3dx::encodeLevel(c.format, source, encoded.data(), pitch));
        d3dx::RgbaImage decoded;
        ASSERT_TRUE(d3dx::decodeLevel(c.format, encoded.data(), pitch, 4, 1, decoded));
        for (int x = 0; x < 4; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                EXPECT_EQ(decoded.at(x, 0)[channel], colours[x][channel]) << x;
            }
            EXPECT_EQ(decoded.at(x, 0)[3], c.alpha ? colours[x][3] : 255) << x;
        }
    }
    d3dx::RgbaImage none;
    std::uint8_t byte = 0;
    EXPECT_FALSE(d3dx::encodeLevel(PixelFormat::Unknown, source, &byte, 1));
    EXPECT_FALSE(d3dx::decodeLevel(PixelFormat::Unknown, &byte, 1, 1, 1, none));
}

} // namespace
