#include "logic/EffectModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace KW {
namespace effect {

namespace {

Problem problem(const std::string& field, const std::string& message) {
    Problem result;
    result.field = field;
    result.message = message;
    return result;
}

std::string indexed(const char* name, std::size_t index) {
    return std::string(name) + "[" + std::to_string(index) + "]";
}

std::string outside(float value, const Range& range) {
    return floatText(value) + " is outside " + floatText(range.min) + ".." + floatText(range.max);
}

Problem checkRange(const char* field, float value, const Range& range) {
    if (!std::isfinite(value)) {
        return problem(field, floatText(value) + " is not a finite number");
    }
    if (!range.contains(value)) {
        return problem(field, outside(value, range));
    }
    return Problem();
}

Problem checkKeyCount(const char* field, std::size_t count) {
    if (count < kMinKeys || count > kMaxKeys) {
        return problem(field, std::to_string(count) + " keys; a curve has " + std::to_string(kMinKeys) +
                                  " to " + std::to_string(kMaxKeys));
    }
    return Problem();
}

Problem checkSizeKeys(const SizeKeys& keys) {
    Problem found = checkKeyCount("size", keys.size());
    for (std::size_t i = 0; found.ok() && i < keys.size(); ++i) {
        const std::string at = indexed("size", i);
        const KWGraphPoint& key = keys[i];
        if (!(found = checkRange((at + ".x").c_str(), key.x, kKeyPositionRange)).ok() ||
            !(found = checkRange((at + ".upper").c_str(), -key.y1, kSizeRange)).ok() ||
            !(found = checkRange((at + ".lower").c_str(), -key.y2, kSizeRange)).ok()) {
            break;
        }
        if (key.y1 > key.y2) {
            found = problem(at, "lower value " + floatText(-key.y2) + " is above upper value " +
                                    floatText(-key.y1));
        }
    }
    return found;
}

Problem checkColor(const std::string& field, const KWColor& color) {
    const int components[4] = {color.r, color.g, color.b, color.a};
    for (int c = 0; c < 4; ++c) {
        if (components[c] < 0 || components[c] > 255) {
            return problem(field + "[" + std::to_string(c) + "]",
                           std::to_string(components[c]) + " is outside 0..255");
        }
    }
    return Problem();
}

Problem checkColorKeys(const ColorKeys& keys) {
    Problem found = checkKeyCount("color", keys.size());
    for (std::size_t i = 0; found.ok() && i < keys.size(); ++i) {
        const std::string at = indexed("color", i);
        if (!(found = checkRange((at + ".position").c_str(), keys[i].position, kKeyPositionRange)).ok() ||
            !(found = checkColor(at + ".upper", keys[i].color1)).ok()) {
            break;
        }
        found = checkColor(at + ".lower", keys[i].color2);
    }
    return found;
}

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
           sameSizeKeys(a.size, b.size) && sameColorKeys(a.color, b.color);
}

template <typename T> std::vector<std::string> namesOf(const std::vector<T>& elements) {
    std::vector<std::string> names;
    for (const T& element : elements) {
        names.push_back(element.name);
    }
    return names;
}

} // namespace

std::string floatText(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "infinity" : "-infinity";
    }
    // The shortest text that reads back as the same float through a double, as the loader reads it.
    char text[32];
    if (value == std::floor(value) && std::fabs(value) < 1e9f) {
        std::snprintf(text, sizeof(text), "%.0f", static_cast<double>(value));
        return text;
    }
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(text, sizeof(text), "%.*g", precision, static_cast<double>(value));
        if (static_cast<float>(std::strtod(text, nullptr)) == value) {
            break;
        }
    }
    return text;
}

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

Problem checkName(const std::string& name) {
    if (name.empty()) {
        return problem("name", "is empty");
    }
    if (name.size() > kMaxNameLength) {
        return problem("name", std::to_string(name.size()) + " characters; at most " +
                                   std::to_string(kMaxNameLength));
    }
    if (name.find('\0') != std::string::npos) {
        return problem("name", "holds a NUL character");
    }
    return Problem();
}

Problem checkEmitter(const Emitter& emitter) {
    Problem found = checkName(emitter.name);
    if (found.ok()) {
        found = checkRange("rate", emitter.rate, kRateRange);
    }
    if (found.ok()) {
        found = checkRange("lifetime.min", emitter.lifetimeMin, kLifetimeRange);
    }
    if (found.ok()) {
        found = checkRange("lifetime.max", emitter.lifetimeMax, kLifetimeRange);
    }
    if (found.ok() && emitter.lifetimeMin > emitter.lifetimeMax) {
        found = problem("lifetime", "minimum " + floatText(emitter.lifetimeMin) + " is above maximum " +
                                        floatText(emitter.lifetimeMax));
    }
    if (found.ok()) {
        found = checkRange("speed", emitter.speed, kSpeedRange);
    }
    if (found.ok()) {
        found = checkRange("spread", emitter.spread, kSpreadRange);
    }
    if (found.ok()) {
        found = checkRange("gravity", emitter.gravity, kGravityRange);
    }
    if (found.ok() && emitter.blend != BlendMode::Alpha && emitter.blend != BlendMode::Additive) {
        found = problem("blend", "is neither alpha nor additive");
    }
    if (found.ok() && emitter.texture.size() > kMaxTextureLength) {
        found = problem("texture", std::to_string(emitter.texture.size()) + " characters; at most " +
                                       std::to_string(kMaxTextureLength));
    }
    if (found.ok() && emitter.texture.find('\0') != std::string::npos) {
        found = problem("texture", "holds a NUL character");
    }
    if (found.ok()) {
        found = checkSizeKeys(emitter.size);
    }
    if (found.ok()) {
        found = checkColorKeys(emitter.color);
    }
    return found;
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

} // namespace effect
} // namespace KW
