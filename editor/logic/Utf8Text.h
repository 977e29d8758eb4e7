#ifndef PELMORA_UTF8_TEXT_H
#define PELMORA_UTF8_TEXT_H

#include "Utf8.h"

namespace KW {
namespace effect {

// The runtime's check: the 1-based line of the first byte outside well-formed UTF-8, 0 when none.
using pelmora::detail::firstInvalidUtf8Line;

} // namespace effect
} // namespace KW

#endif
