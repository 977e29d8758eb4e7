#include "core/DeletionWatch.h"

#include "KWObject.h"

#include <algorithm>
#include <vector>

namespace KW {

namespace {

std::vector<KWObject*>& watchers() {
    static std::vector<KWObject*> list;
    return list;
}

} // namespace

void DeletionWatch::add(KWObject* watcher) {
    std::vector<KWObject*>& list = watchers();
    if (std::find(list.begin(), list.end(), watcher) == list.end()) {
        list.push_back(watcher);
    }
}

void DeletionWatch::remove(KWObject* watcher) {
    std::vector<KWObject*>& list = watchers();
    list.erase(std::remove(list.begin(), list.end(), watcher), list.end());
}

// By index: a watcher only drops pointers, but the list may still grow or shrink meanwhile.
void DeletionWatch::gadgetDeleted(KWObject* gadget) {
    std::vector<KWObject*>& list = watchers();
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i]->forgetGadget(gadget);
    }
}

void DeletionWatch::imageListDeleted(KWImageList* imageList) {
    std::vector<KWObject*>& list = watchers();
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i]->forgetImageList(imageList);
    }
}

} // namespace KW
