#include "KWProperties.h"
#include "core/WideText.h"

#include <commctrl.h>

namespace KW {

namespace {

// Header notifications after which the value column may have moved or changed its width.
bool changesColumns(UINT code) {
    switch (code) {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
        return true;
    default:
        return false;
    }
}

} // namespace

LRESULT CALLBACK KWProperties::KWPropertiesCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

LRESULT CALLBACK KWProperties::KWPropertiesHeaderCallback(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT KWProperties::handleWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(previousProc, handle, msg, wParam, lParam);
    // The list view scrolls, resizes columns and brings rows into view without telling its parent on
    // every platform; once it has done so, the selected row's editor follows its cell.
    bool rowsMoved = false;
    switch (msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_SIZE:
    case LVM_SCROLL:
    case LVM_ENSUREVISIBLE:
    case LVM_SETCOLUMNWIDTH:
        rowsMoved = true;
        break;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        rowsMoved = header && header->hwndFrom == headerWindow && changesColumns(header->code);
        break;
    }
    default:
        break;
    }
    if (rowsMoved) {
        updateSelection();
    }
    return result;
}

// A double click toggles a group row; a selection change hides the editor shown so far, refreshes the
// value texts that can have changed and shows the selected row's editor; scrolling and column resizing
// keep that editor over its value cell.
void KWProperties::controlNotify(const NMHDR* header, LPARAM lParam) {
    if (header->code == static_cast<UINT>(NM_DBLCLK) && header->hwndFrom == handle) {
        const NMITEMACTIVATE* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        LVITEMW row = {};
        row.mask = LVIF_PARAM;
        row.iItem = activate->iItem;
        if (activate->iItem >= 0 && SendMessageW(handle, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row)) &&
            row.lParam) {
            KWPropRecord* record = reinterpret_cast<KWPropRecord*>(row.lParam);
            if (record->isGroup) {
                KWGroupItem* group = static_cast<KWGroupItem*>(record);
                openGroup(group, !group->opened);
            }
        }
    }
    if (header->code == static_cast<UINT>(LVN_ITEMCHANGED)) {
        selectionChanged();
    }
    switch (header->code) {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case LVN_BEGINSCROLL:
    case LVN_SETDISPINFOA:
    case LVN_SETDISPINFOW:
    case LVN_ITEMCHANGED:
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
    case LVN_ENDSCROLL:
        updateSelection();
        break;
    default:
        break;
    }
}

} // namespace KW
