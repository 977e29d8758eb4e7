#ifndef PELMORA_GEOMETRY_RASTER_H
#define PELMORA_GEOMETRY_RASTER_H

#include "Flipbook.h"
#include "Raster.h"

#include <pelmora/Runtime.h>

#include <vector>

namespace pelmora {

// Draws the runtime's geometry as a renderer would, quad by quad in draw-call order: a round quad (texture
// -1, or a texture not loaded) as the disc, a textured one as its frame's cell turned with the quad; a
// quad of another shape or with corners of different colours (stretched sprites, trails) as its two
// triangles.
void drawGeometry(Canvas& canvas, const Geometry& geometry, const View& view,
                  const std::vector<Image>& textures, Sampling sampling = Sampling::Bilinear);

} // namespace pelmora

#endif
