#include "KWTreeView.h"
#include "core/TabOrder.h"

#include "KWContext.h"
#include "KWImageList.h"
#include "controls/PostedReport.h"
#include "core/DpiFonts.h"
#include "controls/logic/TreeItemIds.h"
#include "core/WideText.h"
#include "core/Theme.h"

#include <cwchar>
#include <new>

namespace KW {

namespace {

// The tree item a right click landed on: the platform marks it with the drop highlight; where it does
// not (Wine), the item under the click position.
LRESULT rightClickedTreeItem(HWND tree) {
    LRESULT item = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0);
    if (item) {
        return item;
    }
    const DWORD position = GetMessagePos();
    TVHITTESTINFO hit = {};
    hit.pt.x = static_cast<short>(LOWORD(position));
    hit.pt.y = static_cast<short>(HIWORD(position));
    ScreenToClient(tree, &hit.pt);
    item = SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & TVHT_ONITEM) ? item : 0;
}

} // namespace

KWTreeView* KWTreeView::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWTreeView cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWTreeView(x, y, width, height, parent, id);
}

KWTreeView::KWTreeView(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_TREEVIEW, parent, id), imageList(nullptr), itemIds(new treeitems::ItemIdTable()),
      platformFont(nullptr) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    HWND window = CreateWindowExW(0, L"SysTreeView32", L"", style, x, y, width, height, parentHandle(),
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "KWTreeView creation failed !")) {
        subclassWindow(routeMessage);
        platformFont = reinterpret_cast<HGDIOBJ>(SendMessageW(handle, WM_GETFONT, 0, 0));
        if (!theme::isLight()) {
            themeChanged();
        }
    }
}

void KWTreeView::themeChanged() {
    // -1: the platform's own colours.
    const bool light = theme::isLight();
    SendMessageW(handle, TVM_SETBKCOLOR, 0,
                 light ? -1 : static_cast<LPARAM>(theme::current().editBackground));
    SendMessageW(handle, TVM_SETTEXTCOLOR, 0, light ? -1 : static_cast<LPARAM>(theme::current().text));
}

void KWTreeView::dpiChanged(int, int newDpi) {
    // A font the client set stays; the platform's own is replaced by the library's copy of it, which
    // later DPI changes swap like every library font.
    if (platformFont && reinterpret_cast<HGDIOBJ>(SendMessageW(handle, WM_GETFONT, 0, 0)) == platformFont) {
        SendMessageW(handle, WM_SETFONT,
                     reinterpret_cast<WPARAM>(dpi::platformFont(dpi::iconTitleFontId, newDpi)), TRUE);
    }
}

KWTreeView::~KWTreeView() {
    // Messages of the window's last moments go straight to the control, not to a half-destroyed gadget.
    if (previousProc && IsWindow(handle)) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    }
}

LRESULT CALLBACK KWTreeView::KWTreeCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

LRESULT KWTreeView::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == postedContextMenuMessage()) {
        // The menu of whatever is selected now: the handler may have moved or removed the selection.
        showItemContext(getSelectedItem());
        return 0;
    }
    return KWObject::handleWindowMessage(window, msg, wParam, lParam);
}

void KWTreeView::commandChosen(int commandId) {
    notify(EVENT_CLICKED, commandId);
}

int KWTreeView::getSelectedItem() const {
    const LRESULT item = handle ? SendMessageW(handle, TVM_GETNEXTITEM, TVGN_CARET, 0) : 0;
    return itemIds->idFor(static_cast<std::uintptr_t>(item));
}

void KWTreeView::selectItem(int item) {
    HTREEITEM target = getItemHandle(item);
    if (target || item == 0) {
        SendMessageW(handle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(target));
    }
}

void KWTreeView::setItemText(int item, const std::string& text) {
    std::wstring wideText = text::wide(text);
    TVITEMW record = {};
    record.mask = TVIF_TEXT;
    record.hItem = getItemHandle(item);
    record.pszText = &wideText[0];
    if (record.hItem) {
        SendMessageW(handle, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&record));
    }
}

std::string KWTreeView::getItemText(int item) const {
    HTREEITEM target = getItemHandle(item);
    if (!target) {
        return std::string();
    }
    // The control says nothing of a text's length: the buffer grows until the text fits with room left.
    std::wstring buffer(256, L'\0');
    for (;;) {
        TVITEMW record = {};
        record.mask = TVIF_TEXT;
        record.hItem = target;
        record.pszText = &buffer[0];
        record.cchTextMax = static_cast<int>(buffer.size());
        if (!SendMessageW(handle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&record))) {
            return std::string();
        }
        const std::size_t length = std::wcslen(record.pszText);
        if (length + 1 < buffer.size() || buffer.size() >= 0x10000) {
            return text::narrow(record.pszText, length);
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

void KWTreeView::forgetItems(HTREEITEM item) {
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        SendMessageW(handle, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    while (child) {
        forgetItems(child);
        child = reinterpret_cast<HTREEITEM>(
            SendMessageW(handle, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    itemIds->forget(getItemId(item));
}

void KWTreeView::removeItem(int item) {
    HTREEITEM target = getItemHandle(item);
    if (!target) {
        return;
    }
    forgetItems(target);
    SendMessageW(handle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(target));
}

void KWTreeView::clear() {
    SendMessageW(handle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    itemIds->forgetAll();
}

void KWTreeView::setImageList(KWImageList* list) {
    if (list) {
        watchDeletions();
    }
    imageList = list;
    SendMessageW(handle, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(list ? list->handle : nullptr));
}

void KWTreeView::forgetImageList(KWImageList* list) {
    if (list == imageList) {
        setImageList(nullptr);
    }
}

HTREEITEM KWTreeView::getItemHandle(int item) const {
    return reinterpret_cast<HTREEITEM>(itemIds->handleOf(item));
}

int KWTreeView::getItemId(HTREEITEM item) {
    return itemIds->idFor(reinterpret_cast<std::uintptr_t>(item));
}

int KWTreeView::addItem(int parent, int imageIndex, int group, const std::string& text) {
    std::wstring wideText = text::wide(text);
    TVINSERTSTRUCTW insert = {};
    // -1 and 0 both name the invisible root; any other int must name an item of this tree.
    const bool atRoot = parent == -1 || parent == 0;
    insert.hParent = atRoot ? nullptr : getItemHandle(parent);
    insert.hInsertAfter = parent == -1 ? TVI_ROOT : TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = &wideText[0];
    insert.item.lParam = static_cast<LPARAM>(group);
    if (imageList && imageIndex != -1) {
        insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.iImage = imageIndex;
        insert.item.iSelectedImage = imageIndex;
    }

    HTREEITEM item = nullptr;
    if (atRoot || insert.hParent) {
        item = reinterpret_cast<HTREEITEM>(
            SendMessageW(handle, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    const int itemId = getItemId(item);
    if (!itemId) {
        showError("Failed to add item to Treeview");
    }
    return itemId;
}

void KWTreeView::addGroupContext(int group, KWContext* context) {
    groupContexts.push_back(std::make_pair(group, context));
}

void KWTreeView::showItemContext(int item) {
    TVITEMW record = {};
    record.mask = TVIF_PARAM;
    record.hItem = getItemHandle(item);
    if (!record.hItem || !SendMessageW(handle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&record))) {
        return;
    }
    for (const auto& groupContext : groupContexts) {
        if (static_cast<LPARAM>(groupContext.first) == record.lParam && groupContext.second) {
            groupContext.second->show(this);
            return;
        }
    }
}

// A right click on a tree: the right-clicked item becomes the selected one; then the menu of whatever is
// selected opens (also after a click on the empty area). The menu waits in the queue behind the report of
// the selection, so the handler hears of it first and no handler runs while the tree is in its click.
void KWTreeView::rightClicked(HWND treeWindow) {
    const LRESULT before = SendMessageW(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0);
    const LRESULT item = rightClickedTreeItem(treeWindow);
    if (item) {
        SendMessageW(treeWindow, TVM_SELECTITEM, TVGN_CARET, item);
    }
    const LRESULT now = SendMessageW(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0);
    if (now && now != before) {
        postReport(treeWindow, EVENT_SELECTED, getItemId(reinterpret_cast<HTREEITEM>(now)));
    }
    PostMessageW(treeWindow, postedContextMenuMessage(), 0, 0);
}

// A selection made by the user's click or keys; the program's own selections come as TVC_UNKNOWN.
void KWTreeView::selectionChanged(const NMHDR* header, LPARAM lParam) {
    // The item fields lie at the same place in the narrow and the wide record.
    const NMTREEVIEWA* change = reinterpret_cast<const NMTREEVIEWA*>(lParam);
    if (change->action == TVC_BYMOUSE || change->action == TVC_BYKEYBOARD) {
        postReport(header->hwndFrom, EVENT_SELECTED, getItemId(change->itemNew.hItem));
    }
}

void KWTreeView::controlNotify(const NMHDR* header, LPARAM lParam) {
    if (header->code == static_cast<UINT>(NM_RCLICK)) {
        rightClicked(header->hwndFrom);
    } else if (header->code == static_cast<UINT>(TVN_SELCHANGEDA) ||
               header->code == static_cast<UINT>(TVN_SELCHANGEDW)) {
        selectionChanged(header, lParam);
    } else if (header->code == static_cast<UINT>(TVN_ENDLABELEDITW) ||
               header->code == static_cast<UINT>(TVN_ENDLABELEDITA)) {
        labelEdited(header, lParam);
    }
}

void KWTreeView::setLabelEditing(bool enabled) {
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    SetWindowLongPtrW(handle, GWL_STYLE, enabled ? (style | TVS_EDITLABELS) : (style & ~TVS_EDITLABELS));
}

// The label edit ended; a null text means it was abandoned. The text is set here (the notification's
// answer cannot carry the tree's acceptance through the default handling) and the handler is told
// after the edit has closed.
void KWTreeView::labelEdited(const NMHDR* header, LPARAM lParam) {
    // A parent that is an ANSI window is told in the code page: the records differ only in the text's type.
    const NMTVDISPINFOW* edit = reinterpret_cast<const NMTVDISPINFOW*>(lParam);
    if (!edit->item.pszText) {
        return;
    }
    const int item = getItemId(edit->item.hItem);
    if (header->code == static_cast<UINT>(TVN_ENDLABELEDITA)) {
        setItemText(item, reinterpret_cast<const char*>(edit->item.pszText));
    } else {
        setItemText(item, text::narrow(edit->item.pszText, std::wcslen(edit->item.pszText)));
    }
    postReport(header->hwndFrom, EVENT_CHANGED, item);
}

} // namespace KW
