#include "core/TabOrder.h"

#include <algorithm>
#include <vector>

namespace KW {
namespace taborder {

namespace {

bool usable(HWND window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// Every shown, enabled window below parent, each before its children. Parts of standard controls
// are no stops, so they are walked but never stopped at.
void collect(HWND parent, std::vector<HWND>& windows) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (usable(child)) {
            windows.push_back(child);
            collect(child, windows);
        }
    }
}

// One atom for the process: the mark's name is not added again per window. The platform drops the
// mark with its window.
LPCWSTR stopMark() {
    static const ATOM atom = GlobalAddAtomW(L"KWTabStop");
    return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom));
}

bool isStop(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0 || GetPropW(window, stopMark());
}

bool ourTopLevel(HWND root) {
    wchar_t name[16] = {};
    GetClassNameW(root, name, 16);
    return lstrcmpW(name, L"KWWINDOW") == 0;
}

bool keepsTab(HWND focus, LPARAM keyData) {
    if (GetKeyState(VK_CONTROL) < 0) {
        return false;
    }
    MSG message = {focus, WM_KEYDOWN, VK_TAB, keyData, 0, {0, 0}};
    const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&message));
    return (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}

void focusStop(HWND stop) {
    SetFocus(stop);
    // As in dialogs: a field reached by Tab has its whole text selected.
    if (SendMessageW(stop, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageW(stop, EM_SETSEL, 0, -1);
    }
}

LRESULT CALLBACK keyHook(int code, WPARAM key, LPARAM keyData) {
    const bool pressed = (keyData & 0x80000000) == 0;
    if (code == HC_ACTION && key == VK_TAB && pressed && GetKeyState(VK_MENU) >= 0) {
        HWND focus = GetFocus();
        HWND root = focus ? GetAncestor(focus, GA_ROOT) : nullptr;
        if (root && ourTopLevel(root) && !keepsTab(focus, keyData)) {
            HWND next = nextStop(root, focus, GetKeyState(VK_SHIFT) < 0);
            if (next) {
                focusStop(next);
                return 1;
            }
        }
    }
    return CallNextHookEx(nullptr, code, key, keyData);
}

} // namespace

HWND nextStop(HWND root, HWND from, bool backwards) {
    std::vector<HWND> windows;
    collect(root, windows);
    const int count = static_cast<int>(windows.size());
    // Where the focus is: the window holding it, or the nearest of its ancestors in the walk; before the
    // first (or after the last) window when it is in none of them.
    int at = backwards ? count : -1;
    for (HWND window = from; window && window != root; window = GetParent(window)) {
        const auto found = std::find(windows.begin(), windows.end(), window);
        if (found != windows.end()) {
            at = static_cast<int>(found - windows.begin());
            break;
        }
    }
    const int step = backwards ? -1 : 1;
    for (int walked = 1; walked <= count; ++walked) {
        const int i = ((at + step * walked) % count + count) % count;
        if (isStop(windows[i])) {
            return windows[i];
        }
    }
    return nullptr;
}

void markStop(HWND window) {
    if (window) {
        SetPropW(window, stopMark(), reinterpret_cast<HANDLE>(1));
    }
}

void install() {
    static HHOOK hook = nullptr;
    if (!hook) {
        hook = SetWindowsHookExW(WH_KEYBOARD, keyHook, nullptr, GetCurrentThreadId());
    }
}

} // namespace taborder
} // namespace KW
