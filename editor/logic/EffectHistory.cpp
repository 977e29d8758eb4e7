#include "logic/EffectHistory.h"

#include <algorithm>

namespace KW {
namespace effect {

const std::size_t History::kDefaultLimit;
const std::size_t History::kNone;

History::History(const Scene& initial, std::size_t limit) : limit(std::max<std::size_t>(1, limit)) {
    reset(initial);
}

void History::reset(const Scene& scene) {
    states.assign(1, scene);
    index = 0;
    saved = 0;
    highestNextId = std::max(highestNextId, scene.getNextId());
}

bool History::record(const Scene& scene) {
    if (scene == states[index]) {
        return false;
    }
    states.erase(states.begin() + static_cast<std::ptrdiff_t>(index) + 1, states.end());
    if (saved != kNone && saved > index) {
        saved = kNone;
    }
    states.push_back(scene);
    ++index;
    highestNextId = std::max(highestNextId, scene.getNextId());
    if (states.size() > limit + 1) {
        states.erase(states.begin());
        --index;
        saved = (saved == kNone || saved == 0) ? kNone : saved - 1;
    }
    return true;
}

const Scene& History::moveTo(std::size_t target) {
    index = target;
    states[index].raiseNextId(highestNextId);
    return states[index];
}

const Scene& History::undo() {
    return canUndo() ? moveTo(index - 1) : current();
}

const Scene& History::redo() {
    return canRedo() ? moveTo(index + 1) : current();
}

void History::markSaved() {
    saved = index;
}

} // namespace effect
} // namespace KW
