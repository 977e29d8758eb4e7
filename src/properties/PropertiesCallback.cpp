#include "KWProperties.h"

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
    handleDefaults(window, msg, wParam, lParam);
    KWProperties* self = static_cast<KWProperties*>(fromHandle(window));
    if (!self || !self->previousProc) {
        return DefWindowProcA(window, msg, wParam, lParam);
    }
    return self->handleMessage(msg, wParam, lParam);
}

LRESULT CALLBACK KWProperties::KWPropertiesHeaderCallback(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT KWProperties::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(previousProc, handle, msg, wParam, lParam);
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

} // namespace KW
