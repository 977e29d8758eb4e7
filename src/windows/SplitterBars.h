#ifndef KW_SPLITTER_BARS_H
#define KW_SPLITTER_BARS_H

#include "KWObject.h"
#include "KWSplitter.h"
#include "windows/logic/SplitterLayout.h"

#include <cstddef>
#include <vector>

namespace KW {

// The splitters of one gadget's client area: undrawn bars between docked gadgets, their docking, their
// layout after a resize or a DPI change, and the user's drag of a bar (the resize cursor over it, the
// mouse capture while it moves, the limits of its limited side). The gadget that owns the area hands
// its mouse messages on; every move of docked gadgets goes in one batch of the area's window.
class SplitterBars {
public:
    // area: the gadget whose client area holds the bars; it outlives this object.
    explicit SplitterBars(KWObject& area);
    SplitterBars(const SplitterBars&) = delete;
    SplitterBars& operator=(const SplitterBars&) = delete;
    // Ends a drag in progress, giving up the mouse capture.
    ~SplitterBars();

    void add(const KWSplitter& splitter);
    // Docks object to one side of every bar with that id; the message to show when it cannot, or null.
    const char* dock(int id, splitters::Side side, KWObject* object);
    // A docked gadget is being deleted: it leaves every bar's sides.
    void forget(KWObject* gadget);

    // After a resize of the area: each bar follows its second side and the first side follows the bar.
    void align();
    // Stretches each bar over the gadgets of both its sides.
    void stretch();
    // Scales every bar's position, thickness and limits and docks its gadgets to it again.
    void rescale(int oldDpi, int newDpi);

    std::size_t count() const { return bars.size(); }
    int idAt(std::size_t index) const { return bars[index].id; }
    // The left (vertical) or top (horizontal) edge of the bar at index, in client coordinates.
    int positionAt(std::size_t index) const;
    // Puts the bar at index at position, within its limits, and docks its gadgets to it.
    void placeAt(std::size_t index, int position);

    // The mouse moved over the area (keys: the message's button and key flags). Without a drag the bar
    // under it shows the resize cursor; with exactly the left button down the hovered bar is dragged.
    void mouseMoved(WPARAM keys, int x, int y);
    // A press on a bar starts its drag and takes the mouse capture.
    void buttonPressed(int x, int y);
    // Ends a drag (the button was released or the capture lost) and stretches the bars again. True,
    // with the bar's id in movedId, when the drag left a bar elsewhere than where it began.
    bool endDrag(int& movedId);
    bool isDragging() const { return dragging; }

private:
    // Hit test under the mouse: remembers the bar and shows the resize cursor over it.
    void updateHover(int x, int y);
    // One drag step of the hovered bar to the mouse position.
    void dragTo(int x, int y);

    KWObject& area;
    std::vector<KWSplitter> bars;
    // An index into bars rather than a pointer, so adding bars never leaves it dangling.
    int hovered;
    bool dragging;
    // Where the hovered bar was when the drag began.
    int dragStart;
};

} // namespace KW

#endif
