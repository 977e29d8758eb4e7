#include "ThemedGadgets.h"

#include <commctrl.h>

#include <string>

using namespace KW;

namespace pelmora {

namespace {

HBRUSH solid(COLORREF color) {
    return CreateSolidBrush(color);
}

void fill(HDC dc, const RECT& area, COLORREF color) {
    HBRUSH brush = solid(color);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void paintStrip(HWND control, HDC dc) {
    const KWTheme colors = Kwadro::getTheme();
    RECT client = {};
    GetClientRect(control, &client);
    RECT page = client;
    SendMessageW(control, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    RECT band = {client.left, client.top, client.right, page.top};
    fill(dc, band, colors.window);
    HGDIOBJ previousFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousText = SetTextColor(dc, colors.text);
    const int selected = static_cast<int>(SendMessageW(control, TCM_GETCURSEL, 0, 0));
    const int count = static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT tab = {};
        SendMessageW(control, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
        if (i == selected) {
            tab.bottom = page.top; // the chosen tab joins its page
        }
        fill(dc, tab, colors.border);
        RECT inside = {tab.left + 1, tab.top + 1, tab.right - 1, i == selected ? tab.bottom : tab.bottom - 1};
        fill(dc, inside, i == selected ? colors.panel : colors.window);
        wchar_t text[128] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(control, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        DrawTextW(dc, text, -1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(dc, previousText);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

LRESULT CALLBACK tabProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (Kwadro::getTheme() == KWTheme::light()) {
        return DefSubclassProc(control, msg, wParam, lParam);
    }
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(control, &paint);
        paintStrip(control, dc);
        EndPaint(control, &paint);
        return 0;
    }
    default:
        return DefSubclassProc(control, msg, wParam, lParam);
    }
}

// The tree's parent hears its custom-draw reports.
LRESULT CALLBACK treeParentProc(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR tree) {
    if (msg == WM_NOTIFY && !(Kwadro::getTheme() == KWTheme::light())) {
        NMTVCUSTOMDRAW* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.hdr.hwndFrom == reinterpret_cast<HWND>(tree) &&
            draw->nmcd.hdr.code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
                return CDRF_NOTIFYITEMDRAW;
            }
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw->nmcd.uItemState & CDIS_SELECTED)) {
                draw->clrTextBk = Kwadro::getTheme().selection;
                draw->clrText = Kwadro::getTheme().selectionText;
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        }
    }
    return DefSubclassProc(parent, msg, wParam, lParam);
}

} // namespace

void followTheme(KWTab* tabs) {
    SetWindowSubclass(tabs->getHandle(), tabProc, 1, 0);
}

void keepSelectionShown(KWTreeView* tree) {
    HWND control = tree->getHandle();
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | TVS_SHOWSELALWAYS);
    SetWindowSubclass(GetParent(control), treeParentProc, 2, reinterpret_cast<DWORD_PTR>(control));
}

} // namespace pelmora
