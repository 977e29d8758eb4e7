#include "logic/EffectSimulation.h"

#include <map>

namespace KW {
namespace effect {

const int Simulation::kStepsPerSecond;
constexpr float Simulation::kStep;
const std::size_t Simulation::kMaxParticles;
const int Simulation::kMaxCatchUpSteps;
const int Simulation::kColorSamples;

namespace {

std::vector<Emitter> emittersOf(const Scene& scene) {
    std::vector<Emitter> emitters;
    for (const System& system : scene.getSystems()) {
        for (const Group& group : system.groups) {
            emitters.insert(emitters.end(), group.emitters.begin(), group.emitters.end());
        }
    }
    return emitters;
}

std::vector<pelmora::EmitterDesc> descriptions(const std::vector<Emitter>& emitters) {
    std::vector<pelmora::EmitterDesc> result;
    for (const Emitter& emitter : emitters) {
        result.push_back(toRuntime(emitter));
    }
    return result;
}

} // namespace

Simulation::Simulation(std::uint64_t seed) : engine(seed) {}

void Simulation::restart(const Scene& scene) {
    emitters = emittersOf(scene);
    engine.restart(descriptions(emitters));
    unsimulated = 0.0;
}

void Simulation::update(const Scene& scene) {
    std::map<ElementId, int> oldIndex;
    for (std::size_t i = 0; i < emitters.size(); ++i) {
        oldIndex[emitters[i].id] = static_cast<int>(i);
    }
    std::vector<Emitter> updated = emittersOf(scene);
    std::vector<int> previous;
    for (const Emitter& emitter : updated) {
        const auto old = oldIndex.find(emitter.id);
        previous.push_back(old == oldIndex.end() ? -1 : old->second);
    }
    engine.replace(descriptions(updated), previous);
    emitters.swap(updated);
}

void Simulation::step() {
    engine.step();
}

int Simulation::advance(double seconds) {
    if (!(seconds > 0.0)) {
        return 0;
    }
    unsimulated += seconds;
    int ran = 0;
    while (unsimulated >= kStep && ran < kMaxCatchUpSteps) {
        step();
        unsimulated -= kStep;
        ++ran;
    }
    if (unsimulated >= kStep) {
        unsimulated = 0.0;
    }
    return ran;
}

ParticleLook Simulation::look(const Particle& particle) const {
    const pelmora::detail::Look seen = engine.look(particle);
    ParticleLook result;
    result.size = seen.size;
    result.color = KWColor(seen.color.r, seen.color.g, seen.color.b, seen.color.a);
    return result;
}

void Simulation::snapshot(std::vector<pelmora::Particle>& out, const std::vector<int>& textureOf) const {
    engine.snapshot(out, textureOf);
}

} // namespace effect
} // namespace KW
