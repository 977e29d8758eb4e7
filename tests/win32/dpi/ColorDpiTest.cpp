#include "DpiRun.h"
#include "PaintProbe.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

HFONT fontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

// The size a window's text takes in the window's font; the widest line for a multi-line text.
SIZE textExtent(HWND window) {
    const std::string text = kwtest::windowText(window);
    SIZE extent = {0, 0};
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const SIZE line = kwtest::textExtent(fontOf(window), text.substr(start, end - start));
        extent.cx = std::max(extent.cx, line.cx);
        extent.cy += line.cy;
        start = end + 1;
    }
    return extent;
}

std::vector<HWND> descendants(HWND window, const std::string& className) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (kwtest::windowClassName(child) == className) {
            found.push_back(child);
        }
        for (HWND inner : descendants(child, className)) {
            found.push_back(inner);
        }
    }
    return found;
}

// A top-level frame owning a picker; the picker's areas are found left to right: box, hue, alpha, swatch.
struct PickerFrame {
    std::unique_ptr<KWWindow> frame;
    KWColorPicker* picker;

    PickerFrame() {
        frame.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 300, 200, "Owner", nullptr, 0));
        picker = new KWColorPicker(KWColor(0, 0, 0, 255), 40, 40, frame.get());
        kwtest::pumpMessages();
    }
    HWND popup() const { return picker->getHandle(); }
    HWND area(int index) const {
        std::vector<HWND> areas;
        for (HWND child = GetWindow(popup(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
                areas.push_back(child);
            }
        }
        std::sort(areas.begin(), areas.end(),
                  [](HWND a, HWND b) { return kwtest::rectInParent(a).left < kwtest::rectInParent(b).left; });
        return index < static_cast<int>(areas.size()) ? areas[index] : nullptr;
    }
    HWND box() const { return area(0); }
    HWND hue() const { return area(1); }
    HWND alpha() const { return area(2); }
    HWND swatch() const { return area(3); }
    int ramp() const { return kwtest::clientSize(box()).cx; }

    void show(const KWColor& color) {
        picker->setColor(color);
        picker->setVisible(true);
        settle();
    }
    void settle() {
        for (int i = 0; i < 4; ++i) {
            RedrawWindow(popup(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            kwtest::pumpMessages();
        }
    }
    // A press, a move with the button held and a release at one point of an area, posted.
    void clickAt(HWND target, int x, int y) {
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(target, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        kwtest::pumpMessages();
        settle();
    }
    void moveToDpi(int newDpi) {
        kwtest::moveToDpi(frame.get(), newDpi);
        settle();
    }
};

// Row or column of a fraction of a ramp, as the picker spreads 0..1 over its pixels.
int along(double fraction, int ramp) {
    return static_cast<int>(fraction * (ramp - 1) + 0.5);
}

void expectNear(const KWColor& actual, int r, int g, int b, int a) {
    EXPECT_NEAR(actual.r, r, 2);
    EXPECT_NEAR(actual.g, g, 2);
    EXPECT_NEAR(actual.b, b, 2);
    EXPECT_NEAR(actual.a, a, 1);
}

} // namespace

TEST(ColorDpi, PopupAreasButtonsAndFontScale) {
    PickerFrame f;
    ASSERT_TRUE(f.popup());
    EXPECT_EQ(kwtest::runDpi(), f.picker->getDpi());
    RECT outer = {};
    GetWindowRect(f.popup(), &outer);
    EXPECT_EQ(40, outer.left) << "the position given stays in pixels";
    EXPECT_SCALED(outer.right - outer.left, 520);
    EXPECT_SCALED(outer.bottom - outer.top, 305);
    EXPECT_EQ(f.ramp(), kwtest::clientSize(f.hue()).cy);
    // The box's client is exactly its ramp: white, the pure hue and black in its last column and row.
    f.show(KWColor(255, 0, 0, 255));
    const int last = f.ramp() - 1;
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.box(), 0, last), 0, 0, 0));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.box(), last, 1), 255, 0, 0, 2));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(f.box(), 0, 0), 255, 255, 255));

    const struct {
        HWND window;
        int left, top, width, height;
    } controls[] = {{f.box(), 10, 10, 260, 260},
                    {f.hue(), 280, 10, 30, 260},
                    {f.alpha(), 320, 10, 30, 260},
                    {f.swatch(), 360, 10, 70, 70},
                    {f.picker->getOkButton(), 360, 240, 70, 25},
                    {f.picker->getCancelButton(), 430, 240, 70, 25}};
    for (const auto& c : controls) {
        ASSERT_TRUE(c.window);
        const KWBound rect = kwtest::rectInParent(c.window);
        EXPECT_SCALED(rect.left, c.left);
        EXPECT_SCALED(rect.top, c.top);
        EXPECT_SCALED(rect.right - rect.left, c.width);
        EXPECT_SCALED(rect.bottom - rect.top, c.height);
    }
    EXPECT_SCALED(kwtest::fontHeight(f.picker->getOkButton()), 13);
}

TEST(ColorDpi, ClicksAtScaledPointsPickTheColoursTheyAimAt) {
    PickerFrame f;
    f.show(KWColor(255, 0, 0, 255));
    const int ramp = f.ramp();
    const struct {
        double hue, saturation, value, alpha;
        int r, g, b, a;
    } cases[] = {{1.0 / 3.0, 1.0, 1.0, 1.0, 0, 255, 0, 255},
                 {1.0 / 3.0, 0.5, 1.0, 0.5, 128, 255, 128, 128},
                 {2.0 / 3.0, 1.0, 0.5, 0.0, 0, 0, 128, 0},
                 {0.0, 0.0, 0.0, 1.0, 0, 0, 0, 255},
                 {0.5, 0.25, 0.75, 0.25, 143, 191, 191, 64}};
    for (const auto& c : cases) {
        const int x = along(c.saturation, ramp);
        const int y = along(1.0 - c.value, ramp);
        f.clickAt(f.hue(), f.picker->scale(15), along(c.hue, ramp));
        f.clickAt(f.box(), x, y);
        f.clickAt(f.alpha(), f.picker->scale(15), along(c.alpha, ramp));
        SCOPED_TRACE(testing::Message() << "hue " << c.hue << " saturation " << c.saturation);
        expectNear(f.picker->getColor(), c.r, c.g, c.b, c.a);
        // The colour is the one shown under the click.
        const COLORREF shown = kwtest::pixelAt(f.box(), x, y);
        EXPECT_NEAR(GetRValue(shown), f.picker->getColor().r, 1);
        EXPECT_NEAR(GetGValue(shown), f.picker->getColor().g, 1);
    }
}

TEST(ColorDpi, FieldsButtonsAndTextAreNotClipped) {
    PickerFrame f;
    f.picker->setNumericInput(true);
    f.show(KWColor(255, 255, 255, 255));
    RECT outer = {};
    GetWindowRect(f.popup(), &outer);
    EXPECT_SCALED(outer.bottom - outer.top, 305 + 35);

    const std::vector<HWND> edits = descendants(f.popup(), "Edit");
    ASSERT_EQ(8u, edits.size());
    bool sawHex = false;
    for (HWND edit : edits) {
        const std::string text = kwtest::windowText(edit);
        sawHex = sawHex || text == "#FFFFFFFF";
        const DWORD margins = static_cast<DWORD>(SendMessageA(edit, EM_GETMARGINS, 0, 0));
        const int room = kwtest::clientSize(edit).cx - LOWORD(margins) - HIWORD(margins);
        EXPECT_LE(textExtent(edit).cx, room) << text;
        EXPECT_LE(textExtent(edit).cy, kwtest::clientSize(edit).cy) << text;
        EXPECT_SCALED(kwtest::fontHeight(edit), 13);
    }
    EXPECT_TRUE(sawHex);
    std::vector<HWND> texts = descendants(f.popup(), "Static");
    texts.push_back(f.picker->getOkButton());
    texts.push_back(f.picker->getCancelButton());
    for (HWND window : texts) {
        const SIZE extent = textExtent(window);
        const SIZE room = kwtest::clientSize(window);
        EXPECT_LE(extent.cx, room.cx) << kwtest::windowText(window);
        EXPECT_LE(extent.cy, room.cy) << kwtest::windowText(window);
    }
}

TEST(ColorDpi, PopupFollowsItsOwnersDpiChangeKeepingColourAndAim) {
    PickerFrame f;
    f.picker->setNumericInput(true);
    const KWColor color(40, 120, 200, 100);
    f.show(color);
    const int runDpi = kwtest::runDpi();
    const int fontBefore = kwtest::fontHeight(f.picker->getOkButton());

    f.moveToDpi(2 * runDpi);
    EXPECT_EQ(2 * runDpi, f.picker->getDpi());
    const int ramp = f.ramp();
    EXPECT_NEAR(MulDiv(260, 2 * runDpi, 96),
                kwtest::rectInParent(f.box()).right - kwtest::rectInParent(f.box()).left, 1);
    RECT outer = {};
    GetWindowRect(f.popup(), &outer);
    EXPECT_NEAR(MulDiv(520, 2 * runDpi, 96), outer.right - outer.left, 1);
    EXPECT_NEAR(MulDiv(340, 2 * runDpi, 96), outer.bottom - outer.top, 1);
    EXPECT_NEAR(2 * fontBefore, kwtest::fontHeight(f.picker->getOkButton()), 2);
    EXPECT_NEAR(2 * fontBefore, kwtest::fontHeight(descendants(f.popup(), "Edit").front()), 2);
    const KWColor kept = f.picker->getColor();
    EXPECT_TRUE(kept.r == color.r && kept.g == color.g && kept.b == color.b && kept.a == color.a)
        << "a display change picks no new colour";

    // Red at half saturation and brightness, aimed at in the larger areas; the alpha marker stayed.
    f.clickAt(f.hue(), f.picker->scale(15), 0);
    f.clickAt(f.box(), along(0.5, ramp), along(0.5, ramp));
    expectNear(f.picker->getColor(), 128, 64, 64, 100);

    f.moveToDpi(runDpi);
    EXPECT_SCALED(kwtest::rectInParent(f.box()).right - kwtest::rectInParent(f.box()).left, 260);
    EXPECT_EQ(fontBefore, kwtest::fontHeight(f.picker->getOkButton()));
    expectNear(f.picker->getColor(), 128, 64, 64, 100);
}

TEST(ColorDpi, ColorButtonsCheckerSquaresScale) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 300, 200, "Owner", nullptr, 0));
    KWColorButtons* buttons =
        KWColorButtons::create(STYLE_DEFAULT, 10, 10, kwtest::atRunDpi(60), kwtest::atRunDpi(30),
                               KWColor(255, 0, 0, 0), KWColor(0, 0, 255, 0), frame.get(), frame.get(), 0);
    ASSERT_TRUE(buttons);
    kwtest::pumpMessages();
    // Transparent colours show the checkerboard: grey squares from the corner, then white.
    HWND window = buttons->getHandle();
    int firstWhite = -1;
    for (int x = 0; x < 40 && firstWhite < 0; ++x) {
        if (kwtest::colorNear(kwtest::pixelAt(window, x, 0), 255, 255, 255)) {
            firstWhite = x;
        }
    }
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(window, 0, 0), 150, 150, 150));
    EXPECT_SCALED(firstWhite, 5);
}
