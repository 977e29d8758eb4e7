#ifndef KW_EDITOR_METRICS_H
#define KW_EDITOR_METRICS_H

// The fixed lengths of the curve and gradient editors, in pixels at one display DPI. They are designed
// at 96 DPI, where every value below is the one the editors have always used.
namespace KW {
namespace editormetrics {

// The curve editor.
struct Curve {
    int pickRadius;      // hit tolerance of a press and half the side of a key's square marker
    int labelsWidth;     // the band of value labels along the left edge
    int labelsHeight;    // the band of position labels along the bottom edge
    int frameRoom;       // room kept around the keys when framing them
    int bottomLabelRise; // position labels' tops lie this far above the bottom edge
    int valueLabelX;     // value labels are centred on this column
    int valueLabelLift;  // value labels' tops lie this far above their grid line
};

// The gradient editor. Swatch sizes are half widths; the user steps them one pixel at a time
// within the limits.
struct Gradient {
    int bandHeight;  // the band of position labels along the bottom edge
    int labelOffset; // position labels' tops lie this far above the bottom edge
    int markerSize;  // a new editor's swatch size
    int minMarkerSize;
    int maxMarkerSize;
    int frameRoom; // room beyond the outermost swatches when framing the keys
};

Curve curve(int dpi);
Gradient gradient(int dpi);
// The thickness of the focus frame both editors draw over their client edge.
int focusMarkWidth(int dpi);

// A swatch size chosen at fromDpi, at toDpi, kept within the limits there.
int rescaledMarkerSize(int markerSize, int fromDpi, int toDpi);
// A swatch size moved by delta pixels, kept within the limits of metrics.
int steppedMarkerSize(int markerSize, int delta, const Gradient& metrics);

} // namespace editormetrics
} // namespace KW

#endif
