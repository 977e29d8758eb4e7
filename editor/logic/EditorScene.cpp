#include "logic/EditorScene.h"

#include <pelmora/Limits.h>

#include <algorithm>

namespace pelmora {
namespace editor {

namespace {

// Same ids, names and values, all the way down.
bool sameEmitters(const std::vector<Emitter>& a, const std::vector<Emitter>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Emitter& p, const Emitter& q) {
        return p.id == q.id && sameValues(p.values, q.values) && p.subIds == q.subIds;
    });
}

bool sameGroups(const std::vector<Group>& a, const std::vector<Group>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Group& p, const Group& q) {
        return p.id == q.id && p.name == q.name && sameEmitters(p.emitters, q.emitters);
    });
}

bool sameSystems(const std::vector<System>& a, const std::vector<System>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const System& p, const System& q) {
        return p.id == q.id && p.name == q.name && sameGroups(p.groups, q.groups);
    });
}

// "<kind> <n>" with the lowest n that no sibling's name takes; one of 1..count+1 is always free.
template <typename T> std::string freeName(const char* kind, const std::vector<T>& siblings) {
    const std::string prefix = std::string(kind) + " ";
    std::vector<bool> taken(siblings.size() + 2, false);
    for (const T& sibling : siblings) {
        const std::string& name = sibling.name;
        if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size() ||
            name.size() > prefix.size() + 9 || name[prefix.size()] == '0') {
            continue;
        }
        std::size_t number = 0;
        bool digits = true;
        for (std::size_t i = prefix.size(); i < name.size() && digits; ++i) {
            digits = name[i] >= '0' && name[i] <= '9';
            number = number * 10 + static_cast<std::size_t>(name[i] - '0');
        }
        if (digits && number < taken.size()) {
            taken[number] = true;
        }
    }
    std::size_t number = 1;
    while (taken[number]) {
        ++number;
    }
    return prefix + std::to_string(number);
}

const std::string& nameOfEmitter(const Emitter& emitter) {
    return emitter.values.name;
}

// Emitters keep their names in their values; freeName reads a `name` member.
struct NamedEmitter {
    const std::string& name;
};

std::vector<NamedEmitter> emitterNames(const std::vector<Emitter>& emitters) {
    std::vector<NamedEmitter> names;
    for (const Emitter& emitter : emitters) {
        names.push_back(NamedEmitter{nameOfEmitter(emitter)});
    }
    return names;
}

template <typename T> bool insertAt(std::vector<T>& siblings, std::size_t index, const T& element) {
    if (index > siblings.size()) {
        return false;
    }
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(index), element);
    return true;
}

template <typename T> std::size_t indexOf(const std::vector<T>& siblings, ElementId id) {
    return static_cast<std::size_t>(
        std::find_if(siblings.begin(), siblings.end(), [id](const T& e) { return e.id == id; }) -
        siblings.begin());
}

std::size_t elementsIn(const System& system) {
    std::size_t count = 1;
    for (const Group& group : system.groups) {
        count += 1 + group.emitters.size();
    }
    return count;
}

std::size_t elementsIn(const Group& group) {
    return 1 + group.emitters.size();
}

std::size_t elementsIn(const Emitter&) {
    return 1;
}

} // namespace

std::string freeElementName(const char* kind, const std::vector<std::string>& names) {
    std::vector<NamedEmitter> named;
    for (const std::string& name : names) {
        named.push_back(NamedEmitter{name});
    }
    return freeName(kind, named);
}

ElementId PlacedElement::id() const {
    return std::visit([](const auto& held) { return held.id; }, element);
}

Scene Scene::makeDefault() {
    Scene scene;
    scene.addEmitter(scene.addGroup(scene.addSystem()));
    return scene;
}

ElementId Scene::addSystem() {
    if (count >= kMaxElements) {
        return kNoElement;
    }
    System system;
    system.id = takeId();
    system.name = freeName("System", systems);
    systems.push_back(system);
    ++count;
    return system.id;
}

ElementId Scene::addGroup(ElementId under) {
    ElementKind kind = kindOf(under);
    if (kind == ElementKind::Emitter) {
        under = parentOf(under);
        kind = ElementKind::Group;
    }
    if (kind == ElementKind::Group) {
        under = parentOf(under);
    }
    System* system = findSystem(under);
    if (!system || count >= kMaxElements) {
        return kNoElement;
    }
    Group group;
    group.id = takeId();
    group.name = freeName("Group", system->groups);
    system->groups.push_back(group);
    ++count;
    return group.id;
}

ElementId Scene::addEmitter(ElementId under) {
    if (kindOf(under) == ElementKind::Emitter) {
        under = parentOf(under);
    } else if (const System* system = findSystem(under)) {
        under = system->groups.empty() ? kNoElement : system->groups.front().id;
    }
    Group* group = findGroup(under);
    if (!group || count >= kMaxElements) {
        return kNoElement;
    }
    Emitter emitter;
    emitter.id = takeId();
    emitter.values = defaultEmitterValues();
    emitter.values.name = freeName("Emitter", emitterNames(group->emitters));
    group->emitters.push_back(emitter);
    ++count;
    return emitter.id;
}

ElementId Scene::appendSystem(const SystemDesc& source) {
    std::size_t adding = 1;
    for (const GroupDesc& group : source.groups) {
        adding += 1 + group.emitters.size();
    }
    if (count + adding > kMaxElements) {
        return kNoElement;
    }
    System system;
    system.id = takeId();
    system.name = source.name;
    for (const GroupDesc& groupDesc : source.groups) {
        Group group;
        group.id = takeId();
        group.name = groupDesc.name;
        for (const EmitterDesc& values : groupDesc.emitters) {
            group.emitters.push_back(Emitter{takeId(), values, {}});
            giveSubEmitterIds(group.emitters.back());
        }
        system.groups.push_back(group);
    }
    systems.push_back(system);
    count += adding;
    return system.id;
}

bool Scene::copyElement(ElementId id, PlacedElement& out) const {
    switch (kindOf(id)) {
    case ElementKind::System:
        out = PlacedElement{kNoElement, indexOf(systems, id), *findSystem(id)};
        return true;
    case ElementKind::Group: {
        const System* system = findSystem(parentOf(id));
        out = PlacedElement{system->id, indexOf(system->groups, id), *findGroup(id)};
        return true;
    }
    case ElementKind::Emitter: {
        const Group* group = findGroup(parentOf(id));
        out = PlacedElement{group->id, indexOf(group->emitters, id), *findEmitter(id)};
        return true;
    }
    default:
        return false;
    }
}

bool Scene::remove(ElementId id) {
    for (auto system = systems.begin(); system != systems.end(); ++system) {
        if (system->id == id) {
            systems.erase(system);
            countElements();
            return true;
        }
        for (auto group = system->groups.begin(); group != system->groups.end(); ++group) {
            if (group->id == id) {
                system->groups.erase(group);
                countElements();
                return true;
            }
            for (auto emitter = group->emitters.begin(); emitter != group->emitters.end(); ++emitter) {
                if (emitter->id == id) {
                    group->emitters.erase(emitter);
                    --count;
                    return true;
                }
            }
        }
    }
    return false;
}

bool Scene::insert(const PlacedElement& placed) {
    const std::size_t adding = std::visit([](const auto& held) { return elementsIn(held); }, placed.element);
    if (kindOf(placed.id()) != ElementKind::None || count + adding > kMaxElements) {
        return false;
    }
    bool inserted = false;
    if (const System* system = std::get_if<System>(&placed.element)) {
        inserted = placed.parent == kNoElement && insertAt(systems, placed.index, *system);
    } else if (const Group* group = std::get_if<Group>(&placed.element)) {
        System* parent = findSystem(placed.parent);
        inserted = parent && insertAt(parent->groups, placed.index, *group);
    } else {
        Group* parent = findGroup(placed.parent);
        inserted = parent && insertAt(parent->emitters, placed.index, std::get<Emitter>(placed.element));
    }
    if (inserted) {
        count += adding;
    }
    return inserted;
}

bool Scene::setName(ElementId id, const std::string& name) {
    if (System* system = findSystem(id)) {
        system->name = name;
    } else if (Group* group = findGroup(id)) {
        group->name = name;
    } else if (Emitter* emitter = findEmitter(id)) {
        emitter->values.name = name;
    } else if (kindOf(id) == ElementKind::SubEmitter) {
        SubEmitterPath path;
        Emitter* holder = findEmitter(holderOf(id, &path));
        subEmitterAt(holder->values, path).emitter.name = name;
    } else {
        return false;
    }
    return true;
}

ElementKind Scene::kindOf(ElementId id) const {
    if (findSystem(id)) {
        return ElementKind::System;
    }
    if (findGroup(id)) {
        return ElementKind::Group;
    }
    if (findEmitter(id)) {
        return ElementKind::Emitter;
    }
    return findSubEmitter(id) ? ElementKind::SubEmitter : ElementKind::None;
}

ElementId Scene::parentOf(ElementId id) const {
    SubEmitterPath path;
    const Emitter* holder = findEmitter(holderOf(id, &path));
    if (holder && !path.empty()) {
        // The sub-emitter one level up, or the emitter at the top.
        ElementId parent = holder->id;
        const std::vector<SubEmitterIds>* level = &holder->subIds;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            parent = (*level)[path[i]].id;
            level = &(*level)[path[i]].subs;
        }
        return parent;
    }
    for (const System& system : systems) {
        for (const Group& group : system.groups) {
            if (group.id == id) {
                return system.id;
            }
            for (const Emitter& emitter : group.emitters) {
                if (emitter.id == id) {
                    return group.id;
                }
            }
        }
    }
    return kNoElement;
}

const std::string* Scene::nameOf(ElementId id) const {
    if (const System* system = findSystem(id)) {
        return &system->name;
    }
    if (const Group* group = findGroup(id)) {
        return &group->name;
    }
    const EmitterDesc* values = valuesOf(id);
    return values ? &values->name : nullptr;
}

const System* Scene::findSystem(ElementId id) const {
    for (const System& system : systems) {
        if (id != kNoElement && system.id == id) {
            return &system;
        }
    }
    return nullptr;
}

const Group* Scene::findGroup(ElementId id) const {
    for (const System& system : systems) {
        for (const Group& group : system.groups) {
            if (id != kNoElement && group.id == id) {
                return &group;
            }
        }
    }
    return nullptr;
}

const Emitter* Scene::findEmitter(ElementId id) const {
    for (const System& system : systems) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                if (id != kNoElement && emitter.id == id) {
                    return &emitter;
                }
            }
        }
    }
    return nullptr;
}

System* Scene::findSystem(ElementId id) {
    return const_cast<System*>(static_cast<const Scene*>(this)->findSystem(id));
}

Group* Scene::findGroup(ElementId id) {
    return const_cast<Group*>(static_cast<const Scene*>(this)->findGroup(id));
}

Emitter* Scene::findEmitter(ElementId id) {
    return const_cast<Emitter*>(static_cast<const Scene*>(this)->findEmitter(id));
}

ElementId Scene::firstEmitter() const {
    for (const System& system : systems) {
        for (const Group& group : system.groups) {
            if (!group.emitters.empty()) {
                return group.emitters.front().id;
            }
        }
    }
    return systems.empty() ? kNoElement : systems.front().id;
}

std::vector<SystemDesc> Scene::describe() const {
    std::vector<SystemDesc> described;
    for (const System& system : systems) {
        SystemDesc systemDesc;
        systemDesc.name = system.name;
        for (const Group& group : system.groups) {
            GroupDesc groupDesc;
            groupDesc.name = group.name;
            for (const Emitter& emitter : group.emitters) {
                groupDesc.emitters.push_back(emitter.values);
            }
            systemDesc.groups.push_back(groupDesc);
        }
        described.push_back(systemDesc);
    }
    return described;
}

bool Scene::operator==(const Scene& other) const {
    return sameSystems(systems, other.systems);
}

void Scene::countElements() {
    count = 0;
    for (const System& system : systems) {
        count += elementsIn(system);
    }
}

} // namespace editor
} // namespace pelmora
