#ifndef KW_DOCK_TEXT_H
#define KW_DOCK_TEXT_H

#include "windows/logic/DockTree.h"
#include "windows/logic/LayoutText.h"

#include <functional>
#include <string>
#include <vector>

// A dock's tree as one field of a layout text (docs/layout-format.md), with lengths at 96 DPI:
//   node  := split | group | "c"                      (c: the centre)
//   split := side SIZE "(" node "," node ")"          (side l, r, t or b: where the first node lies)
//   group := "[" item ("," item)* "]"
//   item  := ["*"] KEY ["x"] ["h" SLIDE] ["f" X ":" Y ":" W ":" H] ["m"]
// "*" marks the chosen tab (exactly one per group), x a closed pane, h an auto-hidden one with the
// extent it slides out to, f a floating one with its screen position and size, m the maximized one.
namespace KW {
namespace dock {

std::string printTree(const DockTree& tree, const std::function<layout::Key(int)>& keyOf, int dpi);

// Reads a whole field; the panes are numbered by their index in keys. False for anything malformed:
// a key twice, no centre or two, a group without exactly one chosen tab, a maximized pane not docked.
bool parseTree(const std::string& text, int dpi, DockTree& tree, std::vector<layout::Key>& keys);

// The tree read, its panes renumbered by paneOf (noPane for a pane that no longer exists, which is
// left out); every pane of current that the text does not name keeps the place it has in current.
DockTree mergedTree(DockTree read, const std::vector<layout::Key>& keys,
                    const std::function<int(const layout::Key&)>& paneOf, const DockTree& current);

} // namespace dock
} // namespace KW

#endif
