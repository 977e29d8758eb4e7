#include "logic/EffectModel.h"

#include <algorithm>
#include <cmath>

namespace KW {
namespace effect {

namespace {

bool sameColor(const KWColor& a, const KWColor& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool sameSizeKeys(const SizeKeys& a, const SizeKeys& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const KWGraphPoint& p, const KWGraphPoint& q) {
                          return p.x == q.x && p.y1 == q.y1 && p.y2 == q.y2;
                      });
}

bool sameValues(const Emitter& a, const Emitter& b) {
    return a.name == b.name && a.rate == b.rate && a.lifetimeMin == b.lifetimeMin &&
           a.lifetimeMax == b.lifetimeMax && a.speed == b.speed && a.spread == b.spread &&
           a.gravity == b.gravity && a.blend == b.blend && a.texture == b.texture &&
           sameSizeKeys(a.size, b.size) && sameColorKeys(a.color, b.color) && a.shape == b.shape &&
           a.direction == b.direction && a.bursts == b.bursts && a.duration == b.duration &&
           a.loop == b.loop && a.delay == b.delay && a.prewarm == b.prewarm &&
           a.rotationMin == b.rotationMin && a.rotationMax == b.rotationMax && a.spinMin == b.spinMin &&
           a.spinMax == b.spinMax && a.alignToVelocity == b.alignToVelocity && a.drag == b.drag &&
           a.sheet == b.sheet;
}

template <typename T> std::vector<std::string> namesOf(const std::vector<T>& elements) {
    std::vector<std::string> names;
    for (const T& element : elements) {
        names.push_back(element.name);
    }
    return names;
}

} // namespace

KWGraphPoint sizeKey(float x, float upper, float lower, bool fixed) {
    KWGraphPoint key;
    key.x = x;
    key.y1 = -upper;
    key.y2 = -lower;
    key.fixed = fixed;
    return key;
}

SizeKeys defaultSizeKeys() {
    SizeKeys keys;
    keys.push_back(sizeKey(0.0f, 12.0f, 6.0f, true));
    keys.push_back(sizeKey(100.0f, 3.0f, 1.0f, true));
    return keys;
}

ColorKeys defaultColorKeys() {
    ColorKeys keys;
    keys.push_back(KWColorPoint(0.0f, KWColor(255, 240, 170, 255), KWColor(255, 190, 60, 255), true));
    keys.push_back(KWColorPoint(100.0f, KWColor(230, 60, 0, 0), KWColor(160, 20, 0, 0), true));
    return keys;
}

ColorKeys sortedColorKeys(const ColorKeys& keys) {
    ColorKeys sorted(keys);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const KWColorPoint& a, const KWColorPoint& b) { return a.position < b.position; });
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        sorted[i].selected = false;
        sorted[i].fixed = i == 0 || i + 1 == sorted.size();
    }
    return sorted;
}

std::string refusalText(const Problem& problem) {
    return problem.ok() ? std::string("The change was refused.") : problem.field + ": " + problem.message;
}

Problem checkName(const std::string& name) {
    return pelmora::detail::checkName(name);
}

Problem checkEmitter(const Emitter& emitter) {
    return pelmora::detail::checkEmitter(toRuntime(emitter));
}

// The values editor and runtime keep alike (all but the keys), from either to the other.
template <typename From, typename To> void copyValues(const From& from, To& to) {
    to.name = from.name;
    to.rate = from.rate;
    to.lifetimeMin = from.lifetimeMin;
    to.lifetimeMax = from.lifetimeMax;
    to.speed = from.speed;
    to.spread = from.spread;
    to.gravity = from.gravity;
    to.blend = from.blend;
    to.texture = from.texture;
    to.shape = from.shape;
    to.direction = from.direction;
    to.bursts = from.bursts;
    to.duration = from.duration;
    to.loop = from.loop;
    to.delay = from.delay;
    to.prewarm = from.prewarm;
    to.rotationMin = from.rotationMin;
    to.rotationMax = from.rotationMax;
    to.spinMin = from.spinMin;
    to.spinMax = from.spinMax;
    to.alignToVelocity = from.alignToVelocity;
    to.drag = from.drag;
    to.sheet = from.sheet;
    to.trail = from.trail;
    to.subEmitters = from.subEmitters;
    to.noise = from.noise;
    to.forces = from.forces;
    to.speedOverLife = from.speedOverLife;
    to.speedLimit = from.speedLimit;
    to.stretch = from.stretch;
    to.collision = from.collision;
}

pelmora::EmitterDesc toRuntime(const Emitter& emitter) {
    pelmora::EmitterDesc desc;
    copyValues(emitter, desc);
    for (const KWGraphPoint& key : emitter.size) {
        desc.size.push_back(pelmora::SizeKey{key.x, -key.y1, -key.y2});
    }
    for (const KWColorPoint& key : emitter.color) {
        desc.color.push_back(pelmora::ColorKey{key.position,
                                               {key.color1.r, key.color1.g, key.color1.b, key.color1.a},
                                               {key.color2.r, key.color2.g, key.color2.b, key.color2.a}});
    }
    return desc;
}

Emitter fromRuntime(const pelmora::EmitterDesc& desc) {
    Emitter emitter;
    copyValues(desc, emitter);
    emitter.size.clear();
    for (std::size_t i = 0; i < desc.size.size(); ++i) {
        const pelmora::SizeKey& key = desc.size[i];
        emitter.size.push_back(sizeKey(key.x, key.upper, key.lower, i == 0 || i + 1 == desc.size.size()));
    }
    emitter.color.clear();
    for (std::size_t i = 0; i < desc.color.size(); ++i) {
        const pelmora::ColorKey& key = desc.color[i];
        emitter.color.push_back(KWColorPoint(key.position,
                                             KWColor(key.upper.r, key.upper.g, key.upper.b, key.upper.a),
                                             KWColor(key.lower.r, key.lower.g, key.lower.b, key.lower.a),
                                             i == 0 || i + 1 == desc.color.size()));
    }
    return emitter;
}

std::vector<pelmora::SystemDesc> toRuntime(const Scene& scene) {
    std::vector<pelmora::SystemDesc> systems;
    for (const System& system : scene.getSystems()) {
        pelmora::SystemDesc systemDesc;
        systemDesc.name = system.name;
        for (const Group& group : system.groups) {
            pelmora::GroupDesc groupDesc;
            groupDesc.name = group.name;
            for (const Emitter& emitter : group.emitters) {
                groupDesc.emitters.push_back(toRuntime(emitter));
            }
            systemDesc.groups.push_back(groupDesc);
        }
        systems.push_back(systemDesc);
    }
    return systems;
}

bool sameColorKeys(const ColorKeys& a, const ColorKeys& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const KWColorPoint& p, const KWColorPoint& q) {
            return p.position == q.position && sameColor(p.color1, q.color1) && sameColor(p.color2, q.color2);
        });
}

bool operator==(const Emitter& a, const Emitter& b) {
    return a.id == b.id && sameValues(a, b);
}

bool operator!=(const Emitter& a, const Emitter& b) {
    return !(a == b);
}

bool operator==(const Group& a, const Group& b) {
    return a.id == b.id && a.name == b.name && a.emitters == b.emitters;
}

bool operator==(const System& a, const System& b) {
    return a.id == b.id && a.name == b.name && a.groups == b.groups;
}

Scene::Scene() : nextId(1) {}

Scene Scene::makeDefault() {
    Scene scene;
    scene.addEmitter(scene.addGroup(scene.addSystem()));
    return scene;
}

std::string Scene::freeName(const char* kind, const std::vector<std::string>& siblings) const {
    // Numbers taken by siblings named "<kind> <n>"; one of 1..count+1 is always free.
    const std::string prefix = std::string(kind) + " ";
    std::vector<bool> taken(siblings.size() + 2, false);
    for (const std::string& name : siblings) {
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

ElementId Scene::addSystem() {
    if (elementCount() >= kMaxElements) {
        return kNoElement;
    }
    System system;
    system.id = takeId();
    system.name = freeName("System", namesOf(systems));
    systems.push_back(system);
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
    if (!system || elementCount() >= kMaxElements) {
        return kNoElement;
    }
    Group group;
    group.id = takeId();
    group.name = freeName("Group", namesOf(system->groups));
    system->groups.push_back(group);
    return group.id;
}

ElementId Scene::addEmitter(ElementId under) {
    if (kindOf(under) == ElementKind::Emitter) {
        under = parentOf(under);
    } else if (const System* system = findSystem(under)) {
        under = system->groups.empty() ? kNoElement : system->groups.front().id;
    }
    Group* group = findGroup(under);
    if (!group || elementCount() >= kMaxElements) {
        return kNoElement;
    }
    Emitter emitter;
    emitter.id = takeId();
    emitter.name = freeName("Emitter", namesOf(group->emitters));
    group->emitters.push_back(emitter);
    return emitter.id;
}

ElementId Scene::appendSystem(const System& source) {
    std::size_t count = 1;
    for (const Group& group : source.groups) {
        count += 1 + group.emitters.size();
    }
    if (elementCount() + count > kMaxElements) {
        return kNoElement;
    }
    System system = source;
    system.id = takeId();
    for (Group& group : system.groups) {
        group.id = takeId();
        for (Emitter& emitter : group.emitters) {
            emitter.id = takeId();
        }
    }
    systems.push_back(system);
    return system.id;
}

bool Scene::remove(ElementId id) {
    for (auto system = systems.begin(); system != systems.end(); ++system) {
        if (system->id == id) {
            systems.erase(system);
            return true;
        }
        for (auto group = system->groups.begin(); group != system->groups.end(); ++group) {
            if (group->id == id) {
                system->groups.erase(group);
                return true;
            }
            for (auto emitter = group->emitters.begin(); emitter != group->emitters.end(); ++emitter) {
                if (emitter->id == id) {
                    group->emitters.erase(emitter);
                    return true;
                }
            }
        }
    }
    return false;
}

bool Scene::rename(ElementId id, const std::string& name) {
    if (!checkName(name).ok()) {
        return false;
    }
    if (System* system = findSystem(id)) {
        system->name = name;
    } else if (Group* group = findGroup(id)) {
        group->name = name;
    } else if (Emitter* emitter = findEmitter(id)) {
        emitter->name = name;
    } else {
        return false;
    }
    return true;
}

bool Scene::setEmitter(ElementId id, const Emitter& values) {
    Emitter* emitter = findEmitter(id);
    if (!emitter || !checkEmitter(values).ok()) {
        return false;
    }
    *emitter = values;
    emitter->id = id;
    return true;
}

ElementKind Scene::kindOf(ElementId id) const {
    if (findSystem(id)) {
        return ElementKind::System;
    }
    if (findGroup(id)) {
        return ElementKind::Group;
    }
    return findEmitter(id) ? ElementKind::Emitter : ElementKind::None;
}

ElementId Scene::parentOf(ElementId id) const {
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
    const Emitter* emitter = findEmitter(id);
    return emitter ? &emitter->name : nullptr;
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

std::size_t Scene::elementCount() const {
    std::size_t count = 0;
    for (const System& system : systems) {
        count += 1 + system.groups.size();
        for (const Group& group : system.groups) {
            count += group.emitters.size();
        }
    }
    return count;
}

void Scene::raiseNextId(ElementId atLeast) {
    nextId = std::max(nextId, atLeast);
}

bool Scene::sameContent(const Scene& a, const Scene& b) {
    return std::equal(a.systems.begin(), a.systems.end(), b.systems.begin(), b.systems.end(),
                      [](const System& s, const System& t) {
                          return s.name == t.name &&
                                 std::equal(s.groups.begin(), s.groups.end(), t.groups.begin(),
                                            t.groups.end(), [](const Group& g, const Group& h) {
                                                return g.name == h.name &&
                                                       std::equal(g.emitters.begin(), g.emitters.end(),
                                                                  h.emitters.begin(), h.emitters.end(),
                                                                  sameValues);
                                            });
                      });
}

bool Scene::sameTiming(const Scene& before, const Scene& after) {
    for (const System& system : after.systems) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                const Emitter* old = before.findEmitter(emitter.id);
                if (old && (old->duration != emitter.duration || old->loop != emitter.loop ||
                            old->delay != emitter.delay || old->prewarm != emitter.prewarm ||
                            old->bursts != emitter.bursts)) {
                    return false;
                }
            }
        }
    }
    return true;
}

} // namespace effect
} // namespace KW
