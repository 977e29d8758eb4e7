#ifndef PELMORA_EFFECT_SIMULATION_H
#define PELMORA_EFFECT_SIMULATION_H

#include "graphs/logic/ColorEditModel.h"
#include "logic/EffectModel.h"

#include <cstdint>
#include <vector>

// The particles of a scene, advanced in fixed steps. Every emitter sits at the origin and emits
// upwards (y grows upwards); all randomness comes from one seeded source, so a seed and a sequence of
// calls always give the same particles.
namespace KW {
namespace effect {

// A small permuted congruential generator: the same numbers on every compiler and platform, which
// the standard library's distributions do not promise.
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

struct Particle {
    float x;
    float y;
    float vx;
    float vy;
    float age;            // seconds
    float lifetime;       // seconds
    float sizeMix;        // 0 on the lower size curve, 1 on the upper one
    float colorMix;       // 0 the upper colour, 1 the lower one
    std::uint32_t source; // index of the emitter in the simulation's order
};

// What a particle looks like at its age.
struct ParticleLook {
    float size;
    KWColor color;
};

class Simulation {
public:
    static const int kStepsPerSecond = 60;
    static constexpr float kStep = 1.0f / kStepsPerSecond;
    // Spawns beyond this many live particles are dropped, so a huge rate cannot exhaust memory.
    static const std::size_t kMaxParticles = 200000;
    // advance() catches up at most this many steps; a longer stall is not replayed.
    static const int kMaxCatchUpSteps = 10;

    explicit Simulation(std::uint64_t seed = 1);

    // Starts over with the scene's emitters: no particles, the random source back at the seed.
    void restart(const Scene& scene);
    // Takes the scene's current values and curves; live particles of emitters that still exist stay.
    void update(const Scene& scene);

    // One fixed step of kStep seconds: particles age, move and die, then emitters spawn.
    void step();
    // Runs the whole steps that fit into the time elapsed so far; returns how many ran.
    int advance(double seconds);

    const std::vector<Particle>& getParticles() const { return particles; }
    std::size_t getEmitterCount() const { return sources.size(); }
    const Emitter& getEmitter(std::uint32_t source) const { return sources[source].values; }
    std::uint64_t getStepCount() const { return steps; }

    // Size and colour at the particle's normalised age (0..100): the size from the curve editor's
    // evaluation, the colour from the gradient editor's, sampled kColorSamples times over a life and
    // interpolated (evaluating the gradient per particle would cost more than the rest of a frame).
    ParticleLook look(const Particle& particle) const;
    static const int kColorSamples = 1024;

private:
    struct Source {
        Emitter values;
        // Per sample: the upper colour's r, g, b, a, then the lower colour's.
        std::vector<float> colorTable;
        float pending = 0.0f; // fractional particles carried to the next step
    };

    static std::vector<float> sampleColors(const ColorKeys& keys);

    void spawn(std::uint32_t source);

    std::uint64_t seed;
    Random random;
    std::vector<Source> sources;
    std::vector<Particle> particles;
    double unsimulated = 0.0;
    std::uint64_t steps = 0;
};

} // namespace effect
} // namespace KW

#endif
