#include "logic/Playback.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace pelmora {
namespace editor {

const int Playback::kStepsPerSecond;
const int Playback::kMaxCatchUpSteps;

Playback::Playback(std::uint32_t seed) : instance(current, seed), seed(seed) {}

bool Playback::take(const Scene& scene, std::vector<int>& previous) {
    std::unordered_map<ElementId, int> indexOf;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        indexOf.emplace(ids[i], static_cast<int>(i));
    }
    std::vector<ElementId> order;
    previous.clear();
    for (const System& system : scene.getSystems()) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                const auto old = indexOf.find(emitter.id);
                previous.push_back(old == indexOf.end() ? -1 : old->second);
                order.push_back(emitter.id);
            }
        }
    }
    // Texture paths stay as written (no folder): the preview resolves and loads them itself. Emitters
    // an edit left alone keep what the runtime compiled for them.
    const LoadResult made = current.remake(scene.describe(), previous);
    if (!made) {
        return false;
    }
    current = *made;
    ids.swap(order);
    return true;
}

void Playback::restart(const Scene& scene) {
    std::vector<int> previous;
    take(scene, previous);
    instance = Instance(current, seed);
    steps = 0;
    unsimulated = 0.0;
}

void Playback::update(const Scene& scene) {
    std::vector<int> previous;
    if (take(scene, previous)) {
        instance.replace(current, previous);
    }
}

void Playback::step(int count) {
    if (count <= 0) {
        return;
    }
    steps += count;
    // Played to the whole step's time rather than by a sum of step lengths, which would drift.
    instance.update(time() - instance.time());
}

int Playback::advance(double seconds) {
    if (!(seconds > 0.0)) {
        return 0;
    }
    unsimulated += seconds * kStepsPerSecond;
    const int ran = static_cast<int>(std::min<double>(std::floor(unsimulated), kMaxCatchUpSteps));
    unsimulated = unsimulated - ran >= 1.0 ? 0.0 : unsimulated - ran;
    step(ran);
    return ran;
}

void Playback::seek(double seconds) {
    steps = std::llround(std::max(0.0, seconds) * kStepsPerSecond);
    instance.seek(time());
    unsimulated = 0.0;
}

} // namespace editor
} // namespace pelmora
