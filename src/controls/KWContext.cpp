#include "KWContext.h"

#include "KWObject.h"
#include "core/WideText.h"

#include <new>

namespace KW {

KWContext* KWContext::create() {
    return new (std::nothrow) KWContext();
}

KWContext::KWContext() : handle(CreatePopupMenu()) {}

void KWContext::addItem(int id, int parentId, const std::string& text, bool popup) {
    HMENU target = handle;
    if (parentId != -1) {
        const Entry* parentEntry = nullptr;
        for (const Entry& entry : entries) {
            if (entry.id == parentId) {
                parentEntry = &entry;
                break;
            }
        }
        if (!parentEntry) {
            return;
        }
        target = parentEntry->menu;
    }

    if (popup) {
        HMENU submenu = CreatePopupMenu();
        AppendMenuW(target, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text::wide(text).c_str());
        entries.push_back({id, submenu});
    } else {
        AppendMenuW(target, MF_STRING, static_cast<UINT_PTR>(id), text::wide(text).c_str());
        entries.push_back({id, parentId == -1 ? handle : nullptr});
    }
}

void KWContext::show(KWObject* owner) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    TrackPopupMenu(handle, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, owner ? owner->getHandle() : nullptr,
                   nullptr);
}

} // namespace KW
