#ifndef KW_COLOR_POINT_H
#define KW_COLOR_POINT_H

#include "KWTypes.h"

namespace KW {

/// One key of a colour gradient: a position on the 0 to 100 axis and two colours with alpha.
struct KWColorPoint {
    /// The key's place on the 0 to 100 axis.
    float position;
    KWColor color1; ///< upper swatch
    KWColor color2; ///< lower swatch
    bool fixed;     ///< an end key, which cannot be deleted
    /// True while the key is selected in the editor.
    bool selected;

    KWColorPoint()
        : position(0.0f), color1(0, 0, 0, 255), color2(0, 0, 0, 255), fixed(false), selected(false) {}
    /// A key at position with the two colours; not selected.
    KWColorPoint(float position, const KWColor& color1, const KWColor& color2, bool fixed = false)
        : position(position), color1(color1), color2(color2), fixed(fixed), selected(false) {}
};

} // namespace KW

#endif
