// The editor's memory between sessions: settings, recent files, the dialogs' folder and recovery of
// unsaved work. The rules live in logic/; this binds them to the window and its files.
#include "EditorApp.h"

#include "CodePage.h"
#include "EditorSession.h"
#include "SettingsStore.h"
#include "UserFiles.h"

using namespace KW;
using namespace KW::effect;

namespace pelmora {

namespace {

const char* const appName = "Pelmora";

std::string themeName(const KWTheme& theme) {
    return theme == KWTheme::light() ? "light" : theme == KWTheme::system() ? "system" : "dark";
}

// The File menu's "Recent Files" submenu.
HMENU recentSubmenu(HMENU fileMenu) {
    for (int i = 0; i < GetMenuItemCount(fileMenu); ++i) {
        HMENU submenu = GetSubMenu(fileMenu, i);
        if (submenu) {
            return submenu;
        }
    }
    return nullptr;
}

} // namespace

bool EditorApp::beginSession(const Settings& settings) {
    session.reset(new EditorSession(settings, [this] { writeRecovery(); }));
    showRecentFiles();
    unsavedStateChanged();
    return applyLayout(settings.layout);
}

bool EditorApp::applyLayout(const std::string& layout) {
    return frame.window->restoreLayout(layout);
}

std::string EditorApp::collectLayout() const {
    return frame.window->saveLayout();
}

void EditorApp::showRecentFiles() {
    HMENU menu = recentSubmenu(fileMenu->getHandle());
    if (!menu) {
        return;
    }
    while (GetMenuItemCount(menu) > 0) {
        DeleteMenu(menu, 0, MF_BYPOSITION);
    }
    const std::vector<std::string> files = session ? session->recent.items() : std::vector<std::string>();
    for (size_t i = 0; i < files.size(); ++i) {
        AppendMenuW(menu, MF_STRING, CommandRecentFile + i,
                    wideFromProgram(recentMenuText(i, files[i])).c_str());
    }
    if (files.empty()) {
        AppendMenuW(menu, MF_STRING | MF_GRAYED, CommandRecentNone, L"(none)");
    }
}

void EditorApp::openRecent(int index) {
    if (!session || index < 0 || static_cast<size_t>(index) >= session->recent.items().size()) {
        return;
    }
    const std::string file = session->recent.items()[static_cast<size_t>(index)];
    if (!fileExists(file)) {
        session->recent.remove(file);
        showRecentFiles();
        storeSettings();
        const std::string text =
            file + "\n\nThis file no longer exists. It has been removed from the recent files.";
        MessageBoxA(frame.window->getHandle(), text.c_str(), appName, MB_OK | MB_ICONWARNING);
        return;
    }
    if (confirmDiscard()) {
        openFile(file);
    }
}

void EditorApp::addRecent(const std::string& file) {
    if (session) {
        session->recent.add(file);
        showRecentFiles();
        storeSettings();
    }
}

void EditorApp::storeSettings() {
    if (!session) {
        return;
    }
    Settings& settings = session->settings;
    // Until the window can give its layout, the stored one is kept.
    const std::string layout = collectLayout();
    if (!layout.empty()) {
        settings.layout = layout;
    }
    settings.theme = themeName(Kwadro::getTheme());
    settings.recentFiles = session->recent.items();
    // Settings that cannot be written cost the user nothing made; the next start uses the defaults.
    std::string error;
    saveSettings(settings, error);
}

void EditorApp::endSession() {
    if (session) {
        storeSettings();
        session->autosave.cancel();
        session->recovery.remove();
    }
}

void EditorApp::unsavedStateChanged() {
    if (!session) {
        return;
    }
    if (history.hasUnsavedChanges()) {
        session->autosave.schedule();
    } else {
        session->autosave.cancel();
        session->recovery.remove();
    }
}

void EditorApp::writeRecovery() {
    // A failed write is tried again at the next change; a message every few seconds would not help.
    if (session && history.hasUnsavedChanges()) {
        session->recovery.write(effectFileText(scene), path);
    }
}

bool EditorApp::offerRecovery() {
    if (!session) {
        return false;
    }
    HWND window = frame.window->getHandle();
    for (const RecoveryStore::LeftWork& left : session->recovery.abandoned()) {
        std::string taken, original, error;
        const std::string question =
            "Recover unsaved work?\n\nPelmora ended without saving the changes to " +
            (left.original.empty() ? std::string("an untitled effect") : left.original) + ".";
        if (MessageBoxA(window, question.c_str(), appName, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            session->recovery.discard(left.file);
            continue;
        }
        Scene recovered = scene;
        if (!session->recovery.take(left.file, taken, original, recovered, error)) {
            MessageBoxA(window, error.c_str(), appName, MB_OK | MB_ICONERROR);
            continue;
        }
        recover(recovered, original);
        // The work is in this process's own file before the left one goes.
        writeRecovery();
        session->recovery.discard(taken);
        return true;
    }
    return false;
}

std::string EditorApp::dialogFolder() const {
    // The last folder used, else the open effect's own.
    const std::string last = session ? session->settings.lastFolder : std::string();
    return last.empty() ? folderOf(path) : last;
}

void EditorApp::rememberFolder(const std::string& file) {
    if (session) {
        session->settings.lastFolder = folderOf(file);
    }
}

} // namespace pelmora
