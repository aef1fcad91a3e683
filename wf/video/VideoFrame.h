#pragma once
// One decoded picture: a word per pixel, rows top to bottom without gaps,
// Y in bits 16-23, Cb in bits 8-15, Cr in bits 0-7. Made by the video clip,
// uploaded by the video texture.

#include "ph/Data.h"

#include <cstdint>

namespace wf {

class VideoFrame : public ph::Data<unsigned int> {
public:
    VideoFrame(uint32_t wordCount, int32_t number)
        : ph::Data<unsigned int>(wordCount), frameNumber(number) {}

    // Position in decode order of the packet that produced the picture. A
    // repeated frame shares the buffer, and so the number, of its original.
    int32_t frameNumber;
};

} // namespace wf
