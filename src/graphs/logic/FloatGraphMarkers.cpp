#include "graphs/logic/FloatGraphMarkers.h"

namespace KW {
namespace floatgraph {

MarkerBatcher::MarkerBatcher(int radius, int width, int height)
    : radius(radius), width(width), height(height), pending(), pendingCount(0), oldestSlot(0) {}

bool MarkerBatcher::mergeInto(MarkerRect& rect, const MarkerRect& square) const {
    if (rect.colour != square.colour) {
        return false;
    }
    const bool sameColumn = square.left == rect.left && square.right == rect.right;
    const bool sameRow = square.top == rect.top && square.bottom == rect.bottom;
    // Touching or overlapping along the shared side: the union is still one rectangle.
    if (sameColumn && square.top <= rect.bottom && square.bottom >= rect.top) {
        rect.top = square.top < rect.top ? square.top : rect.top;
        rect.bottom = square.bottom > rect.bottom ? square.bottom : rect.bottom;
        return true;
    }
    if (sameRow && square.left <= rect.right && square.right >= rect.left) {
        rect.left = square.left < rect.left ? square.left : rect.left;
        rect.right = square.right > rect.right ? square.right : rect.right;
        return true;
    }
    return square.left >= rect.left && square.right <= rect.right && square.top >= rect.top &&
           square.bottom <= rect.bottom;
}

void MarkerBatcher::flushPending() {
    for (int i = 0; i < pendingCount; ++i) {
        result.push_back(pending[i]);
    }
    pendingCount = 0;
    oldestSlot = 0;
}

void MarkerBatcher::add(int x, int y, int colour) {
    const MarkerRect square = {x - radius, y - radius, x + radius, y + radius, colour};
    if (square.right <= 0 || square.bottom <= 0 || square.left >= width || square.top >= height) {
        return; // never seen, so it covers nothing that matters
    }
    if (pendingCount > 0 && pending[0].colour != colour) {
        // A colour change keeps the order: everything before is filled first.
        flushPending();
    }
    for (int i = 0; i < pendingCount; ++i) {
        if (mergeInto(pending[i], square)) {
            return;
        }
    }
    if (pendingCount < kPendingSlots) {
        pending[pendingCount++] = square;
        return;
    }
    result.push_back(pending[oldestSlot]);
    pending[oldestSlot] = square;
    oldestSlot = (oldestSlot + 1) % kPendingSlots;
}

std::vector<MarkerRect> MarkerBatcher::finish() {
    flushPending();
    std::vector<MarkerRect> rects;
    rects.swap(result);
    return rects;
}

} // namespace floatgraph
} // namespace KW
