#ifndef KW_PROPERTY_ROW_HEIGHT_H
#define KW_PROPERTY_ROW_HEIGHT_H

namespace KW {
namespace proprows {

// A row at 96 DPI without images: the GUI font's 13-pixel line and the pixel the list view adds below
// its tallest line or image.
constexpr int rowHeightAt96 = 14;
constexpr int rowPadding = 1;

// The height of the blank state images that keep rows at rowHeightAt96 scaled to dpi: the list view
// makes a row as high as its tallest text line (fontHeight), image (iconHeight, 0 without images) or
// state image, plus rowPadding. 0 when the text or the images already make rows that high, so a
// font that scales by a pixel less than the layout does not shrink the rows.
int spacerHeight(int fontHeight, int iconHeight, int dpi);

} // namespace proprows
} // namespace KW

#endif
