// The document's file side: starting over, opening, saving (with texture references moved to the new
// folder), and telling the listeners.
#include "logic/EditorDocument.h"

#include "logic/FilePaths.h"
#include "logic/SceneText.h"

namespace pelmora {
namespace editor {

namespace {

void rebase(EmitterDesc& values, const std::string& oldFolder, const std::string& newFolder) {
    values.texture = rebasedTextureReference(values.texture, oldFolder, newFolder);
    for (SubEmitter& sub : values.subEmitters) {
        rebase(sub.emitter, oldFolder, newFolder);
    }
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
