#ifndef KW_OBJECT_H
#define KW_OBJECT_H

#include "KWTypes.h"

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace KW {

/// Base of every gadget: binds one window to one object, owns the child gadgets, and offers geometry,
/// text, visibility, tooltips and lock-to-parent alignment.
class KW_API KWObject {
public:
    virtual ~KWObject();

    virtual void setText(const std::string& text);
    /// Position and size reading: x = left, y = top, width = right, height = bottom.
    virtual void setBounds(const KWBound& bounds);
    virtual void setPosition(const KWBound& bounds);
    virtual void setPosition(int x, int y);
    /// Edge reading; the caller's record is turned into position-and-size reading in place.
    virtual void setPlacement(KWBound& bounds);
    /// At most 99 characters.
    virtual std::string getText() const;
    /// Edges in the parent's client coordinates.
    virtual KWBound getLocalBounds();
    /// The client area as edges: (0, width, 0, height).
    virtual KWBound getGlobalBounds();

    HWND getHandle() const { return handle; }
    void setName(const std::string& text) { name = text; }
    const std::string& getName() const { return name; }
    void setUserValue(int value) { userValue = value; }
    void setUserData(void* data) { userData = data; }
    eGadgetType getType() const { return type; }
    int getId() const { return id; }

    int getChildCount();
    /// Null for an index outside 0 .. getChildCount() - 1.
    KWObject* getChild(int index);

    /// Stored only; the parent's next doAlignment applies it.
    void lockToParent(eLockType lock) { lockType = lock; }
    void setActive(bool active);
    bool isActive();
    void setVisible(bool show);
    bool isVisible() const { return visible; }
    void doAlignment();

    /// Tooltips: ids 0..99, the lowest free one first; -1 when all are taken.
    int addTooltip(const std::string& text);
    int addTooltip(const std::string& text, const KWBound& area);
    void removeTooltip(int id);
    void setTooltipText(int id, const std::string& text);
    void setTooltipPosition(int id, const KWBound& area);
    void setTooltip(int id, const std::string& text, const KWBound& area);

    /// The application's handler for what the user does with this gadget: one per gadget, a later
    /// call replaces it and an empty function removes it. Changes made by the program (setters)
    /// never call it. The handler may call any setter, open a modal dialog, replace or remove
    /// itself, or delete this gadget or its parent.
    void setHandler(const KWHandler& handler);

protected:
    KWObject(eGadgetType type, KWObject* parent, int id);

    static DWORD createStyle(eStyles style);
    static void setDefaultFont(HWND window);
    static LRESULT CALLBACK KWDefaultCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static bool handleDefaults(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    int getFreeTooltipId();

    virtual bool serialize(const std::ofstream& stream);
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
    /// A command id arrived at this gadget's window from a menu (its menu bar or a popup menu shown
    /// with it as owner) or, for a window, from a toolbar on it.
    virtual void commandChosen(int commandId);
    /// Shared with every caller that must learn whether the gadget survived a call: false once the
    /// gadget is deleted.
    std::shared_ptr<const bool> lifeFlag() const { return alive; }

    HWND handle;
    HWND tooltipWindow;
    std::string name;
    KWObject* statusBar;
    int userValue;
    void* userData;
    int id;
    eLockType lockType;
    std::vector<KWObject*> children;
    KWObject* parent;
    eGadgetType type;
    bool visible;
    WNDPROC previousProc;

private:
    KWHandler handler;
    /// Cleared by the destructor; notify keeps a reference across the handler call to learn
    /// whether the gadget survived it.
    std::shared_ptr<bool> alive;

    KWObject(const KWObject&) = delete;
    KWObject& operator=(const KWObject&) = delete;
    void createTooltipWindow();
    int addTool(const std::string& text, const KWBound& area, const char* failureMessage);
    bool updateTool(int id, const std::string* text, const KWBound* area);
};

} // namespace KW

#endif
