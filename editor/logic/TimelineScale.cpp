#include "logic/TimelineScale.h"

#include "logic/PreviewView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pelmora {

double timelineSpan(double duration, double time) {
    const double shown = std::max(10.0, std::isfinite(duration) ? duration : 0.0);
    if (!(time > shown)) {
        return shown;
    }
    return std::ceil(time / 10.0) * 10.0;
}

double keptTimelineSpan(double shown, double time) {
    return std::max(shown, timelineSpan(0.0, time));
}

int TimelineScale::toPixel(double seconds) const {
    const double width = static_cast<double>(right - left);
    return left + static_cast<int>(std::lround(seconds / std::max(span, 1e-6) * width));
}

double TimelineScale::toSeconds(int pixel) const {
    const double width = static_cast<double>(std::max(1, right - left));
    return std::min(span, std::max(0.0, (pixel - left) / width * span));
}

std::vector<TimelineTick> timelineTicks(const TimelineScale& scale, float minPixels) {
    std::vector<TimelineTick> ticks;
    const double pixelsPerSecond = (scale.right - scale.left) / std::max(scale.span, 1e-6);
    if (!(pixelsPerSecond > 0.0)) {
        return ticks;
    }
    // The same 1-2-5 steps as the preview's grid.
    const double step = gridSpacing(static_cast<float>(pixelsPerSecond), minPixels);
    for (int i = 0; i * step <= scale.span + 1e-9; ++i) {
        const double seconds = i * step;
        char label[32];
        std::snprintf(label, sizeof(label), "%g s", seconds);
        ticks.push_back(TimelineTick{seconds, scale.toPixel(seconds), label});
    }
    return ticks;
}

void placeLabels(std::vector<TimelineTick>& ticks, const std::vector<int>& widths, int right, int gap) {
    int nextLeft = right + gap; // where the label on the right of the one placed starts
    for (std::size_t i = ticks.size(); i-- > 0;) {
        TimelineTick& tick = ticks[i];
        const int width = i < widths.size() ? widths[i] : 0;
        tick.labelLeft = tick.pixel + gap + width > right ? tick.pixel - gap - width : tick.pixel + gap;
        tick.labelShown = i + 1 == ticks.size() || tick.labelLeft + width + gap <= nextLeft;
        if (tick.labelShown) {
            nextLeft = tick.labelLeft;
        }
    }
}

std::string timeText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f s", seconds);
    return text;
}

} // namespace pelmora
