#include "Engine.h"

#include "Curves.h"
#include "EmitterShape.h"
#include "SpriteSheet.h"

#include <algorithm>
#include <cmath>

namespace pelmora {
namespace detail {

namespace {

const float kPi = 3.14159265358979f;

bool sameColor(const Color& a, const Color& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool sameColorKeys(const std::vector<ColorKey>& a, const std::vector<ColorKey>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ColorKey& p, const ColorKey& q) {
        return p.position == q.position && sameColor(p.upper, q.upper) && sameColor(p.lower, q.lower);
    });
}

std::uint8_t byte(int value) {
    return static_cast<std::uint8_t>(std::min(255, std::max(0, value)));
}

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

const int Engine::kStepsPerSecond;
constexpr float Engine::kStep;
const std::size_t Engine::kMaxParticles;
const int Engine::kColorSamples;

Engine::Engine(std::uint64_t seed) : seed(seed), random(seed) {}

void Engine::restart(const std::vector<EmitterDesc>& emitters) {
    sources.clear();
    particles.clear();
    random = Random(seed);
    steps = 0;
    clockSteps = 0;
    replace(emitters, std::vector<int>(emitters.size(), -1));
    // Prewarming emitters start their time before the effect's, and the engine runs up to time 0.
    std::int64_t earliest = 0;
    float longestLife = 0.0f;
    for (Source& source : sources) {
        const EmitterDesc& values = source.values;
        if (values.prewarm && values.loop) {
            const double ahead = (static_cast<double>(values.delay) + values.duration) * kStepsPerSecond;
            source.startStep = -static_cast<std::int64_t>(std::ceil(ahead - 1e-6));
            earliest = std::min(earliest, source.startStep);
            longestLife = std::max(longestLife, values.lifetimeMax);
        }
    }
    // Particles emitted longer ago than the longest life are dead by time 0: only the last life is run.
    const std::int64_t lastLife = static_cast<std::int64_t>(std::ceil(longestLife * kStepsPerSecond)) + 1;
    clockSteps = std::max(earliest, -lastLife);
    for (Source& source : sources) {
        source.emitted = emittedUntil(source.emission, localTime(source));
    }
    while (clockSteps < 0) {
        advance(true);
    }
}

void Engine::replace(const std::vector<EmitterDesc>& emitters, const std::vector<int>& previous) {
    std::vector<Source> updated;
    std::vector<std::uint32_t> newIndex(sources.size(), UINT32_MAX);
    for (std::size_t i = 0; i < emitters.size(); ++i) {
        Source source;
        source.values = emitters[i];
        const int old = i < previous.size() ? previous[i] : -1;
        if (old >= 0 && static_cast<std::size_t>(old) < sources.size()) {
            const Source& before = sources[static_cast<std::size_t>(old)];
            source.startStep = before.startStep;
            if (sameColorKeys(before.values.color, emitters[i].color)) {
                source.colorTable = before.colorTable;
            }
            newIndex[static_cast<std::size_t>(old)] = static_cast<std::uint32_t>(i);
        }
        if (source.colorTable.empty()) {
            source.colorTable = sampleColors(emitters[i].color);
        }
        if (old < 0) {
            source.startStep = clockSteps;
        }
        source.emission = emissionOf(emitters[i]);
        // A changed schedule carries on from now rather than catching up on what it would have emitted.
        source.emitted = emittedUntil(source.emission, localTime(source));
        source.dragFactor = std::exp(-std::max(0.0f, emitters[i].drag) * kStep);
        updated.push_back(std::move(source));
    }
    sources.swap(updated);
    std::size_t kept = 0;
    for (const Body& particle : particles) {
        const std::uint32_t index = newIndex[particle.source];
        if (index != UINT32_MAX) {
            particles[kept] = particle;
            particles[kept].source = index;
            ++kept;
        }
    }
    particles.resize(kept);
}

std::vector<EmitterDesc> Engine::emitters() const {
    std::vector<EmitterDesc> result;
    for (const Source& source : sources) {
        result.push_back(source.values);
    }
    return result;
}

void Engine::setOrigin(float x, float y) {
    originX = x;
    originY = y;
}

double Engine::localTime(const Source& source) const {
    return static_cast<double>(clockSteps - source.startStep) / kStepsPerSecond;
}

void Engine::step(bool emitting) {
    advance(emitting);
    ++steps;
}

void Engine::advance(bool emitting) {
    // Compaction in place keeps the survivors in birth order, which is also the drawing order.
    std::size_t kept = 0;
    for (const Body& old : particles) {
        Body particle = old;
        particle.age += kStep;
        if (particle.age >= particle.lifetime) {
            continue;
        }
        const Source& source = sources[particle.source];
        particle.vy -= source.values.gravity * kStep;
        particle.vx *= source.dragFactor;
        particle.vy *= source.dragFactor;
        particle.rotation += particle.spin * kStep;
        particle.x += particle.vx * kStep;
        particle.y += particle.vy * kStep;
        particles[kept++] = particle;
    }
    particles.resize(kept);
    ++clockSteps;
    for (std::uint32_t i = 0; i < sources.size(); ++i) {
        Source& source = sources[i];
        // The schedule counts from the emitter's start, so any way of reaching a time emits the same.
        const std::uint64_t due = emittedUntil(source.emission, localTime(source));
        if (emitting && due > source.emitted) {
            spawn(i, due - source.emitted);
        }
        source.emitted = due;
    }
}

void Engine::spawn(std::uint32_t index, std::uint64_t count) {
    const EmitterDesc& emitter = sources[index].values;
    const int frames = emitter.sheet.frameCount();
    for (std::uint64_t n = 0; n < count && particles.size() < kMaxParticles; ++n) {
        Body particle;
        particle.age = 0.0f;
        particle.lifetime = random.between(emitter.lifetimeMin, emitter.lifetimeMax);
        const float turn = random.between(-0.5f, 0.5f) * emitter.spread;
        particle.sizeMix = random.unit();
        particle.colorMix = random.unit();
        // Values a version 1 effect lacks draw no numbers, so its particles stay as they were.
        ShapePoint at = {0.0f, 0.0f, 90.0f};
        if (emitter.shape.kind != ShapeKind::Point) {
            const float u = random.unit();
            at = pointOnShape(emitter.shape, u, random.unit());
        }
        const float angle = (at.normal + emitter.direction + turn) * (kPi / 180.0f);
        particle.x = originX + at.x;
        particle.y = originY + at.y;
        particle.vx = emitter.speed * std::cos(angle);
        particle.vy = emitter.speed * std::sin(angle);
        particle.rotation = emitter.rotationMin;
        if (emitter.rotationMax != emitter.rotationMin) {
            particle.rotation = random.between(emitter.rotationMin, emitter.rotationMax);
        }
        particle.spin = emitter.spinMin;
        if (emitter.spinMax != emitter.spinMin) {
            particle.spin = random.between(emitter.spinMin, emitter.spinMax);
        }
        particle.rotation *= kPi / 180.0f;
        particle.spin *= kPi / 180.0f;
        particle.startFrame = 0;
        if (emitter.sheet.randomStart && frames > 1) {
            particle.startFrame =
                std::min(frames - 1, static_cast<int>(random.unit() * static_cast<float>(frames)));
        }
        particle.source = index;
        particles.push_back(particle);
    }
}

std::vector<float> Engine::sampleColors(const std::vector<ColorKey>& keys) {
    std::vector<float> table;
    table.reserve(8 * (kColorSamples + 1));
    for (int i = 0; i <= kColorSamples; ++i) {
        Color upper = {0, 0, 0, 255};
        Color lower = {0, 0, 0, 255};
        evaluateColor(keys, 100.0f * static_cast<float>(i) / kColorSamples, upper, lower);
        const int components[8] = {upper.r, upper.g, upper.b, upper.a, lower.r, lower.g, lower.b, lower.a};
        for (int component : components) {
            table.push_back(static_cast<float>(component));
        }
    }
    return table;
}

Look Engine::look(const Body& particle) const {
    const Source& source = sources[particle.source];
    const float age = std::min(100.0f, std::max(0.0f, 100.0f * particle.age / particle.lifetime));
    const SizeSample sample = evaluateSize(source.values.size, age);
    Look result;
    result.size = sample.lower + (sample.upper - sample.lower) * particle.sizeMix;

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
    result.color = Color{mixed[0], mixed[1], mixed[2], mixed[3]};
    return result;
}

void Engine::snapshot(std::vector<Particle>& out, const std::vector<int>& textureOf) const {
    out.clear();
    out.reserve(particles.size());
    for (const Body& body : particles) {
        const Look seen = look(body);
        Particle particle;
        particle.x = body.x;
        particle.y = body.y;
        particle.size = seen.size;
        const EmitterDesc& emitter = sources[body.source].values;
        particle.rotation = body.rotation;
        if (emitter.alignToVelocity && (body.vx != 0.0f || body.vy != 0.0f)) {
            particle.rotation += std::atan2(body.vy, body.vx);
        }
        particle.r = byte(seen.color.r);
        particle.g = byte(seen.color.g);
        particle.b = byte(seen.color.b);
        particle.a = byte(seen.color.a);
        particle.frame = spriteFrame(emitter.sheet, body.age, body.lifetime, body.startFrame);
        particle.columns = std::max(1, emitter.sheet.columns);
        particle.rows = std::max(1, emitter.sheet.rows);
        particle.texture = body.source < textureOf.size() ? textureOf[body.source] : -1;
        particle.blend = emitter.blend;
        out.push_back(particle);
    }
}

} // namespace detail
} // namespace pelmora
