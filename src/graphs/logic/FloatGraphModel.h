#ifndef KW_FLOAT_GRAPH_MODEL_H
#define KW_FLOAT_GRAPH_MODEL_H

#include "KWGraphPoint.h"

#include <vector>

// The keys of a float graph and every edit made to them. Each edit returns whether it changed what
// the graph shows, which is when the gadget asks for a repaint.
namespace KW {
namespace floatgraph {

typedef std::vector<KWGraphPoint> Keys;

// The two fixed end keys at 0 and 100, both values 0.
Keys initialKeys();

// Walks from the last key to the first, clearing every selection, and selects the first key met
// whose upper or lower value lies within toleranceX of x and toleranceY of y (bounds inclusive).
// Always true: the selection marks are repainted even when nothing is hit.
bool selectAt(Keys& keys, float x, float y, float toleranceX, float toleranceY);
// The same with one tolerance on both axes.
inline bool selectAt(Keys& keys, float x, float y, float tolerance) {
    return selectAt(keys, x, y, tolerance, tolerance);
}

// Drags the selected keys by (dx, dy) data units: the whole key, or only its lower value (which
// pushes the upper value along when lifted above it). Values end at 0 or below, x within 0..100.
bool moveSelectedKeys(Keys& keys, float dx, float dy);
bool moveSelectedLowerValues(Keys& keys, float dx, float dy);

// Moves the selected keys by (dx, dy) data units as the arrow keys do: like a drag of the whole key,
// except that the fixed end keys keep their positions. True when a value changed.
bool nudgeSelected(Keys& keys, float dx, float dy);

// Inserts an unselected, unfixed key with both values y after every key whose x <= the new x.
// Refused (false) outside 0 <= x <= 100, with y > 0, or with a value that is not a finite number.
bool insertKey(Keys& keys, float x, float y);

// Erases the first selected key that is not fixed.
bool deleteFirstSelected(Keys& keys);

// Makes the lower value equal to the upper one: on the selected keys, or on every key.
bool equalizeSelected(Keys& keys);
bool equalizeAll(Keys& keys);

// Whether a client's vector may replace the keys: at least two keys, sorted by x, the first at 0
// and the last at 100, every value finite with 0 <= x <= 100 and y1 <= y2 <= 0.
bool acceptableKeys(const Keys& keys);

// A client's vector as the graph keeps it: the first and last keys fixed, no other key fixed, and
// nothing selected.
Keys withEndKeysFixed(const Keys& keys);

// Both curves at x, interpolated linearly between the neighbouring keys in x order (ties in vector
// order); before the first or after the last key, that key's values. No keys: both 0.
KWGraphSample evaluate(const Keys& keys, float x);

} // namespace floatgraph
} // namespace KW

#endif
