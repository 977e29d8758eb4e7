#include "controls/SelectionTracking.h"

namespace KW {
namespace selection {

LRESULT passOn(WNDPROC previous, HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
               const ListMessages& messages, int& known) {
    const LRESULT result = CallWindowProcW(previous, window, msg, wParam, lParam);
    if (messages.programChanges(msg)) {
        // What the program selects is no choice of the user's.
        known = static_cast<int>(CallWindowProcW(previous, window, messages.getCurrent, 0, 0));
    }
    return result;
}

bool userChoseAnother(HWND window, int code, const ListMessages& messages, int& known) {
    if (code != messages.changedCode) {
        return false;
    }
    const int current = static_cast<int>(SendMessageW(window, messages.getCurrent, 0, 0));
    if (current == messages.none || current == known) {
        return false;
    }
    known = current;
    return true;
}

} // namespace selection
} // namespace KW
