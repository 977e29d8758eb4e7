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

// Where the markers go for a colour: the hue row, the saturation column and the brightness row counted
// from the top, and the alpha row.
PickerMarkers markersFor(const HsvColor& color, int alpha);

// The fully saturated, full-brightness colour of a hue (opaque), components rounded.
KWColor pureHueColor(float hue);

// The colour of a hue, saturation and brightness (each 0 to 1; a hue of 1 is red again), rounded.
KWColor toRgb(float hue, float saturation, float brightness);

// What the picker's areas show, 256 rows and columns each: row r of the hue slider is the hue r / 255
// (rows beyond the slider are held to it); the box's column c is the saturation c / 255 and its row r
// the brightness 1 - r / 255, so the last row and column are exactly black and the pure hue.
float hueOfRow(int row);
KWColor boxColor(float hue, int column, int row);

// The four components, one per line: "Red : r", "Green : g", "Blue : b", "Alpha : a".
std::string componentText(const KWColor& color);

} // namespace hsv
} // namespace KW

#endif
