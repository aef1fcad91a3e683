#include "engine/DrawState.h"

#include "engine/Engine.h"

namespace {

struct FactorBit {
    int bit;
    uint32_t factor;
};

uint32_t firstFactor(int blend, const FactorBit* bits, int count, uint32_t fallback) {
    for (int i = 0; i < count; ++i) {
        if (blend & bits[i].bit) {
            return bits[i].factor;
        }
    }
    return fallback;
}

} // namespace

uint32_t explicitSourceFactor(int blend) {
    static const FactorBit bits[] = {
        {EngineBlendSrcZero, BlendFactorZero},
        {EngineBlendSrcOne, BlendFactorOne},
        {EngineBlendSrcColour, BlendFactorSrcColour},
        {EngineBlendSrcInvColour, BlendFactorInvSrcColour},
        {EngineBlendSrcInvAlpha, BlendFactorInvSrcAlpha},
        {EngineBlendSrcDestAlpha, BlendFactorDestAlpha},
        {EngineBlendSrcInvDestAlpha, BlendFactorInvDestAlpha},
        {EngineBlendSrcDestColour, BlendFactorDestColour},
        {EngineBlendSrcInvDestColour, BlendFactorInvDestColour},
    };
    return firstFactor(blend, bits, sizeof(bits) / sizeof(bits[0]), BlendFactorSrcAlpha);
}

uint32_t explicitDestFactor(int blend) {
    static const FactorBit bits[] = {
        {EngineBlendDestZero, BlendFactorZero},
        {EngineBlendDestOne, BlendFactorOne},
        {EngineBlendDestSrcColour, BlendFactorSrcColour},
        {EngineBlendDestInvSrcColour, BlendFactorInvSrcColour},
        {EngineBlendDestSrcAlpha, BlendFactorSrcAlpha},
        {EngineBlendDestDestAlpha, BlendFactorDestAlpha},
        {EngineBlendDestInvDestAlpha, BlendFactorInvDestAlpha},
        {EngineBlendDestDestColour, BlendFactorDestColour},
        {EngineBlendDestInvDestColour, BlendFactorInvDestColour},
    };
    return firstFactor(blend, bits, sizeof(bits) / sizeof(bits[0]), BlendFactorInvSrcAlpha);
}

ClipViewport clipViewport(int x, int y, int w, int h, int refWidth, int refHeight) {
    if (w == 0) {
        return {0, 0, refWidth, refHeight};
    }
    if (x < 0) {
        w += x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        y = 0;
    }
    if (x + w > refWidth) {
        w = refWidth - x;
    }
    if (y + h > refHeight) {
        h = refHeight - y;
    }
    return {x, y, w < 0 ? 0 : w, h < 0 ? 0 : h};
}
