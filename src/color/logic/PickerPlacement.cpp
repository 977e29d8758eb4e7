#include "color/logic/PickerPlacement.h"

#include <algorithm>

namespace KW {
namespace picker {

namespace {

// start moved into [low, high - length], low winning when the length does not fit.
int keepInside(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

} // namespace

ScreenPoint besideSwatch(const ScreenRect& swatch, int width, int height, const ScreenRect& workArea) {
    int y = swatch.bottom;
    const bool fitsBelow = y + height <= workArea.bottom;
    const bool fitsAbove = swatch.top - height >= workArea.top;
    if (!fitsBelow && fitsAbove) {
        y = swatch.top - height;
    }
    return {keepInside(swatch.left, width, workArea.left, workArea.right),
            keepInside(y, height, workArea.top, workArea.bottom)};
}

} // namespace picker
} // namespace KW
