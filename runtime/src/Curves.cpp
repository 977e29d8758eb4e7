#include "Curves.h"

#include <algorithm>
#include <cmath>

namespace pelmora {
namespace detail {

namespace {

int roundHalfAway(float x) {
    return static_cast<int>(x > 0.0f ? x + 0.5f : x - 0.5f);
}

int blend(int from, int to, float t) {
    return std::min(255,
                    std::max(0, roundHalfAway(static_cast<float>(from) + static_cast<float>(to - from) * t)));
}

Color blendColor(const Color& from, const Color& to, float t) {
    return Color{blend(from.r, to.r, t), blend(from.g, to.g, t), blend(from.b, to.b, t),
                 blend(from.a, to.a, t)};
}

} // namespace

SizeSample evaluateSize(const std::vector<SizeKey>& keys, float x) {
    SizeSample sample;
    if (keys.empty()) {
        return sample;
    }
    if (!(x == x)) {
        x = 0.0f;
    }
    // The vector may be out of order while a key is dragged, so it is scanned rather than searched.
    const SizeKey* left = nullptr;
    const SizeKey* right = nullptr;
    for (const SizeKey& key : keys) {
        if (key.x <= x) {
            if (!left || key.x >= left->x) {
                left = &key;
            }
        } else if (!right || key.x < right->x) {
            right = &key;
        }
    }
    if (!left || !right) {
        const SizeKey* only = left ? left : right;
        sample.upper = only->upper;
        sample.lower = only->lower;
        return sample;
    }
    const float t = (x - left->x) / (right->x - left->x);
    sample.upper = left->upper + (right->upper - left->upper) * t;
    sample.lower = left->lower + (right->lower - left->lower) * t;
    // Rounding must not undo the order that both neighbours keep.
    if (sample.lower < 0.0f) {
        sample.lower = 0.0f;
    }
    if (sample.upper < sample.lower) {
        sample.upper = sample.lower;
    }
    return sample;
}

bool evaluateColor(const std::vector<ColorKey>& keys, float position, Color& upper, Color& lower) {
    if (!std::isfinite(position) || keys.empty()) {
        return false;
    }
    std::vector<const ColorKey*> ordered;
    ordered.reserve(keys.size());
    for (const ColorKey& key : keys) {
        ordered.push_back(&key);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ColorKey* a, const ColorKey* b) { return a->position < b->position; });
    // The last key at or left of the position, and the key after it.
    std::size_t right = 0;
    while (right < ordered.size() && ordered[right]->position <= position) {
        ++right;
    }
    const ColorKey& before = *ordered[right == 0 ? 0 : right - 1];
    if (right == 0 || right == ordered.size()) {
        upper = before.upper;
        lower = before.lower;
        return true;
    }
    const ColorKey& after = *ordered[right];
    const float t = (position - before.position) / (after.position - before.position);
    upper = blendColor(before.upper, after.upper, t);
    lower = blendColor(before.lower, after.lower, t);
    return true;
}

} // namespace detail
} // namespace pelmora
