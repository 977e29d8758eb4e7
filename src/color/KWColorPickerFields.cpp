#include "KWColorPicker.h"

#include "color/logic/Hsv.h"
#include "color/logic/NumericColor.h"
#include "color/logic/PickerLayout.h"
#include "core/WideText.h"
#include "core/Theme.h"

#include <cstring>

namespace KW {

namespace {

const int firstFieldId = 100;

const char* const labels[numeric::FIELD_COUNT] = {"R", "G", "B", "A", "H", "S", "V", "Hex"};

bool isHsvField(int field) {
    return field == numeric::FIELD_HUE || field == numeric::FIELD_SATURATION || field == numeric::FIELD_VALUE;
}

} // namespace

void KWColorPicker::setNumericInput(bool enabled) {
    if (!handle || enabled == numericInput) {
        return;
    }
    if (enabled && !fieldsPanel) {
        createFields();
    }
    numericInput = enabled && fieldsPanel;
    if (fieldsPanel) {
        ShowWindow(fieldsPanel, numericInput ? SW_SHOW : SW_HIDE);
    }
    RECT outer = {};
    GetWindowRect(handle, &outer);
    const int growth = picker::layoutAt(layoutDpi, 0).fieldsGrowth;
    const int height = (outer.bottom - outer.top) + (numericInput ? growth : -growth);
    SetWindowPos(handle, nullptr, 0, 0, outer.right - outer.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    showFields(-1);
}

void KWColorPicker::createFields() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const picker::Layout l = picker::layoutAt(layoutDpi, 0);
    fieldsPanel = CreateWindowExW(0, L"KWWINDOW", L"", WS_CHILD | WS_CLIPCHILDREN, l.fields.x, l.fields.y,
                                  l.fields.width, l.fields.height, handle, nullptr, instance, nullptr);
    if (!fieldsPanel) {
        return;
    }
    // The fields' notifications go to this panel, whose procedure the openers never replace.
    SetWindowLongPtrW(fieldsPanel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    fieldsProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(fieldsPanel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KWFieldsCallback)));
    for (int field = 0; field < numeric::FIELD_COUNT; ++field) {
        const picker::Place& labelAt = l.field[field].label;
        const picker::Place& editAt = l.field[field].edit;
        HWND label = CreateWindowExW(0, L"Static", text::wide(labels[field]).c_str(), WS_CHILD | WS_VISIBLE,
                                     labelAt.x, labelAt.y, labelAt.width, labelAt.height, fieldsPanel,
                                     nullptr, instance, nullptr);
        fieldLabels[field] = label;
        fields[field] = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, editAt.x,
            editAt.y, editAt.width, editAt.height, fieldsPanel,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstFieldId + field)), instance, nullptr);
        for (HWND control : {label, fields[field]}) {
            if (control) {
                setDefaultFont(control);
            }
        }
        if (fields[field]) {
            SendMessageW(fields[field], EM_LIMITTEXT, field == numeric::FIELD_HEX ? 9 : 4, 0);
        }
    }
}

void KWColorPicker::showFields(int skip) {
    if (!numericInput) {
        return;
    }
    const numeric::State state = {color, fieldHue, fieldSaturation, fieldValue};
    writingFields = true;
    for (int field = 0; field < numeric::FIELD_COUNT; ++field) {
        if (field == skip || !fields[field]) {
            continue;
        }
        const std::string text = numeric::fieldText(static_cast<numeric::Field>(field), state);
        if (text != text::windowText(fields[field])) {
            text::setWindowText(fields[field], text);
        }
    }
    writingFields = false;
}

void KWColorPicker::fieldEdited(int field) {
    if (writingFields) {
        return;
    }
    const std::string text = text::windowText(fields[field], 31);
    numeric::State state = {color, fieldHue, fieldSaturation, fieldValue};
    bool held = false;
    if (!numeric::applyTyped(state, static_cast<numeric::Field>(field), text, held)) {
        return;
    }
    const bool changed = std::memcmp(&state.color, &color, sizeof(KWColor)) != 0 || state.hue != fieldHue ||
                         state.saturation != fieldSaturation || state.value != fieldValue;
    color = state.color;
    fieldHue = state.hue;
    fieldSaturation = state.saturation;
    fieldValue = state.value;
    exact = true;

    // Typed hue, saturation and value place the markers themselves: a grey keeps the typed hue.
    hsv::HsvColor placed = hsv::fromRgb(color.r, color.g, color.b);
    if (isHsvField(field)) {
        placed.hue = static_cast<float>(fieldHue) / 360.0f;
        placed.saturation = static_cast<float>(fieldSaturation) / 100.0f;
        placed.brightness = static_cast<float>(fieldValue) / 100.0f;
    }
    hue = placed.hue;
    saturation = placed.saturation;
    brightness = placed.brightness;
    placeMarkers(placed.hue, placed.saturation, placed.brightness, color.a);

    // A number held to its range shows the number it became, the caret after it.
    showFields(held ? -1 : field);
    if (held) {
        const int length = GetWindowTextLengthW(fields[field]);
        SendMessageW(fields[field], EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    }
    for (HWND area : {hueHandle, boxHandle, alphaHandle, resultHandle}) {
        InvalidateRect(area, nullptr, FALSE);
    }
    if (changed) {
        reportChange();
    }
}

void KWColorPicker::fieldLeft(int field) {
    if (!numericInput) {
        return;
    }
    // Whatever is left in the field, it shows the colour's value again.
    const numeric::State state = {color, fieldHue, fieldSaturation, fieldValue};
    const std::string text = numeric::fieldText(static_cast<numeric::Field>(field), state);
    if (text != text::windowText(fields[field])) {
        writingFields = true;
        text::setWindowText(fields[field], text);
        writingFields = false;
    }
}

LRESULT CALLBACK KWColorPicker::KWFieldsCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    KWColorPicker* picker = fromArea(window);
    if (!picker) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    if (msg == WM_COMMAND) {
        const int field = static_cast<int>(LOWORD(wParam)) - firstFieldId;
        if (field >= 0 && field < numeric::FIELD_COUNT) {
            if (HIWORD(wParam) == EN_CHANGE) {
                picker->fieldEdited(field);
            } else if (HIWORD(wParam) == EN_KILLFOCUS) {
                picker->fieldLeft(field);
            }
        }
        return 0;
    }
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
        if (HBRUSH themed =
                theme::controlColors(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(themed);
        }
    }
    return CallWindowProcW(picker->fieldsProc, window, msg, wParam, lParam);
}

} // namespace KW
