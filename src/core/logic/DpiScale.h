#ifndef KW_DPI_SCALE_H
#define KW_DPI_SCALE_H

namespace KW {
namespace dpi {

// The dots per inch at which every metric of the library is given.
constexpr int baseDpi = 96;

// A length given at 96 dots per inch, at dpi, rounded to the nearest pixel (halves away from zero).
// A dpi that is not positive counts as 96, so a failed query changes nothing.
int scaled(int pixelsAt96, int dpi);
// A length measured at fromDpi, at toDpi, rounded the same way; a DPI that is not positive counts as 96.
int rescaled(int pixels, int fromDpi, int toDpi);

} // namespace dpi
} // namespace KW

#endif
