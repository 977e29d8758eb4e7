#include "EditorShell.h"
#include "SavedLayout.h"

// The particle-effect editor shell: built, shown as the user left it (maximised the first time), run
// until its main window is closed, its layout kept for the next start.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    KW::Kwadro::init();
    demo::ShellImages images;
    KW::KWWindow* window = demo::buildEditorShell(images);
    const std::wstring layoutFile = demo::layoutFile();
    const bool restored = window->restoreLayout(demo::readLayout(layoutFile));
    window->setCloseHandler([&] {
        demo::writeLayout(layoutFile, window->saveLayout());
        return true;
    });
    ShowWindow(window->getHandle(), restored ? SW_SHOW : SW_SHOWMAXIMIZED);

    // The W functions: an ANSI loop turns typed characters outside the keyboard's code page into '?'.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    delete window;
    return 0;
}
