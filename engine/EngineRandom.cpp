#include "engine/EngineRandom.h"

#include <cmath>

namespace enginerandom {

namespace {
uint32_t randomState = 0;

uint32_t advance() {
    randomState = randomState * 214013u + 2531011u;
    return randomState;
}
} // namespace

void setState(uint32_t newState) {
    randomState = newState;
}

uint32_t state() {
    return randomState;
}

int integer(int min, int max) {
    const uint32_t s = advance();
    const uint32_t mixed = s ^ (s >> 15);
    const uint32_t span = static_cast<uint32_t>(max) - static_cast<uint32_t>(min) + 1u;
    // The full 32-bit range has span 0: every value is in range.
    const uint32_t offset = span == 0 ? mixed : mixed % span;
    return static_cast<int>(static_cast<uint32_t>(min) + offset);
}

float real(float min, float max) {
    const uint32_t s = advance();
    const double fraction = static_cast<double>(s >> 16) * 65537.0 / 4294967296.0;
    float result = static_cast<float>(min + (static_cast<double>(max) - min) * fraction);
    // The fraction stays below 1, but rounding to float can land on max itself.
    if (min < max && result >= max) {
        result = std::nextafter(max, min);
    }
    return result;
}

} // namespace enginerandom
