#include "KWRollout.h"
#include "core/TabOrder.h"

#include "core/DpiFonts.h"
#include "windows/logic/RolloutLayout.h"
#include "core/WideText.h"
#include "core/Theme.h"
#include "core/GadgetAccessible.h"

#include <algorithm>
#include <limits>
#include <new>
#include <windowsx.h>
#include <oleacc.h>

namespace KW {

KWRollout* KWRollout::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWRollout cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWRollout(x, y, width, height, parent, id);
}

KWRollout::KWRollout(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_ROLLOUT, parent, id), layoutDirty(true), scrollPos(0), scrollRange(0) {
    HWND window =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"KWWINDOW", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, x, y, width,
                        height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "Rollout creation failed !")) {
        subclassWindow(routeMessage);
        setDefaultFont(handle);
    }
}

// The records go first; the gadgets they name are children and die with the base.
KWRollout::~KWRollout() {
    rollouts.clear();
}

void KWRollout::addRollout(int id, const std::string& title) {
    KWRolloutItem item;
    item.title = title;
    item.id = id;
    item.expanded = false;
    rollouts.push_back(item);
    layoutDirty = true;
}

void KWRollout::addObject(int rolloutId, int x, int y, KWObject* object) {
    if (!object) {
        return;
    }
    for (KWRolloutItem& item : rollouts) {
        if (item.id != rolloutId) {
            continue;
        }
        watchDeletions();
        item.objects.push_back(KWRolloutObject{object, x, y});
        if (!item.expanded) {
            object->setVisible(false);
        }
        layoutDirty = true;
    }
}

void KWRollout::forgetGadget(KWObject* gadget) {
    bool placed = false;
    for (KWRolloutItem& item : rollouts) {
        const auto before = item.objects.size();
        item.objects.remove_if([gadget](const KWRolloutObject& record) { return record.object == gadget; });
        placed = placed || item.objects.size() != before;
    }
    if (placed) {
        layoutDirty = true;
        InvalidateRect(handle, nullptr, TRUE);
    }
}

LRESULT CALLBACK KWRollout::KWRolloutCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWRollout::routingSteps() const {
    // The sections place their gadgets; lock-to-parent alignment would undo that.
    return ROUTE_DEFAULTS | ROUTE_CONTROL_ANSWERS;
}

LRESULT KWRollout::handleWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_VSCROLL:
        onScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        break;
    case WM_MOUSEWHEEL:
        // Handled here, so the parent does not scroll as well.
        onWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_LBUTTONUP:
        if (!hitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (keyPressed(wParam)) {
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const RECT bar = barFrame(keyboardSection);
        InvalidateRect(handle, &bar, TRUE);
        if (msg == WM_SETFOCUS && !rollouts.empty()) {
            NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, static_cast<LONG>(keyboardSection + 1));
        }
        break;
    }
    case WM_SIZE:
        layoutDirty = true;
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC hdc = BeginPaint(handle, &paint);
        drawRollouts(hdc);
        EndPaint(handle, &paint);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(handle, msg, wParam, lParam);
}

bool KWRollout::hitTest(int x, int y) {
    size_t index = 0;
    for (KWRolloutItem& item : rollouts) {
        if (rollout::contains(item.toggleBox, x, y)) {
            moveKeyboardSection(index);
            return userToggle(item, index);
        }
        ++index;
    }
    return true;
}

bool KWRollout::userToggle(KWRolloutItem& item, size_t index) {
    toggle(item, index);
    return notify(EVENT_CHANGED, item.id);
}

bool KWRollout::isOpen(int rolloutId) const {
    for (const KWRolloutItem& item : rollouts) {
        if (item.id == rolloutId) {
            return item.expanded;
        }
    }
    return false;
}

void KWRollout::setOpen(int rolloutId, bool open) {
    size_t index = 0;
    for (const KWRolloutItem& item : rollouts) {
        if (item.id == rolloutId) {
            setOpenAt(index, open);
        }
        ++index;
    }
}

void KWRollout::setOpenAt(size_t index, bool open) {
    KWRolloutItem& item = *std::next(rollouts.begin(), static_cast<std::ptrdiff_t>(index));
    if (item.expanded != open) {
        toggle(item, index);
    }
}

// The gadgets' offsets, the toggle boxes and the scroll position are lengths like the bounds the core
// has just scaled; the next paint lays everything out exactly at the new DPI.
void KWRollout::dpiChanged(int oldDpi, int newDpi) {
    for (KWRolloutItem& item : rollouts) {
        for (KWRolloutObject& placed : item.objects) {
            placed.x = dpi::rescaled(placed.x, oldDpi, newDpi);
            placed.y = dpi::rescaled(placed.y, oldDpi, newDpi);
        }
        KWBound& box = item.toggleBox;
        box = KWBound(dpi::rescaled(box.left, oldDpi, newDpi), dpi::rescaled(box.right, oldDpi, newDpi),
                      dpi::rescaled(box.top, oldDpi, newDpi), dpi::rescaled(box.bottom, oldDpi, newDpi));
    }
    // The range first: the platform would clamp the new position to the old range.
    if (scrollRange > 0) {
        scrollRange = dpi::rescaled(scrollRange, oldDpi, newDpi);
        SetScrollRange(handle, SB_VERT, 0, scrollRange, FALSE);
    }
    scrollPos = dpi::rescaled(scrollPos, oldDpi, newDpi);
    SetScrollPos(handle, SB_VERT, scrollPos, FALSE);
    layoutDirty = true;
    InvalidateRect(handle, nullptr, TRUE);
}

} // namespace KW
