#include "graphs/logic/KeyOrder.h"

#include <algorithm>

namespace KW {
namespace keyorder {

std::vector<int> byPosition(const std::vector<float>& positions) {
    std::vector<int> order(positions.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return positions[static_cast<size_t>(a)] < positions[static_cast<size_t>(b)];
    });
    return order;
}

int rankOf(const std::vector<float>& positions, int index) {
    const std::vector<int> order = byPosition(positions);
    const auto found = std::find(order.begin(), order.end(), index);
    return found == order.end() ? -1 : static_cast<int>(found - order.begin());
}

int step(const std::vector<float>& positions, int current, bool forward) {
    const int count = static_cast<int>(positions.size());
    if (count == 0) {
        return -1;
    }
    const std::vector<int> order = byPosition(positions);
    const auto found = std::find(order.begin(), order.end(), current);
    if (found == order.end()) {
        return forward ? order.front() : order.back();
    }
    const int rank = static_cast<int>(found - order.begin());
    const int next = (rank + (forward ? 1 : count - 1)) % count;
    return order[static_cast<size_t>(next)];
}

} // namespace keyorder
} // namespace KW
