#include "EmitterShape.h"

#include <cmath>

namespace pelmora {

bool operator==(const EmitterShape& a, const EmitterShape& b) {
    return a.kind == b.kind && a.edge == b.edge && a.radius == b.radius && a.width == b.width &&
           a.height == b.height;
}

namespace detail {

namespace {

const float kPi = 3.14159265358979f;

ShapePoint onRectangleOutline(float width, float height, float u) {
    // Walks the outline anticlockwise from the bottom-left corner: bottom, right, top, left.
    float along = u * 2.0f * (width + height);
    const float left = -0.5f * width;
    const float bottom = -0.5f * height;
    if (along < width) {
        return {left + along, bottom, 270.0f};
    }
    along -= width;
    if (along < height) {
        return {-left, bottom + along, 0.0f};
    }
    along -= height;
    if (along < width) {
        return {-left - along, -bottom, 90.0f};
    }
    along -= width;
    return {left, -bottom - along, 180.0f};
}

} // namespace

ShapePoint pointOnShape(const EmitterShape& shape, float u, float v) {
    switch (shape.kind) {
    case ShapeKind::Circle: {
        const float angle = 360.0f * u;
        // The square root spreads area points evenly instead of crowding the centre.
        const float r = shape.edge ? shape.radius : shape.radius * std::sqrt(v);
        const float radians = angle * (kPi / 180.0f);
        return {r * std::cos(radians), r * std::sin(radians), angle};
    }
    case ShapeKind::Rectangle:
        if (shape.edge) {
            return onRectangleOutline(shape.width, shape.height, u);
        }
        return {(u - 0.5f) * shape.width, (v - 0.5f) * shape.height, 90.0f};
    case ShapeKind::Line:
        return {(u - 0.5f) * shape.width, 0.0f, 90.0f};
    case ShapeKind::Point:
        break;
    }
    return {0.0f, 0.0f, 90.0f};
}

} // namespace detail
} // namespace pelmora
