#ifndef KW_GRAPH_VIEW_H
#define KW_GRAPH_VIEW_H

#include <vector>

// View arithmetic of the curve and gradient editors: the data-to-pixel transform, the cursor's
// inverse transform, zooming about a fixed point, the axis label step and the grid and label runs.
// Everything is single-precision as the editors store it; intermediate results are kept in named
// float variables so that every step is rounded to float.
namespace KW {
namespace graphview {

// Pixels per data unit stay within these bounds, on each axis alone; the colour editor raises the lower
// one to 1.
const float kMaxScale = 20.0f;
const float kMinScale = 0.3f;
const float kZoomStep = 0.3f;

struct View {
    float scale = 1.0f;   // horizontal pixels per data unit
    float scaleY = 1.0f;  // vertical pixels per data unit; equal to scale until framing sets it apart
    float originX = 0.0f; // pixel offset of data (0, 0) before panning; moved by zooming
    float originY = 0.0f;
    int viewX = 0; // pan offset in pixels
    int viewY = 0;
};

// Float to pixel, truncated toward zero. Values beyond what a device context can address (and NaN)
// are pinned to a safe range first, so absurd views never reach an undefined conversion.
int truncateToPixel(float value);

// A data coordinate on screen: truncated ((value * scale + origin) + view).
int dataToPixel(float value, float scale, float origin, int view);

// The inverse for the cursor, with the origin floored: ((client - view) - floor(origin)) / scale.
float clientToData(int client, int view, float origin, float scale);

// Adds a pan offset, saturating so that repeated panning cannot overflow.
int addPan(int view, int delta);

// One zoom step: +0.3 in, -0.3 out (the sum formed in double, stored as float), clamped to
// kMaxScale going in and to minimumScale going out.
float scaleAfterZoomIn(float scale);
float scaleAfterZoomOut(float scale, float minimumScale);

// A horizontal and a vertical scale.
struct Scales {
    float x;
    float y;
};

// Both scales after one zoom step, their ratio kept: the horizontal one takes the step above, the vertical
// one follows in proportion. Where that would take the vertical one out of minimumScale..kMaxScale, it
// stops at the bound and the horizontal one follows it instead. Equal scales stay exactly equal.
Scales scalesAfterZoom(Scales scales, bool in, float minimumScale);

// Moves the origins so that the client point (fixedX, fixedY), already less the pan offset, shows
// the same data point at the new scales as it did at the view's current ones; then stores them.
void zoomAbout(View& view, Scales newScales, int fixedX, int fixedY);

// A data rectangle, and the client rectangle that is to show it.
struct Extent {
    float left;
    float top;
    float right;
    float bottom;
};

// The view, without pan, that shows data centred in area, each axis at the largest scale that fits its
// span, within minimumScale and kMaxScale. An axis whose span (or room) is empty takes the other axis'
// scale; empty on both keeps the scales given.
View framed(const Extent& data, const Extent& area, Scales kept, float minimumScale);

// Data units between two axis labels for a scale: 200, 100, 50, 30 or 10.
int labelStepFor(float scale);

// Spacing in pixels of the grid (every 10 data units) and of the axis labels.
float gridSpacing(float scale);
float labelSpacing(float scale, int labelStep);

// One line or label of a run along an axis: its pixel position (float) and its index counted in
// spacings from the data origin (negative before it).
struct Tick {
    float position;
    long long index;
};

// The run that starts within one spacing of the edge 0 (on either side) at
// origin - truncated(origin / spacing) * spacing and steps by spacing while below extent.
std::vector<Tick> axisTicks(float origin, float spacing, int extent);

} // namespace graphview
} // namespace KW

#endif
