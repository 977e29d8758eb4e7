#include "KWOpenButton.h"
#include "core/TabOrder.h"

#include "controls/CreatedPlace.h"
#include "controls/PostedReport.h"
#include "controls/logic/InlineEditorLayout.h"
#include "core/WideText.h"

#include <new>

namespace KW {

namespace {

void placeChild(HWND window, const KWBound& bound) {
    SetWindowPos(window, HWND_BOTTOM, bound.left, bound.top, bound.right, bound.bottom, SWP_NOZORDER);
}

} // namespace

KWOpenButton* KWOpenButton::create(eStyles, const std::string& filter, int x, int y, int width, int height,
                                   bool selectFile, KWObject* parent, int id) {
    if (!requireParent(parent, "KWOpenButton cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWOpenButton(filter, x, y, width, height, selectFile, parent, id);
}

KWOpenButton::KWOpenButton(const std::string& filterText, int x, int y, int width, int height,
                           bool selectFile, KWObject* parent, int id)
    : KWObject(GADGET_OPENBUTTON, parent, id), selectFile(selectFile), buttonHandle(nullptr),
      editHandle(nullptr) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Each part is created where setPlacement would put it.
    const layout::InlineEditorParts parts = layout::inlineEditorParts(KWBound(x, x + width, y, y + height));
    const KWBound& box = parts.container;
    handle = CreateWindowExW(0, L"KWPANEL", L"", WS_CHILD | WS_VISIBLE, box.left, box.top, box.right,
                             box.bottom, parentHandle(), nullptr, instance, nullptr);
    editHandle = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_OEMCONVERT | ES_READONLY,
                                 parts.field.left, parts.field.top, parts.field.right, parts.field.bottom,
                                 handle, nullptr, instance, nullptr);
    buttonHandle = CreateWindowExW(0, L"Button", L"...", WS_CHILD | WS_VISIBLE | BS_FLAT, parts.button.left,
                                   parts.button.top, parts.button.right, parts.button.bottom, handle, nullptr,
                                   instance, nullptr);
    filter = filterText;
    taborder::markStop(buttonHandle);
    if (!handle || !editHandle || !buttonHandle) {
        return;
    }

    const LONG_PTR self = reinterpret_cast<LONG_PTR>(this);
    SetWindowLongPtrW(handle, GWLP_USERDATA, self);
    SetWindowLongPtrW(editHandle, GWLP_USERDATA, self);
    SetWindowLongPtrW(buttonHandle, GWLP_USERDATA, self);
    subclassWindow(routeMessage);
    keepCreatedPlace(handle, parts.container);
    keepCreatedPlace(editHandle, parts.field);
    keepCreatedPlace(buttonHandle, parts.button);
    setDefaultFont(editHandle);
    setDefaultFont(buttonHandle);
}

KWOpenButton::~KWOpenButton() = default;

LRESULT CALLBACK KWOpenButton::KWOpenButtonCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

void KWOpenButton::controlNotified(int code) {
    if (code == BN_CLICKED) {
        // The dialog reports the chosen path itself.
        open();
    }
}

std::string KWOpenButton::getText() const {
    // Without an edit (failed creation) the platform would fill the buffer with whatever it finds.
    if (!editHandle) {
        return std::string();
    }
    // At most 149 characters, never half of one.
    return text::windowText(editHandle, 149);
}

void KWOpenButton::setPath(const std::string& path) {
    if (editHandle) {
        text::setWindowText(editHandle, path);
    }
}

void KWOpenButton::setPlacement(KWBound& bound) {
    const layout::InlineEditorParts parts = layout::inlineEditorParts(bound);
    bound = parts.container;
    placeChild(handle, parts.container);
    placeChild(editHandle, parts.field);
    placeChild(buttonHandle, parts.button);
}

} // namespace KW
