#ifndef PELMORA_EMISSION_SCHEDULE_H
#define PELMORA_EMISSION_SCHEDULE_H

#include <pelmora/Runtime.h>

#include <cstdint>
#include <vector>

// How many particles an emitter has emitted by a time, as a pure function of the time: seeking to a
// time and playing to it emit the same particles.
namespace pelmora {
namespace detail {

// When an emitter emits: a steady rate plus bursts, during a cycle of `duration` seconds that starts
// `delay` seconds into the effect and may loop.
struct Emission {
    float rate = 40.0f; // particles per second
    std::vector<Burst> bursts;
    float duration = 5.0f; // seconds per cycle
    bool loop = true;
    float delay = 0.0f;
};

// An emitter's emission values.
Emission emissionOf(const EmitterDesc& emitter);

// Particles emitted from the effect's start until `seconds` (bursts at exactly `seconds` not yet).
std::uint64_t emittedUntil(const Emission& emission, double seconds);

// Whether the emitter still emits at or after `seconds` (always for a looping one).
bool emitsAfter(const Emission& emission, double seconds);

} // namespace detail
} // namespace pelmora

#endif
