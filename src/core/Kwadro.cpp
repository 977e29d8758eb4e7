#include "Kwadro.h"

#include "KWWindow.h"

#include "core/LiveGadgets.h"
#include "core/TabOrder.h"
#include "core/Theme.h"
#include "core/WideText.h"
#include "core/logic/EventQueueRule.h"

#include <commctrl.h>
#include <gdiplus.h>

namespace KW {

std::queue<KWEvent> Kwadro::events;

#if !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXW) == 48, "the window class record is 48 bytes on 32-bit Windows");
#endif

bool Kwadro::init() {
    InitCommonControls();

    HBRUSH faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    HBRUSH panelBrush = CreateSolidBrush(RGB(210, 208, 212));
    HBRUSH whiteBrush = CreateSolidBrush(RGB(255, 255, 255));

    // Unicode classes: typed characters in any script reach the gadgets whole.
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = KWCallback;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);

    windowClass.hbrBackground = faceBrush;
    windowClass.lpszClassName = L"KWWINDOW";
    if (!RegisterClassExW(&windowClass)) {
        MessageBoxW(nullptr, L"Failed to register the Window Class !", L"KW_Error", MB_OK);
        return false;
    }
    windowClass.hbrBackground = whiteBrush;
    windowClass.lpszClassName = L"KWWHITE";
    if (!RegisterClassExW(&windowClass)) {
        MessageBoxW(nullptr, L"Failed to Register Panel Class !", L"WK_Error", MB_OK);
        return false;
    }
    windowClass.hbrBackground = panelBrush;
    windowClass.lpszClassName = L"KWPANEL";
    if (!RegisterClassExW(&windowClass)) {
        MessageBoxW(nullptr, L"Failed to Register Panel Class !", L"WK_Error", MB_OK);
        return false;
    }

    if (theme::highContrastOn()) {
        theme::store(KWTheme::system());
    }
    taborder::install();

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
    return DefWindowProcW(window, msg, wParam, lParam);
}

void Kwadro::setTheme(const KWTheme& theme) {
    theme::store(theme);
    const std::vector<KWObject*> gadgets = livegadgets::all();
    for (KWObject* gadget : gadgets) {
        gadget->themeChanged();
    }
    for (KWObject* gadget : gadgets) {
        if (gadget->handle && !gadget->parent) {
            RedrawWindow(gadget->handle, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }
}

const KWTheme& Kwadro::getTheme() {
    return theme::current();
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
