#include "GeometryRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pelmora {

namespace {

int cells(float extent) {
    return extent > 0.0f ? std::max(1, static_cast<int>(std::lround(1.0f / extent))) : 1;
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
            const Vertex& bottomRight = geometry.vertices[geometry.indices[at + 5]];
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
