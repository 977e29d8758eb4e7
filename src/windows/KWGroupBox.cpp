#include "KWGroupBox.h"
#include "core/WideText.h"

#include <new>

namespace KW {

KWGroupBox* KWGroupBox::create(eStyles, const std::string& text, int x, int y, int width, int height,
                               KWObject* parent, int id) {
    if (!requireParent(parent, "KWGroupBox cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWGroupBox(text, x, y, width, height, parent, id);
}

KWGroupBox::KWGroupBox(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_GROUPBOX, parent, id) {
    HWND window =
        CreateWindowExW(0, L"Button", text::wide(text).c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, x, y,
                        width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Group Box creation failed !")) {
        setDefaultFont(handle);
        subclassWindow(routeMessage);
    }
}

} // namespace KW
