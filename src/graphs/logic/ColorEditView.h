#ifndef KW_COLOR_EDIT_VIEW_H
#define KW_COLOR_EDIT_VIEW_H

#include "graphs/logic/GraphView.h"

#include <vector>

namespace KW {
namespace coloredit {

// One axis label: its pixel column (truncated toward zero) and the data value it shows.
struct AxisLabel {
    int x;
    long long value;
};

// The gradient editor's horizontal view: pixels per data unit, the zoom origin, the pan offset, the last
// known cursor in data units and the spacing of the axis labels. All view arithmetic is single precision.
class ColorEditView {
public:
    static const float zoomStep;
    static const float minScale;
    static const float maxScale;

    ColorEditView();

    float getScale() const { return scale; }
    float getOriginX() const { return originX; }
    float getOriginY() const { return originY; }
    int getViewX() const { return viewX; }
    int getViewY() const { return viewY; }
    float getCursorX() const { return cursorX; }
    float getCursorY() const { return cursorY; }
    int getLabelStep() const { return labelStep; }

    // Pans horizontally; the offset saturates at the limits of int instead of wrapping.
    void pan(int dx);
    // One zoom step about the client point (mouseX, mouseY): the data point under it stays in place.
    // Zooming out at the smallest scale changes nothing.
    void zoomIn(int mouseX, int mouseY);
    void zoomOut(int mouseX, int mouseY);
    // Shows the positions first to last centred in a client area width pixels wide, leaving margin
    // pixels on each side, at the largest scale within minScale and maxScale, without pan.
    void frame(float first, float last, int width, int margin);
    // The cursor in data units from a client point; the origins are floored first.
    void updateCursor(int px, int py);

    // Client x of a key's centre, unrounded.
    float keyCenterX(float position) const;
    // Horizontal hit tolerance in data units for swatches markerSize pixels wide on each side.
    float hitTolerance(int markerSize) const;

    // Grid lines every 10 data units: the columns below width and the rows below height.
    std::vector<float> gridColumns(int width) const;
    std::vector<float> gridRows(int height) const;
    // The axis labels below width, one every labelStep data units, the first at or left of the edge.
    std::vector<AxisLabel> labels(int width) const;

private:
    void zoomAbout(int mouseX, int mouseY, float newScale);
    static std::vector<float> gridLines(float origin, float spacing, int limit);

    float scale;
    float originX;
    float originY;
    int viewX;
    int viewY;
    float cursorX;
    float cursorY;
    int labelStep;
};

// Data units between axis labels for a scale (the thresholds compared in double precision).
// The label spacing table is the one the curve editor uses.
using graphview::labelStepFor;

} // namespace coloredit
} // namespace KW

#endif
