#ifndef KW_LAYOUT_FIT_H
#define KW_LAYOUT_FIT_H

// The arithmetic of a restored layout: lengths between 96 DPI and a window's DPI, and a window's
// rectangle brought into a monitor's work area. Window-free.
namespace KW {
namespace layout {

// Edges in screen pixels.
struct Area {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A length measured at dpi, at 96 DPI (what the text stores).
int toBaseDpi(int pixels, int dpi);
// A stored length (at 96 DPI), at dpi.
int fromBaseDpi(int pixelsAt96, int dpi);

// The window moved (and, where it is larger, shrunk) so that it lies wholly inside the work area;
// a window already inside is returned unchanged.
Area fitInto(const Area& window, const Area& workArea);

} // namespace layout
} // namespace KW

#endif
