#ifndef KW_ACCESSIBLE_KEY_H
#define KW_ACCESSIBLE_KEY_H

#include <string>

namespace KW {

// A key's clipboard text as a screen reader's value: the line without its end.
inline std::string accessibleKeyLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

} // namespace KW

#endif
