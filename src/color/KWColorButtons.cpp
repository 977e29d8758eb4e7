#include "KWColorButtons.h"
#include "core/TabOrder.h"

#include "KWColorPicker.h"
#include "color/GdiPlus.h"
#include "color/PickerHost.h"
#include "core/DpiFonts.h"
#include "core/GadgetAccessible.h"
#include "core/logic/HexColor.h"

#include <windowsx.h>

#include <new>
#include <oleacc.h>

namespace KW {

KWColorButtons* KWColorButtons::create(eStyles, int x, int y, int width, int height, const KWColor& color1,
                                       const KWColor& color2, KWObject* parent, KWObject* window, int) {
    // Without the window to block while the picker is open the gadget could not be used safely.
    if (!window) {
        parent = nullptr;
    }
    if (!requireParent(parent, "KWColorButtons cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWColorButtons(x, y, width, height, color1, color2, parent, window);
}

KWColorButtons::KWColorButtons(int x, int y, int width, int height, const KWColor& first,
                               const KWColor& second, KWObject* parent, KWObject* blocked)
    : KWObject(GADGET_COLORBUTTONS, parent, -1), color1(0, 0, 0, 255), color2(0, 0, 0, 255),
      pickerHost(nullptr), editingFirst(true), window(nullptr) {
    HWND created = CreateWindowExW(0, L"KWPANEL", L"", WS_CHILD | WS_VISIBLE, x, y, width, height,
                                   parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(created);
    if (!attachWindow(created, "Color Buttons creation failed !")) {
        return;
    }
    subclassWindow(routeMessage);
    color1 = first;
    color2 = second;
    window = blocked;
    watchDeletions();
    pickerHost =
        new (std::nothrow) PickerHost(this, KWColor(0, 0, 0, 255), 100, 100,
                                      [this](bool kept, const KWColor& color) { closePicker(kept, color); });
}

KWColorButtons::~KWColorButtons() {
    // The base destroys the picker after this object is gone: it must no longer find it.
    delete pickerHost;
}

void KWColorButtons::drawColors(HDC hdc) {
    const KWBound client = getGlobalBounds();
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) {
        return;
    }
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        std::unique_ptr<Gdiplus::Bitmap> tile = paint::makeCheckerTile(getDpi());
        Gdiplus::TextureBrush checker(tile.get(), Gdiplus::WrapModeTile);
        graphics.FillRectangle(&checker, 0, 0, width, height);
        const int half = width / 2;
        Gdiplus::SolidBrush left(paint::toGdiplus(color1));
        graphics.FillRectangle(&left, 0, 0, half, height);
        Gdiplus::SolidBrush right(paint::toGdiplus(color2));
        graphics.FillRectangle(&right, half, 0, width - half, height);
    }
    Gdiplus::Graphics screen(hdc);
    screen.DrawImage(&bitmap, 0, 0, width, height);
    if (GetFocus() == handle) {
        const int half = width / 2;
        RECT mark = keyboardFirst ? RECT{0, 0, half, height} : RECT{half, 0, width, height};
        InflateRect(&mark, -2, -2);
        DrawFocusRect(hdc, &mark);
    }
}

bool KWColorButtons::keyPressed(WPARAM key) {
    if (key == VK_LEFT || key == VK_RIGHT) {
        keyboardFirst = key == VK_LEFT;
        InvalidateRect(handle, nullptr, FALSE);
        NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, keyboardFirst ? 1 : 2);
        return true;
    }
    if (key == VK_SPACE || key == VK_RETURN) {
        openPicker(keyboardFirst);
        return true;
    }
    return false;
}

void KWColorButtons::setNumericInput(bool enabled) {
    if (pickerHost && pickerHost->picker()) {
        pickerHost->picker()->setNumericInput(enabled);
    }
}

void KWColorButtons::openPicker(bool first) {
    if (!pickerHost || !pickerHost->picker()) {
        return;
    }
    KWAccessibleElement swatch;
    describeAccessible(first ? 1 : 2, swatch);
    editingFirst = first;
    pickerHost->open(first ? color1 : color2, swatch.screen, window);
}

void KWColorButtons::forgetGadget(KWObject* gadget) {
    if (gadget == window) {
        window = nullptr;
    }
    if (pickerHost) {
        pickerHost->forget(gadget);
    }
}

void KWColorButtons::closePicker(bool kept, const KWColor& color) {
    if (!kept) {
        return;
    }
    (editingFirst ? color1 : color2) = color;
    // The repaint stays queued, as it always was; the getters are what the handler reads.
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE);
    notify(EVENT_CHANGED, editingFirst ? 0 : 1);
}

int KWColorButtons::accessibleChildCount() const {
    return 2;
}

// The gadget, then its two swatches, the first one on the left half.
bool KWColorButtons::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child < 0 || child > 2) {
        return false;
    }
    element.screen = screenRect();
    if (child == 0) {
        element.role = ROLE_SYSTEM_GROUPING;
        element.name = getAccessibleName();
        return true;
    }
    const LONG middle = element.screen.left + (element.screen.right - element.screen.left) / 2;
    (child == 1 ? element.screen.right : element.screen.left) = middle;
    element.role = ROLE_SYSTEM_PUSHBUTTON;
    element.name = child == 1 ? "First colour" : "Second colour";
    if (GetFocus() == handle && keyboardFirst == (child == 1)) {
        element.state = STATE_SYSTEM_FOCUSED;
    }
    const KWColor& swatch = child == 1 ? color1 : color2;
    element.value = hexColor(swatch.r, swatch.g, swatch.b, swatch.a);
    return true;
}

LRESULT CALLBACK KWColorButtons::KWColorButtonsCallback(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(hwnd, msg, wParam, lParam);
}

unsigned KWColorButtons::routingSteps() const {
    return ROUTE_DEFAULTS | ROUTE_ALIGNMENT;
}

LRESULT KWColorButtons::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && keyPressed(wParam)) {
        return 0;
    }
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
        InvalidateRect(window, nullptr, FALSE);
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(window, &ps);
        drawColors(hdc);
        EndPaint(window, &ps);
        return 0;
    }
    if (msg == WM_LBUTTONUP) {
        const int x = GET_X_LPARAM(lParam);
        const int y = GET_Y_LPARAM(lParam);
        const KWBound client = getGlobalBounds();
        const int half = client.right / 2;
        const bool inHeight = y >= 0 && y <= client.bottom;
        if (inHeight && x >= 0 && x <= half) {
            openPicker(true);
        } else if (inHeight && x > half && x <= client.right) {
            openPicker(false);
        }
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT CALLBACK KWColorButtons::KWColorPickerCustomCallback(HWND hwnd, UINT msg, WPARAM wParam,
                                                             LPARAM lParam) {
    return routeMessage(hwnd, msg, wParam, lParam);
}

} // namespace KW
