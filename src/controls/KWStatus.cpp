#include "KWStatus.h"
#include "core/Theme.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <new>

namespace KW {

KWStatus* KWStatus::create(KWObject* parent, int id) {
    if (!requireParent(parent, "Status Bar cannot be created without a parent ! Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWStatus(parent, id);
}

KWStatus::KWStatus(KWObject* parent, int id) : KWObject(GADGET_STATUS, parent, id) {
    // Created empty at the origin: the control docks itself along the parent's bottom.
    HWND window = CreateWindowExW(0, L"msctls_statusbar32", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                  parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Status Bar creation failed !")) {
        setDefaultFont(handle);
        if (!theme::isLight()) {
            themeChanged();
        }
    }
}

void KWStatus::themeChanged() {
    // A visual style ignores the background colour: the bar drops it under any theme but light.
    const bool light = theme::isLight();
    if (light) {
        SetWindowTheme(handle, nullptr, nullptr);
    } else {
        SetWindowTheme(handle, L" ", L" ");
    }
    SendMessageW(handle, SB_SETBKCOLOR, 0,
                 light ? CLR_DEFAULT : static_cast<LPARAM>(theme::current().window));
}

void KWStatus::setParts(int count, int* rightEdges) {
    // The platform would read edges through a null pointer; it refuses bad counts itself.
    if (count > 0 && !rightEdges) {
        return;
    }
    SendMessageW(handle, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rightEdges));
}

void KWStatus::setBounds(const KWBound&) {
    SendMessageW(handle, WM_SIZE, 0, 0);
}

} // namespace KW
