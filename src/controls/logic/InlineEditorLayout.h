#ifndef KW_INLINE_EDITOR_LAYOUT_H
#define KW_INLINE_EDITOR_LAYOUT_H

#include "KWTypes.h"

namespace KW {
namespace layout {

// A field with a square button at its right end (spin box arrows, the open button's "..."), all in
// position-and-size reading. The container is placed in its parent, the parts inside the container.
struct InlineEditorParts {
    KWBound container;
    KWBound field;
    KWBound button;
};

// The parts for a cell given as edges. The button is a square as high as the cell at its right end;
// the field takes the rest of the width (none when the cell is narrower than it is high).
InlineEditorParts inlineEditorParts(const KWBound& edges);

} // namespace layout
} // namespace KW

#endif
