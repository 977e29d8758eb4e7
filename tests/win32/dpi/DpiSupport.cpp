#include "DpiRun.h"
#include "TestSupport.h"

namespace kwtest {

void moveToDpi(KW::KWWindow* frame, int newDpi) {
    RECT now = {};
    GetWindowRect(frame->getHandle(), &now);
    const int oldDpi = frame->getDpi();
    RECT suggested = {now.left, now.top, now.left + MulDiv(now.right - now.left, newDpi, oldDpi),
                      now.top + MulDiv(now.bottom - now.top, newDpi, oldDpi)};
    SendMessageA(frame->getHandle(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                 reinterpret_cast<LPARAM>(&suggested));
    pumpMessages();
}

SIZE textExtent(HFONT font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size;
}

int fontHeight(HWND window) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

} // namespace kwtest
