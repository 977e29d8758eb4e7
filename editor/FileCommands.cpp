// The editor's files and its memory between sessions. The rules live in logic/; this binds them to the
// window, its dialogs and the user's files.
#include "FileCommands.h"

#include "AtomicSave.h"
#include "CodePage.h"
#include "CommandsPane.h"
#include "SettingsStore.h"
#include "UserFiles.h"
#include "logic/FilePaths.h"

#include <commdlg.h>

using namespace KW;
using namespace pelmora::editor;

namespace pelmora {

namespace {

const char* const appName = "Pelmora";
const char* const fileFilter = "Pelmora effects (*.kwfx)\0*.kwfx\0All files (*.*)\0*.*\0";
// A path of MAX_PATH UTF-16 units takes up to three bytes a unit in UTF-8.
const DWORD kPathBytes = 3 * MAX_PATH;

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

FileCommands::FileCommands(KWWindow* window, KWContext* fileMenu, EditorDocument& document)
    : window(window), fileMenu(fileMenu), document(document) {
    listener = document.addListener([this](const Change& change) {
        if (change.parts & ChangedFile) {
            unsavedStateChanged();
        }
    });
    showRecentFiles();
}

FileCommands::~FileCommands() {
    document.removeListener(listener);
}

bool FileCommands::confirmDiscard() {
    if (!document.hasUnsavedChanges()) {
        return true;
    }
    switch (MessageBoxA(window->getHandle(), "Save changes?", appName, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return save(false);
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool FileCommands::save(bool choosePath) {
    const std::string path = document.getPath();
    std::string target = path;
    if (choosePath || target.empty()) {
        char file[kPathBytes] = {};
        lstrcpynA(file, fileNameOf(path).c_str(), sizeof(file));
        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = window->getHandle();
        dialog.lpstrFilter = fileFilter;
        dialog.lpstrFile = file;
        dialog.nMaxFile = sizeof(file);
        dialog.lpstrDefExt = "kwfx";
        // The effect's own folder, else the last one used: never the program's working folder.
        const std::string folder = path.empty() ? dialogFolder() : folderOf(path);
        dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetSaveFileNameA(&dialog)) {
            return false;
        }
        target = file;
        rememberFolder(target);
    }
    // Relative texture paths are rewritten for the new folder, so every texture stays reachable.
    const std::string text = effectFileText(document.savedScene(target));
    std::string error = "A name or texture path is too long for an effect file in UTF-8.";
    if (text.empty() || !saveAtomically(target, text, error)) {
        MessageBoxA(window->getHandle(), error.c_str(), appName, MB_OK | MB_ICONERROR);
        return false;
    }
    document.markSaved(target);
    if (target != path || choosePath) {
        addRecent(target);
    }
    return true;
}

void FileCommands::chooseAndOpen() {
    if (!confirmDiscard()) {
        return;
    }
    char file[kPathBytes] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window->getHandle();
    dialog.lpstrFilter = fileFilter;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof(file);
    const std::string folder = dialogFolder();
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&dialog)) {
        rememberFolder(file);
        openFile(file);
    }
}

void FileCommands::openFile(const std::string& file) {
    Scene loaded = document.getScene();
    std::string error;
    if (!readEffectFileText(file, loaded, error)) {
        const std::string text = "Cannot open " + file + "\n\n" + error;
        MessageBoxA(window->getHandle(), text.c_str(), appName, MB_OK | MB_ICONERROR);
        return;
    }
    document.openScene(loaded, file);
    addRecent(file);
}

void FileCommands::openRecent(int index) {
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
        MessageBoxA(window->getHandle(), text.c_str(), appName, MB_OK | MB_ICONWARNING);
        return;
    }
    if (confirmDiscard()) {
        openFile(file);
    }
}

bool FileCommands::beginSession(const Settings& settings) {
    session.reset(new EditorSession(settings, [this] { writeRecovery(); }));
    showRecentFiles();
    unsavedStateChanged();
    return window->restoreLayout(settings.layout);
}

void FileCommands::showRecentFiles() {
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

void FileCommands::addRecent(const std::string& file) {
    if (session) {
        session->recent.add(file);
        showRecentFiles();
        storeSettings();
    }
}

void FileCommands::storeSettings() {
    if (!session) {
        return;
    }
    Settings& settings = session->settings;
    // Until the window can give its layout, the stored one is kept.
    const std::string layout = window->saveLayout();
    if (!layout.empty()) {
        settings.layout = layout;
    }
    settings.theme = themeName(Kwadro::getTheme());
    settings.recentFiles = session->recent.items();
    // Settings that cannot be written cost the user nothing made; the next start uses the defaults.
    std::string error;
    saveSettings(settings, error);
}

void FileCommands::changeSettings(const std::function<void(Settings&)>& change) {
    if (session) {
        change(session->settings);
        storeSettings();
    }
}

void FileCommands::endSession() {
    if (session) {
        storeSettings();
        session->autosave.cancel();
        session->recovery.remove();
    }
}

// Unsaved work is written soon; saved or discarded work is forgotten.
void FileCommands::unsavedStateChanged() {
    if (!session) {
        return;
    }
    if (document.hasUnsavedChanges()) {
        session->autosave.schedule();
    } else {
        session->autosave.cancel();
        session->recovery.remove();
    }
}

void FileCommands::writeRecovery() {
    // A failed write is tried again at the next change; a message every few seconds would not help.
    if (session && document.hasUnsavedChanges()) {
        session->recovery.write(effectFileText(document.getScene()), document.getPath());
    }
}

bool FileCommands::offerRecovery() {
    if (!session) {
        return false;
    }
    HWND owner = window->getHandle();
    for (const RecoveryStore::LeftWork& left : session->recovery.abandoned()) {
        std::string taken, original, error;
        const std::string question =
            "Recover unsaved work?\n\nPelmora ended without saving the changes to " +
            (left.original.empty() ? std::string("an untitled effect") : left.original) + ".";
        if (MessageBoxA(owner, question.c_str(), appName, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            session->recovery.discard(left.file);
            continue;
        }
        Scene recovered = document.getScene();
        if (!session->recovery.take(left.file, taken, original, recovered, error)) {
            MessageBoxA(owner, error.c_str(), appName, MB_OK | MB_ICONERROR);
            continue;
        }
        // Work from a recovery file: unsaved changes to the file it belongs to, which Save writes.
        document.openScene(recovered, original, true);
        // The work is in this process's own file before the left one goes.
        writeRecovery();
        session->recovery.discard(taken);
        return true;
    }
    return false;
}

std::string FileCommands::dialogFolder() const {
    // The last folder used, else the open effect's own.
    const std::string last = session ? session->settings.lastFolder : std::string();
    return last.empty() ? folderOf(document.getPath()) : last;
}

void FileCommands::rememberFolder(const std::string& file) {
    if (session) {
        session->settings.lastFolder = folderOf(file);
    }
}

} // namespace pelmora
