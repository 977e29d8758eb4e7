#ifndef KW_CREATED_PLACE_H
#define KW_CREATED_PLACE_H

#include "KWTypes.h"

#include <windows.h>

namespace KW {

// Puts a child window back at the place it was created at (bound in position-and-size reading, in its
// parent's client area) when the control moved or sized itself on creation, as an up-down control does.
// A window that is in place is left alone: a move costs a round of messages even when nothing changes.
inline void keepCreatedPlace(HWND window, const KWBound& bound) {
    RECT now = {};
    GetWindowRect(window, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
    if (now.left != bound.left || now.top != bound.top || now.right - now.left != bound.right ||
        now.bottom - now.top != bound.bottom) {
        SetWindowPos(window, nullptr, bound.left, bound.top, bound.right, bound.bottom, SWP_NOZORDER);
    }
}

} // namespace KW

#endif
