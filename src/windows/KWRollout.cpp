#include "KWRollout.h"
#include "core/TabOrder.h"

#include "core/DpiFonts.h"
#include "windows/logic/RolloutLayout.h"
#include "core/WideText.h"
#include "core/Theme.h"
#include "core/GadgetAccessible.h"

#include <algorithm>
#include <limits>
#include <new>
#include <windowsx.h>
#include <oleacc.h>

namespace KW {

namespace {

void drawLine(HDC hdc, int x1, int y1, int x2, int y2) {
    MoveToEx(hdc, x1, y1, nullptr);
    LineTo(hdc, x2, y2);
}

void drawRectangle(HDC hdc, const KWBound& edges) {
    Rectangle(hdc, edges.left, edges.top, edges.right, edges.bottom);
}

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

KWRollout* KWRollout::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWRollout cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWRollout(x, y, width, height, parent, id);
}

KWRollout::KWRollout(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_ROLLOUT, parent, id), layoutDirty(true), scrollPos(0), scrollRange(0) {
    HWND window =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"KWWINDOW", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, x, y, width,
                        height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "Rollout creation failed !")) {
        subclassWindow(KWRolloutCallback);
        setDefaultFont(handle);
    }
}

// The records go first; the gadgets they name are children and die with the base.
KWRollout::~KWRollout() {
    rollouts.clear();
}

void KWRollout::addRollout(int id, const std::string& title) {
    KWRolloutItem item;
    item.title = title;
    item.id = id;
    item.expanded = false;
    rollouts.push_back(item);
    layoutDirty = true;
}

void KWRollout::addObject(int rolloutId, int x, int y, KWObject* object) {
    if (!object) {
        return;
    }
    for (KWRolloutItem& item : rollouts) {
        if (item.id != rolloutId) {
            continue;
        }
        watchDeletions();
        item.objects.push_back(KWRolloutObject{object, x, y});
        if (!item.expanded) {
            object->setVisible(false);
        }
        layoutDirty = true;
    }
}

void KWRollout::forgetGadget(KWObject* gadget) {
    bool placed = false;
    for (KWRolloutItem& item : rollouts) {
        const auto before = item.objects.size();
        item.objects.remove_if([gadget](const KWRolloutObject& record) { return record.object == gadget; });
        placed = placed || item.objects.size() != before;
    }
    if (placed) {
        layoutDirty = true;
        InvalidateRect(handle, nullptr, TRUE);
    }
}

int KWRollout::accessibleChildCount() const {
    return static_cast<int>(rollouts.size());
}

bool KWRollout::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child == 0) {
        element.role = ROLE_SYSTEM_PANE;
        element.name = getAccessibleName();
        element.screen = screenRect();
        return true;
    }
    if (child < 0 || child > accessibleChildCount()) {
        return false;
    }
    const KWRolloutItem& item = *std::next(rollouts.begin(), child - 1);
    element.role = ROLE_SYSTEM_GROUPING;
    element.name = item.title;
    element.state = item.expanded ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    element.defaultAction = item.expanded ? "Collapse" : "Expand";
    if (GetFocus() == handle && static_cast<std::size_t>(child - 1) == keyboardSection) {
        element.state |= STATE_SYSTEM_FOCUSED;
    }
    element.screen = barFrame(static_cast<std::size_t>(child - 1));
    MapWindowPoints(handle, HWND_DESKTOP, reinterpret_cast<POINT*>(&element.screen), 2);
    return true;
}

RECT KWRollout::barFrame(std::size_t index) const {
    // Where the next paint puts it.
    RECT client = {};
    GetClientRect(handle, &client);
    const rollout::Metrics metrics = rollout::metricsAt(getDpi());
    std::vector<int> barTops;
    std::vector<rollout::GadgetPlacement> placements;
    layOut(metrics, client.right, barTops, placements);
    if (index >= barTops.size()) {
        return RECT{0, 0, 0, 0};
    }
    return rollout::titleBarAt(barTops[index], client.right, metrics).frame.toRect();
}

void KWRollout::noteToggleBoxes(const std::vector<int>& barTops, int clientWidth,
                                const rollout::Metrics& metrics) {
    std::size_t index = 0;
    for (KWRolloutItem& item : rollouts) {
        item.toggleBox = rollout::titleBarAt(barTops[index++], clientWidth, metrics).toggleBox;
    }
}

void KWRollout::moveKeyboardSection(std::size_t index) {
    if (index >= rollouts.size()) {
        return;
    }
    const RECT before = barFrame(keyboardSection);
    keyboardSection = index;
    const RECT after = barFrame(keyboardSection);
    InvalidateRect(handle, &before, TRUE);
    InvalidateRect(handle, &after, TRUE);
    if (GetFocus() == handle) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, static_cast<LONG>(index + 1));
    }
}

bool KWRollout::keyPressed(WPARAM key) {
    const std::size_t count = rollouts.size();
    if (count == 0) {
        return false;
    }
    switch (key) {
    case VK_UP:
        moveKeyboardSection(keyboardSection > 0 ? keyboardSection - 1 : 0);
        return true;
    case VK_DOWN:
        moveKeyboardSection(std::min(keyboardSection + 1, count - 1));
        return true;
    case VK_HOME:
        moveKeyboardSection(0);
        return true;
    case VK_END:
        moveKeyboardSection(count - 1);
        return true;
    case VK_SPACE:
    case VK_RETURN:
        keyboardSection = std::min(keyboardSection, count - 1);
        userToggle(*std::next(rollouts.begin(), static_cast<std::ptrdiff_t>(keyboardSection)),
                   keyboardSection);
        return true;
    default:
        return false;
    }
}

bool KWRollout::doAccessibleDefault(int child) {
    if (child < 1 || child > accessibleChildCount()) {
        return false;
    }
    userToggle(*std::next(rollouts.begin(), child - 1), static_cast<std::size_t>(child - 1));
    return true;
}

LRESULT CALLBACK KWRollout::KWRolloutCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT served = 0;
    if (accessibility::serve(window, msg, wParam, lParam, served)) {
        return served;
    }
    handleDefaults(window, msg, wParam, lParam);
    LRESULT controlAnswer = 0;
    if (answerForControl(msg, wParam, lParam, controlAnswer)) {
        return controlAnswer;
    }
    KWRollout* self = static_cast<KWRollout*>(fromHandle(window));
    if (!self) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return self->handleMessage(msg, wParam, lParam);
}

LRESULT KWRollout::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_VSCROLL:
        onScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        break;
    case WM_MOUSEWHEEL:
        // Handled here, so the parent does not scroll as well.
        onWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_LBUTTONUP:
        if (!hitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (keyPressed(wParam)) {
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const RECT bar = barFrame(keyboardSection);
        InvalidateRect(handle, &bar, TRUE);
        if (msg == WM_SETFOCUS && !rollouts.empty()) {
            NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, static_cast<LONG>(keyboardSection + 1));
        }
        break;
    }
    case WM_SIZE:
        layoutDirty = true;
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC hdc = BeginPaint(handle, &paint);
        drawRollouts(hdc);
        EndPaint(handle, &paint);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(handle, msg, wParam, lParam);
}

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

bool KWRollout::hitTest(int x, int y) {
    size_t index = 0;
    for (KWRolloutItem& item : rollouts) {
        if (rollout::contains(item.toggleBox, x, y)) {
            moveKeyboardSection(index);
            return userToggle(item, index);
        }
        ++index;
    }
    return true;
}

bool KWRollout::userToggle(KWRolloutItem& item, size_t index) {
    toggle(item, index);
    return notify(EVENT_CHANGED, item.id);
}

bool KWRollout::isOpen(int rolloutId) const {
    for (const KWRolloutItem& item : rollouts) {
        if (item.id == rolloutId) {
            return item.expanded;
        }
    }
    return false;
}

void KWRollout::setOpen(int rolloutId, bool open) {
    size_t index = 0;
    for (const KWRolloutItem& item : rollouts) {
        if (item.id == rolloutId) {
            setOpenAt(index, open);
        }
        ++index;
    }
}

void KWRollout::setOpenAt(size_t index, bool open) {
    KWRolloutItem& item = *std::next(rollouts.begin(), static_cast<std::ptrdiff_t>(index));
    if (item.expanded != open) {
        toggle(item, index);
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

// The gadgets' offsets, the toggle boxes and the scroll position are lengths like the bounds the core
// has just scaled; the next paint lays everything out exactly at the new DPI.
void KWRollout::dpiChanged(int oldDpi, int newDpi) {
    for (KWRolloutItem& item : rollouts) {
        for (KWRolloutObject& placed : item.objects) {
            placed.x = dpi::rescaled(placed.x, oldDpi, newDpi);
            placed.y = dpi::rescaled(placed.y, oldDpi, newDpi);
        }
        KWBound& box = item.toggleBox;
        box = KWBound(dpi::rescaled(box.left, oldDpi, newDpi), dpi::rescaled(box.right, oldDpi, newDpi),
                      dpi::rescaled(box.top, oldDpi, newDpi), dpi::rescaled(box.bottom, oldDpi, newDpi));
    }
    // The range first: the platform would clamp the new position to the old range.
    if (scrollRange > 0) {
        scrollRange = dpi::rescaled(scrollRange, oldDpi, newDpi);
        SetScrollRange(handle, SB_VERT, 0, scrollRange, FALSE);
    }
    scrollPos = dpi::rescaled(scrollPos, oldDpi, newDpi);
    SetScrollPos(handle, SB_VERT, scrollPos, FALSE);
    layoutDirty = true;
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
