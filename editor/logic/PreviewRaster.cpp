#include "PreviewRaster.h"

#include <algorithm>
#include <cmath>

namespace pelmora {

namespace {

int clampByte(int value) {
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

// The blend of one channel, with weight 0..256.
inline std::uint32_t mixChannel(std::uint32_t dst, std::uint32_t src, std::uint32_t weight) {
    return (dst * (256 - weight) + src * weight) >> 8;
}

// 0..255 onto 0..256, so that opaque replaces exactly and half is half.
inline std::uint32_t opacityWeight(int alpha) {
    return static_cast<std::uint32_t>(alpha + (alpha >> 7));
}

struct Source {
    std::uint32_t r, g, b, weight;
};

inline std::uint32_t alphaOver(std::uint32_t dst, const Source& s) {
    const std::uint32_t r = mixChannel((dst >> 16) & 0xFF, s.r, s.weight);
    const std::uint32_t g = mixChannel((dst >> 8) & 0xFF, s.g, s.weight);
    const std::uint32_t b = mixChannel(dst & 0xFF, s.b, s.weight);
    return (r << 16) | (g << 8) | b;
}

inline std::uint32_t addLight(std::uint32_t dst, const Source& s) {
    const std::uint32_t r = std::min<std::uint32_t>(255, ((dst >> 16) & 0xFF) + ((s.r * s.weight) >> 8));
    const std::uint32_t g = std::min<std::uint32_t>(255, ((dst >> 8) & 0xFF) + ((s.g * s.weight) >> 8));
    const std::uint32_t b = std::min<std::uint32_t>(255, (dst & 0xFF) + ((s.b * s.weight) >> 8));
    return (r << 16) | (g << 8) | b;
}

} // namespace

Canvas::Canvas(int width, int height) : columns(0), rows(0) {
    resize(width, height);
}

void Canvas::resize(int width, int height) {
    columns = std::max(0, width);
    rows = std::max(0, height);
    pixels.assign(static_cast<std::size_t>(columns) * rows, 0);
}

void Canvas::clear(std::uint32_t rgb) {
    std::fill(pixels.begin(), pixels.end(), rgb & 0xFFFFFF);
}

void Canvas::draw(const Sprite& sprite, Blend blend) {
    if (!(sprite.size > 0.0f) || !std::isfinite(sprite.x) || !std::isfinite(sprite.y) || sprite.a <= 0) {
        return;
    }
    const float radius = std::max(0.5f, sprite.size * 0.5f);
    const int top = std::max(0, static_cast<int>(std::floor(sprite.y - radius)));
    const int bottom = std::min(rows - 1, static_cast<int>(std::ceil(sprite.y + radius)));
    if (top > bottom) {
        return;
    }
    const Source source = {
        static_cast<std::uint32_t>(clampByte(sprite.r)), static_cast<std::uint32_t>(clampByte(sprite.g)),
        static_cast<std::uint32_t>(clampByte(sprite.b)), opacityWeight(clampByte(sprite.a))};
    for (int y = top; y <= bottom; ++y) {
        // The disc's span on this row, sampled at pixel centres.
        const float dy = static_cast<float>(y) + 0.5f - sprite.y;
        const float squared = radius * radius - dy * dy;
        if (squared < 0.0f) {
            continue;
        }
        const float half = std::sqrt(squared);
        const int left = std::max(0, static_cast<int>(std::ceil(sprite.x - half - 0.5f)));
        const int right = std::min(columns - 1, static_cast<int>(std::floor(sprite.x + half - 0.5f)));
        std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * columns;
        if (blend == Blend::Additive) {
            for (int x = left; x <= right; ++x) {
                row[x] = addLight(row[x], source);
            }
        } else {
            for (int x = left; x <= right; ++x) {
                row[x] = alphaOver(row[x], source);
            }
        }
    }
}

} // namespace pelmora
