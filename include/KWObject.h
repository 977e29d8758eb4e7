#ifndef KW_OBJECT_H
#define KW_OBJECT_H

#include "KWTypes.h"

#include <commctrl.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace KW {

class DeletionWatch;
class KWImageList;
struct AccessibleAccess;

/// What a screen reader is told of a gadget or of one of its parts (see KWObject::describeAccessible).
struct KW_API KWAccessibleElement {
    long role = 0;              ///< a ROLE_SYSTEM_ value of <oleacc.h>
    std::string name;           ///< what the element is called
    std::string value;          ///< what it holds, empty when nothing
    long state = 0;             ///< STATE_SYSTEM_ flags
    std::string defaultAction;  ///< what accDoDefaultAction does, empty when nothing
    RECT screen = {0, 0, 0, 0}; ///< where it is, in screen coordinates
};

/// Base of every gadget: binds one window to one object, owns the child gadgets, and offers geometry,
/// text, visibility, tooltips and lock-to-parent alignment. Texts are in the process's ANSI code page
/// (UTF-8 in a program whose manifest says so); the gadgets' windows are Unicode windows.
class KW_API KWObject {
public:
    virtual ~KWObject();

    /// Replaces the window text: the caption of a button or window, the content of an edit.
    virtual void setText(const std::string& text);
    /// Position and size reading: x = left, y = top, width = right, height = bottom.
    virtual void setBounds(const KWBound& bounds);
    /// Moves the gadget to (bounds.left, bounds.top) in the parent's client coordinates; size unchanged.
    virtual void setPosition(const KWBound& bounds);
    /// Moves the gadget to (x, y) in the parent's client coordinates; size unchanged.
    virtual void setPosition(int x, int y);
    /// Edge reading; the caller's record is turned into position-and-size reading in place.
    virtual void setPlacement(KWBound& bounds);
    /// At most 99 characters (UTF-16 units), never half of one.
    virtual std::string getText() const;
    /// Edges in the parent's client coordinates.
    virtual KWBound getLocalBounds();
    /// The client area as edges: (0, width, 0, height).
    virtual KWBound getGlobalBounds();

    /// The gadget's window; null when its creation was refused.
    HWND getHandle() const { return handle; }
    /// The name a screen reader announces for the gadget. A name set here stays when the text changes.
    void setAccessibleName(const std::string& name);
    /// The name given to setAccessibleName, else the gadget's text.
    std::string getAccessibleName() const;
    /// A name for the application's own use; the library does not read it.
    void setName(const std::string& text) { name = text; }
    /// The name given with setName, "" at first.
    const std::string& getName() const { return name; }
    /// An int for the application's own use, 0 at first; the library does not read it.
    void setUserValue(int value) { userValue = value; }
    /// A pointer for the application's own use, null at first; the library neither reads nor frees it.
    void setUserData(void* data) { userData = data; }
    /// Which kind of gadget this is.
    eGadgetType getType() const { return type; }
    /// The id given at creation.
    int getId() const { return id; }

    /// The dots per inch of the display the gadget's window is on (the window's own where the platform
    /// tells it, else the screen's). A process that has not declared itself DPI-aware sees 96.
    int getDpi() const;
    /// A length given at 96 dots per inch, in pixels at getDpi(), rounded to the nearest pixel: lay out
    /// a client's own gadgets in the same units as the library.
    int scale(int pixelsAt96) const;

    /// The number of child gadgets: those created with this gadget as parent and not yet deleted.
    int getChildCount();
    /// Null for an index outside 0 .. getChildCount() - 1.
    KWObject* getChild(int index);

    /// Stored only; the parent's next doAlignment applies it.
    void lockToParent(eLockType lock) { lockType = lock; }
    /// Enables (true) or disables (false) the gadget's window for mouse and keyboard input.
    void setActive(bool active);
    /// Whether the gadget's window accepts input.
    bool isActive();
    /// Shows or hides the gadget's window and records the state for isVisible.
    void setVisible(bool show);
    /// The state last given to setVisible (true at creation).
    bool isVisible() const { return visible; }
    /// Places every child gadget by its lock type within the client area, less the status bar if there is
    /// one; runs on every WM_SIZE.
    void doAlignment();

    /// Tooltips: ids 0..99, the lowest free one first; -1 when all are taken.
    int addTooltip(const std::string& text);
    /// A tooltip shown over area only (edges in client coordinates); the id, or -1 when all are taken.
    int addTooltip(const std::string& text, const KWBound& area);
    /// Removes the tooltip with that id; its id becomes free again.
    void removeTooltip(int id);
    /// Replaces the text of an existing tooltip.
    void setTooltipText(int id, const std::string& text);
    /// Moves an existing tooltip to area (edges in client coordinates).
    void setTooltipPosition(int id, const KWBound& area);
    /// Replaces both the text and the area of an existing tooltip.
    void setTooltip(int id, const std::string& text, const KWBound& area);

    /// The application's handler for what the user does with this gadget: one per gadget, a later
    /// call replaces it and an empty function removes it. Changes made by the program (setters)
    /// never call it. The handler may call any setter, open a modal dialog, replace or remove
    /// itself, or delete this gadget or its parent.
    void setHandler(const KWHandler& handler);

protected:
    /// Registers the gadget as the parent's child (as its status bar for GADGET_STATUS); the subclass then
    /// creates the window and calls attachWindow.
    KWObject(eGadgetType type, KWObject* parent, int id);

    /// The window style bits for a child gadget: child and visible, with a sizing border for STYLE_SIZABLE.
    static DWORD createStyle(eStyles style);
    /// Gives a window the system's default GUI font.
    static void setDefaultFont(HWND window);
    /// The window procedure of gadgets without their own; forwards to routeMessage.
    static LRESULT CALLBACK KWDefaultCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The one window procedure of every gadget's window (and of the windows of its parts whose user
    /// data names it). In this order: serves WM_GETOBJECT where the gadget describes itself, delivers
    /// the reports the gadget posted itself, runs handleDefaults and answerForControl where
    /// routingSteps asks for them, then hands the message to the gadget's handleWindowMessage.
    static LRESULT CALLBACK routeMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The shared steps routeMessage takes for a gadget's windows before handleWindowMessage.
    enum RoutingStep : unsigned {
        ROUTE_DEFAULTS = 1,        ///< handleDefaults: focus, tooltips, DPI, commands and notifications
        ROUTE_ALIGNMENT = 2,       ///< within handleDefaults, doAlignment on WM_SIZE
        ROUTE_CONTROL_ANSWERS = 4, ///< answerForControl for the gadget's child controls
        ROUTE_ALL = ROUTE_DEFAULTS | ROUTE_ALIGNMENT | ROUTE_CONTROL_ANSWERS ///< every shared step
    };
    /// The RoutingStep flags this gadget's windows take; ROUTE_ALL by default. A gadget over a platform
    /// control that handles its own input takes none.
    virtual unsigned routingSteps() const;
    /// The gadget's own handling of a message of window (its own or one of its parts'), after the shared
    /// steps. The default ends WM_COMMAND (the default handling has delivered it) and passes every other
    /// message on with passOn.
    virtual LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The procedure the gadget replaced on its own window (previousProc), else DefWindowProcW.
    LRESULT passOn(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// A child control's question that needs an answer from its parent's procedure: WM_CTLCOLOR* under a
    /// theme other than light (the theme's colours are set on the control's device context and result
    /// is the background brush) and NM_CUSTOMDRAW the sending gadget answers (customDraw). Returns
    /// false when the platform's own answer stands.
    static bool answerForControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    /// Handling shared by every gadget's window: alignment on WM_SIZE (where routingSteps asks for it),
    /// focus on a button press, tooltips, and the routing of control notifications and commands to the
    /// gadgets they belong to. Returns true when a gadget's handler may have run (a command or a
    /// notification reached its gadget, the focus moved, or a DPI change was reported): any gadget, the
    /// window's own included, may then be gone, and the caller looks it up again.
    static bool handleDefaults(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The lowest tooltip id (0 to 99) not in use, or -1.
    int getFreeTooltipId();

    /// Writes the gadget's state to a stream; false when the gadget has nothing to write (the default).
    virtual bool serialize(const std::ofstream& stream);
    /// Reads the gadget's state from a stream; false when the gadget reads nothing (the default).
    virtual bool deSerialize(const std::ifstream& stream);

    /// The gadget stored in a window's user data, or null.
    static KWObject* fromHandle(HWND window);
    /// Shows a gadget error: caption "KW Error", MB_ICONERROR, no owner.
    static void showError(const std::string& text);
    /// The first step of every create factory: false, after the message, when there is no parent.
    static bool requireParent(const KWObject* parent, const std::string& message);
    /// Binds a newly created window to this gadget: user data and previousProc. Without a window,
    /// shows failureMessage and leaves handle null.
    bool attachWindow(HWND window, const std::string& failureMessage);
    /// Replaces the window procedure, keeping the replaced one in previousProc.
    void subclassWindow(WNDPROC procedure);
    /// The parent's window, or null.
    HWND parentHandle() const;

    /// Reports a user action to the handler as {type, this, param1, 0}. Returns false when the handler
    /// deleted this gadget: the caller must then leave every member alone and return at once.
    bool notify(eEventType type, int param1);
    /// A control owned by this gadget reported a WM_COMMAND notification code to its parent window.
    virtual void controlNotified(int code);
    /// A command (WM_COMMAND) from this gadget's control reached receiver, the gadget of the control's
    /// parent window (null where that window is no gadget). The default passes the notification code to
    /// controlNotified; a gadget that relays commands (a toolbar) passes commandId to the receiver.
    virtual void controlCommand(KWObject* receiver, int commandId, int code);
    /// A notification (WM_NOTIFY) from this gadget's control, or from a window whose user data names
    /// this gadget, reached the control's parent window. The default does nothing.
    virtual void controlNotify(const NMHDR* header, LPARAM lParam);
    /// Gives receiver commandId as commandChosen: for gadgets that relay commands to another.
    static void relayCommand(KWObject* receiver, int commandId);
    /// A command id arrived at this gadget's window from a menu (its menu bar or a popup menu shown
    /// with it as owner) or, for a window, from a toolbar on it.
    virtual void commandChosen(int commandId);
    /// The DPI of the gadget's window changed from oldDpi to newDpi: its top-level window heard
    /// WM_DPICHANGED. By then the gadget's bounds are scaled by newDpi / oldDpi and its windows show the
    /// library's fonts at newDpi; a gadget with metrics of its own recomputes them here. The default
    /// does nothing.
    virtual void dpiChanged(int oldDpi, int newDpi);
    /// Kwadro::setTheme changed the colours (Kwadro::getTheme); the library repaints every window
    /// afterwards. A gadget that hands colours to a platform control passes them on here. The default
    /// does nothing.
    virtual void themeChanged();
    /// A custom-draw stage of the gadget's control (or of a control whose notifications it takes). Return
    /// true with the answer in result to draw it differently; the default returns false, and the
    /// control draws as usual.
    virtual bool customDraw(NMCUSTOMDRAW* draw, LRESULT& result);
    /// Describes the gadget (child 0) or one of its parts (children 1 to accessibleChildCount()) to
    /// screen readers. A gadget that draws itself returns true for child 0 and is then served through
    /// WM_GETOBJECT; the default describes nothing, leaving standard controls to the platform.
    virtual bool describeAccessible(int child, KWAccessibleElement& element) const;
    /// The number of parts describeAccessible describes; 0 by default.
    virtual int accessibleChildCount() const;
    /// Carries out the default action of child (0: the gadget); false when it has none (the default).
    virtual bool doAccessibleDefault(int child);
    /// The gadget's window rectangle on the screen, where describeAccessible places child 0.
    RECT screenRect() const;
    /// A gadget this one points to without owning it as a child (a docked gadget, a hosted editor, a
    /// page, a window to disable) is being deleted: drop every pointer to it. Heard only after
    /// watchDeletions; the address is only to be compared, never used. The default does nothing.
    virtual void forgetGadget(KWObject* gadget);
    /// An image list this gadget may show is being deleted: take it off the control and forget it.
    /// Heard only after watchDeletions. The default does nothing.
    virtual void forgetImageList(KWImageList* list);
    /// From now on, until this gadget is deleted, every gadget and image list deleted anywhere is
    /// announced to it (forgetGadget, forgetImageList). Calling it again changes nothing.
    void watchDeletions();
    /// Shared with every caller that must learn whether the gadget survived a call: false once the
    /// gadget is deleted.
    std::shared_ptr<const bool> lifeFlag() const { return alive; }

    /// The gadget's window, null when creation was refused.
    HWND handle;
    /// The tooltip control, created with the first tooltip.
    HWND tooltipWindow;
    /// See setName.
    std::string name;
    /// The status bar child that doAlignment keeps clear, or null.
    KWObject* statusBar;
    /// See setUserValue.
    int userValue;
    /// See setUserData.
    void* userData;
    /// The id given at creation.
    int id;
    /// How the parent's doAlignment places this gadget.
    eLockType lockType;
    /// The child gadgets in creation order; owned, deleted with this gadget.
    std::vector<KWObject*> children;
    /// The parent gadget, or null for a top-level window.
    KWObject* parent;
    /// See getType.
    eGadgetType type;
    /// See isVisible.
    bool visible;
    /// The window procedure replaced by subclassWindow, or the class's own; messages end there.
    WNDPROC previousProc;

private:
    friend class DeletionWatch;
    friend struct AccessibleAccess;
    friend class Kwadro;
    /// Takes the window away from this gadget before the gadget's own parts go: its messages end in
    /// the procedure it had before the gadget subclassed it, and it no longer names the gadget.
    void releaseWindow();
    /// Gives up the mouse capture and the keyboard focus where this gadget's window or one under it
    /// holds them: the focus goes to the parent's window.
    void releaseInput();

    KWHandler handler;
    /// Set by watchDeletions.
    bool watching = false;
    /// Cleared by the destructor; notify keeps a reference across the handler call to learn
    /// whether the gadget survived it.
    std::shared_ptr<bool> alive;
    std::string accessibleName;
    bool accessiblyNamed = false;

    KWObject(const KWObject&) = delete;
    KWObject& operator=(const KWObject&) = delete;
    void createTooltipWindow();
    /// Gives the tooltip window the wrapping width for the gadget's current DPI.
    void fitTooltipsToDpi();
    /// After a DPI change: the tip's font and wrapping width, and every tool's area, at newDpi.
    void followDpiWithTooltips(int oldDpi, int newDpi);
    /// A top-level window moved to a display of another DPI: takes the suggested rectangle, scales
    /// every gadget under it and its fonts, lays it out again and reports EVENT_DPICHANGED.
    void applyDpiChange(int newDpi, const RECT* suggested);
    void scaleSubtree(int oldDpi, int newDpi);
    int addTool(const std::string& text, const KWBound& area, const char* failureMessage);
    bool updateTool(int id, const std::string* text, const KWBound* area);
};

} // namespace KW

#endif
