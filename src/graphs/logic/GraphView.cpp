#include "graphs/logic/GraphView.h"

#include <algorithm>
#include <cmath>

namespace KW {
namespace graphview {

namespace {

// Far outside any screen, yet corners and marker offsets stay within int.
const float kPixelLimit = 1073741824.0f; // 2^30
const int kPanLimit = 1 << 24;           // pan offsets stay exact as floats

} // namespace

int truncateToPixel(float value) {
    if (!(value == value)) {
        return 0;
    }
    if (value > kPixelLimit) {
        return static_cast<int>(kPixelLimit);
    }
    if (value < -kPixelLimit) {
        return -static_cast<int>(kPixelLimit);
    }
    return static_cast<int>(value);
}

int dataToPixel(float value, float scale, float origin, int view) {
    const float scaled = value * scale;
    const float shifted = scaled + origin;
    const float panned = shifted + static_cast<float>(view);
    return truncateToPixel(panned);
}

float clientToData(int client, int view, float origin, float scale) {
    const double relative = static_cast<double>(client) - static_cast<double>(view);
    return static_cast<float>((relative - std::floor(static_cast<double>(origin))) / scale);
}

int addPan(int view, int delta) {
    const long long sum = static_cast<long long>(view) + delta;
    if (sum > kPanLimit) {
        return kPanLimit;
    }
    if (sum < -kPanLimit) {
        return -kPanLimit;
    }
    return static_cast<int>(sum);
}

float scaleAfterZoomIn(float scale) {
    float next = static_cast<float>(static_cast<double>(scale) + static_cast<double>(kZoomStep));
    if (next > kMaxScale) {
        next = kMaxScale;
    }
    return next;
}

float scaleAfterZoomOut(float scale, float minimumScale) {
    float next = static_cast<float>(static_cast<double>(scale) - static_cast<double>(kZoomStep));
    if (next < minimumScale) {
        next = minimumScale;
    }
    return next;
}

namespace {

float originKeepingPoint(float origin, float oldScale, float newScale, int fixed) {
    const float held = (static_cast<float>(fixed) - origin) / oldScale;
    const float before = held * oldScale;
    const float after = held * newScale;
    const float difference = before - after;
    return difference + origin;
}

} // namespace

Scales scalesAfterZoom(Scales scales, bool in, float minimumScale) {
    float x = in ? scaleAfterZoomIn(scales.x) : scaleAfterZoomOut(scales.x, minimumScale);
    // x * 1 is x: equal scales stay equal, step for step as one scale would go.
    const float ratio = scales.y / scales.x;
    float y = x * ratio;
    if (y > kMaxScale || y < minimumScale) {
        y = std::min(kMaxScale, std::max(minimumScale, y));
        x = std::min(kMaxScale, std::max(minimumScale, y / ratio));
    }
    return {x, y};
}

void zoomAbout(View& view, Scales newScales, int fixedX, int fixedY) {
    const float oldScaleX = view.scale;
    const float oldScaleY = view.scaleY;
    view.scale = newScales.x;
    view.scaleY = newScales.y;
    view.originX = originKeepingPoint(view.originX, oldScaleX, newScales.x, fixedX);
    view.originY = originKeepingPoint(view.originY, oldScaleY, newScales.y, fixedY);
}

namespace {

// The largest scale that shows span in room, or 0 when either is empty (or not a number).
float fittedScale(float span, float room) {
    return span > 0.0f && room > 0.0f ? std::min(kMaxScale, room / span) : 0.0f;
}

} // namespace

View framed(const Extent& data, const Extent& area, Scales kept, float minimumScale) {
    const float spanX = data.right - data.left;
    const float spanY = data.bottom - data.top;
    float fittedX = fittedScale(spanX, area.right - area.left);
    float fittedY = fittedScale(spanY, area.bottom - area.top);
    if (fittedX == 0.0f && fittedY == 0.0f) {
        fittedX = kept.x;
        fittedY = kept.y;
    } else if (fittedX == 0.0f) {
        fittedX = fittedY;
    } else if (fittedY == 0.0f) {
        fittedY = fittedX;
    }
    View view;
    view.scale = std::max(minimumScale, fittedX);
    view.scaleY = std::max(minimumScale, fittedY);
    view.originX = (area.left + area.right - spanX * view.scale) / 2.0f - data.left * view.scale;
    view.originY = (area.top + area.bottom - spanY * view.scaleY) / 2.0f - data.top * view.scaleY;
    return view;
}

int labelStepFor(float scale) {
    // Compared in double on purpose: 1.5999999f stays below the float 1.6 and keeps step 50.
    const double s = scale;
    int step = 50;
    if (s >= static_cast<double>(0.1f)) {
        step = 200;
    }
    if (s >= 0.5) {
        step = 100;
    }
    if (s >= 1.0) {
        step = 50;
    }
    if (s >= static_cast<double>(1.6f)) {
        step = 30;
    }
    if (s >= 4.0) {
        step = 10;
    }
    return step;
}

float gridSpacing(float scale) {
    return scale * 10.0f;
}

float labelSpacing(float scale, int labelStep) {
    const float tenUnits = scale * 10.0f;
    return tenUnits * static_cast<float>(labelStep / 10);
}

std::vector<Tick> axisTicks(float origin, float spacing, int extent) {
    std::vector<Tick> ticks;
    if (!(spacing > 0.0f) || extent <= 0) {
        return ticks;
    }
    const int before = truncateToPixel(origin / spacing);
    const float offset = static_cast<float>(before) * spacing;
    const float first = origin - offset;
    // A normal run has at most extent / spacing + 2 ticks; the bound only matters for views so far
    // away that adding the spacing no longer changes a float.
    const double limit = static_cast<double>(extent) / spacing + 3.0;
    long long index = -static_cast<long long>(before);
    for (float v = first; v < static_cast<float>(extent) && static_cast<double>(ticks.size()) < limit;
         v += spacing) {
        ticks.push_back({v, index});
        ++index;
    }
    return ticks;
}

} // namespace graphview
} // namespace KW
