// What the user does with a dock: band and tab drags, floating captions, band buttons, splitters, the
// strips of auto-hidden panes and the keys, as DockState's methods; the procedures that decode the
// messages are in DockProcedures.cpp.
#include "windows/DockState.h"

#include "core/logic/DpiScale.h"
#include "windows/logic/HeaderBand.h"

#include <algorithm>
#include <commctrl.h>
#include <windowsx.h>

namespace KW {

namespace {

KWBound toScreen(HWND window, const KWBound& r) {
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(window, HWND_DESKTOP, corners, 2);
    return KWBound(corners[0].x, corners[1].x, corners[0].y, corners[1].y);
}

bool within(HWND outer, HWND window) {
    return outer && (window == outer || IsChild(outer, window));
}

} // namespace

bool DockState::userChanged(int number) {
    layout();
    Pane* pane = byNumber(number);
    if (!pane) {
        return true;
    }
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, pane->header->getHandle(), OBJID_WINDOW, CHILDID_SELF);
    return dock.notify(EVENT_CHANGED, pane->header->getId());
}

bool DockState::applyDrop(int number, const dock::Drop& drop) {
    if (!tree.insert(number, drop.side, drop.size, drop.target)) {
        return true;
    }
    return userChanged(number);
}

// Band drags ----------------------------------------------------------------------------------------

void DockState::beginPress(int number, HWND capture, POINT screen, bool doubleClick) {
    Pane* pane = byNumber(number);
    // The time of the press, not of its handling: a slow program still sees a double-click.
    const DWORD now = static_cast<DWORD>(GetMessageTime());
    const bool twice =
        doubleClick || (lastPressPane == number && now - lastPressTime <= GetDoubleClickTime() &&
                        std::abs(screen.x - lastPressAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                        std::abs(screen.y - lastPressAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2);
    lastPressPane = twice ? dock::noPane : number;
    lastPressTime = now;
    lastPressAt = screen;
    if (twice) {
        toggleFloat(*pane);
        return;
    }
    if (!allowed(*pane, DOCKPANE_NO_MOVE) || tree.maximized() != dock::noPane) {
        return;
    }
    cancelDrag();
    drag.pane = number;
    drag.start = screen;
    drag.capture = capture;
    if (capture) {
        SetCapture(capture);
    }
}

void DockState::dragTo(POINT screen) {
    if (drag.pane == dock::noPane) {
        return;
    }
    if (!drag.active) {
        if (std::abs(screen.x - drag.start.x) <= GetSystemMetrics(SM_CXDRAG) &&
            std::abs(screen.y - drag.start.y) <= GetSystemMetrics(SM_CYDRAG)) {
            return;
        }
        drag.active = true;
    }
    Pane* pane = byNumber(drag.pane);
    POINT inDock = screen;
    ScreenToClient(dock.getHandle(), &inDock);
    const KWBound area = clientArea();
    drag.outside =
        inDock.x < area.left || inDock.x >= area.right || inDock.y < area.top || inDock.y >= area.bottom;
    drag.drop = dock::Drop();
    if (!drag.outside) {
        drag.drop = dock::hitTest(tree, arranged, drag.pane, inDock.x, inDock.y, metrics());
        showPreview(toScreen(dock.getHandle(), dock::previewOf(tree, drag.pane, drag.drop, area, metrics())));
        return;
    }
    const dock::PaneState* s = tree.state(drag.pane);
    if (!allowed(*pane, DOCKPANE_NO_FLOAT) || s->floating) {
        drag.outside = false;
        showPreview(KWBound());
        return;
    }
    RECT now = {};
    GetWindowRect(pane->header->getHandle(), &now);
    showPreview(
        KWBound(screen.x, screen.x + (now.right - now.left), screen.y, screen.y + (now.bottom - now.top)));
}

bool DockState::finishDrag(POINT screen) {
    if (drag.pane == dock::noPane) {
        return true;
    }
    dragTo(screen);
    const PaneDrag done = drag;
    drag.pane = dock::noPane;
    drag.active = false;
    showPreview(KWBound());
    if (done.capture && GetCapture() == done.capture) {
        ReleaseCapture();
    }
    if (!done.active) {
        return true;
    }
    // A press that dragged is no first click of a double-click.
    lastPressPane = dock::noPane;
    if (done.drop.valid) {
        return applyDrop(done.pane, done.drop);
    }
    if (done.outside) {
        Pane* pane = byNumber(done.pane);
        RECT now = {};
        GetWindowRect(pane->header->getHandle(), &now);
        KWBound rect(screen.x, screen.x + (now.right - now.left), screen.y,
                     screen.y + (now.bottom - now.top));
        fitOnWorkArea(rect);
        tree.setFloating(done.pane, rect);
        return userChanged(done.pane);
    }
    return true;
}

void DockState::cancelDrag() {
    const PaneDrag done = drag;
    drag = PaneDrag();
    showPreview(KWBound());
    if (done.capture && GetCapture() == done.capture) {
        ReleaseCapture();
    }
}

// Band buttons and double-clicks ---------------------------------------------------------------------

bool DockState::userClose(Pane& pane) {
    if (!allowed(pane, DOCKPANE_NO_CLOSE)) {
        return true;
    }
    const int number = pane.number;
    if (closeHandler) {
        const std::shared_ptr<const bool> alive = dock.lifeFlag();
        const bool approved = closeHandler(pane.header);
        if (!*alive) {
            return false;
        }
        if (!approved || !byNumber(number)) {
            return true;
        }
    }
    if (!tree.close(number)) {
        return true;
    }
    return userChanged(number);
}

bool DockState::toggleFloat(Pane& pane) {
    const dock::PaneState* s = tree.state(pane.number);
    if (s->floating) {
        if (locked) {
            return true;
        }
        tree.dockBack(pane.number);
        return userChanged(pane.number);
    }
    if (!allowed(pane, DOCKPANE_NO_FLOAT)) {
        return true;
    }
    RECT now = {};
    GetWindowRect(pane.header->getHandle(), &now);
    KWBound rect(now);
    fitOnWorkArea(rect);
    tree.setFloating(pane.number, rect);
    return userChanged(pane.number);
}

bool DockState::pressButton(Pane& pane, Button button) {
    const int number = pane.number;
    switch (button) {
    case CloseButton:
        return userClose(pane);
    case MaximizeButton:
        if (tree.maximized() == number) {
            tree.restore();
        } else {
            tree.maximize(number);
        }
        return userChanged(number);
    default:
        tree.setAutoHide(number, true, metrics(), clientArea());
        return userChanged(number);
    }
}

// Splitters ------------------------------------------------------------------------------------------

int DockState::gapAt(int x, int y) const {
    for (std::size_t i = 0; i < arranged.gaps.size(); ++i) {
        const KWBound& r = arranged.gaps[i].rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DockState::setGapCursor(int gap) const {
    // The same shared system cursors as a window's splitters.
    static const HCURSOR acrossColumns = LoadCursorA(nullptr, IDC_SIZEWE);
    static const HCURSOR acrossRows = LoadCursorA(nullptr, IDC_SIZENS);
    const HCURSOR cursor = arranged.gaps[gap].vertical ? acrossColumns : acrossRows;
    if (GetCursor() != cursor) {
        SetCursor(cursor);
    }
}

// Strips and keys --------------------------------------------------------------------------------------

bool DockState::clickStrip(int x, int y) {
    for (const dock::HideTab& tab : arranged.hideTabs) {
        const KWBound& r = tab.rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            tree.slideOut(arranged.slid == tab.pane ? dock::noPane : tab.pane);
            layout();
            if (Pane* pane = byNumber(tab.pane)) {
                if (arranged.slid == tab.pane) {
                    SetFocus(pane->header->getHandle());
                }
            }
            return true;
        }
    }
    return false;
}

void DockState::slideBack() {
    if (tree.slidOut() != dock::noPane) {
        tree.slideOut(dock::noPane);
        layout();
    }
}

int DockState::focusedPane() const {
    const HWND focus = GetFocus();
    for (const Pane& pane : panes) {
        if (within(pane.header->getHandle(), focus)) {
            return pane.number;
        }
    }
    return dock::noPane;
}

void DockState::focusPane(int number) {
    const dock::PaneState* s = tree.state(number);
    if (s->autoHidden) {
        tree.slideOut(number);
    } else {
        tree.slideOut(dock::noPane);
        tree.select(number);
    }
    layout();
    SetFocus(byNumber(number)->header->getHandle());
}

bool DockState::key(UINT vk, bool ctrl, bool shift, bool alt) {
    if (vk == VK_ESCAPE && !ctrl && !alt) {
        if (drag.pane != dock::noPane) {
            cancelDrag();
            return true;
        }
        if (tree.slidOut() != dock::noPane) {
            slideBack();
            return true;
        }
        return false;
    }
    const int focused = focusedPane();
    if (vk == VK_TAB && ctrl && !alt) {
        std::vector<int> order;
        for (int pane : tree.order()) {
            const dock::PaneState* s = tree.state(pane);
            if (s->shown && !s->floating && (tree.maximized() == dock::noPane || tree.maximized() == pane)) {
                order.push_back(pane);
            }
        }
        if (order.empty()) {
            return false;
        }
        const auto at = std::find(order.begin(), order.end(), focused);
        const int count = static_cast<int>(order.size());
        int index = at == order.end() ? (shift ? count - 1 : 0) : static_cast<int>(at - order.begin());
        if (at != order.end()) {
            index = (index + (shift ? count - 1 : 1)) % count;
        }
        focusPane(order[index]);
        return true;
    }
    if (alt && shift && !ctrl && focused != dock::noPane &&
        (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN)) {
        Pane* pane = byNumber(focused);
        if (!allowed(*pane, DOCKPANE_NO_MOVE)) {
            return true;
        }
        const eDockSide side = vk == VK_LEFT    ? DOCK_LEFT
                               : vk == VK_RIGHT ? DOCK_RIGHT
                               : vk == VK_UP    ? DOCK_TOP
                                                : DOCK_BOTTOM;
        const bool columns = side == DOCK_LEFT || side == DOCK_RIGHT;
        const KWBound area = clientArea();
        const dock::Tile* tile = dock::tileOf(arranged, focused);
        const int half = (columns ? area.right - area.left : area.bottom - area.top) / 2;
        const int earlier =
            tile ? (columns ? tile->rect.right - tile->rect.left : tile->rect.bottom - tile->rect.top)
                 : half / 2;
        tree.restore();
        dock::Drop drop;
        drop.valid = true;
        drop.side = side;
        drop.size = std::min(earlier, half);
        if (!applyDrop(focused, drop)) {
            return true;
        }
        SetFocus(pane->header->getHandle());
        return true;
    }
    return false;
}

} // namespace KW
