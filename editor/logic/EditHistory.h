#ifndef PELMORA_EDIT_HISTORY_H
#define PELMORA_EDIT_HISTORY_H

#include "logic/EditorScene.h"

#include <cstddef>
#include <string>
#include <vector>

// Undo and redo as steps that each hold only what they changed: an emitter's values before and after,
// a name, or an element with everything it holds and its place. A step is cheap however large the
// scene is, and the steps of one drag grow a single open step instead of adding steps.
namespace pelmora {
namespace editor {

struct EditStep {
    enum class Kind {
        Values, // id: an emitter; before and after: its values (and its sub-emitters' ids)
        Rename, // id: any element; nameBefore and nameAfter
        Insert, // element went into the scene
        Remove  // element left the scene
    };
    Kind kind = Kind::Values;
    ElementId id = kNoElement;
    EmitterDesc before;
    EmitterDesc after;
    std::vector<SubEmitterIds> idsBefore;
    std::vector<SubEmitterIds> idsAfter;
    std::string nameBefore;
    std::string nameAfter;
    PlacedElement element;
    int source = 0;                // Values: which row or curve edits it, so one drag's steps join
    ElementId target = kNoElement; // Values: the emitter or sub-emitter the row or curve belongs to
    bool open = false;             // Values: a drag still adding to it; after is not yet set
};

class EditHistory {
public:
    static const std::size_t kDefaultLimit = 500;

    // limit: undo steps kept; older ones are forgotten.
    explicit EditHistory(std::size_t limit = kDefaultLimit);

    // New or Open: nothing to undo or redo, no unsaved changes.
    void clear();
    // A new step after the current one; the redo steps are dropped.
    void push(const EditStep& step);
    // The newest step while it is open and current; null otherwise.
    EditStep* openStep();
    // Forgets the newest step (an open step that ended where it began).
    void dropNewest();

    bool canUndo() const { return index > 0; }
    bool canRedo() const { return index < steps.size(); }
    std::size_t undoSteps() const { return index; }
    std::size_t redoSteps() const { return steps.size() - index; }
    // The step to reverse, or to replay; null when there is none. Moves past it.
    const EditStep* back();
    const EditStep* forward();

    // Applies a change that keeps what each step means (texture references rewritten for the folder the
    // file moved to) to every step kept, so undo and redo keep it too.
    template <typename Change> void applyToAll(Change change) {
        for (EditStep& step : steps) {
            change(step);
        }
    }
    // The current state is what the file holds.
    void markSaved() { saved = index; }
    // No state is what the file holds (work recovered after a crash): unsaved until the next save.
    void forgetSaved() { saved = kNone; }
    // Whether the current state differs from the saved one; always true once the saved state was
    // dropped (by an edit after undoing past it, or by the limit).
    bool hasUnsavedChanges() const { return index != saved; }

private:
    static const std::size_t kNone = static_cast<std::size_t>(-1);

    std::vector<EditStep> steps;
    std::size_t index = 0; // steps applied
    std::size_t saved = 0;
    std::size_t limit;
};

} // namespace editor
} // namespace pelmora

#endif
