#include "graphs/logic/EditorMetrics.h"

#include "core/logic/DpiScale.h"
#include "graphs/logic/ColorEditModel.h"

#include <algorithm>

namespace KW {
namespace editormetrics {

Curve curve(int dpi) {
    Curve metrics;
    metrics.pickRadius = dpi::scaled(3, dpi);
    metrics.labelsWidth = dpi::scaled(50, dpi);
    metrics.labelsHeight = dpi::scaled(20, dpi);
    metrics.frameRoom = dpi::scaled(10, dpi);
    metrics.bottomLabelRise = dpi::scaled(15, dpi);
    metrics.valueLabelX = dpi::scaled(20, dpi);
    metrics.valueLabelLift = dpi::scaled(7, dpi);
    return metrics;
}

Gradient gradient(int dpi) {
    Gradient metrics;
    metrics.bandHeight = dpi::scaled(20, dpi);
    metrics.labelOffset = dpi::scaled(15, dpi);
    metrics.markerSize = dpi::scaled(5, dpi);
    metrics.minMarkerSize = dpi::scaled(coloredit::ColorEditModel::minMarkerSize, dpi);
    metrics.maxMarkerSize = dpi::scaled(coloredit::ColorEditModel::maxMarkerSize, dpi);
    metrics.frameRoom = dpi::scaled(2, dpi);
    return metrics;
}

int focusMarkWidth(int dpi) {
    return dpi::scaled(2, dpi);
}

int rescaledMarkerSize(int markerSize, int fromDpi, int toDpi) {
    return steppedMarkerSize(dpi::rescaled(markerSize, fromDpi, toDpi), 0, gradient(toDpi));
}

int steppedMarkerSize(int markerSize, int delta, const Gradient& metrics) {
    return std::min(metrics.maxMarkerSize, std::max(metrics.minMarkerSize, markerSize + delta));
}

} // namespace editormetrics
} // namespace KW
