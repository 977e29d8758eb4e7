#ifndef KW_WINDOW_H
#define KW_WINDOW_H

#include "KWObject.h"

#include <string>

namespace KW {

class KWContext;

// A window gadget: the application's frame, a pop-up, a plain child area or a sunken viewport.
// It can carry a menu bar and a minimum tracking size. Closing any KWWindow ends the message loop.
class KW_API KWWindow : public KWObject {
public:
    static KWWindow* create(eStyles style, eWindowType type, int x, int y, int width, int height,
                            const std::string& title, KWObject* parent, int id);

    // Takes effect at the next WM_GETMINMAXINFO (outer size).
    void setMinDimension(int width, int height);
    // Appends the context's popup menu to the menu bar under title; the first call creates the bar.
    void addMenu(const std::string& title, KWContext* menu);

private:
    KWWindow(eWindowType type, int x, int y, int width, int height, const std::string& title,
             KWObject* parent, int id);

    static LRESULT CALLBACK KWWindowCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    int minWidth;
    int minHeight;
    HMENU menuBar;
};

} // namespace KW

#endif
