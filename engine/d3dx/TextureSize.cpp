#include "engine/d3dx/TextureSize.h"

#include <algorithm>

namespace d3dx {

namespace {

unsigned roundUpToPowerOfTwo(unsigned value) {
    unsigned p = 1;
    while (p < value && p < 0x80000000u) {
        p <<= 1;
    }
    return p;
}

} // namespace

void fitTextureSize(const TextureSizeRules& rules, unsigned& width, unsigned& height,
                    unsigned levels) {
    if (rules.powerOfTwo && (!rules.nonPowerOfTwoConditional || levels != 1)) {
        width = roundUpToPowerOfTwo(width);
        height = roundUpToPowerOfTwo(height);
    }
    if (rules.squareOnly) {
        width = height = std::max(width, height);
    }
    if (rules.maxWidth != 0) {
        width = std::min(width, rules.maxWidth);
    }
    if (rules.maxHeight != 0) {
        height = std::min(height, rules.maxHeight);
    }
}

} // namespace d3dx
