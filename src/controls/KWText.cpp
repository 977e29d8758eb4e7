#include "KWText.h"

#include "controls/CreationText.h"

#include "core/logic/StyleMapping.h"
#include "core/WideText.h"

#include <new>

namespace KW {

KWText* KWText::create(eStyles, const std::string& text, int x, int y, int width, int height,
                       KWTextAlign align, KWObject* parent, int id) {
    if (!requireParent(parent, "KWText cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWText(text, x, y, width, height, align, parent, id);
}

KWText::KWText(const std::string& text, int x, int y, int width, int height, KWTextAlign align,
               KWObject* parent, int id)
    : KWObject(GADGET_TEXT, parent, id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | styles::textAlignStyle(align);
    HWND window = CreateWindowExW(0, L"Static", creationText(text).c_str(), style, x, y, width, height,
                                  parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Text creation failed !")) {
        completeCreationText(handle, text);
        subclassWindow(routeMessage);
        setDefaultFont(handle);
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE);
    }
}

} // namespace KW
