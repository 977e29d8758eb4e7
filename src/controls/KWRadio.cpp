#include "KWRadio.h"
#include "core/TabOrder.h"

#include "controls/CreationText.h"
#include "controls/PostedReport.h"
#include "core/WideText.h"

#include <new>

namespace KW {

KWRadio* KWRadio::create(eStyles, const std::string& text, int x, int y, int width, int height,
                         KWObject* parent, int id) {
    if (!requireParent(parent, "Radio Button cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWRadio(text, x, y, width, height, parent, id);
}

KWRadio::KWRadio(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_RADIO, parent, id), messageDepth(0), selectedBefore(false) {
    HWND window = CreateWindowExW(WS_EX_TRANSPARENT, L"Button", creationText(text).c_str(),
                                  WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, x, y, width, height,
                                  parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "Radio button creation failed !")) {
        completeCreationText(handle, text);
        setDefaultFont(handle);
        subclassWindow(routeMessage);
    }
}

KWRadio::~KWRadio() {
    // Messages of the window's last moments go straight to the button, not to a half-destroyed gadget.
    if (previousProc && IsWindow(handle)) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    }
}

LRESULT CALLBACK KWRadio::KWRadioCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWRadio::routingSteps() const {
    return 0;
}

LRESULT KWRadio::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The state as the message that may check this button found it: a click on a button that is
    // already selected reports BN_CLICKED as well, but changes nothing.
    if (messageDepth == 0) {
        selectedBefore = passOn(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    ++messageDepth;
    const LRESULT result = passOn(window, msg, wParam, lParam);
    --messageDepth;
    return result;
}

void KWRadio::controlNotified(int code) {
    // Only the clicked button reports; the siblings it unchecked are told nothing by the platform.
    if (code == BN_CLICKED && isSelected() != selectedBefore) {
        selectedBefore = isSelected();
        postReport(handle, EVENT_CHANGED, id);
    }
}

void KWRadio::setSelected(bool selected) {
    SendMessageW(handle, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool KWRadio::isSelected() const {
    return SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace KW
