#include "KWProperties.h"

#include "properties/logic/PropertyRows.h"

#include <commctrl.h>

#include <cstring>

namespace KW {

namespace {

// Value cells are compared and refreshed through buffers of this size, like gadget texts.
const int VALUE_TEXT_BUFFER = 100;

} // namespace

int KWProperties::selectedRow() const {
    return static_cast<int>(SendMessageA(handle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void KWProperties::placeEditor(KWObject* editor, KWBound bound) {
    // Virtual: a composite gadget lays out its own parts over the cell.
    editor->setPlacement(bound);
    editor->setVisible(true);
}

void KWProperties::refreshValueText(int row, KWObject* editor) {
    const std::string text = editor->getText();
    char cell[VALUE_TEXT_BUFFER] = {};
    LVITEMA item = {};
    item.iSubItem = 1;
    item.pszText = cell;
    item.cchTextMax = VALUE_TEXT_BUFFER;
    SendMessageA(handle, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    if (text == cell) {
        return;
    }
    LVITEMA update = {};
    update.iSubItem = 1;
    update.pszText = const_cast<char*>(text.c_str());
    SendMessageA(handle, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&update));
}

void KWProperties::hideEditors(const std::vector<KWPropItem*>& items) {
    for (KWPropItem* item : items) {
        if (item->object) {
            item->object->setVisible(false);
        }
    }
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
    const int propertiesWidth = static_cast<int>(SendMessageA(handle, LVM_GETCOLUMNWIDTH, 0, 0));
    RECT rowRect = {};
    rowRect.left = LVIR_BOUNDS;
    if (!SendMessageA(handle, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&rowRect))) {
        return;
    }
    placeEditor(item->object,
                KWBound(rowRect.left + propertiesWidth, rowRect.right, rowRect.top, rowRect.bottom));
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
    const int row = selectedRow();
    KWPropItem* item = rows->itemAt(row);
    if (!item || !item->object) {
        return;
    }
    RECT cell = {};
    cell.top = 1;
    cell.left = LVIR_BOUNDS;
    if (!SendMessageA(handle, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&cell))) {
        return;
    }
    placeEditor(item->object, KWBound(cell));
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
}

} // namespace KW
