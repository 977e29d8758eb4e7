#include "windows/SplitterBars.h"

#include "core/MoveBatch.h"

#include <unordered_map>

namespace KW {

namespace {

using splitters::Side;

// One pass over a splitter's gadgets that may move them: each gadget's rectangle is read from its window
// once, or is the one the pass already gave it (a gadget on both sides, or docked twice, is seen where
// the pass put it). The moves are made together, in one batch of the window's, when the pass ends.
class Pass {
public:
    explicit Pass(HWND window) : batch(window) {}

    KWBound boundsOf(KWObject* object) {
        const auto known = rects.find(object);
        if (known != rects.end()) {
            return known->second;
        }
        const KWBound bounds = object->getLocalBounds();
        rects.emplace(object, bounds);
        return bounds;
    }

    // Moving a window costs a round of messages even when its rectangle does not change, and a window
    // with many docked gadgets re-places all of them on every attach, drag step and resize: gadgets
    // that already have their target rectangle are left alone.
    void setBounds(KWObject* object, const KWBound& target) {
        if (!moveTo(object, target)) {
            return;
        }
        object->setBounds(target.edgesToSize());
    }

    void setPlacement(KWObject* object, const KWBound& target) {
        if (!moveTo(object, target)) {
            return;
        }
        KWBound bound = target;
        object->setPlacement(bound);
    }

private:
    // Records target as the gadget's rectangle; false when it is there already.
    bool moveTo(KWObject* object, const KWBound& target) {
        KWBound& known = rects[object];
        if (splitters::sameEdges(known, target)) {
            return false;
        }
        known = target;
        return true;
    }

    moves::Batch batch;
    std::unordered_map<KWObject*, KWBound> rects;
};

// Brings the inner edges of the docked gadgets onto the bar; their outer edges stay.
void placeObjects(Pass& pass, const KWSplitter& splitter) {
    for (KWObject* object : splitter.firstObjects) {
        pass.setBounds(object, splitters::flushFirstSide(splitter, pass.boundsOf(object)));
    }
    for (KWObject* object : splitter.secondObjects) {
        pass.setBounds(object, splitters::flushSecondSide(splitter, pass.boundsOf(object)));
    }
}

void placeObjects(HWND window, const KWSplitter& splitter) {
    Pass pass(window);
    placeObjects(pass, splitter);
}

// A bar with an empty side keeps its length.
void recalcLength(KWSplitter& splitter) {
    if (splitter.firstObjects.empty() || splitter.secondObjects.empty()) {
        return;
    }
    auto first = splitter.firstObjects.begin();
    splitters::BarLength length(splitter.vertical, (*first)->getLocalBounds());
    for (++first; first != splitter.firstObjects.end(); ++first) {
        length.include((*first)->getLocalBounds());
    }
    for (KWObject* object : splitter.secondObjects) {
        length.include(object->getLocalBounds());
    }
    length.applyTo(splitter);
}

// After the lock layout has moved the gadgets, the bar follows the second side and the first side
// follows the bar.
void alignSplitter(HWND window, KWSplitter& splitter) {
    Pass pass(window);
    // Each second-side gadget in turn places the bar, so the last one attached decides.
    if (!splitter.secondObjects.empty()) {
        splitters::followSecondSide(splitter, pass.boundsOf(splitter.secondObjects.back()));
    }
    for (KWObject* object : splitter.firstObjects) {
        pass.setPlacement(object, splitters::flushFirstSide(splitter, pass.boundsOf(object)));
    }
}

HCURSOR resizeCursor(bool vertical) {
    // Shared system cursors: loaded once, never released.
    static const HCURSOR acrossColumns = LoadCursorA(nullptr, IDC_SIZEWE);
    static const HCURSOR acrossRows = LoadCursorA(nullptr, IDC_SIZENS);
    return vertical ? acrossColumns : acrossRows;
}

} // namespace

SplitterBars::SplitterBars(KWObject& owner)
    : area(owner), hovered(splitters::noSplitter), dragging(false), dragStart(0) {}

SplitterBars::~SplitterBars() {
    // No capture message reaches the area for a drag that is gone.
    dragging = false;
    hovered = splitters::noSplitter;
    const HWND window = area.getHandle();
    if (window && GetCapture() == window) {
        ReleaseCapture();
    }
}

void SplitterBars::add(const KWSplitter& splitter) {
    bars.push_back(splitter);
}

const char* SplitterBars::dock(int id, Side side, KWObject* object) {
    if (!object) {
        return splitters::missingObjectMessage(side);
    }
    // Stops at the first bar of the wrong orientation.
    for (KWSplitter& splitter : bars) {
        if (splitter.id != id) {
            continue;
        }
        if (!splitters::sideFits(splitter, side)) {
            return splitters::wrongOrientationMessage(side);
        }
        splitters::sideObjects(splitter, side).push_back(object);
        placeObjects(area.getHandle(), splitter);
        recalcLength(splitter);
    }
    return nullptr;
}

void SplitterBars::forget(KWObject* gadget) {
    for (KWSplitter& splitter : bars) {
        splitter.firstObjects.remove(gadget);
        splitter.secondObjects.remove(gadget);
    }
}

void SplitterBars::align() {
    for (KWSplitter& splitter : bars) {
        alignSplitter(area.getHandle(), splitter);
    }
}

void SplitterBars::stretch() {
    for (KWSplitter& splitter : bars) {
        recalcLength(splitter);
    }
}

void SplitterBars::rescale(int oldDpi, int newDpi) {
    for (KWSplitter& splitter : bars) {
        splitters::rescale(splitter, oldDpi, newDpi);
        placeObjects(area.getHandle(), splitter);
        recalcLength(splitter);
    }
}

int SplitterBars::positionAt(std::size_t index) const {
    const KWSplitter& splitter = bars[index];
    return splitter.vertical ? splitter.rect.left : splitter.rect.top;
}

void SplitterBars::placeAt(std::size_t index, int position) {
    KWSplitter& splitter = bars[index];
    Pass pass(area.getHandle());
    // A side without gadgets is measured from the client area's edge.
    const KWBound client = area.getGlobalBounds();
    const KWBound first =
        splitter.firstObjects.empty() ? client : pass.boundsOf(splitter.firstObjects.front());
    const KWBound second =
        splitter.secondObjects.empty() ? client : pass.boundsOf(splitter.secondObjects.front());
    splitters::moveBar(splitter, splitters::dragPosition(splitter, position, first, second));
    placeObjects(pass, splitter);
}

void SplitterBars::updateHover(int x, int y) {
    hovered = splitters::hitTest(bars, x, y);
    if (hovered == splitters::noSplitter) {
        // The class arrow comes back through the system's own WM_SETCURSOR handling.
        return;
    }
    const HCURSOR cursor = resizeCursor(bars[hovered].vertical);
    if (GetCursor() != cursor) {
        SetCursor(cursor);
    }
}

void SplitterBars::dragTo(int x, int y) {
    if (hovered == splitters::noSplitter) {
        return;
    }
    KWSplitter& splitter = bars[hovered];
    if (splitter.firstObjects.empty() || splitter.secondObjects.empty()) {
        return;
    }
    Pass pass(area.getHandle());
    const KWBound first = pass.boundsOf(splitter.firstObjects.front());
    const KWBound second = pass.boundsOf(splitter.secondObjects.front());
    splitters::moveBar(splitter, splitters::dragPosition(splitter, splitter.vertical ? x : y, first, second));
    placeObjects(pass, splitter);
}

void SplitterBars::mouseMoved(WPARAM keys, int x, int y) {
    if (!dragging) {
        updateHover(x, y);
    }
    // Exactly the left button: a chord or a held modifier key does not drag.
    if (keys == MK_LBUTTON) {
        // The capture is held for as long as the drag lasts (losing it ends the drag).
        if (!dragging) {
            dragging = true;
            dragStart = hovered == splitters::noSplitter ? 0 : positionAt(hovered);
            SetCapture(area.getHandle());
        }
        dragTo(x, y);
    }
}

void SplitterBars::buttonPressed(int x, int y) {
    updateHover(x, y);
    if (hovered != splitters::noSplitter) {
        dragging = true;
        dragStart = positionAt(hovered);
        SetCapture(area.getHandle());
    }
}

bool SplitterBars::endDrag(int& movedId) {
    // Cleared first, so the WM_CAPTURECHANGED that ReleaseCapture sends finds no drag to end.
    const bool wasDragging = dragging;
    dragging = false;
    if (GetCapture() == area.getHandle()) {
        ReleaseCapture();
    }
    stretch();
    if (!wasDragging || hovered == splitters::noSplitter || positionAt(hovered) == dragStart) {
        return false;
    }
    movedId = bars[hovered].id;
    return true;
}

} // namespace KW
