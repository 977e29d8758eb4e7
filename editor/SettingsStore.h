#ifndef PELMORA_SETTINGS_STORE_H
#define PELMORA_SETTINGS_STORE_H

#include "logic/Settings.h"

#include <string>

namespace pelmora {

// The settings in the user's folder (settings.json), with paths in the program's code page. A missing
// or broken file gives the defaults; a broken one stays as it is until the next save replaces it.
Settings loadSettings();
// Replaces the file atomically; on failure error says why.
bool saveSettings(const Settings& settings, std::string& error);

} // namespace pelmora

#endif
