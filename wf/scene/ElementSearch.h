#pragma once
// The hit-test search over the scene tree, front to back, and the predicate
// that asks each element whether a scene point hits it. Used by the input
// router to find the element under the pointer.

#include "ph/Vector.h"

namespace wf {

class Element;
class Object;

class ElementHitTestPredicate {
public:
    ElementHitTestPredicate(float pointX, float pointY) : x(pointX), y(pointY) {}
    virtual ~ElementHitTestPredicate() = default;

    // False for an element with IgnoresInput, without asking it; otherwise
    // the element's own hit test at the point.
    virtual bool test(Element* element) const;

    ph::Vector<float> point() const { return {x, y}; }

    float x; // scene units
    float y;
};

// The first element the predicate accepts, searching higher zOrders first and
// a container's own test between its non-negative and negative children.
// Invisible objects and their subtrees are skipped. Uses the world transforms
// of the most recent draw.
Element* findElement(Object* root, const ElementHitTestPredicate& predicate);

} // namespace wf
