#include "controls/FieldOverflow.h"

#include <string>

namespace KW {
namespace field {

namespace {

// The messages through which a user's key (or a program acting for one) changes the text in place.
bool editsText(UINT msg, WPARAM wParam) {
    switch (msg) {
    case WM_CHAR:
    case WM_CLEAR:
    case WM_CUT:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
        return true;
    case WM_KEYDOWN:
        // Delete removes text; Shift+Insert pastes.
        return wParam == VK_DELETE || wParam == VK_INSERT;
    default:
        return false;
    }
}

// Pixels the edit's own measure may differ from this one by.
constexpr int measureSlack = 2;

// How many pixels the field's text is wider than its text area, with the slack to spare; 0 when it fits.
int overflowOf(HWND field) {
    const int length = GetWindowTextLengthW(field);
    if (length <= 0) {
        return 0;
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(field, &text[0], length + 1);
    RECT area = {};
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    HDC dc = GetDC(field);
    if (!dc) {
        return 0;
    }
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), read, &extent);
    if (previous) {
        SelectObject(dc, previous);
    }
    ReleaseDC(field, dc);
    const int overflow = extent.cx + measureSlack - (area.right - area.left);
    return overflow > 0 ? overflow : 0;
}

void resize(HWND field, int width, int height) {
    SetWindowPos(field, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
}

} // namespace

LRESULT passEditing(HWND field, WNDPROC proc, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int overflow = editsText(msg, wParam) ? overflowOf(field) : 0;
    if (overflow == 0) {
        return CallWindowProcW(proc, field, msg, wParam, lParam);
    }
    RECT bounds = {};
    GetWindowRect(field, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    resize(field, width + overflow, height);
    const LRESULT result = CallWindowProcW(proc, field, msg, wParam, lParam);
    // A handler of the change may have destroyed the field.
    if (IsWindow(field)) {
        resize(field, width, height);
        InvalidateRect(field, nullptr, TRUE);
    }
    return result;
}

} // namespace field
} // namespace KW
