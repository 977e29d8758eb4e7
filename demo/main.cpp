#include <KW.h>

// Opens one window of the library's own class and runs until it is closed.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!KW::Kwadro::init()) {
        return 1;
    }
    HWND window = CreateWindowExA(0, "KWWINDOW", "Kwadro", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 480,
                                  320, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        return 1;
    }
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
