#ifndef KW_PICKER_PLACEMENT_H
#define KW_PICKER_PLACEMENT_H

namespace KW {
namespace picker {

// A rectangle on the screen, by its edges.
struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

// A popup's top-left corner on the screen.
struct ScreenPoint {
    int x;
    int y;
};

// Where a popup of width x height opens beside the swatch that opened it: just below the swatch with
// their left edges aligned, or just above it where only that fits, then moved as little as needed to
// lie inside the work area. A popup larger than the area keeps the area's top-left corner in view.
ScreenPoint besideSwatch(const ScreenRect& swatch, int width, int height, const ScreenRect& workArea);

} // namespace picker
} // namespace KW

#endif
