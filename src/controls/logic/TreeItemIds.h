#ifndef KW_TREE_ITEM_IDS_H
#define KW_TREE_ITEM_IDS_H

#include <climits>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace KW {
namespace treeitems {

// Gives every platform item handle of one tree an int id that survives the round trip on any pointer
// size: ids count up from 1, so they are never 0 (failure) nor -1 (root). A handle keeps its id; a
// handle value seen again after its item was freed and reused keeps naming whatever item has it now.
class ItemIdTable {
public:
    explicit ItemIdTable(int firstId = 1) : firstId(firstId) {}

    // The id of handle, a new one if the handle has none yet. 0 for a null handle or when the ids
    // are used up.
    int idFor(std::uintptr_t handle);
    // The handle named by id, 0 for an id that names none.
    std::uintptr_t handleOf(int id) const;
    // The item of id was deleted: id names nothing from now on, and is never handed out again.
    void forget(int id);
    // Every item was deleted; new items get ids not used before.
    void forgetAll();

private:
    int firstId;
    std::vector<std::uintptr_t> handles; // handles[id - firstId]
    std::unordered_map<std::uintptr_t, int> ids;
};

} // namespace treeitems
} // namespace KW

#endif
