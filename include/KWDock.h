#ifndef KW_DOCK_H
#define KW_DOCK_H

#include "KWObject.h"

#include <functional>
#include <memory>
#include <vector>

namespace KW {

class KWHeader;
struct DockState;

/// Docked panes around a centre that the user rearranges: panes (KWHeader children of the dock, whose
/// title band is the handle) are split beside each other or stacked as tabs, dragged to another place,
/// floated in tool windows, closed and shown again in the same place, maximized, or hidden on a strip
/// along the dock's edge.
///
/// The user drags a pane by its title band (a translucent rectangle shows where it would go; Escape or
/// the right button cancels), resizes panes with the splitters between them, uses the band's close,
/// maximize and auto-hide buttons, double-clicks a band or a floating caption to float or dock back,
/// and moves the focus with Ctrl+Tab and Ctrl+Shift+Tab or a pane to a side with Alt+Shift+arrows.
/// After each such change the handler gets EVENT_CHANGED with the pane's id (for a splitter drag, the
/// splitter's index in layout order); calls of the program never report. KWWindow::saveLayout and
/// restoreLayout keep the arrangement.
class KW_API KWDock : public KWObject {
public:
    /// Null, after a message, without a parent.
    static KWDock* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWDock() override;

    /// A child of the dock that fills what the panes leave; it is never moved by the user. Null takes
    /// the centre away. False for a gadget that is not a child of the dock, or a pane.
    bool setCenter(KWObject* center);
    /// Puts a pane at side of target (null: of the whole dock) with an extent of size pixels across the
    /// split (ignored for DOCK_TAB, which joins the target's tab group). False, with nothing changed,
    /// for a pane that is not a header child of the dock, a target not in the dock, DOCK_TAB without a
    /// target, or the pane as its own target. A pane added again is moved.
    bool addPane(KWHeader* pane, eDockSide side, int size, KWHeader* target = nullptr);
    /// Moves a pane as a drop does; as addPane, and false for a pane that DOCKPANE_NO_MOVE forbids.
    bool movePane(KWHeader* pane, eDockSide side, int size, KWHeader* target = nullptr);
    /// Floats a pane in a tool window whose client area is screenRect (left, right, top, bottom in screen
    /// coordinates), kept on a monitor's work area. False for DOCKPANE_NO_FLOAT or a pane not in the dock.
    bool floatPane(KWHeader* pane, const KWBound& screenRect);
    /// Whether the pane floats in a tool window (closed or not).
    bool isFloating(KWHeader* pane) const;
    /// Hides the pane; showPane brings it back in the same place. False for DOCKPANE_NO_CLOSE, a pane
    /// already closed or not in the dock. The close handler is not asked.
    bool closePane(KWHeader* pane);
    /// Shows a pane back in its last place, docked, floating or auto-hidden; its tab is chosen.
    bool showPane(KWHeader* pane);
    /// False for a closed pane or one not in the dock.
    bool isPaneShown(KWHeader* pane) const;
    /// The pane fills the dock, alone, until restorePanes. False for a pane not docked and shown.
    bool maximizePane(KWHeader* pane);
    /// Ends maximizePane.
    void restorePanes();
    /// The maximized pane, or null.
    KWHeader* getMaximizedPane() const;
    /// Collapses a docked pane to a tab button on the strip of its side of the dock (true), or puts it
    /// back in the layout (false). False when nothing changed.
    bool setAutoHide(KWHeader* pane, bool autoHide);
    /// Whether the pane is collapsed to its strip.
    bool isAutoHidden(KWHeader* pane) const;
    /// eDockPaneFlags combined; the band's buttons that a flag forbids are hidden.
    void setPaneFlags(KWHeader* pane, int flags);
    /// While locked the user can no longer move, float or close panes; the program still can.
    void setLocked(bool locked);
    /// See setLocked.
    bool isLocked() const;
    /// While on, every split keeps its share of the dock as the dock changes size, so the panes grow and
    /// shrink with the window; off (the default), panes keep their sizes and the centre takes the change.
    void setProportional(bool proportional);
    /// See setProportional.
    bool isProportional() const;
    /// Every pane, in the order added.
    std::vector<KWHeader*> getPanes() const;
    /// Asked before the user's close button closes a pane: false keeps it. Empty: always closes.
    void setCloseHandler(const std::function<bool(KWHeader*)>& handler);

protected:
    /// A pane or the centre deleted on its own leaves the layout, which closes the gap.
    void forgetGadget(KWObject* gadget) override;
    /// The metrics and floating windows follow the new DPI.
    void dpiChanged(int oldDpi, int newDpi) override;

private:
    KWDock(int x, int y, int width, int height, KWObject* parent, int id);

    friend struct DockState;
    friend struct LayoutWalk;
    /// The layout text of the panes (the dock entry of KWWindow::saveLayout), keys relative to the dock.
    std::string saveDockLayout() const;
    /// Applies a text of saveDockLayout; false, with nothing changed, for a malformed one. Panes it does
    /// not name keep their place; panes it names that no longer exist are skipped.
    bool restoreDockLayout(const std::string& text);
    /// Every shared step: the dock's own children (the centre among them) send it their commands and
    /// notifications, and children locked to it follow its size.
    unsigned routingSteps() const override;
    /// Splitter drags, the strips of auto-hidden panes, tab choices and the layout on a new size.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::unique_ptr<DockState> state;
};

} // namespace KW

#endif
