#include "windows/logic/SplitterLayout.h"

#include "core/logic/DpiScale.h"

#include <cstddef>

namespace KW {
namespace splitters {

namespace {

KWSplitter makeSplitter(int id, int thickness, int minSize, int maxSize, bool limitFirst, bool vertical,
                        const KWBound& rect) {
    KWSplitter splitter;
    splitter.id = id;
    splitter.minSize = minSize;
    splitter.maxSize = maxSize;
    splitter.limitFirst = limitFirst;
    splitter.thickness = thickness;
    splitter.rect = rect;
    splitter.vertical = vertical;
    return splitter;
}

bool isFirstSide(Side side) {
    return side == Side::Left || side == Side::Top;
}

} // namespace

KWSplitter makeVertical(int id, int position, int thickness, int minSize, int maxSize, bool limitFirst) {
    return makeSplitter(id, thickness, minSize, maxSize, limitFirst, true,
                        KWBound(position, position + thickness, 0, 0));
}

KWSplitter makeHorizontal(int id, int position, int thickness, int minSize, int maxSize, bool limitFirst) {
    return makeSplitter(id, thickness, minSize, maxSize, limitFirst, false,
                        KWBound(0, 0, position, position + thickness));
}

bool sideFits(const KWSplitter& splitter, Side side) {
    const bool needsVertical = side == Side::Left || side == Side::Right;
    return splitter.vertical == needsVertical;
}

const char* wrongOrientationMessage(Side side) {
    switch (side) {
    case Side::Left:
        return "Could not add object from left ! Splitter is not vertical !";
    case Side::Right:
        return "Could not add object from right ! Splitter is not vertical !";
    case Side::Top:
        return "Could not add object from top ! Splitter is not horizontal !";
    case Side::Bottom:
    default:
        return "Could not add object from bottom ! Splitter is not horizontal !";
    }
}

const char* missingObjectMessage(Side side) {
    switch (side) {
    case Side::Left:
        return "Could not add object from left ! No object given !";
    case Side::Right:
        return "Could not add object from right ! No object given !";
    case Side::Top:
        return "Could not add object from top ! No object given !";
    case Side::Bottom:
    default:
        return "Could not add object from bottom ! No object given !";
    }
}

std::list<KWObject*>& sideObjects(KWSplitter& splitter, Side side) {
    return isFirstSide(side) ? splitter.firstObjects : splitter.secondObjects;
}

KWBound flushFirstSide(const KWSplitter& splitter, KWBound gadget) {
    if (splitter.vertical) {
        gadget.right = splitter.rect.left;
    } else {
        gadget.bottom = splitter.rect.top;
    }
    return gadget;
}

KWBound flushSecondSide(const KWSplitter& splitter, KWBound gadget) {
    if (splitter.vertical) {
        gadget.left = splitter.rect.right;
    } else {
        gadget.top = splitter.rect.bottom;
    }
    return gadget;
}

void followSecondSide(KWSplitter& splitter, const KWBound& secondGadget) {
    if (splitter.vertical) {
        splitter.rect.right = secondGadget.left;
        splitter.rect.left = splitter.rect.right - splitter.thickness;
    } else {
        splitter.rect.bottom = secondGadget.top;
        splitter.rect.top = splitter.rect.bottom - splitter.thickness;
    }
}

BarLength::BarLength(bool vertical, const KWBound& firstGadget)
    : vertical(vertical), low(vertical ? firstGadget.top : firstGadget.left),
      high(vertical ? firstGadget.bottom : firstGadget.right) {}

void BarLength::include(const KWBound& gadget) {
    const int gadgetLow = vertical ? gadget.top : gadget.left;
    const int gadgetHigh = vertical ? gadget.bottom : gadget.right;
    if (gadgetLow < low) {
        low = gadgetLow;
    }
    if (gadgetHigh > high) {
        high = gadgetHigh;
    }
}

void BarLength::applyTo(KWSplitter& splitter) const {
    if (vertical) {
        splitter.rect.top = low;
        splitter.rect.bottom = high;
    } else {
        splitter.rect.left = low;
        splitter.rect.right = high;
    }
}

int dragPosition(const KWSplitter& splitter, int mouse, const KWBound& first, const KWBound& second) {
    int p = mouse;
    if (splitter.limitFirst) {
        const int firstStart = splitter.vertical ? first.left : first.top;
        if (p - firstStart <= splitter.minSize) {
            p = firstStart + splitter.minSize;
        }
        if (p - firstStart >= splitter.maxSize) {
            p = firstStart + splitter.maxSize;
        }
    } else {
        // The quantity held within the limits is the second side's far edge less p, plus the bar.
        const int secondEnd = splitter.vertical ? second.right : second.bottom;
        if (secondEnd - p + splitter.thickness <= splitter.minSize) {
            p = secondEnd - splitter.minSize + splitter.thickness;
        }
        if (secondEnd - p + splitter.thickness >= splitter.maxSize) {
            p = secondEnd - splitter.maxSize + splitter.thickness;
        }
    }
    return p;
}

void rescale(KWSplitter& splitter, int fromDpi, int toDpi) {
    auto at = [fromDpi, toDpi](int pixels) { return dpi::rescaled(pixels, fromDpi, toDpi); };
    splitter.thickness = at(splitter.thickness);
    splitter.minSize = at(splitter.minSize);
    splitter.maxSize = at(splitter.maxSize);
    splitter.rect = KWBound(at(splitter.rect.left), at(splitter.rect.right), at(splitter.rect.top),
                            at(splitter.rect.bottom));
    moveBar(splitter, splitter.vertical ? splitter.rect.left : splitter.rect.top);
}

void moveBar(KWSplitter& splitter, int position) {
    if (splitter.vertical) {
        splitter.rect.left = position;
        splitter.rect.right = position + splitter.thickness;
    } else {
        splitter.rect.top = position;
        splitter.rect.bottom = position + splitter.thickness;
    }
}

bool sameEdges(const KWBound& a, const KWBound& b) {
    return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}

int hitTest(const std::vector<KWSplitter>& splitters, int x, int y) {
    for (std::size_t i = 0; i < splitters.size(); ++i) {
        const KWBound& r = splitters[i].rect;
        if (r.left <= x && x <= r.right && r.top <= y && y <= r.bottom) {
            return static_cast<int>(i);
        }
    }
    return noSplitter;
}

} // namespace splitters
} // namespace KW
