#include "pr/Sprite.h"

#include <cmath>
#include <cstring>

namespace pr {

Sprite::Sprite(Texture* texture, float x, float y, float width, float height)
    : sourceX(x), sourceY(y), width(width), height(height), texture(texture),
      engine(AcquireEngine()) {
    std::memset(&quad, 0, sizeof quad);
    quad.scaleX2 = 1.0f;
    quad.scaleY2 = 1.0f;
    if (texture != nullptr) {
        textureWidth = float(texture->SurfaceWidth());
        textureHeight = float(texture->SurfaceHeight());
        quad.texture = texture->NativeHandle();
    }
    quad.blend = EngineBlendDefault;
    for (EngineVertex& vertex : quad.v) {
        vertex.colour = DefaultColour;
        vertex.z = DefaultZ;
    }
    const float left = x / textureWidth, right = (x + width) / textureWidth;
    const float top = y / textureHeight, bottom = (y + height) / textureHeight;
    quad.v[0].tu = left;
    quad.v[0].tv = top;
    quad.v[1].tu = right;
    quad.v[1].tv = top;
    quad.v[2].tu = right;
    quad.v[2].tv = bottom;
    quad.v[3].tu = left;
    quad.v[3].tv = bottom;
}

Sprite::~Sprite() {
    if (engine != nullptr) {
        engine->System_Release();
    }
}

void Sprite::SetColor(uint32_t colour) {
    for (EngineVertex& vertex : quad.v) {
        vertex.colour = colour;
    }
}

void Sprite::SetZ(float z) {
    for (EngineVertex& vertex : quad.v) {
        vertex.z = z;
    }
}

void Sprite::Draw(float x, float y, float rotation, float hscale, float vscale) {
    if (vscale == 0.0f) {
        vscale = hscale;
    }
    const float left = -hotX * hscale;
    const float top = -hotY * vscale;
    const float right = (width - hotX) * hscale;
    const float bottom = (height - hotY) * vscale;
    const float offsets[4][2] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    const float cosR = rotation != 0.0f ? std::cos(rotation) : 1.0f;
    const float sinR = rotation != 0.0f ? std::sin(rotation) : 0.0f;
    for (int i = 0; i < 4; ++i) {
        const float dx = offsets[i][0], dy = offsets[i][1];
        if (rotation != 0.0f) {
            quad.v[i].x = x + dx * cosR - dy * sinR;
            quad.v[i].y = y + dx * sinR + dy * cosR;
        } else {
            quad.v[i].x = x + dx;
            quad.v[i].y = y + dy;
        }
    }
    // No sprite here has a second layer (quad.texture2 stays null), so the
    // second-layer offset stays 0.
    if (engine != nullptr) {
        engine->Gfx_DrawQuadLayered(&quad);
    }
}

bool Sprite::IsOpaqueAt(float x, float y) const {
    if (texture.isEmpty() || !(x >= 0.0f && x < width && y >= 0.0f && y < height)) {
        return false;
    }
    float px = x + textureWidth * quad.v[0].tu;
    float py = y + textureHeight * quad.v[0].tv;
    // Rectangles may reach past the surface and wrap around it.
    if (textureWidth > 0.0f) {
        px = std::fmod(px, textureWidth);
    }
    if (textureHeight > 0.0f) {
        py = std::fmod(py, textureHeight);
    }
    return texture->IsOpaqueAt(int(px), int(py), 1);
}

} // namespace pr
