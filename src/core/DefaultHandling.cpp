#include "KWObject.h"
#include "core/DpiFonts.h"
#include "core/GadgetAccessible.h"
#include "core/Theme.h"
#include "core/ThemedMenus.h"
#include "controls/PostedReport.h"

#include <commctrl.h>

namespace KW {

void KWObject::setDefaultFont(HWND window) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(dpi::guiFont(dpi::ofWindow(window))), TRUE);
}

bool KWObject::answerForControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (themedmenus::answer(msg, wParam, lParam, result)) {
        return true;
    }
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
        HBRUSH background =
            theme::controlColors(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        result = reinterpret_cast<LRESULT>(background);
        return background != nullptr;
    }
    if (msg == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            KWObject* source = fromHandle(header->hwndFrom);
            return source && source->customDraw(reinterpret_cast<NMCUSTOMDRAW*>(lParam), result);
        }
    }
    return false;
}

LRESULT CALLBACK KWObject::KWDefaultCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

LRESULT CALLBACK KWObject::routeMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    KWObject* gadget = fromHandle(window);
    if (!gadget) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    LRESULT answer = 0;
    if (accessibility::serve(gadget, window, msg, wParam, lParam, answer)) {
        return answer;
    }
    if (msg == postedReportMessage()) {
        gadget->notify(reportedType(wParam), reportedParam(lParam));
        return 0;
    }
    const unsigned steps = gadget->routingSteps();
    if ((steps & ROUTE_DEFAULTS) && handleDefaults(window, msg, wParam, lParam)) {
        gadget = fromHandle(window);
    }
    if ((steps & ROUTE_CONTROL_ANSWERS) && answerForControl(msg, wParam, lParam, answer)) {
        return answer;
    }
    if (!gadget) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return gadget->handleWindowMessage(window, msg, wParam, lParam);
}

unsigned KWObject::routingSteps() const {
    return ROUTE_ALL;
}

LRESULT KWObject::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        return 0;
    }
    return passOn(window, msg, wParam, lParam);
}

LRESULT KWObject::passOn(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (window != handle || !previousProc) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return CallWindowProcW(previousProc, window, msg, wParam, lParam);
}

bool KWObject::handleDefaults(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    KWObject* gadget = fromHandle(window);

    if (msg == WM_SIZE && gadget && (gadget->routingSteps() & ROUTE_ALIGNMENT)) {
        gadget->doAlignment();
    }
    switch (msg) {
    case WM_DPICHANGED:
        // Only top-level windows hear it; their gadgets follow.
        if (gadget && GetAncestor(window, GA_ROOT) == window) {
            gadget->applyDpiChange(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return true;
        }
        return false;
    case WM_NCDESTROY:
        dpi::forgetAnnounced(window);
        return false;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (gadget && gadget->tooltipWindow) {
            SendMessageW(gadget->tooltipWindow, TTM_POP, 0, 0);
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (GetFocus() != window) {
            // The window that loses the focus may report it to a handler.
            SetFocus(window);
            return true;
        }
        return false;
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        const int code = HIWORD(wParam);
        if (!control) {
            // A menu item (code 0) or an accelerator (code 1).
            if (gadget && code <= 1) {
                gadget->commandChosen(LOWORD(wParam));
                return true;
            }
            return false;
        }
        // Last: the handler that this may run can delete the sender, this gadget or both.
        if (KWObject* sender = fromHandle(control)) {
            sender->controlCommand(gadget, LOWORD(wParam), code);
            return true;
        }
        return false;
    }
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        KWObject* source = header ? fromHandle(header->hwndFrom) : nullptr;
        if (!source) {
            return false;
        }
        if (source->tooltipWindow) {
            SendMessageW(source->tooltipWindow, TTM_POP, 0, 0);
            SendMessageW(source->tooltipWindow, TTM_UPDATE, 0, 0);
        }
        source->controlNotify(header, lParam);
        return true;
    }
    default:
        return false;
    }
}

} // namespace KW
