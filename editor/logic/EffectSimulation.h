#ifndef PELMORA_EFFECT_SIMULATION_H
#define PELMORA_EFFECT_SIMULATION_H

#include "Engine.h"
#include "logic/EditorScene.h"
#include "logic/EffectModel.h"

#include <cstdint>
#include <vector>

// The particles of a scene, run by the runtime's engine: the preview shows what a program using the
// runtime shows. Every emitter's shape is centred on the origin (y grows upwards); a seed and a
// sequence of calls always give the same particles. What the editor adds: emitters followed by id across
// edits, and a catch-up limit for the preview's timer.
namespace KW {
namespace effect {

using pelmora::detail::Random;
typedef pelmora::detail::Body Particle;

// What a particle looks like at its age.
struct ParticleLook {
    float size;
    KWColor color;
};

class Simulation {
public:
    // An emitter as the engine runs it: its id in the scene and its values.
    struct Source {
        ElementId id;
        pelmora::EmitterDesc values;
    };

    typedef pelmora::detail::Engine Engine;
    static const int kStepsPerSecond = Engine::kStepsPerSecond;
    static constexpr float kStep = Engine::kStep;
    static const std::size_t kMaxParticles = Engine::kMaxParticles;
    static const int kColorSamples = Engine::kColorSamples;
    // advance() catches up at most this many steps; a longer stall is not replayed.
    static const int kMaxCatchUpSteps = 10;

    explicit Simulation(std::uint64_t seed = 1);

    // Starts over with the scene's emitters: no particles, the random source back at the seed.
    void restart(const Scene& scene);
    // Takes the scene's current values and curves; live particles of emitters that still exist stay.
    void update(const Scene& scene);
    // The same for the editor document's scene.
    void restart(const pelmora::editor::Scene& scene);
    void update(const pelmora::editor::Scene& scene);

    // One fixed step of kStep seconds: particles age, move and die, then emitters spawn.
    void step();
    // Runs the whole steps that fit into the time elapsed so far; returns how many ran.
    int advance(double seconds);

    const std::vector<Particle>& getParticles() const { return engine.bodies(); }
    std::size_t getEmitterCount() const { return emitters.size(); }
    const Source& getEmitter(std::uint32_t source) const { return emitters[source]; }
    std::uint64_t getStepCount() const { return engine.stepCount(); }

    // Size and colour at the particle's age, as the runtime computes them.
    ParticleLook look(const Particle& particle) const;
    // The live particles as the runtime hands them to a program; textureOf gives each emitter's texture
    // index (-1 or missing: round).
    void snapshot(std::vector<pelmora::Particle>& out, const std::vector<int>& textureOf = {}) const;

private:
    void restart(std::vector<Source> sources);
    void update(std::vector<Source> sources);

    Engine engine;
    std::vector<Source> emitters; // in the engine's order
    double unsimulated = 0.0;
};

} // namespace effect
} // namespace KW

#endif
