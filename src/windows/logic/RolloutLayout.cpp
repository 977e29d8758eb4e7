#include "RolloutLayout.h"

#include <algorithm>

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

Metrics metricsAt(int dpi) {
    Metrics m;
    m.firstBarGap = dpi::scaled(firstBarGap, dpi);
    m.barHeight = dpi::scaled(barHeight, dpi);
    m.barSpacing = dpi::scaled(barSpacing, dpi);
    m.lineStep = dpi::scaled(lineStep, dpi);
    m.barLeft = dpi::scaled(barLeft, dpi);
    m.barRightMargin = dpi::scaled(barRightMargin, dpi);
    m.textLeft = dpi::scaled(textLeft, dpi);
    m.textDown = dpi::scaled(textDown, dpi);
    m.boxLeft = dpi::scaled(boxLeft, dpi);
    m.boxSide = dpi::scaled(boxSide, dpi) | 1;
    m.boxDown = dpi::scaled(boxDown, dpi);
    m.treeX = dpi::scaled(treeX, dpi);
    m.connectorDown = dpi::scaled(connectorDown, dpi);
    m.treeLineStartDown = dpi::scaled(treeLineStartDown, dpi);
    return m;
}

int firstBarTop(int scrollPos, const Metrics& metrics) {
    return metrics.firstBarGap - scrollPos;
}

TitleBar titleBarAt(int top, int clientWidth, const Metrics& m) {
    TitleBar bar;
    bar.frame = KWBound(m.barLeft, clientWidth - m.barRightMargin, top, top + m.barHeight);
    bar.textX = m.textLeft;
    bar.textY = top + m.textDown;
    const int boxTop = top + m.boxDown;
    bar.box = KWBound(m.boxLeft, m.boxLeft + m.boxSide, boxTop, boxTop + m.boxSide);
    bar.toggleBox = KWBound(m.boxLeft, m.boxLeft + m.boxSide - 1, boxTop, boxTop + m.boxSide - 1);
    bar.minusY = boxTop + m.boxSide / 2;
    bar.plusX = m.boxLeft + m.boxSide / 2;
    bar.connectorLeft = m.treeX;
    bar.connectorY = top + m.connectorDown;
    bar.contentTop = top + m.barHeight;
    return bar;
}

int nextBarTop(const TitleBar& bar, bool showsObjects, int lowestObjectBottom, const Metrics& metrics) {
    return (showsObjects ? lowestObjectBottom : bar.contentTop) + metrics.barSpacing;
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

TreeLine treeLine(int scrollPos, int endTop, const Metrics& m) {
    return TreeLine{m.treeX, m.treeLineStartDown - scrollPos, endTop - m.connectorDown};
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

ToggleShift planToggleShift(int barTop, int nextBefore, int nextAfter, int contentEndBefore, int clientWidth,
                            int clientHeight, int scrollPos, const ScrollBarPlan& before,
                            const ScrollBarPlan& after) {
    ToggleShift shift;
    shift.inPlace = before.shown == after.shown && clampScroll(scrollPos, after.range) == scrollPos;
    shift.dy = nextAfter - nextBefore;
    shift.moved = KWBound(0, clientWidth, nextBefore, std::max(contentEndBefore, clientHeight));
    shift.clip = KWBound(0, clientWidth, std::min(nextBefore, nextAfter), clientHeight);
    shift.repaint = KWBound(0, clientWidth, barTop, std::min(nextBefore, nextAfter));
    return shift;
}

int scrolledPosition(ScrollRequest request, int position, int thumb, int range, int page,
                     const Metrics& metrics) {
    const int lineStep = metrics.lineStep;
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

int wheelPosition(int position, int delta, int linesPerNotch, int range, const Metrics& metrics) {
    // Computed in 64 bits: a large delta times a large line count must not overflow.
    const long long moved = static_cast<long long>(delta) * linesPerNotch * metrics.lineStep / wheelNotch;
    long long target = static_cast<long long>(position) - moved;
    if (target > range) {
        target = range;
    }
    return target < 0 ? 0 : static_cast<int>(target);
}

} // namespace rollout
} // namespace KW
