#pragma once
// An element that shows an animation's frame as one textured quad at its four
// transformed corners, faded by its world opacity, and answers hit tests by
// bounds, quad shape and the picture's opaque pixels. The movie element is one.

#include "wf/scene/Element.h"

#include "ph/Pointer.h"
#include "pr/Animation.h"

#include <cstdint>

struct EngineQuad;

namespace wf {

struct Bounds {
    float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
    // Edges count as inside; a NaN anywhere answers false.
    bool contains(ph::Vector<float> point) const;
};

class SpriteElement : public Element {
public:
    enum SpriteFlags : uint32_t {
        UsesOwnColour = 0x1, // draw with `colour` instead of the sprite's
        HitByShape = 0x2,    // hit tests end after the quad shape, without the pixels
    };
    // Below this world opacity nothing is drawn.
    static constexpr float MinimumOpacity = 0.01f;

    SpriteElement() = default;
    ~SpriteElement() override = default;

    bool update(float dt) override;
    void drawSelf() override;
    bool updateTransform(int32_t pass) override;
    bool hitTest(ph::Vector<float> point) override;
    // Keeps the animation's hot spot on the element's pivot.
    void pivotChanged(ph::Vector<float> oldPivot) override;
    virtual void setColour(uint32_t argb);

    // Holds a reference; the element's pivot moves to the animation's hot spot.
    void setAnimation(pr::Animation* value);
    pr::Animation* animation() const { return anim.get(); }

    uint32_t spriteFlags() const { return flagBits; }
    void setSpriteFlags(uint32_t value) { flagBits = value; }
    uint32_t colour() const { return ownColour; }
    // Top-left, top-right, bottom-right, bottom-left of the frame, in scene space.
    const ph::Vector<float>* corners() const { return cornerPoints; }
    const Bounds& localBounds() const { return local; }
    const Bounds& worldBounds() const { return world; }

protected:
    // The quad drawSelf would submit, or false when nothing is to be drawn.
    bool makeQuad(EngineQuad* quad) const;

private:
    void refreshCorners();

    uint32_t flagBits = 0;
    ph::Pointer<pr::Animation> anim;
    ph::Vector<float> cornerPoints[4];
    uint32_t ownColour = 0xFFFFFFFFu;
    Bounds local;
    Bounds world;
};

} // namespace wf
