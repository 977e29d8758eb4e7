#ifndef KW_CONTEXT_H
#define KW_CONTEXT_H

#include "KWTypes.h"

#include <list>
#include <string>

namespace KW {

/// A popup menu of id-numbered entries with nested submenus. Used as a drop-down of a window's menu
/// bar and as a tree view's context menu. Not a gadget; the library never destroys one.
class KW_API KWContext {
public:
    /// An empty popup menu, owned by the caller.
    static KWContext* create();

    /// parentId -1 adds to the root menu; popup true makes the entry a submenu. An unknown parent id
    /// adds nothing.
    void addItem(int id, int parentId, const std::string& text, bool popup);
    /// Opens the menu at the cursor; the chosen command reaches the owner's window as WM_COMMAND.
    void show(KWObject* owner);
    /// The platform menu.
    HMENU getHandle() const { return handle; }

private:
    struct Entry {
        int id;
        HMENU menu; // the submenu of a popup entry, the root menu for a top-level command, else null
    };

    KWContext();

    HMENU handle;
    std::list<Entry> entries;
};

} // namespace KW

#endif
