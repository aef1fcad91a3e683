#include "wf/scene/AffineTransform.h"

#include <cmath>

namespace wf {

AffineTransform AffineTransform::rotation(float radians) {
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    return {cosine, sine, -sine, cosine, 0.0f, 0.0f};
}

AffineTransform AffineTransform::then(const AffineTransform& n) const {
    return {a * n.a + b * n.c, a * n.b + b * n.d,          c * n.a + d * n.c,
            c * n.b + d * n.d, tx * n.a + ty * n.c + n.tx, tx * n.b + ty * n.d + n.ty};
}

AffineTransform AffineTransform::inverse() const {
    const float k = 1.0f / (a * d - b * c);
    return {d * k, -b * k, -c * k, a * k, (c * ty - tx * d) * k, (tx * b - a * ty) * k};
}

ph::Vector<float> AffineTransform::apply(ph::Vector<float> p) const {
    return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
}

} // namespace wf
