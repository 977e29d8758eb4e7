#include "KWComboBox.h"
#include "core/TabOrder.h"

#include "controls/logic/ComboGeometry.h"
#include "controls/logic/ItemSearch.h"
#include "controls/PostedReport.h"
#include "controls/SelectionTracking.h"
#include "core/WideText.h"

#include <new>

namespace KW {

KWComboBox* KWComboBox::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWComboBox cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWComboBox(x, y, width, height, parent, id);
}

KWComboBox::KWComboBox(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_COMBOBOX, parent, id), knownSelection(CB_ERR) {
    HWND window =
        CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_HASSTRINGS, x, y,
                        width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "ComboBox creation failed !")) {
        setDefaultFont(handle);
        subclassWindow(routeMessage);
    }
}

KWComboBox::~KWComboBox() {
    // Messages of the window's last moments go straight to the control, not to a half-destroyed gadget.
    if (previousProc && IsWindow(handle)) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    }
}

namespace {

// Messages by which a program changes the items or the selection.
bool changesSelection(UINT msg) {
    switch (msg) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_DELETESTRING:
    case CB_RESETCONTENT:
    case CB_SETCURSEL:
    case CB_SELECTSTRING:
    case CB_DIR:
        return true;
    default:
        return false;
    }
}

const selection::ListMessages comboMessages = {CB_GETCURSEL, CB_ERR, CBN_SELCHANGE, changesSelection};

} // namespace

LRESULT CALLBACK KWComboBox::KWComboBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWComboBox::routingSteps() const {
    return 0;
}

LRESULT KWComboBox::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return selection::passOn(previousProc, window, msg, wParam, lParam, comboMessages, knownSelection);
}

void KWComboBox::controlNotified(int code) {
    // The platform also reports a click on the item that was already selected.
    if (selection::userChoseAnother(handle, code, comboMessages, knownSelection)) {
        postReport(handle, EVENT_SELECTED, getSelectedId());
    }
}

void KWComboBox::addItem(int id, const std::string& text) {
    const LRESULT index =
        SendMessageW(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text::wide(text).c_str()));
    if (index >= 0) {
        SendMessageW(handle, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(id));
    }
}

void KWComboBox::removeItem(int id) {
    const int count = static_cast<int>(SendMessageW(handle, CB_GETCOUNT, 0, 0));
    const int index = items::firstIndexWithId(
        count,
        [this](int i) {
            return static_cast<std::intptr_t>(
                SendMessageW(handle, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        },
        id);
    if (index >= 0) {
        SendMessageW(handle, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

void KWComboBox::removeItem(const std::string& text) {
    const LRESULT index = SendMessageW(handle, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text::wide(text).c_str()));
    if (index != CB_ERR) {
        SendMessageW(handle, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

void KWComboBox::selectItem(int id) {
    const int count = static_cast<int>(SendMessageW(handle, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        if (static_cast<int>(SendMessageW(handle, CB_GETITEMDATA, index, 0)) == id) {
            SendMessageW(handle, CB_SETCURSEL, index, 0);
            return;
        }
    }
}

int KWComboBox::getSelectedId() {
    // Without a window there is no selection (a null window would answer 0, a valid index).
    const LRESULT index = handle ? SendMessageW(handle, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (index == CB_ERR) {
        return CB_ERR;
    }
    return static_cast<int>(SendMessageW(handle, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
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
    SendMessageW(handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), combo::selectionFieldHeight(height));
}

} // namespace KW
