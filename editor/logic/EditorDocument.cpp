#include "logic/EditorDocument.h"

#include <pelmora/Limits.h>
#include "logic/FilePaths.h"
#include "logic/SceneText.h"

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
    default:
        return -3;
    }
}

bool isBurstField(Field field) {
    return field == Field::BurstTime || field == Field::BurstCount || field == Field::BurstRepeats ||
           field == Field::BurstInterval;
}

// What the user is told of a refused value: "FIELD: PROBLEM".
Applied refused(const Problem& problem) {
    return Applied{false, problem.ok() ? std::string("The change was refused.")
                                       : problem.field + ": " + problem.message};
}

Applied refused(const std::string& reason) {
    return Applied{false, reason};
}

void rebase(EmitterDesc& values, const std::string& oldFolder, const std::string& newFolder) {
    values.texture = rebasedTextureReference(values.texture, oldFolder, newFolder);
}

void rebase(Scene& scene, const std::string& oldFolder, const std::string& newFolder) {
    for (const System& system : scene.getSystems()) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                rebase(scene.findEmitter(emitter.id)->values, oldFolder, newFolder);
            }
        }
    }
}

void rebase(PlacedElement& placed, const std::string& oldFolder, const std::string& newFolder) {
    if (Emitter* emitter = std::get_if<Emitter>(&placed.element)) {
        rebase(emitter->values, oldFolder, newFolder);
    }
    auto rebaseGroup = [&](Group& group) {
        for (Emitter& emitter : group.emitters) {
            rebase(emitter.values, oldFolder, newFolder);
        }
    };
    if (Group* group = std::get_if<Group>(&placed.element)) {
        rebaseGroup(*group);
    }
    if (System* system = std::get_if<System>(&placed.element)) {
        for (Group& group : system->groups) {
            rebaseGroup(group);
        }
    }
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
        return addElement(edit.added);
    case Edit::Kind::Delete:
        return removeSelected();
    default:
        return applyToEmitter(edit);
    }
}

Applied EditorDocument::applyToEmitter(const Edit& edit) {
    Emitter* emitter = scene.findEmitter(selection);
    if (!emitter) {
        return refused("No emitter is selected.");
    }
    if (edit.kind == Edit::Kind::Field && isBurstField(edit.field) && edit.slot >= kMaxBursts) {
        return refused("bursts: at most " + std::to_string(kMaxBursts) + " bursts");
    }
    EmitterDesc values = emitter->values;
    switch (edit.kind) {
    case Edit::Kind::Texture:
        values.texture = textureReference(edit.text, folderOf(path));
        break;
    case Edit::Kind::SizeKeys:
        values.size = edit.sizeKeys;
        break;
    case Edit::Kind::ColorKeys:
        values.color = edit.colorKeys;
        break;
    default:
        setField(values, edit.field, edit.slot, edit.value);
        break;
    }
    const Problem problem = checkEmitter(values);
    if (!problem.ok()) {
        return refused(problem);
    }
    const FileState before = fileState();
    const int source = sourceOf(edit);
    EditStep* open = history.openStep();
    if (open && (open->id != emitter->id || open->source != source)) {
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
            step.source = source;
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
    ElementId added = kNoElement;
    if (kind == ElementKind::System) {
        added = scene.addSystem();
    } else if (kind == ElementKind::Group) {
        added = scene.addGroup(selection);
    } else if (kind == ElementKind::Emitter) {
        added = scene.addEmitter(selection);
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

Applied EditorDocument::removeSelected() {
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
    open->after = scene.findEmitter(open->id)->values;
    if (sameValues(open->before, open->after)) {
        history.dropNewest();
    }
}

Change EditorDocument::run(const EditStep& step, bool forward) {
    Change change;
    switch (step.kind) {
    case EditStep::Kind::Values: {
        Emitter* emitter = scene.findEmitter(step.id);
        emitter->values = forward ? step.after : step.before;
        change.parts = ChangedValues;
        change.emitter = step.id;
        change.timing = !sameTiming(step.before, step.after);
        break;
    }
    case EditStep::Kind::Rename:
        scene.setName(step.id, forward ? step.nameAfter : step.nameBefore);
        change.parts = ChangedStructure;
        if (scene.kindOf(step.id) == ElementKind::Emitter) {
            change.parts |= ChangedValues;
            change.emitter = step.id;
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

void EditorDocument::startOver(const Scene& fresh, const std::string& file, bool recovered) {
    const FileState before = fileState();
    scene = fresh;
    history.clear();
    if (recovered) {
        history.forgetSaved();
    }
    path = file;
    selection = scene.firstEmitter();
    Change change;
    change.parts = ChangedStructure | ChangedSelection | ChangedValues;
    change.timing = true;
    notify(change, before);
}

void EditorDocument::newEffect() {
    // Ids above the old scene's, as for an opened file.
    Scene fresh;
    fresh.raiseNextId(scene.getNextId());
    fresh.addEmitter(fresh.addGroup(fresh.addSystem()));
    startOver(fresh, std::string(), false);
}

bool EditorDocument::open(const std::string& text, const std::string& file, std::string& error,
                          TextEncoding encoding, bool recovered) {
    // Ids above the old scene's, so a view that follows elements by id starts afresh.
    Scene loaded;
    loaded.raiseNextId(scene.getNextId());
    if (!readScene(text, loaded, error, encoding)) {
        return false;
    }
    startOver(loaded, file, recovered);
    return true;
}

void EditorDocument::openScene(const Scene& loaded, const std::string& file, bool recovered) {
    Scene fresh = loaded;
    fresh.raiseNextId(scene.getNextId());
    startOver(fresh, file, recovered);
}

std::string EditorDocument::fileText(TextEncoding encoding) const {
    return writeScene(scene, encoding);
}

Scene EditorDocument::savedScene(const std::string& file) const {
    Scene saved = scene;
    rebase(saved, folderOf(path), folderOf(file));
    return saved;
}

void EditorDocument::markSaved(const std::string& file) {
    closeOpenStep();
    const FileState before = fileState();
    Change change;
    const Scene saved = savedScene(file);
    if (saved != scene) {
        const std::string oldFolder = folderOf(path), newFolder = folderOf(file);
        history.applyToAll([&](EditStep& step) {
            rebase(step.before, oldFolder, newFolder);
            rebase(step.after, oldFolder, newFolder);
            rebase(step.element, oldFolder, newFolder);
        });
        scene = saved;
        change.parts = ChangedValues;
        change.emitter = selection;
    }
    path = file;
    history.markSaved();
    notify(change, before);
}

int EditorDocument::addListener(Listener listener) {
    listeners.emplace_back(nextListener, std::move(listener));
    return nextListener++;
}

void EditorDocument::removeListener(int number) {
    for (auto it = listeners.begin(); it != listeners.end(); ++it) {
        if (it->first == number) {
            listeners.erase(it);
            return;
        }
    }
}

EditorDocument::FileState EditorDocument::fileState() const {
    return FileState{history.hasUnsavedChanges(), history.canUndo(), history.canRedo(), path};
}

void EditorDocument::notify(Change change, const FileState& before) {
    if (fileState() != before) {
        change.parts |= ChangedFile;
    }
    if (change.parts == 0) {
        return;
    }
    // A listener may add or remove listeners while it is told.
    const std::vector<std::pair<int, Listener>> told = listeners;
    for (const auto& listener : told) {
        listener.second(change);
    }
}

} // namespace editor
} // namespace pelmora
