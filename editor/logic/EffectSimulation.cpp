#include "logic/EffectSimulation.h"

#include "graphs/logic/FloatGraphModel.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace KW {
namespace effect {

namespace {

const float kPi = 3.14159265358979f;

} // namespace

Random::Random(std::uint64_t seed) : state(0) {
    next();
    state += seed;
    next();
}

std::uint32_t Random::next() {
    const std::uint64_t old = state;
    state = old * 6364136223846793005ULL + 1442695040888963407ULL;
    const std::uint32_t xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const std::uint32_t rotation = static_cast<std::uint32_t>(old >> 59u);
    return (xorshifted >> rotation) | (xorshifted << ((32u - rotation) & 31u));
}

float Random::unit() {
    // 24 bits: every value is exact in a float and below 1.
    return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f);
}

float Random::between(float low, float high) {
    return low + (high - low) * unit();
}

const int Simulation::kStepsPerSecond;
constexpr float Simulation::kStep;
const std::size_t Simulation::kMaxParticles;
const int Simulation::kMaxCatchUpSteps;
const int Simulation::kColorSamples;

Simulation::Simulation(std::uint64_t seed) : seed(seed), random(seed) {}

void Simulation::restart(const Scene& scene) {
    sources.clear();
    particles.clear();
    random = Random(seed);
    unsimulated = 0.0;
    steps = 0;
    update(scene);
}

void Simulation::update(const Scene& scene) {
    std::map<ElementId, std::uint32_t> oldIndex;
    for (std::uint32_t i = 0; i < sources.size(); ++i) {
        oldIndex[sources[i].values.id] = i;
    }
    std::vector<Source> updated;
    std::vector<std::uint32_t> newIndex(sources.size(), UINT32_MAX);
    for (const System& system : scene.getSystems()) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                Source source;
                source.values = emitter;
                const auto old = oldIndex.find(emitter.id);
                if (old != oldIndex.end()) {
                    const Source& before = sources[old->second];
                    source.pending = before.pending;
                    if (sameColorKeys(before.values.color, emitter.color)) {
                        source.colorTable = before.colorTable;
                    }
                    newIndex[old->second] = static_cast<std::uint32_t>(updated.size());
                }
                if (source.colorTable.empty()) {
                    source.colorTable = sampleColors(emitter.color);
                }
                updated.push_back(source);
            }
        }
    }
    sources.swap(updated);
    std::size_t kept = 0;
    for (const Particle& particle : particles) {
        const std::uint32_t index = newIndex[particle.source];
        if (index != UINT32_MAX) {
            particles[kept] = particle;
            particles[kept].source = index;
            ++kept;
        }
    }
    particles.resize(kept);
}

void Simulation::step() {
    // Compaction in place keeps the survivors in birth order, which is also the drawing order.
    std::size_t kept = 0;
    for (const Particle& old : particles) {
        Particle particle = old;
        particle.age += kStep;
        if (particle.age >= particle.lifetime) {
            continue;
        }
        particle.vy -= sources[particle.source].values.gravity * kStep;
        particle.x += particle.vx * kStep;
        particle.y += particle.vy * kStep;
        particles[kept++] = particle;
    }
    particles.resize(kept);
    for (std::uint32_t i = 0; i < sources.size(); ++i) {
        spawn(i);
    }
    ++steps;
}

void Simulation::spawn(std::uint32_t index) {
    Source& source = sources[index];
    const Emitter& emitter = source.values;
    source.pending += std::max(0.0f, emitter.rate) * kStep;
    const float whole = std::floor(source.pending);
    source.pending -= whole;
    const std::size_t count = static_cast<std::size_t>(std::min(whole, static_cast<float>(kMaxParticles)));
    for (std::size_t n = 0; n < count && particles.size() < kMaxParticles; ++n) {
        Particle particle;
        particle.x = 0.0f;
        particle.y = 0.0f;
        particle.age = 0.0f;
        particle.lifetime = random.between(emitter.lifetimeMin, emitter.lifetimeMax);
        const float angle = (90.0f + random.between(-0.5f, 0.5f) * emitter.spread) * (kPi / 180.0f);
        particle.vx = emitter.speed * std::cos(angle);
        particle.vy = emitter.speed * std::sin(angle);
        particle.sizeMix = random.unit();
        particle.colorMix = random.unit();
        particle.source = index;
        particles.push_back(particle);
    }
}

std::vector<float> Simulation::sampleColors(const ColorKeys& keys) {
    // The gradient editor keeps its keys sorted; sorting does not change what they evaluate to.
    coloredit::ColorEditModel gradient;
    gradient.setPoints(sortedColorKeys(keys));
    std::vector<float> table;
    table.reserve(8 * (kColorSamples + 1));
    for (int i = 0; i <= kColorSamples; ++i) {
        KWColor upper;
        KWColor lower;
        gradient.evaluate(100.0f * static_cast<float>(i) / kColorSamples, upper, lower);
        const int components[8] = {upper.r, upper.g, upper.b, upper.a, lower.r, lower.g, lower.b, lower.a};
        for (int component : components) {
            table.push_back(static_cast<float>(component));
        }
    }
    return table;
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
    const Source& source = sources[particle.source];
    const float age = std::min(100.0f, std::max(0.0f, 100.0f * particle.age / particle.lifetime));
    const KWGraphSample sample = floatgraph::evaluate(source.values.size, age);
    const float upper = -sample.y1;
    const float lower = -sample.y2;
    ParticleLook result;
    result.size = lower + (upper - lower) * particle.sizeMix;

    const float at = age * (kColorSamples / 100.0f);
    const int index = std::min(kColorSamples - 1, static_cast<int>(at));
    const float along = at - static_cast<float>(index);
    const float* before = &source.colorTable[8 * static_cast<std::size_t>(index)];
    const float* after = before + 8;
    int mixed[4];
    for (int c = 0; c < 4; ++c) {
        const float first = before[c] + (after[c] - before[c]) * along;
        const float second = before[c + 4] + (after[c + 4] - before[c + 4]) * along;
        mixed[c] = static_cast<int>(first + (second - first) * particle.colorMix + 0.5f);
    }
    result.color = KWColor(mixed[0], mixed[1], mixed[2], mixed[3]);
    return result;
}

} // namespace effect
} // namespace KW
