#ifndef KW_CREATION_TEXT_H
#define KW_CREATION_TEXT_H

#include "KWTypes.h"

#include <string>

namespace KW {

// Some platforms keep only part of a very long window name given to CreateWindowExA (Wine stores
// its length in 16 bits). Sets the text once more when the window did not receive it whole. Shorter
// names always arrive whole, and creating a gadget should not cost a text query.
constexpr std::size_t longestWholeCreationText = 0x7FFF;

inline void completeCreationText(HWND window, const std::string& text) {
    if (window && text.size() > longestWholeCreationText &&
        static_cast<std::size_t>(GetWindowTextLengthA(window)) != text.size()) {
        SetWindowTextA(window, text.c_str());
    }
}

} // namespace KW

#endif
