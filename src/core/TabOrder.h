#ifndef KW_TAB_ORDER_H
#define KW_TAB_ORDER_H

#include <windows.h>

namespace KW {
namespace taborder {

// Tab and Shift+Tab move the focus through the tab stops of the library's top-level windows in
// creation order, depth first, whatever message loop the application runs. A window that asks for Tab
// in WM_GETDLGCODE keeps it; Ctrl+Tab leaves it all the same. Installed once, for the thread that starts
// the library.
void install();

// Makes a window a tab stop without changing its style: the gadgets keep the styles they have always
// had, and windows a client creates with WS_TABSTOP are stops as well.
void markStop(HWND window);

// The tab stop after (or before) the one holding from within root; null when root has none.
HWND nextStop(HWND root, HWND from, bool backwards);

} // namespace taborder
} // namespace KW

#endif
