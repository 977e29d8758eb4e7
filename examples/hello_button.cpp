// A window with a button, a menu and a shortcut: each handler changes what the label says.
#include <KW.h>

#include <cstring>
#include <string>

using namespace KW;

namespace {
enum Command { COMMAND_RESET = 10, COMMAND_QUIT = 11 };

// --autoclose: the window closes itself after a moment (the build's smoke test runs it so).
void CALLBACK closeWindow(HWND window, UINT, UINT_PTR, DWORD) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    Kwadro::init();
    KWWindow* window = KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 100, 100, 320, 200, "Hello", nullptr, 0);
    KWText* label = KWText::create(STYLE_DEFAULT, "Not clicked yet", 20, 20, 260, 20, ALIGN_LEFT, window, 1);
    KWButton* button = KWButton::create(STYLE_DEFAULT, "Click me", 20, 60, 100, 28, window, 2);

    int clicks = 0;
    auto showClicks = [&] { label->setText("Clicked " + std::to_string(clicks) + " time(s)"); };
    // A gadget's handler runs after the gadget has updated itself.
    button->setHandler([&](const KWEvent&) {
        ++clicks;
        showClicks();
    });

    // Menu commands, toolbar buttons and shortcuts all reach the window's handler with their id.
    KWContext* menu = KWContext::create();
    menu->addItem(COMMAND_RESET, -1, "Reset\tCtrl+R", false);
    menu->addItem(COMMAND_QUIT, -1, "Quit", false);
    window->addMenu("File", menu);
    window->addShortcut('R', MOD_CONTROL, COMMAND_RESET);
    window->setHandler([&](const KWEvent& event) {
        if (event.param1 == COMMAND_RESET) {
            clicks = 0;
            showClicks();
        } else if (event.param1 == COMMAND_QUIT) {
            PostMessageA(window->getHandle(), WM_CLOSE, 0, 0);
        }
    });

    if (std::strstr(commandLine, "--autoclose")) {
        SetTimer(window->getHandle(), 1, 500, closeWindow);
    }

    // Closing the window ends the loop. Shortcuts are looked up before a key is translated.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (Kwadro::handleShortcut(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    delete window; // deletes its gadgets too
    delete menu;   // menus are not gadgets: the program owns them
    return 0;
}
