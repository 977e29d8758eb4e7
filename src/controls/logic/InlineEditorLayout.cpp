#include "controls/logic/InlineEditorLayout.h"

namespace KW {
namespace layout {

InlineEditorParts inlineEditorParts(const KWBound& edges) {
    const KWBound container = edges.edgesToSize();
    const int width = container.right;
    const int height = container.bottom;
    const int fieldWidth = width > height ? width - height : 0;

    InlineEditorParts parts;
    parts.container = container;
    parts.field = KWBound(0, fieldWidth, 0, height);
    parts.button = KWBound(width - height, height, 0, height);
    return parts;
}

} // namespace layout
} // namespace KW
