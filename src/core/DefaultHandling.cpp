#include "KWCheckBox.h"
#include "KWObject.h"
#include "KWOpenButton.h"
#include "KWProperties.h"
#include "KWTab.h"
#include "KWTreeView.h"
#include "controls/PostedReport.h"
#include "core/DpiFonts.h"

#include <commctrl.h>

namespace KW {

void KWObject::setDefaultFont(HWND window) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(dpi::guiFont(dpi::ofWindow(window))), TRUE);
}

LRESULT CALLBACK KWObject::KWDefaultCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    handleDefaults(window, msg, wParam, lParam);
    // Looked up afterwards: a handler run by the default handling may have deleted the gadget.
    KWObject* gadget = fromHandle(window);
    if (msg == WM_COMMAND) {
        return 0;
    }
    if (!gadget || !gadget->previousProc || gadget->type == GADGET_OPENBUTTON) {
        return DefWindowProcA(window, msg, wParam, lParam);
    }
    return CallWindowProcA(gadget->previousProc, window, msg, wParam, lParam);
}

// A click of a check box with automatic captions: the caption follows the new state.
static void refreshAutoText(KWObject* control) {
    if (control->getType() == GADGET_CHECKBOX) {
        KWCheckBox* checkBox = static_cast<KWCheckBox*>(control);
        if (checkBox->isAutoTextEnabled()) {
            checkBox->changeAutoText();
        }
    }
}

// The tree item a right click landed on: the platform marks it with the drop highlight; where it does
// not (Wine), the item under the click position.
static LRESULT rightClickedTreeItem(HWND tree) {
    LRESULT item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0);
    if (item) {
        return item;
    }
    const DWORD position = GetMessagePos();
    TVHITTESTINFO hit = {};
    hit.pt.x = static_cast<short>(LOWORD(position));
    hit.pt.y = static_cast<short>(HIWORD(position));
    ScreenToClient(tree, &hit.pt);
    item = SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & TVHT_ONITEM) ? item : 0;
}

// A property grid's list view or header reports: a double click toggles a group row; a selection change
// hides the editor shown so far, refreshes the value texts that can have changed and shows the selected
// row's editor; scrolling and column resizing keep that editor over its value cell.
static void routePropertiesNotify(KWProperties* grid, NMHDR* header, LPARAM lParam) {
    if (header->code == static_cast<UINT>(NM_DBLCLK) && header->hwndFrom == grid->getHandle()) {
        const NMITEMACTIVATE* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        LVITEMA row = {};
        row.mask = LVIF_PARAM;
        row.iItem = activate->iItem;
        if (activate->iItem >= 0 &&
            SendMessageA(grid->getHandle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row)) && row.lParam) {
            KWPropRecord* record = reinterpret_cast<KWPropRecord*>(row.lParam);
            if (record->isGroup) {
                KWGroupItem* group = static_cast<KWGroupItem*>(record);
                grid->openGroup(group, !group->opened);
            }
        }
    }
    if (header->code == static_cast<UINT>(LVN_ITEMCHANGED)) {
        grid->selectionChanged();
    }
    switch (header->code) {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case LVN_BEGINSCROLL:
    case LVN_SETDISPINFOA:
    case LVN_ITEMCHANGED:
    case LVN_GETDISPINFOA:
    case LVN_ENDSCROLL:
        grid->updateSelection();
        break;
    default:
        break;
    }
}

// A right click on a tree: the right-clicked item becomes the selected one; then the menu of whatever is
// selected opens (also after a click on the empty area). The menu waits in the queue behind the report of
// the selection, so the handler hears of it first and no handler runs while the tree is in its click.
static void routeTreeRightClick(KWTreeView* tree, HWND treeWindow) {
    const LRESULT before = SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0);
    const LRESULT item = rightClickedTreeItem(treeWindow);
    if (item) {
        SendMessageA(treeWindow, TVM_SELECTITEM, TVGN_CARET, item);
    }
    const LRESULT now = SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0);
    if (now && now != before) {
        postReport(treeWindow, EVENT_SELECTED, tree->getItemId(reinterpret_cast<HTREEITEM>(now)));
    }
    PostMessageA(treeWindow, postedContextMenuMessage(), 0, 0);
}

// A selection made by the user's click or keys; the program's own selections come as TVC_UNKNOWN.
static void routeTreeSelection(KWTreeView* tree, const NMHDR* header, LPARAM lParam) {
    // The item fields lie at the same place in the narrow and the wide record.
    const NMTREEVIEWA* change = reinterpret_cast<const NMTREEVIEWA*>(lParam);
    if (change->action == TVC_BYMOUSE || change->action == TVC_BYKEYBOARD) {
        postReport(header->hwndFrom, EVENT_SELECTED, tree->getItemId(change->itemNew.hItem));
    }
}

// A notification from a control owned by a gadget: tab pages, tree menus, property-grid rows.
static void routeNotify(KWObject* source, NMHDR* header, LPARAM lParam) {
    if (source->getType() == GADGET_TAB && header->code == TCN_SELCHANGE) {
        KWTab* tab = static_cast<KWTab*>(source);
        tab->showSelectedTab();
        postReport(header->hwndFrom, EVENT_SELECTED,
                   static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
        return;
    }
    if (source->getType() == GADGET_TREEVIEW) {
        KWTreeView* tree = static_cast<KWTreeView*>(source);
        if (header->code == static_cast<UINT>(NM_RCLICK)) {
            routeTreeRightClick(tree, header->hwndFrom);
        } else if (header->code == static_cast<UINT>(TVN_SELCHANGEDA) ||
                   header->code == static_cast<UINT>(TVN_SELCHANGEDW)) {
            routeTreeSelection(tree, header, lParam);
        }
    }
    if (source->getType() == GADGET_PROPERTIES) {
        routePropertiesNotify(static_cast<KWProperties*>(source), header, lParam);
    }
}

bool KWObject::handleDefaults(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    KWObject* gadget = fromHandle(window);

    if (msg == WM_SIZE) {
        if (gadget) {
            gadget->doAlignment();
        }
    }
    switch (msg) {
    case WM_DPICHANGED:
        // Only top-level windows hear it; their gadgets follow.
        if (gadget && GetAncestor(window, GA_ROOT) == window) {
            gadget->applyDpiChange(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        }
        return true;
    case WM_NCDESTROY:
        dpi::forgetAnnounced(window);
        return false;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (gadget && gadget->tooltipWindow) {
            SendMessageA(gadget->tooltipWindow, TTM_POP, 0, 0);
        }
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (GetFocus() != window) {
            SetFocus(window);
        }
        return false;
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        const int code = HIWORD(wParam);
        if (!control) {
            // A menu item (code 0) or an accelerator (code 1).
            if (gadget && code <= 1) {
                gadget->commandChosen(LOWORD(wParam));
            }
            return false;
        }
        KWObject* sender = fromHandle(control);
        if (!sender) {
            return false;
        }
        if (code == BN_CLICKED && sender->type == GADGET_OPENBUTTON) {
            // The dialog reports the chosen path itself.
            static_cast<KWOpenButton*>(sender)->open();
            return false;
        }
        if (code == BN_CLICKED) {
            refreshAutoText(sender);
        }
        // Last: the handler that this may run can delete the sender, this gadget or both.
        if (sender->type == GADGET_TOOLBAR) {
            if (gadget && code == BN_CLICKED) {
                gadget->commandChosen(LOWORD(wParam));
            }
        } else {
            sender->controlNotified(code);
        }
        return false;
    }
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        KWObject* source = header ? fromHandle(header->hwndFrom) : nullptr;
        if (!source) {
            return false;
        }
        if (source->tooltipWindow) {
            SendMessageA(source->tooltipWindow, TTM_POP, 0, 0);
            SendMessageA(source->tooltipWindow, TTM_UPDATE, 0, 0);
        }
        routeNotify(source, header, lParam);
        return false;
    }
    default:
        return false;
    }
}

} // namespace KW
