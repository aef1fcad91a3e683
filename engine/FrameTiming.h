#pragma once
// The frame loop's timing decisions, kept apart from the loop so they can be
// checked on their own. Times are milliseconds of the system timer.

#include <cstdint>

namespace frametiming {

// The fixed frame interval for a `FrameRate` setting: 1000 / rate for a
// positive rate, else none (0).
uint32_t fixedIntervalFor(int frameRate);

// A frame runs once the raw step reaches the fixed interval plus the pacing
// delay (unsigned, like the timer).
bool frameDue(uint32_t rawStep, uint32_t fixedInterval, uint32_t extraDelay);

// Seconds credited for a raw step: steps over 0.2 s (a stall, a debugger
// break) count as one nominal frame instead.
float frameStepFor(uint32_t rawStep, uint32_t fixedInterval);

// Sleep 1 ms only while the next fixed-interval frame is more than 3 ms away.
bool shouldIdle(uint32_t rawStep, uint32_t fixedInterval);

} // namespace frametiming
