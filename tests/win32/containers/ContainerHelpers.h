#ifndef KW_CONTAINER_HELPERS_H
#define KW_CONTAINER_HELPERS_H

#include "TestSupport.h"

#include <memory>

namespace kwtest {

// A shown top-level window to host the gadgets under test.
std::unique_ptr<KW::KWWindow> hostWindow(int width = 500, int height = 450);

// The window's client pixels in a rectangle, read in one go after the pending paints.
class PixelGrab {
public:
    PixelGrab(HWND window, int width, int height);
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int width;
    int height;

private:
    std::vector<COLORREF> pixels;
};

// Whether every component of two colours differs by at most tolerance.
bool closeTo(COLORREF a, COLORREF b, int tolerance);

// The number of GDI objects the process holds.
unsigned gdiObjectCount();

// The memory the process has committed, in bytes.
size_t committedMemory();

} // namespace kwtest

#endif
