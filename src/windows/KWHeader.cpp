#include "KWHeader.h"

#include "core/DpiFonts.h"
#include "windows/logic/HeaderBand.h"
#include "core/WideText.h"
#include "controls/CreationText.h"
#include "core/Theme.h"
#include "core/GadgetAccessible.h"

#include <new>
#include <oleacc.h>

namespace KW {

KWHeader* KWHeader::create(eStyles, int x, int y, int width, int height, const std::string& title,
                           const KWColor& topColor, const KWColor& bottomColor, const KWColor& textColor,
                           KWObject* parent, int id) {
    if (!requireParent(parent, "KWHeader cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow)
        KWHeader(x, y, width, height, title, topColor, bottomColor, textColor, parent, id);
}

KWHeader::KWHeader(int x, int y, int width, int height, const std::string& title, const KWColor& top,
                   const KWColor& bottom, const KWColor& text, KWObject* parent, int id)
    : KWObject(GADGET_HEADER, parent, id), topColor(0, 0, 0, 255), bottomColor(0, 0, 0, 255),
      textColor(0, 0, 0, 255) {
    HWND window =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"KWWINDOW", creationText(title).c_str(), WS_CHILD | WS_VISIBLE, x,
                        y, width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    // A header that could not be created stays silent and keeps its black colours.
    if (!window) {
        return;
    }
    attachWindow(window, "");
    completeCreationText(window, title);
    subclassWindow(routeMessage);
    topColor = top;
    bottomColor = bottom;
    textColor = text;
}

KWHeader::~KWHeader() = default;

bool KWHeader::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child != 0) {
        return false;
    }
    element.role = ROLE_SYSTEM_GROUPING;
    element.name = getAccessibleName();
    element.screen = screenRect();
    return true;
}

LRESULT CALLBACK KWHeader::KWHeaderCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWHeader::routingSteps() const {
    return ROUTE_DEFAULTS | ROUTE_ALIGNMENT;
}

LRESULT KWHeader::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        drawHeader(dc);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// The band is filled row by row with opaque text-background fills: no GDI object is made or left behind,
// and a band costs a few calls (one for a band of one colour) where a GDI+ bitmap and its drawing cost
// milliseconds, which a dock of many panes pays for each pane on every rearrangement.
void KWHeader::drawHeader(HDC dc) {
    const int displayDpi = getDpi();
    const header::Band metrics = header::bandAt(displayDpi);
    const int width = getGlobalBounds().right;
    // The client's colours hold under light; any other theme paints every header alike.
    const bool clientColors = theme::isLight();
    const KWColor band = KWColor::fromColorRef(theme::current().headerBand, 255);
    const KWColor top = clientColors ? topColor : band;
    const KWColor bottom = clientColors ? bottomColor : band;
    const COLORREF previousBack = GetBkColor(dc);
    for (int y = 0; y < metrics.height && width > 0;) {
        // Rows of the same colour are filled together.
        const COLORREF color = header::rowColor(top, bottom, y, metrics.height).toColorRef();
        int end = y + 1;
        while (end < metrics.height &&
               header::rowColor(top, bottom, end, metrics.height).toColorRef() == color) {
            ++end;
        }
        const RECT rows = {0, y, width, end};
        SetBkColor(dc, color);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rows, nullptr, 0, nullptr);
        y = end;
    }
    SetBkColor(dc, previousBack);

    HGDIOBJ previousFont = SelectObject(dc, dpi::titleFont(displayDpi));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, clientColors ? textColor.toColorRef() : theme::current().headerText);
    const std::string title = getText();
    const std::wstring wideTitle = text::wide(title);
    TextOutW(dc, metrics.titleX, metrics.titleY, wideTitle.c_str(), static_cast<int>(wideTitle.size()));
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

} // namespace KW
