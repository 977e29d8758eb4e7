#ifndef PELMORA_COMMANDS_PANE_H
#define PELMORA_COMMANDS_PANE_H

#include "FileCommands.h"
#include "ShellFrame.h"
#include "logic/EditorDocument.h"

#include <KW.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pelmora {

class Preview;

// Menu, toolbar and shortcut commands.
enum Command {
    CommandNew = 100,
    CommandOpen,
    CommandSave,
    CommandSaveAs,
    CommandExit,
    CommandRecentMenu = 150,
    CommandRecentNone,
    // One command a recent file: CommandRecentFile + 0 is the most recent, up to kMaxRecentFiles.
    CommandRecentFile,
    CommandUndo = 200,
    CommandRedo,
    CommandDelete,
    CommandAddSystem = 300,
    CommandAddGroup,
    CommandAddEmitter,
    CommandAddSubEmitterMenu = 310,
    // One command a trigger: CommandAddSubEmitter + 0 birth, + 1 death, + 2 collision.
    CommandAddSubEmitter,
    CommandPlay = 400,
    CommandPause,
    CommandRestart,
    CommandTogglePlay,
    CommandThemeMenu = 450,
    CommandThemeLight,
    CommandThemeDark,
    CommandThemeSystem,
    // The preview's view: grid, background, speed, restart on change, framing.
    CommandGrid = 460,
    CommandRestartOnChange,
    CommandFrameEffect,
    CommandBackgroundMenu = 470,
    CommandBackgroundDark,
    CommandBackgroundBlack,
    CommandBackgroundGrey,
    CommandBackgroundWhite,
    CommandBackgroundCustom,
    CommandSpeedMenu = 480,
    // One command a speed: 0.25x, 0.5x, 1x, 2x, 4x.
    CommandSpeed,
    CommandAbout = 500,
    CommandShortcuts,
    CommandExportFlipbook = 600,
    // The panes' arrangement (PaneDock): View > Panes, one command a pane in PaneDock's order, and
    // View > Layout with one command a saved layout, in the order saved.
    CommandPanesMenu = 700,
    CommandPane,
    CommandLayoutMenu = 710,
    CommandSaveLayoutAs,
    CommandResetLayout,
    CommandLockLayout,
    CommandNamedLayout = 720,
};

// The menus, the toolbar's commands, the shortcuts and the palette of elements to add: each command
// runs on the document, the preview or the files. The title and the undo and redo entries follow the
// document's file state.
class CommandsPane {
public:
    typedef std::function<void(const std::string& reason)> Refuse;

    // status: shows a message in the status bar for a while.
    CommandsPane(const shell::Frame& frame, editor::EditorDocument& document, Preview* preview, Refuse refuse,
                 Refuse status);
    ~CommandsPane();

    // The toolbar's buttons, for the frame to add before its panes are laid out.
    static void fillToolbar(KW::KWToolBar* toolbar);
    // Each toolbar button tells what it does when the pointer rests on it; again when the buttons moved.
    void showToolbarTips();
    // Runs a menu, toolbar or palette command as the user's choice would.
    void run(int command);
    FileCommands& getFiles() { return *files; }
    // The View menu, for the panes' entries.
    KW::KWContext* getViewMenu() const { return viewMenu; }

private:
    void buildMenus();
    void buildPalette();
    void bindShortcuts();
    void markTheme();
    void showFileState();
    void apply(const editor::Edit& edit);
    void runView(int command);
    void chooseBackground();
    void showShortcuts();
    void showAbout();

    shell::Frame frame;
    editor::EditorDocument& document;
    Preview* preview;
    Refuse refuse;
    Refuse status;
    KW::KWContext* fileMenu = nullptr;
    KW::KWContext* editMenu = nullptr;
    KW::KWContext* addMenu = nullptr;
    KW::KWContext* viewMenu = nullptr;
    KW::KWContext* helpMenu = nullptr;
    std::unique_ptr<FileCommands> files;
    std::vector<int> toolbarTips;
    int listener;
};

} // namespace pelmora

#endif
