#ifndef KW_HEADER_BAND_H
#define KW_HEADER_BAND_H

#include "KWTypes.h"
#include "core/logic/DpiScale.h"

namespace KW {
namespace header {

// The title band at the top of a header, whatever the header's height, in pixels at 96 DPI.
constexpr int bandHeight = 20;
constexpr int titleX = 5;
constexpr int titleY = 2;
// The band fades from the top colour down to the bottom one: row y of a band `height` rows high has the
// colour a straight fade from the top edge to the bottom edge gives the middle of the row.
inline KWColor rowColor(const KWColor& top, const KWColor& bottom, int y, int height) {
    const auto mix = [y, height](int from, int to) {
        // Rounded to nearest: (from * (2h - 2y - 1) + to * (2y + 1)) / 2h.
        const int twice = 2 * height;
        return (from * (twice - 2 * y - 1) + to * (2 * y + 1) + height) / twice;
    };
    return KWColor(mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b), 255);
}

// The band's metrics in pixels at a display's DPI.
struct Band {
    int height;
    int titleX;
    int titleY;
};

inline Band bandAt(int dpi) {
    return Band{dpi::scaled(bandHeight, dpi), dpi::scaled(titleX, dpi), dpi::scaled(titleY, dpi)};
}

} // namespace header
} // namespace KW

#endif
