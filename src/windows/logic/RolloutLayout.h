#ifndef KW_ROLLOUT_LAYOUT_H
#define KW_ROLLOUT_LAYOUT_H

#include "KWTypes.h"
#include "core/logic/DpiScale.h"

#include <vector>

namespace KW {
namespace rollout {

// In pixels at 96 DPI.
constexpr int firstBarGap = 5;
constexpr int barHeight = 18;
constexpr int barSpacing = 2;
constexpr int lineStep = 10;
constexpr int wheelNotch = 120;

// Every length a rollout draws, hit-tests and scrolls with, in pixels at one display DPI.
struct Metrics {
    int firstBarGap; // above the first bar
    int barHeight;
    int barSpacing; // between a section's end and the next bar
    int lineStep;   // one line of scrolling
    int barLeft;
    int barRightMargin;
    int textLeft;
    int textDown;
    int boxLeft;
    int boxSide; // always odd, so the plus sign sits in the middle of the box
    int boxDown;
    int treeX;
    int connectorDown;
    int treeLineStartDown;
};

Metrics metricsAt(int dpi);

// Everything drawn for one title bar whose top edge is at client y `top`. Rectangles are edges;
// the drawn ones follow the platform's convention that right and bottom are exclusive.
struct TitleBar {
    KWBound frame; // the filled and outlined bar
    int textX;     // where the title is written
    int textY;
    KWBound box;       // the drawn toggle box
    KWBound toggleBox; // the box as hit-tested, edges included
    int minusY;        // the horizontal bar, from box.left to box.right
    int plusX;         // the vertical bar of a collapsed rollout, from box.top to box.bottom
    int connectorLeft; // the short line that joins the tree line to the bar, up to frame.left
    int connectorY;
    int contentTop; // where the rollout's gadgets start
};

// The top of the first bar when the content is scrolled up by scrollPos.
int firstBarTop(int scrollPos, const Metrics& metrics = metricsAt(dpi::baseDpi));

TitleBar titleBarAt(int top, int clientWidth, const Metrics& metrics = metricsAt(dpi::baseDpi));

// Where the next bar starts. lowestObjectBottom matters only when the rollout shows gadgets
// (expanded and not empty); it is the largest bottom edge among them, in client coordinates.
int nextBarTop(const TitleBar& bar, bool showsObjects, int lowestObjectBottom,
               const Metrics& metrics = metricsAt(dpi::baseDpi));

// Where a rollout puts one of its gadgets during a paint: shown at (x, y) in client coordinates, or hidden.
struct GadgetPlacement {
    KWObject* gadget;
    bool shown;
    int x;
    int y;
};

// Adds a placement to those of one paint. A gadget held by several rollouts goes where the later one
// puts it, so each gadget moves at most once per paint.
void placeGadget(std::vector<GadgetPlacement>& placements, const GadgetPlacement& placement);

// The vertical line that joins the bars, from the first bar's connector to the last one's.
struct TreeLine {
    int x;
    int top;
    int bottom;
};
TreeLine treeLine(int scrollPos, int endTop, const Metrics& metrics = metricsAt(dpi::baseDpi));

// Height of the whole content, from where the bar after the last one would start.
int contentHeight(int endTop, int scrollPos);

// Edges included on every side.
bool contains(const KWBound& edges, int x, int y);

// Whether the content needs a scroll bar (it is taller than the client area), and the largest scroll
// position it then allows.
struct ScrollBarPlan {
    bool shown;
    int range;
};
ScrollBarPlan planScrollBar(int contentHeight, int clientHeight);

// A scroll position forced into 0 .. range.
int clampScroll(int position, int range);

// How a section's toggle changes the picture when the view can stay where it is: everything after the
// section (from its old end, nextBefore, down to the end of the content) moves by dy without being
// redrawn, landing inside clip, and only the section's bar with the gap below it is repainted (the
// area the move uncovers is repainted as well). Rectangles are edges in client coordinates.
struct ToggleShift {
    // False when the scroll bar appears or disappears, or the view has to move up: everything is laid
    // out and painted again.
    bool inPlace;
    int dy;
    KWBound moved;
    KWBound clip;
    KWBound repaint;
};
ToggleShift planToggleShift(int barTop, int nextBefore, int nextAfter, int contentEndBefore, int clientWidth,
                            int clientHeight, int scrollPos, const ScrollBarPlan& before,
                            const ScrollBarPlan& after);

enum class ScrollRequest {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    Thumb,
    Top,
    Bottom,
    Other,
};

// The view position after a scroll-bar request; thumb is the position the user dragged to and page
// the height of one screen.
int scrolledPosition(ScrollRequest request, int position, int thumb, int range, int page,
                     const Metrics& metrics = metricsAt(dpi::baseDpi));

// The view position after a wheel turn of delta (positive away from the user: the view moves up);
// every notch scrolls linesPerNotch lines.
int wheelPosition(int position, int delta, int linesPerNotch, int range,
                  const Metrics& metrics = metricsAt(dpi::baseDpi));

} // namespace rollout
} // namespace KW

#endif
