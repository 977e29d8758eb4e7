#include "KWPanel.h"

#include <new>

namespace KW {

KWPanel* KWPanel::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWPanel cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWPanel(x, y, width, height, parent, id);
}

KWPanel::KWPanel(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_PANEL, parent, id) {
    HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, L"KWPANEL", L"", WS_CHILD | WS_VISIBLE, x, y, width,
                                  height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "KWPanel creation failed !")) {
        subclassWindow(routeMessage);
    }
}

} // namespace KW
