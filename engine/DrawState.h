#pragma once
// Pure rules of the drawing state: explicit blend factors decoded from a blend
// mode, and the viewport a clip rectangle gives. Blend factors are the numeric
// values of the Direct3D 8 blend enumeration.

#include <cstdint>

enum : uint32_t {
    BlendFactorZero = 1,
    BlendFactorOne = 2,
    BlendFactorSrcColour = 3,
    BlendFactorInvSrcColour = 4,
    BlendFactorSrcAlpha = 5,
    BlendFactorInvSrcAlpha = 6,
    BlendFactorDestAlpha = 7,
    BlendFactorInvDestAlpha = 8,
    BlendFactorDestColour = 9,
    BlendFactorInvDestColour = 10,
};

// Source factor of an explicit-factor mode: source alpha when no bit is set.
uint32_t explicitSourceFactor(int blend);
// Destination factor: inverse source alpha when no bit is set.
uint32_t explicitDestFactor(int blend);

struct ClipViewport {
    int x, y, w, h;
};

// The part of (x, y, w, h) inside a reference area of refWidth x refHeight;
// w = 0 means the whole area.
ClipViewport clipViewport(int x, int y, int w, int h, int refWidth, int refHeight);
