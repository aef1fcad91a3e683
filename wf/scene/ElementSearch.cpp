#include "wf/scene/ElementSearch.h"

#include "wf/scene/CompositeObject.h"
#include "wf/scene/Element.h"

#include "pr/RenderClipper.h"

#include <cmath>

namespace wf {

bool ElementHitTestPredicate::test(Element* element) const {
    if (element->flags() & Element::IgnoresInput) {
        return false;
    }
    return element->hitTest(point());
}

namespace {

// A clipping container hides its whole subtree outside its clip rectangle,
// edges included, for the point truncated to whole units.
bool isClippedOut(CompositeObject* container, ph::Vector<float> point) {
    const pr::RenderClipper* clipper = dynamic_cast<const pr::RenderClipper*>(container);
    if (!clipper || !clipper->IsClipping()) {
        return false;
    }
    // Outside the integer range (or NaN) nothing can be inside the rectangle.
    const float limit = 2147483520.0f; // largest float below 2^31
    if (!(std::fabs(point.x) <= limit && std::fabs(point.y) <= limit)) {
        return true;
    }
    const int32_t x = static_cast<int32_t>(point.x);
    const int32_t y = static_cast<int32_t>(point.y);
    const pr::Rect& clip = clipper->ClipRect();
    const int64_t right = int64_t(clip.x) + clip.w;
    const int64_t bottom = int64_t(clip.y) + clip.h;
    return x < clip.x || x > right || y < clip.y || y > bottom;
}

// Searches the visible children from `first` on; with `stopAtNegative` the
// walk stops before the first child with a negative zOrder. `next` answers
// where the walk stopped.
Element* searchChildren(CompositeObject* container, uint32_t first, bool stopAtNegative,
                        const ElementHitTestPredicate& predicate, uint32_t* next) {
    uint32_t i = first;
    for (; i < container->entryCount(); ++i) {
        Object* child = container->entryAt(i);
        if (!child) {
            continue;
        }
        if (stopAtNegative && child->zOrder() < 0) {
            break;
        }
        if (child->isVisible()) {
            if (Element* found = findElement(child, predicate)) {
                return found;
            }
        }
    }
    *next = i;
    return nullptr;
}

} // namespace

Element* findElement(Object* root, const ElementHitTestPredicate& predicate) {
    CompositeObject* container = root ? root->asComposite() : nullptr;
    if (!container) {
        return nullptr;
    }
    container->sortIfNeeded();
    if (isClippedOut(container, predicate.point())) {
        return nullptr;
    }
    uint32_t negativeStart = 0;
    if (Element* found = searchChildren(container, 0, true, predicate, &negativeStart)) {
        return found;
    }
    Element* self = asElement(container);
    if (self && predicate.test(self)) {
        return self;
    }
    uint32_t end = 0;
    return searchChildren(container, negativeStart, false, predicate, &end);
}

} // namespace wf
