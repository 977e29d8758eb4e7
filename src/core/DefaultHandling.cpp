#include "KWCheckBox.h"
#include "KWObject.h"
#include "KWOpenButton.h"
#include "KWTab.h"
#include "KWTreeView.h"

#include <commctrl.h>

namespace KW {

void KWObject::setDefaultFont(HWND window) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

LRESULT CALLBACK KWObject::KWDefaultCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    KWObject* gadget = fromHandle(window);
    handleDefaults(window, msg, wParam, lParam);
    if (msg == WM_COMMAND) {
        return 0;
    }
    if (!gadget || !gadget->previousProc || gadget->type == GADGET_OPENBUTTON) {
        return DefWindowProcA(window, msg, wParam, lParam);
    }
    return CallWindowProcA(gadget->previousProc, window, msg, wParam, lParam);
}

// A click of a control owned by a gadget: automatic captions and open dialogs.
static void routeClick(KWObject* control) {
    if (control->getType() == GADGET_CHECKBOX) {
        KWCheckBox* checkBox = static_cast<KWCheckBox*>(control);
        if (checkBox->isAutoTextEnabled()) {
            checkBox->changeAutoText();
        }
    }
    if (control->getType() == GADGET_OPENBUTTON) {
        static_cast<KWOpenButton*>(control)->open();
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

// A notification from a control owned by a gadget: tab pages, tree menus, property-grid rows.
static void routeNotify(KWObject* source, NMHDR* header, LPARAM lParam) {
    if (source->getType() == GADGET_TAB && header->code == TCN_SELCHANGE) {
        static_cast<KWTab*>(source)->showSelectedTab();
        return;
    }
    if (header->code == static_cast<UINT>(NM_RCLICK) && source->getType() == GADGET_TREEVIEW) {
        // The right-clicked item becomes the selected one; then the menu of whatever is selected
        // opens (also after a click on the empty area).
        KWTreeView* tree = static_cast<KWTreeView*>(source);
        HWND treeWindow = header->hwndFrom;
        LRESULT item = rightClickedTreeItem(treeWindow);
        if (item) {
            SendMessageA(treeWindow, TVM_SELECTITEM, TVGN_CARET, item);
        }
        item = SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0);
        if (item) {
            tree->showItemContext(tree->getItemId(reinterpret_cast<HTREEITEM>(item)));
        }
    }
    (void)lParam;
}

bool KWObject::handleDefaults(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    KWObject* gadget = fromHandle(window);

    if (msg == WM_SIZE) {
        if (gadget) {
            gadget->doAlignment();
        }
    }
    switch (msg) {
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
        if (control && HIWORD(wParam) == BN_CLICKED) {
            if (KWObject* clicked = fromHandle(control)) {
                routeClick(clicked);
            }
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
