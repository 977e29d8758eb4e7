// The rollout's vertical scrolling: the scroll bar, its requests and the mouse wheel.
#include "KWRollout.h"

#include "windows/logic/RolloutLayout.h"

namespace KW {

namespace {

rollout::ScrollRequest scrollRequest(int code) {
    switch (code) {
    case SB_LINEUP:
        return rollout::ScrollRequest::LineUp;
    case SB_LINEDOWN:
        return rollout::ScrollRequest::LineDown;
    case SB_PAGEUP:
        return rollout::ScrollRequest::PageUp;
    case SB_PAGEDOWN:
        return rollout::ScrollRequest::PageDown;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return rollout::ScrollRequest::Thumb;
    case SB_TOP:
        return rollout::ScrollRequest::Top;
    case SB_BOTTOM:
        return rollout::ScrollRequest::Bottom;
    default:
        return rollout::ScrollRequest::Other;
    }
}

} // namespace

void KWRollout::updateScrollBar(int contentHeight, int clientHeight) {
    const rollout::ScrollBarPlan plan = rollout::planScrollBar(contentHeight, clientHeight);
    layoutDirty = false;
    scrollRange = plan.range;
    if (!plan.shown) {
        EnableScrollBar(handle, SB_VERT, ESB_DISABLE_BOTH);
        ShowScrollBar(handle, SB_VERT, FALSE);
        scrollPos = 0;
    } else {
        ShowScrollBar(handle, SB_VERT, TRUE);
        EnableScrollBar(handle, SB_VERT, ESB_ENABLE_BOTH);
        SetScrollRange(handle, SB_VERT, 0, plan.range, TRUE);
        scrollPos = rollout::clampScroll(GetScrollPos(handle, SB_VERT), plan.range);
    }
    InvalidateRect(handle, nullptr, TRUE);
}

void KWRollout::onScroll(int request, int thumb) {
    const rollout::ScrollRequest kind = scrollRequest(request);
    if (kind == rollout::ScrollRequest::Other) {
        return;
    }
    scrollTo(rollout::scrolledPosition(kind, scrollPos, thumb, scrollRange, getGlobalBounds().bottom,
                                       rollout::metricsAt(getDpi())));
}

void KWRollout::onWheel(int delta) {
    UINT linesPerNotch = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
    if (linesPerNotch == WHEEL_PAGESCROLL) {
        // The user asked for a screen per notch.
        const rollout::ScrollRequest page =
            delta > 0 ? rollout::ScrollRequest::PageUp : rollout::ScrollRequest::PageDown;
        scrollTo(rollout::scrolledPosition(page, scrollPos, 0, scrollRange, getGlobalBounds().bottom));
        return;
    }
    scrollTo(rollout::wheelPosition(scrollPos, delta, static_cast<int>(linesPerNotch), scrollRange,
                                    rollout::metricsAt(getDpi())));
}

void KWRollout::scrollTo(int position) {
    if (position == scrollPos) {
        return;
    }
    scrollPos = position;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(handle, SB_VERT, &info, TRUE);
    InvalidateRect(handle, nullptr, TRUE);
}

} // namespace KW
