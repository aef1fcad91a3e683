// Small valid Ogg/Theora files that start the clip fuzzer off: every pixel
// format, offsets, odd sizes, other streams and empty packets.
#include "fuzz/FuzzTarget.h"

#include "tests/support/TheoraWriter.h"

using namespace testsupport;

std::vector<std::pair<std::string, std::string>> fuzzSeeds() {
    std::vector<std::pair<std::string, std::string>> seeds;

    TheoraClip plain;
    plain.width = 16;
    plain.height = 16;
    plain.levels = flatLevels(8);
    seeds.emplace_back("plain-420.ogv", encodeTheora(plain));

    TheoraClip offset = plain;
    offset.chroma = Chroma::Subsampled422;
    offset.width = 21;
    offset.height = 13;
    offset.picX = 5;
    offset.picY = 2;
    offset.emptyPacketsBefore = {0, 3};
    seeds.emplace_back("offset-422-empty-packets.ogv", encodeTheora(offset));

    TheoraClip full = plain;
    full.chroma = Chroma::Full444;
    full.width = 17;
    full.height = 9;
    full.fpsNumerator = 30000;
    full.fpsDenominator = 1001;
    full.paint = [](int frame, th_ycbcr_buffer planes) {
        for (int p = 0; p < 3; ++p) {
            for (int y = 0; y < planes[p].height; ++y) {
                for (int x = 0; x < planes[p].width; ++x) {
                    planes[p].data[y * planes[p].stride + x] =
                        (unsigned char)(x * 9 + y * 5 + frame * 17 + p * 40);
                }
            }
        }
    };
    full.frameCount = 6;
    seeds.emplace_back("textured-444-ntsc.ogv", encodeTheora(full));

    TheoraClip second = plain;
    second.serial = 9;
    second.levels = flatLevels(5, 40);
    seeds.emplace_back(
        "sound-and-two-videos.ogv",
        multiplex({otherStreamPages(3, 4), encodeTheoraPages(plain), encodeTheoraPages(second)}));
    return seeds;
}
