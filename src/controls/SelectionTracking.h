#ifndef KW_SELECTION_TRACKING_H
#define KW_SELECTION_TRACKING_H

#include <windows.h>

// The combo box and the list box report only the user's choices: each remembers the selection the
// program last made and reports a change notification only when the selection differs from it.
namespace KW {
namespace selection {

// The messages by which one kind of list control reads and reports its selection.
struct ListMessages {
    UINT getCurrent; // CB_GETCURSEL or LB_GETCURSEL
    int none;        // CB_ERR or LB_ERR
    int changedCode; // CBN_SELCHANGE or LBN_SELCHANGE
    // The messages by which a program changes the items or the selection.
    bool (*programChanges)(UINT msg);
};

// Passes a message on to the control's own procedure; after one by which the program changes the
// selection, remembers the selection as known.
LRESULT passOn(WNDPROC previous, HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
               const ListMessages& messages, int& known);
// For a notification code from the control: true, with the new selection remembered, when the user
// chose an item other than the known one.
bool userChoseAnother(HWND window, int code, const ListMessages& messages, int& known);

} // namespace selection
} // namespace KW

#endif
