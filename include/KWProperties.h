#ifndef KW_PROPERTIES_H
#define KW_PROPERTIES_H

#include "KWObject.h"
#include "KWPropertyRecords.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

namespace KW {

class KWImageList;

namespace proprows {
class PropertyRows;
}

/// A two-column property sheet on a report-mode list view: named groups that open and close, and below
/// each open group its items, whose value cells show the text of the gadget that edits them. Only the
/// selected row's gadget is shown, laid over its value cell; a double click on a group row toggles it.
/// Hosted gadgets are created by the client with the grid as their parent; the grid owns them.
class KW_API KWProperties : public KWObject {
public:
    /// style is not used. Null, after a message, without a parent.
    static KWProperties* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWProperties() override;

    /// Appends a closed, visible group and its row; null when the row cannot be inserted. The record
    /// stays valid for the grid's lifetime.
    KWGroupItem* addGroup(const std::string& name);
    /// Appends an item to one of this grid's groups and hides its gadget; the item gets a row the next
    /// time its group is opened or the rows are rebuilt; screen readers name the gadget after the row.
    /// Nothing happens without a gadget.
    void addItem(KWGroupItem* group, const std::string& name, int image, KWObject* object);
    /// Shows (open) or removes the rows of the group's items and switches the group's icon. Ignored for a
    /// hidden group, a group without items, and a group that already has the state asked for.
    void openGroup(KWGroupItem* group, bool open);
    /// Hides or shows a group with its items. The rows end as if rebuilt from the groups (items added to
    /// an open group since it opened get theirs), the selection is cleared and the view goes to the top;
    /// only the rows that differ are deleted or inserted.
    void hideGroup(KWGroupItem* group, bool hidden);
    /// Rows inserted afterwards carry their image index. Null removes the image list.
    void setImageList(KWImageList* list);
    /// One-click editing, off by default. When on, a click on an item's value cell also gives the
    /// keyboard to the row's gadget, its text selected so that typing replaces it, and a click on a group
    /// row's image (its open or closed box) opens or closes the group. A double click on a group row
    /// toggles it once either way.
    void setOneClickEditing(bool on);

    /// Places and shows the gadget of the selected row over its value cell.
    void updateSelection();
    /// Hides every item's gadget, refreshes the value texts, then places and shows the selected row's
    /// gadget over its value cell (for instance after the grid was resized).
    void updatePropObjects();
    /// Copies each hosted gadget's text into its row's value cell where the two differ.
    void updateSubitemsText();
    /// Hides the gadget of every item row.
    void hidePropObjects();

protected:
    /// The list view's and its header's reports: a double click toggles a group row; a selection change
    /// shows the selected row's gadget; scrolling and column resizing keep it over its value cell.
    void controlNotify(const NMHDR* header, LPARAM lParam) override;

private:
    KWProperties(int x, int y, int width, int height, KWObject* parent, int id);
    /// The image list shown is being deleted: the control goes on without images.
    void forgetImageList(KWImageList* list) override;
    /// An item's gadget deleted on its own leaves its record: the row stays and keeps its value text.
    void forgetGadget(KWObject* gadget) override;

    friend class PropertiesRowView;

    /// A press of the left button at a client point, in one-click editing.
    void clickedAt(POINT point);
    /// The row whose image (a group's box) lies under the client point, or -1.
    int rowWithImageAt(POINT point) const;
    /// Gives the keyboard to the gadget shown over the selected row's value cell.
    void focusShownEditor();

    int getCurrentId(KWGroupItem* group);
    void changeItemIcon(int row, int subItem, int image);
    bool insertListItem(KWGroupItem* group, int row, int image);
    bool insertListItem(KWPropItem* item, int row, int image);
    bool insertRecordRow(KWPropRecord* record, int row, int image);
    /// The row's gadget over the given rectangle (edges), shown.
    void placeEditor(KWObject* editor, KWBound bound);
    void refreshValueText(int row, KWObject* editor);
    /// The text of a row's value cell, and its replacement where it differs.
    std::string valueCellText(int row) const;
    void setValueCellText(int row, const std::string& text);
    /// Copies the texts of the rows on screen; their gadgets other than keep's are hidden.
    void refreshRowsOnScreen(const KWPropItem* keep);
    /// Settles the gadgets after the list view reported a changed row: hides the gadget shown so far
    /// unless it belongs to the selected row, and refreshes the value cells whose text can have changed:
    /// the row of that gadget and the rows on screen.
    void selectionChanged();
    /// Hides the gadget of the item that has it shown, if any, and forgets it.
    void hideShownEditor();
    void hideEditors(const std::vector<KWPropItem*>& items);
    /// Clears the selected and the focused row, as a rebuild of the rows would.
    void clearSelection();
    int selectedRow() const;
    /// Where the font and images would make rows lower than the layout scales to the grid's DPI, blank
    /// state images hold them at that height.
    void fitRowHeight();
    /// Scales the column widths to the new DPI, keeps the rows as high as the layout scales and places
    /// the selected row's gadget over its cell again.
    void dpiChanged(int oldDpi, int newDpi) override;
    /// Passes the theme's colours to the platform control (its own under light).
    void themeChanged() override;
    /// Under any theme but light the column headers are drawn in the theme's colours.
    bool customDraw(NMCUSTOMDRAW* draw, LRESULT& result) override;

    static LRESULT CALLBACK KWPropertiesCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KWPropertiesHeaderCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    int openIcon;
    int closedIcon;
    std::list<KWGroupItem> groups;
    KWImageList* imageList;

    /// Which records have rows, and where; the list view shows the same rows in the same order.
    std::unique_ptr<proprows::PropertyRows> rows;
    HWND headerWindow;
    /// Set while the grid inserts or deletes rows itself: the list view's notifications during such a
    /// change see rows that are not yet in step, and the grid settles the editors once it is done.
    bool changingRows;
    /// The item whose gadget the grid placed and showed last, and where; null when none is shown. Rows
    /// come and go but item records live as long as the grid, so this never dangles; the gadget itself is
    /// reached through the item, whose object may be null.
    KWPropItem* shownItem;
    KWBound shownBound;
    bool oneClickEditing;
};

} // namespace KW

#endif
