#include "EditorApp.h"

// The particle-effect editor: an optional effect file on the command line, then the window until the
// user closes it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    KW::Kwadro::init();
    pelmora::EditorApp app;
    ShowWindow(app.getWindow()->getHandle(), SW_SHOWMAXIMIZED);
    std::string file = commandLine ? commandLine : "";
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file = file.substr(1, file.size() - 2);
    }
    if (!file.empty()) {
        app.openAtStart(file);
    }
    return app.run();
}
