#include "KWCheckBox.h"
#include "core/TabOrder.h"

#include "controls/CreationText.h"
#include "controls/PostedReport.h"
#include "core/WideText.h"

#include <new>

namespace KW {

KWCheckBox* KWCheckBox::create(eStyles, const std::string& text, int x, int y, int width, int height,
                               KWObject* parent, int id) {
    if (!requireParent(parent, "CheckBox cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWCheckBox(text, x, y, width, height, parent, id);
}

KWCheckBox::KWCheckBox(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_CHECKBOX, parent, id), autoTextEnabled(false) {
    HWND window =
        CreateWindowExW(0, L"Button", creationText(text).c_str(), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, x,
                        y, width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "CheckBox creation failed !")) {
        completeCreationText(handle, text);
        subclassWindow(routeMessage);
        setDefaultFont(handle);
        checkedText = "True";
        uncheckedText = "False";
    }
}

KWCheckBox::~KWCheckBox() {
    // Messages of the window's last moments go straight to the button, not to a half-destroyed gadget.
    if (previousProc && IsWindow(handle)) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    }
}

LRESULT CALLBACK KWCheckBox::KWCheckBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

void KWCheckBox::controlNotified(int code) {
    // An automatic check box changes its state on every click; an automatic caption follows it.
    if (code == BN_CLICKED) {
        if (autoTextEnabled) {
            changeAutoText();
        }
        postReport(handle, EVENT_CHANGED, id);
    }
}

void KWCheckBox::setAutoTextEnabled(bool enabled) {
    autoTextEnabled = enabled;
    changeAutoText();
}

void KWCheckBox::setCheckedText(const std::string& text) {
    checkedText = text;
}

void KWCheckBox::setUncheckedText(const std::string& text) {
    uncheckedText = text;
}

bool KWCheckBox::isChecked() const {
    return SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void KWCheckBox::setChecked(bool checked) {
    SendMessageW(handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (autoTextEnabled) {
        changeAutoText();
    }
}

void KWCheckBox::changeAutoText() {
    setText(isChecked() ? checkedText : uncheckedText);
}

} // namespace KW
