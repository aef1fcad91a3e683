#pragma once
// A plain pair (x, y): positions, scales, pivots and points of the scene and
// of input events.

namespace ph {

template <class T> struct Vector {
    T x = T();
    T y = T();

    Vector() = default;
    Vector(T xValue, T yValue) : x(xValue), y(yValue) {}

    // Exact comparison: a NaN component never equals anything.
    bool operator==(const Vector& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Vector& other) const { return !(*this == other); }
};

} // namespace ph
