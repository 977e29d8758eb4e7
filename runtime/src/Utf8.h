#ifndef PELMORA_UTF8_H
#define PELMORA_UTF8_H

#include <cstddef>
#include <string>

namespace pelmora {
namespace detail {

// The 1-based line that holds the first byte outside a well-formed UTF-8 sequence: a stray continuation
// byte, an overlong form, a surrogate, a code point above U+10FFFF or a sequence cut short. 0 when the
// whole text is well formed.
std::size_t firstInvalidUtf8Line(const std::string& text);

} // namespace detail
} // namespace pelmora

#endif
