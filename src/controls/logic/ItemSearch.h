#ifndef KW_ITEM_SEARCH_H
#define KW_ITEM_SEARCH_H

#include <cstdint>
#include <functional>

namespace KW {
namespace items {

// The lowest index in 0..count-1 whose item data equals id, or -1. Item data is pointer-sized; an id
// is stored sign-extended, so it is compared that way and never matches data that merely shares its
// low 32 bits.
int firstIndexWithId(int count, const std::function<std::intptr_t(int)>& dataAt, int id);

} // namespace items
} // namespace KW

#endif
