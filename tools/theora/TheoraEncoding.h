#pragma once
// Ogg/Theora files made with libtheora's encoder and libogg: flat or painted
// frames, any rate, size, offset and pixel format, empty packets, and other
// streams beside the video. The test fixtures, the benchmarks' clips and the
// sample movie tool all encode through it.

#include <theora/codec.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace theoraenc {

enum class Chroma { Subsampled420, Subsampled422, Full444 };

struct YCbCr {
    uint8_t y;
    uint8_t cb;
    uint8_t cr;
};

// Levels that tell frames apart: frame k of a clip is flat levelOfFrame(k).
YCbCr levelOfFrame(int frame);
// `count` flat frames, frame k at levelOfFrame(k + first).
std::vector<YCbCr> flatLevels(int count, int first = 0);

struct TheoraClip {
    int width = 32; // picture size
    int height = 32;
    int picX = 0; // picture offset from the top-left of the coded frame
    int picY = 0;
    Chroma chroma = Chroma::Subsampled420;
    uint32_t fpsNumerator = 25;
    uint32_t fpsDenominator = 1;
    int serial = 1;
    int quality = 63;
    // One flat frame per entry, unless `paint` is set.
    std::vector<YCbCr> levels;
    // Fills frame `frame` of `frameCount`: planes are coded-frame sized, top
    // row first, the picture at (picX, picY).
    std::function<void(int frame, th_ycbcr_buffer planes)> paint;
    int frameCount = 0;
    // A 0-byte packet goes before each frame position listed (frameCount, or
    // levels.size(), puts one after the last frame).
    std::vector<int> emptyPacketsBefore;
};

// The pages of one logical stream: the page that begins it, the rest of its
// headers (ending on a page boundary) and the pages after them.
struct OggPages {
    std::string begin;
    std::string headers;
    std::vector<std::string> body;
};

OggPages encodeTheoraPages(const TheoraClip& clip);
// A whole single-stream file.
std::string encodeTheora(const TheoraClip& clip);
// The same file handed to `write` page by page as it is encoded, so that long
// clips need not sit in memory.
void encodeTheoraStream(const TheoraClip& clip,
                        const std::function<void(const std::string&)>& write);
// A stream whose packets are not Theora (as an audio stream would be).
OggPages otherStreamPages(int serial, int packets);
// All beginnings, then all headers, then the bodies page by page in turn.
std::string multiplex(const std::vector<OggPages>& streams);

} // namespace theoraenc
