#ifndef KW_FLOAT_GRAPH_POLYLINE_H
#define KW_FLOAT_GRAPH_POLYLINE_H

#include <cstddef>
#include <vector>

// Thousands of keys put many polyline corners on the same pixel or on one straight vertical or
// horizontal run. Such corners can go without changing a single drawn pixel: a segment of length
// zero draws nothing, and consecutive axis-parallel segments heading the same way cover exactly the
// pixels of the one segment they make up. Diagonal segments are never touched, so the result holds
// whatever line algorithm draws them.
namespace KW {
namespace floatgraph {

namespace detail {

inline int direction(long long from, long long to) {
    return from < to ? 1 : (from > to ? -1 : 0);
}

// Whether b lies on the straight axis-parallel run from a to c, going one way.
template <typename Point> bool isStraightCorner(const Point& a, const Point& b, const Point& c) {
    if (a.x == b.x && b.x == c.x) {
        return direction(a.y, b.y) == direction(b.y, c.y);
    }
    if (a.y == b.y && b.y == c.y) {
        return direction(a.x, b.x) == direction(b.x, c.x);
    }
    return false;
}

} // namespace detail

// Drops the repeated and straight-through corners of points in place (any type with x and y).
template <typename Point> void dropInvisibleCorners(std::vector<Point>& points) {
    size_t kept = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& next = points[i];
        if (kept > 0 && points[kept - 1].x == next.x && points[kept - 1].y == next.y) {
            continue;
        }
        if (kept > 1 && detail::isStraightCorner(points[kept - 2], points[kept - 1], next)) {
            points[kept - 1] = next;
            continue;
        }
        points[kept++] = next;
    }
    points.resize(kept);
}

} // namespace floatgraph
} // namespace KW

#endif
