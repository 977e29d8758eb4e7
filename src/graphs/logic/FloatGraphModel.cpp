#include "graphs/logic/FloatGraphModel.h"

#include <cmath>

namespace KW {
namespace floatgraph {

namespace {

const float kFirstPosition = 0.0f;
const float kLastPosition = 100.0f;

KWGraphPoint makeKey(float x, float y1, float y2, bool fixed) {
    KWGraphPoint key;
    key.y1 = y1;
    key.y2 = y2;
    key.x = x;
    key.selected = false;
    key.fixed = fixed;
    return key;
}

void clampDraggedKey(KWGraphPoint& key) {
    if (key.y2 > 0.0f) {
        key.y2 = 0.0f;
    }
    if (key.y1 > 0.0f) {
        key.y1 = 0.0f;
    }
    if (key.x < kFirstPosition) {
        key.x = kFirstPosition;
    }
    if (key.x > kLastPosition) {
        key.x = kLastPosition;
    }
}

bool withinTolerance(float a, float b, float tolerance) {
    return std::fabs(a - b) <= tolerance;
}

} // namespace

Keys initialKeys() {
    return Keys{makeKey(kFirstPosition, 0.0f, 0.0f, true), makeKey(kLastPosition, 0.0f, 0.0f, true)};
}

bool selectAt(Keys& keys, float x, float y, float toleranceX, float toleranceY) {
    bool found = false;
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        key->selected = false;
        if (!found && withinTolerance(x, key->x, toleranceX) && withinTolerance(y, key->y1, toleranceY)) {
            key->selected = true;
            found = true;
        }
        if (!found && withinTolerance(x, key->x, toleranceX) && withinTolerance(y, key->y2, toleranceY)) {
            key->selected = true;
            found = true;
        }
    }
    return true;
}

bool moveSelectedKeys(Keys& keys, float dx, float dy) {
    bool moved = false;
    for (KWGraphPoint& key : keys) {
        if (!key.selected) {
            continue;
        }
        key.y1 += dy;
        key.y2 += dy;
        key.x += dx;
        clampDraggedKey(key);
        moved = true;
    }
    return moved;
}

bool moveSelectedLowerValues(Keys& keys, float dx, float dy) {
    bool moved = false;
    for (KWGraphPoint& key : keys) {
        if (!key.selected) {
            continue;
        }
        key.y2 += dy;
        key.x += dx;
        if (key.y1 > key.y2) {
            key.y1 = key.y2;
        }
        clampDraggedKey(key);
        moved = true;
    }
    return moved;
}

bool nudgeSelected(Keys& keys, float dx, float dy) {
    bool changed = false;
    for (KWGraphPoint& key : keys) {
        if (!key.selected) {
            continue;
        }
        const KWGraphPoint before = key;
        key.y1 += dy;
        key.y2 += dy;
        if (!key.fixed) {
            key.x += dx;
        }
        clampDraggedKey(key);
        changed = changed || key.x != before.x || key.y1 != before.y1 || key.y2 != before.y2;
    }
    return changed;
}

bool insertKey(Keys& keys, float x, float y) {
    // Written so that NaN fails every test.
    if (!(x >= kFirstPosition && x <= kLastPosition) || !(y <= 0.0f) || !std::isfinite(y)) {
        return false;
    }
    size_t before = 0;
    for (const KWGraphPoint& key : keys) {
        if (key.x <= x) {
            ++before;
        }
    }
    keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(before), makeKey(x, y, y, false));
    return true;
}

bool deleteFirstSelected(Keys& keys) {
    for (auto key = keys.begin(); key != keys.end(); ++key) {
        if (key->selected && !key->fixed) {
            keys.erase(key);
            return true;
        }
    }
    return false;
}

bool equalizeSelected(Keys& keys) {
    bool changed = false;
    for (KWGraphPoint& key : keys) {
        if (key.selected) {
            key.y2 = key.y1;
            changed = true;
        }
    }
    return changed;
}

bool equalizeAll(Keys& keys) {
    for (KWGraphPoint& key : keys) {
        key.y2 = key.y1;
    }
    return true;
}

bool acceptableKeys(const Keys& keys) {
    if (keys.size() < 2 || !(keys.front().x == kFirstPosition) || !(keys.back().x == kLastPosition)) {
        return false;
    }
    float previousX = kFirstPosition;
    for (const KWGraphPoint& key : keys) {
        if (!std::isfinite(key.x) || !std::isfinite(key.y1) || !std::isfinite(key.y2)) {
            return false;
        }
        if (key.x < previousX || key.x > kLastPosition) {
            return false;
        }
        if (!(key.y1 <= key.y2 && key.y2 <= 0.0f)) {
            return false;
        }
        previousX = key.x;
    }
    return true;
}

Keys withEndKeysFixed(const Keys& keys) {
    Keys result(keys);
    for (size_t i = 0; i < result.size(); ++i) {
        result[i].selected = false;
        result[i].fixed = i == 0 || i + 1 == result.size();
    }
    return result;
}

KWGraphSample evaluate(const Keys& keys, float x) {
    KWGraphSample sample;
    if (keys.empty()) {
        return sample;
    }
    if (!(x == x)) {
        x = kFirstPosition;
    }
    // Neighbours as a stable sort by x would order them: the last key at or before x and the first
    // key after it. The vector may be out of order after dragging, so it is scanned, not searched.
    const KWGraphPoint* left = nullptr;
    const KWGraphPoint* right = nullptr;
    for (const KWGraphPoint& key : keys) {
        if (key.x <= x) {
            if (!left || key.x >= left->x) {
                left = &key;
            }
        } else if (!right || key.x < right->x) {
            right = &key;
        }
    }
    if (!left) {
        sample.y1 = right->y1;
        sample.y2 = right->y2;
        return sample;
    }
    if (!right) {
        sample.y1 = left->y1;
        sample.y2 = left->y2;
        return sample;
    }
    const float t = (x - left->x) / (right->x - left->x);
    sample.y1 = left->y1 + (right->y1 - left->y1) * t;
    sample.y2 = left->y2 + (right->y2 - left->y2) * t;
    // Rounding must not undo the order that both neighbours keep.
    if (sample.y2 > 0.0f) {
        sample.y2 = 0.0f;
    }
    if (sample.y1 > sample.y2) {
        sample.y1 = sample.y2;
    }
    return sample;
}

} // namespace floatgraph
} // namespace KW
