#include "logic/EditHistory.h"

#include <algorithm>

namespace pelmora {
namespace editor {

const std::size_t EditHistory::kDefaultLimit;
const std::size_t EditHistory::kNone;

EditHistory::EditHistory(std::size_t limit) : limit(std::max<std::size_t>(1, limit)) {}

void EditHistory::clear() {
    steps.clear();
    index = 0;
    saved = 0;
}

void EditHistory::push(const EditStep& step) {
    steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(index), steps.end());
    if (saved != kNone && saved > index) {
        saved = kNone;
    }
    steps.push_back(step);
    ++index;
    if (steps.size() > limit) {
        steps.erase(steps.begin());
        --index;
        saved = (saved == kNone || saved == 0) ? kNone : saved - 1;
    }
}

EditStep* EditHistory::openStep() {
    return index > 0 && index == steps.size() && steps.back().open ? &steps.back() : nullptr;
}

void EditHistory::dropNewest() {
    if (index == 0 || index != steps.size()) {
        return;
    }
    steps.pop_back();
    --index;
    // Saved in the middle of the step: the state is the one before it again.
    if (saved == index + 1) {
        saved = index;
    }
}

const EditStep* EditHistory::back() {
    return canUndo() ? &steps[--index] : nullptr;
}

const EditStep* EditHistory::forward() {
    return canRedo() ? &steps[index++] : nullptr;
}

} // namespace editor
} // namespace pelmora
