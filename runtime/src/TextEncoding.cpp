#include "TextEncoding.h"

namespace pelmora {
namespace detail {

namespace {

const std::size_t kMaxQuotedKey = 40;

} // namespace

std::string toFileText(const std::string& bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        return bytes;
    }
    std::string text;
    text.reserve(bytes.size());
    for (unsigned char byte : bytes) {
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

bool fromFileText(const std::string& text, std::string& bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        bytes = text;
        return true;
    }
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            bytes += static_cast<char>(byte);
        } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < text.size()) {
            bytes += static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
        } else {
            return false;
        }
    }
    return true;
}

std::string quotedKey(const std::string& key, TextEncoding encoding) {
    std::string bytes;
    if (!fromFileText(key, bytes, encoding)) {
        bytes = "?";
    }
    if (bytes.size() <= kMaxQuotedKey) {
        return bytes;
    }
    std::size_t cut = kMaxQuotedKey;
    while (encoding == TextEncoding::Utf8 && cut > 0 &&
           (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return bytes.substr(0, cut) + "...";
}

} // namespace detail
} // namespace pelmora
