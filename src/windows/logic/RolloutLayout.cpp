#include "RolloutLayout.h"

namespace KW {
namespace rollout {

namespace {

constexpr int barLeft = 10;
constexpr int barRightMargin = 5;
constexpr int textLeft = 45;
constexpr int textDown = 2;
constexpr int boxLeft = 20;
constexpr int boxSide = 9;
constexpr int boxDown = 5;
constexpr int treeX = 5;
constexpr int connectorDown = 10;
constexpr int treeLineStartDown = 15;

} // namespace

int firstBarTop(int scrollPos) {
    return firstBarGap - scrollPos;
}

TitleBar titleBarAt(int top, int clientWidth) {
    TitleBar bar;
    bar.frame = KWBound(barLeft, clientWidth - barRightMargin, top, top + barHeight);
    bar.textX = textLeft;
    bar.textY = top + textDown;
    bar.box = KWBound(boxLeft, boxLeft + boxSide, top + boxDown, top + boxDown + boxSide);
    bar.toggleBox = KWBound(boxLeft, boxLeft + boxSide - 1, top + boxDown, top + boxDown + boxSide - 1);
    bar.minusY = top + boxDown + boxSide / 2;
    bar.plusX = boxLeft + boxSide / 2;
    bar.connectorLeft = treeX;
    bar.connectorY = top + connectorDown;
    bar.contentTop = top + barHeight;
    return bar;
}

int nextBarTop(const TitleBar& bar, bool showsObjects, int lowestObjectBottom) {
    return (showsObjects ? lowestObjectBottom : bar.contentTop) + barSpacing;
}

void placeGadget(std::vector<GadgetPlacement>& placements, const GadgetPlacement& placement) {
    for (GadgetPlacement& earlier : placements) {
        if (earlier.gadget == placement.gadget) {
            earlier = placement;
            return;
        }
    }
    placements.push_back(placement);
}

TreeLine treeLine(int scrollPos, int endTop) {
    return TreeLine{treeX, treeLineStartDown - scrollPos, endTop - connectorDown};
}

int contentHeight(int endTop, int scrollPos) {
    return endTop + scrollPos;
}

bool contains(const KWBound& edges, int x, int y) {
    return edges.left <= x && x <= edges.right && edges.top <= y && y <= edges.bottom;
}

ScrollBarPlan planScrollBar(int contentHeight, int clientHeight) {
    // Content exactly as high as the window fits: a bar with nothing to scroll would only take width,
    // and the platform hides a bar whose range is empty, which would undo the decision at every paint.
    if (contentHeight <= clientHeight) {
        return ScrollBarPlan{false, 0};
    }
    return ScrollBarPlan{true, contentHeight - clientHeight};
}

int clampScroll(int position, int range) {
    if (position > range) {
        position = range;
    }
    return position < 0 ? 0 : position;
}

int scrolledPosition(ScrollRequest request, int position, int thumb, int range, int page) {
    switch (request) {
    case ScrollRequest::LineUp:
        return clampScroll(position - lineStep, range);
    case ScrollRequest::LineDown:
        return clampScroll(position + lineStep, range);
    case ScrollRequest::PageUp:
        return clampScroll(position - page, range);
    case ScrollRequest::PageDown:
        return clampScroll(position + page, range);
    case ScrollRequest::Thumb:
        return clampScroll(thumb, range);
    case ScrollRequest::Top:
        return 0;
    case ScrollRequest::Bottom:
        return clampScroll(range, range);
    case ScrollRequest::Other:
        break;
    }
    return clampScroll(position, range);
}

int wheelPosition(int position, int delta, int linesPerNotch, int range) {
    // Computed in 64 bits: a large delta times a large line count must not overflow.
    const long long moved = static_cast<long long>(delta) * linesPerNotch * lineStep / wheelNotch;
    long long target = static_cast<long long>(position) - moved;
    if (target > range) {
        target = range;
    }
    return target < 0 ? 0 : static_cast<int>(target);
}

} // namespace rollout
} // namespace KW
