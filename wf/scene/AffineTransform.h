#pragma once
// Six floats (a, b, c, d, tx, ty) mapping (x, y) to (a x + c y + tx, b x + d y + ty):
// the local and world placement of scene elements and the inverse used by hit tests.

#include "ph/Vector.h"

namespace wf {

struct AffineTransform {
    float a = 1.0f, b = 0.0f, c = 0.0f, d = 1.0f, tx = 0.0f, ty = 0.0f;

    static AffineTransform translation(float x, float y) { return {1.0f, 0.0f, 0.0f, 1.0f, x, y}; }
    static AffineTransform scaling(float sx, float sy) { return {sx, 0.0f, 0.0f, sy, 0.0f, 0.0f}; }
    static AffineTransform rotation(float radians);

    // This transform followed by `next` (this one is applied first).
    AffineTransform then(const AffineTransform& next) const;
    // Not guarded: a singular matrix yields non-finite values, which make
    // every later comparison false.
    AffineTransform inverse() const;
    ph::Vector<float> apply(ph::Vector<float> point) const;

    bool operator==(const AffineTransform& o) const {
        return a == o.a && b == o.b && c == o.c && d == o.d && tx == o.tx && ty == o.ty;
    }
};

} // namespace wf
