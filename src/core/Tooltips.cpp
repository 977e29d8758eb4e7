#include "KWObject.h"

#include "core/DpiFonts.h"
#include "core/logic/DpiScale.h"
#include "core/logic/TooltipIds.h"

#include <commctrl.h>

#include <cstddef>

namespace KW {

// The record up to lParam (44 bytes on 32-bit Windows): every version of the control accepts it.
constexpr UINT toolInfoSize = offsetof(TOOLINFOA, lParam) + sizeof(LPARAM);

#if !defined(_WIN64)
static_assert(toolInfoSize == 44, "the tool record is 44 bytes on 32-bit Windows");
#endif

// The widest a tip grows before it wraps, in pixels at 96 DPI.
constexpr int maxTipWidth = 250;

static TOOLINFOA toolRecord(HWND owner, int id) {
    TOOLINFOA info = {};
    info.cbSize = toolInfoSize;
    info.hwnd = owner;
    info.uId = static_cast<UINT_PTR>(id);
    return info;
}

void KWObject::createTooltipWindow() {
    tooltipWindow = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(tooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Called whenever a tool is added or changed: the gadget's DPI may have changed since the last time.
void KWObject::fitTooltipsToDpi() {
    SendMessageA(tooltipWindow, TTM_SETMAXTIPWIDTH, 0, scale(maxTipWidth));
}

void KWObject::followDpiWithTooltips(int oldDpi, int newDpi) {
    // The tip window is a popup of its own, out of reach of the font swap over the window tree.
    SendMessageA(tooltipWindow, WM_SETFONT,
                 reinterpret_cast<WPARAM>(dpi::stockFont(dpi::statusFontId, newDpi)), FALSE);
    fitTooltipsToDpi();
    // Tool areas are client coordinates: they scale with the gadget.
    for (int toolId = 0; toolId < tooltips::maxTools; ++toolId) {
        TOOLINFOA info = toolRecord(handle, toolId);
        if (!SendMessageA(tooltipWindow, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) {
            continue;
        }
        info.rect = {
            dpi::rescaled(info.rect.left, oldDpi, newDpi), dpi::rescaled(info.rect.top, oldDpi, newDpi),
            dpi::rescaled(info.rect.right, oldDpi, newDpi), dpi::rescaled(info.rect.bottom, oldDpi, newDpi)};
        SendMessageA(tooltipWindow, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

int KWObject::getFreeTooltipId() {
    return tooltips::lowestFreeId([this](int candidate) {
        TOOLINFOA info = toolRecord(handle, candidate);
        return SendMessageA(tooltipWindow, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
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
    TOOLINFOA info = toolRecord(handle, toolId);
    info.uFlags = TTF_SUBCLASS;
    info.hinst = GetModuleHandleA(nullptr);
    info.lpszText = const_cast<char*>(text.c_str());
    info.rect = area.toRect();
    if (!SendMessageA(tooltipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) {
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
    TOOLINFOA info = toolRecord(handle, toolId);
    SendMessageA(tooltipWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

bool KWObject::updateTool(int toolId, const std::string* text, const KWBound* area) {
    if (!tooltipWindow) {
        return false;
    }
    // The control copies at most INFOTIPSIZE characters of the text into the record it fills.
    char currentText[INFOTIPSIZE] = {};
    TOOLINFOA info = toolRecord(handle, toolId);
    info.lpszText = currentText;
    if (SendMessageA(tooltipWindow, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) != 1) {
        return false;
    }
    fitTooltipsToDpi();
    if (area) {
        info.rect = area->toRect();
    }
    if (!text) {
        // Only the rectangle changes, so the stored text (of any length) stays as it is.
        SendMessageA(tooltipWindow, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
        return true;
    }
    info.lpszText = const_cast<char*>(text->c_str());
    SendMessageA(tooltipWindow, TTM_SETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
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
