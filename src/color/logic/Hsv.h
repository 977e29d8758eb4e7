#ifndef KW_HSV_H
#define KW_HSV_H

#include "KWTypes.h"

#include <string>

namespace KW {
namespace hsv {

// Hue in 0 to below 1, saturation and brightness (value) in 0 to 1, all single precision.
struct HsvColor {
    float hue;
    float saturation;
    float brightness;
};

// The picker's three markers: x and y in the client areas of its hue slider, box and alpha slider.
struct PickerMarkers {
    int hueX;
    int hueY;
    int boxX;
    int boxY;
    int alphaX;
    int alphaY;
};

// Rounds halves away from zero: the shift by 0.5 is made in double precision, then truncated.
int roundHalfAway(float x);

// Single-precision HSV of 8-bit components; a hue that comes out as exactly 1 is stored as 0.
HsvColor fromRgb(int r, int g, int b);

// The rows and columns of the picker's box and the rows of its sliders at 96 DPI; at other DPIs the
// areas hold more pixels and the same ranges are spread over them.
constexpr int baseRamp = 256;
// The slider column where the ring markers sit at 96 DPI.
constexpr int baseMarkerColumn = 15;

// Where the markers go for a colour in areas of `ramp` pixels: the hue row, the saturation column and
// the brightness row counted from the top, and the alpha row; the slider markers sit in markerColumn.
PickerMarkers markersFor(const HsvColor& color, int alpha, int ramp = baseRamp,
                         int markerColumn = baseMarkerColumn);

// The fully saturated, full-brightness colour of a hue (opaque), components rounded.
KWColor pureHueColor(float hue);

// The colour of a hue, saturation and brightness (each 0 to 1; a hue of 1 is red again), rounded.
KWColor toRgb(float hue, float saturation, float brightness);

// What the picker's areas show, `ramp` rows and columns each (last = ramp - 1, 255 at 96 DPI): row r
// of the hue slider is the hue r / last (rows beyond the slider are held to it); the box's column c is
// the saturation c / last and its row r the brightness 1 - r / last, so the last row and column are
// exactly black and the pure hue; row r of the alpha slider is the alpha r * 255 / last, rounded.
float hueOfRow(int row, int ramp = baseRamp);
KWColor boxColor(float hue, int column, int row, int ramp = baseRamp);
int alphaOfRow(int row, int ramp = baseRamp);

// A marker position in areas of fromRamp pixels moved to the same place in areas of toRamp pixels.
int rescaleRampPosition(int position, int fromRamp, int toRamp);

// The four components, one per line: "Red : r", "Green : g", "Blue : b", "Alpha : a".
std::string componentText(const KWColor& color);

} // namespace hsv
} // namespace KW

#endif
