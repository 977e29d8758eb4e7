#include "TestSupport.h"

#include <chrono>

namespace kwtest {

namespace {

std::vector<MessageBoxRecord>& records() {
    static std::vector<MessageBoxRecord> list;
    return list;
}

thread_local HHOOK messageBoxHook = nullptr;

LRESULT CALLBACK catchMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (windowClassName(window) == "#32770") {
            char text[4096] = {};
            GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
            records().push_back({windowText(window), text});
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(messageBoxHook, code, wParam, lParam);
}

} // namespace

void installMessageBoxCatcher() {
    if (!messageBoxHook) {
        messageBoxHook = SetWindowsHookExA(WH_CBT, catchMessageBoxes, nullptr, GetCurrentThreadId());
    }
}

const std::vector<MessageBoxRecord>& messageBoxes() { return records(); }

void clearMessageBoxes() { records().clear(); }

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        pumpMessages();
        Sleep(5);
    }
    return true;
}

std::string windowClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

KW::KWBound rectInParent(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return KW::KWBound(rect);
}

SIZE clientSize(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

COLORREF pixelAt(HWND window, int x, int y) {
    UpdateWindow(window);
    pumpMessages();
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

} // namespace kwtest
