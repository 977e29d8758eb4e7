#ifndef PELMORA_PLAYBACK_H
#define PELMORA_PLAYBACK_H

#include "logic/EditorScene.h"

#include <pelmora/Runtime.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelmora {
namespace editor {

// The scene as the preview plays it: a runtime instance of the scene's effect, so the preview shows what a
// program using the runtime shows. What the editor adds: emitters followed by id across edits (their live
// particles stay), and a catch-up limit for the preview's timer. Texture paths are kept as the scene
// writes them; the preview resolves them.
class Playback {
public:
    static const int kStepsPerSecond = Instance::kStepsPerSecond;
    // advance() catches up at most this many steps; a longer stall is not replayed.
    static const int kMaxCatchUpSteps = 10;

    explicit Playback(std::uint32_t seed = 1);

    // Starts over with the scene's emitters: no particles, the random source back at the seed.
    void restart(const Scene& scene);
    // Takes the scene's current values; live particles of emitters that still exist stay. A scene the
    // runtime refuses (which the document never holds) leaves the effect as it was.
    void update(const Scene& scene);
    // Runs this many fixed steps.
    void step(int count = 1);
    // Runs the whole steps that fit into the time elapsed so far; returns how many ran.
    int advance(double seconds);
    // Starts over from the seed and runs the whole steps nearest to the time.
    void seek(double seconds);

    long long stepCount() const { return steps; }
    // Seconds of effect time since the start.
    double time() const { return static_cast<double>(steps) / kStepsPerSecond; }
    std::size_t particleCount() const { return instance.particleCount(); }
    const std::vector<Particle>& particles() const { return instance.particles(); }
    // The effect played; its texturePaths() are the scene's paths, which Particle::texture indexes.
    const Effect& effect() const { return current; }
    // A quad per particle, trails included, as a renderer takes them.
    void appendGeometry(Geometry& out) const { instance.appendGeometry(out); }

private:
    // Takes the scene's effect and its emitters' ids; previous[i] is the index emitter i had before, or -1.
    // False, with nothing taken, when the runtime refuses the scene.
    bool take(const Scene& scene, std::vector<int>& previous);

    Effect current;
    std::vector<ElementId> ids; // the emitters of current, in the runtime's order
    Instance instance;
    std::uint32_t seed;
    long long steps = 0;
    double unsimulated = 0.0;
};

} // namespace editor
} // namespace pelmora

#endif
