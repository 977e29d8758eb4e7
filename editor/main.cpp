#include "EditorApp.h"
#include "SettingsStore.h"

#include <string>

namespace {

KW::KWTheme themeNamed(const std::string& name) {
    return name == "light"    ? KW::KWTheme::light()
           : name == "system" ? KW::KWTheme::system()
                              : KW::KWTheme::dark();
}

// "--theme light|dark|system" before the file chooses the theme to start with; without it the one used
// last.
KW::KWTheme startTheme(std::string& commandLine, const std::string& stored) {
    // Dark by default, unless high contrast gave the system's colours.
    KW::KWTheme theme =
        KW::Kwadro::getTheme() == KW::KWTheme::light() ? KW::KWTheme::dark() : KW::Kwadro::getTheme();
    if (!stored.empty()) {
        theme = themeNamed(stored);
    }
    const std::string option = "--theme ";
    if (commandLine.compare(0, option.size(), option) == 0) {
        const std::size_t end = commandLine.find(' ', option.size());
        theme = themeNamed(commandLine.substr(option.size(), end - option.size()));
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
    const pelmora::Settings settings = pelmora::loadSettings();
    KW::Kwadro::setTheme(startTheme(file, settings.theme));
    pelmora::EditorApp app;
    const bool placed = app.beginSession(settings);
    ShowWindow(app.getWindow()->getHandle(), placed ? SW_SHOW : SW_SHOWMAXIMIZED);
    app.frameContent();
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file = file.substr(1, file.size() - 2);
    }
    // Recovered work comes first: the file named on the command line is saved and can be opened again.
    if (!app.offerRecovery() && !file.empty()) {
        app.openAtStart(file);
    }
    return app.run();
}
