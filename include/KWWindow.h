#ifndef KW_WINDOW_H
#define KW_WINDOW_H

#include "KWObject.h"
#include "KWSplitter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace KW {

class KWContext;
class SplitterBars;
class Kwadro;
namespace shortcuts {
class ShortcutTable;
}

/// A window gadget: the application's frame, a pop-up, a plain child area or a sunken viewport.
/// It can carry a menu bar and a minimum tracking size, and splitters: undrawn bars between docked
/// child gadgets that the user drags to trade space between them. Closing any KWWindow ends the
/// message loop.
///
/// A drag step, a resize or an attach moves the docked gadgets it changes together, in one batch of
/// window moves (BeginDeferWindowPos), as the lock layout of doAlignment moves a gadget's children: the
/// window is laid out once and repainted once for all of them. A gadget whose setBounds or setPlacement
/// is overridden is still called for each move; the base versions join the batch, so the gadget's window
/// has its new rectangle once the batch is made.
///
/// The window's handler (setHandler) receives EVENT_CLICKED with the command id for a menu-bar item,
/// a button of a toolbar on the window, an entry of a KWContext shown with the window as owner, and
/// a shortcut (addShortcut, Kwadro::handleShortcut), and EVENT_CHANGED with the splitter's id when the
/// user has finished dragging a splitter to another position.
///
/// saveLayout and restoreLayout keep what the user arranged (the window's placement, its splitters and
/// those of the windows below it, the rollouts' open sections and the tabs' pages) in a line of text
/// for a settings file; docs/layout-format.md describes the text.
class KW_API KWWindow : public KWObject {
public:
    /// A window of the given type; with a parent it is that gadget's child, without one a top-level
    /// window. x, y, width and height are the outer rectangle. Every type is created visible, unless
    /// style is STYLE_HIDDEN; other styles are not used.
    static KWWindow* create(eStyles style, eWindowType type, int x, int y, int width, int height,
                            const std::string& title, KWObject* parent, int id);
    ~KWWindow() override;

    /// Takes effect at the next WM_GETMINMAXINFO (outer size).
    void setMinDimension(int width, int height);
    /// Appends the context's popup menu to the menu bar under title; the first call creates the bar.
    void addMenu(const std::string& title, KWContext* menu);

    /// Splitters: position is the bar's left (vertical) or top (horizontal) edge in client coordinates.
    /// During a drag the limited side (the first one when limitFirst, else the second) is kept between
    /// minSize and maxSize. Ids select splitters for the addFrom* calls and need not be unique.
    void addVerticalSplitter(int id, int position, int thickness, int minSize, int maxSize, bool limitFirst);
    /// A horizontal bar at position (its top edge); see addVerticalSplitter.
    void addHorizontalSplitter(int id, int position, int thickness, int minSize, int maxSize,
                               bool limitFirst);
    /// Dock a child gadget to one side of every splitter with that id; its inner edge moves onto the bar.
    void addFromLeft(int id, KWObject* object);
    /// Docks a gadget to the right of every splitter with that id.
    void addFromRight(int id, KWObject* object);
    /// Docks a gadget above every splitter with that id.
    void addFromTop(int id, KWObject* object);
    /// Docks a gadget below every splitter with that id.
    void addFromBottom(int id, KWObject* object);
    /// The position (left or top edge of the bar, in client coordinates) of the first splitter with that
    /// id; -1 when the window has no splitter with that id.
    int getSplitterPosition(int id) const;
    /// Moves every splitter with that id to position, kept within its limits as a drag keeps it, and
    /// docks its gadgets to it again. The handler is not called. False when the window has no splitter
    /// with that id.
    bool setSplitterPosition(int id, int position);

    /// The layout of the window and of every gadget below it, as one line of printable ASCII: a top-level
    /// window's normal rectangle and maximized state, every splitter's position, every rollout section's
    /// open state and every tab's selected page, each keyed by the ids of the gadgets from this window
    /// down (docs/layout-format.md). Lengths are stored at 96 DPI.
    std::string saveLayout() const;
    /// Applies a text made by saveLayout, wholly or not at all: false, with nothing changed, for a text
    /// that is malformed, cut short or of another major version (a higher minor version is read).
    /// Lengths are scaled to the window's DPI, a top-level window's rectangle is brought into the work
    /// area of the nearest monitor (a maximized layout shows the window maximized) and splitters stay
    /// within their limits. Entries for gadgets that no longer exist are skipped; gadgets without an
    /// entry keep their state. No handler is called.
    bool restoreLayout(const std::string& layout);

    /// Called when the user asks to close the window (close box, Alt+F4, WM_CLOSE): false keeps the
    /// window open and nothing else happens; true, or no handler, closes it as usual.
    void setCloseHandler(const std::function<bool()>& handler);
    /// A key that sends commandId to the window's handler while the focus is in this top-level
    /// window; modifiers combines MOD_CONTROL, MOD_SHIFT and MOD_ALT. A later shortcut for the same
    /// key and modifiers replaces the earlier one. The message loop passes key presses to
    /// Kwadro::handleShortcut.
    void addShortcut(int virtualKey, int modifiers, int commandId);

protected:
    /// A menu item, toolbar button or popup-menu entry: EVENT_CLICKED to the handler.
    void commandChosen(int commandId) override;
    /// Scales every splitter's position, thickness and limits with the window's DPI.
    void dpiChanged(int oldDpi, int newDpi) override;
    /// A top-level window's menu bar background and title bar (dark where the platform offers it)
    /// follow the theme.
    void themeChanged() override;

private:
    friend class Kwadro;
    friend struct LayoutWalk;
    KWWindow(eStyles style, eWindowType type, int x, int y, int width, int height, const std::string& title,
             KWObject* parent, int id);

    static LRESULT CALLBACK KWWindowCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// Splitters, the minimum size, the themed menu bar and closing; commands go on to DefWindowProcW.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    /// After a resize: each bar follows its second side and the first side follows the bar.
    void alignSplitters();
    /// Stretches each bar over the gadgets of both its sides.
    void recalcSplittersLength();
    /// WM_CLOSE: false when the close handler kept the window open (or deleted it).
    bool closeApproved();
    /// The top-level window with shortcuts whose window is root, or null.
    static KWWindow* withShortcuts(HWND root);
    /// Runs the shortcut for the key and modifiers, if this window has one.
    bool runShortcut(int virtualKey, int modifiers);
    /// Leaves the windows the message loop searches for shortcuts.
    void leaveShortcutWindows();
    /// Ends a drag of a bar (button released or capture lost); a bar the drag moved is reported
    /// (EVENT_CHANGED). False when the handler deleted the window.
    bool endSplitterDrag();
    /// A docked gadget deleted on its own leaves every splitter's sides.
    void forgetGadget(KWObject* gadget) override;
    /// Shows a failure of an addFrom* call, if any.
    static void reportAttachFailure(const char* message);

    /// The splitters, their docked gadgets and the user's drag.
    std::unique_ptr<SplitterBars> bars;
    int minWidth;
    int minHeight;
    HMENU menuBar;
    std::function<bool()> closeHandler;
    std::unique_ptr<shortcuts::ShortcutTable> shortcutTable;
};

} // namespace KW

#endif
