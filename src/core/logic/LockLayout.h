#ifndef KW_LOCK_LAYOUT_H
#define KW_LOCK_LAYOUT_H

#include "KWTypes.h"

namespace KW {
namespace layout {

// Which of a child's geometry operations a lock type goes through.
enum class PlacementCall {
    None,         // the child is not touched
    SetBounds,    // bound is in position-and-size reading
    SetPlacement, // bound is in edge reading
};

struct ChildPlacement {
    PlacementCall call;
    KWBound bound;
};

// The area children are laid out in: the client edges less the status bar's height at the bottom.
KWBound alignmentArea(const KWBound& clientEdges, bool hasStatusBar, int statusBarHeight);

// Where a child locked to its parent goes: area and child are both edges in the parent's client
// coordinates. Values outside eLockType leave the child untouched.
ChildPlacement placeLockedChild(int lockType, const KWBound& area, const KWBound& child);

} // namespace layout
} // namespace KW

#endif
