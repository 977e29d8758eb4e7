#include "KWProperties.h"
#include "core/WideText.h"
#include "properties/logic/PropertyRows.h"

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
    LRESULT controlAnswer = 0;
    if (answerForControl(msg, wParam, lParam, controlAnswer)) {
        return controlAnswer;
    }
    KWProperties* self = static_cast<KWProperties*>(fromHandle(window));
    if (!self || !self->previousProc) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return self->handleMessage(msg, wParam, lParam);
}

LRESULT CALLBACK KWProperties::KWPropertiesHeaderCallback(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT KWProperties::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
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
    // After the list view has handled the press (and, on some platforms, waited for the release in a
    // loop of its own): not every platform reports the click.
    if (msg == WM_LBUTTONDOWN && oneClickEditing) {
        clickedAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    }
    return result;
}

// A double click toggles a group row (in one-click editing, so does a click on its box); a selection change
// hides the editor shown so far, refreshes the value texts that can have changed and shows the selected row's
// editor; scrolling and column resizing keep that editor over its value cell.
void KWProperties::controlNotify(const NMHDR* header, LPARAM lParam) {
    const NMITEMACTIVATE* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    // In one-click editing the first click of a double click on a group's box toggled it already.
    const bool toggledByClick = oneClickEditing && header->code == static_cast<UINT>(NM_DBLCLK) &&
                                header->hwndFrom == handle && rowWithImageAt(activate->ptAction) >= 0;
    if (header->code == static_cast<UINT>(NM_DBLCLK) && header->hwndFrom == handle && !toggledByClick) {
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

namespace KW {

void KWProperties::setOneClickEditing(bool on) {
    oneClickEditing = on;
}

int KWProperties::rowWithImageAt(POINT point) const {
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row =
        static_cast<int>(SendMessageW(handle, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    KWPropRecord* record = row >= 0 ? rows->recordAt(row) : nullptr;
    return record && record->isGroup && hit.iSubItem == 0 && (hit.flags & LVHT_ONITEMICON) ? row : -1;
}

void KWProperties::clickedAt(POINT point) {
    const int groupRow = rowWithImageAt(point);
    if (groupRow >= 0) {
        KWGroupItem* group = static_cast<KWGroupItem*>(rows->recordAt(groupRow));
        openGroup(group, !group->opened);
        return;
    }
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row =
        static_cast<int>(SendMessageW(handle, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && row == selectedRow() && hit.iSubItem == 1) {
        updateSelection();
        focusShownEditor();
    }
}

void KWProperties::focusShownEditor() {
    if (!shownItem || !shownItem->object || !shownItem->object->isVisible()) {
        return;
    }
    // A composite gadget (a spin box) types into its edit.
    HWND gadget = shownItem->object->getHandle();
    HWND edit = FindWindowExW(gadget, nullptr, L"Edit", nullptr);
    HWND target = edit ? edit : gadget;
    SetFocus(target);
    wchar_t className[8] = {};
    GetClassNameW(target, className, 8);
    if (lstrcmpiW(className, L"Edit") == 0) {
        SendMessageW(target, EM_SETSEL, 0, -1);
    }
}

} // namespace KW
