#include "KWCheckBox.h"

#include "controls/CreationText.h"

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
    HWND window = CreateWindowExA(0, "Button", text.c_str(), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, x, y,
                                  width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "CheckBox creation failed !")) {
        completeCreationText(handle, text);
        subclassWindow(KWDefaultCallback);
        setDefaultFont(handle);
        checkedText = "True";
        uncheckedText = "False";
    }
}

KWCheckBox::~KWCheckBox() = default;

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
    return SendMessageA(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void KWCheckBox::changeAutoText() {
    setText(isChecked() ? checkedText : uncheckedText);
}

} // namespace KW
