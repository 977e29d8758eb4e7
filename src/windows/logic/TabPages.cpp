#include "TabPages.h"

namespace KW {
namespace tabs {

KWBound pageArea(const KWBound& clientEdges) {
    return KWBound(clientEdges.left, clientEdges.right, stripHeight, clientEdges.bottom);
}

KWBound newPageBounds(const KWBound& area) {
    KWBound bounds = area.edgesToSize();
    bounds.top += newPageDrop;
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
