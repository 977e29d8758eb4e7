#ifndef KW_HEADER_BAND_H
#define KW_HEADER_BAND_H

#include "core/logic/DpiScale.h"

namespace KW {
namespace header {

// The title band at the top of a header, whatever the header's height, in pixels at 96 DPI.
constexpr int bandHeight = 20;
constexpr int titleX = 5;
constexpr int titleY = 2;
// The band fades from the top colour down to the bottom one.
constexpr float gradientAngle = 90.0f;

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
