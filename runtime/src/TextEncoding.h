#ifndef PELMORA_TEXT_ENCODING_H
#define PELMORA_TEXT_ENCODING_H

#include <pelmora/Runtime.h>

#include <string>

// Names and texture paths between the file's UTF-8 and the bytes a program asked for.
namespace pelmora {
namespace detail {

// Latin-1 text as UTF-8 (bytes 0x80..0xFF become two-byte sequences); UTF-8 as it is.
std::string toFileText(const std::string& bytes, TextEncoding encoding);

// The inverse of toFileText; false for a character beyond U+00FF in Latin-1. The text is valid UTF-8.
bool fromFileText(const std::string& text, std::string& bytes, TextEncoding encoding);

// A field name for a message: decoded, and cut (before a character) when long.
std::string quotedKey(const std::string& key, TextEncoding encoding);

} // namespace detail
} // namespace pelmora

#endif
