#include "KWListBox.h"

#include "controls/logic/ItemSearch.h"

#include <new>

namespace KW {

KWListBox* KWListBox::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWListBox cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWListBox(x, y, width, height, parent, id);
}

KWListBox::KWListBox(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_LISTBOX, parent, id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL |
                        LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    HWND window = CreateWindowExA(0, "ListBox", "", style, x, y, width, height, parentHandle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "ListBox creation failed !")) {
        setDefaultFont(handle);
    }
}

namespace {

int firstIndexWithId(HWND list, int id) {
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    return items::firstIndexWithId(
        count,
        [list](int i) {
            return static_cast<std::intptr_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        },
        id);
}

} // namespace

void KWListBox::addItem(int id, const std::string& text) {
    const LRESULT index = SendMessageA(handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) {
        SendMessageA(handle, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(id));
    }
}

void KWListBox::removeItem(int id) {
    const int index = firstIndexWithId(handle, id);
    if (index >= 0) {
        SendMessageA(handle, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

void KWListBox::removeItem(const std::string& text) {
    const LRESULT index = SendMessageA(handle, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index != LB_ERR) {
        SendMessageA(handle, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

void KWListBox::selectItem(int id) {
    const int index = firstIndexWithId(handle, id);
    if (index >= 0) {
        SendMessageA(handle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

int KWListBox::getSelectedId() {
    // Without a window there is no selection (a null window would answer 0, a valid index).
    const LRESULT index = handle ? SendMessageA(handle, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (index == LB_ERR) {
        return LB_ERR;
    }
    return static_cast<int>(SendMessageA(handle, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::string KWListBox::getSelectedText() {
    const LRESULT index = handle ? SendMessageA(handle, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (index == LB_ERR) {
        return "";
    }
    // Sized to the item: texts of any length come back whole.
    const LRESULT length = SendMessageA(handle, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) {
        return "";
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(handle, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    if (copied == LB_ERR || copied < 0) {
        return "";
    }
    text.resize(static_cast<std::size_t>(copied < length ? copied : length));
    return text;
}

} // namespace KW
