#include "KWProperties.h"

#include "properties/logic/PropertyRows.h"
#include "core/WideText.h"

#include <commctrl.h>

#include <cstring>

namespace KW {

namespace {

// Value cells are compared and refreshed through buffers of this size, like gadget texts.
const int VALUE_TEXT_BUFFER = 100;

bool sameBound(const KWBound& a, const KWBound& b) {
    return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}

bool windowShown(KWObject* gadget) {
    return (GetWindowLongPtrW(gadget->getHandle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

} // namespace

int KWProperties::selectedRow() const {
    return static_cast<int>(SendMessageW(handle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void KWProperties::placeEditor(KWObject* editor, KWBound bound) {
    // Virtual: a composite gadget lays out its own parts over the cell.
    editor->setPlacement(bound);
    editor->setVisible(true);
}

std::string KWProperties::valueCellText(int row) const {
    wchar_t cell[VALUE_TEXT_BUFFER] = {};
    LVITEMW item = {};
    item.iSubItem = 1;
    item.pszText = cell;
    item.cchTextMax = VALUE_TEXT_BUFFER;
    const LRESULT length =
        SendMessageW(handle, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text::narrow(cell, static_cast<std::size_t>(length > 0 ? length : 0));
}

void KWProperties::refreshValueText(int row, KWObject* editor) {
    setValueCellText(row, editor->getText());
}

void KWProperties::setValueCellText(int row, const std::string& text) {
    if (text == valueCellText(row)) {
        return;
    }
    std::wstring wideText = text::wide(text);
    LVITEMW update = {};
    update.iSubItem = 1;
    update.pszText = &wideText[0];
    SendMessageW(handle, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&update));
}

void KWProperties::hideEditors(const std::vector<KWPropItem*>& items) {
    for (KWPropItem* item : items) {
        if (item == shownItem) {
            shownItem = nullptr;
        }
        if (item->object) {
            item->object->setVisible(false);
        }
    }
}

void KWProperties::hideShownEditor() {
    if (shownItem && shownItem->object) {
        shownItem->object->setVisible(false);
    }
    shownItem = nullptr;
}

void KWProperties::refreshRowsOnScreen(const KWPropItem* keep) {
    const int top = static_cast<int>(SendMessageW(handle, LVM_GETTOPINDEX, 0, 0));
    // The row cut by the bottom edge is on screen as well.
    const int end = top + static_cast<int>(SendMessageW(handle, LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
    for (int row = top; row < end && row < rows->count(); ++row) {
        KWPropItem* item = rows->itemAt(row);
        if (!item || !item->object) {
            continue;
        }
        if (item != keep && windowShown(item->object)) {
            item->object->setVisible(false);
        }
        refreshValueText(row, item->object);
    }
}

void KWProperties::selectionChanged() {
    if (changingRows) {
        return;
    }
    KWPropItem* selected = rows->itemAt(selectedRow());
    // The user can only have edited the gadget shown so far, and it is the only one to hide.
    if (shownItem && shownItem != selected) {
        KWPropItem* previous = shownItem;
        hideShownEditor();
        const int row = rows->rowOf(previous);
        if (row >= 0 && previous->object) {
            refreshValueText(row, previous->object);
        }
    }
    // The program may have changed any gadget's text meanwhile: the rows in view show it now.
    refreshRowsOnScreen(selected);
}

void KWProperties::updateSelection() {
    if (changingRows) {
        return;
    }
    const int row = selectedRow();
    KWPropItem* item = rows->itemAt(row);
    if (!item || !item->object) {
        return;
    }
    const int propertiesWidth = static_cast<int>(SendMessageW(handle, LVM_GETCOLUMNWIDTH, 0, 0));
    RECT rowRect = {};
    rowRect.left = LVIR_BOUNDS;
    if (!SendMessageW(handle, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&rowRect))) {
        return;
    }
    const KWBound cell(rowRect.left + propertiesWidth, rowRect.right, rowRect.top, rowRect.bottom);
    // Called after every scroll, click, key and selection notification: a gadget already shown over its
    // cell is left alone, since moving or showing it costs a repaint of it and of the rows around it.
    if (item == shownItem && sameBound(cell, shownBound) && item->object->isVisible() &&
        windowShown(item->object)) {
        return;
    }
    if (shownItem && shownItem != item) {
        hideShownEditor();
    }
    placeEditor(item->object, cell);
    shownItem = item;
    shownBound = cell;
    RedrawWindow(item->object->getHandle(), nullptr, nullptr, RDW_INVALIDATE);
}

void KWProperties::updatePropObjects() {
    if (changingRows) {
        return;
    }
    for (int row = 0; row < rows->count(); ++row) {
        KWPropItem* item = rows->itemAt(row);
        if (item && item->object) {
            item->object->setVisible(false);
            refreshValueText(row, item->object);
        }
    }
    shownItem = nullptr;
    const int row = selectedRow();
    KWPropItem* item = rows->itemAt(row);
    if (!item || !item->object) {
        return;
    }
    RECT cell = {};
    cell.top = 1;
    cell.left = LVIR_BOUNDS;
    if (!SendMessageW(handle, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&cell))) {
        return;
    }
    placeEditor(item->object, KWBound(cell));
    shownItem = item;
    shownBound = KWBound(cell);
}

void KWProperties::updateSubitemsText() {
    if (changingRows) {
        return;
    }
    for (int row = 0; row < rows->count(); ++row) {
        KWPropItem* item = rows->itemAt(row);
        if (item && item->object) {
            refreshValueText(row, item->object);
        }
    }
}

void KWProperties::hidePropObjects() {
    if (changingRows) {
        return;
    }
    for (int row = 0; row < rows->count(); ++row) {
        KWPropItem* item = rows->itemAt(row);
        if (item && item->object) {
            item->object->setVisible(false);
        }
    }
    shownItem = nullptr;
}

} // namespace KW
