#ifndef PELMORA_ENGINE_H
#define PELMORA_ENGINE_H

#include "Curves.h"
#include "EmissionSchedule.h"

#include <pelmora/Runtime.h>

#include <cstdint>
#include <memory>
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
    float age;               // seconds
    float lifetime;          // seconds
    float sizeMix;           // 0 on the lower size curve, 1 on the upper one
    float colorMix;          // 0 the upper colour, 1 the lower one
    float rotation;          // radians counter-clockwise
    float spin;              // radians per second
    int startFrame;          // the sprite frame shown at birth
    std::uint32_t source;    // index of the emitter
    float speedMix;          // 0 on the lower speed-over-life curve, 1 on the upper one
    std::int32_t trail;      // slot in the engine's trail points, or -1
    std::uint8_t trailHead;  // the newest point's index in its slot
    std::uint8_t trailCount; // points recorded
};

// The turbulence acceleration at a place and time for a seed: smooth value noise, one field per axis.
void noiseAcceleration(const Noise& noise, float x, float y, float seconds, std::uint64_t seed, float& ax,
                       float& ay);

// A size curve prepared for evaluation: its keys' neighbours per interval, found once, with the same
// arithmetic as evaluateSize() so the sizes are the same to the bit.
struct SizeSegment {
    float from;  // the interval starts at this life position (the left key's x)
    float width; // right key's x minus left key's x
    float upper; // the left key's sizes
    float lower;
    float upperRise; // the right key's sizes minus the left key's
    float lowerRise;
};

struct SizeTable {
    // Below the first key: its sizes (the first segment's left values). Segments in position order;
    // the last one has width 0 and holds the last key's sizes for every position past it.
    std::vector<SizeSegment> segments;
    bool empty = true;
};

SizeTable prepareSize(const std::vector<SizeKey>& keys);
// As evaluateSize(keys, x) for the keys the table was prepared from.
SizeSample evaluateSize(const SizeTable& table, float x);

// An emitter's values with what playing them needs, computed once and shared by every instance.
struct CompiledEmitter;
typedef std::shared_ptr<const CompiledEmitter> SharedEmitter;

struct CompiledEmitter {
    EmitterDesc values;
    std::vector<SharedEmitter> subs;          // per sub-emitter, compiled
    bool flatSpeed = true;                    // speed over life is 1 throughout
    bool mixedSpeed = false;                  // the speed curves differ, so each particle draws its factor
    bool triggers[3] = {false, false, false}; // some sub-emitter has this trigger
    float windX = 0.0f;                       // the winds' summed acceleration
    float windY = 0.0f;
    // Per sample: the upper colour's r, g, b, a, then the lower colour's.
    std::vector<float> colorTable;
    Emission emission;
    float dragFactor = 1.0f; // speed kept per step
    // Its particles only fall, drift with the wind, slow down and turn: the step runs them in bulk.
    bool plain = false;
    float gravityStep = 0.0f; // gravity times the step
    SizeTable size;
    SizeTable speedOverLife;
    int frames = 1; // the sprite sheet's frames
    int columns = 1;
    int rows = 1;
    bool turnsWithMotion = false; // aligned to its velocity or stretched along it
};

// The live particles, one array per field (structure of arrays) in one block of memory, oldest first.
// Entries before begin() are dead ones not yet reclaimed: those dying first leave without the others
// moving.
class ParticleStore {
public:
    float* x = nullptr;
    float* y = nullptr;
    float* vx = nullptr;
    float* vy = nullptr;
    float* age = nullptr;
    float* lifetime = nullptr;
    float* sizeMix = nullptr;
    float* colorMix = nullptr;
    float* rotation = nullptr;
    float* spin = nullptr;
    float* speedMix = nullptr;
    std::int32_t* startFrame = nullptr;
    std::int32_t* trail = nullptr;
    std::uint32_t* source = nullptr;
    std::uint8_t* trailHead = nullptr;
    std::uint8_t* trailCount = nullptr;

    ParticleStore() = default;
    ParticleStore(const ParticleStore& other);
    ParticleStore& operator=(const ParticleStore& other);

    std::size_t begin() const { return head; }
    std::size_t end() const { return last; }
    std::size_t size() const { return last - head; }
    Body get(std::size_t at) const;
    void set(std::size_t at, const Body& body);
    void push(const Body& body);
    void clear() { head = last = 0; }
    // Keeps the entries from begin() to end() whose flag is 0, in order.
    void compact(const std::vector<std::uint8_t>& dead);

private:
    // Points the fields into the storage for the capacity.
    void bind();
    // Moves count entries of every field from `from` to `to`.
    void shift(std::size_t to, std::size_t from, std::size_t count);
    // Live entries to the front, into storage for this many.
    void rebuild(std::size_t newCapacity);

    std::vector<std::uint32_t> storage;
    std::size_t capacity = 0;
    std::size_t head = 0;
    std::size_t last = 0;
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
    // The most floats kept per trail: the most points a trail has, x and y each.
    static const int kTrailStride = 128;

    explicit Engine(std::uint64_t seed);

    // The emitter's colour table, schedule and drag, ready to share.
    static SharedEmitter compile(const EmitterDesc& emitter);

    // Starts over with these emitters: no particles, the random source back at the seed; prewarming
    // emitters have run their delay and one cycle.
    void restart(const std::vector<SharedEmitter>& emitters);
    void restart(const std::vector<EmitterDesc>& emitters);
    // Takes new emitters; previous[i] is the index of the old emitter that emitter i continues, or -1.
    // Live particles of continued emitters stay; the others go.
    void replace(const std::vector<SharedEmitter>& emitters, const std::vector<int>& previous);
    // As above; a continued emitter whose gradient is unchanged keeps its colour table.
    void replace(const std::vector<EmitterDesc>& emitters, const std::vector<int>& previous);
    // Spawns beyond this many live particles are dropped.
    void setCap(std::size_t particles) { cap = particles; }

    // One fixed step: particles age, move and die, then emitters spawn when emitting.
    void step(bool emitting = true);
    // Where new particles start.
    void setOrigin(float x, float y);

    // The live particles as records, oldest first (made on the first call after a change).
    const std::vector<Body>& bodies() const;
    // How many particles are live.
    std::size_t count() const { return particles.size(); }
    // Particle i of count(), oldest first.
    Body body(std::size_t i) const { return particles.get(particles.begin() + i); }
    // Whether particle i of count() draws a trail.
    bool hasTrail(std::size_t i) const { return particles.trail[particles.begin() + i] >= 0; }
    // Whether any live particle draws a trail.
    bool anyTrail() const { return trailPoints.size() / trailStride > freeTrails.size(); }
    // The emitter source of particle i of count().
    std::uint32_t sourceOf(std::size_t i) const { return particles.source[particles.begin() + i]; }
    // The emitters given; sub-emitters' sources follow them.
    std::size_t emitterCount() const { return topLevel; }
    // Where a particle's trail has been, newest first, as x, y pairs; empty without a trail.
    void trailOf(const Body& body, std::vector<float>& points) const;
    void trailOf(std::size_t i, std::vector<float>& points) const;
    const EmitterDesc& emitter(std::uint32_t source) const { return sources[source].compiled->values; }
    const Emission& emission(std::uint32_t source) const { return sources[source].compiled->emission; }
    std::uint64_t stepCount() const { return steps; }

    // Size from the size curve and colour from the gradient at the particle's age.
    Look look(const Body& particle) const;
    // Every live particle as a program draws it; textureOf gives each emitter's texture index (or -1).
    void snapshot(std::vector<Particle>& out, const std::vector<int>& textureOf) const;
    // Particles first to first + count - 1 (of count()) as a program draws them, into out.
    void appearances(std::size_t first, std::size_t count, Particle* out,
                     const std::vector<int>& textureOf) const;

private:
    struct Source {
        SharedEmitter compiled;
        std::vector<std::uint32_t> children; // the source of each sub-emitter
        bool sub = false;                    // emits only when its parents trigger it
        std::uint64_t emitted = 0;           // particles emitted so far by the schedule
        std::int64_t startStep = 0;          // the emitter's time 0, in steps of the engine's clock
    };

    static std::vector<float> sampleColors(const std::vector<ColorKey>& keys);
    // Moves the particles one step and emits what the schedules give by the new clock.
    void advance(bool emitting);
    // The step of particles from..to-1 (store positions), all of one plain emitter and without trails:
    // dead ones flagged in `dying`.
    void advancePlain(const CompiledEmitter& source, std::size_t from, std::size_t to);
    // The step of one particle of any emitter; false when it dies.
    bool advanceOne(std::size_t at, float time);
    void appearancesOf(const ParticleStore& store, std::size_t first, std::size_t count, Particle* out,
                       const std::vector<int>& textureOf) const;
    double localTime(const Source& source) const;
    // Emits from the shape around (x, y), adding (vx, vy) to each start velocity.
    void spawn(std::uint32_t source, std::uint64_t count, float x, float y, float vx = 0.0f, float vy = 0.0f);
    void spawn(std::uint32_t source, std::uint64_t count);
    // Appends the sources of these compiled sub-emitters and theirs, depth first.
    void addSubSources(std::uint32_t parent);
    // Gravity, forces, noise, drag and the speed limit on one particle's velocity; then its move and its
    // meeting with the ground. False when the particle dies on contact.
    bool move(Body& particle, const CompiledEmitter& source, float time);
    void recordTrail(Body& particle, const CompiledEmitter& source, float previousAge);
    void releaseTrail(Body& particle);
    void trailPointsOf(std::int32_t slot, std::uint32_t source, int head, int count,
                       std::vector<float>& points) const;
    // Queues the particles a trigger emits at (x, y).
    void trigger(const Source& source, Trigger kind, const Body& parent, float x, float y);

    struct Pending {
        std::uint32_t source;
        std::uint64_t count;
        float x, y, vx, vy;
    };
    std::vector<Pending> pending;
    // Makes each trail slot hold this many floats, keeping the points recorded.
    void restride(std::size_t floats);

    std::vector<float> trailPoints;       // trailStride floats per slot
    std::size_t trailStride = 2;          // enough for the longest trail of the emitters
    std::vector<std::int32_t> freeTrails; // slots no particle holds
    std::size_t topLevel = 0;

    std::uint64_t seed;
    Random random;
    std::vector<Source> sources;
    ParticleStore particles;
    std::vector<std::uint8_t> dying;   // per store position, set for particles dying this step
    mutable std::vector<Body> records; // bodies() as last made
    mutable bool recordsStale = true;
    std::uint64_t steps = 0;
    std::int64_t clockSteps = 0; // steps since the start; negative while prewarming
    float originX = 0.0f;
    float originY = 0.0f;
    std::size_t cap = kMaxParticles;
};

} // namespace detail
} // namespace pelmora

#endif
