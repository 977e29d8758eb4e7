#ifndef KW_EDITOR_KEYS_H
#define KW_EDITOR_KEYS_H

// What the curve and gradient editors share for keyboard work: which editing key a WM_KEYDOWN is,
// the clipboard as text, and the focus mark drawn over the client edge.
#include "KWObject.h"
#include "graphs/logic/KeyChange.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace KW {
namespace editorkeys {

enum Command {
    KEY_NONE,
    KEY_NEXT,     // Tab
    KEY_PREVIOUS, // Shift+Tab
    KEY_LEFT,
    KEY_RIGHT,
    KEY_UP,
    KEY_DOWN,
    KEY_FRAME, // F
    KEY_COPY,  // Ctrl+C
    KEY_PASTE, // Ctrl+V
    KEY_OPEN,  // Enter: the keyboard key's colour in the picker (Shift: its lower colour)
};

// The command of a key press, reading the modifiers' state at the time of the message.
Command commandOf(WPARAM virtualKey);
// Arrow steps in pixels: one, or ten with Shift.
int arrowPixels();

// CF_TEXT in and out; false when the clipboard could not be used or holds no text.
bool putText(HWND owner, const std::string& text);
bool getText(HWND owner, std::string& text);

// The message a WM_GETDLGCODE gets: arrows, Tab and characters stay with the editor in a dialog.
LRESULT dialogCode();
// Paints the non-client area, then, while window has the focus, a frame in the highlight colour over
// its client edge: two pixels thick at 96 DPI and scaled with the window's DPI. Where it is thicker
// than the edge, its inner part lies on the client area, which paintClientMark draws again after
// every paint.
LRESULT paintFrame(HWND window, WPARAM wParam, LPARAM lParam);
// Repaints the frame at once when the focus comes or goes (while the focus leaves, the platform may
// still report it on the window).
void refreshFrame(HWND window, bool focused);
// The part of the focus frame that lies on the client area, on a paint's device context, while window
// has the focus; nothing where the edge holds the whole frame.
void paintClientMark(HWND window, HDC dc);

// One key of a curve or gradient editor as screen readers see it: "Key N" (child N), its clipboard line
// as the value, selectable and maybe selected, focused when it is the keyboard's key (the first selected
// one) while the editor has the focus, and its marker (client coordinates of window) on the screen.
void describeKey(HWND window, int child, const std::string& clipboardText, bool selected, bool keyboardKey,
                 RECT marker, KWAccessibleElement& element);

// Settles what one message's handling reports: an edit whose key was not named (report set, index
// kUnchanged) is found by comparing the keys before and after it, and reports nothing when no key
// changed; a drag's moving step that changed a key is remembered in dragReported and dragIndex for the
// drag's release to report.
template <typename Key>
void settleReport(eEventType& report, int& index, const std::vector<Key>& before,
                  const std::vector<Key>& after, bool& dragReported, int& dragIndex) {
    if (report == EVENT_NONE || index != keychange::kUnchanged) {
        return;
    }
    index = keychange::changedIndex(before, after);
    if (index == keychange::kUnchanged) {
        report = EVENT_NONE;
    } else if (report == EVENT_CHANGING) {
        dragReported = true;
        dragIndex = index;
    }
}

// Ends an editor's message after its own handling: the window is invalidated when dirty, and the
// default procedure runs. With an edit to report, the picture is brought up to date first and notify
// runs last, so the handler hears of the edit once it shows.
LRESULT endMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, bool& dirty, bool reporting,
                   const std::function<void()>& notify);

} // namespace editorkeys
} // namespace KW

#endif
