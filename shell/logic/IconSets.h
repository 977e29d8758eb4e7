#ifndef KW_SHELL_ICON_SETS_H
#define KW_SHELL_ICON_SETS_H

#include <string>

// The programs' icons come in 16, 24 and 32 pixel sets; a window picks the set nearest to 16 pixels
// scaled to its DPI, preferring the larger on a tie so icons are never shrunk below their design.
namespace shell {

inline int iconSizeFor(int dpi) {
    const int wanted = dpi > 0 ? 16 * dpi : 16 * 96;
    int best = 16;
    for (int size : {16, 24, 32}) {
        const int distance = size * 96 > wanted ? size * 96 - wanted : wanted - size * 96;
        const int bestDistance = best * 96 > wanted ? best * 96 - wanted : wanted - best * 96;
        if (distance <= bestDistance) {
            best = size;
        }
    }
    return best;
}

// The file of a set: "res/icons.bmp" at 16 pixels, "res/icons_24.bmp" at 24.
inline std::string iconFileFor(const std::string& file16, int size) {
    if (size == 16) {
        return file16;
    }
    const std::string::size_type dot = file16.rfind('.');
    const std::string::size_type slash = file16.find_last_of("/\\");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? file16.substr(0, dot) : file16;
    const std::string extension = hasExtension ? file16.substr(dot) : "";
    return stem + "_" + std::to_string(size) + extension;
}

} // namespace shell

#endif
