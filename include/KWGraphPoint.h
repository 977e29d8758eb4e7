#ifndef KW_GRAPH_POINT_H
#define KW_GRAPH_POINT_H

namespace KW {

/// One key of a float graph. Values are data y: the y axis runs downward like the screen, so a key
/// shown at value v stores y = -v. Every key keeps y1 <= y2 <= 0 and 0 <= x <= 100.
struct KWGraphPoint {
    float y1 = 0.0f; ///< upper curve (drawn black)
    float y2 = 0.0f; ///< lower curve (drawn blue)
    float x = 0.0f;  ///< position, 0 to 100
    /// True while the key is selected in the editor.
    bool selected = false;
    bool fixed = false; ///< the two end keys, which cannot be deleted
};

/// The two curves of a float graph at one position, in the same data-y convention as KWGraphPoint:
/// y1 <= y2 <= 0, and the value the user sees is -y1 for the upper curve and -y2 for the lower one.
struct KWGraphSample {
    float y1 = 0.0f; ///< upper curve
    float y2 = 0.0f; ///< lower curve
};

} // namespace KW

#endif
