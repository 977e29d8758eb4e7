// saveLayout and restoreLayout: the walk over a window's gadget tree. The text and its arithmetic are in
// windows/logic/LayoutText and LayoutFit.
#include "KWDock.h"
#include "KWRollout.h"
#include "KWTab.h"
#include "KWWindow.h"
#include "windows/SplitterBars.h"

#include "windows/logic/LayoutFit.h"
#include "windows/logic/LayoutText.h"

#include <iterator>

namespace KW {

namespace {

using layout::Key;

// The key of the item at index of a list of ids: its id and how many earlier items share it.
template <typename Ids> Key keyAt(const Ids& ids, std::size_t index) {
    Key key;
    key.id = ids[index];
    for (std::size_t i = 0; i < index; ++i) {
        key.occurrence += ids[i] == key.id ? 1 : 0;
    }
    return key;
}

// The index of the item with that key, or -1.
template <typename Ids> int indexOf(const Ids& ids, const Key& key) {
    int seen = 0;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == key.id && seen++ == key.occurrence) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<int> childIds(KWObject* gadget) {
    std::vector<int> ids;
    for (int i = 0; i < gadget->getChildCount(); ++i) {
        ids.push_back(gadget->getChild(i)->getId());
    }
    return ids;
}

// The gadget a path leads to from root, or null when one of its steps no longer exists.
KWObject* gadgetAt(KWObject* root, const layout::Path& path) {
    KWObject* gadget = root;
    for (const Key& key : path) {
        const int index = indexOf(childIds(gadget), key);
        if (index < 0) {
            return nullptr;
        }
        gadget = gadget->getChild(index);
    }
    return gadget;
}

// Window placements are in workspace coordinates, which leave out a taskbar at the primary monitor's
// left or top; the text and the monitors speak screen coordinates.
POINT workspaceOrigin(HWND window) {
    POINT origin = {0, 0};
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) {
        return origin;
    }
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info)) {
        origin.x = info.rcWork.left - info.rcMonitor.left;
        origin.y = info.rcWork.top - info.rcMonitor.top;
    }
    return origin;
}

layout::Placement placementOf(HWND window, int dpi) {
    WINDOWPLACEMENT current = {};
    current.length = sizeof(current);
    GetWindowPlacement(window, &current);
    const RECT& normal = current.rcNormalPosition;
    const POINT origin = workspaceOrigin(window);
    layout::Placement placement;
    placement.x = normal.left + origin.x;
    placement.y = normal.top + origin.y;
    placement.width = layout::toBaseDpi(normal.right - normal.left, dpi);
    placement.height = layout::toBaseDpi(normal.bottom - normal.top, dpi);
    placement.maximized =
        IsZoomed(window) || (IsIconic(window) && (current.flags & WPF_RESTORETOMAXIMIZED) != 0);
    return placement;
}

void applyPlacement(HWND window, const layout::Placement& placement, int dpi) {
    layout::Area wanted;
    wanted.left = placement.x;
    wanted.top = placement.y;
    wanted.right = placement.x + layout::fromBaseDpi(placement.width, dpi);
    wanted.bottom = placement.y + layout::fromBaseDpi(placement.height, dpi);
    const RECT wantedRect = {wanted.left, wanted.top, wanted.right, wanted.bottom};
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromRect(&wantedRect, MONITOR_DEFAULTTONEAREST), &info)) {
        layout::Area work;
        work.left = info.rcWork.left;
        work.top = info.rcWork.top;
        work.right = info.rcWork.right;
        work.bottom = info.rcWork.bottom;
        wanted = layout::fitInto(wanted, work);
    }
    const POINT origin = workspaceOrigin(window);
    WINDOWPLACEMENT next = {};
    next.length = sizeof(next);
    GetWindowPlacement(window, &next);
    next.flags = 0;
    next.rcNormalPosition = {wanted.left - origin.x, wanted.top - origin.y, wanted.right - origin.x,
                             wanted.bottom - origin.y};
    // A hidden window stays hidden unless the layout is maximized: that state exists only when shown.
    next.showCmd = placement.maximized       ? SW_SHOWMAXIMIZED
                   : IsWindowVisible(window) ? SW_SHOWNOACTIVATE
                                             : SW_HIDE;
    SetWindowPlacement(window, &next);
}

} // namespace

// Friend of KWWindow and KWRollout: reads and sets the splitters and sections of any gadget below.
struct LayoutWalk {
    static void save(KWObject* gadget, layout::Path& path, layout::Layout& saved) {
        if (const KWWindow* window = dynamic_cast<const KWWindow*>(gadget)) {
            std::vector<int> ids;
            for (std::size_t i = 0; i < window->bars->count(); ++i) {
                ids.push_back(window->bars->idAt(i));
            }
            for (std::size_t i = 0; i < ids.size(); ++i) {
                add(saved, layout::EntryKind::Splitter, path, keyAt(ids, i),
                    layout::toBaseDpi(window->bars->positionAt(i), window->getDpi()));
            }
        } else if (const KWRollout* rollout = dynamic_cast<const KWRollout*>(gadget)) {
            const std::vector<int> ids = sectionIds(*rollout);
            std::size_t index = 0;
            for (const KWRolloutItem& item : rollout->rollouts) {
                add(saved, layout::EntryKind::Section, path, keyAt(ids, index++), item.expanded ? 1 : 0);
            }
        } else if (const KWTab* tab = dynamic_cast<const KWTab*>(gadget)) {
            if (tab->getSelectedIndex() >= 0) {
                add(saved, layout::EntryKind::Tab, path, Key(), tab->getSelectedIndex());
            }
        } else if (const KWDock* dock = dynamic_cast<const KWDock*>(gadget)) {
            add(saved, layout::EntryKind::Dock, path, Key(), 0);
            saved.entries.back().tree = dock->saveDockLayout();
        }
        const std::vector<int> ids = childIds(gadget);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            path.push_back(keyAt(ids, i));
            save(gadget->getChild(static_cast<int>(i)), path, saved);
            path.pop_back();
        }
    }

    // Entries whose gadget, splitter, section or page no longer exists change nothing.
    static void apply(KWObject* root, const layout::Entry& entry) {
        KWObject* gadget = gadgetAt(root, entry.path);
        switch (entry.kind) {
        case layout::EntryKind::Splitter:
            if (KWWindow* window = dynamic_cast<KWWindow*>(gadget)) {
                std::vector<int> ids;
                for (std::size_t i = 0; i < window->bars->count(); ++i) {
                    ids.push_back(window->bars->idAt(i));
                }
                const int index = indexOf(ids, entry.item);
                if (index >= 0) {
                    window->bars->placeAt(static_cast<std::size_t>(index),
                                          layout::fromBaseDpi(entry.value, window->getDpi()));
                    window->bars->stretch();
                }
            }
            break;
        case layout::EntryKind::Section:
            if (KWRollout* rollout = dynamic_cast<KWRollout*>(gadget)) {
                const int index = indexOf(sectionIds(*rollout), entry.item);
                if (index >= 0) {
                    rollout->setOpenAt(static_cast<std::size_t>(index), entry.value == 1);
                }
            }
            break;
        case layout::EntryKind::Dock:
            if (KWDock* dock = dynamic_cast<KWDock*>(gadget)) {
                dock->restoreDockLayout(entry.tree);
            }
            break;
        case layout::EntryKind::Tab:
            if (KWTab* tab = dynamic_cast<KWTab*>(gadget)) {
                const HWND control = tab->getHandle();
                if (entry.value < static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0))) {
                    SendMessageW(control, TCM_SETCURSEL, static_cast<WPARAM>(entry.value), 0);
                    tab->showSelectedTab();
                }
            }
            break;
        }
    }

private:
    static std::vector<int> sectionIds(const KWRollout& rollout) {
        std::vector<int> ids;
        for (const KWRolloutItem& item : rollout.rollouts) {
            ids.push_back(item.id);
        }
        return ids;
    }

    static void add(layout::Layout& saved, layout::EntryKind kind, const layout::Path& path, const Key& item,
                    int value) {
        layout::Entry entry;
        entry.kind = kind;
        entry.path = path;
        entry.item = item;
        entry.value = value;
        saved.entries.push_back(entry);
    }
};

std::string KWWindow::saveLayout() const {
    layout::Layout saved;
    if (!parent && handle) {
        saved.hasPlacement = true;
        saved.placement = placementOf(handle, getDpi());
    }
    layout::Path path;
    // The walk only reads; the child accessors are not const.
    LayoutWalk::save(const_cast<KWWindow*>(this), path, saved);
    return layout::print(saved);
}

bool KWWindow::restoreLayout(const std::string& text) {
    layout::Layout read;
    std::string error;
    if (!layout::parse(text, read, error)) {
        OutputDebugStringA(("Kwadro: the layout was not restored: " + error + "\n").c_str());
        return false;
    }
    if (read.hasPlacement && !parent && handle) {
        applyPlacement(handle, read.placement, getDpi());
    }
    for (const layout::Entry& entry : read.entries) {
        LayoutWalk::apply(this, entry);
    }
    return true;
}

} // namespace KW
