#ifndef PELMORA_PREVIEW_VIEW_H
#define PELMORA_PREVIEW_VIEW_H

#include <pelmora/Flipbook.h>

namespace pelmora {

// How the preview maps effect units to its client pixels: the effect's origin sits at the client's
// centre moved by the pan, and one unit is `scale` pixels; y grows upwards in the effect and downwards
// on the screen.
struct PreviewView {
    static constexpr float kMinScale = 0.05f;
    static constexpr float kMaxScale = 40.0f;

    float scale = 1.0f;
    float panX = 0.0f;
    float panY = 0.0f;

    float toClientX(float x, int width) const { return 0.5f * static_cast<float>(width) + panX + x * scale; }
    float toClientY(float y, int height) const {
        return 0.5f * static_cast<float>(height) + panY - y * scale;
    }
    float toEffectX(float clientX, int width) const {
        return (clientX - 0.5f * static_cast<float>(width) - panX) / scale;
    }
    float toEffectY(float clientY, int height) const {
        return (0.5f * static_cast<float>(height) + panY - clientY) / scale;
    }

    // Zooms by `notches` wheel notches (positive: in), keeping the effect point under the client point
    // where it is.
    void zoomAt(float clientX, float clientY, int width, int height, float notches);
    // Scale and pan that show the whole extent in the client, with `margin` pixels free around it.
    static PreviewView framing(const Extent& extent, int width, int height, int margin);
};

// The grid's spacing in effect units: 1, 2 or 5 times a power of ten, the smallest that keeps its lines
// at least `minPixels` apart at the scale.
float gridSpacing(float scale, float minPixels);

} // namespace pelmora

#endif
