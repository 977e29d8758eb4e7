#include "PaintProbe.h"
#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

// A top-level owner with one picker as its child; the picker is shown at (40, 40) on the screen.
struct PickerFixture {
    std::unique_ptr<ProbeGadget> owner;
    KWColorPicker* picker;
    PickerFixture() : owner(ProbeGadget::create(nullptr, 600, 100, 200, 100)) {
        picker = new KWColorPicker(KWColor(0, 0, 0, 255), 40, 40, owner.get());
        kwtest::pumpMessages();
    }
    HWND popup() const { return picker->getHandle(); }
    // The child of the popup whose top-left corner lies at (x, y) of its client area.
    HWND childAt(int x, int y) const {
        for (HWND child = GetWindow(popup(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const KWBound rect = kwtest::rectInParent(child);
            if (rect.left == x && rect.top == y) {
                return child;
            }
        }
        return nullptr;
    }
    HWND box() const { return childAt(10, 10); }
    HWND hueSlider() const { return childAt(280, 10); }
    HWND alphaSlider() const { return childAt(320, 10); }
    HWND swatch() const { return childAt(360, 10); }
    HWND text() const { return childAt(360, 90); }

    // Loads a colour, shows the hidden picker (as an opener does) and lets the paint chain run to the
    // result swatch.
    KWColor show(const KWColor& color) {
        picker->setVisible(false);
        picker->setColor(color);
        picker->setVisible(true);
        settle();
        return picker->getColor();
    }
    void settle() {
        for (int i = 0; i < 4; ++i) {
            for (HWND area : {hueSlider(), box(), alphaSlider(), swatch()}) {
                UpdateWindow(area);
            }
            kwtest::pumpMessages();
        }
    }
    void drag(HWND area, int x, int y, WPARAM keys = MK_LBUTTON) {
        SendMessageA(area, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
        settle();
    }
};

void expectNear(const KWColor& actual, int r, int g, int b, int a) {
    EXPECT_NEAR(actual.r, r, 1);
    EXPECT_NEAR(actual.g, g, 1);
    EXPECT_NEAR(actual.b, b, 1);
    EXPECT_EQ(actual.a, a);
}

// Pixels exactly equal to a colour within the 13 x 13 square around a marker.
int pixelsAround(HWND area, int x, int y, COLORREF color) {
    HDC dc = GetDC(area);
    int count = 0;
    for (int dy = -6; dy <= 6; ++dy) {
        for (int dx = -6; dx <= 6; ++dx) {
            if (GetPixel(dc, x + dx, y + dy) == color) {
                ++count;
            }
        }
    }
    ReleaseDC(area, dc);
    return count;
}

} // namespace

TEST(ColorPicker, HiddenPopupWithItsAreasButtonsAndText) {
    PickerFixture f;
    HWND popup = f.popup();
    ASSERT_TRUE(popup);
    EXPECT_EQ(f.picker->getType(), GADGET_COLORPICKER);
    EXPECT_EQ(f.picker->getId(), -1);
    EXPECT_EQ(f.owner->getChildCount(), 1);
    EXPECT_EQ(kwtest::windowClassName(popup), "KWWINDOW");
    EXPECT_EQ(kwtest::windowText(popup), "Select Color...");
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(popup, GWL_STYLE)) & ~WS_CLIPSIBLINGS & 0xFFFF0000u,
              0x80C80000u);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), f.owner->getHandle());
    RECT outer = {};
    GetWindowRect(popup, &outer);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 40);
    EXPECT_EQ(outer.right - outer.left, 520);
    EXPECT_EQ(outer.bottom - outer.top, 305);

    const struct {
        HWND window;
        int width, height;
    } areas[] = {
        {f.box(), 260, 260}, {f.hueSlider(), 30, 260}, {f.alphaSlider(), 30, 260}, {f.swatch(), 70, 70}};
    for (const auto& area : areas) {
        ASSERT_TRUE(area.window);
        EXPECT_EQ(kwtest::windowClassName(area.window), "KWWINDOW");
        EXPECT_TRUE(GetWindowLongA(area.window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        const KWBound rect = kwtest::rectInParent(area.window);
        EXPECT_EQ(rect.right - rect.left, area.width);
        EXPECT_EQ(rect.bottom - rect.top, area.height);
    }
    EXPECT_TRUE(GetWindowLongA(f.swatch(), GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(kwtest::clientSize(f.box()).cx, 256);

    HWND ok = f.picker->getOkButton();
    HWND cancel = f.picker->getCancelButton();
    EXPECT_EQ(kwtest::windowText(ok), "Ok");
    EXPECT_EQ(kwtest::windowText(cancel), "Cancel");
    EXPECT_EQ(f.childAt(360, 240), ok);
    EXPECT_EQ(f.childAt(430, 240), cancel);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(ok, GWL_STYLE)) & 0xFFFFF000u, 0x50008000u);
    EXPECT_EQ(kwtest::windowClassName(f.text()), "Static");
    EXPECT_EQ(kwtest::windowText(f.text()), "Red : 0\nGreen : 0\nBlue : 0\nAlpha : 255");
}

TEST(ColorPicker, LoadedColoursComeBackFromThePixelsUnderTheMarkers) {
    PickerFixture f;
    // Opaque red sits in the box's last column and black in its last row: neither may wrap back to
    // the start colour (white).
    expectNear(f.show(KWColor(255, 0, 0, 255)), 255, 0, 0, 255);
    expectNear(f.show(KWColor(0, 0, 0, 255)), 0, 0, 0, 255);
    expectNear(f.show(KWColor(255, 255, 255, 10)), 255, 255, 255, 10);
    expectNear(f.show(KWColor(255, 0, 0, 0)), 255, 0, 0, 0);
    // Darker colours and greys: the box's brightness overlay darkens the hue exactly.
    expectNear(f.show(KWColor(128, 0, 0, 255)), 128, 0, 0, 255);
    expectNear(f.show(KWColor(128, 128, 128, 255)), 128, 128, 128, 255);
    expectNear(f.show(KWColor(10, 20, 30, 40)), 10, 20, 30, 40);
    expectNear(f.show(KWColor(255, 128, 128, 77)), 255, 128, 128, 77);
    EXPECT_EQ(kwtest::windowText(f.text()), "Red : " + std::to_string(f.picker->getColor().r) +
                                                "\nGreen : " + std::to_string(f.picker->getColor().g) +
                                                "\nBlue : " + std::to_string(f.picker->getColor().b) +
                                                "\nAlpha : 77");
}

TEST(ColorPicker, SaturatedColoursGreysAndEveryHueComeBackWithinOneLevel) {
    PickerFixture f;
    std::vector<KWColor> colors = {KWColor(0, 255, 0, 128),  KWColor(0, 0, 255, 255),
                                   KWColor(255, 0, 0, 1),    KWColor(255, 255, 0, 255),
                                   KWColor(0, 255, 255, 77), KWColor(255, 0, 255, 255)};
    for (int grey : {0, 1, 127, 128, 254, 255}) {
        colors.push_back(KWColor(grey, grey, grey, 200));
    }
    // Round the hue circle through every sector, then the same darker and paler.
    for (int t = 0; t < 255; t += 17) {
        const KWColor ring[6] = {KWColor(255, t, 0, 255), KWColor(255 - t, 255, 0, 255),
                                 KWColor(0, 255, t, 255), KWColor(0, 255 - t, 255, 255),
                                 KWColor(t, 0, 255, 255), KWColor(255, 0, 255 - t, 255)};
        for (const KWColor& c : ring) {
            colors.push_back(c);
            colors.push_back(KWColor(c.r * 3 / 5, c.g * 3 / 5, c.b * 3 / 5, 255));
            colors.push_back(KWColor(c.r / 2 + 100, c.g / 2 + 100, c.b / 2 + 100, 255));
        }
    }
    for (const KWColor& c : colors) {
        const KWColor back = f.show(c);
        const int worst =
            std::max(std::max(std::abs(back.r - c.r), std::abs(back.g - c.g)), std::abs(back.b - c.b));
        EXPECT_LE(worst, 1) << c.r << " " << c.g << " " << c.b << " came back as " << back.r << " " << back.g
                            << " " << back.b;
        EXPECT_EQ(back.a, c.a);
    }
}

TEST(ColorPicker, AreasShowTheColoursUnderTheirMarkers) {
    PickerFixture f;
    f.show(KWColor(255, 0, 0, 255));
    // Hue row 0 is red; the box's top-right corner is the pure hue; its bottom row is black.
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.hueSlider(), 15, 0), 255, 0, 0))
        << kwtest::describe(kwtest::pixelAt(f.hueSlider(), 15, 0));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.box(), 255, 0), 255, 0, 0));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.box(), 255, 255), 0, 0, 0));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.box(), 0, 0), 255, 255, 255));
    // Hue bands halfway through: red to yellow, then green to cyan, then cyan to blue.
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.hueSlider(), 5, 21), 255, 126, 0, 3))
        << kwtest::describe(kwtest::pixelAt(f.hueSlider(), 5, 21));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.hueSlider(), 5, 106), 0, 255, 124, 3))
        << kwtest::describe(kwtest::pixelAt(f.hueSlider(), 5, 106));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.hueSlider(), 5, 149), 0, 129, 255, 3))
        << kwtest::describe(kwtest::pixelAt(f.hueSlider(), 5, 149));
    // Alpha slider: transparent over the checkerboard at the top, the opaque colour in its last row.
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.alphaSlider(), 2, 0), 150, 150, 150));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.alphaSlider(), 7, 0), 255, 255, 255));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.alphaSlider(), 2, 255), 255, 0, 0));
    // The swatch shows the colour over the checkerboard.
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.swatch(), 2, 2), 255, 0, 0));

    f.show(KWColor(255, 0, 0, 128));
    const COLORREF overGrey = kwtest::pixelAt(f.swatch(), 2, 2);
    const COLORREF overWhite = kwtest::pixelAt(f.swatch(), 7, 2);
    EXPECT_TRUE(kwtest::colorNear(overGrey, 203, 75, 75, 2)) << kwtest::describe(overGrey);
    EXPECT_TRUE(kwtest::colorNear(overWhite, 255, 127, 127, 2)) << kwtest::describe(overWhite);
}

TEST(ColorPicker, DraggingMovesMarkersAndTheChainRereadsTheColour) {
    PickerFixture f;
    f.show(KWColor(255, 0, 0, 255));
    // A new hue: the box is repainted on it and its marker (still in the top-right corner) reads the
    // hue slider's pixel back.
    f.drag(f.hueSlider(), 15, 149);
    const COLORREF hue = kwtest::pixelAt(f.hueSlider(), 15, 149);
    EXPECT_TRUE(kwtest::colorNear(hue, 0, 129, 255, 3)) << kwtest::describe(hue);
    expectNear(f.picker->getColor(), GetRValue(hue), GetGValue(hue), GetBValue(hue), 255);
    // Box to the top-left corner: white.
    f.drag(f.box(), 0, 0);
    expectNear(f.picker->getColor(), 255, 255, 255, 255);
    // Alpha to the top row and the bottom row.
    f.drag(f.alphaSlider(), 15, 0);
    EXPECT_EQ(f.picker->getColor().a, 0);
    f.drag(f.alphaSlider(), 3, 255);
    EXPECT_EQ(f.picker->getColor().a, 255);
    EXPECT_EQ(kwtest::windowText(f.text()), "Red : 255\nGreen : 255\nBlue : 255\nAlpha : 255");

    // Only a move with the left button as the sole key state drags.
    f.drag(f.alphaSlider(), 15, 100, MK_LBUTTON | MK_SHIFT);
    f.drag(f.alphaSlider(), 15, 100, 0);
    SendMessageA(f.alphaSlider(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 100));
    f.settle();
    EXPECT_EQ(f.picker->getColor().a, 255);
    // Beyond the slider the marker follows, and the alpha is held to the range.
    f.drag(f.alphaSlider(), 15, -20);
    EXPECT_EQ(f.picker->getColor().a, 0);
}

TEST(ColorPicker, BoxRingIsBlackInTheLightCornerAndWhiteElsewhere) {
    PickerFixture f;
    f.show(KWColor(255, 0, 0, 255));
    f.drag(f.box(), 20, 20);
    EXPECT_GT(pixelsAround(f.box(), 20, 20, RGB(0, 0, 0)), 4);
    EXPECT_EQ(pixelsAround(f.box(), 20, 20, RGB(255, 255, 255)), 0);
    f.drag(f.box(), 120, 120);
    EXPECT_GT(pixelsAround(f.box(), 120, 120, RGB(255, 255, 255)), 4);
    EXPECT_EQ(pixelsAround(f.box(), 120, 120, RGB(0, 0, 0)), 0);
    // Only one coordinate below 50 is not the corner.
    f.drag(f.box(), 20, 120);
    EXPECT_GT(pixelsAround(f.box(), 20, 120, RGB(255, 255, 255)), 4);
}

TEST(ColorPicker, RepaintingReleasesWhatItCreates) {
    PickerFixture f;
    f.show(KWColor(10, 200, 30, 90));
    const unsigned long before = kwtest::gdiObjectCount();
    const unsigned long blocksBefore = kwtest::heapBlockCount();
    for (int i = 0; i < 40; ++i) {
        f.drag(f.hueSlider(), 15, (i * 37) % 256);
    }
    EXPECT_LE(kwtest::gdiObjectCount(), before);
    // GDI+ objects hold no GDI handle: a leaked brush or bitmap shows as heap blocks. A few blocks of
    // slack for the platform's own bookkeeping; a leak per paint adds dozens.
    EXPECT_LE(kwtest::heapBlockCount(), blocksBefore + 4);
}
