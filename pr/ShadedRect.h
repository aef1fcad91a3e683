#pragma once
// A translucent very dark blue rectangle drawn over the scene (the console's
// background).

#include "engine/Engine.h"

#include <cstdint>

namespace pr {

enum : uint32_t { ShadeColour = 0xAA00000Fu };
enum : int { ShadeBlend = EngineBlendColourAdd | EngineBlendAlpha };

// Draws one untextured quad through the engine, z 0.
void DrawShadedRect(float x, float y, float width, float height);

} // namespace pr
