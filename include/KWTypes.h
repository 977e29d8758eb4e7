#ifndef KW_TYPES_H
#define KW_TYPES_H

#include "KWExport.h"

#include <functional>

#if defined(_WIN32)
#include <windows.h>
#endif

/// Everything the library declares: the gadget classes, their shared types and the start-up class.
namespace KW {

class KWObject;

/// A rectangle in the order left, right, top, bottom. Operations read it either as edges
/// (right and bottom are coordinates) or as position and size (right is the width, bottom the height).
struct KWBound {
    /// Left edge, or x.
    int left;
    /// Right edge, or width.
    int right;
    /// Top edge, or y.
    int top;
    /// Bottom edge, or height.
    int bottom;

    KWBound() : left(0), right(0), top(0), bottom(0) {}
    /// The four values in the order left, right, top, bottom.
    KWBound(int left, int right, int top, int bottom) : left(left), right(right), top(top), bottom(bottom) {}
#if defined(_WIN32)
    /// Field by field from a RECT (edges).
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
    /// Red, 0..255.
    int r;
    /// Green, 0..255.
    int g;
    /// Blue, 0..255.
    int b;
    /// Opacity, 0 (transparent) to 255 (opaque).
    int a;

    KWColor() : r(0), g(0), b(0), a(255) {}
    /// The four components in the order red, green, blue, alpha.
    KWColor(int r, int g, int b, int a) : r(r), g(g), b(b), a(a) {}
#if defined(_WIN32)
    /// The RGB components as a COLORREF; alpha is dropped.
    COLORREF toColorRef() const {
        return RGB(r, g, b);
    }
    /// Alpha is not carried by a COLORREF; the caller decides it.
    static KWColor fromColorRef(COLORREF color, int alpha) {
        return KWColor(GetRValue(color), GetGValue(color), GetBValue(color), alpha);
    }
#endif
};

/// The style argument of the create factories; most gadgets ignore it.
enum eStyles {
    /// The gadget's usual look.
    STYLE_DEFAULT = 0,
    /// A sizing border, for gadgets that read the style.
    STYLE_SIZABLE = 2,
    /// KWWindow only: the window starts hidden, to be shown (ShowWindow) once its gadgets are in place, so
    /// nothing is drawn or laid out on the screen while they are created.
    STYLE_HIDDEN = 4,
};

/// The kind of a gadget, as getType reports it.
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
    GADGET_DOCK = 25,
};

/// Where KWDock::addPane and KWDock::movePane put a pane: at a side of its target (or of the whole
/// dock), or in the target's tab group.
enum eDockSide {
    DOCK_LEFT = 0,
    DOCK_RIGHT = 1,
    DOCK_TOP = 2,
    DOCK_BOTTOM = 3,
    /// Joins the target's tab group; the size is ignored.
    DOCK_TAB = 4,
};

/// What the user may not do with one pane of a KWDock (KWDock::setPaneFlags); the flags combine.
enum eDockPaneFlags {
    DOCKPANE_DEFAULT = 0,
    /// No close button; closePane refuses it.
    DOCKPANE_NO_CLOSE = 1,
    /// It never floats; floatPane refuses it.
    DOCKPANE_NO_FLOAT = 2,
    /// Its title band does not drag; movePane refuses it.
    DOCKPANE_NO_MOVE = 4,
};

/// What KWWindow::create makes.
enum eWindowType {
    /// An overlapped window with caption, system menu, sizing border and minimise and maximise boxes.
    WINDOW_FRAME = 1,
    /// A pop-up window with caption and system menu.
    WINDOW_POPUP = 2,
    /// A plain area without frame, usually a child: a tab page, a pane.
    WINDOW_PAGE = 8,
    /// A plain area with a sunken edge, usually a child: a viewport.
    WINDOW_SUNKEN = 9,
};

/// How a parent's doAlignment places a child gadget when the parent is resized (KWObject::lockToParent).
/// "Stretch right" keeps a right margin equal to the gadget's left one.
enum eLockType {
    /// Left where it is.
    LOCK_NONE = 0,
    /// Fills the parent's client area (less its status bar).
    LOCK_FILL = 1,
    /// Keeps its left edge and height; the width stretches.
    LOCK_STRETCH_RIGHT = 2,
    /// Keeps its left, top and width; the bottom edge follows the parent's.
    LOCK_STRETCH_BOTTOM = 3,
    /// Keeps its left and top edges; the width stretches and the bottom follows the parent's.
    LOCK_STRETCH_BOTH = 4,
    /// Keeps its size; moves so that its right edge is on the parent's.
    LOCK_RIGHT = 5,
    /// Keeps its size; moves so that its bottom edge is on the parent's.
    LOCK_BOTTOM = 6,
    /// Like LOCK_RIGHT, and the bottom edge follows the parent's.
    LOCK_RIGHT_STRETCH_BOTTOM = 7,
    /// Like LOCK_BOTTOM, and the right edge follows the parent's.
    LOCK_BOTTOM_STRETCH_RIGHT = 8,
};

/// What an event reports. Gadgets report EVENT_CLICKED, EVENT_CHANGED, EVENT_SELECTED and
/// EVENT_CHANGING to their handler (KWObject::setHandler), top-level windows EVENT_DPICHANGED; the
/// queue Kwadro::events stores whatever the application registers and never interprets it.
enum eEventType {
    EVENT_NONE = 0,
    EVENT_CLICKED = 1,  ///< a command: a button, a menu item, a toolbar button, a shortcut
    EVENT_CHANGED = 2,  ///< a finished change of the gadget's value
    EVENT_SELECTED = 3, ///< an item or page chosen by the user
    EVENT_CLOSED = 4,
    EVENT_CHANGING = 5, ///< an intermediate value while the user is still editing (typing, dragging)
    /// a top-level window moved to a display of another DPI (param1: the new DPI), after its gadgets
    /// were rescaled and laid out: the time to pick image lists or re-place the client's own gadgets
    EVENT_DPICHANGED = 6,
    EVENT_USER = 100,
};

/// Text alignment of a KWText.
enum KWTextAlign {
    ALIGN_LEFT = 0,
    ALIGN_RIGHT = 1,
    ALIGN_CENTER = 2,
};

/// One event: what happened, the gadget it happened to and two values whose meaning depends on the
/// gadget (for handlers: param1 is an id or an index, param2 is 0).
struct KWEvent {
    /// What happened.
    eEventType type;
    /// The gadget it happened to.
    KWObject* object;
    /// Gadget-specific: a command id, an item id or an index.
    int param1;
    /// Gadget-specific; 0 for the events handlers receive.
    int param2;
};

/// The application's reaction to what the user did with a gadget. It runs after the gadget's state
/// and picture are updated, so the gadget's getters already return the new value.
typedef std::function<void(const KWEvent&)> KWHandler;

} // namespace KW

#endif
