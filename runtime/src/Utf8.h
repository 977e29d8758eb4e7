#ifndef PELMORA_UTF8_H
#define PELMORA_UTF8_H

#include <pelmora/Limits.h>

namespace pelmora {
namespace detail {

// The public check under the name the runtime's own code uses.
using pelmora::firstInvalidUtf8Line;

} // namespace detail
} // namespace pelmora

#endif
