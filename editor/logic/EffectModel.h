#ifndef PELMORA_EFFECT_MODEL_H
#define PELMORA_EFFECT_MODEL_H

#include "KWColorPoint.h"
#include "KWGraphPoint.h"

#include "Check.h"
#include <pelmora/Runtime.h>

#include <cstdint>
#include <string>
#include <vector>

// A particle effect as the editor keeps it: a scene holds systems, a system holds groups, a group holds
// emitters. Every element carries an id that stays the same while the element exists, so a tree or a
// property grid can refer to it across edits; ids are never written to a file.
namespace KW {
namespace effect {

typedef std::uint32_t ElementId;
const ElementId kNoElement = 0;

enum class ElementKind { None, System, Group, Emitter };
using BlendMode = pelmora::Blend;

// The ranges and limits of the runtime, which refuses files beyond them.
using pelmora::detail::kGravityRange;
using pelmora::detail::kKeyPositionRange;
using pelmora::detail::kLifetimeRange;
using pelmora::detail::kMaxElements;
using pelmora::detail::kMaxKeys;
using pelmora::detail::kMaxNameLength;
using pelmora::detail::kMaxTextureLength;
using pelmora::detail::kMinKeys;
using pelmora::detail::kRateRange;
using pelmora::detail::kSizeRange;
using pelmora::detail::kSpeedRange;
using pelmora::detail::kSpreadRange;
using pelmora::detail::Range;

// Size over life: the curve editor's keys (data y = -size). Colour over life: the gradient editor's.
typedef std::vector<KWGraphPoint> SizeKeys;
typedef std::vector<KWColorPoint> ColorKeys;

// A key as the gadgets create it: the end keys fixed, nothing selected.
KWGraphPoint sizeKey(float x, float upper, float lower, bool fixed = false);
// Default curves of a new emitter, chosen to show a visible effect at once.
SizeKeys defaultSizeKeys();
ColorKeys defaultColorKeys();

// The defaults make a visible effect at once.
struct Emitter {
    ElementId id = kNoElement;
    std::string name;
    float rate = 40.0f;
    float lifetimeMin = 1.0f;
    float lifetimeMax = 2.0f;
    float speed = 120.0f;
    float spread = 30.0f;
    float gravity = 60.0f;
    BlendMode blend = BlendMode::Additive;
    std::string texture; // empty: a plain round particle
    SizeKeys size = defaultSizeKeys();
    ColorKeys color = defaultColorKeys();
    // Shape, timing, motion and sprite sheet, as pelmora::EmitterDesc documents them.
    pelmora::EmitterShape shape;
    float direction = 0.0f;
    std::vector<pelmora::Burst> bursts;
    float duration = 5.0f;
    bool loop = true;
    float delay = 0.0f;
    bool prewarm = false;
    float rotationMin = 0.0f;
    float rotationMax = 0.0f;
    float spinMin = 0.0f;
    float spinMax = 0.0f;
    bool alignToVelocity = false;
    float drag = 0.0f;
    pelmora::SpriteSheet sheet;
    // Trails, sub-emitters, noise, forces, speed, stretch and collision, kept as read and saved as they are.
    pelmora::Trail trail;
    std::vector<pelmora::SubEmitter> subEmitters;
    pelmora::Noise noise;
    std::vector<pelmora::Force> forces;
    std::vector<pelmora::SizeKey> speedOverLife = pelmora::EmitterDesc().speedOverLife;
    float speedLimit = 0.0f;
    float stretch = 0.0f;
    pelmora::Collision collision;
};

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

// The keys in position order (stable, so evaluation is unchanged), end keys fixed and nothing
// selected: the form the gradient editor accepts from a client.
ColorKeys sortedColorKeys(const ColorKeys& keys);

// The shortest text that reads back as the same float; "NaN", "infinity" or "-infinity" otherwise.
using pelmora::detail::floatText;

// A field that failed validation: its path below the element (e.g. "size[2].x") and why.
using pelmora::detail::Problem;

// The runtime's checks: the editor accepts exactly what effect files may hold.
Problem checkName(const std::string& name);
Problem checkEmitter(const Emitter& emitter);
// What a user is told of a refused change: "FIELD: PROBLEM", or that it was refused when no check names it.
std::string refusalText(const Problem& problem);

class Scene;

// The emitter as the runtime keeps it, and back (the end keys fixed, nothing selected).
pelmora::EmitterDesc toRuntime(const Emitter& emitter);
Emitter fromRuntime(const pelmora::EmitterDesc& emitter);
// Every system, group and emitter of the scene, for the runtime.
std::vector<pelmora::SystemDesc> toRuntime(const Scene& scene);

// Same positions and colours, in the same order; selection and fixed marks are not compared.
bool sameColorKeys(const ColorKeys& a, const ColorKeys& b);

// Equal values, ids and names; key selection and fixed marks are editor state and not compared.
bool operator==(const Emitter& a, const Emitter& b);
bool operator!=(const Emitter& a, const Emitter& b);
bool operator==(const Group& a, const Group& b);
bool operator==(const System& a, const System& b);

class Scene {
public:
    // Empty: no systems. Use makeDefault for a new effect.
    Scene();
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
    // Appends a copy of a whole element with fresh ids for it and everything it holds (loading).
    ElementId appendSystem(const System& system);

    // Removes the element and everything it holds.
    bool remove(ElementId id);
    // Refused (false, nothing changed) for an unknown id or a name that checkName rejects.
    bool rename(ElementId id, const std::string& name);
    // Replaces an emitter's values, keeping its id; refused when checkEmitter finds a problem.
    bool setEmitter(ElementId id, const Emitter& values);

    ElementKind kindOf(ElementId id) const;
    // The system of a group, the group of an emitter; kNoElement for systems and unknown ids.
    ElementId parentOf(ElementId id) const;
    const std::string* nameOf(ElementId id) const;
    System* findSystem(ElementId id);
    Group* findGroup(ElementId id);
    Emitter* findEmitter(ElementId id);
    const System* findSystem(ElementId id) const;
    const Group* findGroup(ElementId id) const;
    const Emitter* findEmitter(ElementId id) const;
    std::size_t elementCount() const;

    // The next id handed out; raised, never lowered, so that restoring an older copy of the scene
    // cannot give a new element the id of one that existed after it.
    ElementId getNextId() const { return nextId; }
    void raiseNextId(ElementId atLeast);

    // Same content with ids ignored (file round trips, detecting edits that change nothing).
    static bool sameContent(const Scene& a, const Scene& b);
    // Every emitter that both scenes hold has the same duration, loop, delay, prewarm and bursts: the values
    // that only take effect from the effect's start, so a preview must start over when one changes.
    static bool sameTiming(const Scene& before, const Scene& after);
    // Same content and the same ids.
    bool operator==(const Scene& other) const { return systems == other.systems; }

private:
    ElementId takeId() { return nextId++; }
    std::string freeName(const char* kind, const std::vector<std::string>& siblings) const;

    std::vector<System> systems;
    ElementId nextId;
};

} // namespace effect
} // namespace KW

#endif
