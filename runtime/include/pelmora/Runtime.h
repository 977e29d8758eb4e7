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
};

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
};

class LoadResult;
class Instance;

/// A loaded effect: its systems, groups and emitters, checked. Cheap to share between instances.
class Effect {
public:
    /// The marker in every effect file's "format" field.
    static const char* const kFormat;
    /// The newest file version this runtime reads.
    static const int kVersion = 2;
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

    /// The effect file's text: what load() and parse() read back as the same systems. Two-space indented
    /// JSON with a final newline; numbers in their shortest form that reads back as the same value.
    std::string toJson() const;
    /// As toJson(), with names and texture paths taken as bytes in the encoding given.
    std::string toJson(TextEncoding encoding) const;

    /// The systems as read.
    const std::vector<SystemDesc>& systems() const { return systemList; }
    /// Every texture the effect uses, once each, for the program to load; Particle::texture indexes it.
    const std::vector<std::string>& texturePaths() const { return textures; }
    /// How many emitters the systems hold in all.
    std::size_t emitterCount() const { return emitters.size(); }

private:
    friend class Instance;
    void index(const std::string& textureFolder);

    std::vector<SystemDesc> systemList;
    std::vector<EmitterDesc> emitters; // flattened, in drawing order
    std::vector<int> emitterTexture;   // per emitter, index into textures or -1
    std::vector<std::string> textures;
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

namespace detail {
class Engine;
}

/// One playing copy of an effect. The same effect, seed and calls give the same particles on every
/// platform: time runs in fixed steps of 1/60 second, and all randomness comes from the seed.
class Instance {
public:
    /// A new instance at time 0 with no particles, playing; the effect is copied.
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
    /// Advances by the seconds given, in whole fixed steps (the remainder carries to the next call).
    void update(double seconds);
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
    /// False once the last particle has died and no emitter will emit again: stopped, or every emitter
    /// past the end of its last cycle (emitters that do not loop).
    bool alive() const;
    /// Seconds played since the start.
    double time() const { return clock; }
    /// The live particles, oldest first (the order to draw them in).
    const std::vector<Particle>& particles() const { return current; }

private:
    void runTo(double seconds);
    void refresh();

    std::unique_ptr<detail::Engine> engine;
    std::vector<int> emitterTexture;
    std::vector<Particle> current;
    double clock = 0.0;
    bool playing = true;
};

} // namespace pelmora

#endif
