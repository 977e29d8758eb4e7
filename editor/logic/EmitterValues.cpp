#include "logic/EmitterValues.h"

#include <algorithm>

namespace pelmora {
namespace editor {

namespace {

bool sameColor(const Color& a, const Color& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool sameSizeKeys(const std::vector<SizeKey>& a, const std::vector<SizeKey>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SizeKey& p, const SizeKey& q) {
        return p.x == q.x && p.upper == q.upper && p.lower == q.lower;
    });
}

bool sameColorKeys(const std::vector<ColorKey>& a, const std::vector<ColorKey>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ColorKey& p, const ColorKey& q) {
        return p.position == q.position && sameColor(p.upper, q.upper) && sameColor(p.lower, q.lower);
    });
}

bool sameForces(const std::vector<Force>& a, const std::vector<Force>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Force& p, const Force& q) {
        return p.kind == q.kind && p.x == q.x && p.y == q.y && p.strength == q.strength &&
               p.radius == q.radius && p.direction == q.direction;
    });
}

bool sameMotion(const EmitterDesc& a, const EmitterDesc& b) {
    const Trail &p = a.trail, &q = b.trail;
    const Collision &c = a.collision, &d = b.collision;
    return p.length == q.length && p.width == q.width && p.segments == q.segments && p.fade == q.fade &&
           a.noise.strength == b.noise.strength && a.noise.frequency == b.noise.frequency &&
           a.noise.scroll == b.noise.scroll && a.noise.octaves == b.noise.octaves &&
           sameForces(a.forces, b.forces) && sameSizeKeys(a.speedOverLife, b.speedOverLife) &&
           a.speedLimit == b.speedLimit && a.stretch == b.stretch && c.enabled == d.enabled &&
           c.plane == d.plane && c.bounce == d.bounce && c.friction == d.friction &&
           c.lifeLoss == d.lifeLoss && c.kill == d.kill;
}

bool sameSubEmitters(const std::vector<SubEmitter>& a, const std::vector<SubEmitter>& b, bool timingOnly) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [timingOnly](const SubEmitter& p, const SubEmitter& q) {
            return p.trigger == q.trigger &&
                   (timingOnly || (p.count == q.count && p.inheritVelocity == q.inheritVelocity)) &&
                   (timingOnly ? sameTiming(p.emitter, q.emitter) : sameValues(p.emitter, q.emitter));
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
           a.bursts == b.bursts && sameSubEmitters(a.subEmitters, b.subEmitters, true);
}

bool sameValues(const EmitterDesc& a, const EmitterDesc& b) {
    return a.name == b.name && a.rate == b.rate && a.lifetimeMin == b.lifetimeMin &&
           a.lifetimeMax == b.lifetimeMax && a.speed == b.speed && a.spread == b.spread &&
           a.gravity == b.gravity && a.blend == b.blend && a.texture == b.texture &&
           sameSizeKeys(a.size, b.size) && sameColorKeys(a.color, b.color) && a.shape == b.shape &&
           a.direction == b.direction && sameTiming(a, b) && a.rotationMin == b.rotationMin &&
           a.rotationMax == b.rotationMax && a.spinMin == b.spinMin && a.spinMax == b.spinMax &&
           a.alignToVelocity == b.alignToVelocity && a.drag == b.drag && a.sheet == b.sheet &&
           sameMotion(a, b) && sameSubEmitters(a.subEmitters, b.subEmitters, false);
}

} // namespace editor
} // namespace pelmora
