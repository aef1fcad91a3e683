#pragma once
// Repacks the picture region of a decoded Theora frame (three 8-bit planes)
// into VideoFrame words. Used by TheoraVideoClip; portable and stateless.

#include <theora/codec.h>

#include <cstdint>

namespace wf {

// Where the picture sits in the decoded frame, and how the chroma planes are
// subsampled (shift 1: one chroma sample per two pixels in that direction).
struct PictureLayout {
    uint32_t x = 0;
    uint32_t y = 0; // from the top of the frame
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t chromaShiftX = 1;
    uint32_t chromaShiftY = 1;
};

// The layout libtheora describes in `info`: picture offsets and pixel format.
PictureLayout pictureLayoutOf(const th_info& info);

// True when every sample the layout names lies inside `planes`.
bool layoutFitsPlanes(const PictureLayout& layout, const th_ycbcr_buffer planes);

// Writes layout.width x layout.height words, every one of them. `planes` must
// satisfy layoutFitsPlanes.
void packPicture(const th_ycbcr_buffer planes, const PictureLayout& layout, uint32_t* words);

} // namespace wf
