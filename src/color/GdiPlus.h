#ifndef KW_GDIPLUS_H
#define KW_GDIPLUS_H

// GDI+ for the library's custom-drawn gadgets, with the pieces they share.
#include "KWTypes.h"

#include <gdiplus.h>

#include <memory>

namespace KW {
namespace paint {

// The GDI+ colour of a KWColor, alpha included, from the low bytes of its fields.
inline Gdiplus::Color toGdiplus(const KWColor& color) {
    return Gdiplus::Color(static_cast<BYTE>(color.a), static_cast<BYTE>(color.r), static_cast<BYTE>(color.g),
                          static_cast<BYTE>(color.b));
}

// The checkerboard tile under transparent colours: two squares of 5 pixels at 96 DPI (scaled to dpi)
// each way, grey at top left and bottom right, white at top right and bottom left.
std::unique_ptr<Gdiplus::Bitmap> makeCheckerTile(int dpi = 96);

} // namespace paint
} // namespace KW

#endif
