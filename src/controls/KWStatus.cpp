#include "KWStatus.h"
#include "core/Theme.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <new>
#include <string>

namespace KW {

KWStatus* KWStatus::create(KWObject* parent, int id) {
    if (!requireParent(parent, "Status Bar cannot be created without a parent ! Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWStatus(parent, id);
}

KWStatus::KWStatus(KWObject* parent, int id) : KWObject(GADGET_STATUS, parent, id) {
    // Created empty at the origin: the control docks itself along the parent's bottom.
    HWND window = CreateWindowExW(0, L"msctls_statusbar32", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                  parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Status Bar creation failed !")) {
        setDefaultFont(handle);
        subclassWindow(routeMessage);
        if (!theme::isLight()) {
            themeChanged();
        }
    }
}

void KWStatus::themeChanged() {
    // A visual style ignores the background colour: the bar drops it under any theme but light.
    const bool light = theme::isLight();
    if (light) {
        SetWindowTheme(handle, nullptr, nullptr);
    } else {
        SetWindowTheme(handle, L" ", L" ");
    }
    SendMessageW(handle, SB_SETBKCOLOR, 0,
                 light ? CLR_DEFAULT : static_cast<LPARAM>(theme::current().window));
}

void KWStatus::paintThemed() {
    const KWTheme& colors = theme::current();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle, &paint);
    RECT client = {};
    GetClientRect(handle, &client);
    FillRect(dc, &client, theme::brush(colors.window));
    const bool simple = SendMessageW(handle, SB_ISSIMPLE, 0, 0) != 0;
    const int parts = simple ? 1 : static_cast<int>(SendMessageW(handle, SB_GETPARTS, 0, 0));
    HGDIOBJ previousFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)));
    const COLORREF previousInk = SetTextColor(dc, colors.text);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (int part = 0; part < parts; ++part) {
        const WPARAM index = simple ? SB_SIMPLEID : static_cast<WPARAM>(part);
        RECT area = client;
        if (!simple) {
            SendMessageW(handle, SB_GETRECT, index, reinterpret_cast<LPARAM>(&area));
        }
        if (part + 1 < parts) {
            RECT divider = {area.right - 1, area.top + 2, area.right, area.bottom - 2};
            FillRect(dc, &divider, theme::brush(colors.border));
        }
        const int length = LOWORD(SendMessageW(handle, SB_GETTEXTLENGTHW, index, 0));
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(handle, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        InflateRect(&area, -GetSystemMetrics(SM_CXEDGE) * 2, 0);
        DrawTextW(dc, text.c_str(), length, &area,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousInk);
    SelectObject(dc, previousFont);
    EndPaint(handle, &paint);
}

LRESULT CALLBACK KWStatus::KWStatusCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWStatus::routingSteps() const {
    return 0;
}

LRESULT KWStatus::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT && !theme::isLight()) {
        paintThemed();
        return 0;
    }
    return passOn(window, msg, wParam, lParam);
}

void KWStatus::setParts(int count, int* rightEdges) {
    // The platform would read edges through a null pointer; it refuses bad counts itself.
    if (count > 0 && !rightEdges) {
        return;
    }
    SendMessageW(handle, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rightEdges));
}

void KWStatus::setBounds(const KWBound&) {
    SendMessageW(handle, WM_SIZE, 0, 0);
}

} // namespace KW
