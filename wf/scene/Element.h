#pragma once
// A container with a 2-D placement (position, scale, pivot, rotation), an
// opacity that multiplies down the tree, input flags, and the responder
// interface. Sprite, movie and console elements build on it.

#include "wf/scene/AffineTransform.h"
#include "wf/scene/CompositeObject.h"
#include "wf/scene/Responder.h"

#include "ph/Vector.h"

#include <cstdint>

namespace wf {

class Element : public CompositeObject, public Responder {
public:
    enum Flags : uint32_t {
        IgnoresInput = 0x1, // never hit itself; its children are still searched
        OwnOpacity = 0x2,   // world opacity does not inherit the parent's
    };

    Element() = default;
    ~Element() override = default;

    bool updateTransform(int32_t pass) override;
    // Point in scene space, against the transforms of the last draw.
    virtual bool hitTest(ph::Vector<float> point);
    virtual void positionChanged(ph::Vector<float> oldPosition);
    virtual void propertyChanged(float oldValue);
    virtual void scaleChanged(ph::Vector<float> oldScale);
    virtual void pivotChanged(ph::Vector<float> oldPivot);
    virtual void transformInputChanged(const Element* oldTransformParent);

    // Each setter does nothing when the value is unchanged, else stores it
    // and calls the matching notification with the old value.
    void setPosition(ph::Vector<float> value);
    void setScale(ph::Vector<float> value);
    void setPivot(ph::Vector<float> value);
    void setRotation(float radians);
    // Not owning; its world transform replaces the parent's.
    void setTransformParent(Element* element);

    ph::Vector<float> position() const { return positionValue; }
    ph::Vector<float> scale() const { return scaleValue; }
    ph::Vector<float> pivot() const { return pivotValue; }
    float rotation() const { return rotationValue; }
    Element* transformParent() const { return transformParentLink; }

    float opacity() const { return opacityValue; }
    void setOpacity(float value) { opacityValue = value; }
    float opacityScale() const { return opacityScaleValue; }
    void setOpacityScale(float value) { opacityScaleValue = value; }
    float worldOpacity() const;

    uint32_t flags() const { return flagBits; }
    void setFlags(uint32_t value) { flagBits = value; }

    const AffineTransform& localTransform() const { return local; }
    const AffineTransform& worldTransform() const { return world; }
    // The pass in which the world transform last changed, or the pass before
    // the last one that found it unchanged.
    int32_t transformPass() const { return pass; }

private:
    Element* effectiveTransformParent() const;
    void rebuildLocalTransform();

    AffineTransform local;
    AffineTransform world;
    int32_t pass = 0;
    uint32_t flagBits = 0;
    ph::Vector<float> positionValue{0.0f, 0.0f};
    ph::Vector<float> scaleValue{1.0f, 1.0f};
    ph::Vector<float> pivotValue{0.0f, 0.0f};
    float rotationValue = 0.0f;
    float opacityValue = 1.0f;
    float opacityScaleValue = 1.0f;
    Element* transformParentLink = nullptr;
};

// The element of a parent link, or none when the container is not an element
// (the application contributes no transform or opacity).
Element* asElement(CompositeObject* container);

} // namespace wf
