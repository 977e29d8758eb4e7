#ifndef KW_TYPES_H
#define KW_TYPES_H

#include "KWExport.h"

#include <functional>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace KW {

class KWObject;

/// A rectangle in the order left, right, top, bottom. Operations read it either as edges
/// (right and bottom are coordinates) or as position and size (right is the width, bottom the height).
struct KWBound {
    int left;
    int right;
    int top;
    int bottom;

    KWBound() : left(0), right(0), top(0), bottom(0) {}
    KWBound(int left, int right, int top, int bottom) : left(left), right(right), top(top), bottom(bottom) {}
#if defined(_WIN32)
    KWBound(RECT rect) : left(rect.left), right(rect.right), top(rect.top), bottom(rect.bottom) {}
    /// Field by field, with no size arithmetic.
    RECT toRect() const {
        RECT rect = {left, top, right, bottom};
        return rect;
    }
#endif
    /// Edge reading to position-and-size reading.
    KWBound edgesToSize() const {
        return KWBound(left, right - left, top, bottom - top);
    }
};

/// A colour with opacity, each component meant in 0..255 (a = 255 is opaque).
struct KWColor {
    int r;
    int g;
    int b;
    int a;

    KWColor() : r(0), g(0), b(0), a(255) {}
    KWColor(int r, int g, int b, int a) : r(r), g(g), b(b), a(a) {}
#if defined(_WIN32)
    COLORREF toColorRef() const {
        return RGB(r, g, b);
    }
    /// Alpha is not carried by a COLORREF; the caller decides it.
    static KWColor fromColorRef(COLORREF color, int alpha) {
        return KWColor(GetRValue(color), GetGValue(color), GetBValue(color), alpha);
    }
#endif
};

enum eStyles {
    STYLE_DEFAULT = 0,
    STYLE_SIZABLE = 2,
};

enum eGadgetType {
    GADGET_WINDOW = 1,
    GADGET_CHECKBOX = 2,
    GADGET_TAB = 3,
    GADGET_STATUS = 4,
    GADGET_TREEVIEW = 5,
    GADGET_FLOATGRAPH = 6,
    GADGET_BUTTON = 7,
    GADGET_GROUPBOX = 8,
    GADGET_RADIO = 9,
    GADGET_COLORBUTTON = 10,
    GADGET_TEXT = 11,
    GADGET_SPINBOX = 12,
    GADGET_ROLLOUT = 13,
    GADGET_LISTBOX = 14,
    GADGET_COMBOBOX = 15,
    GADGET_TOOLBAR = 16,
    GADGET_PROPERTIES = 17,
    GADGET_EDIT = 18,
    GADGET_OPENBUTTON = 19,
    GADGET_COLOREDIT = 20,
    GADGET_COLORPICKER = 21,
    GADGET_COLORBUTTONS = 22,
    GADGET_PANEL = 23,
    GADGET_HEADER = 24,
};

enum eWindowType {
    WINDOW_FRAME = 1,
    WINDOW_POPUP = 2,
    WINDOW_PAGE = 8,
    WINDOW_SUNKEN = 9,
};

enum eLockType {
    LOCK_NONE = 0,
    LOCK_FILL = 1,
    LOCK_STRETCH_RIGHT = 2,
    LOCK_STRETCH_BOTTOM = 3,
    LOCK_STRETCH_BOTH = 4,
    LOCK_RIGHT = 5,
    LOCK_BOTTOM = 6,
    LOCK_RIGHT_STRETCH_BOTTOM = 7,
    LOCK_BOTTOM_STRETCH_RIGHT = 8,
};

/// What an event reports. Gadgets report EVENT_CLICKED, EVENT_CHANGED, EVENT_SELECTED and
/// EVENT_CHANGING to their handler (KWObject::setHandler); the queue Kwadro::events stores whatever
/// the application registers and never interprets it.
enum eEventType {
    EVENT_NONE = 0,
    EVENT_CLICKED = 1,  ///< a command: a button, a menu item, a toolbar button, a shortcut
    EVENT_CHANGED = 2,  ///< a finished change of the gadget's value
    EVENT_SELECTED = 3, ///< an item or page chosen by the user
    EVENT_CLOSED = 4,
    EVENT_CHANGING = 5, ///< an intermediate value while the user is still editing (typing, dragging)
    EVENT_USER = 100,
};

enum KWTextAlign {
    ALIGN_LEFT = 0,
    ALIGN_RIGHT = 1,
    ALIGN_CENTER = 2,
};

/// One event: what happened, the gadget it happened to and two values whose meaning depends on the
/// gadget (for handlers: param1 is an id or an index, param2 is 0).
struct KWEvent {
    eEventType type;
    KWObject* object;
    int param1;
    int param2;
};

/// The application's reaction to what the user did with a gadget. It runs after the gadget's state
/// and picture are updated, so the gadget's getters already return the new value.
typedef std::function<void(const KWEvent&)> KWHandler;

} // namespace KW

#endif
