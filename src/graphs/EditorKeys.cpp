#include "graphs/EditorKeys.h"

#include "core/DpiFonts.h"
#include "graphs/logic/EditorMetrics.h"
#include "core/Theme.h"
#include "core/logic/AccessibleKey.h"

#include <oleacc.h>

#include <cstring>

namespace KW {
namespace editorkeys {

namespace {

bool held(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

} // namespace

Command commandOf(WPARAM virtualKey) {
    const bool control = held(VK_CONTROL);
    const bool alt = held(VK_MENU);
    if (alt) {
        return KEY_NONE;
    }
    switch (virtualKey) {
    case VK_TAB:
        return control ? KEY_NONE : (held(VK_SHIFT) ? KEY_PREVIOUS : KEY_NEXT);
    case VK_LEFT:
        return KEY_LEFT;
    case VK_RIGHT:
        return KEY_RIGHT;
    case VK_UP:
        return KEY_UP;
    case VK_DOWN:
        return KEY_DOWN;
    case 'F':
        return control ? KEY_NONE : KEY_FRAME;
    case 'C':
        return control ? KEY_COPY : KEY_NONE;
    case 'V':
        return control ? KEY_PASTE : KEY_NONE;
    case VK_RETURN:
        return control ? KEY_NONE : KEY_OPEN;
    default:
        return KEY_NONE;
    }
}

int arrowPixels() {
    return held(VK_SHIFT) ? 10 : 1;
}

bool putText(HWND owner, const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) {
        return false;
    }
    char* data = static_cast<char*>(GlobalLock(memory));
    if (!data) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(data, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // Once set, the memory belongs to the clipboard.
    const bool stored = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!stored) {
        GlobalFree(memory);
    }
    return stored;
}

bool getText(HWND owner, std::string& text) {
    if (!OpenClipboard(owner)) {
        return false;
    }
    bool found = false;
    HANDLE memory = GetClipboardData(CF_TEXT);
    if (memory) {
        const char* data = static_cast<const char*>(GlobalLock(memory));
        if (data) {
            // The block may be larger than the text; the text ends at its terminator or at the block's end.
            const SIZE_T size = GlobalSize(memory);
            text.assign(data, strnlen(data, size));
            GlobalUnlock(memory);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

LRESULT dialogCode() {
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

namespace {

// The narrowest side of the non-client frame.
int edgeWidth(HWND window) {
    RECT outer = {};
    RECT client = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT topLeft = {0, 0};
    POINT bottomRight = {client.right, client.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    const LONG sides[] = {topLeft.x - outer.left, topLeft.y - outer.top, outer.right - bottomRight.x,
                          outer.bottom - bottomRight.y};
    LONG narrowest = sides[0];
    for (LONG side : sides) {
        narrowest = side < narrowest ? side : narrowest;
    }
    return static_cast<int>(narrowest);
}

int markWidth(HWND window) {
    return editormetrics::focusMarkWidth(dpi::ofWindow(window));
}

void frameInward(HDC dc, RECT frame, int thickness) {
    HBRUSH highlight = theme::brush(theme::current().focus);
    for (int i = 0; i < thickness; ++i) {
        FrameRect(dc, &frame, highlight);
        InflateRect(&frame, -1, -1);
    }
}

void drawMark(HWND window) {
    RECT outer = {};
    GetWindowRect(window, &outer);
    HDC dc = GetWindowDC(window);
    if (!dc) {
        return;
    }
    frameInward(dc, {0, 0, outer.right - outer.left, outer.bottom - outer.top}, markWidth(window));
    ReleaseDC(window, dc);
}

} // namespace

LRESULT paintFrame(HWND window, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcW(window, WM_NCPAINT, wParam, lParam);
    if (GetFocus() == window) {
        drawMark(window);
    }
    return result;
}

void refreshFrame(HWND window, bool focused) {
    DefWindowProcW(window, WM_NCPAINT, 1, 0);
    if (focused) {
        drawMark(window);
    } else if (markWidth(window) > edgeWidth(window)) {
        // The mark reached into the client area.
        InvalidateRect(window, nullptr, TRUE);
    }
}

void paintClientMark(HWND window, HDC dc) {
    const int inside = markWidth(window) - edgeWidth(window);
    if (inside <= 0 || GetFocus() != window) {
        return;
    }
    RECT client = {};
    GetClientRect(window, &client);
    frameInward(dc, client, inside);
}

void describeKey(HWND window, int child, const std::string& clipboardText, bool selected, bool keyboardKey,
                 RECT marker, KWAccessibleElement& element) {
    element.role = ROLE_SYSTEM_LISTITEM;
    element.name = "Key " + std::to_string(child);
    element.value = accessibleKeyLine(clipboardText);
    element.state = STATE_SYSTEM_SELECTABLE | (selected ? STATE_SYSTEM_SELECTED : 0) |
                    (keyboardKey && GetFocus() == window ? STATE_SYSTEM_FOCUSED : 0);
    element.screen = marker;
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&element.screen), 2);
}

LRESULT endMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, bool& dirty, bool reporting,
                   const std::function<void()>& notify) {
    if (dirty) {
        InvalidateRect(window, nullptr, TRUE);
        dirty = false;
    }
    if (!reporting) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    UpdateWindow(window);
    const LRESULT result = DefWindowProcW(window, msg, wParam, lParam);
    notify();
    return result;
}

} // namespace editorkeys
} // namespace KW
