#include "core/logic/StyleMapping.h"

#include "KWTypes.h"

namespace KW {
namespace styles {

std::uint32_t gadgetStyle(int styleValue) {
    std::uint32_t bits = child | visible;
    if (styleValue == STYLE_SIZABLE) {
        bits |= thickFrame;
    }
    return bits;
}

WindowStyle windowStyle(int windowType, bool hasParent, int styleValue) {
    WindowStyle result = {0, 0};
    switch (windowType) {
    case WINDOW_FRAME:
        result.style = overlappedWindow | visible;
        break;
    case WINDOW_POPUP:
        result.style = popup | visible | caption | sysMenu;
        break;
    case WINDOW_PAGE:
        result.style = visible;
        break;
    case WINDOW_SUNKEN:
        result.style = visible;
        result.exStyle = clientEdge;
        break;
    default:
        break;
    }
    if (hasParent) {
        result.style |= child;
    }
    if (styleValue == STYLE_HIDDEN) {
        result.style &= ~visible;
    }
    return result;
}

std::uint32_t textAlignStyle(int alignValue) {
    switch (alignValue) {
    case ALIGN_RIGHT:
        return 2; // SS_RIGHT
    case ALIGN_CENTER:
        return 1; // SS_CENTER
    default:
        return 0; // SS_LEFT
    }
}

} // namespace styles
} // namespace KW
