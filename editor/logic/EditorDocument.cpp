#include "logic/EditorDocument.h"

#include <pelmora/Limits.h>
#include "logic/FilePaths.h"

namespace pelmora {
namespace editor {

namespace {

// Which row or curve an edit changes: the steps of one drag share it.
int sourceOf(const Edit& edit) {
    switch (edit.kind) {
    case Edit::Kind::Field:
        return 1 + static_cast<int>(edit.field) * 1000 + static_cast<int>(edit.slot % 1000);
    case Edit::Kind::SizeKeys:
        return -1;
    case Edit::Kind::ColorKeys:
        return -2;
    case Edit::Kind::SpeedKeys:
        return -4;
    default:
        return -3;
    }
}

// A sub-emitter's fields as the check names them: "subEmitters[i].emitter.subEmitters[j]." and so on.
std::string subEmitterField(const SubEmitterPath& path) {
    std::string field;
    for (std::size_t i = 0; i < path.size(); ++i) {
        field += (i ? "emitter.subEmitters[" : "subEmitters[") + std::to_string(path[i]) + "].";
    }
    return field;
}

// What the user is told of a refused value: "FIELD: PROBLEM".
Applied refused(const Problem& problem) {
    return Applied{false, problem.ok() ? std::string("The change was refused.")
                                       : problem.field + ": " + problem.message};
}

Applied refused(const std::string& reason) {
    return Applied{false, reason};
}

// A refused value of a sub-emitter, named as its own rows name it ("count", "rate").
Applied refusedAt(Problem problem, const SubEmitterPath& path) {
    const std::string own = subEmitterField(path);
    for (const std::string& prefix : {own + "emitter.", own}) {
        if (!path.empty() && problem.field.compare(0, prefix.size(), prefix) == 0) {
            problem.field.erase(0, prefix.size());
            break;
        }
    }
    return refused(problem);
}

} // namespace

bool EditorDocument::FileState::operator!=(const FileState& other) const {
    return unsaved != other.unsaved || undo != other.undo || redo != other.redo || path != other.path;
}

EditorDocument::EditorDocument() : scene(Scene::makeDefault()), selection(scene.firstEmitter()) {}

Applied EditorDocument::apply(const Edit& edit) {
    switch (edit.kind) {
    case Edit::Kind::Rename:
        return applyRename(edit.text);
    case Edit::Kind::Add:
        return edit.added == ElementKind::SubEmitter ? addSubEmitter(edit.trigger) : addElement(edit.added);
    case Edit::Kind::Delete:
        return removeSelected();
    default:
        return applyToEmitter(edit);
    }
}

Applied EditorDocument::applyToEmitter(const Edit& edit) {
    SubEmitterPath place;
    Emitter* emitter = scene.findEmitter(scene.holderOf(selection, &place));
    if (!emitter) {
        return refused("No emitter is selected.");
    }
    const bool field = edit.kind == Edit::Kind::Field;
    if (field && isBurstField(edit.field) && edit.slot >= kMaxBursts) {
        return refused("bursts: at most " + std::to_string(kMaxBursts) + " bursts");
    }
    if (field && isForceField(edit.field) && edit.slot >= kMaxForces) {
        return refused("forces: at most " + std::to_string(kMaxForces) + " forces");
    }
    if (field && isSubEmitterField(edit.field) && place.empty()) {
        return refused("Only a sub-emitter has a trigger, a count and inherited velocity.");
    }
    EmitterDesc values = emitter->values;
    EmitterDesc& edited = emitterAt(values, place);
    switch (edit.kind) {
    case Edit::Kind::Texture:
        edited.texture = textureReference(edit.text, folderOf(path));
        break;
    case Edit::Kind::SizeKeys:
        edited.size = edit.sizeKeys;
        break;
    case Edit::Kind::SpeedKeys:
        edited.speedOverLife = edit.sizeKeys;
        break;
    case Edit::Kind::ColorKeys:
        edited.color = edit.colorKeys;
        break;
    default:
        if (place.empty()) {
            setField(edited, edit.field, edit.slot, edit.value);
        } else {
            setField(subEmitterAt(values, place), edit.field, edit.slot, edit.value);
        }
        break;
    }
    const Problem problem = checkEmitter(values);
    if (!problem.ok()) {
        return refusedAt(problem, place);
    }
    const FileState before = fileState();
    const int source = sourceOf(edit);
    EditStep* open = history.openStep();
    if (open && (open->id != emitter->id || open->source != source || open->target != selection)) {
        closeOpenStep();
        open = nullptr;
    }
    const bool changes = !sameValues(values, emitter->values);
    if (!changes && !open) {
        return Applied();
    }
    Change change;
    change.finished = edit.finished;
    if (changes) {
        if (!open) {
            EditStep step;
            step.id = emitter->id;
            step.before = emitter->values;
            step.idsBefore = emitter->subIds;
            step.source = source;
            step.target = selection;
            step.open = true;
            history.push(step);
        }
        change.parts = ChangedValues;
        change.emitter = emitter->id;
        change.timing = !sameTiming(values, emitter->values);
        emitter->values = std::move(values);
    }
    if (edit.finished) {
        closeOpenStep();
    }
    notify(change, before);
    return Applied();
}

Applied EditorDocument::applyRename(const std::string& name) {
    const std::string* current = scene.nameOf(selection);
    if (!current) {
        return refused("Nothing is selected.");
    }
    if (*current == name) {
        return Applied();
    }
    const Problem problem = checkName(name);
    if (!problem.ok()) {
        return refused(problem);
    }
    closeOpenStep();
    const FileState before = fileState();
    EditStep step;
    step.kind = EditStep::Kind::Rename;
    step.id = selection;
    step.nameBefore = *current;
    step.nameAfter = name;
    history.push(step);
    notify(run(step, true), before);
    return Applied();
}

Applied EditorDocument::addElement(ElementKind kind) {
    closeOpenStep();
    // With a sub-emitter selected, groups and emitters go beside the emitter that holds it.
    const ElementId under = scene.holderOf(selection) != kNoElement ? scene.holderOf(selection) : selection;
    ElementId added = kNoElement;
    if (kind == ElementKind::System) {
        added = scene.addSystem();
    } else if (kind == ElementKind::Group) {
        added = scene.addGroup(under);
    } else if (kind == ElementKind::Emitter) {
        added = scene.addEmitter(under);
    }
    if (added == kNoElement) {
        if (scene.elementCount() >= kMaxElements) {
            return refused("An effect holds at most " + std::to_string(kMaxElements) +
                           " systems, groups and emitters.");
        }
        return refused(kind == ElementKind::Group     ? "Select the system to add the group to."
                       : kind == ElementKind::Emitter ? "Select the group to add the emitter to."
                                                      : "There is no such element to add.");
    }
    const FileState before = fileState();
    EditStep step;
    step.kind = EditStep::Kind::Insert;
    scene.copyElement(added, step.element);
    history.push(step);
    selection = added;
    Change change;
    change.parts = ChangedStructure | ChangedSelection;
    notify(change, before);
    return Applied();
}

Applied EditorDocument::addSubEmitter(Trigger trigger) {
    SubEmitterPath place;
    const Emitter* holder = scene.findEmitter(scene.holderOf(selection, &place));
    if (!holder) {
        return refused("Select the emitter to add the sub-emitter to.");
    }
    if (place.size() + 1 >= kMaxEmitterDepth) {
        return refused("Sub-emitters nest at most " + std::to_string(kMaxEmitterDepth) +
                       " levels deep in all: this one cannot hold another.");
    }
    EmitterDesc values = holder->values;
    Emitter changed = *holder;
    std::vector<SubEmitter>& subs = emitterAt(values, place).subEmitters;
    if (subs.size() >= kMaxSubEmitters) {
        return refused("An emitter holds at most " + std::to_string(kMaxSubEmitters) + " sub-emitters.");
    }
    std::vector<std::string> names;
    for (const SubEmitter& sub : subs) {
        names.push_back(sub.emitter.name);
    }
    SubEmitter sub;
    sub.trigger = trigger;
    sub.emitter = defaultEmitterValues();
    sub.emitter.name = freeElementName("Sub-emitter", names);
    subs.push_back(sub);
    SubEmitterIds ids;
    ids.id = scene.newId();
    subIdsAt(changed, place).push_back(ids);
    changeHolder(holder->id, values, changed.subIds, ids.id);
    return Applied();
}

void EditorDocument::changeHolder(ElementId holder, const EmitterDesc& values,
                                  const std::vector<SubEmitterIds>& ids, ElementId select) {
    closeOpenStep();
    const FileState before = fileState();
    Emitter* emitter = scene.findEmitter(holder);
    EditStep step;
    step.id = holder;
    step.before = emitter->values;
    step.idsBefore = emitter->subIds;
    step.after = values;
    step.idsAfter = ids;
    history.push(step);
    Change change = run(step, true);
    selection = select;
    change.parts |= ChangedStructure | ChangedSelection;
    notify(change, before);
}

Applied EditorDocument::removeSelected() {
    SubEmitterPath place;
    const Emitter* holder = scene.findEmitter(scene.holderOf(selection, &place));
    if (holder && !place.empty()) {
        EmitterDesc values = holder->values;
        Emitter changed = *holder;
        const SubEmitterPath above(place.begin(), place.end() - 1);
        std::vector<SubEmitter>& subs = emitterAt(values, above).subEmitters;
        std::vector<SubEmitterIds>& ids = subIdsAt(changed, above);
        subs.erase(subs.begin() + static_cast<std::ptrdiff_t>(place.back()));
        ids.erase(ids.begin() + static_cast<std::ptrdiff_t>(place.back()));
        changeHolder(holder->id, values, changed.subIds, scene.parentOf(selection));
        return Applied();
    }
    EditStep step;
    step.kind = EditStep::Kind::Remove;
    if (!scene.copyElement(selection, step.element)) {
        return refused("Nothing is selected.");
    }
    closeOpenStep();
    const FileState before = fileState();
    const ElementId parent = scene.parentOf(selection);
    history.push(step);
    Change change = run(step, true);
    selection = parent != kNoElement ? parent : scene.firstEmitter();
    change.parts |= ChangedSelection;
    notify(change, before);
    return Applied();
}

void EditorDocument::closeOpenStep() {
    EditStep* open = history.openStep();
    if (!open) {
        return;
    }
    open->open = false;
    const Emitter* emitter = scene.findEmitter(open->id);
    open->after = emitter->values;
    open->idsAfter = emitter->subIds;
    if (sameValues(open->before, open->after) && open->idsBefore == open->idsAfter) {
        history.dropNewest();
    }
}

Change EditorDocument::run(const EditStep& step, bool forward) {
    Change change;
    switch (step.kind) {
    case EditStep::Kind::Values: {
        Emitter* emitter = scene.findEmitter(step.id);
        emitter->values = forward ? step.after : step.before;
        emitter->subIds = forward ? step.idsAfter : step.idsBefore;
        change.parts = ChangedValues;
        if (!(step.idsBefore == step.idsAfter)) {
            change.parts |= ChangedStructure;
        }
        change.emitter = step.id;
        change.timing = !sameTiming(step.before, step.after);
        break;
    }
    case EditStep::Kind::Rename:
        scene.setName(step.id, forward ? step.nameAfter : step.nameBefore);
        change.parts = ChangedStructure;
        if (scene.holderOf(step.id) != kNoElement) {
            change.parts |= ChangedValues;
            change.emitter = scene.holderOf(step.id);
        }
        break;
    case EditStep::Kind::Insert:
    case EditStep::Kind::Remove:
        if (forward == (step.kind == EditStep::Kind::Insert)) {
            scene.insert(step.element);
        } else {
            scene.remove(step.element.id());
        }
        change.parts = ChangedStructure;
        break;
    }
    return change;
}

void EditorDocument::keepSelectionValid(Change& change) {
    if (scene.kindOf(selection) == ElementKind::None && scene.firstEmitter() != selection) {
        selection = scene.firstEmitter();
        change.parts |= ChangedSelection;
    }
}

bool EditorDocument::select(ElementId id) {
    if (id != kNoElement && scene.kindOf(id) == ElementKind::None) {
        return false;
    }
    closeOpenStep();
    if (id != selection) {
        const FileState before = fileState();
        selection = id;
        Change change;
        change.parts = ChangedSelection;
        notify(change, before);
    }
    return true;
}

bool EditorDocument::undo() {
    closeOpenStep();
    const FileState before = fileState();
    const EditStep* step = history.back();
    if (!step) {
        return false;
    }
    Change change = run(*step, false);
    keepSelectionValid(change);
    notify(change, before);
    return true;
}

bool EditorDocument::redo() {
    closeOpenStep();
    const FileState before = fileState();
    const EditStep* step = history.forward();
    if (!step) {
        return false;
    }
    Change change = run(*step, true);
    keepSelectionValid(change);
    notify(change, before);
    return true;
}

} // namespace editor
} // namespace pelmora
