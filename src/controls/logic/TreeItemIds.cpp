#include "controls/logic/TreeItemIds.h"

namespace KW {
namespace treeitems {

int ItemIdTable::idFor(std::uintptr_t handle) {
    if (handle == 0) {
        return 0;
    }
    const auto known = ids.find(handle);
    if (known != ids.end()) {
        return known->second;
    }
    if (handles.size() >= static_cast<std::size_t>(INT_MAX - firstId) + 1) {
        return 0;
    }
    const int id = firstId + static_cast<int>(handles.size());
    handles.push_back(handle);
    ids.emplace(handle, id);
    return id;
}

std::uintptr_t ItemIdTable::handleOf(int id) const {
    if (id < firstId) {
        return 0;
    }
    const std::size_t index = static_cast<std::size_t>(id - firstId);
    return index < handles.size() ? handles[index] : 0;
}

void ItemIdTable::forget(int id) {
    const std::uintptr_t handle = handleOf(id);
    if (handle != 0) {
        ids.erase(handle);
        handles[static_cast<std::size_t>(id - firstId)] = 0;
    }
}

void ItemIdTable::forgetAll() {
    ids.clear();
    for (std::uintptr_t& handle : handles) {
        handle = 0;
    }
}

} // namespace treeitems
} // namespace KW
