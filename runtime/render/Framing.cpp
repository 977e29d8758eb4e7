#include "Framing.h"

#include <algorithm>
#include <cmath>

namespace pelmora {

void includeParticles(Extent& extent, const std::vector<Particle>& particles) {
    for (const Particle& particle : particles) {
        const float half = 0.5f * particle.size *
                           (std::fabs(std::cos(particle.rotation)) + std::fabs(std::sin(particle.rotation)));
        extent.left = std::min(extent.left, particle.x - half);
        extent.right = std::max(extent.right, particle.x + half);
        extent.bottom = std::min(extent.bottom, particle.y - half);
        extent.top = std::max(extent.top, particle.y + half);
    }
}

float fitScale(const Extent& extent, int width, int height, int margin) {
    const float spanX = std::max(1e-3f, extent.right - extent.left);
    const float spanY = std::max(1e-3f, extent.top - extent.bottom);
    const float roomX = static_cast<float>(std::max(1, width - 2 * margin));
    const float roomY = static_cast<float>(std::max(1, height - 2 * margin));
    return std::min(roomX / spanX, roomY / spanY);
}

} // namespace pelmora
