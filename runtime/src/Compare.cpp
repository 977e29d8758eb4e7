#include <pelmora/Runtime.h>

// Equality of emitter values, field by field: an edited effect reuses what it compiled for the emitters
// an edit left as they were.
namespace pelmora {

bool operator==(const Color& a, const Color& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool operator==(const SizeKey& a, const SizeKey& b) {
    return a.x == b.x && a.upper == b.upper && a.lower == b.lower;
}

bool operator==(const ColorKey& a, const ColorKey& b) {
    return a.position == b.position && a.upper == b.upper && a.lower == b.lower;
}

bool operator==(const Trail& a, const Trail& b) {
    return a.length == b.length && a.width == b.width && a.segments == b.segments && a.fade == b.fade;
}

bool operator==(const Noise& a, const Noise& b) {
    return a.strength == b.strength && a.frequency == b.frequency && a.scroll == b.scroll &&
           a.octaves == b.octaves;
}

bool operator==(const Force& a, const Force& b) {
    return a.kind == b.kind && a.x == b.x && a.y == b.y && a.strength == b.strength && a.radius == b.radius &&
           a.direction == b.direction;
}

bool operator==(const Collision& a, const Collision& b) {
    return a.enabled == b.enabled && a.plane == b.plane && a.bounce == b.bounce && a.friction == b.friction &&
           a.lifeLoss == b.lifeLoss && a.kill == b.kill;
}

bool operator==(const SubEmitter& a, const SubEmitter& b) {
    return a.trigger == b.trigger && a.count == b.count && a.inheritVelocity == b.inheritVelocity &&
           a.emitter == b.emitter;
}

bool operator==(const EmitterDesc& a, const EmitterDesc& b) {
    return a.name == b.name && a.rate == b.rate && a.lifetimeMin == b.lifetimeMin &&
           a.lifetimeMax == b.lifetimeMax && a.speed == b.speed && a.spread == b.spread &&
           a.gravity == b.gravity && a.blend == b.blend && a.texture == b.texture && a.size == b.size &&
           a.color == b.color && a.shape == b.shape && a.direction == b.direction && a.bursts == b.bursts &&
           a.duration == b.duration && a.loop == b.loop && a.delay == b.delay && a.prewarm == b.prewarm &&
           a.rotationMin == b.rotationMin && a.rotationMax == b.rotationMax && a.spinMin == b.spinMin &&
           a.spinMax == b.spinMax && a.alignToVelocity == b.alignToVelocity && a.drag == b.drag &&
           a.sheet == b.sheet && a.trail == b.trail && a.subEmitters == b.subEmitters && a.noise == b.noise &&
           a.forces == b.forces && a.speedOverLife == b.speedOverLife && a.speedLimit == b.speedLimit &&
           a.stretch == b.stretch && a.collision == b.collision;
}

} // namespace pelmora
