#include "core/LiveGadgets.h"

#include <algorithm>
#include <mutex>

namespace KW {
namespace livegadgets {

namespace {

struct Registry {
    std::mutex lock;
    std::vector<KWObject*> gadgets;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

void add(KWObject* gadget) {
    Registry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.gadgets.push_back(gadget);
}

void remove(KWObject* gadget) {
    Registry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    // Gadgets die mostly newest first (children before parents, pages before tabs): search from the end.
    const auto found = std::find(r.gadgets.rbegin(), r.gadgets.rend(), gadget);
    if (found != r.gadgets.rend()) {
        r.gadgets.erase(std::next(found).base());
    }
}

std::vector<KWObject*> all() {
    Registry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.gadgets;
}

} // namespace livegadgets
} // namespace KW
