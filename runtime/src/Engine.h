#ifndef PELMORA_ENGINE_H
#define PELMORA_ENGINE_H

#include "EmissionSchedule.h"

#include <pelmora/Runtime.h>

#include <cstdint>
#include <vector>

// The particles of a list of emitters, advanced in fixed steps. Emitters emit from their shapes around
// the origin (y grows upwards), as many particles as their schedules give by each step's time; all randomness
// comes from one seeded source, so a seed and a sequence of calls always give the same particles. Instance
// plays effects with it, and the editor's preview runs it too.
namespace pelmora {
namespace detail {

// A small permuted congruential generator: the same numbers on every compiler and platform, which the
// standard library's distributions do not promise.
class Random {
public:
    explicit Random(std::uint64_t seed);
    std::uint32_t next();
    // Uniform in [0, 1).
    float unit();
    // Uniform between low and high.
    float between(float low, float high);

private:
    std::uint64_t state;
};

struct Body {
    float x;
    float y;
    float vx;
    float vy;
    float age;            // seconds
    float lifetime;       // seconds
    float sizeMix;        // 0 on the lower size curve, 1 on the upper one
    float colorMix;       // 0 the upper colour, 1 the lower one
    float rotation;       // radians counter-clockwise
    float spin;           // radians per second
    int startFrame;       // the sprite frame shown at birth
    std::uint32_t source; // index of the emitter
};

// What a particle looks like at its age.
struct Look {
    float size;
    Color color;
};

class Engine {
public:
    static const int kStepsPerSecond = 60;
    static constexpr float kStep = 1.0f / kStepsPerSecond;
    // Spawns beyond this many live particles are dropped, so a huge rate cannot exhaust memory.
    static const std::size_t kMaxParticles = 200000;
    // Colours are sampled this many times over a life and interpolated: evaluating the gradient per
    // particle would cost more than the rest of a frame.
    static const int kColorSamples = 1024;

    explicit Engine(std::uint64_t seed);

    // Starts over with these emitters: no particles, the random source back at the seed; prewarming
    // emitters have run their delay and one cycle.
    void restart(const std::vector<EmitterDesc>& emitters);
    // Takes new emitters; previous[i] is the index of the old emitter that emitter i continues, or -1.
    // Live particles of continued emitters stay; the others go.
    void replace(const std::vector<EmitterDesc>& emitters, const std::vector<int>& previous);

    // One fixed step: particles age, move and die, then emitters spawn when emitting.
    void step(bool emitting = true);
    // Where new particles start.
    void setOrigin(float x, float y);

    const std::vector<Body>& bodies() const { return particles; }
    std::size_t emitterCount() const { return sources.size(); }
    const EmitterDesc& emitter(std::uint32_t source) const { return sources[source].values; }
    std::vector<EmitterDesc> emitters() const;
    std::uint64_t stepCount() const { return steps; }

    // Size from the size curve and colour from the gradient at the particle's age.
    Look look(const Body& particle) const;
    // Every live particle as a program draws it; textureOf gives each emitter's texture index (or -1).
    void snapshot(std::vector<Particle>& out, const std::vector<int>& textureOf) const;

private:
    struct Source {
        EmitterDesc values;
        // Per sample: the upper colour's r, g, b, a, then the lower colour's.
        std::vector<float> colorTable;
        Emission emission;
        std::uint64_t emitted = 0;  // particles emitted so far by the schedule
        std::int64_t startStep = 0; // the emitter's time 0, in steps of the engine's clock
        float dragFactor = 1.0f;    // speed kept per step
    };

    static std::vector<float> sampleColors(const std::vector<ColorKey>& keys);
    // Moves the particles one step and emits what the schedules give by the new clock.
    void advance(bool emitting);
    double localTime(const Source& source) const;
    void spawn(std::uint32_t source, std::uint64_t count);

    std::uint64_t seed;
    Random random;
    std::vector<Source> sources;
    std::vector<Body> particles;
    std::uint64_t steps = 0;
    std::int64_t clockSteps = 0; // steps since the start; negative while prewarming
    float originX = 0.0f;
    float originY = 0.0f;
};

} // namespace detail
} // namespace pelmora

#endif
