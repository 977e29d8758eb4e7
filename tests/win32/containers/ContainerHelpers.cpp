#include "ContainerHelpers.h"

#include <cstdlib>
#include <psapi.h>

namespace kwtest {

std::unique_ptr<KW::KWWindow> hostWindow(int width, int height) {
    std::unique_ptr<KW::KWWindow> host(
        KW::KWWindow::create(KW::STYLE_DEFAULT, KW::WINDOW_POPUP, 20, 20, width, height, "Host", nullptr, 0));
    SetForegroundWindow(host->getHandle());
    pumpMessages();
    return host;
}

PixelGrab::PixelGrab(HWND window, int width, int height)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height) {
    UpdateWindow(window);
    pumpMessages();
    HDC dc = GetDC(window);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<size_t>(y) * width + x] = GetPixel(dc, x, y);
        }
    }
    ReleaseDC(window, dc);
}

bool closeTo(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

unsigned gdiObjectCount() {
    const unsigned reported = static_cast<unsigned>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    if (reported) {
        return reported;
    }
    // Wine does not report the count, but accepts a handle given by its table index alone.
    unsigned live = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index) {
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    }
    return live;
}

size_t committedMemory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

} // namespace kwtest
