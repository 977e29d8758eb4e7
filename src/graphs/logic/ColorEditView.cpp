#include "graphs/logic/ColorEditView.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace KW {
namespace coloredit {

const float ColorEditView::zoomStep = 0.3f;
const float ColorEditView::minScale = 1.0f;
const float ColorEditView::maxScale = 20.0f;

// Grid lines lie every 10 data units; labels every labelStep units.
static const float gridUnits = 10.0f;

ColorEditView::ColorEditView()
    : scale(1.0f), originX(0.0f), originY(0.0f), viewX(0), viewY(0), cursorX(0.0f), cursorY(0.0f),
      labelStep(50) {}

void ColorEditView::pan(int dx) {
    const long long moved = static_cast<long long>(viewX) + dx;
    if (moved > INT_MAX) {
        viewX = INT_MAX;
    } else if (moved < INT_MIN) {
        viewX = INT_MIN;
    } else {
        viewX = static_cast<int>(moved);
    }
}

void ColorEditView::zoomIn(int mouseX, int mouseY) {
    float next = static_cast<float>(static_cast<double>(scale) + static_cast<double>(zoomStep));
    if (next > maxScale) {
        next = maxScale;
    }
    zoomAbout(mouseX, mouseY, next);
}

void ColorEditView::zoomOut(int mouseX, int mouseY) {
    float next = static_cast<float>(static_cast<double>(scale) - static_cast<double>(zoomStep));
    if (next < minScale) {
        next = minScale;
    }
    zoomAbout(mouseX, mouseY, next);
}

void ColorEditView::zoomAbout(int mouseX, int mouseY, float newScale) {
    // The fixed point is the mouse less the pan offset, in float like the origins.
    const float px = static_cast<float>(static_cast<long long>(mouseX) - viewX);
    const float py = static_cast<float>(static_cast<long long>(mouseY) - viewY);
    const float oldScale = scale;
    scale = newScale;
    const float hx = (px - originX) / oldScale;
    const float hy = (py - originY) / oldScale;
    originX = hx * oldScale - hx * scale + originX;
    originY = hy * oldScale - hy * scale + originY;
    labelStep = labelStepFor(scale);
}

void ColorEditView::frame(float first, float last, int width, int margin) {
    const float span = last - first;
    const float room = static_cast<float>(width - 2 * margin);
    float fitted = span > 0.0f && room > 0.0f ? room / span : scale;
    fitted = std::min(maxScale, std::max(minScale, fitted));
    scale = fitted;
    originX = (static_cast<float>(width) - span * scale) / 2.0f - first * scale;
    viewX = 0;
    labelStep = labelStepFor(scale);
}

void ColorEditView::updateCursor(int px, int py) {
    const float x = static_cast<float>(static_cast<long long>(px) - viewX);
    const float y = static_cast<float>(static_cast<long long>(py) - viewY);
    cursorX = (x - std::floor(originX)) / scale;
    cursorY = (y - std::floor(originY)) / scale;
}

float ColorEditView::keyCenterX(float position) const {
    return (position * scale + originX) + static_cast<float>(viewX);
}

float ColorEditView::hitTolerance(int markerSize) const {
    return static_cast<float>(markerSize) / scale;
}

// Positions from the first line at or left of the edge (within one spacing of 0), stepping by spacing
// while below limit. With offsets so large that float has lost the phase, the walk still starts near
// the edge and stops once the positions no longer advance.
std::vector<float> ColorEditView::gridLines(float origin, float spacing, int limit) {
    std::vector<float> lines;
    if (!(spacing > 0.0f) || !std::isfinite(origin)) {
        return lines;
    }
    const float steps = std::trunc(origin / spacing);
    float v = origin - steps * spacing;
    if (v < -spacing) {
        v = static_cast<float>(std::fmod(static_cast<double>(v), static_cast<double>(spacing)));
    }
    const double most = std::max(0.0, static_cast<double>(limit) / spacing) + 3.0;
    for (; v < static_cast<float>(limit) && static_cast<double>(lines.size()) < most; v += spacing) {
        lines.push_back(v);
        if (v + spacing == v) {
            break;
        }
    }
    return lines;
}

std::vector<float> ColorEditView::gridColumns(int width) const {
    return gridLines(static_cast<float>(viewX) + originX, scale * gridUnits, width);
}

std::vector<float> ColorEditView::gridRows(int height) const {
    return gridLines(static_cast<float>(viewY) + originY, scale * gridUnits, height);
}

std::vector<AxisLabel> ColorEditView::labels(int width) const {
    std::vector<AxisLabel> result;
    const float ox = static_cast<float>(viewX) + originX;
    const float spacing = scale * gridUnits * static_cast<float>(labelStep / 10);
    const std::vector<float> columns = gridLines(ox, spacing, width);
    if (columns.empty()) {
        return result;
    }
    long long value = -static_cast<long long>(std::trunc(ox / spacing)) * labelStep;
    for (float column : columns) {
        result.push_back({static_cast<int>(column), value});
        value += labelStep;
    }
    return result;
}

} // namespace coloredit
} // namespace KW
