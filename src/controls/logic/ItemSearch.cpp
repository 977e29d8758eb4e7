#include "controls/logic/ItemSearch.h"

namespace KW {
namespace items {

int firstIndexWithId(int count, const std::function<std::intptr_t(int)>& dataAt, int id) {
    for (int index = 0; index < count; ++index) {
        if (dataAt(index) == static_cast<std::intptr_t>(id)) {
            return index;
        }
    }
    return -1;
}

} // namespace items
} // namespace KW
