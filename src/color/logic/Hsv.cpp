#include "color/logic/Hsv.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace KW {
namespace hsv {

namespace {

// The last row or column of an area of ramp pixels, as a divisor; areas of fewer than two pixels count
// as two.
int lastOf(int ramp) {
    return std::max(1, ramp - 1);
}

} // namespace

int roundHalfAway(float x) {
    const double value = x;
    if (value > 0) {
        return static_cast<int>(value + 0.5);
    }
    return static_cast<int>(value - 0.5);
}

HsvColor fromRgb(int red, int green, int blue) {
    const float r = red / 255.0f;
    const float g = green / 255.0f;
    const float b = blue / 255.0f;
    const float mx = std::max(r, std::max(g, b));
    const float mn = std::min(r, std::min(g, b));
    const float range = mx - mn;

    float degrees = 0.0f;
    if (mx != mn) {
        if (mx == r) {
            const float shifted = (g - b) * 60.0f / range + 360.0f;
            degrees = std::fmod(shifted, 360.0f);
        } else if (mx == g) {
            degrees = (b - r) * 60.0f / range + 120.0f;
        } else {
            degrees = (r - g) * 60.0f / range + 240.0f;
        }
    }

    HsvColor result;
    result.hue = degrees / 360.0f;
    if (result.hue == 1.0f) {
        result.hue = 0.0f;
    }
    result.saturation = (mx == mn) ? 0.0f : range / mx;
    result.brightness = std::max(red, std::max(green, blue)) / 255.0f;
    return result;
}

PickerMarkers markersFor(const HsvColor& color, int alpha, int ramp, int markerColumn) {
    const int last = lastOf(ramp);
    const float span = static_cast<float>(last);
    const float hueRow = color.hue * span;
    const float saturationColumn = color.saturation * span;
    const float brightnessRow = color.brightness * span;

    PickerMarkers markers;
    markers.hueX = markerColumn;
    markers.hueY = roundHalfAway(hueRow);
    markers.boxX = roundHalfAway(saturationColumn);
    markers.boxY = last - roundHalfAway(brightnessRow);
    markers.alphaX = markerColumn;
    markers.alphaY = rescaleRampPosition(alpha, baseRamp, ramp);
    return markers;
}

KWColor pureHueColor(float hue) {
    float sixths = hue * 6.0f;
    if (!(sixths >= 0.0f && sixths < 6.0f)) {
        sixths = 0.0f;
    }
    const int sector = static_cast<int>(sixths);
    const int rising = roundHalfAway((sixths - static_cast<float>(sector)) * 255.0f);
    const int falling = 255 - rising;
    switch (sector) {
    case 0:
        return KWColor(255, rising, 0, 255);
    case 1:
        return KWColor(falling, 255, 0, 255);
    case 2:
        return KWColor(0, 255, rising, 255);
    case 3:
        return KWColor(0, falling, 255, 255);
    case 4:
        return KWColor(rising, 0, 255, 255);
    default:
        return KWColor(255, 0, falling, 255);
    }
}

KWColor toRgb(float hue, float saturation, float brightness) {
    double sixths = static_cast<double>(hue) * 6.0;
    if (!(sixths >= 0.0 && sixths < 6.0)) {
        sixths = 0.0;
    }
    const int sector = static_cast<int>(sixths);
    const double f = sixths - sector;
    const double s = std::min(1.0, std::max(0.0, static_cast<double>(saturation)));
    const double v = std::min(1.0, std::max(0.0, static_cast<double>(brightness))) * 255.0;
    const int full = static_cast<int>(v + 0.5);
    const int low = static_cast<int>(v * (1.0 - s) + 0.5);
    const int falling = static_cast<int>(v * (1.0 - s * f) + 0.5);
    const int rising = static_cast<int>(v * (1.0 - s * (1.0 - f)) + 0.5);
    switch (sector) {
    case 0:
        return KWColor(full, rising, low, 255);
    case 1:
        return KWColor(falling, full, low, 255);
    case 2:
        return KWColor(low, full, rising, 255);
    case 3:
        return KWColor(low, falling, full, 255);
    case 4:
        return KWColor(rising, low, full, 255);
    default:
        return KWColor(full, low, falling, 255);
    }
}

float hueOfRow(int row, int ramp) {
    const int last = lastOf(ramp);
    const int held = std::min(last, std::max(0, row));
    return held == last ? 0.0f : static_cast<float>(held) / static_cast<float>(last);
}

KWColor boxColor(float hue, int column, int row, int ramp) {
    const int last = lastOf(ramp);
    const float span = static_cast<float>(last);
    const int c = std::min(last, std::max(0, column));
    const int r = std::min(last, std::max(0, row));
    return toRgb(hue, static_cast<float>(c) / span, static_cast<float>(last - r) / span);
}

int alphaOfRow(int row, int ramp) {
    const int last = lastOf(ramp);
    const int held = std::min(last, std::max(0, row));
    return rescaleRampPosition(held, ramp, baseRamp);
}

int rescaleRampPosition(int position, int fromRamp, int toRamp) {
    const long long product = static_cast<long long>(position) * lastOf(toRamp);
    const long long from = lastOf(fromRamp);
    const long long half = from / 2;
    return static_cast<int>(product >= 0 ? (product + half) / from : -((-product + half) / from));
}

std::string componentText(const KWColor& color) {
    std::ostringstream text;
    text << "Red : " << color.r << "\n"
         << "Green : " << color.g << "\n"
         << "Blue : " << color.b << "\n"
         << "Alpha : " << color.a;
    return text.str();
}

} // namespace hsv
} // namespace KW
