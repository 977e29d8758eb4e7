#include "Raster.h"

#include "TexelBlend.h"

#include <algorithm>
#include <cmath>

namespace pelmora {

namespace {

typedef texel::Fastest Ops;

int clampByte(float value) {
    return value <= 0.0f ? 0 : (value >= 255.0f ? 255 : static_cast<int>(value + 0.5f));
}

// The texel at (x, y) of the texture, clamped to its border.
const std::uint8_t* texelAt(const Image& texture, int x, int y) {
    x = std::min(std::max(x, 0), texture.width - 1);
    y = std::min(std::max(y, 0), texture.height - 1);
    return &texture.rgba[(static_cast<std::size_t>(y) * texture.width + x) * 4];
}

Ops::Texel sample(const Image& texture, float u, float v, bool bilinear) {
    const float x = u * static_cast<float>(texture.width);
    const float y = v * static_cast<float>(texture.height);
    if (!bilinear) {
        return Ops::premultiplied(
            texelAt(texture, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))));
    }
    const float fx = x - 0.5f, fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const int wx = static_cast<int>((fx - static_cast<float>(x0)) * 255.0f);
    const int wy = static_cast<int>((fy - static_cast<float>(y0)) * 255.0f);
    const Ops::Texel upper = Ops::mix(Ops::premultiplied(texelAt(texture, x0, y0)),
                                      Ops::premultiplied(texelAt(texture, x0 + 1, y0)), wx);
    const Ops::Texel lower = Ops::mix(Ops::premultiplied(texelAt(texture, x0, y0 + 1)),
                                      Ops::premultiplied(texelAt(texture, x0 + 1, y0 + 1)), wx);
    return Ops::mix(upper, lower, wy);
}

// Twice the signed area of (a, b, p): which side of the edge a-b the point p lies on.
float side(const Corner& a, const Corner& b, float x, float y) {
    return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

// Whether a point exactly on the edge a-b belongs to this triangle: the edges on its top and left do, so
// that two triangles sharing an edge draw its pixels once.
bool ownsEdge(const Corner& a, const Corner& b) {
    return (a.y == b.y && b.x < a.x) || b.y < a.y;
}

} // namespace

void Canvas::draw(const Corner (&given)[3], const Image* texture, Blend blend, Sampling sampling) {
    Corner c[3] = {given[0], given[1], given[2]};
    for (const Corner& corner : c) {
        if (!std::isfinite(corner.x) || !std::isfinite(corner.y)) {
            return;
        }
    }
    float area = side(c[0], c[1], c[2].x, c[2].y);
    if (area == 0.0f) {
        return;
    }
    if (area < 0.0f) {
        std::swap(c[1], c[2]);
        area = -area;
    }
    if (texture && (texture->width <= 0 || texture->height <= 0 ||
                    texture->rgba.size() < static_cast<std::size_t>(texture->width) * texture->height * 4)) {
        return;
    }
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({c[0].x, c[1].x, c[2].x}))));
    const int x1 = std::min(columns - 1, static_cast<int>(std::ceil(std::max({c[0].x, c[1].x, c[2].x}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({c[0].y, c[1].y, c[2].y}))));
    const int y1 = std::min(rows - 1, static_cast<int>(std::ceil(std::max({c[0].y, c[1].y, c[2].y}))));
    // Drawn larger than the texture, mixing four texels smooths it; smaller, the nearest does as well.
    const float span = std::max(x1 - x0, y1 - y0) + 1.0f;
    const bool bilinear =
        texture && sampling == Sampling::Bilinear &&
        (span > static_cast<float>(texture->width) || span > static_cast<float>(texture->height));
    static const std::uint8_t white[4] = {255, 255, 255, 255};
    const Ops::Texel plain = Ops::premultiplied(white);
    const bool owns[3] = {ownsEdge(c[1], c[2]), ownsEdge(c[2], c[0]), ownsEdge(c[0], c[1])};
    for (int y = y0; y <= y1; ++y) {
        const float py = static_cast<float>(y) + 0.5f;
        std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * columns;
        for (int x = x0; x <= x1; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float w[3] = {side(c[1], c[2], px, py), side(c[2], c[0], px, py), side(c[0], c[1], px, py)};
            bool inside = true;
            for (int k = 0; k < 3 && inside; ++k) {
                inside = w[k] > 0.0f || (w[k] == 0.0f && owns[k]);
            }
            if (!inside) {
                continue;
            }
            const float a = w[0] / area, b = w[1] / area, g = w[2] / area;
            const float u = a * c[0].u + b * c[1].u + g * c[2].u;
            const float v = a * c[0].v + b * c[1].v + g * c[2].v;
            if (!texture && (u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f) > 0.25f) {
                continue;
            }
            const int alpha = clampByte(a * c[0].a + b * c[1].a + g * c[2].a);
            if (alpha == 0) {
                continue;
            }
            const texel::Tint tint = {clampByte(a * c[0].r + b * c[1].r + g * c[2].r) * alpha / 255,
                                      clampByte(a * c[0].g + b * c[1].g + g * c[2].g) * alpha / 255,
                                      clampByte(a * c[0].b + b * c[1].b + g * c[2].b) * alpha / 255, alpha};
            const Ops::Texel source = texture ? sample(*texture, u, v, bilinear) : plain;
            row[x] = blend == Blend::Additive ? Ops::blend<true>(row[x], source, Ops::tintLanes(tint))
                                              : Ops::blend<false>(row[x], source, Ops::tintLanes(tint));
        }
    }
}

} // namespace pelmora
