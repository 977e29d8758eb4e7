#ifndef KW_CORE_DELETION_WATCH_H
#define KW_CORE_DELETION_WATCH_H

namespace KW {

class KWImageList;
class KWObject;

// The gadgets that keep pointers to gadgets or image lists they do not own (docked gadgets, a grid's
// editors, a tab's pages, a rollout's gadgets, image lists shown by controls). Whatever is deleted is
// announced to each of them, so none is left holding a freed one.
class DeletionWatch {
public:
    static void add(KWObject* watcher);
    static void remove(KWObject* watcher);
    // Called first thing when the gadget or the image list goes; the address is only compared.
    static void gadgetDeleted(KWObject* gadget);
    static void imageListDeleted(KWImageList* list);
};

} // namespace KW

#endif
