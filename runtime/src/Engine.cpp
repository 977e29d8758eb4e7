#include "Engine.h"

#include "Curves.h"
#include "EmitterShape.h"
#include "SpriteSheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#if (defined(__SSE2__) || defined(_M_X64)) && !defined(PELMORA_NO_SIMD)
#include <emmintrin.h>
#define PELMORA_SSE2 1
#endif

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

#ifndef PELMORA_SSE2
std::uint8_t byte(int value) {
    return static_cast<std::uint8_t>(std::min(255, std::max(0, value)));
}
#endif

} // namespace

Body ParticleStore::get(std::size_t at) const {
    Body body;
    body.x = x[at];
    body.y = y[at];
    body.vx = vx[at];
    body.vy = vy[at];
    body.age = age[at];
    body.lifetime = lifetime[at];
    body.sizeMix = sizeMix[at];
    body.colorMix = colorMix[at];
    body.rotation = rotation[at];
    body.spin = spin[at];
    body.startFrame = startFrame[at];
    body.source = source[at];
    body.speedMix = speedMix[at];
    body.trail = trail[at];
    body.trailHead = trailHead[at];
    body.trailCount = trailCount[at];
    return body;
}

void ParticleStore::set(std::size_t at, const Body& body) {
    x[at] = body.x;
    y[at] = body.y;
    vx[at] = body.vx;
    vy[at] = body.vy;
    age[at] = body.age;
    lifetime[at] = body.lifetime;
    sizeMix[at] = body.sizeMix;
    colorMix[at] = body.colorMix;
    rotation[at] = body.rotation;
    spin[at] = body.spin;
    startFrame[at] = body.startFrame;
    source[at] = body.source;
    speedMix[at] = body.speedMix;
    trail[at] = body.trail;
    trailHead[at] = body.trailHead;
    trailCount[at] = body.trailCount;
}

ParticleStore::ParticleStore(const ParticleStore& other)
    : storage(other.storage), capacity(other.capacity), head(other.head), last(other.last) {
    bind();
}

ParticleStore& ParticleStore::operator=(const ParticleStore& other) {
    if (this != &other) {
        storage = other.storage;
        capacity = other.capacity;
        head = other.head;
        last = other.last;
        bind();
    }
    return *this;
}

void ParticleStore::bind() {
    std::uint32_t* block = storage.data();
    float** floats[] = {&x, &y, &vx, &vy, &age, &lifetime, &sizeMix, &colorMix, &rotation, &spin, &speedMix};
    for (float** field : floats) {
        *field = reinterpret_cast<float*>(block);
        block += capacity;
    }
    startFrame = reinterpret_cast<std::int32_t*>(block);
    block += capacity;
    trail = reinterpret_cast<std::int32_t*>(block);
    block += capacity;
    source = block;
    block += capacity;
    trailHead = reinterpret_cast<std::uint8_t*>(block);
    block += (capacity + 3) / 4;
    trailCount = reinterpret_cast<std::uint8_t*>(block);
}

namespace {

template <typename T> void move(T* values, std::size_t to, std::size_t from, std::size_t count) {
    if (count > 0) {
        std::memmove(values + to, values + from, count * sizeof(T));
    }
}

template <typename T> void copy(const T* from, T* to, std::size_t count) {
    if (count > 0) {
        std::memcpy(to, from, count * sizeof(T));
    }
}

} // namespace

void ParticleStore::shift(std::size_t to, std::size_t from, std::size_t count) {
    float* floats[] = {x, y, vx, vy, age, lifetime, sizeMix, colorMix, rotation, spin, speedMix};
    for (float* field : floats) {
        move(field, to, from, count);
    }
    move(startFrame, to, from, count);
    move(trail, to, from, count);
    move(source, to, from, count);
    move(trailHead, to, from, count);
    move(trailCount, to, from, count);
}

void ParticleStore::rebuild(std::size_t newCapacity) {
    const ParticleStore old(*this);
    storage.assign(14 * newCapacity + 2 * ((newCapacity + 3) / 4), 0);
    capacity = newCapacity;
    bind();
    const std::size_t count = old.size();
    const std::size_t from = old.head;
    const float* oldFloats[] = {old.x,       old.y,        old.vx,       old.vy,   old.age,     old.lifetime,
                                old.sizeMix, old.colorMix, old.rotation, old.spin, old.speedMix};
    float* newFloats[] = {x, y, vx, vy, age, lifetime, sizeMix, colorMix, rotation, spin, speedMix};
    for (int k = 0; k < 11; ++k) {
        copy(oldFloats[k] + from, newFloats[k], count);
    }
    copy(old.startFrame + from, startFrame, count);
    copy(old.trail + from, trail, count);
    copy(old.source + from, source, count);
    copy(old.trailHead + from, trailHead, count);
    copy(old.trailCount + from, trailCount, count);
    head = 0;
    last = count;
}

void ParticleStore::push(const Body& body) {
    if (last == capacity) {
        // Enough dead ones to be worth moving the live ones down for; otherwise growing is cheaper.
        if (head > 0 && head >= size() / 8) {
            // Dead entries at the front are reclaimed before the storage grows.
            shift(0, head, size());
            last -= head;
            head = 0;
        } else {
            // Half as much again rather than twice: many small instances waste less.
            rebuild(std::max<std::size_t>(16, capacity + capacity / 2));
        }
    }
    ++last;
    set(last - 1, body);
}

void ParticleStore::compact(const std::vector<std::uint8_t>& dead) {
    std::size_t at = head;
    // The oldest dying first is the common case: they are left behind the head.
    while (at < last && dead[at]) {
        ++at;
    }
    head = at;
    std::size_t kept = at;
    while (at < last) {
        if (dead[at]) {
            ++at;
            continue;
        }
        std::size_t run = at;
        while (run < last && !dead[run]) {
            ++run;
        }
        if (kept != at) {
            shift(kept, at, run - at);
        }
        kept += run - at;
        at = run;
    }
    last = kept;
    if (head == last) {
        head = last = 0;
    }
}

SizeTable prepareSize(const std::vector<SizeKey>& keys) {
    SizeTable table;
    if (keys.empty()) {
        return table;
    }
    table.empty = false;
    // Distinct positions in order; at each, the last key there in vector order is the left neighbour of
    // what follows and the first one the right neighbour of what precedes (as evaluateSize's scan finds).
    std::vector<float> positions;
    for (const SizeKey& key : keys) {
        positions.push_back(key.x);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    auto first = [&keys](float x) {
        for (const SizeKey& key : keys) {
            if (key.x == x) {
                return key;
            }
        }
        return keys.front();
    };
    auto last = [&keys](float x) {
        const SizeKey* found = &keys.front();
        for (const SizeKey& key : keys) {
            if (key.x == x) {
                found = &key;
            }
        }
        return *found;
    };
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const SizeKey left = last(positions[i]);
        SizeSegment segment = {left.x, 0.0f, left.upper, left.lower, 0.0f, 0.0f};
        if (i + 1 < positions.size()) {
            const SizeKey right = first(positions[i + 1]);
            segment.width = right.x - left.x;
            segment.upperRise = right.upper - left.upper;
            segment.lowerRise = right.lower - left.lower;
        }
        table.segments.push_back(segment);
    }
    // Before the first position, only the first key there is a neighbour.
    const SizeKey opening = first(positions.front());
    table.segments.insert(table.segments.begin(), SizeSegment{-std::numeric_limits<float>::infinity(), 0.0f,
                                                              opening.upper, opening.lower, 0.0f, 0.0f});
    return table;
}

SizeSample evaluateSize(const SizeTable& table, float x) {
    SizeSample sample;
    if (table.empty) {
        return sample;
    }
    if (!(x == x)) {
        x = 0.0f;
    }
    std::size_t at = table.segments.size() - 1;
    while (table.segments[at].from > x) {
        --at;
    }
    const SizeSegment& segment = table.segments[at];
    if (segment.width == 0.0f) {
        sample.upper = segment.upper;
        sample.lower = segment.lower;
        return sample;
    }
    const float t = (x - segment.from) / segment.width;
    sample.upper = segment.upper + segment.upperRise * t;
    sample.lower = segment.lower + segment.lowerRise * t;
    if (sample.lower < 0.0f) {
        sample.lower = 0.0f;
    }
    if (sample.upper < sample.lower) {
        sample.upper = sample.lower;
    }
    return sample;
}

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
    bool fields = false;
    for (const Force& force : emitter.forces) {
        if (force.kind == ForceKind::Wind) {
            compiled.windX += force.strength * std::cos(force.direction * (kPi / 180.0f));
            compiled.windY += force.strength * std::sin(force.direction * (kPi / 180.0f));
        } else {
            fields = true;
        }
    }
    compiled.plain = !fields && !(emitter.noise.strength > 0.0f) && !(emitter.speedLimit > 0.0f) &&
                     compiled.flatSpeed && !emitter.collision.enabled && !(emitter.trail.length > 0.0f) &&
                     !compiled.triggers[0] && !compiled.triggers[1] && !compiled.triggers[2];
    compiled.gravityStep = emitter.gravity * Engine::kStep;
    compiled.size = prepareSize(emitter.size);
    compiled.speedOverLife = prepareSize(emitter.speedOverLife);
    compiled.frames = emitter.sheet.frameCount();
    compiled.columns = std::max(1, emitter.sheet.columns);
    compiled.rows = std::max(1, emitter.sheet.rows);
    compiled.turnsWithMotion = emitter.alignToVelocity || emitter.stretch > 0.0f;
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

// Smoothly interpolated lattice values, -1..1, of two fields (two salts) at one point.
void valueNoise(float x, float y, float z, std::uint32_t saltX, std::uint32_t saltY, float& first,
                float& second) {
    const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const std::int32_t ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy),
                       iz = static_cast<std::int32_t>(fz);
    const float tx = smooth(x - fx), ty = smooth(y - fy), tz = smooth(z - fz);
    const std::uint32_t salts[2] = {saltX, saltY};
    float values[2];
    for (int field = 0; field < 2; ++field) {
        const std::uint32_t salt = salts[field];
        float layer[2];
        for (int k = 0; k < 2; ++k) {
            const float a = lattice(ix, iy, iz + k, salt), b = lattice(ix + 1, iy, iz + k, salt);
            const float c = lattice(ix, iy + 1, iz + k, salt), d = lattice(ix + 1, iy + 1, iz + k, salt);
            const float low = a + (b - a) * tx, high = c + (d - c) * tx;
            layer[k] = low + (high - low) * ty;
        }
        values[field] = layer[0] + (layer[1] - layer[0]) * tz;
    }
    first = values[0];
    second = values[1];
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
        float nx = 0.0f, ny = 0.0f;
        valueNoise(px, py, pz, salt + 0x68e31da4u * static_cast<std::uint32_t>(2 * octave),
                   salt + 0x68e31da4u * static_cast<std::uint32_t>(2 * octave + 1), nx, ny);
        ax += amplitude * nx;
        ay += amplitude * ny;
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
    recordsStale = true;
    trailPoints.clear();
    trailStride = 2;
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
    // Trail slots as long as the longest trail needs, so trails lie close together in memory.
    std::size_t longest = 2;
    for (const Source& source : sources) {
        const int segments = source.compiled->values.trail.segments;
        longest = std::max<std::size_t>(longest, 2 * std::max(1, std::min(kTrailStride / 2, segments) - 1));
    }
    if (longest > trailStride) {
        restride(longest);
    }
    dying.assign(particles.end(), 0);
    for (std::size_t at = particles.begin(); at < particles.end(); ++at) {
        const std::uint32_t old = particles.source[at];
        const std::uint32_t index = old < newIndex.size() ? newIndex[old] : UINT32_MAX;
        if (index != UINT32_MAX) {
            particles.source[at] = index;
        } else {
            Body particle = particles.get(at);
            releaseTrail(particle);
            dying[at] = 1;
        }
    }
    particles.compact(dying);
    recordsStale = true;
    pending.clear();
}

void Engine::restride(std::size_t floats) {
    const std::size_t slots = trailPoints.size() / trailStride;
    std::vector<float> wider(slots * floats, 0.0f);
    for (std::size_t slot = 0; slot < slots; ++slot) {
        std::copy(trailPoints.begin() + static_cast<std::ptrdiff_t>(slot * trailStride),
                  trailPoints.begin() + static_cast<std::ptrdiff_t>((slot + 1) * trailStride),
                  wider.begin() + static_cast<std::ptrdiff_t>(slot * floats));
    }
    trailPoints.swap(wider);
    trailStride = floats;
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
    const std::size_t last = particles.end();
    dying.resize(last);
    const bool trails = anyTrail();
    std::size_t at = particles.begin();
    while (at < last) {
        const std::uint32_t index = particles.source[at];
        const CompiledEmitter& source = *sources[index].compiled;
        if (source.plain && (!trails || particles.trail[at] < 0)) {
            // A run of one plain emitter's particles moves in bulk.
            std::size_t run = at + 1;
            if (sources.size() == 1 && !trails) {
                run = last;
            }
            while (run < last && particles.source[run] == index && (!trails || particles.trail[run] < 0)) {
                ++run;
            }
            advancePlain(source, at, run);
            at = run;
        } else {
            dying[at] = advanceOne(at, time) ? 0 : 1;
            ++at;
        }
    }
    particles.compact(dying);
    recordsStale = true;
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

void Engine::advancePlain(const CompiledEmitter& source, std::size_t from, std::size_t to) {
    // The same operations in the same order as move(), so both paths give the same bits; dead particles
    // move too, and are dropped.
    float* x = particles.x;
    float* y = particles.y;
    float* vx = particles.vx;
    float* vy = particles.vy;
    float* age = particles.age;
    const float* lifetime = particles.lifetime;
    float* rotation = particles.rotation;
    const float* spin = particles.spin;
    std::uint8_t* dead = dying.data();
    const float gravity = source.gravityStep;
    const float drag = source.dragFactor;
    const bool wind = source.windX != 0.0f || source.windY != 0.0f;
    const float windX = source.windX * kStep;
    const float windY = source.windY * kStep;
    std::size_t at = from;
#ifdef PELMORA_SSE2
    const __m128 step4 = _mm_set1_ps(kStep);
    const __m128 gravity4 = _mm_set1_ps(gravity);
    const __m128 drag4 = _mm_set1_ps(drag);
    const __m128 windX4 = _mm_set1_ps(wind ? windX : 0.0f);
    const __m128 windY4 = _mm_set1_ps(wind ? windY : 0.0f);
    for (; at + 4 <= to; at += 4) {
        const __m128 older = _mm_add_ps(_mm_loadu_ps(age + at), step4);
        _mm_storeu_ps(age + at, older);
        const int mask = _mm_movemask_ps(_mm_cmpge_ps(older, _mm_loadu_ps(lifetime + at)));
        dead[at] = static_cast<std::uint8_t>(mask & 1);
        dead[at + 1] = static_cast<std::uint8_t>((mask >> 1) & 1);
        dead[at + 2] = static_cast<std::uint8_t>((mask >> 2) & 1);
        dead[at + 3] = static_cast<std::uint8_t>((mask >> 3) & 1);
        __m128 speedX = _mm_loadu_ps(vx + at);
        __m128 speedY = _mm_sub_ps(_mm_loadu_ps(vy + at), gravity4);
        if (wind) {
            speedX = _mm_add_ps(speedX, windX4);
            speedY = _mm_add_ps(speedY, windY4);
        }
        speedX = _mm_mul_ps(speedX, drag4);
        speedY = _mm_mul_ps(speedY, drag4);
        _mm_storeu_ps(vx + at, speedX);
        _mm_storeu_ps(vy + at, speedY);
        _mm_storeu_ps(rotation + at,
                      _mm_add_ps(_mm_loadu_ps(rotation + at), _mm_mul_ps(_mm_loadu_ps(spin + at), step4)));
        _mm_storeu_ps(x + at, _mm_add_ps(_mm_loadu_ps(x + at), _mm_mul_ps(speedX, step4)));
        _mm_storeu_ps(y + at, _mm_add_ps(_mm_loadu_ps(y + at), _mm_mul_ps(speedY, step4)));
    }
#endif
    for (; at < to; ++at) {
        age[at] += kStep;
        dead[at] = age[at] >= lifetime[at] ? 1 : 0;
        float speedX = vx[at];
        float speedY = vy[at] - gravity;
        if (wind) {
            speedX += windX;
            speedY += windY;
        }
        speedX *= drag;
        speedY *= drag;
        vx[at] = speedX;
        vy[at] = speedY;
        rotation[at] += spin[at] * kStep;
        x[at] += speedX * kStep;
        y[at] += speedY * kStep;
    }
}

bool Engine::advanceOne(std::size_t at, float time) {
    Body particle = particles.get(at);
    const float previousAge = particle.age;
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
        return false;
    }
    if (source.triggers[static_cast<int>(Trigger::Birth)]) {
        trigger(owner, Trigger::Birth, particle, particle.x, particle.y);
    }
    recordTrail(particle, source, previousAge);
    particles.set(at, particle);
    return true;
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
        const SizeSample sample = evaluateSize(source.speedOverLife, life);
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
        &trailPoints[static_cast<std::size_t>(particle.trail) * trailStride + 2u * particle.trailHead];
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
    trailPointsOf(body.trail, body.source, body.trailHead, body.trailCount, points);
}

void Engine::trailOf(std::size_t i, std::vector<float>& points) const {
    const std::size_t at = particles.begin() + i;
    trailPointsOf(particles.trail[at], particles.source[at], particles.trailHead[at],
                  particles.trailCount[at], points);
}

void Engine::trailPointsOf(std::int32_t slotIndex, std::uint32_t source, int head, int count,
                           std::vector<float>& points) const {
    points.clear();
    if (slotIndex < 0) {
        return;
    }
    const Trail& trail = sources[source].compiled->values.trail;
    const int capacity = std::max(1, std::min(kTrailStride / 2, trail.segments) - 1);
    const float* slot = &trailPoints[static_cast<std::size_t>(slotIndex) * trailStride];
    points.resize(2 * static_cast<std::size_t>(count));
    float* out = points.data();
    // Newest first: back from the head, wrapping round the ring.
    int at = head % capacity;
    for (int k = 0; k < count; ++k) {
        out[2 * k] = slot[2 * at];
        out[2 * k + 1] = slot[2 * at + 1];
        at = at == 0 ? capacity - 1 : at - 1;
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
                particle.trail = static_cast<std::int32_t>(trailPoints.size() / trailStride);
                trailPoints.resize(trailPoints.size() + trailStride);
            } else {
                particle.trail = freeTrails.back();
                freeTrails.pop_back();
            }
            float* point = &trailPoints[static_cast<std::size_t>(particle.trail) * trailStride];
            point[0] = particle.x;
            point[1] = particle.y;
            particle.trailCount = 1;
        }
        particles.push(particle);
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

namespace {

// A particle's life position, 0 to 100.
inline float lifePosition(float age, float lifetime) {
    return std::min(100.0f, std::max(0.0f, 100.0f * age / lifetime));
}

// The colour at a life position, mixed between the table's two colours, as bytes r, g, b, a.
inline void mixColor(const std::vector<float>& table, float life, float mix, std::uint8_t* rgba) {
    const float at = life * (Engine::kColorSamples / 100.0f);
    const int index = std::min(Engine::kColorSamples - 1, static_cast<int>(at));
    const float along = at - static_cast<float>(index);
    const float* before = &table[8 * static_cast<std::size_t>(index)];
    const float* after = before + 8;
#ifdef PELMORA_SSE2
    // The four channels at once: the same operations as below, lane by lane.
    const __m128 along4 = _mm_set1_ps(along);
    const __m128 upper = _mm_loadu_ps(before);
    const __m128 lower = _mm_loadu_ps(before + 4);
    const __m128 first = _mm_add_ps(upper, _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(after), upper), along4));
    const __m128 second = _mm_add_ps(lower, _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(after + 4), lower), along4));
    const __m128 mixed = _mm_add_ps(
        _mm_add_ps(first, _mm_mul_ps(_mm_sub_ps(second, first), _mm_set1_ps(mix))), _mm_set1_ps(0.5f));
    const __m128i whole = _mm_cvttps_epi32(mixed);
    const __m128i words = _mm_packs_epi32(whole, whole);
    const int bytes = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
    std::memcpy(rgba, &bytes, 4);
#else
    for (int c = 0; c < 4; ++c) {
        const float first = before[c] + (after[c] - before[c]) * along;
        const float second = before[c + 4] + (after[c + 4] - before[c + 4]) * along;
        const int value = static_cast<int>(first + (second - first) * mix + 0.5f);
        rgba[c] = byte(value);
    }
#endif
}

} // namespace

Look Engine::look(const Body& particle) const {
    const CompiledEmitter& source = *sources[particle.source].compiled;
    const float age = lifePosition(particle.age, particle.lifetime);
    const SizeSample sample = evaluateSize(source.size, age);
    Look result;
    result.size = sample.lower + (sample.upper - sample.lower) * particle.sizeMix;
    std::uint8_t rgba[4];
    mixColor(source.colorTable, age, particle.colorMix, rgba);
    result.color = Color{rgba[0], rgba[1], rgba[2], rgba[3]};
    return result;
}

void Engine::appearances(std::size_t first, std::size_t count, Particle* out,
                         const std::vector<int>& textureOf) const {
    appearancesOf(particles, particles.begin() + first, count, out, textureOf);
}

namespace {

// One particle's appearance from its emitter's compiled values.
void appearanceAt(const ParticleStore& store, std::size_t at, const CompiledEmitter& source, int texture,
                  Particle& particle) {
    const EmitterDesc& emitter = source.values;
    const float age = store.age[at];
    const float lifetime = store.lifetime[at];
    const float life = lifePosition(age, lifetime);
    const SizeSample sample = evaluateSize(source.size, life);
    particle.x = store.x[at];
    particle.y = store.y[at];
    particle.size = sample.lower + (sample.upper - sample.lower) * store.sizeMix[at];
    particle.rotation = store.rotation[at];
    particle.stretch = 0.0f;
    if (source.turnsWithMotion) {
        const float vx = store.vx[at];
        const float vy = store.vy[at];
        if (emitter.alignToVelocity && (vx != 0.0f || vy != 0.0f)) {
            particle.rotation += std::atan2(vy, vx);
        }
        if (emitter.stretch > 0.0f && (vx != 0.0f || vy != 0.0f)) {
            particle.rotation = std::atan2(vy, vx);
            particle.stretch = emitter.stretch * std::sqrt(vx * vx + vy * vy);
        }
    }
    mixColor(source.colorTable, life, store.colorMix[at], &particle.r);
    particle.frame = source.frames == 1 ? 0 : spriteFrame(emitter.sheet, age, lifetime, store.startFrame[at]);
    particle.columns = source.columns;
    particle.rows = source.rows;
    particle.texture = texture;
    particle.blend = emitter.blend;
}

#ifdef PELMORA_SSE2
// Whether a run of the emitter's particles can be made four at a time: one image, not turned by its
// motion, and a size curve of one interval over the whole life (the usual two keys at 0 and 100).
bool bulkLooks(const CompiledEmitter& source) {
    const std::vector<SizeSegment>& segments = source.size.segments;
    return source.frames == 1 && !source.turnsWithMotion && segments.size() == 3 &&
           segments[1].from <= 0.0f && segments[1].width > 0.0f;
}

// Four particles' appearances from store position at on, with appearanceAt's arithmetic lane by lane.
void fourAppearances(const ParticleStore& store, std::size_t at, const CompiledEmitter& source, int texture,
                     Particle* out) {
    const SizeSegment& span = source.size.segments[1];
    const SizeSegment& end = source.size.segments[2];
    const __m128 age = _mm_loadu_ps(&store.age[at]);
    const __m128 life = _mm_min_ps(
        _mm_max_ps(_mm_div_ps(_mm_mul_ps(_mm_set1_ps(100.0f), age), _mm_loadu_ps(&store.lifetime[at])),
                   _mm_setzero_ps()),
        _mm_set1_ps(100.0f));
    const __m128 t = _mm_div_ps(_mm_sub_ps(life, _mm_set1_ps(span.from)), _mm_set1_ps(span.width));
    __m128 upper = _mm_add_ps(_mm_set1_ps(span.upper), _mm_mul_ps(_mm_set1_ps(span.upperRise), t));
    __m128 lower = _mm_add_ps(_mm_set1_ps(span.lower), _mm_mul_ps(_mm_set1_ps(span.lowerRise), t));
    lower = _mm_andnot_ps(_mm_cmplt_ps(lower, _mm_setzero_ps()), lower);
    const __m128 raise = _mm_cmplt_ps(upper, lower);
    upper = _mm_or_ps(_mm_and_ps(raise, lower), _mm_andnot_ps(raise, upper));
    // Past the last key: its sizes as they are.
    const __m128 past = _mm_cmpge_ps(life, _mm_set1_ps(end.from));
    upper = _mm_or_ps(_mm_and_ps(past, _mm_set1_ps(end.upper)), _mm_andnot_ps(past, upper));
    lower = _mm_or_ps(_mm_and_ps(past, _mm_set1_ps(end.lower)), _mm_andnot_ps(past, lower));
    const __m128 size =
        _mm_add_ps(lower, _mm_mul_ps(_mm_sub_ps(upper, lower), _mm_loadu_ps(&store.sizeMix[at])));
    float sizes[4], lives[4];
    _mm_storeu_ps(sizes, size);
    _mm_storeu_ps(lives, life);
    const Blend blend = source.values.blend;
    for (int k = 0; k < 4; ++k) {
        Particle& particle = out[k];
        particle.x = store.x[at + k];
        particle.y = store.y[at + k];
        particle.size = sizes[k];
        particle.rotation = store.rotation[at + k];
        particle.stretch = 0.0f;
        mixColor(source.colorTable, lives[k], store.colorMix[at + k], &particle.r);
        particle.frame = 0;
        particle.columns = source.columns;
        particle.rows = source.rows;
        particle.texture = texture;
        particle.blend = blend;
    }
}
#endif

} // namespace

void Engine::appearancesOf(const ParticleStore& store, std::size_t first, std::size_t count, Particle* out,
                           const std::vector<int>& textureOf) const {
    std::size_t at = first;
    const std::size_t last = first + count;
    while (at < last) {
        const std::uint32_t index = store.source[at];
        const CompiledEmitter& source = *sources[index].compiled;
        const int texture = index < textureOf.size() ? textureOf[index] : -1;
        std::size_t run = at + 1;
        while (run < last && store.source[run] == index) {
            ++run;
        }
#ifdef PELMORA_SSE2
        if (bulkLooks(source)) {
            for (; at + 4 <= run; at += 4, out += 4) {
                fourAppearances(store, at, source, texture, out);
            }
        }
#endif
        for (; at < run; ++at, ++out) {
            appearanceAt(store, at, source, texture, *out);
        }
    }
}

void Engine::snapshot(std::vector<Particle>& out, const std::vector<int>& textureOf) const {
    out.resize(particles.size());
    appearances(0, out.size(), out.data(), textureOf);
}

const std::vector<Body>& Engine::bodies() const {
    if (recordsStale) {
        records.resize(particles.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i] = body(i);
        }
        recordsStale = false;
    }
    return records;
}

} // namespace detail
} // namespace pelmora
