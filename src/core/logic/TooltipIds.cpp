#include "core/logic/TooltipIds.h"

namespace KW {
namespace tooltips {

int lowestFreeId(const std::function<bool(int)>& isTaken) {
    for (int id = 0; id < maxTools; ++id) {
        if (!isTaken(id)) {
            return id;
        }
    }
    return -1;
}

} // namespace tooltips
} // namespace KW
