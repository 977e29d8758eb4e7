#include "KWStatus.h"

#include <commctrl.h>
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
    }
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
