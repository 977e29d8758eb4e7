#include "color/GdiPlus.h"

#include "core/logic/DpiScale.h"

namespace KW {
namespace paint {

std::unique_ptr<Gdiplus::Bitmap> makeCheckerTile(int dpi) {
    const int square = dpi::scaled(5, dpi);
    std::unique_ptr<Gdiplus::Bitmap> tile(new Gdiplus::Bitmap(2 * square, 2 * square, PixelFormat32bppARGB));
    Gdiplus::Graphics graphics(tile.get());
    Gdiplus::SolidBrush grey(Gdiplus::Color(255, 150, 150, 150));
    Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
    graphics.FillRectangle(&grey, 0, 0, square, square);
    graphics.FillRectangle(&grey, square, square, square, square);
    graphics.FillRectangle(&white, square, 0, square, square);
    graphics.FillRectangle(&white, 0, square, square, square);
    return tile;
}

} // namespace paint
} // namespace KW
