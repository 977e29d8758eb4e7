#ifndef KW_HEX_COLOR_H
#define KW_HEX_COLOR_H

#include <cstdio>
#include <string>

namespace KW {

// "#RRGGBBAA": how a colour is read out to screen readers.
inline std::string hexColor(int r, int g, int b, int a) {
    char text[10] = {};
    std::snprintf(text, sizeof(text), "#%02X%02X%02X%02X", r & 0xFF, g & 0xFF, b & 0xFF, a & 0xFF);
    return text;
}

} // namespace KW

#endif
