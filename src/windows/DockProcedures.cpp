// The dock's own part of its window's messages (after the shared routing), the procedures of the windows
// it takes over or makes (its panes, tab strips and floating windows) and the thread's message hook for
// its keys. Each decodes a message and calls a DockState method.
#include "windows/DockState.h"

#include "core/logic/DpiScale.h"
#include "windows/logic/HeaderBand.h"

#include <algorithm>
#include <commctrl.h>
#include <windowsx.h>

namespace KW {

namespace {

const UINT slideBackMessage = WM_APP + 0x4B1;
HHOOK hook = nullptr;

POINT cursorAt(LPARAM lParam, HWND window) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &point);
    return point;
}

bool within(HWND outer, HWND window) {
    return outer && (window == outer || IsChild(outer, window));
}

void drawGlyph(const DRAWITEMSTRUCT& item, int button, bool maximized) {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r,
             GetSysColorBrush((item.itemState & ODS_SELECTED) ? COLOR_3DSHADOW : COLOR_BTNFACE));
    const HGDIOBJ pen = SelectObject(item.hDC, GetStockObject(BLACK_PEN));
    const HGDIOBJ brush = SelectObject(item.hDC, GetStockObject(NULL_BRUSH));
    const int w = r.right - r.left;
    const int m = w / 4;
    if (button == DockState::CloseButton) {
        MoveToEx(item.hDC, r.left + m, r.top + m, nullptr);
        LineTo(item.hDC, r.right - m, r.bottom - m);
        MoveToEx(item.hDC, r.right - m - 1, r.top + m, nullptr);
        LineTo(item.hDC, r.left + m - 1, r.bottom - m);
    } else if (button == DockState::MaximizeButton) {
        Rectangle(item.hDC, r.left + m, r.top + m, r.right - m, r.bottom - m);
        if (maximized) {
            Rectangle(item.hDC, r.left + m + 2, r.top + m - 2, r.right - m + 2, r.bottom - m - 2);
        }
    } else {
        Rectangle(item.hDC, r.left + w / 2 - 2, r.top + m, r.left + w / 2 + 2, r.top + w / 2 + 1);
        MoveToEx(item.hDC, r.left + m, r.top + w / 2 + 1, nullptr);
        LineTo(item.hDC, r.right - m, r.top + w / 2 + 1);
        MoveToEx(item.hDC, r.left + w / 2, r.top + w / 2 + 1, nullptr);
        LineTo(item.hDC, r.left + w / 2, r.bottom - m);
    }
    SelectObject(item.hDC, brush);
    SelectObject(item.hDC, pen);
}

} // namespace

std::vector<DockState*>& DockState::live() {
    static std::vector<DockState*> docks;
    return docks;
}

void DockState::adopt(Pane& pane) {
    const HWND window = pane.header->getHandle();
    SetWindowSubclass(window, paneProc, 0, reinterpret_cast<DWORD_PTR>(this));
    // The band's buttons are children of the pane: the band's paint must not cover them.
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CLIPCHILDREN);
    if (live().empty() && !hook) {
        hook = SetWindowsHookExW(WH_GETMESSAGE, messageHook, nullptr, GetCurrentThreadId());
    }
    if (std::find(live().begin(), live().end(), this) == live().end()) {
        live().push_back(this);
    }
}

void DockState::leave() {
    if (preview) {
        DestroyWindow(preview);
        preview = nullptr;
    }
    live().erase(std::remove(live().begin(), live().end(), this), live().end());
    if (live().empty() && hook) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

// Procedures -------------------------------------------------------------------------------------------

LRESULT CALLBACK DockState::messageHook(int code, WPARAM wParam, LPARAM lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg) {
        const std::vector<DockState*> docks = live();
        for (DockState* state : docks) {
            const HWND dockWindow = state->dock.getHandle();
            if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
                bool inside = within(dockWindow, GetFocus());
                for (const Pane& pane : state->panes) {
                    inside = inside || within(pane.floatWindow, GetFocus());
                }
                if ((inside || state->drag.pane != dock::noPane) &&
                    state->key(static_cast<UINT>(msg->wParam), GetKeyState(VK_CONTROL) < 0,
                               GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0)) {
                    msg->message = WM_NULL;
                    break;
                }
            } else if (msg->message == WM_LBUTTONDOWN || msg->message == WM_NCLBUTTONDOWN ||
                       msg->message == WM_RBUTTONDOWN) {
                const Pane* slid = state->byNumber(state->tree.slidOut());
                if (slid && msg->hwnd != dockWindow && !within(slid->header->getHandle(), msg->hwnd)) {
                    PostMessageW(dockWindow, slideBackMessage, 0, 0);
                }
            }
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CALLBACK DockState::paneProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
    DockState* self = reinterpret_cast<DockState*>(data);
    Pane* pane = self->byWindow(window);
    if (!pane) {
        return DefSubclassProc(window, msg, wParam, lParam);
    }
    const int number = pane->number;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The window's class reports a quick second press as a double-click; beginPress knows it too.
        if (GET_Y_LPARAM(lParam) < header::bandAt(self->dock.getDpi()).height) {
            DefSubclassProc(window, msg, wParam, lParam);
            if (self->byNumber(number)) {
                self->beginPress(number, window, cursorAt(lParam, window), msg == WM_LBUTTONDBLCLK);
            }
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (self->drag.pane == number && self->drag.capture == window) {
            self->dragTo(cursorAt(lParam, window));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (self->drag.pane == number && self->drag.capture == window) {
            self->finishDrag(cursorAt(lParam, window));
            return 0;
        }
        break;
    case WM_RBUTTONDOWN:
        if (self->drag.pane == number) {
            self->cancelDrag();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (self->drag.pane == number && self->drag.capture == window &&
            reinterpret_cast<HWND>(lParam) != window) {
            self->cancelDrag();
        }
        break;
    case WM_COMMAND:
        for (int i = 0; i < ButtonCount; ++i) {
            // An owner-drawn button reports a quick second click as a double-click.
            if (reinterpret_cast<HWND>(lParam) == pane->buttons[i] &&
                (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)) {
                self->pressButton(*pane, static_cast<Button>(i));
                return 0;
            }
        }
        break;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        for (int i = 0; i < ButtonCount; ++i) {
            if (item->hwndItem == pane->buttons[i]) {
                drawGlyph(*item, i, self->tree.maximized() == number);
                return TRUE;
            }
        }
        break;
    }
    case WM_SETTEXT: {
        const LRESULT result = DefSubclassProc(window, msg, wParam, lParam);
        self->tabStripPanes.assign(self->tabStripPanes.size(), std::vector<int>());
        self->layout();
        if (pane->floatWindow) {
            SetWindowTextW(pane->floatWindow, reinterpret_cast<const wchar_t*>(lParam));
        }
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

LRESULT CALLBACK DockState::stripProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
    DockState* self = reinterpret_cast<DockState*>(data);
    switch (msg) {
    case WM_LBUTTONDOWN: {
        TCHITTESTINFO hit = {};
        hit.pt.x = GET_X_LPARAM(lParam);
        hit.pt.y = GET_Y_LPARAM(lParam);
        const int index =
            static_cast<int>(SendMessageW(window, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        const LRESULT result = DefSubclassProc(window, msg, wParam, lParam);
        const auto strip = std::find(self->tabStrips.begin(), self->tabStrips.end(), window);
        if (index >= 0 && strip != self->tabStrips.end()) {
            const std::vector<int>& group = self->tabStripPanes[strip - self->tabStrips.begin()];
            if (index < static_cast<int>(group.size())) {
                self->lastPressPane = dock::noPane;
                self->beginPress(group[index], window, cursorAt(lParam, window));
            }
        }
        return result;
    }
    case WM_MOUSEMOVE:
        if (self->drag.capture == window) {
            // The pane leaves its group only once the pointer leaves the strip.
            RECT strip = {};
            GetClientRect(window, &strip);
            const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (self->drag.active || !PtInRect(&strip, at)) {
                self->dragTo(cursorAt(lParam, window));
            }
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (self->drag.capture == window) {
            self->finishDrag(cursorAt(lParam, window));
            return 0;
        }
        break;
    case WM_RBUTTONDOWN:
        if (self->drag.capture == window) {
            self->cancelDrag();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (self->drag.capture == window && reinterpret_cast<HWND>(lParam) != window) {
            self->cancelDrag();
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

LRESULT CALLBACK DockState::floatProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    DockState* self = reinterpret_cast<DockState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    Pane* pane = self ? self->byWindow(window) : nullptr;
    if (!pane) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    const int number = pane->number;
    switch (msg) {
    case WM_SIZE:
    case WM_MOVE: {
        RECT client = {};
        GetClientRect(window, &client);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        dock::PaneState s = *self->tree.state(number);
        s.floatRect = KWBound(origin.x, origin.x + client.right, origin.y, origin.y + client.bottom);
        self->tree.setState(s);
        SetWindowPos(pane->header->getHandle(), nullptr, 0, 0, client.right, client.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    case WM_CLOSE:
        self->userClose(*pane);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION) {
            self->toggleFloat(*pane);
            return 0;
        }
        break;
    case WM_ENTERSIZEMOVE:
        if (!self->locked) {
            self->cancelDrag();
            self->drag.pane = number;
            self->drag.active = true;
        }
        break;
    case WM_MOVING:
        if (self->drag.pane == number) {
            POINT at = {};
            GetCursorPos(&at);
            self->dragTo(at);
        }
        break;
    case WM_EXITSIZEMOVE:
        if (self->drag.pane == number) {
            POINT at = {};
            GetCursorPos(&at);
            // Only a drop on a target docks it; anywhere else the window stays where it was moved.
            self->dragTo(at);
            self->drag.outside = false;
            self->finishDrag(at);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT KWDock::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    DockState& s = *state;
    switch (msg) {
    case WM_SIZE:
        s.resized(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(handle, &paint);
        s.paintStrips(dc);
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && (s.gapDragged >= 0 || s.hoveredGap >= 0)) {
            s.setGapCursor(s.gapDragged >= 0 ? s.gapDragged : s.hoveredGap);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE: {
        const int x = GET_X_LPARAM(lParam);
        const int y = GET_Y_LPARAM(lParam);
        if (s.gapDragged >= 0 && s.gapDragged < static_cast<int>(s.arranged.gaps.size())) {
            const dock::Gap gap = s.arranged.gaps[s.gapDragged];
            if (s.tree.dragGap(gap, gap.vertical ? x : y, s.metrics())) {
                s.layout();
                UpdateWindow(handle);
            }
            return 0;
        }
        s.hoveredGap = s.gapAt(x, y);
        if (s.hoveredGap >= 0) {
            s.setGapCursor(s.hoveredGap);
        }
        return 0;
    }
    case WM_LBUTTONDOWN: {
        const int x = GET_X_LPARAM(lParam);
        const int y = GET_Y_LPARAM(lParam);
        const int gap = s.gapAt(x, y);
        if (gap >= 0) {
            s.slideBack();
            s.gapDragged = gap;
            const dock::Gap& bar = s.arranged.gaps[gap];
            s.gapStartSize = bar.vertical ? bar.rect.left : bar.rect.top;
            SetCapture(handle);
            return 0;
        }
        if (!s.clickStrip(x, y)) {
            s.slideBack();
        }
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (s.gapDragged >= 0 && (msg == WM_LBUTTONUP || reinterpret_cast<HWND>(lParam) != handle)) {
            const int gap = s.gapDragged;
            s.gapDragged = -1;
            if (GetCapture() == handle) {
                ReleaseCapture();
            }
            const bool moved =
                gap < static_cast<int>(s.arranged.gaps.size()) &&
                (s.arranged.gaps[gap].vertical ? s.arranged.gaps[gap].rect.left
                                               : s.arranged.gaps[gap].rect.top) != s.gapStartSize;
            if (moved && !notify(EVENT_CHANGED, gap)) {
                return 0;
            }
        }
        return 0;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        const auto strip = std::find(s.tabStrips.begin(), s.tabStrips.end(), header->hwndFrom);
        if (header->code == TCN_SELCHANGE && strip != s.tabStrips.end()) {
            const std::vector<int>& group = s.tabStripPanes[strip - s.tabStrips.begin()];
            const int chosen = static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0));
            if (chosen >= 0 && chosen < static_cast<int>(group.size())) {
                const int pane = group[chosen];
                s.tree.select(pane);
                s.userChanged(pane);
            }
            return 0;
        }
        break;
    }
    default:
        if (msg == slideBackMessage) {
            s.slideBack();
            return 0;
        }
        break;
    }
    return KWObject::handleWindowMessage(window, msg, wParam, lParam);
}

} // namespace KW
