// KWDock's public face: checks, then the tree changes and the windows follow (DockState::layout).
#include "KWDock.h"

#include "core/DeletionWatch.h"
#include "core/logic/DpiScale.h"
#include "windows/DockState.h"
#include "windows/logic/DockText.h"

#include <algorithm>
#include <new>

namespace KW {

KWDock* KWDock::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWDock cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWDock(x, y, width, height, parent, id);
}

KWDock::KWDock(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_DOCK, parent, id), state(new DockState(*this)) {
    HWND window = CreateWindowExW(0, L"KWWINDOW", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                                  height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "KWDock creation failed !")) {
        subclassWindow(routeMessage);
    }
    watchDeletions();
}

KWDock::~KWDock() {
    state->cancelDrag();
    // The panes' windows come home before their tool windows go, so they die with their gadgets.
    for (DockState::Pane& pane : state->panes) {
        state->destroyFloat(pane);
        for (HWND& button : pane.buttons) {
            if (button && IsWindow(button)) {
                DestroyWindow(button);
            }
            button = nullptr;
        }
        if (pane.header->getHandle()) {
            RemoveWindowSubclass(pane.header->getHandle(), DockState::paneProc, 0);
        }
    }
    state->leave();
}

bool KWDock::setCenter(KWObject* center) {
    const bool child = std::find(children.begin(), children.end(), center) != children.end();
    if (center &&
        (!child || (center->getType() == GADGET_HEADER && state->find(static_cast<KWHeader*>(center))))) {
        return false;
    }
    state->center = center;
    state->tree.setCenterPresent(center != nullptr);
    state->layout();
    return true;
}

bool KWDock::addPane(KWHeader* pane, eDockSide side, int size, KWHeader* target) {
    if (!pane || pane == state->center ||
        std::find(children.begin(), children.end(), pane) == children.end() ||
        pane->getType() != GADGET_HEADER) {
        return false;
    }
    const DockState::Pane* targetPane = target ? state->find(target) : nullptr;
    if (target && !targetPane) {
        return false;
    }
    DockState::Pane* known = state->find(pane);
    const int number = known ? known->number : state->nextNumber;
    if (!state->tree.insert(number, side, size, targetPane ? targetPane->number : dock::noPane)) {
        return false;
    }
    if (!known) {
        DockState::Pane added;
        added.header = pane;
        added.number = state->nextNumber++;
        state->panes.push_back(added);
        state->adopt(state->panes.back());
    }
    state->layout();
    return true;
}

bool KWDock::movePane(KWHeader* pane, eDockSide side, int size, KWHeader* target) {
    const DockState::Pane* known = state->find(pane);
    if (!known || (known->flags & DOCKPANE_NO_MOVE)) {
        return false;
    }
    return addPane(pane, side, size, target);
}

bool KWDock::floatPane(KWHeader* pane, const KWBound& screenRect) {
    DockState::Pane* known = state->find(pane);
    if (!known || (known->flags & DOCKPANE_NO_FLOAT)) {
        return false;
    }
    KWBound rect = screenRect;
    state->fitOnWorkArea(rect);
    state->tree.setFloating(known->number, rect);
    state->layout();
    return true;
}

bool KWDock::isFloating(KWHeader* pane) const {
    const DockState::Pane* known = state->find(pane);
    return known && state->tree.state(known->number)->floating;
}

bool KWDock::closePane(KWHeader* pane) {
    DockState::Pane* known = state->find(pane);
    if (!known || (known->flags & DOCKPANE_NO_CLOSE) || !state->tree.close(known->number)) {
        return false;
    }
    state->layout();
    return true;
}

bool KWDock::showPane(KWHeader* pane) {
    DockState::Pane* known = state->find(pane);
    if (!known || !state->tree.show(known->number)) {
        return false;
    }
    state->layout();
    return true;
}

bool KWDock::isPaneShown(KWHeader* pane) const {
    const DockState::Pane* known = state->find(pane);
    return known && state->tree.state(known->number)->shown;
}

bool KWDock::maximizePane(KWHeader* pane) {
    DockState::Pane* known = state->find(pane);
    if (!known || !state->tree.maximize(known->number)) {
        return false;
    }
    state->layout();
    return true;
}

void KWDock::restorePanes() {
    state->tree.restore();
    state->layout();
}

KWHeader* KWDock::getMaximizedPane() const {
    DockState::Pane* known = state->byNumber(state->tree.maximized());
    return known ? known->header : nullptr;
}

bool KWDock::setAutoHide(KWHeader* pane, bool autoHide) {
    DockState::Pane* known = state->find(pane);
    if (!known || !state->tree.setAutoHide(known->number, autoHide, state->metrics(), state->clientArea())) {
        return false;
    }
    state->layout();
    return true;
}

bool KWDock::isAutoHidden(KWHeader* pane) const {
    const DockState::Pane* known = state->find(pane);
    return known && state->tree.state(known->number)->autoHidden;
}

void KWDock::setPaneFlags(KWHeader* pane, int flags) {
    if (DockState::Pane* known = state->find(pane)) {
        known->flags = flags;
        state->layout();
    }
}

void KWDock::setLocked(bool lock) {
    state->locked = lock;
    state->layout();
}

bool KWDock::isLocked() const {
    return state->locked;
}

void KWDock::setProportional(bool proportional) {
    state->proportional = proportional;
    const KWBound area = state->clientArea();
    state->sized = {area.right - area.left, area.bottom - area.top};
}

bool KWDock::isProportional() const {
    return state->proportional;
}

std::vector<KWHeader*> KWDock::getPanes() const {
    std::vector<KWHeader*> all;
    for (const DockState::Pane& pane : state->panes) {
        all.push_back(pane.header);
    }
    return all;
}

void KWDock::setCloseHandler(const std::function<bool(KWHeader*)>& handler) {
    state->closeHandler = handler;
}

void KWDock::forgetGadget(KWObject* gadget) {
    if (gadget == state->center) {
        state->center = nullptr;
        state->tree.setCenterPresent(false);
        state->layout();
        return;
    }
    state->removePane(static_cast<KWHeader*>(gadget));
}

void KWDock::dpiChanged(int oldDpi, int newDpi) {
    state->tree.rescale(oldDpi, newDpi);
    // The new size that follows is the old one at the new DPI, not a change to keep shares of.
    state->sized = {dpi::rescaled(state->sized.cx, oldDpi, newDpi),
                    dpi::rescaled(state->sized.cy, oldDpi, newDpi)};
    for (DockState::Pane& pane : state->panes) {
        if (const dock::PaneState* s = state->tree.state(pane.number)) {
            dock::PaneState fitted = *s;
            state->fitOnWorkArea(fitted.floatRect);
            state->tree.setState(fitted);
        }
    }
    state->layout();
}

// Keys of panes among the dock's children: the id and how many earlier children share it.
std::string KWDock::saveDockLayout() const {
    auto keyOf = [this](int number) {
        layout::Key key;
        const DockState::Pane* pane = state->byNumber(number);
        key.id = pane->header->getId();
        for (KWObject* child : children) {
            if (child == pane->header) {
                break;
            }
            key.occurrence += child->getId() == key.id ? 1 : 0;
        }
        return key;
    };
    return dock::printTree(state->tree, keyOf, getDpi());
}

bool KWDock::restoreDockLayout(const std::string& text) {
    dock::DockTree read;
    std::vector<layout::Key> keys;
    if (!dock::parseTree(text, getDpi(), read, keys)) {
        return false;
    }
    auto paneOf = [this](const layout::Key& key) {
        int seen = 0;
        for (KWObject* child : children) {
            if (child->getId() == key.id && seen++ == key.occurrence) {
                const DockState::Pane* pane = state->find(static_cast<KWHeader*>(child));
                return pane ? pane->number : dock::noPane;
            }
        }
        return dock::noPane;
    };
    state->cancelDrag();
    state->tree = dock::mergedTree(read, keys, paneOf, state->tree);
    for (DockState::Pane& pane : state->panes) {
        const dock::PaneState* s = state->tree.state(pane.number);
        if (s && s->floating) {
            KWBound rect = s->floatRect;
            state->fitOnWorkArea(rect);
            dock::PaneState moved = *s;
            moved.floatRect = rect;
            state->tree.setState(moved);
        }
    }
    state->layout();
    return true;
}

unsigned KWDock::routingSteps() const {
    return ROUTE_ALL;
}

} // namespace KW
