#include "SettingsStore.h"

#include "AtomicSave.h"
#include "CodePage.h"
#include "UserFiles.h"

namespace pelmora {

namespace {

std::string settingsPath() {
    const std::string folder = userFolder();
    return folder.empty() ? folder : folder + "\\settings.json";
}

// The file holds UTF-8 whatever the code page.
Settings converted(const Settings& settings, std::string (*convert)(const std::string&)) {
    Settings result = settings;
    result.lastFolder = convert(settings.lastFolder);
    for (std::string& file : result.recentFiles) {
        file = convert(file);
    }
    for (NamedLayout& named : result.layouts) {
        named.name = convert(named.name);
    }
    return result;
}

} // namespace

Settings loadSettings() {
    const std::string path = settingsPath();
    std::string text, error;
    Settings settings;
    if (path.empty() || !readWholeFile(path, kMaxSettingsBytes, text) ||
        !readSettings(text, settings, error)) {
        return Settings();
    }
    return converted(settings, programFromUtf8);
}

bool saveSettings(const Settings& settings, std::string& error) {
    const std::string path = settingsPath();
    if (path.empty()) {
        error = "There is no folder for the user's settings";
        return false;
    }
    return saveAtomically(path, settingsText(converted(settings, utf8FromProgram)), error);
}

} // namespace pelmora
