#ifndef KW_KWADRO_H
#define KW_KWADRO_H

#include "KWTypes.h"

#include <queue>

namespace KW {

/// Library start-up and the application's event queue.
class KW_API Kwadro {
public:
    /// Common controls, the window classes "KWWINDOW", "KWWHITE" and "KWPANEL", GDI+. Once per process.
    static bool init();
    /// Appends {type, object, 0, 0} unless the queue already holds 33 events.
    static void registerEvent(eEventType type, KWObject* object);
    /// Call in the message loop before TranslateMessage: when message is a key press that matches a
    /// shortcut of the top-level KWWindow holding the focus (KWWindow::addShortcut), that window's
    /// handler gets EVENT_CLICKED with the command id and the call returns true; do not translate or
    /// dispatch the message then.
    static bool handleShortcut(const MSG& message);

    /// The application's event queue: registerEvent appends, the application reads and pops. A deleted
    /// gadget's events leave it.
    static std::queue<KWEvent> events;

private:
    Kwadro() = delete;
    static LRESULT CALLBACK KWCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace KW

#endif
