// The rollout's paint and the placement of its sections' gadgets: every paint lays the sections out
// from the scroll position down; a toggle moves what follows the section on screen where it can.
#include "KWRollout.h"

#include "core/DpiFonts.h"
#include "core/Theme.h"
#include "core/WideText.h"
#include "windows/logic/RolloutLayout.h"

#include <algorithm>
#include <limits>

namespace KW {

namespace {

void drawLine(HDC hdc, int x1, int y1, int x2, int y2) {
    MoveToEx(hdc, x1, y1, nullptr);
    LineTo(hdc, x2, y2);
}

void drawRectangle(HDC hdc, const KWBound& edges) {
    Rectangle(hdc, edges.left, edges.top, edges.right, edges.bottom);
}

// Notes where one section's gadgets go when its bar's top edge is at top; returns where the next
// section starts.
int layOutSection(const KWRolloutItem& item, int top, int clientWidth, const rollout::Metrics& metrics,
                  std::vector<rollout::GadgetPlacement>& placements) {
    const rollout::TitleBar bar = rollout::titleBarAt(top, clientWidth, metrics);
    int lowestBottom = std::numeric_limits<int>::min();
    for (const KWRolloutObject& placed : item.objects) {
        const int y = bar.contentTop + placed.y;
        rollout::placeGadget(placements, rollout::GadgetPlacement{placed.object, item.expanded, placed.x, y});
        if (item.expanded) {
            const KWBound bounds = placed.object->getLocalBounds();
            lowestBottom = std::max(lowestBottom, y + bounds.bottom - bounds.top);
        }
    }
    return rollout::nextBarTop(bar, item.expanded && !item.objects.empty(), lowestBottom, metrics);
}

// Draws one section's title bar with its top edge at top.
void drawSection(HDC hdc, const KWRolloutItem& item, int top, int clientWidth,
                 const rollout::Metrics& metrics) {
    const rollout::TitleBar bar = rollout::titleBarAt(top, clientWidth, metrics);
    drawRectangle(hdc, bar.frame);
    const std::wstring title = text::wide(item.title);
    TextOutW(hdc, bar.textX, bar.textY, title.c_str(), static_cast<int>(title.size()));
    drawRectangle(hdc, bar.box);
    if (!item.expanded) {
        drawLine(hdc, bar.plusX, bar.box.top, bar.plusX, bar.box.bottom);
    }
    drawLine(hdc, bar.box.left, bar.minusY, bar.box.right, bar.minusY);
    drawLine(hdc, bar.connectorLeft, bar.connectorY, bar.frame.left, bar.connectorY);
}

bool windowShown(KWObject* gadget) {
    return (GetWindowLongPtrW(gadget->getHandle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT toRect(const KWBound& edges) {
    RECT rect = {edges.left, edges.top, edges.right, edges.bottom};
    return rect;
}

// Only what changes is touched: moving or hiding a gadget makes the rollout repaint, and a paint that
// moved a gadget back and forth would never end.
void placeGadgets(const std::vector<rollout::GadgetPlacement>& placements) {
    for (const rollout::GadgetPlacement& placement : placements) {
        KWObject* gadget = placement.gadget;
        const bool shown = windowShown(gadget);
        if (placement.shown) {
            const KWBound bounds = gadget->getLocalBounds();
            if (bounds.left != placement.x || bounds.top != placement.y) {
                gadget->setPosition(placement.x, placement.y);
            }
            if (!shown || !gadget->isVisible()) {
                gadget->setVisible(true);
            }
        } else if (shown || gadget->isVisible()) {
            gadget->setVisible(false);
        }
    }
}

} // namespace

int KWRollout::layOut(const rollout::Metrics& metrics, int clientWidth, std::vector<int>& barTops,
                      std::vector<rollout::GadgetPlacement>& placements) const {
    int top = rollout::firstBarTop(scrollPos, metrics);
    for (const KWRolloutItem& item : rollouts) {
        barTops.push_back(top);
        top = layOutSection(item, top, clientWidth, metrics, placements);
    }
    return top;
}

void KWRollout::drawRollouts(HDC hdc) {
    const KWBound client = getGlobalBounds();
    const int displayDpi = getDpi();
    const rollout::Metrics metrics = rollout::metricsAt(displayDpi);
    std::vector<int> barTops;
    std::vector<rollout::GadgetPlacement> placements;
    const int end = layOut(metrics, client.right, barTops, placements);
    noteToggleBoxes(barTops, client.right, metrics);

    const KWTheme& colors = theme::current();
    HBRUSH brush = CreateSolidBrush(colors.rolloutBar);
    HPEN pen = CreatePen(PS_SOLID, 1, colors.rolloutLine);
    const COLORREF previousText = SetTextColor(hdc, colors.text);
    HGDIOBJ previousBrush = SelectObject(hdc, brush);
    HGDIOBJ previousPen = SelectObject(hdc, pen);
    HGDIOBJ previousFont = SelectObject(hdc, dpi::guiFont(displayDpi));
    const int previousMode = SetBkMode(hdc, TRANSPARENT);
    size_t index = 0;
    for (const KWRolloutItem& item : rollouts) {
        drawSection(hdc, item, barTops[index++], client.right, metrics);
    }
    if (GetFocus() == handle && keyboardSection < barTops.size()) {
        RECT mark = rollout::titleBarAt(barTops[keyboardSection], client.right, metrics).frame.toRect();
        InflateRect(&mark, -2, -2);
        DrawFocusRect(hdc, &mark);
    }
    const rollout::TreeLine tree = rollout::treeLine(scrollPos, end, metrics);
    drawLine(hdc, tree.x, tree.top, tree.x, tree.bottom);

    SetTextColor(hdc, previousText);
    SetBkMode(hdc, previousMode);
    SelectObject(hdc, previousFont);
    SelectObject(hdc, previousPen);
    SelectObject(hdc, previousBrush);
    DeleteObject(pen);
    DeleteObject(brush);

    placeGadgets(placements);
    if (layoutDirty) {
        updateScrollBar(rollout::contentHeight(end, scrollPos), client.bottom);
    }
}

void KWRollout::noteToggleBoxes(const std::vector<int>& barTops, int clientWidth,
                                const rollout::Metrics& metrics) {
    std::size_t index = 0;
    for (KWRolloutItem& item : rollouts) {
        item.toggleBox = rollout::titleBarAt(barTops[index++], clientWidth, metrics).toggleBox;
    }
}

void KWRollout::toggle(KWRolloutItem& item, size_t index) {
    const KWBound client = getGlobalBounds();
    const rollout::Metrics metrics = rollout::metricsAt(getDpi());
    std::vector<int> topsBefore;
    std::vector<rollout::GadgetPlacement> placementsBefore;
    const int endBefore = layOut(metrics, client.right, topsBefore, placementsBefore);
    item.expanded = !item.expanded;
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, handle, OBJID_CLIENT, static_cast<LONG>(index + 1));
    std::vector<int> topsAfter;
    std::vector<rollout::GadgetPlacement> placements;
    const int endAfter = layOut(metrics, client.right, topsAfter, placements);
    noteToggleBoxes(topsAfter, client.right, metrics);

    const int nextBefore = index + 1 < topsBefore.size() ? topsBefore[index + 1] : endBefore;
    const int nextAfter = index + 1 < topsAfter.size() ? topsAfter[index + 1] : endAfter;
    const rollout::ScrollBarPlan before{scrollRange > 0, scrollRange};
    const rollout::ScrollBarPlan after =
        rollout::planScrollBar(rollout::contentHeight(endAfter, scrollPos), client.bottom);
    const rollout::ToggleShift shift =
        rollout::planToggleShift(topsBefore[index], nextBefore, nextAfter, endBefore, client.right,
                                 client.bottom, scrollPos, before, after);
    // What is on screen matches the layout above only when the last paint is complete.
    RECT pending = {};
    if (layoutDirty || !shift.inPlace || !IsWindowVisible(handle) || GetUpdateRect(handle, &pending, FALSE)) {
        layoutDirty = true;
        InvalidateRect(handle, nullptr, TRUE);
        return;
    }
    // Everything after the section moves on screen instead of being placed and painted again. The
    // section's gadgets that go away vanish unpainted: the move or the repaint covers where they were.
    for (const rollout::GadgetPlacement& placement : placements) {
        if (placement.shown || !windowShown(placement.gadget)) {
            continue;
        }
        const KWBound bounds = placement.gadget->getLocalBounds();
        if (bounds.top >= topsBefore[index] && bounds.bottom <= nextBefore) {
            SetWindowPos(placement.gadget->getHandle(), nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                             SWP_NOREDRAW);
        }
    }
    if (shift.dy != 0) {
        // The shown gadgets in the part that moves go first, unpainted: their pixels move with the rest, and
        // only what comes into view is painted. Hidden ones are placed when they are shown again.
        for (const rollout::GadgetPlacement& placement : placements) {
            if (!placement.shown || !windowShown(placement.gadget)) {
                continue;
            }
            const KWBound bounds = placement.gadget->getLocalBounds();
            if (bounds.top >= shift.moved.top && bounds.left == placement.x &&
                bounds.top + shift.dy == placement.y) {
                SetWindowPos(placement.gadget->getHandle(), nullptr, placement.x, placement.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_DEFERERASE);
            }
        }
        const RECT moved = toRect(shift.moved);
        const RECT clip = toRect(shift.clip);
        ScrollWindowEx(handle, 0, shift.dy, &moved, &clip, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    }
    const RECT repaint = toRect(shift.repaint);
    InvalidateRect(handle, &repaint, TRUE);
    placeGadgets(placements);
    if (after.range != scrollRange) {
        scrollRange = after.range;
        SetScrollRange(handle, SB_VERT, 0, scrollRange, TRUE);
    }
}

} // namespace KW
