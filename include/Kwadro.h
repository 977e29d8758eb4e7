#ifndef KW_KWADRO_H
#define KW_KWADRO_H

#include "KWTheme.h"
#include "KWTypes.h"

#include <queue>

namespace KW {

/// Library start-up and the application's event queue.
class KW_API Kwadro {
public:
    /// Common controls, the window classes "KWWINDOW", "KWWHITE" and "KWPANEL", GDI+. Once per process.
    /// From then on Tab and Shift+Tab move the focus through the input gadgets of the library's windows
    /// in creation order, in this thread's message loop whatever it is; a gadget that uses Tab itself
    /// (the curve and gradient editors) is left with Ctrl+Tab.
    static bool init();
    /// Appends {type, object, 0, 0} unless the queue already holds 33 events.
    static void registerEvent(eEventType type, KWObject* object);
    /// Call in the message loop before TranslateMessage: when message is a key press that matches a
    /// shortcut of the top-level KWWindow holding the focus (KWWindow::addShortcut), that window's
    /// handler gets EVENT_CLICKED with the command id and the call returns true; do not translate or
    /// dispatch the message then.
    static bool handleShortcut(const MSG& message);

    /// Paints every gadget of every window with theme's colours from now on, at once. init starts with
    /// KWTheme::light(), or KWTheme::system() when the system's high contrast is on; a top-level
    /// KWWindow that hears high contrast switched on applies system() (and light() when it goes off
    /// again, if the system colours were applied for it).
    static void setTheme(const KWTheme& theme);
    /// The theme in force.
    static const KWTheme& getTheme();

    /// The application's event queue: registerEvent appends, the application reads and pops. A deleted
    /// gadget's events leave it.
    static std::queue<KWEvent> events;

private:
    Kwadro() = delete;
    static LRESULT CALLBACK KWCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace KW

#endif
