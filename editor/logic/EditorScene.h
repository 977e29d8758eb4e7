#ifndef PELMORA_EDITOR_SCENE_H
#define PELMORA_EDITOR_SCENE_H

#include "logic/EmitterValues.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A particle effect as the editor keeps it: the runtime's systems, groups and emitters, each with an
// id that stays the same while the element exists, so a tree or a property grid can refer to it across
// edits; ids are never written to a file. An emitter's values are the runtime's own EmitterDesc, its
// sub-emitters included; each sub-emitter has an id too, kept beside the values in the same shape.
namespace pelmora {
namespace editor {

typedef std::uint32_t ElementId;
const ElementId kNoElement = 0;

enum class ElementKind { None, System, Group, Emitter, SubEmitter };

// A sub-emitter's id and its own sub-emitters' ids.
struct SubEmitterIds {
    ElementId id = kNoElement;
    std::vector<SubEmitterIds> subs;
    bool operator==(const SubEmitterIds& other) const { return id == other.id && subs == other.subs; }
};

// Where a sub-emitter sits within the emitter at the top: the index at each level down.
typedef std::vector<std::size_t> SubEmitterPath;

struct Emitter {
    ElementId id = kNoElement;
    EmitterDesc values;                // its name is values.name
    std::vector<SubEmitterIds> subIds; // one for each of values.subEmitters, all the way down
};

// "<kind> <n>" with the lowest n that none of the names takes.
std::string freeElementName(const char* kind, const std::vector<std::string>& names);

// The emitter at a path below top (top itself for an empty path).
EmitterDesc& emitterAt(EmitterDesc& top, const SubEmitterPath& path);
const EmitterDesc& emitterAt(const EmitterDesc& top, const SubEmitterPath& path);
// The sub-emitter at a path (not empty) below top.
SubEmitter& subEmitterAt(EmitterDesc& top, const SubEmitterPath& path);
const SubEmitter& subEmitterAt(const EmitterDesc& top, const SubEmitterPath& path);
// The ids of the sub-emitters of the emitter at a path below top.
std::vector<SubEmitterIds>& subIdsAt(Emitter& top, const SubEmitterPath& path);

struct Group {
    ElementId id = kNoElement;
    std::string name;
    std::vector<Emitter> emitters;
};

struct System {
    ElementId id = kNoElement;
    std::string name;
    std::vector<Group> groups;
};

// An element with everything it holds, and where it sits: the index among the children of its parent
// (kNoElement for a system). What undo puts back after a removal.
struct PlacedElement {
    ElementId parent = kNoElement;
    std::size_t index = 0;
    std::variant<System, Group, Emitter> element;

    ElementId id() const;
};

class Scene {
public:
    // Empty: no systems. Use makeDefault for a new effect.
    Scene() = default;
    // A new effect: one system with one group with one default emitter.
    static Scene makeDefault();

    const std::vector<System>& getSystems() const { return systems; }

    // Adds under the element given (kNoElement allowed for systems): a system to the scene; a group
    // to the system given or holding the element given; an emitter to the group given or holding the
    // emitter given, or to the first group of the system given. Returns the new id, or kNoElement when
    // there is nowhere to add or the element limit is reached. Pointers into the scene become invalid.
    ElementId addSystem();
    ElementId addGroup(ElementId under);
    ElementId addEmitter(ElementId under);
    // Appends a system read from a file, with fresh ids for it and everything it holds; kNoElement
    // when it would pass the element limit.
    ElementId appendSystem(const SystemDesc& system);

    // A copy of the element and what it holds, with its place; false for an unknown id.
    bool copyElement(ElementId id, PlacedElement& out) const;
    // Removes the element and everything it holds.
    bool remove(ElementId id);
    // Puts an element back where it was: its parent must exist and the index lie within its children.
    bool insert(const PlacedElement& placed);
    // Sets a name without checking it; false for an unknown id.
    bool setName(ElementId id, const std::string& name);

    ElementKind kindOf(ElementId id) const;
    // The system of a group, the group of an emitter, the emitter or sub-emitter of a sub-emitter;
    // kNoElement for systems and unknown ids.
    ElementId parentOf(ElementId id) const;
    const std::string* nameOf(ElementId id) const;
    const System* findSystem(ElementId id) const;
    const Group* findGroup(ElementId id) const;
    const Emitter* findEmitter(ElementId id) const;
    Emitter* findEmitter(ElementId id);
    // A sub-emitter by its id; null for other ids.
    const SubEmitter* findSubEmitter(ElementId id) const;
    // The values of an emitter or a sub-emitter's emitter; null for other ids.
    const EmitterDesc* valuesOf(ElementId id) const;
    // The emitter in a group that holds a sub-emitter (an emitter's own id for an emitter), and the
    // sub-emitter's path below it; kNoElement for other ids.
    ElementId holderOf(ElementId id, SubEmitterPath* path = nullptr) const;
    // Levels of emitters from the top down to an emitter or sub-emitter (1 for an emitter); 0 for others.
    std::size_t levelOf(ElementId id) const;
    // Gives new ids to an emitter's sub-emitters, all the way down, in the shape of its values.
    void giveSubEmitterIds(Emitter& emitter);
    // An id nobody holds, for an element about to be made.
    ElementId newId() { return takeId(); }
    // The first emitter, else the first system, else kNoElement: what a fresh view selects.
    ElementId firstEmitter() const;
    std::size_t elementCount() const { return count; }

    // The next id handed out. Raising it above another scene's keeps ids apart across files, so a view
    // that follows elements by id never takes a new element for an old one.
    ElementId getNextId() const { return nextId; }
    void raiseNextId(ElementId atLeast) { nextId = atLeast > nextId ? atLeast : nextId; }

    // The systems as the runtime takes them.
    std::vector<SystemDesc> describe() const;

    // Same ids, names and values.
    bool operator==(const Scene& other) const;
    bool operator!=(const Scene& other) const { return !(*this == other); }

private:
    System* findSystem(ElementId id);
    Group* findGroup(ElementId id);
    ElementId takeId() { return nextId++; }
    void countElements();

    std::vector<System> systems;
    ElementId nextId = 1; // never lowered, so an element put back by undo keeps an id nobody took
    std::size_t count = 0;
};

} // namespace editor
} // namespace pelmora

#endif
