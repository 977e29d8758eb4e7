// Sub-emitters within the scene: the paths to them inside their top emitter's values, and their ids.
#include "logic/EditorScene.h"

namespace pelmora {
namespace editor {

namespace {

// Finds id among the sub-emitter ids, depth first; path is where it sits.
bool findSubIds(const std::vector<SubEmitterIds>& subs, ElementId id, SubEmitterPath& path) {
    for (std::size_t i = 0; i < subs.size(); ++i) {
        path.push_back(i);
        if (subs[i].id == id || findSubIds(subs[i].subs, id, path)) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

} // namespace

const EmitterDesc& emitterAt(const EmitterDesc& top, const SubEmitterPath& path) {
    const EmitterDesc* at = &top;
    for (std::size_t index : path) {
        at = &at->subEmitters[index].emitter;
    }
    return *at;
}

EmitterDesc& emitterAt(EmitterDesc& top, const SubEmitterPath& path) {
    return const_cast<EmitterDesc&>(emitterAt(static_cast<const EmitterDesc&>(top), path));
}

const SubEmitter& subEmitterAt(const EmitterDesc& top, const SubEmitterPath& path) {
    const SubEmitterPath above(path.begin(), path.end() - 1);
    return emitterAt(top, above).subEmitters[path.back()];
}

SubEmitter& subEmitterAt(EmitterDesc& top, const SubEmitterPath& path) {
    return const_cast<SubEmitter&>(subEmitterAt(static_cast<const EmitterDesc&>(top), path));
}

std::vector<SubEmitterIds>& subIdsAt(Emitter& top, const SubEmitterPath& path) {
    std::vector<SubEmitterIds>* at = &top.subIds;
    for (std::size_t index : path) {
        at = &(*at)[index].subs;
    }
    return *at;
}

void Scene::giveSubEmitterIds(Emitter& emitter) {
    struct Give {
        Scene& scene;
        std::vector<SubEmitterIds> operator()(const std::vector<SubEmitter>& subs) {
            std::vector<SubEmitterIds> ids;
            for (const SubEmitter& sub : subs) {
                SubEmitterIds made;
                made.id = scene.takeId();
                made.subs = (*this)(sub.emitter.subEmitters);
                ids.push_back(made);
            }
            return ids;
        }
    };
    emitter.subIds = Give{*this}(emitter.values.subEmitters);
}

ElementId Scene::holderOf(ElementId id, SubEmitterPath* path) const {
    SubEmitterPath found;
    for (const System& system : systems) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                if (id != kNoElement && (emitter.id == id || findSubIds(emitter.subIds, id, found))) {
                    if (path) {
                        *path = found;
                    }
                    return emitter.id;
                }
            }
        }
    }
    return kNoElement;
}

const SubEmitter* Scene::findSubEmitter(ElementId id) const {
    SubEmitterPath path;
    const Emitter* holder = findEmitter(holderOf(id, &path));
    return holder && !path.empty() ? &subEmitterAt(holder->values, path) : nullptr;
}

const EmitterDesc* Scene::valuesOf(ElementId id) const {
    if (const Emitter* emitter = findEmitter(id)) {
        return &emitter->values;
    }
    const SubEmitter* sub = findSubEmitter(id);
    return sub ? &sub->emitter : nullptr;
}

std::size_t Scene::levelOf(ElementId id) const {
    SubEmitterPath path;
    return holderOf(id, &path) == kNoElement ? 0 : 1 + path.size();
}

} // namespace editor
} // namespace pelmora
