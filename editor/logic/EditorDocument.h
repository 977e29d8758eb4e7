#ifndef PELMORA_EDITOR_DOCUMENT_H
#define PELMORA_EDITOR_DOCUMENT_H

#include "logic/DocumentEdit.h"
#include "logic/EditHistory.h"
#include "logic/EditorScene.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pelmora {
namespace editor {

// What an edit, undo, redo or file operation changed, for the panes to show.
enum ChangePart : unsigned {
    ChangedStructure = 1u << 0, // elements added, removed or renamed
    ChangedSelection = 1u << 1,
    ChangedValues = 1u << 2, // an emitter's values (its name included)
    ChangedFile = 1u << 3    // path, unsaved changes, or what undo and redo can do
};

struct Change {
    unsigned parts = 0;
    ElementId emitter = kNoElement; // ChangedValues: the emitter; kNoElement: the whole scene is new
    bool finished = true;           // false while a drag goes on
    bool timing = false;            // duration, loop, delay, prewarm or bursts changed: start over
};

// What apply gives: accepted, or why not (the text the user is shown).
struct Applied {
    bool accepted = true;
    std::string reason;
    explicit operator bool() const { return accepted; }
};

// The effect being edited: its scene, the selection, undo and redo, and the file it belongs to. The only
// way to change the effect. Every change is checked as the runtime checks files; a refused one leaves
// everything as it was. Listeners hear of every change after it is made.
class EditorDocument {
public:
    typedef std::function<void(const Change&)> Listener;

    // A new effect, untitled, with its first emitter selected.
    EditorDocument();

    const Scene& getScene() const { return scene; }
    ElementId getSelection() const { return selection; }
    // The selected emitter, or null when the selection is not an emitter.
    const Emitter* selectedEmitter() const { return scene.findEmitter(selection); }
    // The values the grid shows: the selected emitter's or sub-emitter's; null for other selections.
    const EmitterDesc* selectedValues() const { return scene.valuesOf(selection); }
    // The selected sub-emitter, or null.
    const SubEmitter* selectedSubEmitter() const { return scene.findSubEmitter(selection); }
    // The file the effect was opened from or saved to; empty for a new effect.
    const std::string& getPath() const { return path; }
    bool hasUnsavedChanges() const { return history.hasUnsavedChanges(); }
    bool canUndo() const { return history.canUndo(); }
    bool canRedo() const { return history.canRedo(); }
    std::size_t undoSteps() const { return history.undoSteps(); }

    // Checks and makes the change, as one undo step (a drag's steps join into one).
    Applied apply(const Edit& edit);
    // Selects an element, or nothing with kNoElement; false (and no change) for an unknown id.
    bool select(ElementId id);
    // Steps back or forward; false when there is no step. The selection stays while its element exists;
    // otherwise (nothing selected included) the first emitter is selected.
    bool undo();
    bool redo();

    // A new default effect, untitled and saved.
    void newEffect();
    // Reads effect file text as the effect of the file at path. On failure nothing changes and error says
    // why. recovered: work that was never saved (after a crash), unsaved until the next save.
    bool open(const std::string& text, const std::string& file, std::string& error,
              TextEncoding encoding = TextEncoding::Utf8, bool recovered = false);
    // Takes a scene read elsewhere (its ids above this document's, as readScene gives them) as the
    // effect of the file at path, as open does.
    void openScene(const Scene& loaded, const std::string& file, bool recovered = false);
    // The effect file text to save.
    std::string fileText(TextEncoding encoding = TextEncoding::Utf8) const;
    // The text was written to file: it is now the effect's file and holds its current state. A file in
    // another folder takes relative texture paths rewritten for it (see savedScene), in every undo step too.
    void markSaved(const std::string& file);
    // The scene as a file at path holds it: relative texture paths rewritten for the file's folder.
    Scene savedScene(const std::string& file) const;

    // Adds a listener; returns its number for removeListener.
    int addListener(Listener listener);
    void removeListener(int number);

private:
    struct FileState {
        bool unsaved;
        bool undo;
        bool redo;
        std::string path;
        bool operator!=(const FileState& other) const;
    };

    Applied applyToEmitter(const Edit& edit);
    Applied applyRename(const std::string& name);
    Applied addElement(ElementKind kind);
    Applied addSubEmitter(Trigger trigger);
    // Changes the emitter that holds the selection, its sub-emitters included, as one finished step.
    void changeHolder(ElementId holder, const EmitterDesc& values, const std::vector<SubEmitterIds>& ids,
                      ElementId select);
    Applied removeSelected();
    // Ends an open drag step: its after values are taken, or it goes if nothing changed.
    void closeOpenStep();
    // Runs a step forward or back; returns what changed.
    Change run(const EditStep& step, bool forward);
    void keepSelectionValid(Change& change);
    FileState fileState() const;
    // Tells the listeners, adding ChangedFile when the file state moved since before.
    void notify(Change change, const FileState& before);
    void startOver(const Scene& fresh, const std::string& file, bool recovered);

    Scene scene;
    ElementId selection = kNoElement;
    EditHistory history;
    std::string path;
    std::vector<std::pair<int, Listener>> listeners;
    int nextListener = 1;
};

} // namespace editor
} // namespace pelmora

#endif
