#include "graphs/logic/SwatchRaster.h"

#include "graphs/logic/ColorEditView.h"

#include <algorithm>
#include <cmath>

namespace KW {
namespace coloredit {

namespace {

const uint32_t checkerGrey = 0xFF969696u;
const uint32_t checkerWhite = 0xFFFFFFFFu;

// Pixel span [first, end) of a float interval, clipped to [0, limit).
void span(float from, float to, int limit, int& first, int& end) {
    const double a = std::floor(static_cast<double>(from) + 0.5);
    const double b = std::floor(static_cast<double>(to) + 0.5);
    first = static_cast<int>(std::max(0.0, std::min(a, static_cast<double>(limit))));
    end = static_cast<int>(std::max(0.0, std::min(b, static_cast<double>(limit))));
}

} // namespace

uint32_t toArgb(const KWColor& color) {
    return (static_cast<uint32_t>(color.a & 0xFF) << 24) | (static_cast<uint32_t>(color.r & 0xFF) << 16) |
           (static_cast<uint32_t>(color.g & 0xFF) << 8) | static_cast<uint32_t>(color.b & 0xFF);
}

uint32_t blendOver(uint32_t destination, uint32_t source) {
    const uint32_t sourceAlpha = source >> 24;
    if (sourceAlpha == 0xFF) {
        return source;
    }
    if (sourceAlpha == 0) {
        return destination;
    }
    if ((destination >> 24) == 0xFF) {
        // The usual case, an opaque buffer: the weights sum to 255.
        const uint32_t keep = 0xFF - sourceAlpha;
        uint32_t result = 0xFF000000u;
        for (int shift = 0; shift <= 16; shift += 8) {
            const uint32_t s = (source >> shift) & 0xFF;
            const uint32_t d = (destination >> shift) & 0xFF;
            result |= ((s * sourceAlpha + d * keep) / 0xFF) << shift;
        }
        return result;
    }
    const uint32_t destinationAlpha = ((destination >> 24) * (0xFF - sourceAlpha)) / 0xFF;
    const uint32_t alpha = sourceAlpha + destinationAlpha;
    if (alpha == 0) {
        return 0;
    }
    uint32_t result = alpha << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFF;
        const uint32_t d = (destination >> shift) & 0xFF;
        result |= ((s * sourceAlpha + d * destinationAlpha) / alpha) << shift;
    }
    return result;
}

void fillRect(PixelRows& pixels, float left, float top, float width, float height, uint32_t argb) {
    int x0, x1, y0, y1;
    span(left, left + width, pixels.width, x0, x1);
    span(top, top + height, pixels.height, y0, y1);
    const bool opaque = (argb >> 24) == 0xFF;
    if ((argb >> 24) == 0) {
        return;
    }
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = pixels.row(y);
        for (int x = x0; x < x1; ++x) {
            row[x] = opaque ? argb : blendOver(row[x], argb);
        }
    }
}

void fillCheckered(PixelRows& pixels, float left, float top, float width, float height, uint32_t onGrey,
                   uint32_t onWhite) {
    int x0, x1, y0, y1;
    span(left, left + width, pixels.width, x0, x1);
    span(top, top + height, pixels.height, y0, y1);
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = pixels.row(y);
        const int rowCell = y / 5;
        // Runs of one cell at a time.
        for (int x = x0; x < x1;) {
            const int cell = x / 5;
            const int runEnd = std::min(x1, (cell + 1) * 5);
            const uint32_t value = ((cell + rowCell) % 2 == 0) ? onGrey : onWhite;
            std::fill(row + x, row + runEnd, value);
            x = runEnd;
        }
    }
}

void fillChecker(PixelRows& pixels, float left, float top, float width, float height) {
    fillCheckered(pixels, left, top, width, height, checkerGrey, checkerWhite);
}

void paintKeyColumns(PixelRows& pixels, const std::vector<KWColorPoint>& keys, const ColorEditView& view,
                     int markerSize) {
    const float m = static_cast<float>(markerSize);
    for (const KWColorPoint& key : keys) {
        const float left = view.keyCenterX(key.position) - m;
        if (!(left + 2 * m >= 0.0f && left <= static_cast<float>(pixels.width))) {
            continue;
        }
        // Each swatch over its fresh checkerboard takes one of two colours, so the checkerboard and the
        // swatch are written in one pass.
        const float tops[2] = {0.0f, 2 * m};
        const uint32_t colors[2] = {toArgb(key.color1), toArgb(key.color2)};
        for (int half = 0; half < 2; ++half) {
            const uint32_t color = colors[half];
            if ((color >> 24) == 0xFF) {
                fillRect(pixels, left, tops[half], 2 * m, 2 * m, color);
            } else {
                fillCheckered(pixels, left, tops[half], 2 * m, 2 * m, blendOver(checkerGrey, color),
                              blendOver(checkerWhite, color));
            }
        }
    }
}

} // namespace coloredit
} // namespace KW
