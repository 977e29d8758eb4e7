#include "Raster.h"

#include "TexelBlend.h"

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

namespace {

// A texture cell as the textured draw reads it: its top left texel and its size.
struct Cell {
    const std::uint8_t* texels;
    int stride; // bytes a texture row
    int width;
    int height;
};

Cell cellOf(const Image& texture, const TextureFrame& frame) {
    int columns = std::max(1, frame.columns);
    int rows = std::max(1, frame.rows);
    if (texture.width / columns <= 0 || texture.height / rows <= 0) {
        columns = rows = 1; // a grid finer than the texture: show all of it
    }
    const int width = texture.width / columns;
    const int height = texture.height / rows;
    const int index = std::min(std::max(frame.frame, 0), columns * rows - 1);
    const std::size_t left = static_cast<std::size_t>(index % columns) * width;
    const std::size_t top = static_cast<std::size_t>(index / columns) * height;
    return Cell{&texture.rgba[(top * texture.width + left) * 4], texture.width * 4, width, height};
}

// The four texels around the point mixed by its distance to their centres; edges repeat the cell's
// border (no bleeding from the next frame).
template <class Ops> inline typename Ops::Texel sampleBilinear(const Cell& cell, int u, int v) {
    const int fu = u - 32768;
    const int fv = v - 32768;
    const int x0 = std::max(0, fu >> 16);
    const int y0 = std::max(0, fv >> 16);
    const int x1 = std::min(cell.width - 1, (fu >> 16) + 1);
    const int y1 = std::min(cell.height - 1, (fv >> 16) + 1);
    const int wx = fu < 0 ? 0 : (fu >> 8) & 0xFF;
    const int wy = fv < 0 ? 0 : (fv >> 8) & 0xFF;
    const std::uint8_t* top = cell.texels + static_cast<std::size_t>(y0) * cell.stride;
    const std::uint8_t* bottom = cell.texels + static_cast<std::size_t>(y1) * cell.stride;
    const typename Ops::Texel upper =
        Ops::mix(Ops::premultiplied(top + x0 * 4), Ops::premultiplied(top + x1 * 4), wx);
    const typename Ops::Texel lower =
        Ops::mix(Ops::premultiplied(bottom + x0 * 4), Ops::premultiplied(bottom + x1 * 4), wx);
    return Ops::mix(upper, lower, wy);
}

// Where a row's texel coordinates start and how they step, in 16.16 fixed point, and the cell's limits.
struct RowWalk {
    int u, v, stepU, stepV, limitU, limitV;
};

// Narrows [first, last] to the steps k where 0 <= start + k * step < limit; false when none is left.
bool narrow(float start, float step, float limit, float& first, float& last) {
    if (std::fabs(step) < 1e-3f) {
        return start >= 0.0f && start < limit;
    }
    float low = (0.0f - start) / step;
    float high = (limit - start) / step;
    if (low > high) {
        std::swap(low, high);
    }
    first = std::max(first, low);
    last = std::min(last, high);
    return first <= last + 1.0f;
}

template <class Ops, bool Bilinear, bool Additive>
void texturedRow(std::uint32_t* row, int from, int to, const RowWalk& walk, const Cell& cell,
                 const texel::Tint& tint) {
    const typename Ops::Lanes lanes = Ops::tintLanes(tint);
    int u = walk.u;
    int v = walk.v;
    for (int x = from; x <= to; ++x, u += walk.stepU, v += walk.stepV) {
        // One unsigned comparison an axis: a negative coordinate wraps to a large one.
        if (static_cast<std::uint32_t>(u) >= static_cast<std::uint32_t>(walk.limitU) ||
            static_cast<std::uint32_t>(v) >= static_cast<std::uint32_t>(walk.limitV)) {
            continue;
        }
        if (Bilinear) {
            row[x] = Ops::template blend<Additive>(row[x], sampleBilinear<Ops>(cell, u, v), lanes);
            continue;
        }
        const std::uint8_t* texel =
            cell.texels + static_cast<std::size_t>(v >> 16) * cell.stride + (u >> 16) * 4;
        // A clear texel leaves the pixel as it is.
        if (texel[3] != 0) {
            row[x] = Ops::template blend<Additive>(row[x], Ops::premultiplied(texel), lanes);
        }
    }
}

template <class Ops>
void texturedRow(bool bilinear, bool additive, std::uint32_t* row, int from, int to, const RowWalk& walk,
                 const Cell& cell, const texel::Tint& tint) {
    if (bilinear) {
        additive ? texturedRow<Ops, true, true>(row, from, to, walk, cell, tint)
                 : texturedRow<Ops, true, false>(row, from, to, walk, cell, tint);
    } else {
        additive ? texturedRow<Ops, false, true>(row, from, to, walk, cell, tint)
                 : texturedRow<Ops, false, false>(row, from, to, walk, cell, tint);
    }
}

} // namespace

void Canvas::draw(const Sprite& sprite, const Image& texture, Blend blend, const TextureFrame& frame,
                  Sampling sampling) {
    if (!drawable(sprite) || texture.width <= 0 || texture.height <= 0 ||
        texture.rgba.size() < static_cast<std::size_t>(texture.width) * texture.height * 4) {
        return;
    }
    const Cell cell = cellOf(texture, frame);
    const float half = std::max(0.5f, sprite.size * 0.5f);
    // Most particles are not turned: no sine and cosine for them.
    const bool turned = sprite.rotation != 0.0f && std::isfinite(sprite.rotation);
    const float cosine = turned ? std::cos(sprite.rotation) : 1.0f;
    const float sine = turned ? std::sin(sprite.rotation) : 0.0f;
    // The turned square's bounding box.
    const float reach = half * (std::fabs(cosine) + std::fabs(sine));
    const int x0 = std::max(0, static_cast<int>(std::floor(sprite.x - reach)));
    const int x1 = std::min(columns - 1, static_cast<int>(std::ceil(sprite.x + reach)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(sprite.y - reach)));
    const int y1 = std::min(rows - 1, static_cast<int>(std::ceil(sprite.y + reach)) - 1);
    if (x0 > x1 || y0 > y1) {
        return;
    }
    // A pixel's offset (dx, dy) from the centre, screen y downwards, turned back into the texture's
    // square: lx = dx cos - dy sin, ly = dx sin + dy cos; then scaled to texels of the cell. The texel
    // coordinates change linearly along a row, so they are stepped in 16.16 fixed point.
    const float scaleU = static_cast<float>(cell.width) / (2.0f * half) * 65536.0f;
    const float scaleV = static_cast<float>(cell.height) / (2.0f * half) * 65536.0f;
    const int stepU = static_cast<int>(cosine * scaleU);
    const int stepV = static_cast<int>(sine * scaleV);
    const int limitU = cell.width << 16;
    const int limitV = cell.height << 16;
    const int tintA = clampByte(sprite.a);
    // Tint colour times tint opacity, 0..255.
    const int tintR = clampByte(sprite.r) * tintA / 255;
    const int tintG = clampByte(sprite.g) * tintA / 255;
    const int tintB = clampByte(sprite.b) * tintA / 255;
    const texel::Tint tint = {tintR, tintG, tintB, tintA};
    // Mixing four texels smooths a texture drawn larger than it is; drawn smaller, it is no better than the
    // nearest texel (both skip texels), so the cheaper nearest is used.
    const bool bilinear = sampling == Sampling::Bilinear && (2.0f * half > static_cast<float>(cell.width) ||
                                                             2.0f * half > static_cast<float>(cell.height));
    const bool additive = blend == Blend::Additive;
    for (int y = y0; y <= y1; ++y) {
        const float dy = static_cast<float>(y) + 0.5f - sprite.y;
        const float dx = static_cast<float>(x0) + 0.5f - sprite.x;
        const float uStart = (dx * cosine - dy * sine + half) * scaleU;
        const float vStart = (dx * sine + dy * cosine + half) * scaleV;
        // On wide sprites only the pixels whose centres fall inside the turned square are walked (the
        // checks per pixel stay, for the rounding at its edges); on small ones that costs more than it saves.
        int from = x0, to = x1;
        if (x1 - x0 >= 16) {
            float first = 0.0f, last = static_cast<float>(x1 - x0);
            if (!narrow(uStart, static_cast<float>(stepU), static_cast<float>(limitU), first, last) ||
                !narrow(vStart, static_cast<float>(stepV), static_cast<float>(limitV), first, last)) {
                continue;
            }
            from = x0 + std::max(0, static_cast<int>(std::floor(first)) - 1);
            to = x0 + std::min(x1 - x0, static_cast<int>(std::ceil(last)) + 1);
        }
        const int u = static_cast<int>(uStart) + stepU * (from - x0);
        const int v = static_cast<int>(vStart) + stepV * (from - x0);
        std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * columns;
        const RowWalk walk = {u, v, stepU, stepV, limitU, limitV};
        texturedRow<texel::Fastest>(bilinear, additive, row, from, to, walk, cell, tint);
    }
}

void Canvas::fill(int x, int y, int width, int height, std::uint32_t rgb, int alpha) {
    const int left = std::max(0, x);
    const int top = std::max(0, y);
    const int right = std::min(columns, x + std::max(0, width));
    const int bottom = std::min(rows, y + std::max(0, height));
    const Source source = {(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF,
                           opacityWeight(clampByte(alpha))};
    for (int row = top; row < bottom; ++row) {
        std::uint32_t* line = pixels.data() + static_cast<std::size_t>(row) * columns;
        for (int column = left; column < right; ++column) {
            line[column] = alphaOver(line[column], source);
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
