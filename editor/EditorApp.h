#ifndef PELMORA_EDITOR_APP_H
#define PELMORA_EDITOR_APP_H

#include "logic/EffectHistory.h"
#include "logic/EffectModel.h"

#include "EmitterProperties.h"
#include "ShellFrame.h"
#include "WindowFit.h"

#include <KW.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pelmora {

class Preview;
struct EditorSession;
struct Settings;

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
};

// The effect editor: the editor layout bound to one effect. The scene is the single source of truth:
// every edit the user makes in a gadget goes into it through the gadget's handler, and the gadgets are
// filled from it whenever it changes by other means (selection, undo, files).
class EditorApp {
public:
    EditorApp();
    ~EditorApp();

    KW::KWWindow* getWindow() const { return frame.window; }
    // Opens a file given on the command line; a failure leaves the new effect and says why.
    void openAtStart(const std::string& path);
    // Frames the effect in the preview and the selected emitter's keys in the graph editors, as opening a
    // file does: for the window's first showing, when the panes have their sizes.
    void frameContent();
    // Remembering between sessions, off until called: the recent files and dialog folder from the
    // settings, the settings written at exit, unsaved work written to a recovery file a few seconds
    // after a change. Returns whether the window took the stored layout (it is then placed, not shown).
    bool beginSession(const Settings& settings);
    // Offers the work that Pelmora processes which have ended left unsaved; true when the user took one.
    bool offerRecovery();
    // The loop of the program, with the editor's shortcuts; returns when the window has closed.
    int run();

    const KW::effect::Scene& getScene() const { return scene; }
    KW::effect::ElementId getSelected() const { return selected; }
    bool hasUnsavedChanges() const { return history.hasUnsavedChanges(); }

    // The gadgets bound to the effect, for automation and tests.
    struct Gadgets {
        KW::KWTreeView* tree;
        KW::KWProperties* grid;
        KW::KWEdit* name;
        KW::KWSpinBox* rate;
        KW::KWFloatGraph* sizeCurve;
        KW::KWColorEdit* colorRamp;
        Preview* preview;
        EmitterProperties* emitterProperties;
    };
    Gadgets getGadgets() const {
        return {tree, grid, nameEdit, editors.rate, sizeCurve, colorRamp, preview, emitterProperties.get()};
    }
    // The tree item that shows an element, 0 for none.
    int itemOf(KW::effect::ElementId id) const;
    // Runs a menu or toolbar command as the user's choice would.
    void runCommand(int command) { onCommand(command); }

private:
    struct EmitterEditors {
        KW::KWSpinBox* rate;
        KW::KWSpinBox* lifetimeMin;
        KW::KWSpinBox* lifetimeMax;
        KW::KWSpinBox* speed;
        KW::KWSpinBox* spread;
        KW::KWSpinBox* gravity;
        KW::KWComboBox* blend;
        KW::KWOpenButton* texture;
        KW::KWText* textureState;
    };

    void buildMenus();
    void markTheme();
    void buildSceneTree();
    void buildPropertyGrid();
    void buildGraphEditors();
    void buildPalette();
    void bindShortcuts();
    // Each toolbar button tells what it does when the pointer rests on it.
    void showToolbarTips();
    void showShortcuts();
    void showAbout();

    void onCommand(int command);
    // The window moved to a display of another DPI: every image list comes from the set for it.
    void showIconsFor(int dpi);
    bool onClose();

    // Model changes. changed(true) records one undo step; changed(false) only updates the preview
    // (a drag in progress).
    void changed(bool finished);
    void editEmitter(bool finished, void (*apply)(KW::effect::Emitter&, float), KW::KWSpinBox* source);
    void rename();
    void addElement(KW::effect::ElementKind kind);
    void deleteSelected();
    void select(KW::effect::ElementId id);
    void showScene();
    void showSelection();
    // The texture row's state: the texture's size, or why it could not be read.
    void showTextureState();
    // A beep, and the reason in the status bar, where the particle readout leaves it for a while.
    void refuse(const std::string& reason);
    // A message in the status bar, where the particle readout leaves it for a while.
    void showStatus(const std::string& text);
    void restore(const KW::effect::Scene& state);
    void updateTitle();
    void updateMenus();
    void chooseBackground();

    // Remembering between sessions (EditorSession.cpp).
    bool applyLayout(const std::string& layout);
    std::string collectLayout() const;
    void showRecentFiles();
    void openRecent(int index);
    void addRecent(const std::string& file);
    void storeSettings();
    void endSession();
    // The title changed with the effect: unsaved work is written soon, saved or discarded work forgotten.
    void unsavedStateChanged();
    void writeRecovery();
    void recover(const KW::effect::Scene& recovered, const std::string& original);
    // The folder the file dialogs start in (the last one used, else the effect's), and remembering the
    // one the user chose.
    std::string dialogFolder() const;
    void rememberFolder(const std::string& file);

    // Files.
    bool confirmDiscard();
    bool save(bool choosePath);
    void openFile(const std::string& path);
    void newEffect();
    // Starts editing a scene that came from the file given (none: untitled), with nothing to undo.
    void beginEditing(const KW::effect::Scene& state, const std::string& file);

    KW::effect::Scene scene;
    KW::effect::History history;
    KW::effect::ElementId selected;
    std::string path;

    shell::Frame frame;
    shell::IconSets icons;
    shell::IconSets propertyIcons;
    KW::KWContext* fileMenu;
    KW::KWContext* editMenu;
    KW::KWContext* addMenu;
    KW::KWContext* viewMenu;
    KW::KWContext* helpMenu;
    KW::KWTreeView* tree;
    KW::KWProperties* grid;
    KW::KWGroupItem* elementGroup;
    KW::KWGroupItem* emissionGroup;
    KW::KWGroupItem* renderingGroup;
    KW::KWEdit* nameEdit;
    EmitterEditors editors;
    std::unique_ptr<EmitterProperties> emitterProperties; // shape, timing, bursts, motion, sprite sheet
    // A refused value's reason stays in the status bar this long before the particle readout returns.
    static constexpr DWORD kReasonShownMs = 4000;
    bool showingReason = false;
    DWORD reasonShownAt = 0;
    KW::KWFloatGraph* sizeCurve;
    KW::KWColorEdit* colorRamp;
    Preview* preview;
    std::map<int, KW::effect::ElementId> elementOfItem;
    std::map<KW::effect::ElementId, int> itemOfElement;
    std::unique_ptr<EditorSession> session;
    std::unique_ptr<WindowFit> fit;
    std::vector<int> toolbarTips;
};

} // namespace pelmora

#endif
