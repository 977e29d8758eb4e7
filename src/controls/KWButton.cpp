#include "KWButton.h"
#include "core/TabOrder.h"

#include "controls/CreationText.h"
#include "controls/PostedReport.h"
#include "core/WideText.h"
#include "core/Theme.h"

#include <new>

namespace KW {

KWButton* KWButton::create(eStyles, const std::string& text, int x, int y, int width, int height,
                           KWObject* parent, int id) {
    if (!requireParent(parent, "Button cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWButton(text, x, y, width, height, parent, id);
}

KWButton::KWButton(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_BUTTON, parent, id) {
    HWND window =
        CreateWindowExW(0, L"Button", creationText(text).c_str(), WS_CHILD | WS_VISIBLE | BS_FLAT, x, y,
                        width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "Button creation failed !")) {
        completeCreationText(handle, text);
        setDefaultFont(handle);
        subclassWindow(routeMessage);
    }
}

bool KWButton::customDraw(NMCUSTOMDRAW* draw, LRESULT& result) {
    if (theme::isLight() || draw->dwDrawStage != CDDS_PREPAINT) {
        return false;
    }
    const KWTheme& colors = theme::current();
    const bool pressed = (draw->uItemState & CDIS_SELECTED) != 0;
    const bool enabled = (draw->uItemState & CDIS_DISABLED) == 0 && IsWindowEnabled(handle);
    // The raised surface of the theme is the rollout bars' colour.
    FillRect(draw->hdc, &draw->rc, theme::brush(pressed ? colors.selection : colors.rolloutBar));
    FrameRect(draw->hdc, &draw->rc, theme::brush(colors.border));
    HGDIOBJ previousFont =
        SelectObject(draw->hdc, reinterpret_cast<HGDIOBJ>(SendMessageW(handle, WM_GETFONT, 0, 0)));
    const int previousMode = SetBkMode(draw->hdc, TRANSPARENT);
    const COLORREF previousText = SetTextColor(draw->hdc, !enabled  ? colors.disabledText
                                                          : pressed ? colors.selectionText
                                                                    : colors.text);
    RECT caption = draw->rc;
    const std::wstring text = text::wideWindowText(handle);
    DrawTextW(draw->hdc, text.c_str(), static_cast<int>(text.size()), &caption,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (draw->uItemState & CDIS_FOCUS) {
        RECT mark = draw->rc;
        InflateRect(&mark, -scale(3), -scale(3));
        DrawFocusRect(draw->hdc, &mark);
    }
    SetTextColor(draw->hdc, previousText);
    SetBkMode(draw->hdc, previousMode);
    SelectObject(draw->hdc, previousFont);
    result = CDRF_SKIPDEFAULT;
    return true;
}

KWButton::~KWButton() {
    // Messages of the window's last moments go straight to the button, not to a half-destroyed gadget.
    if (previousProc && IsWindow(handle)) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    }
}

LRESULT CALLBACK KWButton::KWButtonCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWButton::routingSteps() const {
    return 0;
}

LRESULT KWButton::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Enter on the focused button clicks it, as Space does; a held key repeats nothing.
    if (msg == WM_KEYDOWN && wParam == VK_RETURN && !(lParam & (1 << 30))) {
        postReport(window, EVENT_CLICKED, id);
    }
    return passOn(window, msg, wParam, lParam);
}

void KWButton::controlNotified(int code) {
    if (code == BN_CLICKED) {
        postReport(handle, EVENT_CLICKED, id);
    }
}

} // namespace KW
