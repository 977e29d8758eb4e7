#ifndef KW_CREATION_TEXT_H
#define KW_CREATION_TEXT_H

#include "KWTypes.h"
#include "core/WideText.h"

#include <string>

namespace KW {

// Some platforms cannot take a very long window name at creation: Wine stores the length of one given
// to CreateWindowExA in 16 bits, and faults inside CreateWindowExW. Such a text is given once the
// window exists; shorter names are given at creation, which costs no second text message.
constexpr std::size_t longestWholeCreationText = 0x7FFF;

// The name to create a window with.
inline std::wstring creationText(const std::string& text) {
    return text.size() > longestWholeCreationText ? std::wstring() : text::wide(text);
}

// Sets the text that creationText left out.
inline void completeCreationText(HWND window, const std::string& text) {
    if (window && text.size() > longestWholeCreationText) {
        SetWindowTextW(window, text::wide(text).c_str());
    }
}

} // namespace KW

#endif
