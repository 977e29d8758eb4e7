#ifndef KW_SPLITTER_H
#define KW_SPLITTER_H

#include "KWTypes.h"

#include <list>

namespace KW {

/// One splitter of a KWWindow: an undrawn bar between docked gadgets that the user drags to trade
/// space between its two sides. The gadgets in the lists are owned by the window, not by the record.
struct KWSplitter {
    /// The id given to addVerticalSplitter or addHorizontalSplitter.
    int id;
    /// Limits of the limited side's size during a drag, in pixels.
    int minSize;
    /// The upper limit; see minSize.
    int maxSize;
    /// True: the limits apply to the first side (left or top); false: to the second side.
    bool limitFirst;
    /// Width of the bar across its orientation.
    int thickness;
    /// The bar, as edges in the window's client coordinates.
    KWBound rect;
    /// True: gadgets left and right of the bar; false: gadgets above and below.
    bool vertical;
    /// Left (vertical) or top (horizontal) side, in attachment order.
    std::list<KWObject*> firstObjects;
    /// Right (vertical) or bottom (horizontal) side, in attachment order.
    std::list<KWObject*> secondObjects;
};

} // namespace KW

#endif
