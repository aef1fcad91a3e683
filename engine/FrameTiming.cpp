#include "engine/FrameTiming.h"

namespace frametiming {

uint32_t fixedIntervalFor(int frameRate) {
    return frameRate > 0 ? static_cast<uint32_t>(1000 / frameRate) : 0u;
}

bool frameDue(uint32_t rawStep, uint32_t fixedInterval, uint32_t extraDelay) {
    return rawStep >= fixedInterval + extraDelay;
}

float frameStepFor(uint32_t rawStep, uint32_t fixedInterval) {
    float step = static_cast<float>(rawStep) / 1000.0f;
    if (step > 0.2f) {
        step = fixedInterval != 0 ? static_cast<float>(fixedInterval) / 1000.0f : 0.01f;
    }
    return step;
}

bool shouldIdle(uint32_t rawStep, uint32_t fixedInterval) {
    return fixedInterval != 0 && rawStep + 3 < fixedInterval;
}

} // namespace frametiming
