#ifndef KW_TREE_VIEW_H
#define KW_TREE_VIEW_H

#include "KWObject.h"

#include <commctrl.h>
#include <list>
#include <memory>
#include <string>
#include <utility>

namespace KW {

class KWContext;
class KWImageList;

namespace treeitems {
class ItemIdTable;
}

/// A tree of text items, each carrying a group value. A group can be bound to a popup menu, which opens
/// when an item of that group is right-clicked; the chosen command reaches the tree view's window as
/// WM_COMMAND.
///
/// Items are named by ints that this tree view hands out: positive, never 0 or -1, valid until the item
/// is removed (an int is never handed out twice). getItemHandle and getItemId convert between them and
/// the platform's item handles.
///
/// The handler gets EVENT_SELECTED with the item's int when the user selects an item (click, keys, or a
/// right click on another item, reported before its menu opens), and EVENT_CLICKED with the command id
/// when the user chooses a command of a context menu shown for this tree view. Changes made by the
/// program (selectItem, removeItem, clear, ...) report nothing.
class KW_API KWTreeView : public KWObject {
public:
    /// style is accepted and ignored.
    static KWTreeView* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWTreeView() override;

    /// The list is not owned.
    void setImageList(KWImageList* list);
    /// parent: an item returned earlier, or -1 (or 0) for a root item appended after the others.
    /// imageIndex -1 shows no image. Returns the new item, 0 (after a message) on failure.
    int addItem(int parent, int imageIndex, int group, const std::string& text);
    /// Binds a menu to a group; with several menus for one group, the first one bound opens.
    /// The menu is not owned.
    void addGroupContext(int group, KWContext* context);
    /// Opens the menu bound to the item's group, if there is one.
    void showItemContext(int item);

    /// The selected item, 0 when none is.
    int getSelectedItem() const;
    /// Selects item, or clears the selection for 0; an int that names no item changes nothing.
    void selectItem(int item);
    /// Replaces the text of item; an int that names no item changes nothing.
    void setItemText(int item, const std::string& text);
    /// The text of item, whole; empty for an int that names no item.
    std::string getItemText(int item) const;
    /// Removes item with everything below it; their ints name nothing from now on.
    void removeItem(int item);
    /// Removes every item.
    void clear();
    /// Lets the user rename items in place (a click on the selected item's label, or F2 under the
    /// platform's rules); off at creation. A finished rename sets the item's text and reports
    /// EVENT_CHANGED with the item as param1; an abandoned one changes nothing.
    void setLabelEditing(bool enabled);

    /// The platform handle of an item, null for an int that names no item of this tree view.
    HTREEITEM getItemHandle(int item) const;
    /// The int that names a platform item of this tree view; an item inserted without addItem gets one
    /// on first use. 0 for a null handle.
    int getItemId(HTREEITEM item);

protected:
    void commandChosen(int commandId) override;
    /// A right click selects the item under it and opens the selected item's menu; a selection made
    /// by the user reports EVENT_SELECTED; a finished rename sets the text and reports EVENT_CHANGED.
    void controlNotify(const NMHDR* header, LPARAM lParam) override;
    /// The tree shows the platform's own font until its window first changes DPI; from then on the
    /// same face at the window's DPI.
    void dpiChanged(int oldDpi, int newDpi) override;
    /// Passes the theme's colours to the platform control (its own under light).
    void themeChanged() override;

private:
    KWTreeView(int x, int y, int width, int height, KWObject* parent, int id);
    /// The image list shown is being deleted: the control goes on without images.
    void forgetImageList(KWImageList* list) override;

    static LRESULT CALLBACK KWTreeCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// Opens the context menu a right click asked for.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void rightClicked(HWND treeWindow);
    void selectionChanged(const NMHDR* header, LPARAM lParam);
    void labelEdited(const NMHDR* header, LPARAM lParam);
    /// Forgets the ints of item and of everything below it.
    void forgetItems(HTREEITEM item);

    KWImageList* imageList;
    std::list<std::pair<int, KWContext*>> groupContexts;
    std::unique_ptr<treeitems::ItemIdTable> itemIds;
    /// The font the platform gave the tree at creation.
    HGDIOBJ platformFont;
};

} // namespace KW

#endif
