#include "KWProperties.h"
#include "core/TabOrder.h"

#include "KWImageList.h"
#include "core/logic/DpiScale.h"
#include "properties/logic/PropertyRows.h"
#include "properties/logic/RowHeight.h"
#include "core/WideText.h"
#include "core/Theme.h"

#include <commctrl.h>

#include <new>

namespace KW {

namespace {

const int PROPERTIES_COLUMN_WIDTH = 112;
const int VALUE_COLUMN_WIDTH = 72;
const int ROW_TEXT_LIMIT = 256;

// The pixel height of the text line a window's font makes.
int fontHeight(HWND window) {
    HDC dc = GetDC(window);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

int imageHeight(HIMAGELIST images) {
    int width = 0;
    int height = 0;
    if (!images || !ImageList_GetIconSize(images, &width, &height)) {
        return 0;
    }
    return height;
}

// Marks the span in which the grid changes rows itself. A shown list view does not redraw meanwhile:
// it updates its scroll bar and repaints once at the end instead of for every row inserted or deleted.
// A hidden one paints nothing anyway, and turning redrawing back on could show it.
class RowChange {
public:
    RowChange(bool& flag, HWND list)
        : flag(flag), list(list), outermost(!flag),
          batched(outermost && (GetWindowLongPtrW(list, GWL_STYLE) & WS_VISIBLE) != 0) {
        flag = true;
        if (batched) {
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        }
    }
    ~RowChange() {
        if (batched) {
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
        }
        if (outermost) {
            flag = false;
        }
    }

private:
    bool& flag;
    HWND list;
    bool outermost;
    bool batched;
};

void insertColumn(HWND list, int column, const char* title, int width) {
    std::wstring wideTitle = text::wide(title);
    LVCOLUMNW info = {};
    info.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.cx = width;
    info.pszText = &wideTitle[0];
    info.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
}

} // namespace

// The grid's list view as the view of its row bookkeeping.
class PropertiesRowView : public proprows::RowView {
public:
    explicit PropertiesRowView(KWProperties& grid) : grid(grid) {}

    bool insertRow(int row, KWPropRecord* record, int image) override {
        if (record->isGroup) {
            return grid.insertListItem(static_cast<KWGroupItem*>(record), row, image);
        }
        return grid.insertListItem(static_cast<KWPropItem*>(record), row, image);
    }
    void deleteRow(int row) override {
        SendMessageW(grid.handle, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    }
    void deleteAllRows() override { SendMessageW(grid.handle, LVM_DELETEALLITEMS, 0, 0); }
    void setRowImage(int row, int image) override { grid.changeItemIcon(row, 0, image); }

private:
    KWProperties& grid;
};

KWProperties* KWProperties::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWProperties cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWProperties(x, y, width, height, parent, id);
}

KWProperties::KWProperties(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_PROPERTIES, parent, id), openIcon(2), closedIcon(0), imageList(nullptr),
      rows(new proprows::PropertyRows()), headerWindow(nullptr), changingRows(false), shownItem(nullptr),
      oneClickEditing(false) {
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, x, y,
                                width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(list);
    if (!attachWindow(list, "Properties creation failed !")) {
        return;
    }
    subclassWindow(KWPropertiesCallback);
    setDefaultFont(list);
    // The header's notifications reach the list view's procedure; with the grid in the header's user data
    // the default handling finds the grid for them as well.
    headerWindow = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (headerWindow) {
        SetWindowLongPtrW(headerWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    insertColumn(list, 0, "Properties", scale(PROPERTIES_COLUMN_WIDTH));
    insertColumn(list, 1, "Value", scale(VALUE_COLUMN_WIDTH));
    fitRowHeight();
    if (!theme::isLight()) {
        themeChanged();
    }
}

void KWProperties::themeChanged() {
    const bool light = theme::isLight();
    const KWTheme& colors = theme::current();
    SendMessageW(handle, LVM_SETBKCOLOR, 0, light ? GetSysColor(COLOR_WINDOW) : colors.editBackground);
    SendMessageW(handle, LVM_SETTEXTBKCOLOR, 0, light ? CLR_DEFAULT : colors.editBackground);
    SendMessageW(handle, LVM_SETTEXTCOLOR, 0, light ? GetSysColor(COLOR_WINDOWTEXT) : colors.text);
}

bool KWProperties::customDraw(NMCUSTOMDRAW* draw, LRESULT& result) {
    if (theme::isLight() || draw->hdr.hwndFrom != headerWindow) {
        return false;
    }
    const KWTheme& colors = theme::current();
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        return true;
    }
    if (draw->dwDrawStage == CDDS_POSTPAINT) {
        // The strip right of the last column.
        RECT rest = draw->rc;
        RECT last = {};
        const int columns = static_cast<int>(SendMessageW(headerWindow, HDM_GETITEMCOUNT, 0, 0));
        if (columns > 0 && SendMessageW(headerWindow, HDM_GETITEMRECT, static_cast<WPARAM>(columns - 1),
                                        reinterpret_cast<LPARAM>(&last))) {
            rest.left = last.right;
        }
        FillRect(draw->hdc, &rest, theme::brush(colors.panel));
        return false;
    }
    if (draw->dwDrawStage != CDDS_ITEMPREPAINT) {
        return false;
    }
    RECT cell = draw->rc;
    FillRect(draw->hdc, &cell, theme::brush(colors.panel));
    const RECT edge = {cell.right - 1, cell.top, cell.right, cell.bottom};
    FillRect(draw->hdc, &edge, theme::brush(colors.border));
    wchar_t title[64] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = 64;
    SendMessageW(headerWindow, HDM_GETITEMW, draw->dwItemSpec, reinterpret_cast<LPARAM>(&item));
    const int previousMode = SetBkMode(draw->hdc, TRANSPARENT);
    const COLORREF previousText = SetTextColor(draw->hdc, colors.text);
    InflateRect(&cell, -scale(6), 0);
    DrawTextW(draw->hdc, title, -1, &cell,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetTextColor(draw->hdc, previousText);
    SetBkMode(draw->hdc, previousMode);
    result = CDRF_SKIPDEFAULT;
    return true;
}

KWProperties::~KWProperties() {
    // The records die with this object while the hosted gadgets and the list view still live on in the
    // base destructor: from here on their messages must not lead back to the grid.
    if (handle && IsWindow(handle)) {
        if (previousProc) {
            SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
        }
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
        if (headerWindow && IsWindow(headerWindow)) {
            SetWindowLongPtrW(headerWindow, GWLP_USERDATA, 0);
        }
    }
}

KWGroupItem* KWProperties::addGroup(const std::string& name) {
    if (changingRows) {
        return nullptr;
    }
    KWGroupItem record;
    record.hidden = false;
    record.isGroup = true;
    record.name = name;
    record.opened = false;
    groups.push_back(record);
    KWGroupItem* group = &groups.back();

    PropertiesRowView view(*this);
    bool inserted = false;
    {
        RowChange change(changingRows, handle);
        inserted = rows->appendGroup(group, closedIcon, view);
    }
    if (!inserted) {
        groups.pop_back();
        return nullptr;
    }
    return group;
}

void KWProperties::addItem(KWGroupItem* group, const std::string& name, int image, KWObject* object) {
    if (!object || !group) {
        return;
    }
    bool ours = false;
    for (const KWGroupItem& candidate : groups) {
        ours = ours || &candidate == group;
    }
    if (!ours) {
        return;
    }
    object->setVisible(false);
    // Screen readers announce the editor by its row.
    object->setAccessibleName(name);
    watchDeletions();
    KWPropItem item;
    item.hidden = false;
    item.isGroup = false;
    item.name = name;
    item.image = image;
    item.object = object;
    group->items.push_back(item);
}

void KWProperties::openGroup(KWGroupItem* group, bool open) {
    if (changingRows) {
        return;
    }
    PropertiesRowView view(*this);
    std::vector<KWPropItem*> removed;
    bool changed = false;
    {
        RowChange change(changingRows, handle);
        changed = rows->openGroup(group, open, proprows::GroupIcons{openIcon, closedIcon}, view, removed);
    }
    if (!changed) {
        return;
    }
    hideEditors(removed);
    // New rows got their texts as they were inserted; those in view show any change made meanwhile.
    refreshRowsOnScreen(rows->itemAt(selectedRow()));
    // Rows below the group moved: the selected row's editor follows its row.
    updateSelection();
}

void KWProperties::hideGroup(KWGroupItem* group, bool hidden) {
    if (changingRows) {
        return;
    }
    PropertiesRowView view(*this);
    std::vector<KWPropItem*> removed;
    bool changed = false;
    {
        RowChange change(changingRows, handle);
        changed = rows->setGroupHidden(groups, group, hidden, proprows::GroupIcons{openIcon, closedIcon},
                                       view, removed);
        // Only the rows that differ were deleted and inserted; the rest of what rebuilding the rows would do
        // is done here: no selection and the view at the top.
        if (changed) {
            clearSelection();
            SendMessageW(handle, LVM_ENSUREVISIBLE, 0, FALSE);
        }
    }
    if (!changed) {
        return;
    }
    // No row is selected: no editor belongs over any row now.
    hideEditors(removed);
    hideShownEditor();
    refreshRowsOnScreen(nullptr);
}

void KWProperties::clearSelection() {
    LVITEMA cleared = {};
    cleared.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    for (const UINT which : {static_cast<UINT>(LVNI_SELECTED), static_cast<UINT>(LVNI_FOCUSED)}) {
        const LRESULT row = SendMessageW(handle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which);
        if (row >= 0) {
            SendMessageW(handle, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&cleared));
        }
    }
    SendMessageW(handle, LVM_SETSELECTIONMARK, 0, -1);
}

void KWProperties::setImageList(KWImageList* list) {
    if (list) {
        watchDeletions();
    }
    imageList = list;
    SendMessageW(handle, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(list ? list->handle : nullptr));
    fitRowHeight();
}

void KWProperties::forgetImageList(KWImageList* list) {
    if (list == imageList) {
        setImageList(nullptr);
    }
}

void KWProperties::forgetGadget(KWObject* gadget) {
    for (KWGroupItem& group : groups) {
        for (KWPropItem& item : group.items) {
            if (item.object == gadget) {
                // The row goes on showing the last text, also once the rows are rebuilt.
                const int row = rows->rowOf(&item);
                if (row >= 0) {
                    item.valueText = valueCellText(row);
                }
                item.object = nullptr;
            }
        }
    }
}

void KWProperties::fitRowHeight() {
    const int spacer = proprows::spacerHeight(fontHeight(handle),
                                              imageHeight(imageList ? imageList->handle : nullptr), getDpi());
    const HIMAGELIST current =
        reinterpret_cast<HIMAGELIST>(SendMessageW(handle, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    if (imageHeight(current) == spacer) {
        return;
    }
    // Blank state images one pixel wide: the list view makes its rows as high as they are. The grid
    // sets no state on its rows, so none is drawn.
    const HIMAGELIST spacerImages = spacer > 0 ? ImageList_Create(1, spacer, ILC_COLOR32, 1, 0) : nullptr;
    const HIMAGELIST previous = reinterpret_cast<HIMAGELIST>(
        SendMessageW(handle, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(spacerImages)));
    if (previous) {
        ImageList_Destroy(previous);
    }
}

void KWProperties::dpiChanged(int oldDpi, int newDpi) {
    // Columns keep the share of the grid the user gave them; rows follow the new font.
    for (int column = 0; column < 2; ++column) {
        const int width =
            static_cast<int>(SendMessageW(handle, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
        SendMessageW(handle, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                     MAKELPARAM(dpi::rescaled(width, oldDpi, newDpi), 0));
    }
    fitRowHeight();
    updateSelection();
}

int KWProperties::getCurrentId(KWGroupItem* group) {
    return rows->rowOf(group);
}

void KWProperties::changeItemIcon(int row, int subItem, int image) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = subItem;
    item.iImage = image;
    SendMessageW(handle, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool KWProperties::insertListItem(KWGroupItem* group, int row, int image) {
    return insertRecordRow(group, row, image);
}

bool KWProperties::insertListItem(KWPropItem* item, int row, int image) {
    return insertRecordRow(item, row, image);
}

bool KWProperties::insertRecordRow(KWPropRecord* record, int row, int image) {
    std::wstring name = text::wide(record->name);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.iSubItem = 0;
    item.pszText = &name[0];
    item.cchTextMax = ROW_TEXT_LIMIT;
    item.lParam = reinterpret_cast<LPARAM>(record);
    if (imageList) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    const LRESULT inserted = SendMessageW(handle, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (inserted == -1) {
        return false;
    }
    // An item's row shows its gadget's text from the start.
    if (!record->isGroup) {
        const KWPropItem* hosted = static_cast<KWPropItem*>(record);
        if (hosted->object) {
            refreshValueText(static_cast<int>(inserted), hosted->object);
        } else if (!hosted->valueText.empty()) {
            setValueCellText(static_cast<int>(inserted), hosted->valueText);
        }
    }
    return true;
}

} // namespace KW
