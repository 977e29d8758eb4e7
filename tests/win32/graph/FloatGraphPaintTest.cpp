#include "GdiObjectCounter.h"
#include "GraphWindow.h"

#include <algorithm>
#include <cmath>

using namespace KW;

namespace {

const COLORREF kBackground = RGB(210, 208, 212);
const COLORREF kGrid = RGB(180, 180, 180);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kBlue = RGB(0, 20, 200);

KWGraphPoint point(float x, float y1, float y2) {
    KWGraphPoint key;
    key.x = x;
    key.y1 = y1;
    key.y2 = y2;
    return key;
}

// The worked example of the graph's drawing: pan (100, 30), scale 1, client 400 x 200.
class FloatGraphPainting : public kwtest::GraphWindowTest {
protected:
    void SetUp() override {
        GraphWindowTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        graph->moveView(100, 30);
        send(WM_NULL, 0, 0, 0); // the repaint follows with the next message
    }

    COLORREF pixel(int x, int y) { return kwtest::pixelAt(graphWindow(), x, y); }

    // Pixels of the default text colour within [left, right) x [top, bottom).
    int textPixels(int left, int top, int right, int bottom) {
        UpdateWindow(graphWindow());
        kwtest::pumpMessages();
        HDC dc = GetDC(graphWindow());
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                count += GetPixel(dc, x, y) == kBlack ? 1 : 0;
            }
        }
        ReleaseDC(graphWindow(), dc);
        return count;
    }
};

} // namespace

TEST_F(FloatGraphPainting, GridEveryTenPixelsAndRedAxesThroughTheDataOrigin) {
    for (int x : {60, 110, 250, 390}) {
        EXPECT_EQ(pixel(x, 100), kGrid) << "vertical grid line at x " << x;
    }
    for (int y : {10, 40, 120, 170}) {
        EXPECT_EQ(pixel(275, y), kGrid) << "horizontal grid line at y " << y;
    }
    EXPECT_EQ(pixel(115, 105), kBackground);
    EXPECT_EQ(pixel(275, 45), kBackground);
    EXPECT_EQ(pixel(100, 100), kRed);
    EXPECT_EQ(pixel(100, 150), kRed);
    EXPECT_EQ(pixel(60, 30), kRed);
    EXPECT_EQ(pixel(300, 30), kRed);
}

TEST_F(FloatGraphPainting, EndKeysShowSixPixelMarkersJoinedByTheCurves) {
    // Marker of the key at 0 around (100, 30): x 97..102, y 27..32.
    EXPECT_EQ(pixel(97, 27), kBlack);
    EXPECT_EQ(pixel(102, 32), kBlack);
    EXPECT_EQ(pixel(96, 27), kBackground);
    EXPECT_EQ(pixel(103, 32), kBackground);
    EXPECT_EQ(pixel(102, 33), kBackground);
    EXPECT_EQ(pixel(198, 28), kBlack);
    // Equal values: the upper curve hides the lower one and the red axis under them.
    EXPECT_EQ(pixel(150, 30), kBlack);
}

TEST_F(FloatGraphPainting, LabelsAlongTheBottomAndLeftMargins) {
    // "0" at 100 and "250" at 350, tops at y 185. ("-100" at x 0 lies under the left band, which is
    // filled after it with whatever the platform paints for a null brush.)
    EXPECT_GT(textPixels(95, 185, 106, 199), 3);
    EXPECT_GT(textPixels(338, 185, 363, 199), 3);
    EXPECT_EQ(textPixels(62, 185, 88, 199), 0);
    // "0" at y 23, "-50" at 73, "-150" at 173 (above the corner filled after it), centred on x 20.
    EXPECT_GT(textPixels(14, 23, 27, 36), 3);
    EXPECT_GT(textPixels(5, 73, 36, 86), 3);
    EXPECT_GT(textPixels(5, 173, 36, 180), 3);
    EXPECT_EQ(textPixels(5, 40, 36, 70), 0);
}

TEST_F(FloatGraphPainting, SelectedKeyShowsTwoRedMarkersOverBothCurves) {
    ASSERT_TRUE(graph->setPoints({point(0, 0, 0), point(50, -20, -5), point(100, 0, 0)}));
    // Upper curve black through (150, 10), lower curve blue through (150, 25).
    EXPECT_EQ(pixel(125, 20), kBlack);
    EXPECT_EQ(pixel(120, 28), kBlue);
    EXPECT_EQ(pixel(148, 8), kBlack);
    EXPECT_EQ(pixel(148, 23), kBlack);

    send(WM_MOUSEMOVE, 0, 150, 10);
    send(WM_LBUTTONDOWN, MK_LBUTTON, 150, 10);
    send(WM_LBUTTONUP, 0, 150, 10);
    ASSERT_TRUE(graph->getPoints()[1].selected);
    EXPECT_EQ(pixel(148, 8), kRed);
    EXPECT_EQ(pixel(148, 23), kRed);
    EXPECT_EQ(pixel(125, 20), kBlack) << "the curves are drawn over the markers";
    EXPECT_EQ(pixel(97, 27), kBlack) << "the other keys stay black";

    // Coinciding values still show the selection in red.
    send(WM_RBUTTONDBLCLK, MK_RBUTTON, 150, 10);
    EXPECT_EQ(pixel(148, 8), kRed);
}

TEST_F(FloatGraphPainting, FramingFillsAShortWideGraphOnBothAxes) {
    // Values 2..12 over 0..100 in a 400 x 100 client: plot x 60..390 at 3.3, y 10..70 at 6 pixels per unit.
    KWFloatGraph* wide = KWFloatGraph::create(STYLE_DEFAULT, 10, 220, 404, 104, frame.get(), 8);
    ASSERT_TRUE(wide && wide->getHandle());
    ASSERT_TRUE(wide->setPoints({point(0, -2, -2), point(50, -12, -12), point(100, -7, -7)}));
    wide->frameKeys();
    SendMessageA(wide->getHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(225, 40));
    EXPECT_NEAR(wide->getCursorX(), 50.0f, 1e-3f);
    EXPECT_NEAR(wide->getCursorY(), -7.0f, 1e-3f);
    EXPECT_EQ(kwtest::pixelAt(wide->getHandle(), 224, 9), kBlack) << "the highest key's marker at the top";
    EXPECT_EQ(kwtest::pixelAt(wide->getHandle(), 60, 69), kBlack) << "the lowest key's marker at the bottom";
}

TEST_F(FloatGraphPainting, RepaintsReleaseEveryGdiObjectTheyCreate) {
    std::vector<KWGraphPoint> keys;
    for (int i = 0; i <= 50; ++i) {
        keys.push_back(point(i * 2.0f, -(i % 7) * 4.0f, -static_cast<float>(i % 3)));
        if (keys.back().y1 > keys.back().y2) {
            keys.back().y1 = keys.back().y2;
        }
    }
    ASSERT_TRUE(graph->setPoints(keys));
    send(WM_MOUSEMOVE, 0, 120, 30);
    send(WM_LBUTTONDOWN, MK_LBUTTON, 120, 30);
    send(WM_LBUTTONUP, 0, 120, 30);
    kwtest::pumpMessages();

    const DWORD processBefore = kwtest::processGdiObjects();
    kwtest::GdiObjectCounter counter("Kwadro_ANSI.dll");
    ASSERT_TRUE(counter.isHooked());
    const int paints = 300;
    for (int i = 0; i < paints; ++i) {
        InvalidateRect(graphWindow(), nullptr, TRUE);
        UpdateWindow(graphWindow());
    }
    kwtest::pumpMessages();
    // Two pens for the grid, two brushes and two pens for the keys on every paint.
    EXPECT_GE(counter.created(), static_cast<size_t>(paints) * 6);
    EXPECT_EQ(counter.alive(), 0u);
    const DWORD processAfter = kwtest::processGdiObjects();
    if (processBefore != 0) {
        EXPECT_LE(processAfter, processBefore);
    } else {
        RecordProperty("process_gdi_objects", "not reported by the platform");
    }
}

namespace {

// The keys drawn the plain way at scale 1 with the given pan: one fill per marker in key order,
// then both polylines through every key, over a sentinel colour.
std::vector<COLORREF> plainKeyDrawing(const std::vector<KWGraphPoint>& keys, int panX, int panY, int width,
                                      int height, COLORREF sentinel) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HBRUSH background = CreateSolidBrush(sentinel);
    const RECT all = {0, 0, width, height};
    FillRect(memory, &all, background);

    HBRUSH black = CreateSolidBrush(kBlack);
    HBRUSH red = CreateSolidBrush(kRed);
    std::vector<POINT> upper;
    std::vector<POINT> lower;
    for (const KWGraphPoint& key : keys) {
        const int x = static_cast<int>(key.x + static_cast<float>(panX));
        upper.push_back({x, static_cast<int>(key.y1 + static_cast<float>(panY))});
        lower.push_back({x, static_cast<int>(key.y2 + static_cast<float>(panY))});
        for (const POINT& p : {upper.back(), lower.back()}) {
            const RECT marker = {p.x - 3, p.y - 3, p.x + 3, p.y + 3};
            FillRect(memory, &marker, key.selected ? red : black);
        }
    }
    HPEN blue = CreatePen(PS_SOLID, 1, kBlue);
    HPEN blackPen = CreatePen(PS_SOLID, 1, kBlack);
    HGDIOBJ oldPen = SelectObject(memory, blue);
    Polyline(memory, lower.data(), static_cast<int>(lower.size()));
    SelectObject(memory, blackPen);
    Polyline(memory, upper.data(), static_cast<int>(upper.size()));
    SelectObject(memory, oldPen);
    GdiFlush();

    std::vector<COLORREF> pixels(static_cast<size_t>(width * height));
    const DWORD* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF, source[i] & 0xFF);
    }
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(background), static_cast<HGDIOBJ>(black), static_cast<HGDIOBJ>(red),
          static_cast<HGDIOBJ>(blue), static_cast<HGDIOBJ>(blackPen)}) {
        DeleteObject(object);
    }
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

class FloatGraphDensePainting : public kwtest::GraphWindowTest {};

} // namespace

TEST_F(FloatGraphDensePainting, CrowdedKeysPaintExactlyLikeOneFillPerMarker) {
    const int panX = 150;
    const int panY = 175;
    graph->moveView(panX, panY);
    std::vector<KWGraphPoint> keys;
    const int count = 2000;
    for (int i = 0; i < count; ++i) {
        KWGraphPoint key;
        key.x = i == count - 1 ? 100.0f : 100.0f * static_cast<float>(i) / static_cast<float>(count - 1);
        key.y2 = -std::fabs(30.0f * std::sin(static_cast<float>(i) * 0.01f)) - 5.0f;
        key.y1 = key.y2 - 10.0f - 40.0f * std::fabs(std::cos(static_cast<float>(i) * 0.037f));
        keys.push_back(key);
    }
    ASSERT_TRUE(graph->setPoints(keys));
    // Select a key amid the crowd: the last one within reach of the press wins.
    send(WM_MOUSEMOVE, 0, panX + 50, panY + static_cast<int>(keys[1000].y1));
    send(WM_LBUTTONDOWN, MK_LBUTTON, panX + 50, panY + static_cast<int>(keys[1000].y1));
    send(WM_LBUTTONUP, 0, panX + 50, panY + static_cast<int>(keys[1000].y1));
    const std::vector<KWGraphPoint>& drawn = graph->getPoints();
    int selected = 0;
    for (const KWGraphPoint& key : drawn) {
        selected += key.selected ? 1 : 0;
    }
    ASSERT_EQ(selected, 1);

    const COLORREF sentinel = RGB(1, 2, 3);
    const std::vector<COLORREF> actual = kwtest::captureClient(graphWindow(), kClientWidth, kClientHeight);
    const std::vector<COLORREF> expected =
        plainKeyDrawing(drawn, panX, panY, kClientWidth, kClientHeight, sentinel);
    int compared = 0;
    int mismatches = 0;
    // Outside the margins, which are painted over the keys.
    for (int y = 0; y < kClientHeight - 20; ++y) {
        for (int x = 50; x < kClientWidth; ++x) {
            const size_t i = static_cast<size_t>(y * kClientWidth + x);
            if (expected[i] != sentinel) {
                ++compared;
                mismatches += actual[i] != expected[i] ? 1 : 0;
            } else {
                mismatches += (actual[i] == kBlack || actual[i] == kBlue) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(std::count(actual.begin(), actual.end(), kRed), 30) << "the selected key's markers";
}
