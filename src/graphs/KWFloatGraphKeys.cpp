#include "KWFloatGraph.h"

#include "graphs/EditorKeys.h"
#include "graphs/logic/EditorMetrics.h"
#include "graphs/logic/FloatGraphModel.h"
#include "graphs/logic/GraphView.h"
#include "graphs/logic/KeyOrder.h"
#include "graphs/logic/KeyText.h"

#include <algorithm>

namespace KW {

namespace {

int selectedIndex(const std::vector<KWGraphPoint>& keys) {
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].selected) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

bool KWFloatGraph::handleKey(WPARAM key) {
    // One pixel's worth of data on each axis (ten with Shift).
    const float pixels = static_cast<float>(editorkeys::arrowPixels());
    const float stepX = pixels / scale;
    const float stepY = pixels / scaleY;
    switch (editorkeys::commandOf(key)) {
    case editorkeys::KEY_NEXT:
    case editorkeys::KEY_PREVIOUS:
        selectNext(editorkeys::commandOf(key) == editorkeys::KEY_NEXT);
        return false;
    case editorkeys::KEY_LEFT:
        return nudge(-stepX, 0.0f);
    case editorkeys::KEY_RIGHT:
        return nudge(stepX, 0.0f);
    case editorkeys::KEY_UP:
        return nudge(0.0f, -stepY);
    case editorkeys::KEY_DOWN:
        return nudge(0.0f, stepY);
    case editorkeys::KEY_FRAME:
        frameKeys();
        return false;
    case editorkeys::KEY_COPY:
        editorkeys::putText(handle, keytext::curveToText(points));
        return false;
    case editorkeys::KEY_PASTE:
        return pasteKeys();
    default:
        return false;
    }
}

void KWFloatGraph::selectNext(bool forward) {
    std::vector<float> positions;
    for (const KWGraphPoint& key : points) {
        positions.push_back(key.x);
    }
    const int chosen = keyorder::step(positions, selectedIndex(points), forward);
    for (size_t i = 0; i < points.size(); ++i) {
        points[i].selected = static_cast<int>(i) == chosen;
    }
    dirty = true;
    // The keyboard's key is the focused part for screen readers.
    if (chosen >= 0) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, keyorder::rankOf(positions, chosen) + 1);
    }
}

bool KWFloatGraph::nudge(float dx, float dy) {
    const bool moved = floatgraph::nudgeSelected(points, dx, dy);
    dirty = moved || dirty;
    return moved;
}

void KWFloatGraph::frameKeys() {
    if (points.empty()) {
        return;
    }
    graphview::Extent data = {points[0].x, points[0].y1, points[0].x, points[0].y2};
    for (const KWGraphPoint& key : points) {
        data.left = std::min(data.left, key.x);
        data.right = std::max(data.right, key.x);
        data.top = std::min(data.top, key.y1);
        data.bottom = std::max(data.bottom, key.y2);
    }
    // The plot lies right of the value labels and above the position labels, with a little room around.
    const KWBound client = getGlobalBounds();
    const editormetrics::Curve metrics = editormetrics::curve(getDpi());
    const graphview::Extent area = {
        static_cast<float>(metrics.labelsWidth + metrics.frameRoom), static_cast<float>(metrics.frameRoom),
        static_cast<float>(client.right - metrics.frameRoom),
        static_cast<float>(client.bottom - metrics.labelsHeight - metrics.frameRoom)};
    const graphview::View view = graphview::framed(data, area, {scale, scaleY}, graphview::kMinScale);
    scale = view.scale;
    scaleY = view.scaleY;
    originX = view.originX;
    originY = view.originY;
    viewX = view.viewX;
    viewY = view.viewY;
    labelStep = graphview::labelStepFor(scale);
    labelStepY = graphview::labelStepFor(scaleY);
    dirty = true;
}

bool KWFloatGraph::pasteKeys() {
    std::string text;
    std::vector<KWGraphPoint> keys;
    if (!editorkeys::getText(handle, text) || !keytext::curveFromText(text, keys)) {
        MessageBeep(MB_ICONWARNING);
        return false;
    }
    points = keys;
    dirty = true;
    return true;
}

} // namespace KW
