#ifndef KW_MENU_PROBE_H
#define KW_MENU_PROBE_H

#include <windows.h>

#include <cstddef>

namespace kwe2e {

// The probe answers this registered message by writing the menu bar titles, one per line, into the
// named shared memory, which the caller creates beforehand.
constexpr const char* menuProbeMessage = "KW_E2E_READ_MENU_BAR";
// As the message's wParam: the items' screen rectangles ("left top right bottom") instead of titles.
constexpr WPARAM menuProbeRects = 1;
constexpr const char* menuProbeMapping = "KW_E2E_MENU_BAR_TITLES";
constexpr std::size_t menuProbeSize = 4096;
constexpr const char* menuProbeLibrary = "kw_menu_probe.dll";
constexpr const char* menuProbeEntry = "menuProbeHook";

} // namespace kwe2e

#endif
