#include "EditorShell.h"

// The particle-effect editor shell: built, shown maximised, run until its main window is closed.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    KW::Kwadro::init();
    demo::ShellImages images;
    KW::KWWindow* window = demo::buildEditorShell(images);
    ShowWindow(window->getHandle(), SW_SHOWMAXIMIZED);

    // The W functions: an ANSI loop turns typed characters outside the keyboard's code page into '?'.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    delete window;
    return 0;
}
