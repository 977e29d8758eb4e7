#include "logic/EmitterValues.h"

#include <algorithm>

namespace pelmora {
namespace editor {

namespace {

// Sub-emitters that start their particles at the same times: the same triggers, each with the same timing.
bool sameSubEmitterTiming(const std::vector<SubEmitter>& a, const std::vector<SubEmitter>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SubEmitter& p, const SubEmitter& q) {
        return p.trigger == q.trigger && sameTiming(p.emitter, q.emitter);
    });
}

} // namespace

EmitterDesc defaultEmitterValues() {
    EmitterDesc values;
    values.size = {SizeKey{0.0f, 12.0f, 6.0f}, SizeKey{100.0f, 3.0f, 1.0f}};
    values.color = {ColorKey{0.0f, {255, 240, 170, 255}, {255, 190, 60, 255}},
                    ColorKey{100.0f, {230, 60, 0, 0}, {160, 20, 0, 0}}};
    return values;
}

std::vector<float> collisionPlanes(const EmitterDesc& values) {
    std::vector<float> planes;
    if (values.collision.enabled) {
        planes.push_back(values.collision.plane);
    }
    for (const SubEmitter& sub : values.subEmitters) {
        const std::vector<float> below = collisionPlanes(sub.emitter);
        planes.insert(planes.end(), below.begin(), below.end());
    }
    return planes;
}

bool sameTiming(const EmitterDesc& a, const EmitterDesc& b) {
    return a.duration == b.duration && a.loop == b.loop && a.delay == b.delay && a.prewarm == b.prewarm &&
           a.bursts == b.bursts && sameSubEmitterTiming(a.subEmitters, b.subEmitters);
}

bool sameValues(const EmitterDesc& a, const EmitterDesc& b) {
    return a == b;
}

} // namespace editor
} // namespace pelmora
