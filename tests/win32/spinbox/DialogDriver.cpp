#include "DialogDriver.h"

#include "TestSupport.h"

#include <utility>

namespace kwtest {

namespace {

DialogDriver* activeDriver = nullptr;
constexpr UINT_PTR actTimer = 0x4B01;
constexpr UINT_PTR stuckTimer = 0x4B02;

struct TextSearch {
    std::string text;
    HWND found;
};

BOOL CALLBACK matchChildText(HWND child, LPARAM lParam) {
    TextSearch* search = reinterpret_cast<TextSearch*>(lParam);
    if (windowText(child) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

DialogDriver::DialogDriver(Predicate claims, Action act)
    : claims(std::move(claims)), act(std::move(act)), hook(nullptr), claimed(0), stuck(0) {
    activeDriver = this;
    // Installed after the message-box catcher, so this hook sees activations first.
    hook = SetWindowsHookExA(WH_CBT, hookProcedure, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver() {
    UnhookWindowsHookEx(hook);
    activeDriver = nullptr;
}

LRESULT CALLBACK DialogDriver::hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    DialogDriver* driver = activeDriver;
    if (driver && code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (windowClassName(window) == "#32770" && !GetPropA(window, "KWTestClaimed") &&
            driver->claims(window)) {
            SetPropA(window, "KWTestClaimed", reinterpret_cast<HANDLE>(1));
            ++driver->claimed;
            driver->caption = windowText(window);
            SetTimer(window, actTimer, 100, onTimer);
            // Not passed on: the message-box catcher would close it.
            return 0;
        }
    }
    return CallNextHookEx(driver ? driver->hook : nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::onTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    DialogDriver* driver = activeDriver;
    if (!driver) {
        return;
    }
    if (id == actTimer) {
        SetTimer(window, stuckTimer, 5000, onTimer);
        driver->act(window);
    } else if (id == stuckTimer) {
        ++driver->stuck;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

HWND findChildWithText(HWND dialog, const std::string& text) {
    TextSearch search = {text, nullptr};
    EnumChildWindows(dialog, matchChildText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void pressDialogButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

} // namespace kwtest
