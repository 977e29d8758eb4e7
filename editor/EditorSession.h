#ifndef PELMORA_EDITOR_SESSION_H
#define PELMORA_EDITOR_SESSION_H

#include "AutosaveTimer.h"
#include "RecoveryStore.h"
#include "logic/RecentFiles.h"
#include "logic/Settings.h"

#include <functional>
#include <utility>

namespace pelmora {

// What the editor keeps between sessions while it runs: the settings, the recent files, and the
// recovery file with the timer that writes it.
struct EditorSession {
    // Unsaved work is written this long after the change that made it unsaved.
    static const UINT kAutosaveMs = 3000;

    EditorSession(const Settings& stored, std::function<void()> autosaveAction)
        : settings(stored), recent(stored.recentFiles), autosave(kAutosaveMs, std::move(autosaveAction)) {}

    Settings settings;
    RecentFiles recent;
    RecoveryStore recovery;
    AutosaveTimer autosave;
};

} // namespace pelmora

#endif
