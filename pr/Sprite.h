#pragma once
// A textured rectangle cut out of a texture, with a hot spot, drawn through
// the engine's quad with optional rotation and scale. Font glyphs, the movie
// picture and the scene's sprite element are sprites.

#include "engine/Engine.h"
#include "ph/Pointer.h"
#include "ph/RefCounter.h"
#include "pr/Texture.h"

#include <cstdint>

namespace pr {

class Sprite : public ph::RefCounter {
public:
    enum : uint32_t { DefaultColour = 0xFFFFFFFFu };
    static constexpr float DefaultZ = 0.5f;

    // Holds a reference to `texture` (may be null: an untextured quad) and one
    // to the engine. x, y, width, height: the rectangle in texture pixels.
    Sprite(Texture* texture, float x, float y, float width, float height);
    ~Sprite() override;

    // Places the hot spot at (x, y); vscale 0 takes hscale.
    void Draw(float x, float y, float rotation = 0.0f, float hscale = 1.0f, float vscale = 0.0f);
    // Whether the picture is opaque at (x, y) of the rectangle (hit testing).
    bool IsOpaqueAt(float x, float y) const;

    float SourceX() const { return sourceX; }
    float SourceY() const { return sourceY; }
    float Width() const { return width; }
    float Height() const { return height; }
    // The texture's surface size, 1 x 1 without texture.
    float TextureWidth() const { return textureWidth; }
    float TextureHeight() const { return textureHeight; }
    float HotSpotX() const { return hotX; }
    float HotSpotY() const { return hotY; }
    void SetHotSpot(float x, float y) {
        hotX = x;
        hotY = y;
    }

    // The quad kept ready for drawing; vertex 0's colour is the sprite's colour.
    const EngineQuad& Quad() const { return quad; }
    void SetColor(uint32_t colour);
    void SetZ(float z);
    void SetBlendMode(int blend) { quad.blend = blend; }
    Texture* GetTexture() const { return texture.get(); }
    bool HasTexture() const { return !texture.isEmpty(); }

private:
    EngineQuad quad;
    float sourceX, sourceY, width, height;
    float textureWidth = 1.0f, textureHeight = 1.0f;
    float hotX = 0.0f, hotY = 0.0f;
    ph::Pointer<Texture> texture;
    Engine* engine; // one reference, from construction to destruction
};

} // namespace pr
