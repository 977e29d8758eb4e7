// A property grid bound to a plain struct: each row's gadget writes its field back when edited.
#include <KW.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace KW;

namespace {
struct Emitter {
    std::string name = "sparks";
    float rate = 25.0f;
    float lifetime = 1.5f;
    bool looping = true;
};

// --autoclose: the window closes itself after a moment (the build's smoke test runs it so).
void CALLBACK closeWindow(HWND window, UINT, UINT_PTR, DWORD) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    Kwadro::init();
    Emitter emitter;
    KWWindow* window =
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 100, 100, 360, 320, "Emitter", nullptr, 0);
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 10, 10, 320, 180, window, 1);
    KWText* summary = KWText::create(STYLE_DEFAULT, "", 10, 200, 320, 40, ALIGN_LEFT, window, 2);

    // The grid owns the row gadgets; they are created with the grid as their parent.
    KWEdit* name = KWEdit::create(STYLE_DEFAULT, emitter.name, 0, 0, 20, 20, grid, 10);
    KWSpinBox* rate = KWSpinBox::create(STYLE_DEFAULT, emitter.rate, 0, 0, 20, 20, 0.0f, 1000.0f, 1.0f, false,
                                        true, grid, 11);
    KWSpinBox* lifetime = KWSpinBox::create(STYLE_DEFAULT, emitter.lifetime, 0, 0, 20, 20, 0.1f, 60.0f, 0.1f,
                                            false, true, grid, 12);
    KWCheckBox* looping = KWCheckBox::create(STYLE_DEFAULT, "", 0, 0, 20, 20, grid, 13);
    looping->setAutoTextEnabled(true);
    SendMessageA(looping->getHandle(), BM_SETCHECK, emitter.looping ? BST_CHECKED : BST_UNCHECKED, 0);
    looping->changeAutoText();

    KWGroupItem* group = grid->addGroup("Emitter");
    grid->addItem(group, "Name", 0, name);
    grid->addItem(group, "Rate", 0, rate);
    grid->addItem(group, "Lifetime", 0, lifetime);
    grid->addItem(group, "Looping", 0, looping);
    grid->openGroup(group, true);

    auto showEmitter = [&] {
        char text[160];
        std::snprintf(text, sizeof text, "%s: %.1f per second, %.2f s each%s", emitter.name.c_str(),
                      emitter.rate, emitter.lifetime, emitter.looping ? ", looping" : "");
        summary->setText(text);
    };
    showEmitter();
    // Each handler copies one gadget's value into the struct: the struct stays the single truth.
    name->setHandler([&](const KWEvent&) {
        emitter.name = name->getText();
        showEmitter();
    });
    rate->setHandler([&](const KWEvent&) {
        emitter.rate = rate->getValue();
        showEmitter();
    });
    lifetime->setHandler([&](const KWEvent&) {
        emitter.lifetime = lifetime->getValue();
        showEmitter();
    });
    looping->setHandler([&](const KWEvent&) {
        emitter.looping = looping->isChecked();
        showEmitter();
    });

    if (std::strstr(commandLine, "--autoclose")) {
        SetTimer(window->getHandle(), 1, 500, closeWindow);
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    delete window;
    return 0;
}
