#ifndef KW_THEMED_MENUS_H
#define KW_THEMED_MENUS_H

#include <windows.h>

namespace KW {
namespace themedmenus {

// Under any theme but light, menus are drawn by the library in the theme's colours (the platform draws
// menu texts in the system colour whatever their background). Items become owner-drawn as their menu
// is prepared and plain again under light; their texts stay in the menu, so clients read and change
// them as before.

// Makes the items of menu, and of its submenus, follow the theme in force. bar: menu is a window's menu
// bar, whose items are laid out in a row.
void prepare(HMENU menu, bool bar);

// Fills the menu bar of window after its last item with the theme's window colour, when a theme other
// than light is in force (some platforms paint that part in the system colour whatever the menu's
// background). For after the window's non-client area was painted.
void fillBarEnd(HWND window);

// WM_INITMENUPOPUP, WM_MEASUREITEM and WM_DRAWITEM for menus, in the window that owns the menu; false
// for any other message, which then goes on as usual.
bool answer(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

} // namespace themedmenus
} // namespace KW

#endif
