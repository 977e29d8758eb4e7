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

} // namespace

EmitterDesc defaultEmitterValues() {
    EmitterDesc values;
    values.size = {SizeKey{0.0f, 12.0f, 6.0f}, SizeKey{100.0f, 3.0f, 1.0f}};
    values.color = {ColorKey{0.0f, {255, 240, 170, 255}, {255, 190, 60, 255}},
                    ColorKey{100.0f, {230, 60, 0, 0}, {160, 20, 0, 0}}};
    return values;
}

bool sameTiming(const EmitterDesc& a, const EmitterDesc& b) {
    return a.duration == b.duration && a.loop == b.loop && a.delay == b.delay && a.prewarm == b.prewarm &&
           a.bursts == b.bursts;
}

bool sameValues(const EmitterDesc& a, const EmitterDesc& b) {
    return a.name == b.name && a.rate == b.rate && a.lifetimeMin == b.lifetimeMin &&
           a.lifetimeMax == b.lifetimeMax && a.speed == b.speed && a.spread == b.spread &&
           a.gravity == b.gravity && a.blend == b.blend && a.texture == b.texture &&
           sameSizeKeys(a.size, b.size) && sameColorKeys(a.color, b.color) && a.shape == b.shape &&
           a.direction == b.direction && sameTiming(a, b) && a.rotationMin == b.rotationMin &&
           a.rotationMax == b.rotationMax && a.spinMin == b.spinMin && a.spinMax == b.spinMax &&
           a.alignToVelocity == b.alignToVelocity && a.drag == b.drag && a.sheet == b.sheet;
}

} // namespace editor
} // namespace pelmora
