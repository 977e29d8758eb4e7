#include "logic/PreviewView.h"

#include <algorithm>
#include <cmath>

namespace pelmora {

constexpr float PreviewView::kMinScale;
constexpr float PreviewView::kMaxScale;

void PreviewView::zoomAt(float clientX, float clientY, int width, int height, float notches) {
    const float x = toEffectX(clientX, width);
    const float y = toEffectY(clientY, height);
    scale = std::min(kMaxScale, std::max(kMinScale, scale * std::pow(1.25f, notches)));
    // The point under the cursor stays under it.
    panX += clientX - toClientX(x, width);
    panY += clientY - toClientY(y, height);
}

PreviewView PreviewView::framing(const Extent& extent, int width, int height, int margin) {
    PreviewView view;
    view.scale = std::min(kMaxScale, std::max(kMinScale, fitScale(extent, width, height, margin)));
    view.panX = -0.5f * (extent.left + extent.right) * view.scale;
    view.panY = 0.5f * (extent.bottom + extent.top) * view.scale;
    return view;
}

float gridSpacing(float scale, float minPixels) {
    const float wanted = minPixels / std::max(scale, PreviewView::kMinScale);
    float decade = std::pow(10.0f, std::floor(std::log10(wanted)));
    for (;;) {
        for (float step : {1.0f, 2.0f, 5.0f}) {
            if (step * decade >= wanted * 0.9999f) {
                return step * decade;
            }
        }
        decade *= 10.0f;
    }
}

} // namespace pelmora
