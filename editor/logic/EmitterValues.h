#ifndef PELMORA_EMITTER_VALUES_H
#define PELMORA_EMITTER_VALUES_H

#include <pelmora/Runtime.h>

#include <vector>

// What the editor needs of an emitter's values beyond the runtime's own: its starting values and
// comparisons.
namespace pelmora {
namespace editor {

// A new emitter's values: the runtime's defaults with curves that show a visible effect at once.
EmitterDesc defaultEmitterValues();

// The heights of the collision planes of an emitter and its sub-emitters, where collision is on, for a
// view to draw them.
std::vector<float> collisionPlanes(const EmitterDesc& values);

// Every value, key and name alike, sub-emitters included.
bool sameValues(const EmitterDesc& a, const EmitterDesc& b);
// The values that only take effect from the effect's start (duration, loop, delay, prewarm, bursts, and
// which sub-emitters there are with their triggers and timing): a preview starts over when one changes.
bool sameTiming(const EmitterDesc& a, const EmitterDesc& b);

} // namespace editor
} // namespace pelmora

#endif
