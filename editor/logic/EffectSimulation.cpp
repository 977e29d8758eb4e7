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

std::vector<Simulation::Source> sourcesOf(const Scene& scene) {
    std::vector<Simulation::Source> sources;
    for (const System& system : scene.getSystems()) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                sources.push_back(Simulation::Source{emitter.id, toRuntime(emitter)});
            }
        }
    }
    return sources;
}

std::vector<Simulation::Source> sourcesOf(const pelmora::editor::Scene& scene) {
    std::vector<Simulation::Source> sources;
    for (const pelmora::editor::System& system : scene.getSystems()) {
        for (const pelmora::editor::Group& group : system.groups) {
            for (const pelmora::editor::Emitter& emitter : group.emitters) {
                sources.push_back(Simulation::Source{emitter.id, emitter.values});
            }
        }
    }
    return sources;
}

std::vector<pelmora::EmitterDesc> descriptions(const std::vector<Simulation::Source>& sources) {
    std::vector<pelmora::EmitterDesc> result;
    result.reserve(sources.size());
    for (const Simulation::Source& source : sources) {
        result.push_back(source.values);
    }
    return result;
}

} // namespace

Simulation::Simulation(std::uint64_t seed) : engine(seed) {}

void Simulation::restart(const Scene& scene) {
    restart(sourcesOf(scene));
}

void Simulation::update(const Scene& scene) {
    update(sourcesOf(scene));
}

void Simulation::restart(const pelmora::editor::Scene& scene) {
    restart(sourcesOf(scene));
}

void Simulation::update(const pelmora::editor::Scene& scene) {
    update(sourcesOf(scene));
}

void Simulation::restart(std::vector<Source> sources) {
    emitters.swap(sources);
    engine.restart(descriptions(emitters));
    unsimulated = 0.0;
}

void Simulation::update(std::vector<Source> updated) {
    std::map<ElementId, int> oldIndex;
    for (std::size_t i = 0; i < emitters.size(); ++i) {
        oldIndex[emitters[i].id] = static_cast<int>(i);
    }
    std::vector<int> previous;
    for (const Source& source : updated) {
        const auto old = oldIndex.find(source.id);
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
