#include "KWListBox.h"
#include "core/TabOrder.h"

#include "controls/logic/ItemSearch.h"
#include "controls/PostedReport.h"
#include "controls/SelectionTracking.h"
#include "core/WideText.h"

#include <new>

namespace KW {

KWListBox* KWListBox::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWListBox cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWListBox(x, y, width, height, parent, id);
}

KWListBox::KWListBox(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_LISTBOX, parent, id), knownSelection(LB_ERR) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL |
                        LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_NOTIFY;
    HWND window = CreateWindowExW(0, L"ListBox", L"", style, x, y, width, height, parentHandle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "ListBox creation failed !")) {
        setDefaultFont(handle);
        subclassWindow(routeMessage);
    }
}

KWListBox::~KWListBox() {
    // Messages of the window's last moments go straight to the control, not to a half-destroyed gadget.
    if (previousProc && IsWindow(handle)) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    }
}

namespace {

// Messages by which a program changes the items or the selection.
bool changesSelection(UINT msg) {
    switch (msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCURSEL:
    case LB_SELECTSTRING:
    case LB_SETSEL:
    case LB_DIR:
        return true;
    default:
        return false;
    }
}

const selection::ListMessages listMessages = {LB_GETCURSEL, LB_ERR, LBN_SELCHANGE, changesSelection};

int firstIndexWithId(HWND list, int id) {
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    return items::firstIndexWithId(
        count,
        [list](int i) {
            return static_cast<std::intptr_t>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        },
        id);
}

} // namespace

LRESULT CALLBACK KWListBox::KWListBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWListBox::routingSteps() const {
    return 0;
}

LRESULT KWListBox::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return selection::passOn(previousProc, window, msg, wParam, lParam, listMessages, knownSelection);
}

void KWListBox::controlNotified(int code) {
    // The platform reports every release of the button over the list, also without a change.
    if (selection::userChoseAnother(handle, code, listMessages, knownSelection)) {
        postReport(handle, EVENT_SELECTED, getSelectedId());
    }
}

void KWListBox::addItem(int id, const std::string& text) {
    const LRESULT index =
        SendMessageW(handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text::wide(text).c_str()));
    if (index >= 0) {
        SendMessageW(handle, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(id));
    }
}

void KWListBox::removeItem(int id) {
    const int index = firstIndexWithId(handle, id);
    if (index >= 0) {
        SendMessageW(handle, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

void KWListBox::removeItem(const std::string& text) {
    const LRESULT index = SendMessageW(handle, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text::wide(text).c_str()));
    if (index != LB_ERR) {
        SendMessageW(handle, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

void KWListBox::selectItem(int id) {
    const int index = firstIndexWithId(handle, id);
    if (index >= 0) {
        SendMessageW(handle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

int KWListBox::getSelectedId() {
    // Without a window there is no selection (a null window would answer 0, a valid index).
    const LRESULT index = handle ? SendMessageW(handle, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (index == LB_ERR) {
        return LB_ERR;
    }
    return static_cast<int>(SendMessageW(handle, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::string KWListBox::getSelectedText() {
    const LRESULT index = handle ? SendMessageW(handle, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (index == LB_ERR) {
        return "";
    }
    // Sized to the item: texts of any length come back whole.
    const LRESULT length = SendMessageW(handle, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) {
        return "";
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(handle, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    if (copied == LB_ERR || copied < 0) {
        return "";
    }
    text.resize(static_cast<std::size_t>(copied < length ? copied : length));
    return text::narrow(text);
}

} // namespace KW
