#include "core/logic/DpiScale.h"

namespace KW {
namespace dpi {

int rescaled(int pixels, int fromDpi, int toDpi) {
    if (fromDpi <= 0) {
        fromDpi = baseDpi;
    }
    if (toDpi <= 0) {
        toDpi = baseDpi;
    }
    const long long product = static_cast<long long>(pixels) * toDpi;
    const long long half = fromDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / fromDpi : -((-product + half) / fromDpi));
}

int scaled(int pixelsAt96, int dpi) {
    return rescaled(pixelsAt96, baseDpi, dpi);
}

} // namespace dpi
} // namespace KW
