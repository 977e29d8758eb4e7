#ifndef PELMORA_FRAMING_H
#define PELMORA_FRAMING_H

#include <pelmora/Runtime.h>

#include <vector>

// Framing an effect: the extent its particles cover and the scale that shows it whole. The editor's
// View > Frame Effect and the flipbooks' "fit" framing both work this way.
namespace pelmora {

// An axis-aligned rectangle in effect units (y grows upwards).
struct Extent {
    float left;
    float bottom;
    float right;
    float top;
};

// Grows the extent to hold every particle: its square, turned by its rotation.
void includeParticles(Extent& extent, const std::vector<Particle>& particles);

// Pixels per effect unit that show the whole extent in width x height pixels with `margin` pixels free
// around it; an extent without width or height counts as a thousandth of a unit.
float fitScale(const Extent& extent, int width, int height, int margin);

} // namespace pelmora

#endif
