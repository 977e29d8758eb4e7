// The rollout's keyboard (a focused section bar moved with the arrows, toggled with Space or Enter)
// and its description to screen readers, one child per section.
#include "KWRollout.h"

#include "windows/logic/RolloutLayout.h"

#include <algorithm>
#include <iterator>
#include <oleacc.h>

namespace KW {

int KWRollout::accessibleChildCount() const {
    return static_cast<int>(rollouts.size());
}

bool KWRollout::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child == 0) {
        element.role = ROLE_SYSTEM_PANE;
        element.name = getAccessibleName();
        element.screen = screenRect();
        return true;
    }
    if (child < 0 || child > accessibleChildCount()) {
        return false;
    }
    const KWRolloutItem& item = *std::next(rollouts.begin(), child - 1);
    element.role = ROLE_SYSTEM_GROUPING;
    element.name = item.title;
    element.state = item.expanded ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    element.defaultAction = item.expanded ? "Collapse" : "Expand";
    if (GetFocus() == handle && static_cast<std::size_t>(child - 1) == keyboardSection) {
        element.state |= STATE_SYSTEM_FOCUSED;
    }
    element.screen = barFrame(static_cast<std::size_t>(child - 1));
    MapWindowPoints(handle, HWND_DESKTOP, reinterpret_cast<POINT*>(&element.screen), 2);
    return true;
}

RECT KWRollout::barFrame(std::size_t index) const {
    // Where the next paint puts it.
    RECT client = {};
    GetClientRect(handle, &client);
    const rollout::Metrics metrics = rollout::metricsAt(getDpi());
    std::vector<int> barTops;
    std::vector<rollout::GadgetPlacement> placements;
    layOut(metrics, client.right, barTops, placements);
    if (index >= barTops.size()) {
        return RECT{0, 0, 0, 0};
    }
    return rollout::titleBarAt(barTops[index], client.right, metrics).frame.toRect();
}

void KWRollout::moveKeyboardSection(std::size_t index) {
    if (index >= rollouts.size()) {
        return;
    }
    const RECT before = barFrame(keyboardSection);
    keyboardSection = index;
    const RECT after = barFrame(keyboardSection);
    InvalidateRect(handle, &before, TRUE);
    InvalidateRect(handle, &after, TRUE);
    if (GetFocus() == handle) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, static_cast<LONG>(index + 1));
    }
}

bool KWRollout::keyPressed(WPARAM key) {
    const std::size_t count = rollouts.size();
    if (count == 0) {
        return false;
    }
    switch (key) {
    case VK_UP:
        moveKeyboardSection(keyboardSection > 0 ? keyboardSection - 1 : 0);
        return true;
    case VK_DOWN:
        moveKeyboardSection(std::min(keyboardSection + 1, count - 1));
        return true;
    case VK_HOME:
        moveKeyboardSection(0);
        return true;
    case VK_END:
        moveKeyboardSection(count - 1);
        return true;
    case VK_SPACE:
    case VK_RETURN:
        keyboardSection = std::min(keyboardSection, count - 1);
        userToggle(*std::next(rollouts.begin(), static_cast<std::ptrdiff_t>(keyboardSection)),
                   keyboardSection);
        return true;
    default:
        return false;
    }
}

bool KWRollout::doAccessibleDefault(int child) {
    if (child < 1 || child > accessibleChildCount()) {
        return false;
    }
    userToggle(*std::next(rollouts.begin(), child - 1), static_cast<std::size_t>(child - 1));
    return true;
}

} // namespace KW
