#include "KWRadio.h"

#include "controls/CreationText.h"

#include <new>

namespace KW {

KWRadio* KWRadio::create(eStyles, const std::string& text, int x, int y, int width, int height,
                         KWObject* parent, int id) {
    if (!requireParent(parent, "Radio Button cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWRadio(text, x, y, width, height, parent, id);
}

KWRadio::KWRadio(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_RADIO, parent, id) {
    HWND window =
        CreateWindowExA(WS_EX_TRANSPARENT, "Button", text.c_str(), WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON,
                        x, y, width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Radio button creation failed !")) {
        completeCreationText(handle, text);
        setDefaultFont(handle);
    }
}

void KWRadio::setSelected(bool selected) {
    SendMessageA(handle, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool KWRadio::isSelected() const {
    return SendMessageA(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace KW
