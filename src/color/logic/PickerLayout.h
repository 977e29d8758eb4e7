#ifndef KW_PICKER_LAYOUT_H
#define KW_PICKER_LAYOUT_H

#include "color/logic/NumericColor.h"

namespace KW {
namespace picker {

// A child window's place in its parent's client area.
struct Place {
    int x;
    int y;
    int width;
    int height;
};

// One number field: its label and its edit control, in the fields panel.
struct FieldPlace {
    Place label;
    Place edit;
};

constexpr int fieldCount = numeric::FIELD_COUNT;

// Every metric of the colour picker popup at one DPI: at 96 the popup is 520 x 305 with a 256-pixel box.
struct Layout {
    // Rows and columns of the box and rows of the sliders; the bitmaps the areas show.
    int ramp;
    int sliderWidth;
    int swatchSize;
    // Where the slider markers sit, their ring radius and pen widths.
    int markerColumn;
    int ringRadius;
    float sliderRingWidth;
    float boxRingWidth;
    // The box ring is black while both its coordinates are below this (the light corner).
    int darkCorner;
    int popupWidth;
    int popupHeight;
    Place box;
    Place hue;
    Place alpha;
    Place result;
    Place ok;
    Place cancel;
    Place text;
    // The number fields' panel and how much taller the popup is while it shows.
    Place fields;
    int fieldsGrowth;
    FieldPlace field[fieldCount];
};

// The layout at dpi. areaFrame: the width both client edges of an area take together; the ramp is
// the client an area of 260 pixels at 96 DPI leaves, so each area's client holds exactly the ramp.
Layout layoutAt(int dpi, int areaFrame);

} // namespace picker
} // namespace KW

#endif
