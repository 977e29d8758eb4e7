#include "KWEdit.h"
#include "core/TabOrder.h"

#include "controls/CreationText.h"
#include "controls/FieldOverflow.h"
#include "controls/PostedReport.h"
#include "core/WideText.h"

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
    : KWObject(GADGET_EDIT, parent, id), settingText(0), typedSinceCommit(false) {
    HWND window =
        CreateWindowExW(0, L"Edit", creationText(text).c_str(), WS_CHILD | WS_VISIBLE | ES_OEMCONVERT, x, y,
                        width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "Edit Box creation failed !")) {
        completeCreationText(handle, text);
        setDefaultFont(handle);
        subclassWindow(routeMessage);
    }
}

KWEdit::~KWEdit() {
    // Messages of the window's last moments go straight to the edit, not to a half-destroyed gadget.
    if (previousProc && IsWindow(handle)) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    }
}

LRESULT CALLBACK KWEdit::KWEditCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWEdit::routingSteps() const {
    return 0;
}

LRESULT KWEdit::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETTEXT) {
        // Text set by the program: its change notification is no user's typing, and what was typed
        // before is gone.
        ++settingText;
        const LRESULT result = passOn(window, msg, wParam, lParam);
        --settingText;
        typedSinceCommit = false;
        return result;
    }
    const LRESULT result = window == handle && previousProc
                               ? field::passEditing(window, previousProc, msg, wParam, lParam)
                               : passOn(window, msg, wParam, lParam);
    if (msg == WM_CHAR && wParam == VK_RETURN) {
        commitTyping();
    }
    return result;
}

void KWEdit::controlNotified(int code) {
    if (code == EN_CHANGE && settingText == 0) {
        typedSinceCommit = true;
        postReport(handle, EVENT_CHANGING, id);
    } else if (code == EN_KILLFOCUS) {
        commitTyping();
    }
}

void KWEdit::commitTyping() {
    if (typedSinceCommit) {
        typedSinceCommit = false;
        postReport(handle, EVENT_CHANGED, id);
    }
}

} // namespace KW
