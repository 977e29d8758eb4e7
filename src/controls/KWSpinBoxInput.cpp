// The spin box's three window procedures: arrow notifications on the container, typing and focus on the
// edit, drags on the up-down control.
#include "KWSpinBox.h"

#include "controls/FieldOverflow.h"
#include "controls/PostedReport.h"
#include "controls/logic/SpinValue.h"
#include "core/WideText.h"
#include "core/GadgetAccessible.h"

#include <commctrl.h>
#include <windowsx.h>
#include <oleacc.h>

namespace KW {

bool KWSpinBox::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child != 0) {
        return false;
    }
    element.role = ROLE_SYSTEM_SPINBUTTON;
    element.name = getAccessibleName();
    element.value = getText();
    element.screen = screenRect();
    return true;
}

LRESULT CALLBACK KWSpinBox::KWSpinBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWSpinBox::routingSteps() const {
    return ROUTE_DEFAULTS | ROUTE_ALIGNMENT;
}

LRESULT KWSpinBox::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (window == editHandle) {
        return editProc ? handleEditMessage(msg, wParam, lParam)
                        : DefWindowProcW(window, msg, wParam, lParam);
    }
    if (window == spinHandle) {
        return spinProc ? handleSpinMessage(msg, wParam, lParam)
                        : DefWindowProcW(window, msg, wParam, lParam);
    }
    if (msg == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->code == UDN_DELTAPOS) {
            applySteps(spin::arrowSteps(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta));
        }
    }
    // Never vetoes the arrows' own position change; the position itself is not used.
    return DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT CALLBACK KWSpinBox::KWEditCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

LRESULT CALLBACK KWSpinBox::KWSpinCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

LRESULT KWSpinBox::handleSpinMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND window = spinHandle;
    if (msg == WM_MOUSEMOVE) {
        handleDragMove(wParam, lParam);
    } else if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        pressing = true;
        pressChanged = false;
        handlingPress = true;
        const LRESULT result = CallWindowProcW(spinProc, window, msg, wParam, lParam);
        handlingPress = false;
        return result;
    } else if (msg == WM_LBUTTONUP) {
        // The arrows see the release while they still hold the capture, so that they stop repeating.
        const LRESULT result = CallWindowProcW(spinProc, window, msg, wParam, lParam);
        endDrag();
        // One finished change for the whole press: the click's step, the repeats and the drag.
        if (pressChanged) {
            postReport(handle, EVENT_CHANGED, id);
        }
        pressing = false;
        pressChanged = false;
        return result;
    }
    return CallWindowProcW(spinProc, window, msg, wParam, lParam);
}

LRESULT KWSpinBox::handleEditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CHAR:
        switch (spin::charAction(wParam)) {
        case spin::CharAction::Pass:
            break;
        case spin::CharAction::Commit: {
            const bool report = typed;
            commitTypedValue();
            if (report) {
                postReport(handle, EVENT_CHANGED, id);
            }
            return 0;
        }
        case spin::CharAction::Swallow:
            return 0;
        }
        break;
    case WM_SETFOCUS:
        lastValue = getValue();
        break;
    case WM_KILLFOCUS: {
        const bool report = typed;
        setValue(getValue());
        const LRESULT result = CallWindowProcW(editProc, editHandle, msg, wParam, lParam);
        if (report) {
            postReport(handle, EVENT_CHANGED, id);
        }
        return result;
    }
    default:
        break;
    }
    return field::passEditing(editHandle, editProc, msg, wParam, lParam);
}

void KWSpinBox::commitTypedValue() {
    setValue(getValue());
    // What was committed is what a later unreadable text falls back to.
    lastValue = getValue();
    // The caret goes after the re-formatted text, as after typing.
    const int end = GetWindowTextLengthW(editHandle);
    SendMessageW(editHandle, EM_SETSEL, static_cast<WPARAM>(end), end);
}

void KWSpinBox::applySteps(int count) {
    if (count != 0) {
        // The step of the press itself belongs to the click; later ones repeat while the button is held.
        showSteppedValue(spin::steppedValue(getValue(), step, count), !handlingPress);
    }
}

void KWSpinBox::handleDragMove(WPARAM keys, LPARAM position) {
    if (!spin::isDragMove(keys)) {
        return;
    }
    SetCapture(spinHandle);
    const float value = getValue();
    const int coordinate = vertical ? GET_Y_LPARAM(position) : GET_X_LPARAM(position);
    if (!dragging) {
        dragAnchor = coordinate;
        dragging = true;
    }
    if (coordinate != dragAnchor) {
        // A drag always ends with a release on the arrows, which now hold the capture.
        pressing = true;
        showSteppedValue(spin::steppedValue(value, step, spin::dragSteps(dragAnchor, coordinate, vertical)),
                         true);
        dragAnchor = coordinate;
    }
}

void KWSpinBox::endDrag() {
    ReleaseCapture();
    dragging = false;
}

} // namespace KW
