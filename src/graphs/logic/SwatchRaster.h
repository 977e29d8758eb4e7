#ifndef KW_SWATCH_RASTER_H
#define KW_SWATCH_RASTER_H

#include "KWColorPoint.h"

#include <cstdint>
#include <vector>

namespace KW {
namespace coloredit {

class ColorEditView;

// Rows of 32-bit pixels 0xAARRGGBB (not premultiplied), as a locked 32bpp ARGB bitmap lays them out;
// stride is in bytes and may be negative.
struct PixelRows {
    unsigned char* scan0;
    int width;
    int height;
    int stride;

    uint32_t* row(int y) const {
        return reinterpret_cast<uint32_t*>(scan0 + static_cast<long long>(y) * stride);
    }
};

// Source-over of a colour with alpha onto a pixel, with the arithmetic of the platform's compositing:
// both alphas weigh the colours, quotients truncated.
uint32_t blendOver(uint32_t destination, uint32_t source);
uint32_t toArgb(const KWColor& color);

// A rectangle in float coordinates covers the pixels from round(left) to round(right) - 1 (halves up),
// and likewise vertically; clipped to the rows.
void fillRect(PixelRows& pixels, float left, float top, float width, float height, uint32_t argb);
// The 5-pixel checkerboard, grey (150) where x / 5 + y / 5 is even and white elsewhere, anchored at the
// rows' origin so that it stays put under moving rectangles.
void fillChecker(PixelRows& pixels, float left, float top, float width, float height);
// The same cells in two given colours: onGrey where the checkerboard is grey, onWhite elsewhere.
void fillCheckered(PixelRows& pixels, float left, float top, float width, float height, uint32_t onGrey,
                   uint32_t onWhite);

// Every key's column in vector order: the checkerboard under the key's two swatches, the upper one in
// rows 0 to 2m, the lower one in rows 2m to 4m, each composited with its alpha. Keys whose column lies
// wholly outside the rows are skipped.
void paintKeyColumns(PixelRows& pixels, const std::vector<KWColorPoint>& keys, const ColorEditView& view,
                     int markerSize);

} // namespace coloredit
} // namespace KW

#endif
