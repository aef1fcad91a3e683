#pragma once
// Frame pacing: smooths how long the frame and render callbacks take and
// turns that into an extra delay so that frames come at an even rhythm.
// Owned by the engine instance, created on the first paced frame.

#include <cstdint>

class FrameRateEstimator {
public:
    // `elapsed`: milliseconds spent in the callbacks of the frame just drawn;
    // `fixedInterval`: the frame interval in force (0 = none). Answers the extra
    // delay in milliseconds to add to the frame threshold.
    uint32_t pace(uint32_t elapsed, uint32_t fixedInterval);

    float smoothed() const { return smoothedTime; }

private:
    float smoothedTime = 0.0f; // single precision on purpose: the delay settles on it
};
