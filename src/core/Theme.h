#ifndef KW_THEME_INTERNAL_H
#define KW_THEME_INTERNAL_H

#include "KWTheme.h"

#include <windows.h>

namespace KW {
namespace theme {

// The theme in force (light until Kwadro::init or setTheme says otherwise).
const KWTheme& current();
// True while the light theme is in force: standard controls are left to draw themselves as they always
// have, and clients' own colours (a header's) hold.
bool isLight();
// Stores the theme and gives the library's window classes their backgrounds; Kwadro::setTheme then
// tells every gadget and repaints.
void store(const KWTheme& theme);
// A brush of a colour, kept for the life of the process (a handful of colours per theme).
HBRUSH brush(COLORREF color);
// The label bands of the curve and gradient editors: under light the platform's answer to a null
// brush (white), as they always were; the panel colour under any other theme.
HBRUSH labelBandBrush();
// Answers WM_CTLCOLOR* for a standard control under a theme other than light: its text and background
// colours and the brush of its background. Null under light: the platform's answer stands.
HBRUSH controlColors(UINT msg, HDC dc, HWND control);
// Whether the system's high-contrast mode is on.
bool highContrastOn();
// The system's settings or colours changed: high contrast switched on applies system(); switched off,
// light() when the system colours were applied for it.
void systemSettingsChanged();

} // namespace theme
} // namespace KW

#endif
