#include "SoakProbe.h"

#include <KW.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace kwsoak {

using KW::GADGET_DOCK;
using KW::GADGET_HEADER;
using KW::KWObject;

namespace {

struct Command {
    UINT id;
    std::string text;
};

// The item's caption without its accelerator marks and shortcut column, in lower case.
std::string plainText(const std::string& caption) {
    std::string text;
    for (char c : caption.substr(0, caption.find('\t'))) {
        if (c != '&') {
            text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return text;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Commands that open a file dialog, a modal dialog or end the program are left to the user.
bool safeToChoose(const std::string& text) {
    const bool ellipsis = text.size() >= 3 && text.compare(text.size() - 3, 3, "...") == 0;
    return !text.empty() && !ellipsis && !startsWith(text, "new") && !startsWith(text, "open") &&
           !startsWith(text, "exit") && !startsWith(text, "close") && !startsWith(text, "quit") &&
           !startsWith(text, "save") && !startsWith(text, "export") && !startsWith(text, "about");
}

void collectCommands(HMENU menu, std::vector<Command>& commands) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char caption[256] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = caption;
        item.cch = sizeof(caption) - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item) || (item.fType & MFT_SEPARATOR)) {
            continue;
        }
        if (item.hSubMenu) {
            collectCommands(item.hSubMenu, commands);
        } else if (!(item.fState & MFS_DISABLED) && safeToChoose(plainText(caption))) {
            commands.push_back({item.wID, plainText(caption)});
        }
    }
}

BOOL CALLBACK findMenuWindow(HWND window, LPARAM data) {
    if (IsWindowVisible(window) && GetMenu(window)) {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

// The thread's visible top-level window with a menu bar.
HWND mainWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<Command> commands(bool themesOnly) {
    std::vector<Command> all;
    if (HWND window = mainWindow()) {
        collectCommands(GetMenu(window), all);
    }
    std::vector<Command> chosen;
    for (const Command& command : all) {
        const bool theme = command.text.find("theme") != std::string::npos || command.text == "dark" ||
                           command.text == "light" || command.text == "system";
        if (!themesOnly || theme) {
            chosen.push_back(command);
        }
    }
    return chosen;
}

LRESULT postCommand(const std::vector<Command>& list, WPARAM index) {
    if (list.empty()) {
        return 0;
    }
    const Command& command = list[index % list.size()];
    PostMessageA(mainWindow(), WM_COMMAND, MAKEWPARAM(command.id, 0), 0);
    return command.id;
}

// The main menu's caption of a command, empty when the menu has none.
std::string menuText(int command) {
    char caption[256] = {};
    HWND window = mainWindow();
    if (!window || command == 0 ||
        GetMenuStringA(GetMenu(window), static_cast<UINT>(command), caption, sizeof(caption), MF_BYCOMMAND) <=
            0) {
        return "";
    }
    return caption;
}

// Whether the toolbar button's command may open a file dialog: its menu item's or its own caption says so.
bool buttonOpensDialog(HWND toolbar, int index) {
    TBBUTTON button = {};
    if (index < 0 ||
        !SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button))) {
        return false;
    }
    std::string caption = menuText(button.idCommand);
    if (caption.empty() && button.idCommand != 0) {
        char text[256] = {};
        if (SendMessageA(toolbar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand),
                         reinterpret_cast<LPARAM>(text)) > 0) {
            caption = text;
        }
    }
    return !caption.empty() && !safeToChoose(plainText(caption));
}

// Whether pressing `window` may open a file dialog: a click at the screen point, or with `atFocus` a key
// (Space or Return), which presses a toolbar's hot button.
bool opensDialog(HWND window, POINT screen, bool atFocus) {
    char className[64] = {};
    if (!window || !GetClassNameA(window, className, sizeof(className))) {
        return false;
    }
    if (lstrcmpiA(className, "Button") == 0) {
        char text[64] = {};
        GetWindowTextA(window, text, sizeof(text));
        const std::string caption = text;
        return caption.size() >= 3 && caption.compare(caption.size() - 3, 3, "...") == 0;
    }
    if (lstrcmpiA(className, TOOLBARCLASSNAMEA) != 0) {
        return false;
    }
    if (atFocus) {
        return buttonOpensDialog(window, static_cast<int>(SendMessageA(window, TB_GETHOTITEM, 0, 0)));
    }
    POINT client = screen;
    ScreenToClient(window, &client);
    return buttonOpensDialog(
        window, static_cast<int>(SendMessageA(window, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client))));
}

LRESULT safeToPress(WPARAM where, LPARAM point) {
    if (where == probeAtFocus) {
        return opensDialog(GetFocus(), {0, 0}, true) ? 0 : 1;
    }
    const POINT screen = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    return opensDialog(WindowFromPoint(screen), screen, false) ? 0 : 1;
}

// The gadget of a library window: they all keep it in their user data.
KWObject* gadgetOf(HWND window) {
    char className[64] = {};
    if (!window || !GetClassNameA(window, className, sizeof(className)) ||
        lstrcmpiA(className, "KWWINDOW") != 0) {
        return nullptr;
    }
    return reinterpret_cast<KWObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

BOOL CALLBACK collectDockPane(HWND window, LPARAM data) {
    const KWObject* gadget = gadgetOf(window);
    const KWObject* parent = gadgetOf(GetParent(window));
    if (gadget && parent && gadget->getType() == GADGET_HEADER && parent->getType() == GADGET_DOCK &&
        IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    }
    return TRUE;
}

// A point on the left of a docked pane's title band, clear of the band's buttons on its right, or a
// corner of its dock.
LRESULT dockPoint(WPARAM index, LPARAM which) {
    std::vector<HWND> panes;
    if (HWND window = mainWindow()) {
        EnumChildWindows(window, collectDockPane, reinterpret_cast<LPARAM>(&panes));
    }
    if (panes.empty()) {
        return 0;
    }
    const HWND pane = panes[index % panes.size()];
    RECT r = {};
    GetWindowRect(which == probeBand ? pane : GetParent(pane), &r);
    if (which == probeDockTopLeft) {
        return MAKELONG(r.left, r.top);
    }
    if (which == probeDockBottomRight) {
        return MAKELONG(r.right, r.bottom);
    }
    return MAKELONG(r.left + std::min(40, static_cast<int>(r.right - r.left) / 4), r.top + 8);
}

LRESULT CALLBACK probeProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case probeHeadroom:
        return brushHeadroom();
    case probeCommandCount:
        return static_cast<LRESULT>(commands(false).size());
    case probePostCommand:
        return postCommand(commands(false), wParam);
    case probeThemeCount:
        return static_cast<LRESULT>(commands(true).size());
    case probePostTheme:
        return postCommand(commands(true), wParam);
    case probeSafeToPress:
        return safeToPress(wParam, lParam);
    case probeDockPoint:
        return dockPoint(wParam, lParam);
    default:
        return DefWindowProcA(window, msg, wParam, lParam);
    }
}

// Test builds start the probe before the program's main runs, on the thread that runs its window loop.
[[maybe_unused]] const HWND startedProbe = [] {
    const char* asked = std::getenv(probeVariable);
    return asked && std::string(asked) == "1" ? startProbe() : nullptr;
}();

} // namespace

int brushHeadroom(int limit) {
    std::vector<HBRUSH> brushes;
    brushes.reserve(70000);
    while (static_cast<int>(brushes.size()) < limit) {
        // Distinct colours: a system may hand out one shared object for a repeated request.
        const int n = static_cast<int>(brushes.size());
        HBRUSH brush = CreateSolidBrush(RGB(n & 0xFF, (n >> 8) & 0xFF, (n >> 16) & 0xFF));
        if (!brush) {
            break;
        }
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes) {
        DeleteObject(brush);
    }
    return static_cast<int>(brushes.size());
}

HWND startProbe() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = probeProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = probeClass;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, probeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                           nullptr);
}

} // namespace kwsoak
