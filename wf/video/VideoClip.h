#pragma once
// A movie as timed pictures: the movie element asks it, every update, for the
// frame to show at its play time. Implemented by TheoraVideoClip.

#include "ph/Data.h"
#include "ph/Pointer.h"
#include "ph/RefCounter.h"

#include <cstdint>

namespace wf {

struct VideoSize {
    int32_t width = 0;
    int32_t height = 0;
};

class VideoClip : public ph::RefCounter {
public:
    ~VideoClip() override = default;

    // A video stream was found and its headers read.
    virtual bool isValid() const = 0;
    // Picture size in pixels; (0, 0) without a video stream.
    virtual VideoSize size() const = 0;
    // The whole file has been read once.
    virtual bool isFinished() const = 0;
    // Length in seconds, -1 until the end of the file has been reached.
    virtual float duration() const = 0;
    // The frame to show at `playTime` seconds, with a reference for the
    // caller, or empty when there is nothing new to show.
    virtual ph::Pointer<ph::Data<unsigned int>> frameAt(float playTime) = 0;
};

} // namespace wf
