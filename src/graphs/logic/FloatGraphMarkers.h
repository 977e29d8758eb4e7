#ifndef KW_FLOAT_GRAPH_MARKERS_H
#define KW_FLOAT_GRAPH_MARKERS_H

#include <vector>

// The key markers of a float graph are squares filled one after the other, a later one covering an
// earlier one. Thousands of keys give thousands of mostly overlapping squares; this batcher turns
// them into far fewer rectangles that colour exactly the same pixels when filled in the order given.
namespace KW {
namespace floatgraph {

// Edges as a fill takes them: right and bottom exclusive. colour is the caller's brush index.
struct MarkerRect {
    int left;
    int top;
    int right;
    int bottom;
    int colour;
};

class MarkerBatcher {
public:
    // Squares span (x - radius, y - radius) to (x + radius, y + radius); only those touching the
    // area 0..width x 0..height are kept.
    MarkerBatcher(int radius, int width, int height);

    // Squares in drawing order.
    void add(int x, int y, int colour);
    // The rectangles to fill, in order; the batcher is empty afterwards.
    std::vector<MarkerRect> finish();

private:
    bool mergeInto(MarkerRect& pending, const MarkerRect& square) const;
    void flushPending();

    int radius;
    int width;
    int height;
    // Rectangles of the current colour still growing; among squares of one colour the filling
    // order does not matter, so the upper and lower curve can each grow their own.
    static constexpr int kPendingSlots = 2;
    MarkerRect pending[kPendingSlots];
    int pendingCount;
    int oldestSlot;
    std::vector<MarkerRect> result;
};

} // namespace floatgraph
} // namespace KW

#endif
