#include "PaintProbe.h"
#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

const COLORREF endUpper = RGB(50, 100, 200);
const COLORREF endLower = RGB(0, 0, 200);
const COLORREF background = RGB(200, 200, 200);
const COLORREF gridLine = RGB(180, 180, 180);

// A frame away from the picker's popup (screen 20, 20, 520 x 305) holding a 500 x 80 editor at (10, 10)
// that blocks the frame while its picker is open. At scale 1 without pan, client x equals data x.
struct EditorFixture {
    std::unique_ptr<ProbeGadget> frame;
    KWColorEdit* editor;
    EditorFixture() : frame(ProbeGadget::create(nullptr, 100, 420, 560, 160)) {
        editor = KWColorEdit::create(STYLE_DEFAULT, 10, 10, 500, 80, frame.get(), frame.get());
        kwtest::pumpMessages();
        SetForegroundWindow(frame->getHandle());
        kwtest::pumpMessages();
    }
    ~EditorFixture() {
        // Leave no button down for the next test.
        kwtest::mouseInput(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MIDDLEUP);
    }
    HWND window() const { return editor->getHandle(); }
    KWColorPicker* picker() const { return static_cast<KWColorPicker*>(editor->getChild(0)); }
    COLORREF pixel(int x, int y) const { return kwtest::pixelAt(window(), x, y); }
    const KWColorPoint& key(size_t index) const { return editor->getPoints().at(index); }

    void moveTo(int x, int y) { kwtest::moveMouseTo(window(), x, y); }
    // A middle click in between, so that two left presses in a row are never taken for a double click.
    void leftDownAt(int x, int y) {
        moveTo(x, y);
        kwtest::mouseInput(MOUSEEVENTF_MIDDLEDOWN);
        kwtest::mouseInput(MOUSEEVENTF_MIDDLEUP);
        kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    }
    void leftClickAt(int x, int y) {
        leftDownAt(x, y);
        kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
    }
    void doubleClickAt(int x, int y) {
        moveTo(x, y);
        kwtest::mouseInput(MOUSEEVENTF_MIDDLEDOWN);
        kwtest::mouseInput(MOUSEEVENTF_MIDDLEUP);
        for (int i = 0; i < 2; ++i) {
            kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
            kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
        }
    }
    void rightClickAt(int x, int y) {
        moveTo(x, y);
        kwtest::mouseInput(MOUSEEVENTF_RIGHTDOWN);
        kwtest::mouseInput(MOUSEEVENTF_RIGHTUP);
    }
    void keyDown(WPARAM code) { SendMessageA(window(), WM_KEYDOWN, code, 0); }
    void typed(char c) { SendMessageA(window(), WM_CHAR, static_cast<WPARAM>(c), 0); }
    void wheel(int delta) {
        POINT cursor;
        GetCursorPos(&cursor);
        SendMessageA(window(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(cursor.x, cursor.y));
    }
    // Lets the picker's paint chain settle on its loaded colour.
    void settlePicker() {
        for (int i = 0; i < 4; ++i) {
            RedrawWindow(picker()->getHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            kwtest::pumpMessages();
        }
    }
    HWND pickerBox() const {
        for (HWND child = GetWindow(picker()->getHandle(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const KWBound rect = kwtest::rectInParent(child);
            if (rect.left == 10 && rect.top == 10) {
                return child;
            }
        }
        return nullptr;
    }
};

void expectColor(const KWColor& c, int r, int g, int b, int a) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
}

std::vector<KWColorPoint> keysWith(const KWColor& middle1, const KWColor& middle2, float position = 50.0f) {
    std::vector<KWColorPoint> keys;
    keys.push_back(KWColorPoint(0.0f, KWColor(50, 100, 200, 255), KWColor(0, 0, 200, 255), true));
    keys.push_back(KWColorPoint(position, middle1, middle2));
    keys.push_back(KWColorPoint(100.0f, KWColor(50, 100, 200, 255), KWColor(0, 0, 200, 255), true));
    return keys;
}

} // namespace

TEST(ColorEdit, CreationChecksTheParentAndReportsARefusedWindow) {
    kwtest::clearMessageBoxes();
    EXPECT_EQ(KWColorEdit::create(STYLE_DEFAULT, 0, 0, 100, 50, nullptr, nullptr), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text,
              "KWColorEdit cannot be created without a parent.Creation failed");

    std::unique_ptr<ProbeGadget> dead(ProbeGadget::create(nullptr, 0, 0, 50, 50));
    DestroyWindow(dead->getHandle());
    kwtest::clearMessageBoxes();
    KWColorEdit* orphan = KWColorEdit::create(STYLE_DEFAULT, 0, 0, 100, 50, dead.get(), dead.get());
    ASSERT_TRUE(orphan);
    EXPECT_EQ(orphan->getHandle(), nullptr);
    EXPECT_EQ(dead->getChildCount(), 1);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "KWColorEdit creation failed !");
    kwtest::clearMessageBoxes();
    // Calls on it change nothing visible and do not crash.
    orphan->zoomIn();
    orphan->insertPoint(50.0f, 1.0f);
    EXPECT_EQ(orphan->getPoints().size(), 3u);
}

TEST(ColorEdit, NewEditorHasTwoFixedEndKeysAndAHiddenPicker) {
    EditorFixture f;
    EXPECT_EQ(f.editor->getType(), GADGET_COLOREDIT);
    EXPECT_EQ(f.editor->getId(), -1);
    EXPECT_EQ(kwtest::windowClassName(f.window()), "KWPANEL");
    EXPECT_TRUE(GetWindowLongA(f.window(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(f.window(), GWL_STYLE)) & 0xFFFF0000u, 0x50000000u);
    ASSERT_EQ(f.editor->getPoints().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(f.key(i).position, i == 0 ? 0.0f : 100.0f);
        EXPECT_TRUE(f.key(i).fixed);
        EXPECT_FALSE(f.key(i).selected);
        expectColor(f.key(i).color1, 50, 100, 200, 255);
        expectColor(f.key(i).color2, 0, 0, 200, 255);
    }
    ASSERT_EQ(f.editor->getChildCount(), 1);
    ASSERT_EQ(f.editor->getChild(0)->getType(), GADGET_COLORPICKER);
    EXPECT_FALSE(IsWindowVisible(f.picker()->getHandle()));
    RECT outer = {};
    GetWindowRect(f.picker()->getHandle(), &outer);
    EXPECT_EQ(outer.left, 20);
    EXPECT_EQ(outer.top, 20);
}

TEST(ColorEdit, PaintsKeysGridAxisAndLabels) {
    EditorFixture f;
    const SIZE client = kwtest::clientSize(f.window());
    // Key at 100: columns 95 to 104, upper swatch rows 0 to 9, lower 10 to 19.
    EXPECT_EQ(f.pixel(95, 0), endUpper);
    EXPECT_EQ(f.pixel(104, 9), endUpper);
    EXPECT_EQ(f.pixel(97, 10), endLower);
    EXPECT_EQ(f.pixel(104, 19), endLower);
    EXPECT_NE(f.pixel(105, 5), endUpper);
    EXPECT_NE(f.pixel(97, 20), endLower);
    // Key at 0 is half off the left edge.
    EXPECT_EQ(f.pixel(4, 5), endUpper);
    EXPECT_NE(f.pixel(5, 5), endUpper);
    // Background, grid every 10 pixels, red vertical axis at x 0 below the key.
    EXPECT_EQ(f.pixel(55, 35), background);
    EXPECT_EQ(f.pixel(60, 35), gridLine);
    EXPECT_EQ(f.pixel(55, 40), gridLine);
    EXPECT_EQ(f.pixel(0, 35), RGB(255, 0, 0));
    // Labels "0", "50", "100" ... centred on their columns, tops 15 pixels above the bottom.
    int dark = 0;
    for (int y = client.cy - 15; y < client.cy - 3; ++y) {
        for (int x = 45; x <= 55; ++x) {
            const COLORREF c = f.pixel(x, y);
            dark += (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 5);
    int darkBetween = 0;
    for (int y = client.cy - 15; y < client.cy - 3; ++y) {
        for (int x = 70; x <= 80; ++x) {
            const COLORREF c = f.pixel(x, y);
            darkBetween += (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) ? 1 : 0;
        }
    }
    EXPECT_EQ(darkBetween, 0);
}

TEST(ColorEdit, SwatchesShowTheirAlphaOverTheCheckerboard) {
    EditorFixture f;
    ASSERT_TRUE(f.editor->setPoints(keysWith(KWColor(255, 0, 0, 0), KWColor(255, 0, 0, 128))));
    kwtest::pumpMessages();
    // Key at 50: columns 45 to 54. Alpha 0: the bare checkerboard (cells of 5 from the buffer's origin).
    EXPECT_EQ(f.pixel(45, 0), RGB(255, 255, 255));
    EXPECT_EQ(f.pixel(50, 0), RGB(150, 150, 150));
    EXPECT_EQ(f.pixel(50, 5), RGB(255, 255, 255));
    // Alpha 128 over grey and over white.
    EXPECT_TRUE(kwtest::colorNear(f.pixel(50, 10), 202, 74, 74, 1)) << kwtest::describe(f.pixel(50, 10));
    EXPECT_TRUE(kwtest::colorNear(f.pixel(45, 10), 255, 127, 127, 1)) << kwtest::describe(f.pixel(45, 10));
    // Opaque swatches hide it completely.
    ASSERT_TRUE(f.editor->setPoints(keysWith(KWColor(9, 8, 7, 255), KWColor(1, 2, 3, 255))));
    kwtest::pumpMessages();
    for (int x = 45; x <= 54; ++x) {
        EXPECT_EQ(f.pixel(x, 3), RGB(9, 8, 7));
        EXPECT_EQ(f.pixel(x, 17), RGB(1, 2, 3));
    }
}

TEST(ColorEdit, ClickSelectsAndLeftDragMovesTheKeyOverAFixedCheckerboard) {
    EditorFixture f;
    ASSERT_TRUE(f.editor->setPoints(keysWith(KWColor(0, 0, 255, 0), KWColor(0, 0, 255, 0), 50.0f)));
    f.leftClickAt(52, 5);
    ASSERT_TRUE(f.key(1).selected);
    EXPECT_FALSE(f.key(0).selected);
    // The selection dot: diameter 10, top at 25.
    EXPECT_EQ(f.pixel(50, 30), RGB(255, 0, 0));
    EXPECT_NE(f.pixel(50, 22), RGB(255, 0, 0));

    // The pattern under the column is the buffer's: a column moved by 3 pixels shows the same cells.
    const COLORREF before = f.pixel(50, 2);
    f.leftDownAt(52, 5);
    f.moveTo(55, 5);
    EXPECT_FLOAT_EQ(f.key(1).position, 53.0f);
    EXPECT_EQ(f.pixel(50, 2), before);
    EXPECT_EQ(f.pixel(57, 2), RGB(255, 255, 255));
    EXPECT_EQ(f.pixel(57, 7), RGB(150, 150, 150));
    // Clamped to the axis at both ends.
    f.moveTo(1, 5);
    EXPECT_EQ(f.key(1).position, 0.0f);
    f.moveTo(300, 5);
    f.moveTo(490, 5);
    EXPECT_EQ(f.key(1).position, 100.0f);
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
    // Dragging never reorders the vector.
    ASSERT_EQ(f.editor->getPoints().size(), 3u);
    EXPECT_EQ(f.key(2).position, 100.0f);

    // A press beside every key deselects.
    f.leftClickAt(30, 5);
    for (const KWColorPoint& key : f.editor->getPoints()) {
        EXPECT_FALSE(key.selected);
    }
}

TEST(ColorEdit, APressWhileAButtonIsHeldKeepsTheSelection) {
    EditorFixture f;
    f.leftDownAt(100, 5);
    ASSERT_TRUE(f.key(1).selected);
    // The cursor moves over the other key without a button in the key state, then the right button goes
    // down there: the left button is still held, so nothing is reselected.
    SendMessageA(f.window(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 5));
    SendMessageA(f.window(), WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(0, 5));
    EXPECT_TRUE(f.key(1).selected);
    EXPECT_FALSE(f.key(0).selected);
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
    SendMessageA(f.window(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 5));
    SendMessageA(f.window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    SendMessageA(f.window(), WM_LBUTTONUP, 0, MAKELPARAM(0, 5));
    EXPECT_TRUE(f.key(0).selected);
    EXPECT_FALSE(f.key(1).selected);
}

TEST(ColorEdit, DoubleClickInsertsAfterTheKeyLeftOfItWithItsColours) {
    EditorFixture f;
    f.doubleClickAt(40, 30);
    ASSERT_EQ(f.editor->getPoints().size(), 3u);
    EXPECT_FLOAT_EQ(f.key(1).position, 40.0f);
    EXPECT_FALSE(f.key(1).fixed);
    expectColor(f.key(1).color1, 50, 100, 200, 255);
    f.leftClickAt(40, 15);
    ASSERT_TRUE(f.key(1).selected);
    // Recolour the new key, then insert again at 40: the copy takes the nearest key in vector order.
    SendMessageA(f.window(), WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(40, 15)); // lower swatch: no change
    std::vector<KWColorPoint> keys = f.editor->getPoints();
    keys[1].color1 = KWColor(1, 2, 3, 4);
    ASSERT_TRUE(f.editor->setPoints(keys));
    f.doubleClickAt(40, 60);
    ASSERT_EQ(f.editor->getPoints().size(), 4u);
    EXPECT_FLOAT_EQ(f.key(2).position, 40.0f);
    expectColor(f.key(2).color1, 1, 2, 3, 4);
    // (1, 2, 3) at alpha 4 over a white cell.
    EXPECT_EQ(f.pixel(40, 5), RGB(251, 251, 251));
}

TEST(ColorEdit, DeleteRemovesTheSelectedKeyButNeverAnEndKey) {
    EditorFixture f;
    ASSERT_TRUE(f.editor->setPoints(keysWith(KWColor(1, 1, 1, 255), KWColor(1, 1, 1, 255), 30.0f)));
    f.leftClickAt(100, 5);
    ASSERT_TRUE(f.key(2).selected);
    f.keyDown(VK_DELETE);
    EXPECT_EQ(f.editor->getPoints().size(), 3u);
    f.leftClickAt(30, 5);
    f.keyDown(VK_BACK);
    EXPECT_EQ(f.editor->getPoints().size(), 3u);
    f.keyDown(VK_DELETE);
    ASSERT_EQ(f.editor->getPoints().size(), 2u);
    EXPECT_EQ(f.pixel(32, 5), background);
    f.leftClickAt(0, 5);
    f.keyDown(VK_DELETE);
    EXPECT_EQ(f.editor->getPoints().size(), 2u);
}

TEST(ColorEdit, WheelZoomsAboutTheMouseAndMiddleButtonPans) {
    EditorFixture f;
    f.moveTo(200, 40);
    EXPECT_FLOAT_EQ(f.editor->getCursorX(), 200.0f);
    f.wheel(120);
    // The data point 200 stays under the mouse; the key at 100 moves to 100 * 1.3 - 60 = 70.
    EXPECT_FLOAT_EQ(f.editor->getCursorX(), 200.0f);
    EXPECT_EQ(f.pixel(65, 5), endUpper);
    EXPECT_EQ(f.pixel(74, 5), endUpper);
    EXPECT_NE(f.pixel(75, 5), endUpper);
    EXPECT_NE(f.pixel(95, 5), endUpper);
    // Selection tolerance follows the scale: 5 / 1.3 = 3.85 data units.
    f.leftClickAt(74, 5); // data (74 + 60) / 1.3 = 103.1
    EXPECT_TRUE(f.key(1).selected);
    f.leftClickAt(76, 5); // 104.6: beyond the tolerance
    EXPECT_FALSE(f.key(1).selected);

    f.moveTo(200, 40);
    f.wheel(-120);
    EXPECT_EQ(f.pixel(100, 5), endUpper);
    f.wheel(-120); // at scale 1 zooming out changes nothing
    EXPECT_EQ(f.pixel(100, 5), endUpper);
    EXPECT_FLOAT_EQ(f.editor->getCursorX(), 200.0f);

    // Pan with the middle button: 30 pixels right.
    f.moveTo(150, 40);
    kwtest::mouseInput(MOUSEEVENTF_MIDDLEDOWN);
    f.moveTo(180, 40);
    kwtest::mouseInput(MOUSEEVENTF_MIDDLEUP);
    EXPECT_FLOAT_EQ(f.editor->getCursorX(), 150.0f);
    EXPECT_EQ(f.editor->getPoints().size(), 2u);
    EXPECT_EQ(f.pixel(130, 5), endUpper);
    EXPECT_EQ(f.pixel(30, 35), RGB(255, 0, 0)); // the axis follows
    EXPECT_EQ(f.key(1).position, 100.0f);       // keys are not moved by panning
}

TEST(ColorEdit, RightClickOnASwatchEditsItInThePicker) {
    EditorFixture f;
    KWColorPicker* picker = f.picker();
    // Upper swatch of the key at 100: the picker opens on colour 1 and blocks the frame.
    f.rightClickAt(100, 5);
    ASSERT_TRUE(IsWindowVisible(picker->getHandle()));
    EXPECT_FALSE(f.frame->isActive());
    f.settlePicker();
    // Move the box marker to the white corner and confirm.
    SendMessageA(f.pickerBox(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    f.settlePicker();
    SendMessageA(picker->getOkButton(), BM_CLICK, 0, 0);
    kwtest::pumpMessages();
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    EXPECT_TRUE(f.frame->isActive());
    expectColor(f.key(1).color1, 255, 255, 255, 255);
    expectColor(f.key(1).color2, 0, 0, 200, 255);
    expectColor(f.key(0).color1, 50, 100, 200, 255);
    EXPECT_EQ(f.pixel(100, 5), RGB(255, 255, 255));

    // Lower swatch, then "Cancel" after moving the marker: nothing changes.
    f.rightClickAt(100, 15);
    ASSERT_TRUE(IsWindowVisible(picker->getHandle()));
    f.settlePicker();
    // Read back from the picker's pixels: the hue slider's row for blue is a few levels off pure blue.
    EXPECT_NEAR(picker->getColor().g, 0, 4);
    EXPECT_NEAR(picker->getColor().b, 200, 1);
    SendMessageA(f.pickerBox(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    f.settlePicker();
    SendMessageA(picker->getCancelButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    EXPECT_TRUE(f.frame->isActive());
    expectColor(f.key(1).color2, 0, 0, 200, 255);

    // The close box: the same.
    f.rightClickAt(100, 15);
    ASSERT_TRUE(IsWindowVisible(picker->getHandle()));
    f.settlePicker();
    SendMessageA(f.pickerBox(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    f.settlePicker();
    SendMessageA(picker->getHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    kwtest::pumpMessages();
    EXPECT_TRUE(IsWindow(picker->getHandle()));
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    EXPECT_TRUE(f.frame->isActive());
    expectColor(f.key(1).color2, 0, 0, 200, 255);
}

TEST(ColorEdit, RightClickBesideTheSwatchesOpensNothingAndForgetsTheEditedKey) {
    EditorFixture f;
    KWColorPicker* picker = f.picker();
    f.rightClickAt(100, 5);
    ASSERT_TRUE(IsWindowVisible(picker->getHandle()));
    SendMessageA(picker->getCancelButton(), BM_CLICK, 0, 0);

    f.rightClickAt(100, 21); // below 4m
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    f.rightClickAt(50, 5); // beside every key
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    EXPECT_TRUE(f.frame->isActive());
    // With no key being edited an "Ok" stores nothing.
    SendMessageA(picker->getHandle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(picker->getOkButton()));
    for (size_t i = 0; i < 2; ++i) {
        expectColor(f.key(i).color1, 50, 100, 200, 255);
        expectColor(f.key(i).color2, 0, 0, 200, 255);
    }
}

TEST(ColorEdit, ShiftRightClickCopiesTheOtherSwatch) {
    EditorFixture f;
    ASSERT_TRUE(f.editor->setPoints(keysWith(KWColor(255, 0, 0, 255), KWColor(0, 255, 0, 255))));
    f.moveTo(50, 15);
    SendMessageA(f.window(), WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(50, 15));
    expectColor(f.key(1).color2, 255, 0, 0, 255);
    expectColor(f.key(1).color1, 255, 0, 0, 255);
    EXPECT_FALSE(IsWindowVisible(f.picker()->getHandle()));
    // The repaint waits for the next message.
    f.moveTo(51, 15);
    EXPECT_EQ(f.pixel(50, 15), RGB(255, 0, 0));

    ASSERT_TRUE(f.editor->setPoints(keysWith(KWColor(255, 0, 0, 255), KWColor(0, 255, 0, 255))));
    f.moveTo(50, 10); // row 2m belongs to the upper swatch
    SendMessageA(f.window(), WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(50, 10));
    expectColor(f.key(1).color1, 0, 255, 0, 255);
    expectColor(f.key(1).color2, 0, 255, 0, 255);
}

TEST(ColorEdit, PlusAndMinusResizeTheSwatchesWithinThreeAndTwenty) {
    EditorFixture f;
    for (int i = 0; i < 20; ++i) {
        f.typed('+');
    }
    kwtest::pumpMessages();
    // m = 20: the key at 100 spans columns 80 to 119, upper rows 0 to 39.
    EXPECT_EQ(f.pixel(80, 39), endUpper);
    EXPECT_EQ(f.pixel(119, 0), endUpper);
    EXPECT_EQ(f.pixel(100, 40), endLower);
    EXPECT_NE(f.pixel(120, 0), endUpper);
    f.leftClickAt(118, 70); // within 4m = 80 rows and 20 data units
    EXPECT_TRUE(f.key(1).selected);

    for (int i = 0; i < 20; ++i) {
        f.typed('-');
    }
    kwtest::pumpMessages();
    // m = 3: columns 97 to 102, rows 0 to 5 and 6 to 11.
    EXPECT_EQ(f.pixel(97, 5), endUpper);
    EXPECT_EQ(f.pixel(102, 6), endLower);
    EXPECT_NE(f.pixel(96, 5), endUpper);
    EXPECT_NE(f.pixel(103, 5), endUpper);
    f.typed('x');
    kwtest::pumpMessages();
    EXPECT_NE(f.pixel(103, 5), endUpper);
}

TEST(ColorEdit, KeysCanBeReadReplacedAndEvaluated) {
    EditorFixture f;
    std::vector<KWColorPoint> keys = keysWith(KWColor(100, 0, 0, 255), KWColor(0, 0, 0, 0), 40.0f);
    ASSERT_TRUE(f.editor->setPoints(keys));
    kwtest::pumpMessages();
    EXPECT_EQ(f.pixel(40, 5), RGB(100, 0, 0));
    KWColor c1, c2;
    ASSERT_TRUE(f.editor->evaluate(20.0f, c1, c2));
    expectColor(c1, 75, 50, 100, 255);
    expectColor(c2, 0, 0, 100, 128);
    // Invalid keys are refused and nothing changes.
    keys[1].color1.r = 300;
    EXPECT_FALSE(f.editor->setPoints(keys));
    keys[1].color1.r = 100;
    keys[1].position = 120.0f;
    EXPECT_FALSE(f.editor->setPoints(keys));
    keys.pop_back();
    EXPECT_FALSE(f.editor->setPoints(keys));
    ASSERT_EQ(f.editor->getPoints().size(), 3u);
    EXPECT_EQ(f.key(1).position, 40.0f);
    expectColor(f.key(1).color1, 100, 0, 0, 255);
}

TEST(ColorEdit, RepaintingReleasesWhatItCreates) {
    EditorFixture f;
    ASSERT_TRUE(f.editor->setPoints(keysWith(KWColor(255, 0, 0, 128), KWColor(0, 0, 255, 64))));
    f.leftClickAt(50, 5);
    kwtest::pumpMessages();
    const unsigned long before = kwtest::gdiObjectCount();
    const unsigned long blocksBefore = kwtest::heapBlockCount();
    for (int i = 0; i < 60; ++i) {
        RedrawWindow(f.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    // A resize rebuilds the buffer: the old one is released.
    SetWindowPos(f.window(), nullptr, 0, 0, 300, 60, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(f.window(), nullptr, 0, 0, 500, 80, SWP_NOMOVE | SWP_NOZORDER);
    kwtest::pumpMessages();
    EXPECT_LE(kwtest::gdiObjectCount(), before);
    // GDI+ objects hold no GDI handle: a leaked brush or bitmap shows as heap blocks. A few blocks of
    // slack for the platform's own bookkeeping; a leak per paint adds dozens.
    EXPECT_LE(kwtest::heapBlockCount(), blocksBefore + 4);
}
