#include "engine/FrameRateEstimator.h"

uint32_t FrameRateEstimator::pace(uint32_t elapsed, uint32_t fixedInterval) {
    const float d = static_cast<float>(elapsed);
    float a = smoothedTime;
    // React fast to a sudden slow-down, barely to a slightly faster frame.
    float rate = 0.05f;
    if (a * 1.1f < d && a > 15.0f) {
        rate = 0.4f;
    } else if (a > d && a * 0.75f < d) {
        rate = 0.001f;
    }
    a = a + rate * (d - a);
    smoothedTime = a;

    int g = 0;
    if (a != 0.0f) {
        g = static_cast<int>(a);
        if (g != 0) {
            // Stretch to a period that divides a second evenly.
            g = static_cast<int>(static_cast<float>(g) /
                                 (1.0f - static_cast<float>(1000 % g) / 1000.0f));
        }
    }
    const int f = static_cast<int>(fixedInterval);
    return g > f ? static_cast<uint32_t>(g - f) : 0u;
}
