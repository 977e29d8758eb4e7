// Loaded into the program under test by a message hook: reads the main window's menu bar titles (or
// their items' screen rectangles) there,
// because a menu cannot be read from another process under Wine.
#include "MenuProbe.h"

#include <cstring>
#include <string>

extern "C" __declspec(dllexport) LRESULT CALLBACK menuProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call && call->message == RegisterWindowMessageA(kwe2e::menuProbeMessage)) {
        std::string titles;
        HMENU bar = GetMenu(call->hwnd);
        const int count = bar ? GetMenuItemCount(bar) : 0;
        for (int i = 0; i < count; ++i) {
            char line[128] = {};
            RECT item = {};
            if (call->wParam == kwe2e::menuProbeRects) {
                GetMenuItemRect(call->hwnd, bar, static_cast<UINT>(i), &item);
                wsprintfA(line, "%ld %ld %ld %ld", item.left, item.top, item.right, item.bottom);
            } else {
                GetMenuStringA(bar, i, line, sizeof(line), MF_BYPOSITION);
            }
            titles += line;
            titles += '\n';
        }
        HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kwe2e::menuProbeMapping);
        if (mapping) {
            if (char* shared = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
                const size_t length =
                    titles.size() < kwe2e::menuProbeSize - 1 ? titles.size() : kwe2e::menuProbeSize - 1;
                std::memcpy(shared, titles.data(), length);
                shared[length] = '\0';
                UnmapViewOfFile(shared);
            }
            CloseHandle(mapping);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
