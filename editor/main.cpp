#include "EditorApp.h"

#include <string>

namespace {

// "--theme light|dark|system" before the file chooses the theme to start with.
KW::KWTheme startTheme(std::string& commandLine) {
    // Dark by default, unless high contrast gave the system's colours.
    KW::KWTheme theme =
        KW::Kwadro::getTheme() == KW::KWTheme::light() ? KW::KWTheme::dark() : KW::Kwadro::getTheme();
    const std::string option = "--theme ";
    if (commandLine.compare(0, option.size(), option) == 0) {
        const std::size_t end = commandLine.find(' ', option.size());
        const std::string name = commandLine.substr(option.size(), end - option.size());
        theme = name == "light"    ? KW::KWTheme::light()
                : name == "system" ? KW::KWTheme::system()
                                   : KW::KWTheme::dark();
        commandLine = end == std::string::npos ? "" : commandLine.substr(end + 1);
    }
    return theme;
}

} // namespace

// The particle-effect editor: optionally "--theme <name>", then an optional effect file on the command
// line, then the window until the user closes it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    KW::Kwadro::init();
    std::string file = commandLine ? commandLine : "";
    KW::Kwadro::setTheme(startTheme(file));
    pelmora::EditorApp app;
    ShowWindow(app.getWindow()->getHandle(), SW_SHOWMAXIMIZED);
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file = file.substr(1, file.size() - 2);
    }
    if (!file.empty()) {
        app.openAtStart(file);
    }
    return app.run();
}
