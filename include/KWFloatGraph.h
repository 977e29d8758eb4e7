#ifndef KW_FLOAT_GRAPH_H
#define KW_FLOAT_GRAPH_H

#include "KWGraphPoint.h"
#include "KWObject.h"

#include <vector>

namespace KW {

/// An editor for a pair of piecewise-linear curves over 0 to 100. Every key carries an upper and a
/// lower value. The user selects a key with a button press, drags it (left button: the whole key;
/// right button: its lower value; Shift keeps x, Control keeps y), inserts keys with a left double
/// click, deletes the selected key with Delete, makes the lower value equal to the upper one with a
/// right double click (Home: on every key), zooms with the wheel about the mouse and pans with the
/// middle button. The horizontal and the vertical axis have scales of their own (pixels per data unit):
/// they start equal, framing fits each axis to the keys on its own, and zooming scales both alike.
///
/// Keyboard, while the graph has the focus (a click gives it; a frame in the highlight colour over the
/// client edge shows it): Tab and Shift+Tab select the next and the previous key by position; the
/// arrow keys move the selected key by one pixel's worth of data at the current zoom (ten with Shift),
/// within 0 to 100 and with both values at 0 or above, the end keys keeping their positions; F frames
/// all keys in the view; Delete and Home as above; Ctrl+Tab leaves the graph. Ctrl+C puts the keys on the
/// clipboard as text and Ctrl+V replaces them from such text, which must pass the same check as setPoints
/// (otherwise nothing changes and the graph beeps). The text has one key per line, in vector order, ended by
/// CR LF: position, upper value and lower value as the graph shows them (-y1 and -y2), separated by tabs,
/// e.g. "0\t12.5\t3\r\n". Reading also accepts spaces between the numbers, LF line ends and blank lines.
///
/// The handler hears of the user's edits once the picture shows them: EVENT_CHANGING for each move
/// of a drag that changes a key, then EVENT_CHANGED when the drag's last button is released; and
/// EVENT_CHANGED for an insertion, a deletion, a right double click, Home, an arrow key or a paste
/// that changed something.
/// param1 is the edited key's index in getPoints() (for a deletion, the index the key had), or -1
/// when several keys changed.
class KW_API KWFloatGraph : public KWObject {
public:
    /// style is ignored. A null parent gives a message box and null.
    static KWFloatGraph* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWFloatGraph() override;

    /// Pans by (dx, dy) pixels; the repaint follows with the next message the gadget handles.
    void moveView(int dx, int dy);
    /// One zoom step about the current mouse position, also when the mouse is outside the gadget. Both
    /// scales grow in proportion; when one of them reaches its limit, neither grows further.
    void zoomIn();
    /// One zoom step out about the current mouse position, also when the mouse is outside the gadget.
    /// Both scales shrink in proportion, until one of them reaches its limit.
    void zoomOut();
    /// The last known mouse position in data units (y is negative above the horizontal axis).
    float getCursorX() const { return cursorX; }
    /// The y of the last known mouse position in data units (negative above the horizontal axis).
    float getCursorY() const { return cursorY; }
    /// Inserts a key at data (x, y); a key meant to show the value v takes y = -v. Ignored outside
    /// 0 <= x <= 100, with y > 0, or with a value that is not a finite number.
    void insertPoint(float x, float y);
    /// Deletes the selected key unless it is one of the two fixed end keys.
    void deleteSelected();

    /// The keys in the order they are drawn. Dragging can leave them out of x order.
    const std::vector<KWGraphPoint>& getPoints() const { return points; }
    /// Replaces the keys and repaints. Refused (false, nothing changed) unless there are at least two
    /// keys, sorted by x, the first at 0 and the last at 100, every value finite with 0 <= x <= 100
    /// and y1 <= y2 <= 0. The graph decides the flags: the first and last keys become the fixed
    /// ones, and no key stays selected.
    bool setPoints(const std::vector<KWGraphPoint>& keys);
    /// Zooms and pans so that the keys fill the view, as the F key does: the horizontal scale fits the
    /// keys' positions and the vertical scale their values, each on its own (a curve whose values are
    /// all equal takes the horizontal scale for both). A view change: no handler call.
    void frameKeys();
    /// Both curves at x, interpolated linearly between the neighbouring keys in x order; outside
    /// the keys, the nearest end key's values.
    KWGraphSample evaluate(float x) const;

protected:
    /// Takes the marker size and pick radius of the new DPI.
    /// Described to screen readers with one child per key, in position order.
    bool describeAccessible(int child, KWAccessibleElement& element) const override;
    int accessibleChildCount() const override;
    void dpiChanged(int oldDpi, int newDpi) override;

private:
    KWFloatGraph(int x, int y, int width, int height, KWObject* parent, int id);

    static LRESULT CALLBACK KWFloatGraphCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The editor handles its own focus and input; no shared steps.
    unsigned routingSteps() const override;
    /// Keys, mouse, paint and the view's frame.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void handleMouseMove(WPARAM keys, int x, int y);
    void updateCursor(int clientX, int clientY);
    /// The keyboard's editing keys; true when the keys changed.
    bool handleKey(WPARAM key);
    void selectNext(bool forward);
    bool nudge(float dx, float dy);
    bool pasteKeys();
    void zoom(bool in);

    void initGraph();
    void selectPoint(float x, float y);
    void movePoints1(float dx, float dy);
    void movePoints2(float dx, float dy);
    void resetSelected();
    void resetPoints();

    void paint();
    void drawGrid(HDC hdc);
    void drawLines(HDC hdc);
    void drawMargins(HDC hdc);

    float scale;  // horizontal pixels per data unit
    float scaleY; // vertical pixels per data unit
    float originX;
    float originY;
    int viewX;
    int viewY;
    float cursorX;
    float cursorY;
    int pickRadius;
    int labelStep;  // data units between the position labels
    int labelStepY; // and between the value labels
    bool dragging;
    bool dirty;
    int lastMouseX;
    int lastMouseY;
    bool dragReported; // the current drag has moved keys
    int dragIndex;     // what its last move reported
    std::vector<KWGraphPoint> points;
};

} // namespace KW

#endif
