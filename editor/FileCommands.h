#ifndef PELMORA_FILE_COMMANDS_H
#define PELMORA_FILE_COMMANDS_H

#include "EditorSession.h"
#include "logic/EditorDocument.h"

#include <KW.h>

#include <functional>
#include <memory>
#include <string>

namespace pelmora {

// The File menu's work on the document: new, open, save, the recent files, and what is kept between
// sessions (settings, the dialogs' folder, recovery of unsaved work). Dialogs and messages are owned
// by the window.
class FileCommands {
public:
    FileCommands(KW::KWWindow* window, KW::KWContext* fileMenu, editor::EditorDocument& document);
    ~FileCommands();

    // Asks whether to save unsaved work; false when the user cancels.
    bool confirmDiscard();
    bool save(bool choosePath);
    void chooseAndOpen();
    // Opens a file; a failure leaves the document as it was and says why.
    void openFile(const std::string& file);
    void openRecent(int index);

    // Remembering between sessions, off until called; true when the window took the stored layout.
    bool beginSession(const Settings& settings);
    bool offerRecovery();
    // The window is closing: settings stored, recovery file gone.
    void endSession();
    // Changes the settings kept for the next session and writes them now; nothing before beginSession.
    void changeSettings(const std::function<void(Settings&)>& change);

private:
    void showRecentFiles();
    void addRecent(const std::string& file);
    void storeSettings();
    void unsavedStateChanged();
    void writeRecovery();
    std::string dialogFolder() const;
    void rememberFolder(const std::string& file);

    KW::KWWindow* window;
    KW::KWContext* fileMenu;
    editor::EditorDocument& document;
    std::unique_ptr<EditorSession> session;
    int listener;
};

} // namespace pelmora

#endif
