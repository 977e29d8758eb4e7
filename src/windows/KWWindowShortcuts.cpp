// A top-level window's keyboard shortcuts and the registry through which the message loop finds them.
#include "KWWindow.h"

#include "windows/logic/ShortcutTable.h"

#include <algorithm>
#include <vector>

namespace KW {

namespace {

// Top-level windows that have shortcuts: the key router finds its window here, never by trusting
// the user data of a window it does not know.
std::vector<KWWindow*>& windowsWithShortcuts() {
    static std::vector<KWWindow*> windows;
    return windows;
}

} // namespace

void KWWindow::addShortcut(int virtualKey, int modifiers, int commandId) {
    if (!shortcutTable) {
        shortcutTable.reset(new shortcuts::ShortcutTable());
        windowsWithShortcuts().push_back(this);
    }
    shortcutTable->add(virtualKey, modifiers, commandId);
}

void KWWindow::leaveShortcutWindows() {
    std::vector<KWWindow*>& registered = windowsWithShortcuts();
    registered.erase(std::remove(registered.begin(), registered.end(), this), registered.end());
}

KWWindow* KWWindow::withShortcuts(HWND root) {
    for (KWWindow* window : windowsWithShortcuts()) {
        if (window->handle == root) {
            return window;
        }
    }
    return nullptr;
}

bool KWWindow::runShortcut(int virtualKey, int modifiers) {
    int commandId = 0;
    if (!shortcutTable || !shortcutTable->find(virtualKey, modifiers, commandId)) {
        return false;
    }
    notify(EVENT_CLICKED, commandId);
    return true;
}

} // namespace KW
