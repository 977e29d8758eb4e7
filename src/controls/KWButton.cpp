#include "KWButton.h"

#include "controls/CreationText.h"

#include <new>

namespace KW {

KWButton* KWButton::create(eStyles, const std::string& text, int x, int y, int width, int height,
                           KWObject* parent, int id) {
    if (!requireParent(parent, "Button cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWButton(text, x, y, width, height, parent, id);
}

KWButton::KWButton(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_BUTTON, parent, id) {
    HWND window = CreateWindowExA(0, "Button", text.c_str(), WS_CHILD | WS_VISIBLE | BS_FLAT, x, y, width,
                                  height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Button creation failed !")) {
        completeCreationText(handle, text);
        setDefaultFont(handle);
    }
}

} // namespace KW
