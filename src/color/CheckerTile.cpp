#include "color/GdiPlus.h"

namespace KW {
namespace paint {

std::unique_ptr<Gdiplus::Bitmap> makeCheckerTile() {
    std::unique_ptr<Gdiplus::Bitmap> tile(new Gdiplus::Bitmap(10, 10, PixelFormat32bppARGB));
    Gdiplus::Graphics graphics(tile.get());
    Gdiplus::SolidBrush grey(Gdiplus::Color(255, 150, 150, 150));
    Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
    graphics.FillRectangle(&grey, 0, 0, 5, 5);
    graphics.FillRectangle(&grey, 5, 5, 5, 5);
    graphics.FillRectangle(&white, 5, 0, 5, 5);
    graphics.FillRectangle(&white, 0, 5, 5, 5);
    return tile;
}

} // namespace paint
} // namespace KW
