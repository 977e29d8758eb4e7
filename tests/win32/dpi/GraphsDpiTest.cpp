#include "DpiRun.h"
#include "PaintProbe.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255); // what the label bands show under Wine

KWGraphPoint level(float x) {
    KWGraphPoint key;
    key.x = x;
    key.y1 = -10.0f;
    key.y2 = -10.0f;
    return key;
}

// Pixels of colour in a client row from left to right (exclusive), or in a run from (x, y) stepping
// by (dx, dy) while the colour lasts.
int countInRow(HWND window, int y, int left, int right, COLORREF colour) {
    int count = 0;
    for (int x = left; x < right; ++x) {
        count += kwtest::pixelAt(window, x, y) == colour ? 1 : 0;
    }
    return count;
}

int run(HDC dc, int x, int y, int dx, int dy, COLORREF colour) {
    int count = 0;
    while (count < 1000 && GetPixel(dc, x + count * dx, y + count * dy) == colour) {
        ++count;
    }
    return count;
}

// The bounds of dark (text) pixels within area; empty when there are none.
RECT inkIn(HDC dc, const RECT& area) {
    RECT ink = {area.right, area.bottom, area.left - 1, area.top - 1};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128) {
                ink = {std::min(ink.left, static_cast<LONG>(x)), std::min(ink.top, static_cast<LONG>(y)),
                       std::max(ink.right, static_cast<LONG>(x)), std::max(ink.bottom, static_cast<LONG>(y))};
            }
        }
    }
    return ink;
}

// A curve editor with three keys level at -10, panned so that the middle one lies at client (150, 90),
// above a gradient editor with a green key at 50 (client x 50) between grey end keys.
struct Editors {
    std::unique_ptr<KWWindow> frame;
    KWFloatGraph* graph;
    KWColorEdit* colors;
    HWND graphWindow;
    HWND colorWindow;

    Editors() {
        frame.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, kwtest::atRunDpi(320),
                                     kwtest::atRunDpi(260), "Editors", nullptr, 0));
        graph = KWFloatGraph::create(STYLE_DEFAULT, 10, 10, kwtest::atRunDpi(280), kwtest::atRunDpi(150),
                                     frame.get(), 1);
        colors = KWColorEdit::create(STYLE_DEFAULT, 10, kwtest::atRunDpi(170), kwtest::atRunDpi(280),
                                     kwtest::atRunDpi(60), frame.get(), nullptr);
        graphWindow = graph->getHandle();
        colorWindow = colors->getHandle();
        graph->setPoints({level(0), level(50), level(100)});
        graph->moveView(100, 100);
        const KWColor grey(128, 128, 128, 255);
        const KWColor green(0, 255, 0, 255);
        colors->setPoints({KWColorPoint(0, grey, grey, true), KWColorPoint(50, green, green),
                           KWColorPoint(100, grey, grey, true)});
        SetForegroundWindow(frame->getHandle());
        repaint();
    }
    ~Editors() { kwtest::mouseInput(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MIDDLEUP); }

    void repaint() {
        for (HWND window : {graphWindow, colorWindow}) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        }
        kwtest::pumpMessages();
    }
    // A left press at a client point dragged to another and released, as real input; a middle click
    // first keeps two presses in a row from making a double click.
    void drag(HWND window, int fromX, int fromY, int toX, int toY) {
        kwtest::moveMouseTo(window, fromX, fromY);
        kwtest::mouseInput(MOUSEEVENTF_MIDDLEDOWN);
        kwtest::mouseInput(MOUSEEVENTF_MIDDLEUP);
        kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
        kwtest::moveMouseTo(window, toX, toY);
        kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
        repaint();
    }
    void click(HWND window, int x, int y) { drag(window, x, y, x, y); }

    // The side of the selected curve key's red marker (row 89 misses the curve at 90) and the width of
    // the green key's swatch.
    int markerSide() const { return countInRow(graphWindow, 89, 110, 190, kRed); }
    int swatchWidth() const { return countInRow(colorWindow, 2, 0, 120, kGreen); }

    void moveToDpi(int newDpi) {
        kwtest::moveToDpi(frame.get(), newDpi);
        repaint();
    }
};

} // namespace

TEST(GraphsDpi, MarkersSwatchesBandsAndFocusMarkScale) {
    Editors editors;
    editors.click(editors.graphWindow, 150, 90);
    ASSERT_TRUE(editors.graph->getPoints()[1].selected);
    const SIZE graphClient = kwtest::clientSize(editors.graphWindow);
    const SIZE colorClient = kwtest::clientSize(editors.colorWindow);

    const int inset = kwtest::atRunDpi(2) - 2;
    HDC graphDc = GetDC(editors.graphWindow);
    HDC colorDc = GetDC(editors.colorWindow);
    HDC frameDc = GetWindowDC(editors.graphWindow);
    const struct {
        const char* what;
        int measured;
        int at96;
    } rows[] = {
        {"curve marker side", editors.markerSide(), 6},
        {"gradient swatch width", editors.swatchWidth(), 10},
        // Between the labels: the bottom bands at x 125 and 25, the left band at y 25; inside the part
        // of the focus mark that lies on the client.
        {"curve bottom band", inset + run(graphDc, 125, graphClient.cy - 1 - inset, 0, -1, kWhite), 20},
        {"curve left band", inset + run(graphDc, inset, 25, 1, 0, kWhite), 50},
        {"gradient band", run(colorDc, 25, colorClient.cy - 1, 0, -1, kWhite), 20},
        {"focus mark", run(frameDc, 0, 60, 1, 0, GetSysColor(COLOR_HIGHLIGHT)), 2},
    };
    ReleaseDC(editors.graphWindow, frameDc);
    ReleaseDC(editors.colorWindow, colorDc);
    ReleaseDC(editors.graphWindow, graphDc);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_SCALED(row.measured, row.at96);
    }
}

TEST(GraphsDpi, LabelsFitTheirBands) {
    Editors editors;
    const int band = kwtest::atRunDpi(20);
    const int leftBand = kwtest::atRunDpi(50);
    EXPECT_LE(kwtest::textExtent(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), "-150").cx, leftBand);
    EXPECT_LE(kwtest::textExtent(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), "250").cy, band);
    const SIZE graph = kwtest::clientSize(editors.graphWindow);
    const SIZE colors = kwtest::clientSize(editors.colorWindow);
    const struct {
        HWND window;
        RECT area;
        bool vertical; // value labels stacked in the left band, else position labels in a bottom band
    } rows[] = {
        {editors.graphWindow, {0, band, leftBand, graph.cy - band}, true},
        {editors.graphWindow, {leftBand, graph.cy - band, graph.cx, graph.cy}, false},
        {editors.colorWindow, {kwtest::atRunDpi(10), colors.cy - band, colors.cx, colors.cy}, false},
    };
    for (const auto& row : rows) {
        HDC dc = GetDC(row.window);
        const RECT ink = inkIn(dc, row.area);
        ReleaseDC(row.window, dc);
        SCOPED_TRACE(row.vertical ? "value labels" : "position labels");
        ASSERT_LE(ink.left, ink.right) << "no label drawn";
        // Whole labels keep off the band's edges across it.
        if (row.vertical) {
            EXPECT_GT(ink.left, row.area.left);
            EXPECT_LT(ink.right, row.area.right - 1);
        } else {
            EXPECT_GT(ink.top, row.area.top);
            EXPECT_LT(ink.bottom, row.area.bottom - 1);
        }
    }
}

TEST(GraphsDpi, APressPicksWithinTheScaledRadiusAndADragMovesTheKeyWhereItGoes) {
    Editors editors;
    const int r = kwtest::atRunDpi(3);
    const int m = kwtest::atRunDpi(5);
    const struct {
        HWND window;
        int x, y;
        bool picks;
    } presses[] = {
        {editors.graphWindow, 150 + r, 90, true},   {editors.graphWindow, 150 + r + 1, 90, false},
        {editors.graphWindow, 150, 90 - r, true},   {editors.graphWindow, 150, 90 - r - 1, false},
        {editors.colorWindow, 50 + m, 2 * m, true}, {editors.colorWindow, 50 + m + 1, 2 * m, false},
        {editors.colorWindow, 50, 4 * m, true},     {editors.colorWindow, 50, 4 * m + 1, false},
    };
    for (const auto& press : presses) {
        const bool curve = press.window == editors.graphWindow;
        editors.click(press.window, 250, curve ? 90 : 2 * m); // nothing there: clears the selection
        editors.click(press.window, press.x, press.y);
        const bool picked =
            curve ? editors.graph->getPoints()[1].selected : editors.colors->getPoints()[1].selected;
        EXPECT_EQ(press.picks, picked)
            << (curve ? "curve" : "gradient") << " press at " << press.x << ", " << press.y;
    }

    const int dx = kwtest::atRunDpi(20);
    const int dy = kwtest::atRunDpi(30);
    editors.drag(editors.graphWindow, 150 + kwtest::atRunDpi(2), 90, 150 + kwtest::atRunDpi(2) + dx, 90 - dy);
    const std::vector<KWGraphPoint>& keys = editors.graph->getPoints();
    EXPECT_NEAR(50.0f + dx, keys[1].x, 0.5f);
    EXPECT_NEAR(-10.0f - dy, keys[1].y1, 0.5f);
    EXPECT_EQ(kRed, kwtest::pixelAt(editors.graphWindow, 150 + dx, 90 - dy - 1)) << "the marker follows";
    EXPECT_EQ(0.0f, keys[0].x);
    EXPECT_EQ(100.0f, keys[2].x);

    editors.drag(editors.colorWindow, 50 + kwtest::atRunDpi(4), kwtest::atRunDpi(15),
                 50 + kwtest::atRunDpi(4) + dx, kwtest::atRunDpi(15));
    EXPECT_NEAR(50.0f + dx, editors.colors->getPoints()[1].position, 0.5f);
}

TEST(GraphsDpi, MarkersFollowAMoveToAnotherDisplay) {
    Editors editors;
    editors.click(editors.graphWindow, 150, 90);
    const int otherDpi = kwtest::runDpi() == 192 ? 96 : 192;
    editors.moveToDpi(otherDpi);
    EXPECT_NEAR(2 * MulDiv(3, otherDpi, 96), editors.markerSide(), 1);
    EXPECT_NEAR(MulDiv(5, otherDpi, 96), editors.swatchWidth() / 2, 1);
    // The pick radius follows the markers.
    editors.click(editors.graphWindow, 250, 90);
    editors.click(editors.graphWindow, 150 + MulDiv(3, otherDpi, 96), 90);
    EXPECT_TRUE(editors.graph->getPoints()[1].selected);
}
