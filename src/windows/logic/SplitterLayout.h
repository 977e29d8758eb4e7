#ifndef KW_SPLITTER_LAYOUT_H
#define KW_SPLITTER_LAYOUT_H

#include "KWSplitter.h"

#include <vector>

// Rectangle arithmetic of a window's splitters. Every rectangle is in edge reading, in the window's
// client coordinates; the window reads and writes the gadgets, these functions only compute.
namespace KW {
namespace splitters {

// The side of a splitter a gadget is attached to; Left/Right need a vertical bar, Top/Bottom a
// horizontal one.
enum class Side { Left, Right, Top, Bottom };

// Returned by hitTest when no bar is under the point.
const int noSplitter = -1;

KWSplitter makeVertical(int id, int position, int thickness, int minSize, int maxSize, bool limitFirst);
KWSplitter makeHorizontal(int id, int position, int thickness, int minSize, int maxSize, bool limitFirst);

bool sideFits(const KWSplitter& splitter, Side side);
// The message shown when a gadget is attached to a side the bar's orientation does not have.
const char* wrongOrientationMessage(Side side);
// The message shown when no gadget is given to attach.
const char* missingObjectMessage(Side side);
// The list a gadget attached from that side goes to.
std::list<KWObject*>& sideObjects(KWSplitter& splitter, Side side);

// A first-side gadget with its inner edge (right or bottom) moved onto the bar.
KWBound flushFirstSide(const KWSplitter& splitter, KWBound gadget);
// A second-side gadget with its inner edge (left or top) moved onto the bar.
KWBound flushSecondSide(const KWSplitter& splitter, KWBound gadget);

// After a resize the bar sits just before the given second-side gadget.
void followSecondSide(KWSplitter& splitter, const KWBound& secondGadget);

// The extent of the bar along its length: from the lowest to the highest outer coordinate of the
// gadgets of both sides (tops and bottoms for a vertical bar, lefts and rights for a horizontal one).
class BarLength {
public:
    BarLength(bool vertical, const KWBound& firstGadget);
    void include(const KWBound& gadget);
    void applyTo(KWSplitter& splitter) const;

private:
    bool vertical;
    int low;
    int high;
};

// Where a drag step puts the bar's leading edge (left or top) for the mouse coordinate across the bar,
// keeping the limited side within minSize and maxSize. The minimum is applied first, so with minSize
// greater than maxSize the maximum wins. first and second are the first gadgets of each side.
int dragPosition(const KWSplitter& splitter, int mouse, const KWBound& first, const KWBound& second);
// The bar, its thickness and its limits measured at fromDpi, at toDpi (a window moved to another
// display).
void rescale(KWSplitter& splitter, int fromDpi, int toDpi);
// Puts the bar's leading edge at position, keeping its thickness.
void moveBar(KWSplitter& splitter, int position);

// True when the two rectangles have the same four fields.
bool sameEdges(const KWBound& a, const KWBound& b);

// The index of the first bar containing the point, edges included, or noSplitter.
int hitTest(const std::vector<KWSplitter>& splitters, int x, int y);

} // namespace splitters
} // namespace KW

#endif
