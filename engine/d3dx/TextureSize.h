#pragma once
// The texture size a device takes for a requested size, from its texture
// caps. Portable; used by the D3DX stand-in's texture loader.

namespace d3dx {

struct TextureSizeRules {
    bool powerOfTwo = false;               // sides must be powers of two...
    bool nonPowerOfTwoConditional = false; // ...except for single-level textures
    bool squareOnly = false;
    unsigned maxWidth = 0; // 0: no limit
    unsigned maxHeight = 0;
};

// Rounds width and height up to what the rules demand, then cuts them to the
// maximum. `levels` is the mip count asked for (0 = full chain).
void fitTextureSize(const TextureSizeRules& rules, unsigned& width, unsigned& height,
                    unsigned levels);

} // namespace d3dx
