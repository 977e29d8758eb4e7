#ifndef KW_KEY_ORDER_H
#define KW_KEY_ORDER_H

#include <vector>

// Keyboard navigation over an editor's keys, which dragging can leave out of vector order.
namespace KW {
namespace keyorder {

// The key Tab (forward) or Shift+Tab selects after current (an index, or -1 for none): the next or
// previous key by position, ties in vector order, wrapping round at the ends; from none, the first or
// the last. -1 without keys.
int step(const std::vector<float>& positions, int current, bool forward);

} // namespace keyorder
} // namespace KW

#endif
