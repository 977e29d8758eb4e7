#ifndef KW_TEST_GRID_SUPPORT_H
#define KW_TEST_GRID_SUPPORT_H

#include <KW.h>

#include <memory>
#include <string>
#include <vector>

namespace gridtest {

// A hosted editor as a client might write one: an edit control that records how the grid places it.
class TestEditor : public KW::KWObject {
public:
    static TestEditor* create(KW::KWObject* parent, const std::string& text);

    void setPlacement(KW::KWBound& bounds) override;

    int placements = 0;
    // The edges the grid asked for in the last placement.
    KW::KWBound lastEdges;

private:
    TestEditor(KW::KWObject* parent, const std::string& text);
};

// A shown, topmost frame with a grid in it, for tests that click, drag and scroll with real input.
struct GridWindow {
    explicit GridWindow(int gridWidth = 250, int gridHeight = 200);
    ~GridWindow();

    std::unique_ptr<KW::KWWindow> window;
    KW::KWProperties* grid = nullptr;

    HWND list() const { return grid->getHandle(); }
    HWND header() const;

    // Adds a group with items "<prefix>1".."<prefix>count", each hosting a TestEditor whose text is
    // "v:<item name>".
    KW::KWGroupItem* addGroup(const std::string& name, int count, const std::string& prefix,
                              std::vector<TestEditor*>* editors = nullptr);
};

// First-column texts of every row, top to bottom.
std::vector<std::string> rowTexts(HWND list);
std::string cellText(HWND list, int row, int column);
int rowImage(HWND list, int row);
int rowCount(HWND list);
int selectedRow(HWND list);
int columnWidth(HWND list, int column);
// The value cell of a row, in the list view's client coordinates (edges).
KW::KWBound valueCell(HWND list, int row);
// Middle of a row's cell, in the list view's client coordinates.
POINT cellCentre(HWND list, int row, int column);
bool isShown(KW::KWObject* gadget);

// Real mouse input at a point of a window's client area, each step followed by pumping. Two clicks in
// a row at the same point within the double-click time make a double click.
void click(HWND window, POINT point);
void doubleClick(HWND window, POINT point);
void drag(HWND window, POINT from, POINT to);
void wheel(HWND window, POINT point, int delta);

} // namespace gridtest

#endif
