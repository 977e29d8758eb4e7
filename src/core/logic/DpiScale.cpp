#include "core/logic/DpiScale.h"

namespace KW {
namespace dpi {

int scaled(int pixelsAt96, int dpi) {
    if (dpi <= 0) {
        dpi = baseDpi;
    }
    const long long product = static_cast<long long>(pixelsAt96) * dpi;
    const long long half = baseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / baseDpi : -((-product + half) / baseDpi));
}

} // namespace dpi
} // namespace KW
