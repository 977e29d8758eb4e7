#ifndef PELMORA_EFFECT_HISTORY_H
#define PELMORA_EFFECT_HISTORY_H

#include "logic/EffectModel.h"

#include <cstddef>
#include <vector>

// Undo and redo as whole copies of the scene: an effect is small, and a copy restores every value,
// curve and element at once without a command for each kind of edit.
namespace KW {
namespace effect {

class History {
public:
    static const std::size_t kDefaultLimit = 500;

    // Starts as reset(initial) does. limit: undo steps kept; older ones are forgotten.
    explicit History(const Scene& initial, std::size_t limit = kDefaultLimit);

    // New or Open: the scene as the only state, nothing to undo or redo, no unsaved changes.
    void reset(const Scene& scene);
    // After a change: the scene as it is now becomes one undo step and the redo steps are dropped.
    // A scene equal to the current one (ids included) adds no step and returns false.
    bool record(const Scene& scene);

    bool canUndo() const { return index > 0; }
    bool canRedo() const { return index + 1 < states.size(); }
    std::size_t undoSteps() const { return index; }
    std::size_t redoSteps() const { return states.size() - index - 1; }

    // The scene to show after stepping back or forward; the current one when there is no step. Its
    // next id stays above every id handed out since, so a new element never takes a removed one's id.
    const Scene& undo();
    const Scene& redo();
    const Scene& current() const { return states[index]; }

    // Applies a change that keeps what each state means (texture references rewritten for the folder the
    // file moved to) to every state kept, so undo and redo keep it too.
    template <typename Change> void applyToAll(Change change) {
        for (Scene& state : states) {
            change(state);
        }
    }
    // The current state is what the file holds.
    void markSaved();
    // No state is what the file holds (work recovered after a crash): unsaved until the next save.
    void forgetSaved() { saved = kNone; }
    // Whether the current state differs from the saved one; always true once the saved state was
    // dropped (by an edit after undoing past it, or by the limit).
    bool hasUnsavedChanges() const { return index != saved; }

private:
    static const std::size_t kNone = static_cast<std::size_t>(-1);

    const Scene& moveTo(std::size_t target);

    std::vector<Scene> states;
    std::size_t index = 0;
    std::size_t saved = 0;
    std::size_t limit;
    ElementId highestNextId = 0;
};

} // namespace effect
} // namespace KW

#endif
