#ifndef PELMORA_RUNTIME_H
#define PELMORA_RUNTIME_H

/// @file Runtime.h
/// Pelmora's particle effects in a program of your own: load an effect file, play instances of it and
/// draw their particles with whatever the program draws with. Portable C++17, no window system needed.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/// The particle effect runtime.
namespace pelmora {

/// How a particle's colour meets what is already drawn.
enum class Blend {
    Alpha,   ///< mixed over the background by the particle's opacity
    Additive ///< its colour, weighted by its opacity, added to the background (light, fire)
};

/// How names and texture paths in a file map to the bytes a program gets.
enum class TextEncoding {
    Utf8,  ///< as written (UTF-8)
    Latin1 ///< one byte per character; a character beyond U+00FF is refused
};

/// A colour with components 0..255.
struct Color {
    int r; ///< red
    int g; ///< green
    int b; ///< blue
    int a; ///< opacity, 0 transparent to 255 opaque
};

/// A key of a size-over-life curve: at a life position, the two sizes between which a particle's size lies.
struct SizeKey {
    float x;     ///< life position, 0 (birth) to 100 (death)
    float upper; ///< the larger size, in effect units
    float lower; ///< the smaller size, in effect units
};

/// A key of a colour-over-life gradient: at a life position, the two colours a particle's colour mixes.
struct ColorKey {
    float position; ///< life position, 0 (birth) to 100 (death)
    Color upper;    ///< the first colour
    Color lower;    ///< the second colour
};

/// Where an emitter's particles start.
enum class ShapeKind {
    Point,     ///< the emitter's position
    Circle,    ///< a circle around it (its area or its outline)
    Rectangle, ///< a rectangle centred on it (its area or its outline)
    Line       ///< a horizontal line centred on it
};

/// An emitter's shape, centred on the emitter's position (effect units).
struct EmitterShape {
    ShapeKind kind = ShapeKind::Point; ///< the kind of shape
    bool edge = false;                 ///< circle and rectangle: start on the outline instead of inside
    float radius = 0.0f;               ///< the circle's radius
    float width = 0.0f;                ///< the rectangle's width; the line's length
    float height = 0.0f;               ///< the rectangle's height
};

/// Particles emitted at once at a time of the emitter's cycle, optionally repeated.
struct Burst {
    float time = 0.0f;     ///< seconds from the start of the cycle
    int count = 10;        ///< particles per burst
    float interval = 0.0f; ///< seconds between repeats
    int cycles = 1;        ///< how many times it fires in each emitter cycle (1: once)
};

/// How a texture splits into animation frames: a grid read left to right, top to bottom.
struct SpriteSheet {
    int columns = 1;          ///< frames across
    int rows = 1;             ///< frames down
    float frameRate = 0.0f;   ///< frames per second; 0 plays the frames once over the particle's life
    bool randomStart = false; ///< each particle starts on a random frame (and wraps round to it)
    /// columns x rows (at least 1).
    int frameCount() const;
};

/// Same values.
bool operator==(const EmitterShape& a, const EmitterShape& b);
/// Same values.
bool operator==(const Burst& a, const Burst& b);
/// Same values.
bool operator==(const SpriteSheet& a, const SpriteSheet& b);
/// Same values.
bool operator==(const Color& a, const Color& b);
/// Same values.
bool operator==(const SizeKey& a, const SizeKey& b);
/// Same values.
bool operator==(const ColorKey& a, const ColorKey& b);

/// A line drawn behind each particle along the path it took.
struct Trail {
    float length = 0.0f; ///< seconds of the path drawn; 0: no trail
    float width = 1.0f;  ///< width at the particle, as a fraction of its size; it narrows to 0 at the tail
    int segments = 8;    ///< points kept along the trail
    bool fade = true;    ///< opacity falls to 0 towards the tail
};

/// Turbulence: an acceleration that varies smoothly with position and time.
struct Noise {
    float strength = 0.0f;  ///< acceleration, units per second squared; 0: none
    float frequency = 1.0f; ///< noise cells per 100 units
    float scroll = 0.0f;    ///< how fast the field changes, cycles per second
    int octaves = 1;        ///< layers of finer noise, 1 to 4
};

/// What a force field does.
enum class ForceKind {
    Attractor, ///< pulls towards its centre (pushes away when the strength is negative)
    Vortex,    ///< turns about its centre, counter-clockwise when the strength is positive
    Wind       ///< a constant push towards its direction
};

/// A force field acting on an emitter's particles.
struct Force {
    ForceKind kind = ForceKind::Attractor; ///< what it does
    float x = 0.0f;                        ///< its centre, relative to the effect's origin
    float y = 0.0f;                        ///< its centre, relative to the effect's origin
    float strength = 0.0f;                 ///< acceleration at the centre, units per second squared
    float radius = 0.0f;    ///< attractor and vortex act within it, weaker towards its edge; 0: everywhere
    float direction = 0.0f; ///< wind: degrees counter-clockwise from +x
};

/// A horizontal ground plane that particles collide with.
struct Collision {
    bool enabled = false;  ///< particles collide with the plane
    float plane = 0.0f;    ///< its height, relative to the effect's origin
    float bounce = 0.5f;   ///< fraction of the vertical speed kept, reversed, on contact
    float friction = 0.0f; ///< fraction of the horizontal speed lost on contact
    float lifeLoss = 0.0f; ///< fraction of the remaining life lost on contact
    bool kill = false;     ///< the particle dies on contact
};

/// When a sub-emitter emits.
enum class Trigger {
    Birth,    ///< all through each particle's life, following it, its schedule counted from its birth
    Death,    ///< count particles where each particle dies
    Collision ///< count particles where each particle meets the collision plane
};

struct SubEmitter;

/// An emitter's values. Effect units are pixels at 96 DPI; y grows upwards; angles are degrees.
struct EmitterDesc {
    std::string name;              ///< shown in the editor
    float rate = 40.0f;            ///< particles per second
    float lifetimeMin = 1.0f;      ///< shortest life in seconds
    float lifetimeMax = 2.0f;      ///< longest life in seconds
    float speed = 120.0f;          ///< start speed in units per second
    float spread = 30.0f;          ///< width of the cone around the direction that particles leave in
    float gravity = 60.0f;         ///< downward pull in units per second squared
    Blend blend = Blend::Additive; ///< how particles are drawn
    std::string texture;           ///< image file, relative to the effect file; empty: a round particle
    std::vector<SizeKey> size;     ///< size over life, keys in position order, 0 first and 100 last
    std::vector<ColorKey> color;   ///< colour over life, keys in position order
    EmitterShape shape;            ///< where particles start
    /// Degrees counter-clockwise from the shape's outward normal at the start point (straight up for a
    /// point, an area rectangle and a line) to the middle of the cone.
    float direction = 0.0f;
    std::vector<Burst> bursts;    ///< particles emitted at once, besides the rate
    float duration = 5.0f;        ///< seconds per emitter cycle (bursts repeat each cycle)
    bool loop = true;             ///< cycles repeat for ever; otherwise the emitter stops after one
    float delay = 0.0f;           ///< seconds before the first cycle starts
    bool prewarm = false;         ///< a looping emitter starts as if it had run one cycle already
    float rotationMin = 0.0f;     ///< start rotation, degrees counter-clockwise: lowest
    float rotationMax = 0.0f;     ///< start rotation: highest
    float spinMin = 0.0f;         ///< angular speed, degrees per second counter-clockwise: lowest
    float spinMax = 0.0f;         ///< angular speed: highest
    bool alignToVelocity = false; ///< rotation follows the direction of motion (plus the start rotation)
    float drag = 0.0f;            ///< speed lost per second, as a fraction (1: about 63 % in a second)
    SpriteSheet sheet;            ///< the texture's animation frames
    Trail trail;                  ///< a line drawn behind each particle
    std::vector<SubEmitter> subEmitters; ///< emitters started by each particle's birth, death or collision
    Noise noise;                         ///< turbulence
    std::vector<Force> forces;           ///< force fields
    /// Each step a particle moves by its velocity times a factor between these curves at its life position
    /// (the velocity itself is unchanged by it).
    std::vector<SizeKey> speedOverLife = {{0.0f, 1.0f, 1.0f}, {100.0f, 1.0f, 1.0f}};
    float speedLimit = 0.0f; ///< the largest speed a particle keeps; 0: none
    /// Sprites stretch along their motion: length = size + stretch x speed, turned along the velocity.
    float stretch = 0.0f;
    Collision collision; ///< the ground plane
};

/// An emitter run by each particle of another one.
struct SubEmitter {
    Trigger trigger = Trigger::Death; ///< when it emits
    int count = 10;                   ///< particles per death or collision; unused for birth
    float inheritVelocity = 0.0f;     ///< fraction of the parent's velocity added to each start velocity
    EmitterDesc emitter;              ///< what it emits (itself allowed sub-emitters, 3 levels in all)
};

/// Same values.
bool operator==(const Trail& a, const Trail& b);
/// Same values.
bool operator==(const Noise& a, const Noise& b);
/// Same values.
bool operator==(const Force& a, const Force& b);
/// Same values.
bool operator==(const Collision& a, const Collision& b);
/// Same values, its emitter's included.
bool operator==(const SubEmitter& a, const SubEmitter& b);
/// Every value the same, name, keys and sub-emitters included.
bool operator==(const EmitterDesc& a, const EmitterDesc& b);

/// A named set of emitters.
struct GroupDesc {
    std::string name;                  ///< shown in the editor
    std::vector<EmitterDesc> emitters; ///< drawn in this order
};

/// A named set of groups.
struct SystemDesc {
    std::string name;              ///< shown in the editor
    std::vector<GroupDesc> groups; ///< drawn in this order
};

/// One particle as a program draws it.
struct Particle {
    float x;        ///< centre, effect units, y growing upwards
    float y;        ///< centre, effect units, y growing upwards
    float size;     ///< diameter in effect units
    float rotation; ///< radians, counter-clockwise
    std::uint8_t r; ///< red
    std::uint8_t g; ///< green
    std::uint8_t b; ///< blue
    std::uint8_t a; ///< opacity
    int frame;      ///< sprite frame within the texture, 0 to columns x rows - 1
    int columns;    ///< the texture's frame grid, read left to right and top to bottom (1 x 1: one image)
    int rows;       ///< the texture's frame grid's rows
    int texture;    ///< index into Effect::texturePaths(), or -1 for a round particle
    Blend blend;    ///< how to draw it
    /// Length added along the rotation's direction (a sprite stretched along its motion); 0 for a square.
    float stretch;
};

/// One corner of a particle's quad, as a renderer takes it.
struct Vertex {
    float x; ///< effect units, y growing upwards
    float y; ///< effect units, y growing upwards
    float u; ///< texture coordinate across, 0 (left) to 1 (right)
    float v; ///< texture coordinate down, 0 at the texture's top row
    /// The bytes red, green, blue and opacity in this order in memory, with straight (not premultiplied)
    /// alpha.
    std::uint32_t color;
};

/// A run of triangles drawn with one texture and one blend.
struct DrawCall {
    int texture; ///< index into Effect::texturePaths(), or -1 for the round sprite (roundSprite())
    Blend blend; ///< how the triangles meet what is drawn
    std::uint32_t firstIndex; ///< the first of its entries in Geometry::indices
    std::uint32_t indexCount; ///< how many entries of Geometry::indices it draws (3 per triangle)
};

/// A rectangle in effect units, y growing upwards.
struct Bounds {
    float left;   ///< smallest x
    float bottom; ///< smallest y
    float right;  ///< largest x
    float top;    ///< largest y
    bool empty;   ///< true when it covers nothing (the other fields then mean nothing)
};

/// Triangles for any renderer: each particle is a quad of 4 vertices and 6 indices (0, 1, 2, 2, 1, 3 of its
/// four corners), and draw calls follow the drawing order.
struct Geometry {
    std::vector<Vertex> vertices;       ///< every corner
    std::vector<std::uint32_t> indices; ///< triangles, three entries each, into vertices
    std::vector<DrawCall> draws;        ///< in drawing order
    /// Empties all three, keeping their memory for the next frame.
    void clear();

    /// How long the three lists were at some point.
    struct Mark {
        std::size_t vertices; ///< vertices then
        std::size_t indices;  ///< indices then
        std::size_t draws;    ///< draw calls then
    };
    /// The rectangle covering the vertices added since the mark; empty when none were.
    Bounds boundsSince(const Mark& mark) const;
    /// Drops what was added since the mark.
    void truncate(const Mark& mark);
};

/// The round particle that draw calls with texture -1 show, as the CPU raster draws it: size x size pixels,
/// rows top first, 4 bytes each (red, green, blue, straight alpha), white inside the disc and transparent
/// outside. Empty for a size below 1.
std::vector<std::uint8_t> roundSprite(int size);

/// Appends the quads of these particles to out, as Instance::appendGeometry makes them.
void appendGeometry(const std::vector<Particle>& particles, Geometry& out);

class LoadResult;
class Instance;

namespace detail {
struct EffectData;
class Engine;
class WorkerPool;
} // namespace detail

/// A loaded effect: its systems, groups and emitters, checked. Copies and instances share its checked,
/// compiled data (emitters, sampled curves, schedules): copying it or making an instance of it copies none
/// of that.
class Effect {
public:
    /// The marker in every effect file's "format" field.
    static const char* const kFormat;
    /// The newest file version this runtime reads.
    static const int kVersion = 3;
    /// The largest effect file read, in bytes.
    static const std::size_t kMaxFileBytes = 16 * 1024 * 1024;

    /// An effect with no emitters.
    Effect();

    /// Reads an effect file (UTF-8 JSON). Relative texture paths are resolved against the file's folder.
    static LoadResult load(const std::string& path);
    /// As load(path), with names and texture paths decoded as given.
    static LoadResult load(const std::string& path, TextEncoding encoding);
    /// Reads effect file text. The error names the line ("line 3, column 7: ...") or the field
    /// ("systems[0].groups[1].emitters[0].rate: ...") that is wrong.
    static LoadResult parse(const std::string& json);
    /// As parse(json), with names and texture paths decoded as given.
    static LoadResult parse(const std::string& json, TextEncoding encoding);
    /// An effect from values made in code; refused with the field's path when a value is out of range.
    /// Relative texture paths are taken relative to textureFolder (empty: the current folder).
    static LoadResult make(const std::vector<SystemDesc>& systems,
                           const std::string& textureFolder = std::string());
    /// As make(), for an edited version of this effect, as an editor makes one on every change: emitter i
    /// of the systems (counted over systems and groups, as Instance::replace counts them) takes what this
    /// effect compiled for its emitter previous[i] when the two hold the same values, so an edit of one
    /// emitter of many compiles that one only. previous[i] of -1 or missing: compiled afresh.
    LoadResult remake(const std::vector<SystemDesc>& systems, const std::vector<int>& previous,
                      const std::string& textureFolder = std::string()) const;

    /// The effect file's text: what load() and parse() read back as the same systems. Two-space indented
    /// JSON with a final newline; numbers in their shortest form that reads back as the same value.
    std::string toJson() const;
    /// As toJson(), with names and texture paths taken as bytes in the encoding given.
    std::string toJson(TextEncoding encoding) const;

    /// The systems as read.
    const std::vector<SystemDesc>& systems() const;
    /// Every texture the effect uses, once each, for the program to load; Particle::texture indexes it.
    const std::vector<std::string>& texturePaths() const;
    /// How many emitters the systems hold in all.
    std::size_t emitterCount() const;

private:
    friend class Instance;
    // Compiles the systems (already checked) and indexes their textures; emitter i takes what base compiled
    // for its emitter reused[i] (the same values) unless that is -1 or missing.
    void assign(std::vector<SystemDesc> systems, const std::string& textureFolder,
                const Effect* base = nullptr, const std::vector<int>& reused = std::vector<int>());

    std::shared_ptr<const detail::EffectData> data;
};

/// What Effect::load and Effect::parse give: the effect, or why there is none.
class LoadResult {
public:
    /// True when the effect was read.
    explicit operator bool() const { return ok; }
    /// The effect; an empty one after a failure.
    const Effect& operator*() const { return effect; }
    /// The effect's members.
    const Effect* operator->() const { return &effect; }
    /// Empty on success; otherwise the line or field at fault and why.
    const std::string& error() const { return message; }

private:
    friend class Effect;
    Effect effect;
    bool ok = false;
    std::string message;
};

/// One playing copy of an effect. The same effect, seed and calls give the same particles on every
/// platform: time runs in fixed steps of 1/60 second, and all randomness comes from the seed.
class Instance {
public:
    /// Fixed steps per second of effect time: update() and seek() run whole steps of 1/60 second.
    static constexpr int kStepsPerSecond = 60;

    /// A new instance at time 0 with no particles, playing; it shares the effect's data.
    Instance(const Effect& effect, std::uint32_t seed);
    /// A copy at the same time with the same particles and random state.
    Instance(const Instance& other);
    /// Becomes a copy of other.
    Instance& operator=(const Instance& other);
    ~Instance();

    /// Emitters emit again (after stop()); time and particles carry on.
    void play();
    /// Emitters stop emitting; live particles move on until they die.
    void stop();
    /// Starts over from the seed and plays to the given time, as update() from 0 would (running every
    /// step on the way: the cost grows with the time).
    void seek(double seconds);
    /// Advances by the seconds given times the time scale, in whole fixed steps (the remainder carries to
    /// the next call).
    void update(double seconds);
    /// How fast update() plays: 1 as given, 0.5 half as fast, 0 paused. Negative or not finite: ignored.
    void setTimeScale(float scale);
    /// Moves the emitters; particles already out stay where they are. Before the first update() it also
    /// moves what a prewarmed emitter has emitted, as seek() would.
    void setPosition(float x, float y);
    /// Plays another effect (an edited version of this one) from the same time, position and seed: the
    /// particles become those a new instance of it, placed here and seeked to time(), would hold. Playing
    /// or stopped stays as it was. False, with nothing changed, for an effect with no emitters.
    bool reload(const Effect& effect);
    /// Takes another effect's emitters without replaying, as an editor does while its user edits: emitter i
    /// of the new effect continues emitter previous[i] of the current one (its live particles stay and its
    /// cycle carries on), or starts now when previous[i] is -1 or missing. Particles of emitters that are
    /// not continued go.
    void replace(const Effect& effect, const std::vector<int>& previous);
    /// Places the whole effect: translated to (x, y) as setPosition() does, and everything it draws turned
    /// counter-clockwise by rotationDegrees and scaled by scale about that point (sizes too).
    void setTransform(float x, float y, float rotationDegrees, float scale);
    /// At most this many live particles: emission is skipped while the instance is at its cap. The default
    /// is 200,000.
    void setMaxParticles(std::size_t count);
    /// False once the last particle has died and no emitter will emit again: stopped, or every emitter
    /// past the end of its last cycle (emitters that do not loop).
    bool alive() const;
    /// How many particles are live.
    std::size_t particleCount() const;
    /// Seconds played since the start.
    double time() const { return clock; }
    /// The live particles, oldest first (the order to draw them in), placed by setTransform(). Made on
    /// the first call after a change, so reading them from two threads at once needs a lock.
    const std::vector<Particle>& particles() const;
    /// Appends a quad per live particle, in drawing order, to out, with a draw call wherever the texture
    /// or the blend changes; indices count from the vertices already in out, so many instances can share
    /// one buffer. Draw calls are not merged with those already in out.
    void appendGeometry(Geometry& out) const;
    /// The rectangle that covers every live particle's quad; empty when there are none.
    Bounds bounds() const;

private:
    friend class World;
    // A new instance already placed at (x, y): a prewarmed effect runs once, there.
    Instance(const Effect& effect, std::uint32_t seed, float x, float y);
    void runTo(double seconds);
    void changed() { stale = true; }
    Particle placed(Particle particle) const;
    void placePoint(float& x, float& y) const;

    std::shared_ptr<const detail::EffectData> effect;
    std::unique_ptr<detail::Engine> engine;
    mutable std::vector<Particle> current;
    mutable bool stale = true;
    double clock = 0.0;
    bool playing = true;
    float timeScale = 1.0f;
    float originX = 0.0f;
    float originY = 0.0f;
    float turn = 0.0f; // radians
    float scale = 1.0f;
};

/// Many instances played together: a game's effects. Instances are kept in play order, which is also the
/// order their geometry is drawn in; those no longer alive are removed after each update.
class World {
public:
    World();
    ~World();
    /// No copies: instances are found by handle.
    World(const World&) = delete;
    /// No copies.
    World& operator=(const World&) = delete;

    /// Starts an instance of the effect at (x, y) with the seed; its handle, never 0, or 0 for an effect
    /// with no emitters.
    std::uint32_t play(const Effect& effect, float x, float y, std::uint32_t seed);
    /// Its emitters stop emitting (the particles out live on); false for a handle that is not live.
    bool stop(std::uint32_t handle);
    /// Removes it at once; false for a handle that is not live.
    bool remove(std::uint32_t handle);
    /// The instance, to move or control; null for a handle that is not live. Valid until the next
    /// update(), remove() or play().
    Instance* find(std::uint32_t handle);
    /// Advances every instance, spread over this many threads (0: one per core). The particles are the
    /// same, to the bit, for any number of threads.
    void update(double seconds, unsigned threads = 0);
    /// Only instances whose bounds meet this rectangle build geometry; all keep simulating.
    void setView(const Bounds& view);
    /// Every visible instance's geometry, in play order.
    void appendGeometry(Geometry& out) const;
    /// Live instances.
    std::size_t instanceCount() const;
    /// Live particles over all instances.
    std::size_t particleCount() const;

private:
    struct Entry {
        std::uint32_t handle;
        std::unique_ptr<Instance> instance;
    };
    std::vector<Entry> entries;
    std::unique_ptr<detail::WorkerPool> pool; // threads kept between updates
    std::uint32_t nextHandle = 1;
    Bounds view = {0.0f, 0.0f, 0.0f, 0.0f, true};
    bool viewSet = false;
};

} // namespace pelmora

#endif
