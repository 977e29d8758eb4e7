#ifndef KW_DOCK_STATE_H
#define KW_DOCK_STATE_H

#include "KWDock.h"
#include "KWHeader.h"

#include "windows/logic/DockTree.h"

#include <functional>
#include <string>
#include <vector>

namespace KW {

// The mechanics of a KWDock: its tree, the panes' windows, the floating tool windows, the tab strips
// and the drags. KWDock's methods check and forward; the window procedures decode and call here.
struct DockState {
    // The band's buttons, from the right.
    enum Button { CloseButton = 0, MaximizeButton = 1, HideButton = 2, ButtonCount = 3 };

    struct Pane {
        KWHeader* header = nullptr;
        int number = 0; // the pane's number in the tree
        int flags = DOCKPANE_DEFAULT;
        HWND floatWindow = nullptr;
        HWND buttons[ButtonCount] = {nullptr, nullptr, nullptr};
    };

    // A pane dragged by its band, a tab, or a floating caption.
    struct PaneDrag {
        int pane = dock::noPane;
        POINT start = {0, 0};
        bool active = false;
        HWND capture = nullptr; // the window holding the capture; null for a caption drag
        dock::Drop drop;
        bool outside = false; // released there, it floats
        KWBound previewRect;
    };

    explicit DockState(KWDock& owner) : dock(owner) {}

    KWDock& dock;
    dock::DockTree tree;
    std::vector<Pane> panes;
    KWObject* center = nullptr;
    bool locked = false;
    // Splits keep their shares of the dock as it changes size; sized is the size last laid out.
    bool proportional = false;
    SIZE sized = {0, 0};
    int nextNumber = 0;
    std::function<bool(KWHeader*)> closeHandler;
    std::vector<HWND> tabStrips;
    std::vector<std::vector<int>> tabStripPanes;
    PaneDrag drag;
    // The translucent rectangle of the drags, made once and hidden between them.
    HWND preview = nullptr;
    // A splitter drag: the gap's index in the last arrangement, -1 when none.
    int gapDragged = -1;
    int hoveredGap = -1;
    int gapStartSize = 0;
    dock::Arrangement arranged;
    bool laying = false;

    Pane* find(KWHeader* header);
    const Pane* find(KWHeader* header) const;
    Pane* byNumber(int number);
    Pane* byWindow(HWND window); // the pane whose window, float window or band button it is
    KWBound clientArea() const;
    dock::Metrics metrics() const;

    // Places every window after a change of the tree: panes, centre, tab strips, buttons, floats.
    void layout();
    // The dock's new client size: the splits keep their shares when proportional, then the layout.
    void resized(int width, int height);
    void placeTabStrips();
    void placeButtons(Pane& pane, bool docked);
    void updateFloat(Pane& pane);
    void destroyFloat(Pane& pane);
    void fitOnWorkArea(KWBound& screenRect) const;

    // What the user did: the tree changes, the layout follows, the handler hears. False when the
    // handler deleted the dock.
    bool userChanged(int pane);
    bool applyDrop(int pane, const dock::Drop& drop);

    // Band and caption drags.
    // A press on a band or tab; a double-click (by the window's class or by time and place) floats or
    // docks back instead.
    void beginPress(int pane, HWND capture, POINT screen, bool doubleClick = false);
    void dragTo(POINT screen);
    bool finishDrag(POINT screen);
    void cancelDrag();
    void showPreview(const KWBound& screenRect);

    // Splitters.
    int gapAt(int x, int y) const;
    void setGapCursor(int gap) const;

    // Title band buttons and double-clicks.
    bool pressButton(Pane& pane, Button button);
    bool toggleFloat(Pane& pane);
    bool userClose(Pane& pane);
    bool allowed(const Pane& pane, int forbidding) const;

    // Keys: true when the key was used.
    bool key(UINT vk, bool ctrl, bool shift, bool alt);
    int focusedPane() const;
    void focusPane(int pane);
    // The strips of auto-hidden panes.
    void paintStrips(HDC dc);
    bool clickStrip(int x, int y);
    void slideBack();

    void removePane(KWHeader* header);
    // Takes a pane's window: its band drags and double-clicks, its buttons' commands.
    void adopt(Pane& pane);
    // The dock goes: its keys are no longer watched.
    void leave();

    // Thin procedures: each decodes a message and calls one of the methods above.
    static LRESULT CALLBACK paneProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data);
    static LRESULT CALLBACK stripProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data);
    static LRESULT CALLBACK floatProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // The dock's keys wherever the focus is inside it, and the click that slides a pane back.
    static LRESULT CALLBACK messageHook(int code, WPARAM wParam, LPARAM lParam);
    static std::vector<DockState*>& live();

    // The last press on a band, for double-clicks.
    int lastPressPane = dock::noPane;
    DWORD lastPressTime = 0;
    POINT lastPressAt = {0, 0};
    std::string titleOf(int pane);
};

} // namespace KW

#endif
