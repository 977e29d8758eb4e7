#include "KWColorPicker.h"
#include "core/TabOrder.h"

#include "color/GdiPlus.h"
#include "color/PickerHost.h"
#include "color/logic/Hsv.h"
#include "color/logic/NumericColor.h"
#include "color/logic/PickerLayout.h"
#include "core/DpiFonts.h"
#include "core/logic/HexColor.h"
#include "core/WideText.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>

namespace KW {

namespace {

// The alpha slider runs its gradient over all rows but the last of its ramp; the flipping wrap mode
// makes the last row show the end colour instead of wrapping to the start.
Gdiplus::RectF alphaRampRect(int ramp) {
    const float last = static_cast<float>(ramp - 1);
    return Gdiplus::RectF(0.0f, 0.0f, last, last);
}

// Fills a bitmap pixel by pixel: the hue slider and the box show exactly the colours their markers stand
// for, which gradient brushes only approximate.
template <typename ColorAt> void fillPixels(Gdiplus::Bitmap& bitmap, int width, int height, ColorAt colorAt) {
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data;
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        UINT32* row =
            reinterpret_cast<UINT32*>(static_cast<BYTE*>(data.Scan0) + static_cast<INT_PTR>(y) * data.Stride);
        for (int x = 0; x < width; ++x) {
            const KWColor c = colorAt(x, y);
            row[x] = 0xFF000000u | (static_cast<UINT32>(c.r) << 16) | (static_cast<UINT32>(c.g) << 8) |
                     static_cast<UINT32>(c.b);
        }
    }
    bitmap.UnlockBits(&data);
}

COLORREF pixelOrBlack(Gdiplus::Bitmap& bitmap, int x, int y) {
    Gdiplus::Color sample;
    if (x < 0 || y < 0 || bitmap.GetPixel(x, y, &sample) != Gdiplus::Ok) {
        return RGB(0, 0, 0);
    }
    return RGB(sample.GetR(), sample.GetG(), sample.GetB());
}

void drawRing(Gdiplus::Graphics& graphics, const Gdiplus::Color& color, float width, int radius, int x,
              int y) {
    Gdiplus::Pen pen(color, width);
    graphics.DrawEllipse(&pen, x - radius, y - radius, 2 * radius, 2 * radius);
}

// Each area's client holds exactly the ramp: the areas are as much larger as their client edges take.
picker::Layout layoutOf(int dpi) {
    return picker::layoutAt(dpi, 2 * GetSystemMetrics(SM_CXEDGE));
}

void place(HWND window, const picker::Place& where) {
    if (window) {
        SetWindowPos(window, nullptr, where.x, where.y, where.width, where.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void invalidate(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
}

} // namespace

KWColorPicker::KWColorPicker(KWColor initial, int x, int y, KWObject* parent)
    : KWObject(GADGET_COLORPICKER, parent, -1),
      color(initial), alphaMarker{0, 0}, hueMarker{0, 0}, boxMarker{0, 0}, hue(0.0f), saturation(0.0f),
      brightness(0.0f), exact(false), fieldHue(0), fieldSaturation(0), fieldValue(0), numericInput(false),
      writingFields(false), fieldsPanel(nullptr), fields(), fieldsProc(nullptr), boxHandle(nullptr),
      hueHandle(nullptr), alphaHandle(nullptr), resultHandle(nullptr), okButton(nullptr),
      cancelButton(nullptr), textHandle(nullptr), boxProc(nullptr), hueProc(nullptr), alphaProc(nullptr),
      resultProc(nullptr), fieldLabels(), layoutDpi(dpi::ofWindow(parentHandle())) {
    loadColor(initial);
    visible = false;

    const picker::Layout l = layoutOf(layoutDpi);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    handle = CreateWindowExW(0, L"KWWINDOW", L"Select Color...", WS_POPUPWINDOW | WS_DLGFRAME, x, y,
                             l.popupWidth, l.popupHeight, parentHandle(), nullptr, instance, nullptr);
    if (!handle) {
        return;
    }
    // A top-level window of its own: it draws at its owner's DPI and follows the owner's DPI changes.
    dpi::announce(handle, layoutDpi);
    SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    subclassWindow(routeMessage);

    boxHandle = createArea(l.box.x, l.box.y, l.box.width, l.box.height, 0, KWColorBoxCallback, &boxProc);
    hueHandle = createArea(l.hue.x, l.hue.y, l.hue.width, l.hue.height, 0, KWHueSlideCallback, &hueProc);
    alphaHandle =
        createArea(l.alpha.x, l.alpha.y, l.alpha.width, l.alpha.height, 0, KWAlphaSlideCallback, &alphaProc);
    resultHandle = createArea(l.result.x, l.result.y, l.result.width, l.result.height, WS_BORDER,
                              KWResultColorCallback, &resultProc);

    const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | BS_FLAT;
    okButton = CreateWindowExW(0, L"Button", L"Ok", buttonStyle, l.ok.x, l.ok.y, l.ok.width, l.ok.height,
                               handle, nullptr, instance, nullptr);
    cancelButton = CreateWindowExW(0, L"Button", L"Cancel", buttonStyle, l.cancel.x, l.cancel.y,
                                   l.cancel.width, l.cancel.height, handle, nullptr, instance, nullptr);
    for (HWND button : {okButton, cancelButton}) {
        if (button) {
            setDefaultFont(button);
            SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            taborder::markStop(button);
        }
    }

    textHandle =
        CreateWindowExW(0, L"Static", text::wide(hsv::componentText(initial)).c_str(), WS_CHILD | WS_VISIBLE,
                        l.text.x, l.text.y, l.text.width, l.text.height, handle, nullptr, instance, nullptr);
    if (textHandle) {
        setDefaultFont(textHandle);
    }
}

HWND KWColorPicker::createArea(int x, int y, int width, int height, DWORD style, WNDPROC procedure,
                               WNDPROC* previous) {
    HWND area = CreateWindowExW(WS_EX_CLIENTEDGE, L"KWWINDOW", L"", WS_CHILD | WS_VISIBLE | style, x, y,
                                width, height, handle, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (area) {
        SetWindowLongPtrW(area, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        *previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(area, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    }
    return area;
}

KWColor KWColorPicker::getColor() {
    return color;
}

void KWColorPicker::setColor(KWColor value) {
    loadColor(value);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
}

bool KWColorPicker::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child != 0) {
        return false;
    }
    element.role = ROLE_SYSTEM_DIALOG;
    element.name = getAccessibleName();
    element.value = hexColor(color.r, color.g, color.b, color.a);
    element.screen = screenRect();
    return true;
}

void KWColorPicker::loadColor(const KWColor& value) {
    exact = false;
    const numeric::State state = numeric::fromColor(value);
    fieldHue = state.hue;
    fieldSaturation = state.saturation;
    fieldValue = state.value;
    const hsv::HsvColor converted = hsv::fromRgb(value.r, value.g, value.b);
    hue = converted.hue;
    saturation = converted.saturation;
    brightness = converted.brightness;
    placeMarkers(converted.hue, converted.saturation, converted.brightness, value.a);
    color = value;
}

void KWColorPicker::placeMarkers(float placedHue, float placedSaturation, float placedBrightness, int alpha) {
    const hsv::HsvColor placed = {placedHue, placedSaturation, placedBrightness};
    const picker::Layout l = layoutOf(layoutDpi);
    const hsv::PickerMarkers markers = hsv::markersFor(placed, alpha, l.ramp, l.markerColumn);
    alphaMarker = {markers.alphaX, markers.alphaY};
    hueMarker = {markers.hueX, markers.hueY};
    boxMarker = {markers.boxX, markers.boxY};
}

void KWColorPicker::dpiChanged(int, int newDpi) {
    if (!handle || newDpi == layoutDpi) {
        return;
    }
    const int oldRamp = layoutOf(layoutDpi).ramp;
    layoutDpi = newDpi;
    dpi::announce(handle, newDpi);
    const picker::Layout l = layoutOf(layoutDpi);
    // The markers keep their places in the larger or smaller areas, and the colour stays exactly what it
    // was: a display change picks no new colour.
    for (Marker* marker : {&alphaMarker, &hueMarker, &boxMarker}) {
        marker->x = hsv::rescaleRampPosition(marker->x, oldRamp, l.ramp);
        marker->y = hsv::rescaleRampPosition(marker->y, oldRamp, l.ramp);
    }
    exact = true;

    const int height = l.popupHeight + (numericInput ? l.fieldsGrowth : 0);
    SetWindowPos(handle, nullptr, 0, 0, l.popupWidth, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    place(boxHandle, l.box);
    place(hueHandle, l.hue);
    place(alphaHandle, l.alpha);
    place(resultHandle, l.result);
    place(okButton, l.ok);
    place(cancelButton, l.cancel);
    place(textHandle, l.text);
    place(fieldsPanel, l.fields);
    for (int field = 0; field < picker::fieldCount; ++field) {
        place(fieldLabels[field], l.field[field].label);
        place(fields[field], l.field[field].edit);
    }
    // The popup's windows are no children of the owner's: their fonts are not swapped with the owner's.
    for (HWND control : {okButton, cancelButton, textHandle}) {
        if (control) {
            setDefaultFont(control);
        }
    }
    for (int field = 0; field < picker::fieldCount; ++field) {
        for (HWND control : {fieldLabels[field], fields[field]}) {
            if (control) {
                setDefaultFont(control);
            }
        }
    }
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int KWColorPicker::round(float x) {
    return hsv::roundHalfAway(x);
}

void KWColorPicker::redrawHue(HDC hdc) {
    const picker::Layout l = layoutOf(layoutDpi);
    const int ramp = l.ramp;
    Gdiplus::Bitmap bitmap(l.sliderWidth, ramp, PixelFormat32bppARGB);
    fillPixels(bitmap, l.sliderWidth, ramp,
               [ramp](int, int y) { return hsv::toRgb(hsv::hueOfRow(y, ramp), 1.0f, 1.0f); });

    Gdiplus::Graphics screen(hdc);
    screen.SetPageUnit(Gdiplus::UnitPixel);
    screen.DrawImage(&bitmap, 0, 0, l.sliderWidth, ramp);
    drawRing(screen, Gdiplus::Color(255, 0, 0, 0), l.sliderRingWidth, l.ringRadius, hueMarker.x, hueMarker.y);
    invalidate(boxHandle);
}

void KWColorPicker::redrawSaturationAndBrightness(HDC hdc) {
    // The hue is the loaded or dragged one, never a pixel read back from the slider.
    const picker::Layout l = layoutOf(layoutDpi);
    const int ramp = l.ramp;
    Gdiplus::Bitmap bitmap(ramp, ramp, PixelFormat32bppARGB);
    const float shownHue = hue;
    fillPixels(bitmap, ramp, ramp,
               [shownHue, ramp](int x, int y) { return hsv::boxColor(shownHue, x, y, ramp); });
    if (!exact) {
        const COLORREF sample = pixelOrBlack(bitmap, boxMarker.x, boxMarker.y);
        color.r = GetRValue(sample);
        color.g = GetGValue(sample);
        color.b = GetBValue(sample);
        color.a = hsv::alphaOfRow(alphaMarker.y, ramp);
    }

    Gdiplus::Graphics screen(hdc);
    screen.SetPageUnit(Gdiplus::UnitPixel);
    screen.DrawImage(&bitmap, 0, 0, ramp, ramp);
    const bool darkCorner = boxMarker.x < l.darkCorner && boxMarker.y < l.darkCorner;
    drawRing(screen, darkCorner ? Gdiplus::Color(255, 0, 0, 0) : Gdiplus::Color(255, 255, 255, 255),
             l.boxRingWidth, l.ringRadius, boxMarker.x, boxMarker.y);
    invalidate(alphaHandle);
}

void KWColorPicker::redrawAlpha(HDC hdc) {
    const picker::Layout l = layoutOf(layoutDpi);
    const int ramp = l.ramp;
    Gdiplus::Bitmap bitmap(l.sliderWidth, ramp, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.SetPageUnit(Gdiplus::UnitPixel);
        std::unique_ptr<Gdiplus::Bitmap> tile = paint::makeCheckerTile(layoutDpi);
        Gdiplus::TextureBrush checker(tile.get(), Gdiplus::WrapModeTile);
        graphics.FillRectangle(&checker, 0, 0, l.sliderWidth, l.alpha.height);
        const BYTE r = static_cast<BYTE>(color.r);
        const BYTE g = static_cast<BYTE>(color.g);
        const BYTE b = static_cast<BYTE>(color.b);
        Gdiplus::LinearGradientBrush alphaRamp(alphaRampRect(ramp), Gdiplus::Color(0, r, g, b),
                                               Gdiplus::Color(255, r, g, b), 90.0f, FALSE);
        alphaRamp.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        graphics.FillRectangle(&alphaRamp, 0, 0, l.sliderWidth, ramp);
        drawRing(graphics, Gdiplus::Color(255, 255 - r, 255 - g, 255 - b), l.sliderRingWidth, l.ringRadius,
                 alphaMarker.x, alphaMarker.y);
    }
    Gdiplus::Graphics screen(hdc);
    screen.SetPageUnit(Gdiplus::UnitPixel);
    screen.DrawImage(&bitmap, 0, 0, l.sliderWidth, ramp);
    // The marker row is the alpha; a marker dragged off the slider is held to the range.
    if (!exact) {
        color.a = hsv::alphaOfRow(alphaMarker.y, ramp);
    }
    invalidate(resultHandle);
}

void KWColorPicker::redrawResultColor(HDC hdc) {
    const int swatchSize = layoutOf(layoutDpi).swatchSize;
    Gdiplus::Bitmap bitmap(swatchSize, swatchSize, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.SetPageUnit(Gdiplus::UnitPixel);
        std::unique_ptr<Gdiplus::Bitmap> tile = paint::makeCheckerTile(layoutDpi);
        Gdiplus::TextureBrush checker(tile.get(), Gdiplus::WrapModeTile);
        graphics.FillRectangle(&checker, 0, 0, swatchSize, swatchSize);
        Gdiplus::SolidBrush fill(paint::toGdiplus(color));
        graphics.FillRectangle(&fill, 0, 0, swatchSize, swatchSize);
    }
    Gdiplus::Graphics screen(hdc);
    screen.SetPageUnit(Gdiplus::UnitPixel);
    screen.DrawImage(&bitmap, 0, 0, swatchSize, swatchSize);

    const std::string text = hsv::componentText(color);
    if (text != text::windowText(textHandle)) {
        text::setWindowText(textHandle, text);
    }
    if (!exact) {
        const numeric::State state = numeric::fromColor(color);
        fieldHue = state.hue;
        fieldSaturation = state.saturation;
        fieldValue = state.value;
    }
    showFields(-1);
}

KWColorPicker* KWColorPicker::fromArea(HWND window) {
    return reinterpret_cast<KWColorPicker*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void KWColorPicker::paint(HWND window, void (KWColorPicker::*redraw)(HDC)) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(window, &ps);
    (this->*redraw)(hdc);
    EndPaint(window, &ps);
}

LRESULT KWColorPicker::moveMarker(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                  Marker KWColorPicker::*marker, WNDPROC KWColorPicker::*previous,
                                  void (KWColorPicker::*redraw)(HDC)) {
    KWColorPicker* picker = fromArea(window);
    if (!picker) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    if (msg == WM_MOUSEMOVE && wParam == MK_LBUTTON) {
        Marker& moved = picker->*marker;
        const bool changed = moved.x != GET_X_LPARAM(lParam) || moved.y != GET_Y_LPARAM(lParam);
        moved.x = GET_X_LPARAM(lParam);
        moved.y = GET_Y_LPARAM(lParam);
        if (marker == &KWColorPicker::hueMarker) {
            picker->hue = hsv::hueOfRow(moved.y, layoutOf(picker->layoutDpi).ramp);
        }
        // From now on the colour is the one under the markers again.
        picker->exact = false;
        InvalidateRect(window, nullptr, FALSE);
        if (changed) {
            picker->reportChange();
        }
        return 0;
    }
    if (msg == WM_PAINT) {
        picker->paint(window, redraw);
        return 0;
    }
    return CallWindowProcW(picker->*previous, window, msg, wParam, lParam);
}

void KWColorPicker::reportChange() {
    // The colour is read from the areas' pixels: each paint passes the chain on to the next area, so
    // one pass in chain order brings the colour, the preview and the text up to date.
    for (HWND area : {hueHandle, boxHandle, alphaHandle, resultHandle}) {
        UpdateWindow(area);
    }
    notify(EVENT_CHANGING, id);
}

LRESULT CALLBACK KWColorPicker::KWColorBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return moveMarker(window, msg, wParam, lParam, &KWColorPicker::boxMarker, &KWColorPicker::boxProc,
                      &KWColorPicker::redrawSaturationAndBrightness);
}

LRESULT CALLBACK KWColorPicker::KWHueSlideCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return moveMarker(window, msg, wParam, lParam, &KWColorPicker::hueMarker, &KWColorPicker::hueProc,
                      &KWColorPicker::redrawHue);
}

LRESULT CALLBACK KWColorPicker::KWAlphaSlideCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return moveMarker(window, msg, wParam, lParam, &KWColorPicker::alphaMarker, &KWColorPicker::alphaProc,
                      &KWColorPicker::redrawAlpha);
}

LRESULT CALLBACK KWColorPicker::KWResultColorCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    KWColorPicker* picker = fromArea(window);
    if (!picker) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    if (msg == WM_PAINT) {
        picker->paint(window, &KWColorPicker::redrawResultColor);
        return 0;
    }
    return CallWindowProcW(picker->resultProc, window, msg, wParam, lParam);
}

LRESULT CALLBACK KWColorPicker::KWColorPickerCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, msg, wParam, lParam);
}

unsigned KWColorPicker::routingSteps() const {
    return host ? 0u : static_cast<unsigned>(ROUTE_ALL);
}

LRESULT KWColorPicker::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!host || window != handle) {
        return KWObject::handleWindowMessage(window, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        dpi::forgetAnnounced(window);
    } else if (msg == WM_CLOSE) {
        host->close(false);
        return 0;
    } else if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && lParam != 0) {
        const HWND sender = reinterpret_cast<HWND>(lParam);
        if (sender == cancelButton || sender == okButton) {
            host->close(sender == okButton);
            return 0;
        }
    }
    return KWObject::handleWindowMessage(window, msg, wParam, lParam);
}

} // namespace KW
