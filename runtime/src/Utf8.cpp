#include "Utf8.h"

namespace pelmora {

std::size_t firstInvalidUtf8Line(const std::string& text) {
    std::size_t line = 1;
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            line += lead == '\n';
            ++i;
            continue;
        }
        // The second byte's range is narrowed where the lead byte alone would allow an overlong form
        // (E0, F0), a surrogate (ED) or a code point above U+10FFFF (F4).
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : low;
            high = lead == 0xED ? 0x9F : high;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high;
        } else {
            return line;
        }
        if (size - i < length) {
            return line;
        }
        const unsigned char second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high) {
            return line;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return line;
            }
        }
        i += length;
    }
    return 0;
}

} // namespace pelmora
