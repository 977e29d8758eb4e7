#include "CommandsPane.h"

#include "ExportFlipbook.h"
#include "Preview.h"
#include "ThemedGadgets.h"
#include "logic/FilePaths.h"

#include <KWVersion.h>

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

using namespace KW;
using namespace pelmora::editor;

namespace pelmora {

namespace {

const char* const appName = "Pelmora";

// Images of the shared icon strip on the toolbar.
enum Icon {
    IconNew = 0,
    IconOpen = 1,
    IconSave = 2,
    IconUndo = 6,
    IconRedo = 7,
    IconDelete = 8,
    IconPlay = 11,
    IconPause = 12,
    IconStop = 13,
};

struct ToolbarButton {
    int command; // 0: a separator
    int icon;
    const char* text;
};
const ToolbarButton toolbarButtons[] = {
    {CommandNew, IconNew, "New (Ctrl+N)"},      {CommandOpen, IconOpen, "Open (Ctrl+O)"},
    {CommandSave, IconSave, "Save (Ctrl+S)"},   {0, 0, nullptr},
    {CommandUndo, IconUndo, "Undo (Ctrl+Z)"},   {CommandRedo, IconRedo, "Redo (Ctrl+Y)"},
    {CommandDelete, IconDelete, "Delete"},      {0, 0, nullptr},
    {CommandPlay, IconPlay, "Play (Space)"},    {CommandPause, IconPause, "Pause (Space)"},
    {CommandRestart, IconStop, "Restart (F5)"},
};

// The window's shortcuts; the keys the editors answer while they have the focus follow in the list
// Help > Keyboard Shortcuts shows.
struct Shortcut {
    UINT key;
    UINT modifiers;
    int command;
    const char* keys;
    const char* action;
};
const Shortcut shortcuts[] = {
    {'N', MOD_CONTROL, CommandNew, "Ctrl+N", "New effect"},
    {'O', MOD_CONTROL, CommandOpen, "Ctrl+O", "Open an effect"},
    {'S', MOD_CONTROL, CommandSave, "Ctrl+S", "Save"},
    {'Z', MOD_CONTROL, CommandUndo, "Ctrl+Z", "Undo"},
    {'Y', MOD_CONTROL, CommandRedo, "Ctrl+Y", "Redo"},
    {VK_SPACE, 0, CommandTogglePlay, "Space", "Play or pause the preview"},
    {VK_F5, 0, CommandRestart, "F5", "Restart the preview"},
};
const char* const editorKeys = "\nIn the value cells:\n"
                               "Enter\tTake the typed value\n"
                               "Up, Down\tStep the value\n"
                               "\nIn the size and colour graphs:\n"
                               "Tab, Shift+Tab\tSelect the next or previous key\n"
                               "Arrow keys\tMove the selected key (Shift: ten times as far)\n"
                               "Delete\tDelete the selected key\n"
                               "F\tFrame all keys\n"
                               "Home\tSize graph: lower value to upper on every key\n"
                               "Enter, Shift+Enter\tColour graph: pick the upper or lower colour\n"
                               "+, -\tColour graph: swatch size\n"
                               "Ctrl+C, Ctrl+V\tCopy or paste the keys as text\n"
                               "Ctrl+Tab\tLeave the graph\n"
                               "\nIn the panes:\n"
                               "Ctrl+Tab, Ctrl+Shift+Tab\tThe next or previous pane\n"
                               "Alt+Shift+arrow key\tMove the pane to that side of the window\n"
                               "Escape\tCancel a pane's drag\n";

// The preview's background presets (0xRRGGBB) and speeds, in menu order.
const std::uint32_t backgrounds[] = {0x202028, 0x000000, 0x808080, 0xFFFFFF};
const double speeds[] = {0.25, 0.5, 1.0, 2.0, 4.0};

} // namespace

CommandsPane::CommandsPane(const shell::Frame& frame, EditorDocument& document, Preview* preview,
                           Refuse refuse, Refuse status)
    : frame(frame), document(document), preview(preview), refuse(std::move(refuse)),
      status(std::move(status)) {
    buildMenus();
    buildPalette();
    bindShortcuts();
    files.reset(new FileCommands(frame.window, fileMenu, document));
    listener = document.addListener([this](const Change& change) {
        if (change.parts & ChangedFile) {
            showFileState();
        }
    });
    showFileState();
}

CommandsPane::~CommandsPane() {
    document.removeListener(listener);
}

void CommandsPane::buildMenus() {
    struct Entry {
        int command;
        const char* text;
    };
    struct Menu {
        const char* title;
        KWContext** context;
        std::vector<Entry> entries;
    };
    const Menu menus[] = {
        {"&File",
         &fileMenu,
         {{CommandNew, "&New\tCtrl+N"},
          {CommandOpen, "&Open...\tCtrl+O"},
          {CommandSave, "&Save\tCtrl+S"},
          {CommandSaveAs, "Save &As..."},
          {CommandExportFlipbook, "Export Flip&book..."}}},
        {"&Edit",
         &editMenu,
         {{CommandUndo, "&Undo\tCtrl+Z"}, {CommandRedo, "&Redo\tCtrl+Y"}, {CommandDelete, "&Delete"}}},
        {"&Add",
         &addMenu,
         {{CommandAddSystem, "&System"}, {CommandAddGroup, "&Group"}, {CommandAddEmitter, "&Emitter"}}},
        {"&View",
         &viewMenu,
         {{CommandPlay, "&Play\tSpace"}, {CommandPause, "P&ause\tSpace"}, {CommandRestart, "&Restart\tF5"}}},
        {"&Help", &helpMenu, {{CommandShortcuts, "&Keyboard Shortcuts"}, {CommandAbout, "&About Pelmora"}}},
    };
    for (const Menu& menu : menus) {
        *menu.context = KWContext::create();
        for (const Entry& entry : menu.entries) {
            (*menu.context)->addItem(entry.command, -1, entry.text, false);
        }
        frame.window->addMenu(menu.title, *menu.context);
    }
    addMenu->addItem(CommandAddSubEmitterMenu, -1, "Su&b-emitter", true);
    const char* const triggerNames[] = {"&Birth", "&Death", "&Collision"};
    for (int i = 0; i < 3; ++i) {
        addMenu->addItem(CommandAddSubEmitter + i, CommandAddSubEmitterMenu, triggerNames[i], false);
    }
    fileMenu->addItem(CommandRecentMenu, -1, "Recent &Files", true);
    fileMenu->addItem(CommandExit, -1, "E&xit", false);
    viewMenu->addItem(CommandThemeMenu, -1, "&Theme", true);
    viewMenu->addItem(CommandThemeLight, CommandThemeMenu, "&Light", false);
    viewMenu->addItem(CommandThemeDark, CommandThemeMenu, "&Dark", false);
    viewMenu->addItem(CommandThemeSystem, CommandThemeMenu, "&System", false);
    markTheme();
    viewMenu->addItem(CommandSpeedMenu, -1, "Spee&d", true);
    const char* const speedNames[] = {"0.2&5x", "0.&5x", "&1x", "&2x", "&4x"};
    for (int i = 0; i < 5; ++i) {
        viewMenu->addItem(CommandSpeed + i, CommandSpeedMenu, speedNames[i], false);
    }
    CheckMenuRadioItem(viewMenu->getHandle(), CommandSpeed, CommandSpeed + 4, CommandSpeed + 2, MF_BYCOMMAND);
    viewMenu->addItem(CommandBackgroundMenu, -1, "&Background", true);
    viewMenu->addItem(CommandBackgroundDark, CommandBackgroundMenu, "&Dark", false);
    viewMenu->addItem(CommandBackgroundBlack, CommandBackgroundMenu, "&Black", false);
    viewMenu->addItem(CommandBackgroundGrey, CommandBackgroundMenu, "&Grey", false);
    viewMenu->addItem(CommandBackgroundWhite, CommandBackgroundMenu, "&White", false);
    viewMenu->addItem(CommandBackgroundCustom, CommandBackgroundMenu, "&Other...", false);
    viewMenu->addItem(CommandGrid, -1, "&Grid", false);
    viewMenu->addItem(CommandRestartOnChange, -1, "Restart on &Change", false);
    viewMenu->addItem(CommandFrameEffect, -1, "&Frame Effect", false);
}

// The theme in force has its entry checked.
void CommandsPane::markTheme() {
    const KWTheme& current = Kwadro::getTheme();
    const int chosen = current == KWTheme::dark()     ? CommandThemeDark
                       : current == KWTheme::system() ? CommandThemeSystem
                                                      : CommandThemeLight;
    CheckMenuRadioItem(viewMenu->getHandle(), CommandThemeLight, CommandThemeSystem, chosen, MF_BYCOMMAND);
}

void CommandsPane::fillToolbar(KWToolBar* toolbar) {
    for (const ToolbarButton& button : toolbarButtons) {
        if (button.command == 0) {
            toolbar->addSeparator();
        } else {
            toolbar->addButton(button.command, button.icon, button.text);
        }
    }
}

void CommandsPane::bindShortcuts() {
    for (const Shortcut& shortcut : shortcuts) {
        frame.window->addShortcut(shortcut.key, shortcut.modifiers, shortcut.command);
    }
}

void CommandsPane::showToolbarTips() {
    KWToolBar* toolbar = frame.toolbar;
    for (int id : toolbarTips) {
        toolbar->removeTooltip(id);
    }
    toolbarTips.clear();
    for (const ToolbarButton& button : toolbarButtons) {
        RECT area = {};
        const LRESULT index = SendMessageA(toolbar->getHandle(), TB_COMMANDTOINDEX, button.command, 0);
        if (button.command != 0 &&
            SendMessageA(toolbar->getHandle(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&area))) {
            toolbarTips.push_back(
                toolbar->addTooltip(button.text, KWBound(area.left, area.right, area.top, area.bottom)));
        }
    }
}

void CommandsPane::showShortcuts() {
    std::string text = "Anywhere in the window:\n";
    for (const Shortcut& shortcut : shortcuts) {
        text += std::string(shortcut.keys) + "\t" + shortcut.action + "\n";
    }
    text += "Alt+letter\tOpen a menu (the underlined letter)\n";
    text += editorKeys;
    MessageBoxA(frame.window->getHandle(), text.c_str(), "Keyboard Shortcuts", MB_OK | MB_ICONINFORMATION);
}

void CommandsPane::showAbout() {
    const std::string text = std::string("Pelmora ") + KW_VERSION_STRING +
                             "\n\nA particle-effect editor built on the Kwadro widget toolkit " +
                             KW_VERSION_STRING + ".";
    MessageBoxA(frame.window->getHandle(), text.c_str(), "About Pelmora", MB_OK | MB_ICONINFORMATION);
}

void CommandsPane::buildPalette() {
    KWHeader* pane = frame.elements;
    KWTab* tabs =
        KWTab::create(STYLE_DEFAULT, 0, pane->scale(20), pane->scale(150), pane->scale(250), pane, -1);
    KWWindow* page = tabs->addTab(1, "Add");
    tabs->lockToParent(LOCK_STRETCH_BOTH);
    followTheme(tabs);
    tabs->doAlignment();
    shell::addPaletteButtons(page, {"System", "Group", "Emitter"}, CommandAddSystem);
    for (int i = 0; i < page->getChildCount(); ++i) {
        page->getChild(i)->setHandler([this](const KWEvent& event) { run(event.object->getId()); });
    }
    pane->doAlignment();
}

void CommandsPane::apply(const Edit& edit) {
    const Applied applied = document.apply(edit);
    if (!applied) {
        refuse(applied.reason);
    }
}

void CommandsPane::run(int command) {
    switch (command) {
    case CommandNew:
        if (files->confirmDiscard()) {
            document.newEffect();
        }
        break;
    case CommandOpen:
        files->chooseAndOpen();
        break;
    case CommandSave:
    case CommandSaveAs:
        files->save(command == CommandSaveAs);
        break;
    case CommandExportFlipbook: {
        const std::string written =
            exportFlipbook(frame.window->getHandle(), document.getScene(), document.getPath());
        if (!written.empty()) {
            status("Flipbook exported to " + written);
        }
        break;
    }
    case CommandExit:
        PostMessageA(frame.window->getHandle(), WM_CLOSE, 0, 0);
        break;
    case CommandUndo:
        document.undo();
        break;
    case CommandRedo:
        document.redo();
        break;
    case CommandDelete:
        apply(Edit::remove());
        break;
    case CommandAddSystem:
    case CommandAddGroup:
    case CommandAddEmitter: {
        const ElementKind kinds[] = {ElementKind::System, ElementKind::Group, ElementKind::Emitter};
        apply(Edit::add(kinds[command - CommandAddSystem]));
        break;
    }
    case CommandAddSubEmitter:
    case CommandAddSubEmitter + 1:
    case CommandAddSubEmitter + 2:
        apply(Edit::addSubEmitter(static_cast<pelmora::Trigger>(command - CommandAddSubEmitter)));
        break;
    case CommandAbout:
        showAbout();
        break;
    case CommandShortcuts:
        showShortcuts();
        break;
    default:
        if (command >= CommandRecentFile && command < CommandRecentFile + static_cast<int>(kMaxRecentFiles)) {
            files->openRecent(command - CommandRecentFile);
        } else {
            runView(command);
        }
        break;
    }
}

// The View menu: the preview's playing and look, and the theme.
void CommandsPane::runView(int command) {
    switch (command) {
    case CommandPlay:
    case CommandPause:
        preview->setPlaying(command == CommandPlay);
        break;
    case CommandTogglePlay:
        preview->setPlaying(!preview->isPlaying());
        break;
    case CommandRestart:
        preview->restart(document.getScene());
        break;
    case CommandThemeLight:
    case CommandThemeDark:
    case CommandThemeSystem:
        Kwadro::setTheme(command == CommandThemeDark     ? KWTheme::dark()
                         : command == CommandThemeSystem ? KWTheme::system()
                                                         : KWTheme::light());
        markTheme();
        break;
    case CommandGrid:
        preview->setGridVisible(!preview->isGridVisible());
        CheckMenuItem(viewMenu->getHandle(), CommandGrid,
                      MF_BYCOMMAND | (preview->isGridVisible() ? MF_CHECKED : MF_UNCHECKED));
        break;
    case CommandRestartOnChange:
        preview->setRestartOnChange(!preview->getRestartOnChange());
        CheckMenuItem(viewMenu->getHandle(), CommandRestartOnChange,
                      MF_BYCOMMAND | (preview->getRestartOnChange() ? MF_CHECKED : MF_UNCHECKED));
        break;
    case CommandFrameEffect:
        preview->frameEffect(document.getScene());
        break;
    case CommandBackgroundDark:
    case CommandBackgroundBlack:
    case CommandBackgroundGrey:
    case CommandBackgroundWhite:
        preview->setBackground(backgrounds[command - CommandBackgroundDark]);
        break;
    case CommandBackgroundCustom:
        chooseBackground();
        break;
    default:
        if (command >= CommandSpeed && command < CommandSpeed + 5) {
            preview->setSpeed(speeds[command - CommandSpeed]);
            CheckMenuRadioItem(viewMenu->getHandle(), CommandSpeed, CommandSpeed + 4, command, MF_BYCOMMAND);
        }
        break;
    }
}

// The colour dialog, starting from the preview's background.
void CommandsPane::chooseBackground() {
    static COLORREF custom[16] = {};
    const std::uint32_t rgb = preview->getBackground();
    CHOOSECOLORA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = frame.window->getHandle();
    dialog.rgbResult = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorA(&dialog)) {
        const COLORREF chosen = dialog.rgbResult;
        preview->setBackground((GetRValue(chosen) << 16) | (GetGValue(chosen) << 8) | GetBValue(chosen));
    }
}

// The title names the file and marks unsaved work; undo and redo are offered when there is a step.
void CommandsPane::showFileState() {
    const std::string& path = document.getPath();
    const std::string name = path.empty() ? "Untitled" : fileNameOf(path);
    frame.window->setText(std::string(appName) + " - " + name + (document.hasUnsavedChanges() ? " *" : ""));
    HMENU edit = editMenu->getHandle();
    EnableMenuItem(edit, CommandUndo, MF_BYCOMMAND | (document.canUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(edit, CommandRedo, MF_BYCOMMAND | (document.canRedo() ? MF_ENABLED : MF_GRAYED));
    HWND toolbar = frame.toolbar->getHandle();
    SendMessageA(toolbar, TB_ENABLEBUTTON, CommandUndo, document.canUndo());
    SendMessageA(toolbar, TB_ENABLEBUTTON, CommandRedo, document.canRedo());
}

} // namespace pelmora
