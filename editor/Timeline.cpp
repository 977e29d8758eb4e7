#include "Timeline.h"

#include <windowsx.h>

using namespace KW;

namespace pelmora {

namespace {

const char* const timelineClass = "PelmoraTimeline";

} // namespace

bool Timeline::registerClass() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = timelineClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Timeline::Timeline(KWObject* parent) : KWObject(GADGET_PANEL, parent, -1), time(0.0), scrubbing(false) {
    registerClass();
    HWND window = CreateWindowExA(0, timelineClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, parentHandle(),
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Timeline creation failed !")) {
        subclassWindow(TimelineCallback);
    }
}

int Timeline::scale96(int pixels) const {
    return handle ? scale(pixels) : pixels;
}

void Timeline::layout() {
    const KWBound area = getGlobalBounds();
    bar.left = scale96(10);
    // Room on the right for the time read-out.
    bar.right = std::max(bar.left + 1, area.right - scale96(70));
    // Only grows: the bar never shrinks under a pointer dragging the marker back.
    bar.span = keptTimelineSpan(bar.span, time);
}

void Timeline::setTime(double seconds) {
    if (seconds == time) {
        return;
    }
    time = seconds;
    InvalidateRect(handle, nullptr, FALSE);
}

void Timeline::resetSpan() {
    time = 0.0;
    bar.span = timelineSpan(0.0, time);
    InvalidateRect(handle, nullptr, FALSE);
}

void Timeline::scrubTo(int x) {
    layout();
    const double seconds = bar.toSeconds(x);
    time = seconds;
    if (scrubListener) {
        scrubListener(seconds);
    }
    InvalidateRect(handle, nullptr, FALSE);
    UpdateWindow(handle);
}

void Timeline::paint() {
    layout();
    PAINTSTRUCT ps;
    HDC target = BeginPaint(handle, &ps);
    const KWBound area = getGlobalBounds();
    // Drawn off screen and copied at once: the marker moves every frame.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, std::max(1, area.right), std::max(1, area.bottom));
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all = {0, 0, area.right, area.bottom};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const int barY = scale96(6);
    RECT track = {bar.left, barY, bar.right, barY + scale96(4)};
    FillRect(dc, &track, GetSysColorBrush(COLOR_BTNSHADOW));
    std::vector<TimelineTick> ticks = timelineTicks(bar, static_cast<float>(scale96(48)));
    std::vector<int> widths;
    for (const TimelineTick& tick : ticks) {
        SIZE extent = {};
        GetTextExtentPoint32A(dc, tick.label.c_str(), static_cast<int>(tick.label.size()), &extent);
        widths.push_back(extent.cx);
    }
    placeLabels(ticks, widths, bar.right, scale96(2));
    for (const TimelineTick& tick : ticks) {
        RECT mark = {tick.pixel, barY + scale96(4), tick.pixel + 1, barY + scale96(8)};
        FillRect(dc, &mark, GetSysColorBrush(COLOR_BTNTEXT));
        if (tick.labelShown) {
            TextOutA(dc, tick.labelLeft, barY + scale96(6), tick.label.c_str(),
                     static_cast<int>(tick.label.size()));
        }
    }
    const int marker = bar.toPixel(time);
    HBRUSH red = CreateSolidBrush(RGB(220, 40, 40));
    RECT line = {marker - 1, 0, marker + 2, area.bottom};
    FillRect(dc, &line, red);
    DeleteObject(red);
    const std::string text = timeText(time);
    TextOutA(dc, bar.right + scale96(8), barY, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, oldFont);
    BitBlt(target, 0, 0, area.right, area.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(handle, &ps);
}

LRESULT CALLBACK Timeline::TimelineCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    handleDefaults(window, msg, wParam, lParam);
    Timeline* self = static_cast<Timeline*>(fromHandle(window));
    if (self) {
        switch (msg) {
        case WM_LBUTTONDOWN:
            SetCapture(window);
            self->scrubbing = true;
            self->scrubTo(GET_X_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (self->scrubbing) {
                self->scrubTo(GET_X_LPARAM(lParam));
            }
            return 0;
        case WM_LBUTTONUP:
            if (self->scrubbing) {
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            self->scrubbing = false;
            return 0;
        case WM_PAINT:
            self->paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
        }
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace pelmora
