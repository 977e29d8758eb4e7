#ifndef PELMORA_SETTINGS_H
#define PELMORA_SETTINGS_H

#include <cstddef>
#include <string>
#include <vector>

namespace pelmora {

const std::size_t kMaxLayoutChars = 4096;
const std::size_t kMaxSettingsBytes = 1024 * 1024;
const std::size_t kMaxNamedLayouts = 20;
const std::size_t kMaxLayoutNameBytes = 80;

// An arrangement of the panes the user saved under a name: a layout text with only its dock entry.
struct NamedLayout {
    std::string name;
    std::string layout;
};

// What the editor remembers between sessions. Empty values mean "the program's default".
struct Settings {
    // The window's layout as the window wrote it: one line of printable ASCII.
    std::string layout;
    // "light", "dark" or "system".
    std::string theme;
    // The folder the open and save dialogs showed last.
    std::string lastFolder;
    // Most recent first, each file once, at most kMaxRecentFiles.
    std::vector<std::string> recentFiles;
    // In the order saved, each name once, at most kMaxNamedLayouts.
    std::vector<NamedLayout> layouts;
    // The user can no longer move, float or close panes.
    bool layoutLocked = false;
};

bool isThemeName(const std::string& name);

// The settings as UTF-8 JSON text ending with a newline. Text that is not UTF-8 is written with U+FFFD.
std::string settingsText(const Settings& settings);

// Reads settings text. A value of the wrong kind, out of range or holding a control character is left at
// its default and the others are kept. False, with the settings at their defaults and error saying why,
// when the text is not a JSON object of settings.
bool readSettings(const std::string& text, Settings& settings, std::string& error);

} // namespace pelmora

#endif
