// The windows of a dock following its tree: panes, centre, tab strips, band buttons, floating tool
// windows, the drag preview and the strips of auto-hidden panes.
#include "windows/DockState.h"

#include "core/MoveBatch.h"
#include "core/WideText.h"
#include "windows/logic/HeaderBand.h"
#include "windows/logic/LayoutFit.h"

#include <algorithm>
#include <commctrl.h>

namespace KW {

namespace {

const wchar_t* const floatClass = L"KWDockFloat";
const wchar_t* const previewClass = L"KWDockPreview";
const int buttonSize = 16;
const int buttonSpace = 2;

LRESULT CALLBACK previewProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void registerClasses() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    WNDCLASSW floating = {};
    floating.style = CS_DBLCLKS;
    floating.lpfnWndProc = DockState::floatProc;
    floating.hInstance = GetModuleHandleW(nullptr);
    floating.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    floating.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    floating.lpszClassName = floatClass;
    RegisterClassW(&floating);
    WNDCLASSW preview = {};
    preview.lpfnWndProc = previewProc;
    preview.hInstance = GetModuleHandleW(nullptr);
    preview.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    preview.lpszClassName = previewClass;
    RegisterClassW(&preview);
}

const DWORD floatStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
const DWORD floatExStyle = WS_EX_TOOLWINDOW;

// Whether the window itself is shown, whatever its ancestors are: a dock laid out in a hidden window still
// hides what it must.
bool shownItself(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Moves a window only when its rectangle differs, so an unchanged pane is not repainted; a child of the
// dock joins the dock's open batch of moves unless it must change its place in the z-order.
void placeWindow(HWND window, const KWBound& r, HWND after = nullptr) {
    RECT now = {};
    GetWindowRect(window, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
    const bool same =
        now.left == r.left && now.top == r.top && now.right == r.right && now.bottom == r.bottom;
    if (same && shownItself(window) && !after) {
        return;
    }
    const UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | (same ? SWP_NOMOVE | SWP_NOSIZE : 0);
    if (after ||
        !moves::defer(window, r.left, r.top, r.right - r.left, r.bottom - r.top, flags | SWP_NOZORDER)) {
        SetWindowPos(window, after, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     flags | (after ? 0 : SWP_NOZORDER));
    }
}

// Whether only the given buttons lie above the window among its siblings.
bool aboveAllBut(HWND window, const HWND (&buttons)[DockState::ButtonCount]) {
    for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (std::find(std::begin(buttons), std::end(buttons), above) == std::end(buttons)) {
            return false;
        }
    }
    return true;
}

} // namespace

DockState::Pane* DockState::find(KWHeader* header) {
    for (Pane& pane : panes) {
        if (pane.header == header) {
            return &pane;
        }
    }
    return nullptr;
}

const DockState::Pane* DockState::find(KWHeader* header) const {
    return const_cast<DockState*>(this)->find(header);
}

DockState::Pane* DockState::byNumber(int number) {
    for (Pane& pane : panes) {
        if (pane.number == number) {
            return &pane;
        }
    }
    return nullptr;
}

DockState::Pane* DockState::byWindow(HWND window) {
    for (Pane& pane : panes) {
        if (window == pane.header->getHandle() || window == pane.floatWindow ||
            std::find(std::begin(pane.buttons), std::end(pane.buttons), window) != std::end(pane.buttons)) {
            return &pane;
        }
    }
    return nullptr;
}

KWBound DockState::clientArea() const {
    RECT client = {};
    GetClientRect(dock.getHandle(), &client);
    return KWBound(client);
}

dock::Metrics DockState::metrics() const {
    return dock::metricsAt(dock.getDpi());
}

std::string DockState::titleOf(int number) {
    Pane* pane = byNumber(number);
    return pane ? pane->header->getText() : std::string();
}

void DockState::layout() {
    if (!dock.getHandle()) {
        return;
    }
    const std::vector<KWBound> oldStrips = arranged.strips;
    arranged = tree.arrange(clientArea(), metrics());
    {
        moves::Batch batch(dock.getHandle());
        for (Pane& pane : panes) {
            const HWND window = pane.header->getHandle();
            const dock::PaneState* s = tree.state(pane.number);
            if (!window || !s) {
                continue;
            }
            if (s->floating && s->shown) {
                updateFloat(pane);
                continue;
            }
            destroyFloat(pane);
            const dock::Tile* tile = dock::tileOf(arranged, pane.number);
            if (arranged.slid == pane.number) {
                placeWindow(window, arranged.slideRect, HWND_TOP);
            } else if (tile && tile->selected == pane.number) {
                placeWindow(window, tile->paneRect);
            } else if (shownItself(window)) {
                ShowWindow(window, SW_HIDE);
            }
        }
        if (center && center->getHandle()) {
            const dock::Tile* middle = nullptr;
            for (const dock::Tile& tile : arranged.tiles) {
                middle = tile.center ? &tile : middle;
            }
            if (middle) {
                placeWindow(center->getHandle(), middle->rect);
            } else {
                ShowWindow(center->getHandle(), SW_HIDE);
            }
        }
    }
    // The buttons once the panes have their new widths, each pane's moved together.
    for (Pane& pane : panes) {
        const dock::PaneState* s = tree.state(pane.number);
        if (pane.header->getHandle() && s) {
            moves::Batch buttons(pane.header->getHandle());
            placeButtons(pane, !s->floating);
        }
    }
    placeTabStrips();
    // Gaps uncovered by moved panes are repainted by the system; the strips are the dock's own drawing.
    for (const std::vector<KWBound>* strips :
         {&oldStrips, const_cast<const std::vector<KWBound>*>(&arranged.strips)}) {
        for (const KWBound& strip : *strips) {
            const RECT r = strip.toRect();
            InvalidateRect(dock.getHandle(), &r, TRUE);
        }
    }
}

void DockState::resized(int width, int height) {
    if (width > 0 && height > 0) {
        if (proportional && sized.cx > 0 && sized.cy > 0) {
            tree.stretch(sized.cx, width, sized.cy, height);
        }
        sized = {width, height};
    }
    layout();
}

void DockState::placeTabStrips() {
    std::size_t used = 0;
    for (const dock::Tile& tile : arranged.tiles) {
        if (tile.panes.size() < 2) {
            continue;
        }
        if (used == tabStrips.size()) {
            HWND strip =
                CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_CLIPSIBLINGS | TCS_BOTTOM, 0, 0, 0, 0,
                                dock.getHandle(), nullptr, GetModuleHandleW(nullptr), nullptr);
            SendMessageW(strip, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                         FALSE);
            SetWindowSubclass(strip, stripProc, 0, reinterpret_cast<DWORD_PTR>(this));
            tabStrips.push_back(strip);
            tabStripPanes.emplace_back();
        }
        HWND strip = tabStrips[used];
        if (tabStripPanes[used] != tile.panes) {
            SendMessageW(strip, TCM_DELETEALLITEMS, 0, 0);
            for (std::size_t i = 0; i < tile.panes.size(); ++i) {
                std::wstring title = text::wide(titleOf(tile.panes[i]));
                TCITEMW item = {};
                item.mask = TCIF_TEXT;
                item.pszText = &title[0];
                SendMessageW(strip, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
            }
            tabStripPanes[used] = tile.panes;
        }
        const int chosen = static_cast<int>(std::find(tile.panes.begin(), tile.panes.end(), tile.selected) -
                                            tile.panes.begin());
        if (SendMessageW(strip, TCM_GETCURSEL, 0, 0) != chosen) {
            SendMessageW(strip, TCM_SETCURSEL, chosen, 0);
        }
        placeWindow(strip, tile.tabRect);
        ++used;
    }
    while (tabStrips.size() > used) {
        DestroyWindow(tabStrips.back());
        tabStrips.pop_back();
        tabStripPanes.pop_back();
    }
}

bool DockState::allowed(const Pane& pane, int forbidding) const {
    return !locked && (pane.flags & forbidding) == 0;
}

void DockState::placeButtons(Pane& pane, bool docked) {
    const HWND window = pane.header->getHandle();
    const int dpi = dock.getDpi();
    const int size = dpi::scaled(buttonSize, dpi);
    const int space = dpi::scaled(buttonSpace, dpi);
    const int band = header::bandAt(dpi).height;
    const std::string title = pane.header->getText();
    const bool maximized = tree.maximized() == pane.number;
    const bool shown[ButtonCount] = {allowed(pane, DOCKPANE_NO_CLOSE), docked,
                                     docked && !maximized && allowed(pane, DOCKPANE_NO_MOVE)};
    const std::string names[ButtonCount] = {"Close " + title, (maximized ? "Restore " : "Maximize ") + title,
                                            "Auto-hide " + title};
    RECT client = {};
    GetClientRect(window, &client);
    int right = client.right - space;
    for (int i = 0; i < ButtonCount; ++i) {
        HWND& button = pane.buttons[i];
        if (!shown[i]) {
            if (button) {
                ShowWindow(button, SW_HIDE);
            }
            continue;
        }
        const bool made = !button;
        if (made) {
            button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_OWNERDRAW, 0, 0, 0, 0, window, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        }
        if (text::windowText(button) != names[i]) {
            text::setWindowText(button, names[i]);
        }
        // Raised over the pane's content only when something else lies above it: a layout that leaves
        // the buttons where they are moves no window.
        const KWBound place(right - size, right, (band - size) / 2, (band - size) / 2 + size);
        placeWindow(button, place, aboveAllBut(button, pane.buttons) ? nullptr : HWND_TOP);
        right -= size + space;
    }
}

void DockState::fitOnWorkArea(KWBound& screenRect) const {
    RECT outer = {screenRect.left, screenRect.top, screenRect.right, screenRect.bottom};
    AdjustWindowRectEx(&outer, floatStyle, FALSE, floatExStyle);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &info)) {
        return;
    }
    layout::Area window{outer.left, outer.top, outer.right, outer.bottom};
    const layout::Area work{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    const layout::Area fitted = layout::fitInto(window, work);
    screenRect.left += fitted.left - window.left;
    screenRect.top += fitted.top - window.top;
    screenRect.right += fitted.right - window.right;
    screenRect.bottom += fitted.bottom - window.bottom;
}

void DockState::updateFloat(Pane& pane) {
    const dock::PaneState* s = tree.state(pane.number);
    RECT outer = {s->floatRect.left, s->floatRect.top, s->floatRect.right, s->floatRect.bottom};
    AdjustWindowRectEx(&outer, floatStyle, FALSE, floatExStyle);
    const HWND window = pane.header->getHandle();
    if (!pane.floatWindow) {
        registerClasses();
        pane.floatWindow = CreateWindowExW(
            floatExStyle, floatClass, text::wide(pane.header->getText()).c_str(), floatStyle, outer.left,
            outer.top, outer.right - outer.left, outer.bottom - outer.top,
            GetAncestor(dock.getHandle(), GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(pane.floatWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetParent(window, pane.floatWindow);
    } else {
        RECT now = {};
        GetWindowRect(pane.floatWindow, &now);
        if (now.left != outer.left || now.top != outer.top || now.right != outer.right ||
            now.bottom != outer.bottom) {
            SetWindowPos(pane.floatWindow, nullptr, outer.left, outer.top, outer.right - outer.left,
                         outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    RECT client = {};
    GetClientRect(pane.floatWindow, &client);
    placeWindow(window, KWBound(client));
    if (!IsWindowVisible(pane.floatWindow)) {
        ShowWindow(pane.floatWindow, SW_SHOWNOACTIVATE);
    }
}

void DockState::destroyFloat(Pane& pane) {
    if (!pane.floatWindow) {
        return;
    }
    const HWND window = pane.header->getHandle();
    HWND floating = pane.floatWindow;
    pane.floatWindow = nullptr;
    if (window && IsWindow(window)) {
        ShowWindow(window, SW_HIDE);
        SetParent(window, dock.getHandle());
    }
    SetWindowLongPtrW(floating, GWLP_USERDATA, 0);
    DestroyWindow(floating);
}

void DockState::showPreview(const KWBound& r) {
    if (r.right <= r.left || r.bottom <= r.top) {
        // Gone rather than hidden: a dock must not leave a top-level window behind it.
        if (preview) {
            DestroyWindow(preview);
            preview = nullptr;
        }
        drag.previewRect = KWBound();
        return;
    }
    if (!preview) {
        registerClasses();
        preview = CreateWindowExW(
            WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST,
            previewClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetLayeredWindowAttributes(preview, 0, 96, LWA_ALPHA);
    }
    const KWBound& was = drag.previewRect;
    if (was.left == r.left && was.right == r.right && was.top == r.top && was.bottom == r.bottom &&
        IsWindowVisible(preview)) {
        return;
    }
    drag.previewRect = r;
    SetWindowPos(preview, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void DockState::paintStrips(HDC dc) {
    for (const KWBound& strip : arranged.strips) {
        RECT r = strip.toRect();
        FillRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW));
    }
    const HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (const dock::HideTab& tab : arranged.hideTabs) {
        RECT r = tab.rect.toRect();
        FillRect(dc, &r, GetSysColorBrush(arranged.slid == tab.pane ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        const std::wstring title = text::wide(titleOf(tab.pane));
        DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    SelectObject(dc, font);
}

void DockState::removePane(KWHeader* header) {
    Pane* pane = find(header);
    if (!pane) {
        return;
    }
    if (drag.pane == pane->number) {
        cancelDrag();
    }
    destroyFloat(*pane);
    for (HWND button : pane->buttons) {
        if (button && IsWindow(button)) {
            DestroyWindow(button);
        }
    }
    if (header->getHandle()) {
        RemoveWindowSubclass(header->getHandle(), paneProc, 0);
    }
    tree.remove(pane->number);
    panes.erase(panes.begin() + (pane - &panes[0]));
    layout();
}

} // namespace KW
