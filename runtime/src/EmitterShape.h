#ifndef PELMORA_EMITTER_SHAPE_H
#define PELMORA_EMITTER_SHAPE_H

#include <pelmora/Runtime.h>

// Start points on an emitter's shape.
namespace pelmora {
namespace detail {

// A start point on a shape and the direction its particle leaves in before spread.
struct ShapePoint {
    float x;
    float y;
    float normal; // degrees, 0 along +x, 90 upwards: outwards for circles and outlines, up otherwise
};

// The point of shape picked by two uniform numbers in [0, 1): uniform over the area or the outline.
ShapePoint pointOnShape(const EmitterShape& shape, float u, float v);

} // namespace detail
} // namespace pelmora

#endif
