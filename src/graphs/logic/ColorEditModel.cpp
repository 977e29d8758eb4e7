#include "graphs/logic/ColorEditModel.h"

#include <algorithm>
#include <cmath>

namespace KW {
namespace coloredit {

namespace {

const KWColor endColor1(50, 100, 200, 255);
const KWColor endColor2(0, 0, 200, 255);

bool componentInRange(int value) {
    return value >= 0 && value <= 255;
}

bool colorInRange(const KWColor& color) {
    return componentInRange(color.r) && componentInRange(color.g) && componentInRange(color.b) &&
           componentInRange(color.a);
}

int clampComponent(int value) {
    return std::min(255, std::max(0, value));
}

int roundHalfAway(float x) {
    return static_cast<int>(x > 0.0f ? x + 0.5f : x - 0.5f);
}

int blend(int from, int to, float t) {
    return clampComponent(roundHalfAway(static_cast<float>(from) + static_cast<float>(to - from) * t));
}

KWColor blendColor(const KWColor& from, const KWColor& to, float t) {
    return KWColor(blend(from.r, to.r, t), blend(from.g, to.g, t), blend(from.b, to.b, t),
                   blend(from.a, to.a, t));
}

} // namespace

bool inUpperSwatch(int py, int markerSize) {
    return py >= 0 && py <= 2 * markerSize;
}

bool inLowerSwatch(int py, int markerSize) {
    return py >= 2 * markerSize && py <= 4 * markerSize;
}

KWColor clampColor(const KWColor& color) {
    return KWColor(clampComponent(color.r), clampComponent(color.g), clampComponent(color.b),
                   clampComponent(color.a));
}

ColorEditModel::ColorEditModel() : editedIndex(-1), editingUpper(true) {
    points.push_back(KWColorPoint(0.0f, endColor1, endColor2, true));
    points.push_back(KWColorPoint(100.0f, endColor1, endColor2, true));
}

bool ColorEditModel::isValid(const std::vector<KWColorPoint>& keys) {
    if (keys.size() < 2) {
        return false;
    }
    for (size_t i = 0; i < keys.size(); ++i) {
        const KWColorPoint& key = keys[i];
        // Written so that NaN fails too.
        if (!(key.position >= 0.0f && key.position <= 100.0f)) {
            return false;
        }
        if (i > 0 && !(keys[i - 1].position <= key.position)) {
            return false;
        }
        if (!colorInRange(key.color1) || !colorInRange(key.color2)) {
            return false;
        }
        const bool isEnd = (i == 0 || i + 1 == keys.size());
        if (key.fixed != isEnd) {
            return false;
        }
    }
    return true;
}

bool ColorEditModel::setPoints(const std::vector<KWColorPoint>& keys) {
    if (!isValid(keys)) {
        return false;
    }
    points = keys;
    editedIndex = -1;
    return true;
}

bool ColorEditModel::hitsHorizontally(const KWColorPoint& key, const HitProbe& probe) const {
    const float tolerance = static_cast<float>(probe.markerSize) / probe.scale;
    return std::fabs(probe.cursorX - key.position) <= tolerance;
}

void ColorEditModel::selectAt(const HitProbe& probe) {
    bool found = false;
    for (size_t i = points.size(); i-- > 0;) {
        KWColorPoint& key = points[i];
        key.selected = false;
        if (!found && hitsHorizontally(key, probe) && probe.py >= 0 && probe.py <= 4 * probe.markerSize) {
            key.selected = true;
            found = true;
        }
    }
}

void ColorEditModel::moveSelected(float dx, float scale) {
    const float step = dx / scale;
    for (KWColorPoint& key : points) {
        if (!key.selected) {
            continue;
        }
        key.position += step;
        if (key.position < 0.0f) {
            key.position = 0.0f;
        }
        if (key.position > 100.0f) {
            key.position = 100.0f;
        }
    }
}

bool ColorEditModel::nudgeSelected(float step) {
    bool changed = false;
    for (KWColorPoint& key : points) {
        if (!key.selected || key.fixed) {
            continue;
        }
        const float before = key.position;
        key.position = std::min(100.0f, std::max(0.0f, key.position + step));
        changed = changed || key.position != before;
    }
    return changed;
}

void ColorEditModel::selectIndex(int index) {
    for (size_t i = 0; i < points.size(); ++i) {
        points[i].selected = static_cast<int>(i) == index;
    }
}

bool ColorEditModel::insertAt(float position, float y) {
    // NaN fails the range test as well.
    if (!(position >= 0.0f && position <= 100.0f) || y < 0.0f) {
        return false;
    }
    KWColorPoint key;
    key.position = position;
    size_t count = 0;
    for (const KWColorPoint& existing : points) {
        if (existing.position <= position) {
            key.color1 = existing.color1;
            key.color2 = existing.color2;
            ++count;
        }
    }
    if (count > 0) {
        points.insert(points.begin() + static_cast<std::ptrdiff_t>(count), key);
        if (editedIndex >= static_cast<int>(count)) {
            ++editedIndex;
        }
    }
    return true;
}

bool ColorEditModel::deleteSelected() {
    for (size_t i = 0; i < points.size(); ++i) {
        if (points[i].selected && !points[i].fixed) {
            points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
            const int erased = static_cast<int>(i);
            if (editedIndex == erased) {
                editedIndex = -1;
            } else if (editedIndex > erased) {
                --editedIndex;
            }
            return true;
        }
    }
    return false;
}

bool ColorEditModel::copyOntoHitSwatch(const HitProbe& probe) {
    for (KWColorPoint& key : points) {
        if (!hitsHorizontally(key, probe)) {
            continue;
        }
        if (inUpperSwatch(probe.py, probe.markerSize)) {
            key.color1 = key.color2;
            return true;
        }
        if (inLowerSwatch(probe.py, probe.markerSize)) {
            key.color2 = key.color1;
            return true;
        }
    }
    return false;
}

SwatchHit ColorEditModel::findSwatch(const HitProbe& probe) const {
    for (size_t i = 0; i < points.size(); ++i) {
        if (!hitsHorizontally(points[i], probe)) {
            continue;
        }
        if (inUpperSwatch(probe.py, probe.markerSize)) {
            return SwatchHit{static_cast<int>(i), true};
        }
        if (inLowerSwatch(probe.py, probe.markerSize)) {
            return SwatchHit{static_cast<int>(i), false};
        }
    }
    return SwatchHit{-1, true};
}

void ColorEditModel::beginEdit(const SwatchHit& hit) {
    if (hit.index < 0 || hit.index >= static_cast<int>(points.size())) {
        editedIndex = -1;
        return;
    }
    editedIndex = hit.index;
    editingUpper = hit.upper;
}

bool ColorEditModel::finishEdit(const KWColor& color) {
    if (editedIndex < 0 || editedIndex >= static_cast<int>(points.size())) {
        return false;
    }
    KWColorPoint& key = points[static_cast<size_t>(editedIndex)];
    (editingUpper ? key.color1 : key.color2) = clampColor(color);
    return true;
}

bool ColorEditModel::evaluate(float position, KWColor& color1, KWColor& color2) const {
    if (!std::isfinite(position) || points.empty()) {
        return false;
    }
    std::vector<const KWColorPoint*> ordered;
    ordered.reserve(points.size());
    for (const KWColorPoint& key : points) {
        ordered.push_back(&key);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const KWColorPoint* a, const KWColorPoint* b) { return a->position < b->position; });

    // The last key at or left of the position, and the key after it.
    size_t right = 0;
    while (right < ordered.size() && ordered[right]->position <= position) {
        ++right;
    }
    if (right == 0) {
        color1 = ordered.front()->color1;
        color2 = ordered.front()->color2;
        return true;
    }
    const KWColorPoint& before = *ordered[right - 1];
    if (right == ordered.size()) {
        color1 = before.color1;
        color2 = before.color2;
        return true;
    }
    const KWColorPoint& after = *ordered[right];
    const float t = (position - before.position) / (after.position - before.position);
    color1 = blendColor(before.color1, after.color1, t);
    color2 = blendColor(before.color2, after.color2, t);
    return true;
}

} // namespace coloredit
} // namespace KW
