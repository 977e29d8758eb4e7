#include "properties/logic/RowHeight.h"

#include "core/logic/DpiScale.h"

#include <algorithm>

namespace KW {
namespace proprows {

int spacerHeight(int fontHeight, int iconHeight, int dpi) {
    const int line = dpi::scaled(rowHeightAt96, dpi) - rowPadding;
    return line > std::max(fontHeight, iconHeight) ? line : 0;
}

} // namespace proprows
} // namespace KW
