#include "Kwadro.h"

#include "KWWindow.h"

#include "core/logic/EventQueueRule.h"

#include <commctrl.h>
#include <gdiplus.h>

namespace KW {

std::queue<KWEvent> Kwadro::events;

#if !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 48, "the window class record is 48 bytes on 32-bit Windows");
#endif

bool Kwadro::init() {
    InitCommonControls();

    HBRUSH faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    HBRUSH panelBrush = CreateSolidBrush(RGB(210, 208, 212));
    HBRUSH whiteBrush = CreateSolidBrush(RGB(255, 255, 255));

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = KWCallback;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);

    windowClass.hbrBackground = faceBrush;
    windowClass.lpszClassName = "KWWINDOW";
    if (!RegisterClassExA(&windowClass)) {
        MessageBoxA(nullptr, "Failed to register the Window Class !", "KW_Error", MB_OK);
        return false;
    }
    windowClass.hbrBackground = whiteBrush;
    windowClass.lpszClassName = "KWWHITE";
    if (!RegisterClassExA(&windowClass)) {
        MessageBoxA(nullptr, "Failed to Register Panel Class !", "WK_Error", MB_OK);
        return false;
    }
    windowClass.hbrBackground = panelBrush;
    windowClass.lpszClassName = "KWPANEL";
    if (!RegisterClassExA(&windowClass)) {
        MessageBoxA(nullptr, "Failed to Register Panel Class !", "WK_Error", MB_OK);
        return false;
    }

    // GDI+ stays started for the life of the process.
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    return true;
}

void Kwadro::registerEvent(eEventType type, KWObject* object) {
    eventqueue::pushBounded(events, type, object);
}

LRESULT CALLBACK Kwadro::KWCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, msg, wParam, lParam);
}

bool Kwadro::handleShortcut(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
        return false;
    }
    HWND focus = GetFocus();
    if (!focus) {
        focus = message.hwnd;
    }
    KWWindow* window = focus ? KWWindow::withShortcuts(GetAncestor(focus, GA_ROOT)) : nullptr;
    if (!window) {
        return false;
    }
    int modifiers = 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        modifiers |= MOD_CONTROL;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        modifiers |= MOD_SHIFT;
    }
    if (GetKeyState(VK_MENU) < 0) {
        modifiers |= MOD_ALT;
    }
    return window->runShortcut(static_cast<int>(message.wParam), modifiers);
}

} // namespace KW
