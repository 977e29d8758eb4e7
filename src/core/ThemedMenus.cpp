#include "core/ThemedMenus.h"

#include "core/Theme.h"

#include <algorithm>
#include <string>
#include <vector>

namespace KW {
namespace themedmenus {

namespace {

// Marks an item's data as the library's: the high bits of a pointer-sized value no client packs into
// a menu item, with the bar flag in the lowest bit.
const ULONG_PTR ownMark = static_cast<ULONG_PTR>(0x4B570000u);
const ULONG_PTR markMask = static_cast<ULONG_PTR>(0xFFFF0000u);
const ULONG_PTR barFlag = 1;

bool ours(ULONG_PTR data) {
    return (data & markMask) == ownMark;
}

// The menu and position of the item being measured or drawn. Menus give WM_MEASUREITEM no menu
// handle: the item is found again through the menus prepared.
struct Found {
    HMENU menu = nullptr;
    UINT position = 0;
};

// Every menu prepared while drawn and still alive: a window's bar is measured again whenever its frame
// changes (a theme change, a restore or a maximize), long after its popups were prepared, so no menu
// may drop out of the lookup while it lives.
std::vector<HMENU>& preparedMenus() {
    static std::vector<HMENU> menus;
    return menus;
}

void remember(HMENU menu) {
    std::vector<HMENU>& menus = preparedMenus();
    menus.erase(std::remove_if(menus.begin(), menus.end(), [](HMENU m) { return !IsMenu(m); }), menus.end());
    if (std::find(menus.begin(), menus.end(), menu) == menus.end()) {
        menus.push_back(menu);
    }
}

std::wstring itemText(HMENU menu, UINT position) {
    wchar_t buffer[512] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = 511;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) {
        return std::wstring();
    }
    return buffer;
}

HFONT menuFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return CreateFontIndirectW(&metrics.lfMenuFont);
    }();
    return font;
}

// The item whose id and data a measure or draw message names, among the remembered menus.
Found find(UINT id, ULONG_PTR data) {
    const std::vector<HMENU>& menus = preparedMenus();
    for (auto m = menus.rbegin(); m != menus.rend(); ++m) {
        const int count = GetMenuItemCount(*m);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
            if (GetMenuItemInfoW(*m, static_cast<UINT>(i), TRUE, &info) && info.dwItemData == data &&
                (info.wID == id || reinterpret_cast<UINT_PTR>(info.hSubMenu) == id ||
                 static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.hSubMenu)) == id)) {
                return Found{*m, static_cast<UINT>(i)};
            }
        }
    }
    return Found();
}

int checkWidth() {
    return GetSystemMetrics(SM_CXMENUCHECK) + 4;
}

bool measure(MEASUREITEMSTRUCT* item) {
    if (item->CtlType != ODT_MENU || !ours(item->itemData)) {
        return false;
    }
    const bool bar = (item->itemData & barFlag) != 0;
    const Found found = find(item->itemID, item->itemData);
    const std::wstring text = found.menu ? itemText(found.menu, found.position) : std::wstring();
    if (text.empty() && !bar) {
        // A separator.
        item->itemWidth = 1;
        item->itemHeight = GetSystemMetrics(SM_CYMENUSIZE) / 2;
        return true;
    }
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, menuFont());
    RECT size = {0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &size, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    const int padding = GetSystemMetrics(SM_CXEDGE) * 4;
    item->itemWidth = static_cast<UINT>(size.right + (bar ? padding : 2 * checkWidth() + padding));
    item->itemHeight =
        static_cast<UINT>(std::max(static_cast<int>(size.bottom) + 4, GetSystemMetrics(SM_CYMENUSIZE)));
    return true;
}

void drawCheck(HDC dc, const RECT& box, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 2, color);
    HGDIOBJ previous = SelectObject(dc, pen);
    const int size = std::min(box.right - box.left, box.bottom - box.top) / 2;
    const int x = box.left + (box.right - box.left - size) / 2;
    const int y = box.top + (box.bottom - box.top) / 2;
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x + size / 3, y + size / 3);
    LineTo(dc, x + size, y - size / 2);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

bool draw(DRAWITEMSTRUCT* item) {
    if (item->CtlType != ODT_MENU || !ours(item->itemData)) {
        return false;
    }
    const KWTheme& colors = theme::current();
    const bool bar = (item->itemData & barFlag) != 0;
    const bool selected = (item->itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    const bool disabled = (item->itemState & (ODS_DISABLED | ODS_GRAYED | ODS_INACTIVE)) != 0;
    HMENU menu = reinterpret_cast<HMENU>(item->hwndItem);
    std::wstring text;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count && text.empty(); ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) && info.dwItemData == item->itemData &&
            (info.wID == item->itemID || reinterpret_cast<UINT_PTR>(info.hSubMenu) == item->itemID)) {
            text = itemText(menu, static_cast<UINT>(i));
        }
    }
    RECT area = item->rcItem;
    FillRect(item->hDC, &area, theme::brush(selected && !disabled ? colors.selection : colors.window));
    if (text.empty() && !bar) {
        RECT line = {area.left + 2, (area.top + area.bottom) / 2, area.right - 2,
                     (area.top + area.bottom) / 2 + 1};
        FillRect(item->hDC, &line, theme::brush(colors.border));
        return true;
    }
    const COLORREF ink = disabled ? colors.disabledText : selected ? colors.selectionText : colors.text;
    if (item->itemState & ODS_CHECKED) {
        RECT box = {area.left, area.top, area.left + checkWidth(), area.bottom};
        drawCheck(item->hDC, box, ink);
    }
    const COLORREF previousInk = SetTextColor(item->hDC, ink);
    const int previousMode = SetBkMode(item->hDC, TRANSPARENT);
    HGDIOBJ previousFont = SelectObject(item->hDC, menuFont());
    const UINT prefix = (item->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    const std::wstring::size_type tab = text.find(L'\t');
    RECT label = area;
    if (bar) {
        DrawTextW(item->hDC, text.c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_CENTER | prefix);
    } else {
        label.left += checkWidth();
        label.right -= checkWidth();
        DrawTextW(item->hDC, text.c_str(), static_cast<int>(tab == std::wstring::npos ? text.size() : tab),
                  &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT | prefix);
        if (tab != std::wstring::npos) {
            DrawTextW(item->hDC, text.c_str() + tab + 1, -1, &label, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        }
    }
    SelectObject(item->hDC, previousFont);
    SetBkMode(item->hDC, previousMode);
    SetTextColor(item->hDC, previousInk);
    return true;
}

} // namespace

void prepare(HMENU menu, bool bar) {
    if (!menu || !IsMenu(menu)) {
        return;
    }
    const bool drawn = !theme::isLight();
    if (drawn) {
        remember(menu);
    }
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
            continue;
        }
        const bool owned = (info.fType & MFT_OWNERDRAW) && ours(info.dwItemData);
        // Items a client draws itself, and bitmaps, are left alone.
        const bool plain = !(info.fType & (MFT_OWNERDRAW | MFT_BITMAP));
        MENUITEMINFOW change = {};
        change.cbSize = sizeof(change);
        change.fMask = MIIM_FTYPE | MIIM_DATA;
        if (drawn && plain) {
            change.fType = info.fType | MFT_OWNERDRAW;
            change.dwItemData = ownMark | (bar ? barFlag : 0);
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
        } else if (!drawn && owned) {
            change.fType = info.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
            change.dwItemData = 0;
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
        }
        if (info.hSubMenu) {
            prepare(info.hSubMenu, false);
        }
    }
}

void fillBarEnd(HWND window) {
    HMENU bar = GetMenu(window);
    const int count = bar ? GetMenuItemCount(bar) : 0;
    MENUBARINFO info = {};
    info.cbSize = sizeof(info);
    RECT last = {};
    if (theme::isLight() || count <= 0 || !GetMenuBarInfo(window, OBJID_MENU, 0, &info) ||
        !GetMenuItemRect(window, bar, static_cast<UINT>(count - 1), &last)) {
        return;
    }
    RECT frame = {};
    GetWindowRect(window, &frame);
    RECT rest = {last.right, info.rcBar.top, info.rcBar.right, info.rcBar.bottom};
    OffsetRect(&rest, -frame.left, -frame.top);
    HDC dc = GetWindowDC(window);
    FillRect(dc, &rest, theme::brush(theme::current().window));
    ReleaseDC(window, dc);
}

bool answer(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_INITMENUPOPUP:
        // Items added or changed since the last opening follow the theme too.
        prepare(reinterpret_cast<HMENU>(wParam), false);
        return false;
    case WM_MEASUREITEM:
        result = TRUE;
        return wParam == 0 && measure(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
        result = TRUE;
        return wParam == 0 && draw(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    default:
        return false;
    }
}

} // namespace themedmenus
} // namespace KW
