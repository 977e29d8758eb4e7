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
// The keys' indices by position, ties in vector order: screen readers number the keys so (child 1 is
// the leftmost key).
std::vector<int> byPosition(const std::vector<float>& positions);
// Where the key at index stands in byPosition (0: leftmost); -1 for an index out of range.
int rankOf(const std::vector<float>& positions, int index);

} // namespace keyorder
} // namespace KW

#endif
