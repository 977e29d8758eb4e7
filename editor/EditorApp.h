#ifndef PELMORA_EDITOR_APP_H
#define PELMORA_EDITOR_APP_H

#include "CommandsPane.h"
#include "CurvesPane.h"
#include "PropertiesPane.h"
#include "SceneTreePane.h"
#include "ShellFrame.h"
#include "WindowFit.h"
#include "logic/EditorDocument.h"

#include <KW.h>

#include <memory>
#include <string>

namespace pelmora {

class PaneDock;
class Preview;
struct Settings;

// The effect editor: the editor layout, its panes and the preview around one document. Every pane
// changes the effect only through the document and shows it as the document announces its changes.
class EditorApp {
public:
    EditorApp();
    ~EditorApp();

    KW::KWWindow* getWindow() const { return frame.window; }
    // Opens a file given on the command line; a failure leaves the new effect and says why.
    void openAtStart(const std::string& path) { commands->getFiles().openFile(path); }
    // Frames the effect in the preview and the selected emitter's keys in the graph editors, as opening a
    // file does: for the window's first showing, when the panes have their sizes.
    void frameContent();
    // Remembering between sessions, off until called: the recent files and dialog folder from the
    // settings, the settings written at exit, unsaved work written to a recovery file a few seconds
    // after a change. Returns whether the window took the stored layout (it is then placed, not shown).
    bool beginSession(const Settings& settings);
    // Offers the work that Pelmora processes which have ended left unsaved; true when the user took one.
    bool offerRecovery() { return commands->getFiles().offerRecovery(); }
    // The loop of the program, with the editor's shortcuts; returns when the window has closed.
    int run();

    const editor::EditorDocument& getDocument() const { return document; }
    const editor::Scene& getScene() const { return document.getScene(); }
    editor::ElementId getSelected() const { return document.getSelection(); }
    bool hasUnsavedChanges() const { return document.hasUnsavedChanges(); }

    // The gadgets bound to the effect, for automation and tests.
    struct Gadgets {
        KW::KWTreeView* tree;
        KW::KWProperties* grid;
        KW::KWEdit* name;
        KW::KWSpinBox* rate;
        KW::KWFloatGraph* sizeCurve;
        KW::KWColorEdit* colorRamp;
        Preview* preview;
        PropertiesPane* properties;
    };
    Gadgets getGadgets() const;
    // The tree item that shows an element, 0 for none.
    int itemOf(editor::ElementId id) const { return tree->itemOf(id); }
    // Runs a menu or toolbar command as the user's choice would.
    void runCommand(int command);

private:
    // A beep, and the reason in the status bar, where the particle readout leaves it for a while.
    void refuse(const std::string& reason);
    // A message in the status bar, where the particle readout leaves it for a while.
    void showStatus(const std::string& text);
    void showReadout(std::size_t particles, double framesPerSecond);
    // The preview follows the document: a new effect starts over framed, a changed one runs on.
    void followDocument(const editor::Change& change);
    // The window moved to a display of another DPI: every image list comes from the set for it.
    void showIconsFor(int dpi);

    editor::EditorDocument document;
    shell::Frame frame;
    shell::IconSets icons;
    shell::IconSets propertyIcons;
    Preview* preview = nullptr;
    std::unique_ptr<SceneTreePane> tree;
    std::unique_ptr<PropertiesPane> properties;
    std::unique_ptr<CurvesPane> curves;
    std::unique_ptr<CommandsPane> commands;
    std::unique_ptr<PaneDock> panes;
    KW::KWDock* dock = nullptr;
    std::unique_ptr<WindowFit> fit;
    std::string textureFolder;
    // A refused value's reason stays in the status bar this long before the particle readout returns.
    static constexpr DWORD kReasonShownMs = 4000;
    bool showingReason = false;
    DWORD reasonShownAt = 0;
    int listener = 0;
};

} // namespace pelmora

#endif
