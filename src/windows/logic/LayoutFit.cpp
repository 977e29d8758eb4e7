#include "windows/logic/LayoutFit.h"

#include "core/logic/DpiScale.h"

#include <algorithm>

namespace KW {
namespace layout {

namespace {

// One axis: the span [start, start + length) kept inside [low, high).
void fitSpan(int& start, int& length, int low, int high) {
    length = std::min(length, std::max(0, high - low));
    start = std::max(low, std::min(start, high - length));
}

} // namespace

int toBaseDpi(int pixels, int dpi) {
    return dpi::rescaled(pixels, dpi, dpi::baseDpi);
}

int fromBaseDpi(int pixelsAt96, int dpi) {
    return dpi::scaled(pixelsAt96, dpi);
}

Area fitInto(const Area& window, const Area& workArea) {
    int x = window.left;
    int y = window.top;
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    fitSpan(x, width, workArea.left, workArea.right);
    fitSpan(y, height, workArea.top, workArea.bottom);
    Area fitted;
    fitted.left = x;
    fitted.top = y;
    fitted.right = x + width;
    fitted.bottom = y + height;
    return fitted;
}

} // namespace layout
} // namespace KW
