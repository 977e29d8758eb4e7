#include "KWObject.h"

#include "core/DpiFonts.h"
#include "core/WideText.h"
#include "core/logic/DpiScale.h"
#include "core/logic/TooltipIds.h"

#include <commctrl.h>

#include <cstddef>

namespace KW {

// The record up to lParam (44 bytes on 32-bit Windows): every version of the control accepts it.
constexpr UINT toolInfoSize = offsetof(TOOLINFOW, lParam) + sizeof(LPARAM);

#if !defined(_WIN64)
static_assert(toolInfoSize == 44, "the tool record is 44 bytes on 32-bit Windows");
#endif

// The widest a tip grows before it wraps, in pixels at 96 DPI.
constexpr int maxTipWidth = 250;

static TOOLINFOW toolRecord(HWND owner, int id) {
    TOOLINFOW info = {};
    info.cbSize = toolInfoSize;
    info.hwnd = owner;
    info.uId = static_cast<UINT_PTR>(id);
    return info;
}

void KWObject::createTooltipWindow() {
    tooltipWindow = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(tooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Called whenever a tool is added or changed: the gadget's DPI may have changed since the last time.
void KWObject::fitTooltipsToDpi() {
    SendMessageW(tooltipWindow, TTM_SETMAXTIPWIDTH, 0, scale(maxTipWidth));
}

void KWObject::followDpiWithTooltips(int oldDpi, int newDpi) {
    // The tip window is a popup of its own, out of reach of the font swap over the window tree.
    SendMessageW(tooltipWindow, WM_SETFONT,
                 reinterpret_cast<WPARAM>(dpi::stockFont(dpi::statusFontId, newDpi)), FALSE);
    fitTooltipsToDpi();
    // Tool areas are client coordinates: they scale with the gadget.
    for (int toolId = 0; toolId < tooltips::maxTools; ++toolId) {
        TOOLINFOW info = toolRecord(handle, toolId);
        if (!SendMessageW(tooltipWindow, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) {
            continue;
        }
        info.rect = {
            dpi::rescaled(info.rect.left, oldDpi, newDpi), dpi::rescaled(info.rect.top, oldDpi, newDpi),
            dpi::rescaled(info.rect.right, oldDpi, newDpi), dpi::rescaled(info.rect.bottom, oldDpi, newDpi)};
        SendMessageW(tooltipWindow, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

int KWObject::getFreeTooltipId() {
    return tooltips::lowestFreeId([this](int candidate) {
        TOOLINFOW info = toolRecord(handle, candidate);
        return SendMessageW(tooltipWindow, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    });
}

int KWObject::addTool(const std::string& text, const KWBound& area, const char* failureMessage) {
    if (!tooltipWindow) {
        createTooltipWindow();
    }
    fitTooltipsToDpi();
    const int toolId = getFreeTooltipId();
    if (toolId < 0) {
        // All ids are taken: a tool with id -1 could never be addressed again.
        showError(failureMessage);
        return -1;
    }
    TOOLINFOW info = toolRecord(handle, toolId);
    info.uFlags = TTF_SUBCLASS;
    info.hinst = GetModuleHandleA(nullptr);
    std::wstring wideText = text::wide(text);
    info.lpszText = &wideText[0];
    info.rect = area.toRect();
    if (!SendMessageW(tooltipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
        showError(failureMessage);
    }
    return toolId;
}

int KWObject::addTooltip(const std::string& text) {
    return addTool(text, getGlobalBounds(), "Could not add tooltip to control !");
}

int KWObject::addTooltip(const std::string& text, const KWBound& area) {
    return addTool(text, area, "Could not add tooltip to the control !");
}

void KWObject::removeTooltip(int toolId) {
    TOOLINFOW info = toolRecord(handle, toolId);
    SendMessageW(tooltipWindow, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

bool KWObject::updateTool(int toolId, const std::string* text, const KWBound* area) {
    if (!tooltipWindow) {
        return false;
    }
    // The control copies at most INFOTIPSIZE characters of the text into the record it fills.
    wchar_t currentText[INFOTIPSIZE] = {};
    TOOLINFOW info = toolRecord(handle, toolId);
    info.lpszText = currentText;
    if (SendMessageW(tooltipWindow, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != 1) {
        return false;
    }
    fitTooltipsToDpi();
    if (area) {
        info.rect = area->toRect();
    }
    if (!text) {
        // Only the rectangle changes, so the stored text (of any length) stays as it is.
        SendMessageW(tooltipWindow, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        return true;
    }
    std::wstring wideText = text::wide(*text);
    info.lpszText = &wideText[0];
    SendMessageW(tooltipWindow, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

void KWObject::setTooltipText(int toolId, const std::string& text) {
    updateTool(toolId, &text, nullptr);
}

void KWObject::setTooltipPosition(int toolId, const KWBound& area) {
    updateTool(toolId, nullptr, &area);
}

void KWObject::setTooltip(int toolId, const std::string& text, const KWBound& area) {
    updateTool(toolId, &text, &area);
}

} // namespace KW
