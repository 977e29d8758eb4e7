#include "KWObject.h"

#include "core/DpiFonts.h"
#include "core/logic/DpiScale.h"

namespace KW {

namespace {

struct FontSwap {
    int dpi;
};

// Gives every window showing one of the library's fonts the same font at the new DPI.
BOOL CALLBACK swapFont(HWND window, LPARAM lParam) {
    const FontSwap* swap = reinterpret_cast<const FontSwap*>(lParam);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
    const int stockObject = dpi::stockObjectOf(font);
    if (stockObject >= 0) {
        const HFONT scaled = dpi::stockFont(stockObject, swap->dpi);
        if (scaled != font) {
            SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
        }
    }
    return TRUE;
}

} // namespace

void KWObject::dpiChanged(int, int) {}

void KWObject::scaleSubtree(int oldDpi, int newDpi) {
    for (KWObject* child : children) {
        const KWBound edges = child->getLocalBounds();
        const int left = dpi::rescaled(edges.left, oldDpi, newDpi);
        const int top = dpi::rescaled(edges.top, oldDpi, newDpi);
        KWBound placement(left, dpi::rescaled(edges.right, oldDpi, newDpi) - left, top,
                          dpi::rescaled(edges.bottom, oldDpi, newDpi) - top);
        child->setBounds(placement);
    }
    if (tooltipWindow) {
        followDpiWithTooltips(oldDpi, newDpi);
    }
    dpiChanged(oldDpi, newDpi);
    for (KWObject* child : children) {
        child->scaleSubtree(oldDpi, newDpi);
    }
}

void KWObject::applyDpiChange(int newDpi, const RECT* suggested) {
    const int oldDpi = getDpi();
    dpi::announce(handle, newDpi);
    if (oldDpi != newDpi) {
        FontSwap swap = {newDpi};
        swapFont(handle, reinterpret_cast<LPARAM>(&swap));
        EnumChildWindows(handle, swapFont, reinterpret_cast<LPARAM>(&swap));
        scaleSubtree(oldDpi, newDpi);
    }
    if (suggested) {
        SetWindowPos(handle, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    doAlignment();
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (oldDpi != newDpi) {
        notify(EVENT_DPICHANGED, newDpi);
    }
}

} // namespace KW
