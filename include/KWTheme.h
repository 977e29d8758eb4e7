#ifndef KW_KWTHEME_H
#define KW_KWTHEME_H

#include "KWTypes.h"

namespace KW {

/// The colours the library paints with. Kwadro::setTheme applies one to every gadget at once;
/// colours that are content (keys' colours, colour buttons, the picker's colours) never change with it.
struct KW_API KWTheme {
    COLORREF window;          ///< background of windows and of the colour picker
    COLORREF panel;           ///< background of panels and of the self-drawn editors' frames
    COLORREF text;            ///< text on window, panel and edit backgrounds
    COLORREF disabledText;    ///< text of disabled controls
    COLORREF border;          ///< lines around and between parts
    COLORREF headerBand;      ///< header band (themes other than light; see KWHeader)
    COLORREF headerText;      ///< header title (themes other than light)
    COLORREF rolloutBar;      ///< rollout section bars
    COLORREF rolloutLine;     ///< rollout bar outlines and boxes
    COLORREF selection;       ///< selected rows and items
    COLORREF selectionText;   ///< text on selection
    COLORREF editBackground;  ///< edits, lists, trees, the property grid's rows
    COLORREF graphBackground; ///< the curve and gradient editors' plotting area
    COLORREF graphGrid;       ///< grid lines of the editors
    COLORREF graphAxis;       ///< the editors' axes
    COLORREF curveUpper;      ///< the curve editor's first curve
    COLORREF curveLower;      ///< the curve editor's second curve
    COLORREF marker;          ///< key markers
    COLORREF markerSelected;  ///< selected key markers and the gradient editor's selection
    COLORREF focus;           ///< keyboard focus marks

    /// The library's classic colours: every picture is what it was before themes existed, and colours a
    /// client gave a header hold.
    static KWTheme light();
    /// Dark backgrounds with light text, every text at a contrast of at least 4.5:1.
    static KWTheme dark();
    /// The system's colours (GetSysColor): what a high-contrast user has chosen.
    static KWTheme system();

    /// Same colours in every field.
    bool operator==(const KWTheme& other) const;
    /// Some field differs.
    bool operator!=(const KWTheme& other) const { return !(*this == other); }
};

} // namespace KW

#endif
