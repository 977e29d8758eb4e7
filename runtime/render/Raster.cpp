#include "Raster.h"

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
    const std::uint32_t a = mixChannel(dst >> 24, 255, s.weight);
    const std::uint32_t r = mixChannel((dst >> 16) & 0xFF, s.r, s.weight);
    const std::uint32_t g = mixChannel((dst >> 8) & 0xFF, s.g, s.weight);
    const std::uint32_t b = mixChannel(dst & 0xFF, s.b, s.weight);
    return (a << 24) | (r << 16) | (g << 8) | b;
}

inline std::uint32_t addLight(std::uint32_t dst, const Source& s) {
    const std::uint32_t a = std::min<std::uint32_t>(255, (dst >> 24) + ((255 * s.weight) >> 8));
    const std::uint32_t r = std::min<std::uint32_t>(255, ((dst >> 16) & 0xFF) + ((s.r * s.weight) >> 8));
    const std::uint32_t g = std::min<std::uint32_t>(255, ((dst >> 8) & 0xFF) + ((s.g * s.weight) >> 8));
    const std::uint32_t b = std::min<std::uint32_t>(255, (dst & 0xFF) + ((s.b * s.weight) >> 8));
    return (a << 24) | (r << 16) | (g << 8) | b;
}

inline std::uint32_t blendPixel(std::uint32_t dst, const Source& s, Blend blend) {
    return blend == Blend::Additive ? addLight(dst, s) : alphaOver(dst, s);
}

bool drawable(const Sprite& sprite) {
    return sprite.size > 0.0f && std::isfinite(sprite.x) && std::isfinite(sprite.y) && sprite.a > 0;
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
    std::fill(pixels.begin(), pixels.end(), 0xFF000000u | (rgb & 0xFFFFFF));
}

void Canvas::clearTransparent() {
    std::fill(pixels.begin(), pixels.end(), 0u);
}

void Canvas::draw(const Sprite& sprite, Blend blend) {
    if (!drawable(sprite)) {
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
        for (int x = left; x <= right; ++x) {
            row[x] = blendPixel(row[x], source, blend);
        }
    }
}

void Canvas::draw(const Sprite& sprite, const Image& texture, Blend blend) {
    if (!drawable(sprite) || texture.width <= 0 || texture.height <= 0 ||
        texture.rgba.size() < static_cast<std::size_t>(texture.width) * texture.height * 4) {
        return;
    }
    const float half = std::max(0.5f, sprite.size * 0.5f);
    const float left = sprite.x - half;
    const float top = sprite.y - half;
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int x1 = std::min(columns - 1, static_cast<int>(std::ceil(sprite.x + half)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int y1 = std::min(rows - 1, static_cast<int>(std::ceil(sprite.y + half)) - 1);
    const float scaleX = static_cast<float>(texture.width) / (2.0f * half);
    const float scaleY = static_cast<float>(texture.height) / (2.0f * half);
    const int tintA = clampByte(sprite.a);
    for (int y = y0; y <= y1; ++y) {
        // Nearest texel to the pixel's centre.
        const int ty = static_cast<int>((static_cast<float>(y) + 0.5f - top) * scaleY);
        if (ty < 0 || ty >= texture.height) {
            continue;
        }
        std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * columns;
        for (int x = x0; x <= x1; ++x) {
            const int tx = static_cast<int>((static_cast<float>(x) + 0.5f - left) * scaleX);
            if (tx < 0 || tx >= texture.width) {
                continue;
            }
            const std::uint8_t* texel =
                &texture.rgba[(static_cast<std::size_t>(ty) * texture.width + tx) * 4];
            const Source source = {static_cast<std::uint32_t>(clampByte(sprite.r) * texel[0] / 255),
                                   static_cast<std::uint32_t>(clampByte(sprite.g) * texel[1] / 255),
                                   static_cast<std::uint32_t>(clampByte(sprite.b) * texel[2] / 255),
                                   opacityWeight(tintA * texel[3] / 255)};
            if (source.weight > 0) {
                row[x] = blendPixel(row[x], source, blend);
            }
        }
    }
}

Image Canvas::toImage() const {
    Image image;
    image.width = columns;
    image.height = rows;
    image.rgba.resize(pixels.size() * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t pixel = pixels[i];
        const std::uint32_t a = pixel >> 24;
        std::uint8_t* out = &image.rgba[i * 4];
        for (int c = 0; c < 3; ++c) {
            const std::uint32_t value = (pixel >> (16 - 8 * c)) & 0xFF;
            // Back to straight alpha, rounded; additive light can exceed its coverage, hence the clamp.
            out[c] = static_cast<std::uint8_t>(
                a == 0 ? 0 : std::min<std::uint32_t>(255, (value * 255 + a / 2) / a));
        }
        out[3] = static_cast<std::uint8_t>(a);
    }
    return image;
}

} // namespace pelmora
