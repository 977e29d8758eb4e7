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
/// middle button.
class KW_API KWFloatGraph : public KWObject {
public:
    /// style is ignored. A null parent gives a message box and null.
    static KWFloatGraph* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWFloatGraph() override;

    /// Pans by (dx, dy) pixels; the repaint follows with the next message the gadget handles.
    void moveView(int dx, int dy);
    /// One zoom step about the current mouse position, also when the mouse is outside the gadget.
    void zoomIn();
    /// One zoom step out about the current mouse position, also when the mouse is outside the gadget.
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
    /// Both curves at x, interpolated linearly between the neighbouring keys in x order; outside
    /// the keys, the nearest end key's values.
    KWGraphSample evaluate(float x) const;

private:
    KWFloatGraph(int x, int y, int width, int height, KWObject* parent, int id);

    static LRESULT CALLBACK KWFloatGraphCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void handleMouseMove(WPARAM keys, int x, int y);
    void updateCursor(int clientX, int clientY);
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

    float scale;
    float originX;
    float originY;
    int viewX;
    int viewY;
    float cursorX;
    float cursorY;
    int pickRadius;
    int labelStep;
    bool dragging;
    bool dirty;
    int lastMouseX;
    int lastMouseY;
    std::vector<KWGraphPoint> points;
};

} // namespace KW

#endif
