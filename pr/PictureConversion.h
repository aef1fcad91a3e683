#pragma once
// Video pictures into texture rows: packed Y/Cb/Cr words (byte 0 Cr, 1 Cb,
// 2 Y) to B G R bytes, alpha untouched. Portable; the video texture's upload
// and the benchmark use it.

#include <cstddef>
#include <cstdint>

namespace pr {

// `width` x `height` words, row after row without gaps, into rows `pitch`
// bytes apart at `destination` (4 bytes a pixel). Takes the SSE2 routine
// where the build has it.
void convertPicture(const uint32_t* source, int width, int height, uint8_t* destination,
                    ptrdiff_t pitch);

// The same, scaled to `toWidth` x `toHeight` by picking the nearest source
// pixel (for pictures larger than the texture).
void convertPictureScaled(const uint32_t* source, int width, int height, uint8_t* destination,
                          ptrdiff_t pitch, int toWidth, int toHeight);

// One row of `count` pixels; the scalar routine and the SSE2 one give the same
// bytes for every input.
void convertRowScalar(const uint32_t* source, int count, uint8_t* destination);
void convertRowSSE2(const uint32_t* source, int count, uint8_t* destination);
bool hasSSE2Routine(); // false where the build has no SSE2 (it then runs the scalar one)

} // namespace pr
