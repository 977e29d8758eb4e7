#ifndef KW_KEY_CHANGE_H
#define KW_KEY_CHANGE_H

#include "KWColorPoint.h"
#include "KWGraphPoint.h"

#include <cstddef>
#include <vector>

// Which key an edit changed, found by comparing the keys before and after it: what the editors report
// to their handler. Selection marks are not part of a key's value.
namespace KW {
namespace keychange {

// Nothing changed.
const int kUnchanged = -2;
// More than one key changed.
const int kSeveral = -1;

inline bool sameValue(const KWGraphPoint& a, const KWGraphPoint& b) {
    return a.x == b.x && a.y1 == b.y1 && a.y2 == b.y2;
}

inline bool sameColor(const KWColor& a, const KWColor& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

inline bool sameValue(const KWColorPoint& a, const KWColorPoint& b) {
    return a.position == b.position && sameColor(a.color1, b.color1) && sameColor(a.color2, b.color2);
}

// Same length: the index of the only key whose value differs, kSeveral or kUnchanged. One key more or
// less: the index of the inserted key in after, or of the erased key in before. Anything else: kSeveral.
template <typename Key> int changedIndex(const std::vector<Key>& before, const std::vector<Key>& after) {
    const size_t shorter = before.size() < after.size() ? before.size() : after.size();
    const size_t longer = before.size() < after.size() ? after.size() : before.size();
    if (longer - shorter > 1) {
        return kSeveral;
    }
    if (longer != shorter) {
        // The first difference is where the key went in or came out; keys behind it must have shifted.
        const std::vector<Key>& big = before.size() > after.size() ? before : after;
        const std::vector<Key>& small = before.size() > after.size() ? after : before;
        size_t at = 0;
        while (at < shorter && sameValue(big[at], small[at])) {
            ++at;
        }
        for (size_t i = at; i < shorter; ++i) {
            if (!sameValue(big[i + 1], small[i])) {
                return kSeveral;
            }
        }
        return static_cast<int>(at);
    }
    int found = kUnchanged;
    for (size_t i = 0; i < shorter; ++i) {
        if (!sameValue(before[i], after[i])) {
            if (found != kUnchanged) {
                return kSeveral;
            }
            found = static_cast<int>(i);
        }
    }
    return found;
}

} // namespace keychange
} // namespace KW

#endif
