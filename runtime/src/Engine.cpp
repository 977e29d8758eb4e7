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

namespace {

// What compile() derives besides the colour table.
void derive(const EmitterDesc& emitter, CompiledEmitter& compiled) {
    compiled.values = emitter;
    compiled.emission = emissionOf(emitter);
    compiled.dragFactor = std::exp(-std::max(0.0f, emitter.drag) * Engine::kStep);
    for (const SizeKey& key : emitter.speedOverLife) {
        compiled.flatSpeed = compiled.flatSpeed && key.upper == 1.0f && key.lower == 1.0f;
        compiled.mixedSpeed = compiled.mixedSpeed || key.upper != key.lower;
    }
    for (const SubEmitter& sub : emitter.subEmitters) {
        compiled.subs.push_back(Engine::compile(sub.emitter));
        compiled.triggers[static_cast<int>(sub.trigger)] = true;
    }
    for (const Force& force : emitter.forces) {
        if (force.kind == ForceKind::Wind) {
            compiled.windX += force.strength * std::cos(force.direction * (kPi / 180.0f));
            compiled.windY += force.strength * std::sin(force.direction * (kPi / 180.0f));
        }
    }
}

void limitSpeed(Body& particle, float limit) {
    if (limit > 0.0f) {
        const float speed = std::sqrt(particle.vx * particle.vx + particle.vy * particle.vy);
        if (speed > limit) {
            const float keep = limit / speed;
            particle.vx *= keep;
            particle.vy *= keep;
        }
    }
}

// A hash of a lattice point to -1..1.
float lattice(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^
                      static_cast<std::uint32_t>(y) * 0xd8163841u ^
                      static_cast<std::uint32_t>(z) * 0xcb1ab31fu ^ salt;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xffffffu) * (1.0f / 8388608.0f) - 1.0f;
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

// Smoothly interpolated lattice values, -1..1.
float valueNoise(float x, float y, float z, std::uint32_t salt) {
    const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const std::int32_t ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy),
                       iz = static_cast<std::int32_t>(fz);
    const float tx = smooth(x - fx), ty = smooth(y - fy), tz = smooth(z - fz);
    float layer[2];
    for (int k = 0; k < 2; ++k) {
        const float a = lattice(ix, iy, iz + k, salt), b = lattice(ix + 1, iy, iz + k, salt);
        const float c = lattice(ix, iy + 1, iz + k, salt), d = lattice(ix + 1, iy + 1, iz + k, salt);
        const float low = a + (b - a) * tx, high = c + (d - c) * tx;
        layer[k] = low + (high - low) * ty;
    }
    return layer[0] + (layer[1] - layer[0]) * tz;
}

} // namespace

void noiseAcceleration(const Noise& noise, float x, float y, float seconds, std::uint64_t seed, float& ax,
                       float& ay) {
    ax = ay = 0.0f;
    // Coordinates stay far inside the lattice's integers; beyond, the field is taken as still.
    const float scale = noise.frequency / 100.0f;
    const float limit = 1.0e6f;
    float px = x * scale, py = y * scale, pz = seconds * noise.scroll;
    if (!(std::fabs(px) < limit && std::fabs(py) < limit && std::fabs(pz) < limit)) {
        return;
    }
    const std::uint32_t salt = static_cast<std::uint32_t>(seed ^ (seed >> 32)) * 0x9e3779b9u;
    float amplitude = 1.0f, total = 0.0f;
    for (int octave = 0; octave < std::max(1, std::min(4, noise.octaves)); ++octave) {
        ax += amplitude * valueNoise(px, py, pz, salt + 0x68e31da4u * static_cast<std::uint32_t>(2 * octave));
        ay += amplitude *
              valueNoise(px, py, pz, salt + 0x68e31da4u * static_cast<std::uint32_t>(2 * octave + 1));
        total += amplitude;
        amplitude *= 0.5f;
        px *= 2.0f;
        py *= 2.0f;
        pz *= 2.0f;
    }
    ax *= noise.strength / total;
    ay *= noise.strength / total;
}

SharedEmitter Engine::compile(const EmitterDesc& emitter) {
    std::shared_ptr<CompiledEmitter> compiled = std::make_shared<CompiledEmitter>();
    derive(emitter, *compiled);
    compiled->colorTable = sampleColors(emitter.color);
    return compiled;
}

void Engine::restart(const std::vector<EmitterDesc>& emitters) {
    std::vector<SharedEmitter> compiled;
    compiled.reserve(emitters.size());
    for (const EmitterDesc& emitter : emitters) {
        compiled.push_back(compile(emitter));
    }
    restart(compiled);
}

void Engine::restart(const std::vector<SharedEmitter>& emitters) {
    sources.clear();
    particles.clear();
    trailPoints.clear();
    freeTrails.clear();
    random = Random(seed);
    steps = 0;
    clockSteps = 0;
    replace(emitters, std::vector<int>());
    // Prewarming emitters start their time before the effect's, and the engine runs up to time 0.
    std::int64_t earliest = 0;
    float longestLife = 0.0f;
    for (std::size_t i = 0; i < topLevel; ++i) {
        Source& source = sources[i];
        const EmitterDesc& values = source.compiled->values;
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
    for (std::size_t i = 0; i < topLevel; ++i) {
        sources[i].emitted = emittedUntil(sources[i].compiled->emission, localTime(sources[i]));
    }
    while (clockSteps < 0) {
        advance(true);
    }
}

void Engine::replace(const std::vector<EmitterDesc>& emitters, const std::vector<int>& previous) {
    std::vector<SharedEmitter> compiled;
    compiled.reserve(emitters.size());
    for (std::size_t i = 0; i < emitters.size(); ++i) {
        const int old = i < previous.size() ? previous[i] : -1;
        if (old >= 0 && static_cast<std::size_t>(old) < sources.size() &&
            sameColorKeys(sources[static_cast<std::size_t>(old)].compiled->values.color, emitters[i].color)) {
            std::shared_ptr<CompiledEmitter> kept = std::make_shared<CompiledEmitter>();
            derive(emitters[i], *kept);
            kept->colorTable = sources[static_cast<std::size_t>(old)].compiled->colorTable;
            compiled.push_back(kept);
        } else {
            compiled.push_back(compile(emitters[i]));
        }
    }
    replace(compiled, previous);
}

void Engine::replace(const std::vector<SharedEmitter>& emitters, const std::vector<int>& previous) {
    std::vector<Source> updated(emitters.size());
    std::vector<std::uint32_t> newIndex(sources.size(), UINT32_MAX);
    for (std::size_t i = 0; i < emitters.size(); ++i) {
        Source& source = updated[i];
        source.compiled = emitters[i];
        const int old = i < previous.size() ? previous[i] : -1;
        if (old >= 0 && static_cast<std::size_t>(old) < topLevel) {
            source.startStep = sources[static_cast<std::size_t>(old)].startStep;
            newIndex[static_cast<std::size_t>(old)] = static_cast<std::uint32_t>(i);
        } else {
            source.startStep = clockSteps;
        }
        // A changed schedule carries on from now rather than catching up on what it would have emitted.
        source.emitted = emittedUntil(source.compiled->emission, localTime(source));
    }
    sources.swap(updated);
    topLevel = sources.size();
    for (std::uint32_t i = 0; i < topLevel; ++i) {
        addSubSources(i);
    }
    std::size_t kept = 0;
    for (Body& particle : particles) {
        const std::uint32_t index =
            particle.source < newIndex.size() ? newIndex[particle.source] : UINT32_MAX;
        if (index != UINT32_MAX) {
            particles[kept] = particle;
            particles[kept].source = index;
            ++kept;
        } else {
            releaseTrail(particle);
        }
    }
    particles.resize(kept);
    pending.clear();
}

void Engine::addSubSources(std::uint32_t parent) {
    const SharedEmitter compiled = sources[parent].compiled;
    for (const SharedEmitter& sub : compiled->subs) {
        Source source;
        source.compiled = sub;
        source.sub = true;
        const std::uint32_t index = static_cast<std::uint32_t>(sources.size());
        sources.push_back(source);
        sources[parent].children.push_back(index);
        addSubSources(index);
    }
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
    const float time = static_cast<float>(clockSteps) * kStep;
    std::size_t kept = 0;
    for (const Body& old : particles) {
        Body particle = old;
        particle.age += kStep;
        const Source& owner = sources[particle.source];
        const CompiledEmitter& source = *owner.compiled;
        bool dies = particle.age >= particle.lifetime;
        if (!dies) {
            dies = !move(particle, source, time);
        }
        if (dies) {
            if (source.triggers[static_cast<int>(Trigger::Death)]) {
                trigger(owner, Trigger::Death, particle, particle.x, particle.y);
            }
            releaseTrail(particle);
            continue;
        }
        if (source.triggers[static_cast<int>(Trigger::Birth)]) {
            trigger(owner, Trigger::Birth, particle, particle.x, particle.y);
        }
        recordTrail(particle, source, old.age);
        particles[kept++] = particle;
    }
    particles.resize(kept);
    for (const Pending& event : pending) {
        spawn(event.source, event.count, event.x, event.y, event.vx, event.vy);
    }
    pending.clear();
    ++clockSteps;
    for (std::uint32_t i = 0; i < topLevel; ++i) {
        Source& source = sources[i];
        // The schedule counts from the emitter's start, so any way of reaching a time emits the same.
        const std::uint64_t due = emittedUntil(source.compiled->emission, localTime(source));
        if (emitting && due > source.emitted) {
            spawn(i, due - source.emitted);
        }
        source.emitted = due;
    }
}

bool Engine::move(Body& particle, const CompiledEmitter& source, float time) {
    const EmitterDesc& values = source.values;
    particle.vy -= values.gravity * kStep;
    for (const Force& force : values.forces) {
        if (force.kind == ForceKind::Wind) {
            continue;
        }
        const float dx = originX + force.x - particle.x;
        const float dy = originY + force.y - particle.y;
        const float distance = std::sqrt(dx * dx + dy * dy);
        if (distance <= 0.0f || (force.radius > 0.0f && distance >= force.radius)) {
            continue;
        }
        const float falloff = force.radius > 0.0f ? 1.0f - distance / force.radius : 1.0f;
        const float pull = force.strength * falloff * kStep / distance;
        if (force.kind == ForceKind::Attractor) {
            particle.vx += dx * pull;
            particle.vy += dy * pull;
        } else {
            // Counter-clockwise about the centre: the particle's offset turned a quarter.
            particle.vx += dy * pull;
            particle.vy -= dx * pull;
        }
    }
    if (source.windX != 0.0f || source.windY != 0.0f) {
        particle.vx += source.windX * kStep;
        particle.vy += source.windY * kStep;
    }
    if (values.noise.strength > 0.0f) {
        float ax = 0.0f, ay = 0.0f;
        noiseAcceleration(values.noise, particle.x - originX, particle.y - originY, time, seed, ax, ay);
        particle.vx += ax * kStep;
        particle.vy += ay * kStep;
    }
    particle.vx *= source.dragFactor;
    particle.vy *= source.dragFactor;
    limitSpeed(particle, values.speedLimit);
    particle.rotation += particle.spin * kStep;
    if (source.flatSpeed) {
        particle.x += particle.vx * kStep;
        particle.y += particle.vy * kStep;
    } else {
        const float life = std::min(100.0f, std::max(0.0f, 100.0f * particle.age / particle.lifetime));
        const SizeSample sample = evaluateSize(values.speedOverLife, life);
        const float factor = (sample.lower + (sample.upper - sample.lower) * particle.speedMix) * kStep;
        particle.x += particle.vx * factor;
        particle.y += particle.vy * factor;
    }
    const Collision& ground = values.collision;
    const float plane = originY + ground.plane;
    if (ground.enabled && particle.y < plane) {
        particle.y = plane;
        if (particle.vy < 0.0f) {
            particle.vy = -particle.vy * ground.bounce;
            particle.vx *= 1.0f - ground.friction;
            particle.age += (particle.lifetime - particle.age) * ground.lifeLoss;
            const Source& owner = sources[particle.source];
            if (source.triggers[static_cast<int>(Trigger::Collision)]) {
                trigger(owner, Trigger::Collision, particle, particle.x, plane);
            }
            if (ground.kill) {
                return false;
            }
        }
    }
    return true;
}

void Engine::trigger(const Source& source, Trigger kind, const Body& parent, float x, float y) {
    const std::vector<SubEmitter>& subs = source.compiled->values.subEmitters;
    for (std::size_t i = 0; i < subs.size(); ++i) {
        const SubEmitter& sub = subs[i];
        if (sub.trigger != kind) {
            continue;
        }
        const std::uint32_t child = source.children[i];
        std::uint64_t count = static_cast<std::uint64_t>(std::max(0, sub.count));
        if (kind == Trigger::Birth) {
            // The child's schedule runs on the parent's age.
            const Emission& emission = sources[child].compiled->emission;
            const double age = static_cast<double>(parent.age);
            const double before = static_cast<double>(parent.age - kStep);
            const std::uint64_t due = emittedUntil(emission, age);
            const std::uint64_t done = before > 0.0 ? emittedUntil(emission, before) : 0;
            count = due > done ? due - done : 0;
        }
        if (count > 0) {
            pending.push_back(Pending{child, count, x, y, parent.vx * sub.inheritVelocity,
                                      parent.vy * sub.inheritVelocity});
        }
    }
}

void Engine::recordTrail(Body& particle, const CompiledEmitter& source, float previousAge) {
    if (particle.trail < 0) {
        return;
    }
    const Trail& trail = source.values.trail;
    const int capacity = std::max(1, std::min(kTrailStride / 2, trail.segments) - 1);
    const float interval = trail.length / static_cast<float>(capacity);
    if (std::floor(particle.age / interval) == std::floor(previousAge / interval)) {
        return;
    }
    particle.trailHead = static_cast<std::uint8_t>((particle.trailHead + 1) % capacity);
    particle.trailCount = static_cast<std::uint8_t>(std::min(capacity, particle.trailCount + 1));
    float* point =
        &trailPoints[static_cast<std::size_t>(particle.trail) * kTrailStride + 2u * particle.trailHead];
    point[0] = particle.x;
    point[1] = particle.y;
}

void Engine::releaseTrail(Body& particle) {
    if (particle.trail >= 0) {
        freeTrails.push_back(particle.trail);
        particle.trail = -1;
    }
}

void Engine::trailOf(const Body& body, std::vector<float>& points) const {
    points.clear();
    if (body.trail < 0) {
        return;
    }
    const Trail& trail = sources[body.source].compiled->values.trail;
    const int capacity = std::max(1, std::min(kTrailStride / 2, trail.segments) - 1);
    const float* slot = &trailPoints[static_cast<std::size_t>(body.trail) * kTrailStride];
    for (int k = 0; k < body.trailCount; ++k) {
        const int at = (body.trailHead - k + capacity) % capacity;
        points.push_back(slot[2 * at]);
        points.push_back(slot[2 * at + 1]);
    }
}

void Engine::spawn(std::uint32_t index, std::uint64_t count) {
    spawn(index, count, originX, originY);
}

void Engine::spawn(std::uint32_t index, std::uint64_t count, float x, float y, float vx, float vy) {
    const CompiledEmitter& compiled = *sources[index].compiled;
    const EmitterDesc& emitter = compiled.values;
    const int frames = emitter.sheet.frameCount();
    for (std::uint64_t n = 0; n < count && particles.size() < cap; ++n) {
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
        particle.x = x + at.x;
        particle.y = y + at.y;
        particle.vx = emitter.speed * std::cos(angle);
        particle.vy = emitter.speed * std::sin(angle);
        if (vx != 0.0f || vy != 0.0f) {
            particle.vx += vx;
            particle.vy += vy;
        }
        limitSpeed(particle, emitter.speedLimit);
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
        particle.speedMix = compiled.mixedSpeed ? random.unit() : 0.0f;
        particle.trail = -1;
        particle.trailHead = 0;
        particle.trailCount = 0;
        if (emitter.trail.length > 0.0f) {
            if (freeTrails.empty()) {
                particle.trail = static_cast<std::int32_t>(trailPoints.size() / kTrailStride);
                trailPoints.resize(trailPoints.size() + kTrailStride);
            } else {
                particle.trail = freeTrails.back();
                freeTrails.pop_back();
            }
            float* point = &trailPoints[static_cast<std::size_t>(particle.trail) * kTrailStride];
            point[0] = particle.x;
            point[1] = particle.y;
            particle.trailCount = 1;
        }
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
    const CompiledEmitter& source = *sources[particle.source].compiled;
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

Particle Engine::appearance(const Body& body, const std::vector<int>& textureOf) const {
    const Look seen = look(body);
    Particle particle;
    particle.x = body.x;
    particle.y = body.y;
    particle.size = seen.size;
    const EmitterDesc& emitter = sources[body.source].compiled->values;
    particle.rotation = body.rotation;
    if (emitter.alignToVelocity && (body.vx != 0.0f || body.vy != 0.0f)) {
        particle.rotation += std::atan2(body.vy, body.vx);
    }
    particle.stretch = 0.0f;
    if (emitter.stretch > 0.0f && (body.vx != 0.0f || body.vy != 0.0f)) {
        particle.rotation = std::atan2(body.vy, body.vx);
        particle.stretch = emitter.stretch * std::sqrt(body.vx * body.vx + body.vy * body.vy);
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
    return particle;
}

void Engine::snapshot(std::vector<Particle>& out, const std::vector<int>& textureOf) const {
    out.clear();
    out.reserve(particles.size());
    for (const Body& body : particles) {
        out.push_back(appearance(body, textureOf));
    }
}

} // namespace detail
} // namespace pelmora
