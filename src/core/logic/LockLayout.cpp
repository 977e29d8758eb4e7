#include "core/logic/LockLayout.h"

namespace KW {
namespace layout {

KWBound alignmentArea(const KWBound& clientEdges, bool hasStatusBar, int statusBarHeight) {
    KWBound area = clientEdges;
    if (hasStatusBar) {
        area.bottom -= statusBarHeight;
    }
    return area;
}

ChildPlacement placeLockedChild(int lockType, const KWBound& area, const KWBound& child) {
    KWBound b = child;
    const int height = child.bottom - child.top;
    // Stretching to the right leaves a right margin equal to the left one.
    const int mirroredWidth = area.right - 2 * child.left;

    switch (lockType) {
    case LOCK_FILL:
        return {PlacementCall::SetBounds, area.edgesToSize()};
    case LOCK_STRETCH_RIGHT:
        return {PlacementCall::SetBounds, KWBound(child.left, mirroredWidth, child.top, height)};
    case LOCK_STRETCH_BOTTOM:
        b.bottom = area.bottom;
        return {PlacementCall::SetPlacement, b};
    case LOCK_STRETCH_BOTH:
        return {PlacementCall::SetBounds,
                KWBound(child.left, mirroredWidth, child.top, area.bottom - child.top)};
    case LOCK_RIGHT:
    case LOCK_RIGHT_STRETCH_BOTTOM: {
        const int shift = area.right - b.right;
        b.right = area.right;
        b.left += shift;
        if (lockType == LOCK_RIGHT_STRETCH_BOTTOM) {
            b.bottom = area.bottom;
        }
        return {PlacementCall::SetBounds, b.edgesToSize()};
    }
    case LOCK_BOTTOM:
    case LOCK_BOTTOM_STRETCH_RIGHT: {
        const int shift = area.bottom - b.bottom;
        b.bottom = area.bottom;
        b.top += shift;
        if (lockType == LOCK_BOTTOM_STRETCH_RIGHT) {
            b.right = area.right;
        }
        return {PlacementCall::SetBounds, b.edgesToSize()};
    }
    default:
        return {PlacementCall::None, child};
    }
}

} // namespace layout
} // namespace KW
