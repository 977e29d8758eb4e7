#ifndef KW_POSTED_REPORT_H
#define KW_POSTED_REPORT_H

#include "KWTypes.h"

namespace KW {

// A user action seen in a platform control's notification is reported to the handler from a message
// posted to the gadget's own window, not from inside the notification: by then the control has
// finished the message that caused it, so the handler may delete the gadget or open a modal dialog
// without the control touching freed state afterwards. The message dies with the window.
inline UINT postedReportMessage() {
    static const UINT message = RegisterWindowMessageA("KWadroPostedReport");
    return message;
}

inline void postReport(HWND window, eEventType type, int param1) {
    PostMessageW(window, postedReportMessage(), static_cast<WPARAM>(type),
                 static_cast<LPARAM>(static_cast<LONG_PTR>(param1)));
}

// Asks a tree view to open the context menu of its selected item. A right click posts it after the
// report of the selection it made, so the handler hears of that selection before the menu opens.
inline UINT postedContextMenuMessage() {
    static const UINT message = RegisterWindowMessageA("KWadroPostedContextMenu");
    return message;
}

inline eEventType reportedType(WPARAM wParam) {
    return static_cast<eEventType>(wParam);
}

inline int reportedParam(LPARAM lParam) {
    return static_cast<int>(static_cast<LONG_PTR>(lParam));
}

} // namespace KW

#endif
