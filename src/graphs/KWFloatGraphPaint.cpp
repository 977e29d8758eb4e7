#include "KWFloatGraph.h"

#include "core/DpiFonts.h"
#include "graphs/EditorKeys.h"
#include "graphs/logic/EditorMetrics.h"
#include "graphs/logic/FloatGraphMarkers.h"
#include "graphs/logic/FloatGraphPolyline.h"
#include "graphs/logic/GraphView.h"
#include "core/Theme.h"

#include <string>
#include <vector>

namespace KW {

namespace {

// A pen or brush made for one drawing operation and deleted at its end.
class OwnedGdiObject {
public:
    explicit OwnedGdiObject(HGDIOBJ object) : object(object) {}
    ~OwnedGdiObject() {
        if (object) {
            DeleteObject(object);
        }
    }
    HGDIOBJ get() const { return object; }

private:
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;
    HGDIOBJ object;
};

// Selects the device context's original pen back before the owned pens are deleted.
class PenRestorer {
public:
    explicit PenRestorer(HDC hdc) : hdc(hdc), original(GetCurrentObject(hdc, OBJ_PEN)) {}
    ~PenRestorer() { SelectObject(hdc, original); }

private:
    PenRestorer(const PenRestorer&) = delete;
    PenRestorer& operator=(const PenRestorer&) = delete;
    HDC hdc;
    HGDIOBJ original;
};

HPEN solidPen(COLORREF color) {
    return CreatePen(PS_SOLID, 1, color);
}

} // namespace

void KWFloatGraph::paint() {
    PAINTSTRUCT paintStruct;
    HDC hdc = BeginPaint(handle, &paintStruct);
    if (hdc) {
        // Under light the plotting area is the panel's own background, as it always was.
        if (!theme::isLight()) {
            const RECT client = getGlobalBounds().toRect();
            FillRect(hdc, &client, theme::brush(theme::current().graphBackground));
        }
        drawGrid(hdc);
        drawLines(hdc);
        drawMargins(hdc);
        editorkeys::paintClientMark(handle, hdc);
    }
    EndPaint(handle, &paintStruct);
}

void KWFloatGraph::drawGrid(HDC hdc) {
    OwnedGdiObject gridPen(solidPen(theme::current().graphGrid));
    OwnedGdiObject axisPen(solidPen(theme::current().graphAxis));
    PenRestorer restorer(hdc);
    SelectObject(hdc, gridPen.get());

    const KWBound client = getGlobalBounds();
    const int w = client.right;
    const int h = client.bottom;
    const float ox = static_cast<float>(viewX) + originX;
    const float oy = static_cast<float>(viewY) + originY;
    for (const graphview::Tick& tick : graphview::axisTicks(ox, graphview::gridSpacing(scale), w)) {
        const int x = graphview::truncateToPixel(tick.position);
        MoveToEx(hdc, x, h, nullptr);
        LineTo(hdc, x, 0);
    }
    for (const graphview::Tick& tick : graphview::axisTicks(oy, graphview::gridSpacing(scaleY), h)) {
        const int y = graphview::truncateToPixel(tick.position);
        MoveToEx(hdc, 0, y, nullptr);
        LineTo(hdc, w, y);
    }

    SelectObject(hdc, axisPen.get());
    const int axisX = graphview::truncateToPixel(ox);
    const int axisY = graphview::truncateToPixel(oy);
    MoveToEx(hdc, axisX, 0, nullptr);
    LineTo(hdc, axisX, h);
    MoveToEx(hdc, 0, axisY, nullptr);
    LineTo(hdc, w, axisY);
}

void KWFloatGraph::drawLines(HDC hdc) {
    if (points.empty()) {
        return;
    }
    const KWTheme& colors = theme::current();
    OwnedGdiObject markerBrush(CreateSolidBrush(colors.marker));
    OwnedGdiObject selectedBrush(CreateSolidBrush(colors.markerSelected));
    OwnedGdiObject upperPen(solidPen(colors.curveUpper));
    OwnedGdiObject lowerPen(solidPen(colors.curveLower));
    PenRestorer restorer(hdc);

    const KWBound client = getGlobalBounds();
    const size_t count = points.size();
    std::vector<POINT> upper(count);
    std::vector<POINT> lower(count);
    // Markers go through the batcher, which fills the same pixels with far fewer calls when keys
    // crowd together.
    enum { kMarker = 0, kSelectedMarker = 1 };
    floatgraph::MarkerBatcher markers(pickRadius, client.right, client.bottom);
    for (size_t i = 0; i < count; ++i) {
        const KWGraphPoint& key = points[i];
        const int x = graphview::dataToPixel(key.x, scale, originX, viewX);
        upper[i].x = x;
        lower[i].x = x;
        upper[i].y = graphview::dataToPixel(key.y1, scaleY, originY, viewY);
        lower[i].y = graphview::dataToPixel(key.y2, scaleY, originY, viewY);
        const int colour = key.selected ? kSelectedMarker : kMarker;
        markers.add(upper[i].x, upper[i].y, colour);
        markers.add(lower[i].x, lower[i].y, colour);
    }
    for (const floatgraph::MarkerRect& m : markers.finish()) {
        const RECT marker = {m.left, m.top, m.right, m.bottom};
        FillRect(hdc, &marker,
                 static_cast<HBRUSH>(m.colour == kSelectedMarker ? selectedBrush.get() : markerBrush.get()));
    }

    floatgraph::dropInvisibleCorners(lower);
    floatgraph::dropInvisibleCorners(upper);
    SelectObject(hdc, lowerPen.get());
    Polyline(hdc, lower.data(), static_cast<int>(lower.size()));
    SelectObject(hdc, upperPen.get());
    Polyline(hdc, upper.data(), static_cast<int>(upper.size()));
}

void KWFloatGraph::drawMargins(HDC hdc) {
    const int dpi = getDpi();
    const editormetrics::Curve metrics = editormetrics::curve(dpi);
    SelectObject(hdc, dpi::guiFont(dpi));
    SetTextAlign(hdc, TA_CENTER);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, theme::current().text);

    const KWBound client = getGlobalBounds();
    const int w = client.right;
    const int h = client.bottom;
    // The margin bands are filled without a brush of their own: the platform decides what a null
    // brush handle paints.
    const RECT bottomBand = {0, h - metrics.labelsHeight, w, h};
    FillRect(hdc, &bottomBand, theme::labelBandBrush());

    const float ox = static_cast<float>(viewX) + originX;
    const float oy = static_cast<float>(viewY) + originY;
    for (const graphview::Tick& tick :
         graphview::axisTicks(ox, graphview::labelSpacing(scale, labelStep), w)) {
        const std::wstring text = std::to_wstring(tick.index * labelStep);
        TextOutW(hdc, graphview::truncateToPixel(tick.position), h - metrics.bottomLabelRise, text.c_str(),
                 static_cast<int>(text.size()));
    }

    const RECT leftBand = {0, 0, metrics.labelsWidth, h};
    FillRect(hdc, &leftBand, theme::labelBandBrush());

    // Data y grows downward; the labels show its negation so values grow upward.
    for (const graphview::Tick& tick :
         graphview::axisTicks(oy, graphview::labelSpacing(scaleY, labelStepY), h)) {
        const std::wstring text = std::to_wstring(-tick.index * labelStepY);
        const float top = tick.position - static_cast<float>(metrics.valueLabelLift);
        TextOutW(hdc, metrics.valueLabelX, graphview::truncateToPixel(top), text.c_str(),
                 static_cast<int>(text.size()));
    }

    const RECT corner = {0, h - metrics.labelsHeight, metrics.labelsWidth, h};
    FillRect(hdc, &corner, theme::labelBandBrush());
}

} // namespace KW
