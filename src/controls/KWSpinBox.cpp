#include "KWSpinBox.h"
#include "core/TabOrder.h"

#include "controls/CreatedPlace.h"
#include "controls/PostedReport.h"
#include "controls/logic/InlineEditorLayout.h"
#include "controls/logic/SpinValue.h"
#include "core/WideText.h"

#include <commctrl.h>

#include <new>

namespace KW {

namespace {

void placeChild(HWND window, const KWBound& bound) {
    SetWindowPos(window, nullptr, bound.left, bound.top, bound.right, bound.bottom, SWP_NOZORDER);
}

WNDPROC replaceProcedure(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

} // namespace

KWSpinBox* KWSpinBox::create(eStyles, float value, int x, int y, int width, int height, float minValue,
                             float maxValue, float step, bool vertical, bool editable, KWObject* parent,
                             int id) {
    if (!requireParent(parent, "KWSpinBox cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow)
        KWSpinBox(value, x, y, width, height, minValue, maxValue, step, vertical, editable, parent, id);
}

KWSpinBox::KWSpinBox(float value, int x, int y, int width, int height, float minValue, float maxValue,
                     float step, bool vertical, bool editable, KWObject* parent, int id)
    : KWObject(GADGET_SPINBOX, parent, id), minValue(minValue), maxValue(maxValue), step(step),
      lastValue(spin::clampValue(value, minValue, maxValue)), vertical(vertical), editable(editable),
      dragging(false), dragAnchor(0), pressing(false), handlingPress(false), pressChanged(false),
      typed(false), settingValue(0), spinHandle(nullptr), editHandle(nullptr), spinProc(nullptr),
      editProc(nullptr) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_OEMCONVERT;
    if (!editable) {
        editStyle |= ES_READONLY;
    }
    DWORD spinStyle = WS_CHILD | WS_VISIBLE;
    if (!vertical) {
        spinStyle |= UDS_HORZ;
    }

    // Each part is created where setPlacement would put it.
    const layout::InlineEditorParts parts = layout::inlineEditorParts(KWBound(x, x + width, y, y + height));
    const KWBound& box = parts.container;
    handle = CreateWindowExW(0, L"KWPANEL", L"", WS_CHILD | WS_VISIBLE, box.left, box.top, box.right,
                             box.bottom, parentHandle(), nullptr, instance, nullptr);
    editHandle = CreateWindowExW(0, L"Edit", L"", editStyle, parts.field.left, parts.field.top,
                                 parts.field.right, parts.field.bottom, handle, nullptr, instance, nullptr);
    spinHandle = CreateWindowExW(0, UPDOWN_CLASSW, L"", spinStyle, parts.button.left, parts.button.top,
                                 parts.button.right, parts.button.bottom, handle, nullptr, instance, nullptr);
    taborder::markStop(editHandle);
    if (!handle || !editHandle || !spinHandle) {
        showError("Spin Box creation failed !");
        return;
    }

    const LONG_PTR self = reinterpret_cast<LONG_PTR>(this);
    SetWindowLongPtrW(handle, GWLP_USERDATA, self);
    SetWindowLongPtrW(editHandle, GWLP_USERDATA, self);
    SetWindowLongPtrW(spinHandle, GWLP_USERDATA, self);
    previousProc = replaceProcedure(handle, routeMessage);
    editProc = replaceProcedure(editHandle, routeMessage);
    spinProc = replaceProcedure(spinHandle, routeMessage);
    setDefaultFont(editHandle);
    setValue(value);
    keepCreatedPlace(handle, parts.container);
    keepCreatedPlace(editHandle, parts.field);
    keepCreatedPlace(spinHandle, parts.button);
}

KWSpinBox::~KWSpinBox() {
    for (KWObject* child : children) {
        delete child;
    }
    children.clear();
    // The edit and the arrows get their own procedures back first: while the windows go, focus and
    // capture changes must not reach a gadget that is being taken apart.
    if (editProc && IsWindow(editHandle)) {
        replaceProcedure(editHandle, editProc);
    }
    if (spinProc && IsWindow(spinHandle)) {
        replaceProcedure(spinHandle, spinProc);
    }
    if (handle && IsWindow(handle)) {
        DestroyWindow(handle);
    }
    if (spinHandle && IsWindow(spinHandle)) {
        DestroyWindow(spinHandle);
    }
    if (editHandle && IsWindow(editHandle)) {
        DestroyWindow(editHandle);
    }
}

void KWSpinBox::setValue(float value) {
    const float shown = spin::clampValue(value, minValue, maxValue);
    // The edit's change notification for this text is no typing of the user's.
    ++settingValue;
    text::setWindowText(editHandle, spin::formatValue(shown));
    --settingValue;
    typed = false;
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
}

float KWSpinBox::getValue() {
    return spin::parseValue(editText(spin::readLimit), lastValue);
}

void KWSpinBox::setMinValue(float value) {
    minValue = value;
}

void KWSpinBox::setMaxValue(float value) {
    maxValue = value;
}

void KWSpinBox::setValues(float minimum, float maximum) {
    minValue = minimum;
    maxValue = maximum;
}

void KWSpinBox::controlNotified(int code) {
    if (code == EN_CHANGE && settingValue == 0) {
        typed = true;
    }
}

void KWSpinBox::showSteppedValue(float value, bool reportWhileHeld) {
    const std::string before = editText(spin::readLimit);
    setValue(value);
    if (editText(spin::readLimit) == before) {
        return;
    }
    if (!pressing) {
        postReport(handle, EVENT_CHANGED, id);
        return;
    }
    pressChanged = true;
    if (reportWhileHeld) {
        postReport(handle, EVENT_CHANGING, id);
    }
}

std::string KWSpinBox::getText() const {
    return editText(99);
}

std::string KWSpinBox::editText(int maxLength) const {
    // Without an edit (failed creation) the platform would fill the buffer with whatever it finds.
    if (!editHandle) {
        return std::string();
    }
    return text::windowText(editHandle, static_cast<std::size_t>(maxLength > 0 ? maxLength : 0));
}

void KWSpinBox::dpiChanged(int, int) {
    // The container was scaled alone: the edit and the arrows fill it again.
    KWBound edges = getLocalBounds();
    setPlacement(edges);
}

void KWSpinBox::setPlacement(KWBound& bound) {
    const layout::InlineEditorParts parts = layout::inlineEditorParts(bound);
    bound = parts.container;
    placeChild(handle, parts.container);
    placeChild(editHandle, parts.field);
    placeChild(spinHandle, parts.button);
}

} // namespace KW
