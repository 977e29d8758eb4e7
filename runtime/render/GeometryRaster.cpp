#include "GeometryRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pelmora {

namespace {

int cells(float extent) {
    return extent > 0.0f ? std::max(1, static_cast<int>(std::lround(1.0f / extent))) : 1;
}

// Whether the quad is a square sprite of one colour with an upright cell of the texture: the shape the
// sprite drawing covers. Stretched sprites and trail segments are drawn as their two triangles instead.
bool isSquareSprite(const Vertex& topLeft, const Vertex& topRight, const Vertex& bottomLeft,
                    const Vertex& bottomRight) {
    const float ax = topRight.x - topLeft.x, ay = topRight.y - topLeft.y;
    const float bx = bottomLeft.x - topLeft.x, by = bottomLeft.y - topLeft.y;
    const float lengthA = ax * ax + ay * ay, lengthB = bx * bx + by * by;
    const float tolerance = 1e-3f * std::max(lengthA, lengthB);
    const float farX = topRight.x + bx - bottomRight.x, farY = topRight.y + by - bottomRight.y;
    return std::fabs(lengthA - lengthB) <= tolerance && std::fabs(ax * bx + ay * by) <= tolerance &&
           farX * farX + farY * farY <= tolerance && topLeft.color == topRight.color &&
           topLeft.color == bottomLeft.color && topLeft.color == bottomRight.color &&
           topLeft.u == bottomLeft.u && topRight.u == bottomRight.u && topLeft.v == topRight.v &&
           bottomLeft.v == bottomRight.v;
}

Corner cornerOf(const Vertex& vertex, const View& view) {
    std::uint8_t rgba[4];
    std::memcpy(rgba, &vertex.color, sizeof(rgba));
    return Corner{view.originX + vertex.x * view.zoom,
                  view.originY - vertex.y * view.zoom,
                  vertex.u,
                  vertex.v,
                  rgba[0],
                  rgba[1],
                  rgba[2],
                  rgba[3]};
}

} // namespace

void drawGeometry(Canvas& canvas, const Geometry& geometry, const View& view,
                  const std::vector<Image>& textures, Sampling sampling) {
    for (const DrawCall& draw : geometry.draws) {
        const bool textured = draw.texture >= 0 && static_cast<std::size_t>(draw.texture) < textures.size() &&
                              textures[static_cast<std::size_t>(draw.texture)].width > 0;
        // Each quad's six indices name its corners top left, top right, bottom left, _, _, bottom right.
        for (std::uint32_t at = draw.firstIndex; at + 6 <= draw.firstIndex + draw.indexCount; at += 6) {
            const Vertex& topLeft = geometry.vertices[geometry.indices[at]];
            const Vertex& topRight = geometry.vertices[geometry.indices[at + 1]];
            const Vertex& bottomLeft = geometry.vertices[geometry.indices[at + 2]];
            const Vertex& bottomRight = geometry.vertices[geometry.indices[at + 5]];
            if (!isSquareSprite(topLeft, topRight, bottomLeft, bottomRight)) {
                const Image* texture = textured ? &textures[static_cast<std::size_t>(draw.texture)] : nullptr;
                for (std::uint32_t first = at; first < at + 6; first += 3) {
                    const Corner corners[3] = {
                        cornerOf(geometry.vertices[geometry.indices[first]], view),
                        cornerOf(geometry.vertices[geometry.indices[first + 1]], view),
                        cornerOf(geometry.vertices[geometry.indices[first + 2]], view)};
                    canvas.draw(corners, texture, draw.blend, sampling);
                }
                continue;
            }
            const float edgeX = topRight.x - topLeft.x;
            const float edgeY = topRight.y - topLeft.y;
            std::uint8_t rgba[4];
            std::memcpy(rgba, &topLeft.color, sizeof(rgba));
            const float x = (topLeft.x + bottomRight.x) * 0.5f;
            const float y = (topLeft.y + bottomRight.y) * 0.5f;
            const Sprite sprite = {view.originX + x * view.zoom,
                                   view.originY - y * view.zoom,
                                   std::sqrt(edgeX * edgeX + edgeY * edgeY) * view.zoom,
                                   rgba[0],
                                   rgba[1],
                                   rgba[2],
                                   rgba[3],
                                   std::atan2(edgeY, edgeX)};
            if (textured) {
                TextureFrame frame;
                frame.columns = cells(bottomRight.u - topLeft.u);
                frame.rows = cells(bottomRight.v - topLeft.v);
                frame.frame = static_cast<int>(std::lround(topLeft.v * static_cast<float>(frame.rows))) *
                                  frame.columns +
                              static_cast<int>(std::lround(topLeft.u * static_cast<float>(frame.columns)));
                canvas.draw(sprite, textures[static_cast<std::size_t>(draw.texture)], draw.blend, frame,
                            sampling);
            } else {
                canvas.draw(sprite, draw.blend);
            }
        }
    }
}

} // namespace pelmora
