#include "wf/scene/Element.h"

namespace wf {

Element* asElement(CompositeObject* container) {
    return dynamic_cast<Element*>(container);
}

Element* Element::effectiveTransformParent() const {
    return transformParentLink ? transformParentLink : asElement(parent());
}

void Element::rebuildLocalTransform() {
    // Neutral steps are skipped; NaN compares as different and is applied.
    local = AffineTransform();
    if (pivotValue != ph::Vector<float>(0.0f, 0.0f)) {
        local = local.then(AffineTransform::translation(-pivotValue.x, -pivotValue.y));
    }
    if (scaleValue != ph::Vector<float>(1.0f, 1.0f)) {
        local = local.then(AffineTransform::scaling(scaleValue.x, scaleValue.y));
    }
    if (!(rotationValue == 0.0f)) {
        local = local.then(AffineTransform::rotation(rotationValue));
    }
    if (positionValue != ph::Vector<float>(0.0f, 0.0f)) {
        local = local.then(AffineTransform::translation(positionValue.x, positionValue.y));
    }
}

bool Element::updateTransform(int32_t currentPass) {
    if (pass == currentPass) {
        return false;
    }
    Element* tp = effectiveTransformParent();
    bool parentChanged = false;
    if (tp) {
        tp->updateTransform(currentPass);
        parentChanged = tp->transformPass() == currentPass;
    }
    const bool dirty = isTransformDirty();
    if (dirty) {
        pass = currentPass;
        rebuildLocalTransform();
    }
    if (!dirty && !parentChanged) {
        pass = currentPass - 1;
        return false;
    }
    world = tp ? local.then(tp->worldTransform()) : local;
    pass = currentPass;
    clearTransformDirty();
    return true;
}

bool Element::hitTest(ph::Vector<float>) {
    return false;
}
void Element::positionChanged(ph::Vector<float>) {
    markTransformDirty();
}
void Element::propertyChanged(float) {}
void Element::scaleChanged(ph::Vector<float>) {
    markTransformDirty();
}
void Element::pivotChanged(ph::Vector<float>) {
    markTransformDirty();
}
void Element::transformInputChanged(const Element*) {
    markTransformDirty();
}

void Element::setPosition(ph::Vector<float> value) {
    if (value == positionValue) {
        return;
    }
    const ph::Vector<float> old = positionValue;
    positionValue = value;
    positionChanged(old);
}

void Element::setScale(ph::Vector<float> value) {
    if (value == scaleValue) {
        return;
    }
    const ph::Vector<float> old = scaleValue;
    scaleValue = value;
    scaleChanged(old);
}

void Element::setPivot(ph::Vector<float> value) {
    if (value == pivotValue) {
        return;
    }
    const ph::Vector<float> old = pivotValue;
    pivotValue = value;
    pivotChanged(old);
}

void Element::setRotation(float radians) {
    if (radians == rotationValue) {
        return;
    }
    const float old = rotationValue;
    rotationValue = radians;
    propertyChanged(old);
    markTransformDirty();
}

void Element::setTransformParent(Element* element) {
    if (element == transformParentLink) {
        return;
    }
    const Element* old = transformParentLink;
    transformParentLink = element;
    transformInputChanged(old);
}

float Element::worldOpacity() const {
    float result = opacityValue * opacityScaleValue;
    const Element* container = asElement(parent());
    if (container && !(flagBits & OwnOpacity)) {
        result *= container->worldOpacity();
    }
    return result;
}

} // namespace wf
