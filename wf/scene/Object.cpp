#include "wf/scene/Object.h"

#include "wf/scene/CompositeObject.h"

namespace wf {

bool Object::update(float) {
    return !finished;
}

void Object::draw(int32_t pass) {
    updateTransform(pass);
    drawSelf();
}

void Object::drawSelf() {}
void Object::addChild(Object*) {}
void Object::insertChild(Object*, uint32_t) {}
void Object::removeChild(Object*) {}
void Object::pause() {
    paused = true;
}
void Object::resume() {
    paused = false;
}
bool Object::updateTransform(int32_t) {
    return false;
}
const CompositeObject* Object::asComposite() const {
    return nullptr;
}
CompositeObject* Object::asComposite() {
    return nullptr;
}
void Object::onAttached() {}

void Object::setZOrder(int32_t z) {
    if (z == zOrderValue) {
        return;
    }
    zOrderValue = z;
    if (parentLink) {
        parentLink->markNeedsSort();
    }
}

} // namespace wf
