#include "KWColorButton.h"
#include "core/TabOrder.h"
#include "core/GadgetAccessible.h"
#include "core/logic/HexColor.h"

#include <commctrl.h>
#include <commdlg.h>

#include <new>
#include <oleacc.h>

namespace KW {

// The dialog always opens on this colour (red 125, green 47, blue 241), not on the shown one.
static const COLORREF dialogStartColor = 0xF12F7D;

KWColorButton* KWColorButton::create(eStyles, int x, int y, int width, int height, const KWColor& color,
                                     KWObject* parent, int id) {
    if (!requireParent(parent, "KWColorButton cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWColorButton(x, y, width, height, color, parent, id);
}

KWColorButton::KWColorButton(int x, int y, int width, int height, const KWColor& color, KWObject* parent,
                             int id)
    : KWObject(GADGET_COLORBUTTON, parent, id), color(color) {
    HWND window = CreateWindowExW(0, L"KWPANEL", L"", WS_CHILD | WS_VISIBLE, x, y, width, height,
                                  parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "Color Button creation failed !")) {
        subclassWindow(routeMessage);
    }
}

void KWColorButton::setColor(const KWColor& value) {
    color = value;
    InvalidateRect(handle, nullptr, FALSE);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
}

bool KWColorButton::chooseColor() {
    // Custom colours start black at every opening and are not kept.
    COLORREF customColors[16] = {};
    CHOOSECOLORA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = handle;
    dialog.lpCustColors = customColors;
    dialog.rgbResult = dialogStartColor;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorA(&dialog) != 1) {
        return true;
    }
    // The dialog knows no alpha: the previous opacity stays.
    color = KWColor::fromColorRef(dialog.rgbResult, color.a);
    if (tooltipWindow) {
        SendMessageW(tooltipWindow, TTM_POP, 0, 0);
    }
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE);
    UpdateWindow(handle);
    return notify(EVENT_CHANGED, id);
}

void KWColorButton::paint() {
    const RECT area = getGlobalBounds().toRect();
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(handle, &ps);
    HBRUSH brush = CreateSolidBrush(color.toColorRef());
    FillRect(hdc, &area, brush);
    DeleteObject(brush);
    if (GetFocus() == handle) {
        RECT mark = area;
        InflateRect(&mark, -2, -2);
        DrawFocusRect(hdc, &mark);
    }
    EndPaint(handle, &ps);
}

bool KWColorButton::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child != 0) {
        return false;
    }
    element.role = ROLE_SYSTEM_PUSHBUTTON;
    element.name = getAccessibleName();
    element.value = hexColor(color.r, color.g, color.b, color.a);
    element.screen = screenRect();
    return true;
}

LRESULT CALLBACK KWColorButton::KWColorButtonCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWColorButton::routingSteps() const {
    return ROUTE_DEFAULTS | ROUTE_ALIGNMENT;
}

LRESULT KWColorButton::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool pressed = msg == WM_KEYDOWN && (wParam == VK_SPACE || wParam == VK_RETURN);
    if (msg == WM_LBUTTONUP || pressed) {
        if (!chooseColor()) {
            // The handler deleted the gadget and its window.
            return 0;
        }
    } else if (msg == WM_PAINT) {
        paint();
        return 0;
    } else if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
        InvalidateRect(window, nullptr, FALSE);
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace KW
