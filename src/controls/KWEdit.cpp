#include "KWEdit.h"

#include "controls/CreationText.h"

#include <new>

namespace KW {

KWEdit* KWEdit::create(eStyles, const std::string& text, int x, int y, int width, int height,
                       KWObject* parent, int id) {
    // Refused like every other control: an edit field cannot live without a window to hold it.
    if (!requireParent(parent, "Edit Box cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWEdit(text, x, y, width, height, parent, id);
}

KWEdit::KWEdit(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_EDIT, parent, id) {
    HWND window = CreateWindowExA(0, "Edit", text.c_str(), WS_CHILD | WS_VISIBLE | ES_OEMCONVERT, x, y, width,
                                  height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Edit Box creation failed !")) {
        completeCreationText(handle, text);
        setDefaultFont(handle);
    }
}

} // namespace KW
