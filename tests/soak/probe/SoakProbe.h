#ifndef KW_SOAK_PROBE_H
#define KW_SOAK_PROBE_H

#include <windows.h>

namespace kwsoak {

// Test builds of the programs start a message-only window of this class on their UI thread when the
// environment variable below is "1". A driver in another process finds it with FindWindowEx(HWND_MESSAGE)
// and asks it questions with SendMessageTimeout, which also shows that the UI thread still answers.
constexpr const char* probeClass = "KW_SOAK_PROBE";
constexpr const char* probeVariable = "KW_SOAK_PROBE";

// Answers how many more brushes the process can create before creation fails.
constexpr UINT probeHeadroom = WM_APP + 1;
// Answers how many menu commands of the main window may be chosen without a file or modal dialog.
constexpr UINT probeCommandCount = WM_APP + 2;
// Posts the command at wParam (modulo the count) to the main window; answers its identifier, 0 if none.
constexpr UINT probePostCommand = WM_APP + 3;
// Answers how many of those commands choose a theme.
constexpr UINT probeThemeCount = WM_APP + 4;
// Posts the theme command at wParam (modulo the count); answers its identifier, 0 if none.
constexpr UINT probePostTheme = WM_APP + 5;
// Answers 1 when a press at the screen point (x, y) in lParam, or with wParam probeAtFocus a key to the
// focused window, opens no file dialog (a toolbar's New, Open or Save, a "..." button), else 0.
constexpr UINT probeSafeToPress = WM_APP + 6;
constexpr WPARAM probeAtFocus = 1;
// Answers a point of the dock pane at wParam (modulo their count) as MAKELONG(x, y) in screen
// coordinates, or 0 when the program has no docked pane: with lParam probeBand a point on its title band
// to drag it by, with probeDockTopLeft and probeDockBottomRight the corners of the dock that holds it.
constexpr UINT probeDockPoint = WM_APP + 7;
constexpr LPARAM probeBand = 0;
constexpr LPARAM probeDockTopLeft = 1;
constexpr LPARAM probeDockBottomRight = 2;

// More brushes never fit in a process: the systems stop near 10,000 (Windows) and 65,536 (Wine).
constexpr int headroomLimit = 200000;

// How many solid brushes can still be created, at most `limit`; every brush made is freed again.
int brushHeadroom(int limit = headroomLimit);

// Objects created (positive) or freed between two headroom counts.
inline int objectGrowth(int headroomBefore, int headroomAfter) {
    return headroomBefore - headroomAfter;
}

// Creates the probe window on the calling thread; it lives until the thread ends. Returns it.
HWND startProbe();

} // namespace kwsoak

#endif
