#ifndef PELMORA_EMITTER_FIELDS_H
#define PELMORA_EMITTER_FIELDS_H

#include <pelmora/Runtime.h>

#include <cstddef>
#include <string>
#include <vector>

// The emitter's values as the property grid shows them: one row a value, each read and written as a
// number (flags 0 or 1, choices their index). The grid builds its rows from this table, and the document
// writes every row's edits through setField, so a row's rule lives in one place.
namespace pelmora {
namespace editor {

enum class Field {
    Rate,
    LifetimeMin,
    LifetimeMax,
    Speed,
    Spread,
    Gravity,
    Blend,
    ShapeKind,
    ShapeEdge,
    ShapeRadius,
    ShapeWidth,
    ShapeHeight,
    Direction,
    Duration,
    Loop,
    Delay,
    Prewarm,
    BurstTime, // the burst rows take a slot: the burst's index
    BurstCount,
    BurstRepeats,
    BurstInterval,
    RotationMin,
    RotationMax,
    SpinMin,
    SpinMax,
    AlignToVelocity,
    Drag,
    SheetColumns,
    SheetRows,
    FrameRate,
    RandomStart,
    TrailLength,
    TrailWidth,
    TrailSegments,
    TrailFade,
    NoiseStrength,
    NoiseFrequency,
    NoiseScroll,
    NoiseOctaves,
    ForceKind, // the force rows take a slot: the force's index; kind 0 is none, then the ForceKind values
    ForceX,
    ForceY,
    ForceStrength,
    ForceRadius,
    ForceDirection,
    SpeedLimit,
    Stretch,
    CollisionEnabled,
    CollisionPlane,
    CollisionBounce,
    CollisionFriction,
    CollisionLifeLoss,
    CollisionKill,
    SubTrigger, // a sub-emitter's own values, beside its emitter's
    SubCount,
    SubInheritVelocity,
};

enum class RowKind {
    Number, // a spin box over range, in steps of step
    Flag,   // a check box
    Choice  // a list of choices, the value their index
};

// The bounds a row's spin box keeps; the document's check decides what is stored.
struct RowRange {
    float min;
    float max;
};

struct FieldRow {
    const char* group; // the grid's group caption
    std::string label;
    Field field;
    std::size_t slot; // bursts: which one
    RowKind kind;
    RowRange range;
    float step;
    std::vector<const char*> choices; // Choice rows: the captions, by value
};

// Bursts shown as rows; an emitter's further bursts are kept as they are.
const std::size_t kBurstRows = 2;
// Forces shown as rows; an emitter's further forces are kept as they are.
const std::size_t kForceRows = 3;
// The caption of the group of a sub-emitter's own rows (trigger, count, inherit velocity).
extern const char* const kSubEmitterGroup;

// Every row, in the grid's order: "Sub-emitter" (shown for sub-emitters only), "Emission", "Rendering"
// (blend; the texture row is its own edit), "Shape", "Timing", "Bursts", "Motion", "Sprite sheet",
// "Trail", "Noise", "Forces", "Speed", "Stretch", "Collision".
const std::vector<FieldRow>& emitterRows();

// The fields of a sub-emitter's own values, which an emitter at the top has not.
bool isSubEmitterField(Field field);
// Bursts and forces: the rows that take a slot.
bool isBurstField(Field field);
bool isForceField(Field field);

// The value a row shows. A burst slot past the emitter's bursts shows a burst of none.
float fieldValue(const EmitterDesc& values, Field field, std::size_t slot = 0);
// Writes a row's value as the user gave it, unchecked. A bound moved past its pair takes the other one
// along (lifetime, rotation, spin); whole numbers are rounded; editing a burst slot past the emitter's
// bursts adds bursts up to it, and bursts of none at the end are dropped. A force's kind of none removes
// the force; editing a force slot past the emitter's forces adds a force (an attractor) at their end.
// The sub-emitter fields are left alone.
void setField(EmitterDesc& values, Field field, std::size_t slot, float value);
// The same for a sub-emitter: its own fields, or its emitter's.
float fieldValue(const SubEmitter& sub, Field field, std::size_t slot = 0);
void setField(SubEmitter& sub, Field field, std::size_t slot, float value);

} // namespace editor
} // namespace pelmora

#endif
