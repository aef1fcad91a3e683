#include "pr/ShadedRect.h"

#include <cstring>

namespace pr {

void DrawShadedRect(float x, float y, float width, float height) {
    EngineQuad quad;
    std::memset(&quad, 0, sizeof quad);
    quad.scaleX2 = 1.0f;
    quad.scaleY2 = 1.0f;
    quad.blend = ShadeBlend;
    const float corners[4][2] = {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}};
    for (int i = 0; i < 4; ++i) {
        quad.v[i].x = corners[i][0];
        quad.v[i].y = corners[i][1];
        quad.v[i].colour = ShadeColour;
    }
    Engine* engine = AcquireEngine();
    if (engine != nullptr) {
        engine->Gfx_DrawQuadLayered(&quad);
        engine->System_Release();
    }
}

} // namespace pr
