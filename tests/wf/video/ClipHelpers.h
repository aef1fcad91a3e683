#pragma once
// Helpers for the video clip tests: open fixture bytes as a clip, read frames
// back, and drive a clip the way the movie element does.

#include "ph/Data.h"
#include "ph/Pointer.h"
#include "tests/support/MemoryStream.h"
#include "tests/support/TheoraWriter.h"
#include "wf/video/TheoraVideoClip.h"
#include "wf/video/VideoFrame.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace cliptest {

using Frame = ph::Pointer<ph::Data<unsigned int>>;

using testsupport::memoryStream;

inline ph::Pointer<wf::TheoraVideoClip>
openClip(const std::string& bytes, size_t budget = wf::TheoraVideoClip::defaultFrameBudget) {
    return ph::adopt(new wf::TheoraVideoClip(memoryStream(bytes).get(), budget));
}

// frameNumber of a handed-out frame, -1 for none.
inline int numberOf(const Frame& frame) {
    return frame ? static_cast<wf::VideoFrame*>(frame.get())->frameNumber : -1;
}

inline int channel(unsigned int word, int shift) {
    return int((word >> shift) & 0xFF);
}

inline bool near(int value, int expected, int tolerance) {
    return std::abs(value - expected) <= tolerance;
}

// Every word of `frame` within `tolerance` of the flat level.
inline bool isFlat(const Frame& frame, testsupport::YCbCr level, int tolerance = 3) {
    if (!frame || !frame->hasElements()) {
        return false;
    }
    for (uint32_t i = 0; i < frame->count; ++i) {
        unsigned int w = frame->elements[i];
        if ((w >> 24) != 0 || !near(channel(w, 16), level.y, tolerance) ||
            !near(channel(w, 8), level.cb, tolerance) ||
            !near(channel(w, 0), level.cr, tolerance)) {
            return false;
        }
    }
    return true;
}

// The movie element's clock: play time grows by `step`, wraps once by the
// clip's length when that is known, and the clip is asked for a frame.
struct Player {
    wf::VideoClip& clip;
    float playTime = 0.0f;
    int wraps = 0;

    Frame step(float dt) {
        playTime += dt;
        float length = clip.duration();
        if (length > 0.0f && length < playTime) {
            playTime -= length;
            ++wraps;
        }
        return clip.frameAt(playTime);
    }
};

} // namespace cliptest
