#ifndef KW_DPI_FONTS_H
#define KW_DPI_FONTS_H

#include <windows.h>

// The DPI a window draws at and the library's fonts for it. Fonts are shared and live as long as the
// process: callers select them but never delete them.
namespace KW {
namespace dpi {

// The DPI of a window: the one its top-level window last heard in WM_DPICHANGED, else the platform's
// per-window DPI, else the screen's LOGPIXELSX. A process that is not DPI-aware gets 96 from both.
int ofWindow(HWND window);
// The screen's LOGPIXELSX, read once (it is fixed for the life of the process): the DPI the stock fonts
// were made for.
int ofScreen();
// Records the DPI announced to a top-level window by WM_DPICHANGED; ofWindow reads it for every
// window under it. forgetAnnounced removes the record when the window is destroyed.
void announce(HWND topLevel, int dpi);
void forgetAnnounced(HWND topLevel);

// A stock font (DEFAULT_GUI_FONT, DEVICE_DEFAULT_FONT...) at dpi: the stock object itself at the
// screen's DPI, else a font of the same face with its height scaled.
HFONT stockFont(int stockObject, int dpi);
// DEFAULT_GUI_FONT at dpi.
HFONT guiFont(int dpi);
// The headers' title font: the face of DEVICE_DEFAULT_FONT at dpi. Some platforms (Wine) keep that
// stock object at its 96-DPI size whatever the display's DPI, so its face is scaled from 96.
HFONT titleFont(int dpi);
// Stand for the fonts platform controls pick for themselves where stockFont and stockObjectOf take a
// stock object: the icon title font (tree views) and the status font (tooltips).
constexpr int iconTitleFontId = 0x1000;
constexpr int statusFontId = 0x1001;
// A platform control's own font (iconTitleFontId or statusFontId) at dpi.
HFONT platformFont(int kind, int dpi);
// The stock object a font returned by stockFont stands for, at any DPI; -1 for any other font. A
// window showing one of these fonts follows DPI changes.
int stockObjectOf(HGDIOBJ font);

} // namespace dpi
} // namespace KW

#endif
