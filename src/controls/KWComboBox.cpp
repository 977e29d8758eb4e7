#include "KWComboBox.h"

#include "controls/logic/ComboGeometry.h"
#include "controls/logic/ItemSearch.h"

#include <new>

namespace KW {

KWComboBox* KWComboBox::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWComboBox cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWComboBox(x, y, width, height, parent, id);
}

KWComboBox::KWComboBox(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_COMBOBOX, parent, id) {
    HWND window =
        CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_HASSTRINGS, x, y,
                        width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "ComboBox creation failed !")) {
        setDefaultFont(handle);
    }
}

void KWComboBox::addItem(int id, const std::string& text) {
    const LRESULT index = SendMessageA(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) {
        SendMessageA(handle, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(id));
    }
}

void KWComboBox::removeItem(int id) {
    const int count = static_cast<int>(SendMessageA(handle, CB_GETCOUNT, 0, 0));
    const int index = items::firstIndexWithId(
        count,
        [this](int i) {
            return static_cast<std::intptr_t>(
                SendMessageA(handle, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        },
        id);
    if (index >= 0) {
        SendMessageA(handle, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

void KWComboBox::removeItem(const std::string& text) {
    const LRESULT index = SendMessageA(handle, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index != CB_ERR) {
        SendMessageA(handle, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

int KWComboBox::getSelectedId() {
    // Without a window there is no selection (a null window would answer 0, a valid index).
    const LRESULT index = handle ? SendMessageA(handle, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (index == CB_ERR) {
        return CB_ERR;
    }
    return static_cast<int>(SendMessageA(handle, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::string KWComboBox::getSelectedText() {
    return getText();
}

void KWComboBox::setBounds(const KWBound& b) {
    SetWindowPos(handle, HWND_BOTTOM, b.left, b.top, b.right, b.bottom, SWP_NOZORDER);
}

void KWComboBox::setPlacement(KWBound& b) {
    const int height = b.bottom - b.top;
    MoveWindow(handle, b.left, b.top, b.right - b.left, height, TRUE);
    SendMessageA(handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), combo::selectionFieldHeight(height));
}

} // namespace KW
