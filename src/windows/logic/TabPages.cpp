#include "TabPages.h"

namespace KW {
namespace tabs {

KWBound pageArea(const KWBound& clientEdges, int dpi) {
    return KWBound(clientEdges.left, clientEdges.right, dpi::scaled(stripHeight, dpi), clientEdges.bottom);
}

KWBound newPageBounds(const KWBound& area, int dpi) {
    KWBound bounds = area.edgesToSize();
    bounds.top += dpi::scaled(newPageDrop, dpi);
    return bounds;
}

int indexAfterInsert(int existingIndex, int insertedAt) {
    if (insertedAt < 0 || existingIndex < insertedAt) {
        return existingIndex;
    }
    return existingIndex + 1;
}

bool pageShown(int tabIndex, int selectedIndex) {
    return tabIndex >= 0 && tabIndex == selectedIndex;
}

} // namespace tabs
} // namespace KW
