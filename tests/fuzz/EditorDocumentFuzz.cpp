// Any bytes opened in the editor's document: a refusal leaves the effect as it was and says why; an
// accepted effect (sub-emitters nested as deep as files allow) shows every sub-emitter by an id of its
// own, takes a sub-emitter added and removed under each element, and undo brings back what was opened.
#include "FuzzRequire.h"
#include "logic/EditorDocument.h"

#include <pelmora/Limits.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace pelmora::editor;

namespace {

void collect(const std::vector<SubEmitterIds>& subs, std::vector<ElementId>& ids) {
    for (const SubEmitterIds& sub : subs) {
        ids.push_back(sub.id);
        collect(sub.subs, ids);
    }
}

std::vector<ElementId> everyElement(const Scene& scene) {
    std::vector<ElementId> ids;
    for (const System& system : scene.getSystems()) {
        ids.push_back(system.id);
        for (const Group& group : system.groups) {
            ids.push_back(group.id);
            for (const Emitter& emitter : group.emitters) {
                ids.push_back(emitter.id);
                collect(emitter.subIds, ids);
            }
        }
    }
    return ids;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    EditorDocument document;
    const Scene fresh = document.getScene();
    std::string error;
    if (!document.open(text, "/fx/fuzz.kwfx", error)) {
        require(!error.empty() && document.getScene() == fresh);
        return 0;
    }
    const Scene opened = document.getScene();
    const std::vector<ElementId> ids = everyElement(opened);
    for (ElementId id : ids) {
        const ElementKind kind = opened.kindOf(id);
        require(kind != ElementKind::None);
        if (kind == ElementKind::SubEmitter) {
            require(opened.findSubEmitter(id) && opened.levelOf(id) >= 2 && opened.levelOf(id) <= 3);
            require(opened.valuesOf(opened.parentOf(id)) != nullptr);
        }
        require(document.select(id));
        const bool added = document.apply(Edit::addSubEmitter(pelmora::Trigger::Collision)).accepted;
        require(added == (opened.levelOf(id) >= 1 && opened.levelOf(id) < 3 &&
                          opened.valuesOf(id)->subEmitters.size() < pelmora::kMaxSubEmitters));
        if (added) {
            require(document.getScene().parentOf(document.getSelection()) == id);
            require(document.apply(Edit::number(Field::TrailLength, 1.0f)).accepted);
            require(document.apply(Edit::remove()).accepted && document.getSelection() == id);
        }
    }
    while (document.undo()) {
    }
    require(document.getScene() == opened);
    // What is saved opens as the same effect.
    EditorDocument again;
    require(again.open(document.fileText(), "/fx/fuzz.kwfx", error));
    const std::vector<pelmora::SystemDesc> saved = document.getScene().describe();
    const std::vector<pelmora::SystemDesc> read = again.getScene().describe();
    require(saved.size() == read.size());
    require(everyElement(again.getScene()).size() == ids.size());
    return 0;
}
