// The spin box's three window procedures: arrow notifications on the container, typing and focus on the
// edit, drags on the up-down control.
#include "KWSpinBox.h"

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
    LRESULT served = 0;
    if (accessibility::serve(window, msg, wParam, lParam, served)) {
        return served;
    }
    if (msg == postedReportMessage()) {
        if (KWSpinBox* self = static_cast<KWSpinBox*>(fromHandle(window))) {
            self->notify(reportedType(wParam), reportedParam(lParam));
        }
        return 0;
    }
    handleDefaults(window, msg, wParam, lParam);
    KWSpinBox* self = static_cast<KWSpinBox*>(fromHandle(window));
    if (self && msg == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->code == UDN_DELTAPOS) {
            self->applySteps(spin::arrowSteps(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta));
        }
    }
    // Never vetoes the arrows' own position change; the position itself is not used.
    return DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT CALLBACK KWSpinBox::KWEditCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    handleDefaults(window, msg, wParam, lParam);
    KWSpinBox* self = static_cast<KWSpinBox*>(fromHandle(window));
    if (!self || !self->editProc) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return self->handleEditMessage(msg, wParam, lParam);
}

LRESULT CALLBACK KWSpinBox::KWSpinCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    handleDefaults(window, msg, wParam, lParam);
    KWSpinBox* self = static_cast<KWSpinBox*>(fromHandle(window));
    if (!self || !self->spinProc) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    if (msg == WM_MOUSEMOVE) {
        self->handleDragMove(wParam, lParam);
    } else if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        self->pressing = true;
        self->pressChanged = false;
        self->handlingPress = true;
        const LRESULT result = CallWindowProcW(self->spinProc, window, msg, wParam, lParam);
        self->handlingPress = false;
        return result;
    } else if (msg == WM_LBUTTONUP) {
        // The arrows see the release while they still hold the capture, so that they stop repeating.
        const LRESULT result = CallWindowProcW(self->spinProc, window, msg, wParam, lParam);
        self->endDrag();
        // One finished change for the whole press: the click's step, the repeats and the drag.
        if (self->pressChanged) {
            postReport(self->handle, EVENT_CHANGED, self->id);
        }
        self->pressing = false;
        self->pressChanged = false;
        return result;
    }
    return CallWindowProcW(self->spinProc, window, msg, wParam, lParam);
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
    return CallWindowProcW(editProc, editHandle, msg, wParam, lParam);
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
