#ifndef KW_TAB_PAGES_H
#define KW_TAB_PAGES_H

#include "KWTypes.h"
#include "core/logic/DpiScale.h"

namespace KW {
namespace tabs {

// Height left at the top of a tab control for its strip of tabs, in pixels at 96 DPI.
constexpr int stripHeight = 20;
// A new page starts this much lower than its final place, until the tab is next aligned (at 96 DPI).
constexpr int newPageDrop = 23;

// The area pages fill at a display's DPI: the client edges with the strip cut off the top.
KWBound pageArea(const KWBound& clientEdges, int dpi = dpi::baseDpi);

// Position and size of a page when it is created, before the first alignment.
KWBound newPageBounds(const KWBound& area, int dpi = dpi::baseDpi);

// The index the control gives an existing tab after another was inserted at insertedAt
// (-1 when the insertion failed: nothing moves).
int indexAfterInsert(int existingIndex, int insertedAt);

// Whether the page of a tab with the given index is the one to show; a page whose tab could not be
// inserted (index -1) belongs to no tab and is never shown.
bool pageShown(int tabIndex, int selectedIndex);

} // namespace tabs
} // namespace KW

#endif
