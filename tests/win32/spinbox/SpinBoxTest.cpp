#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cmath>
#include <memory>
#include <string>

using namespace KW;

namespace {

HWND editOf(KWSpinBox* box) {
    return FindWindowExA(box->getHandle(), nullptr, "Edit", nullptr);
}

HWND arrowsOf(KWSpinBox* box) {
    return FindWindowExA(box->getHandle(), nullptr, UPDOWN_CLASSA, nullptr);
}

DWORD styleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
}

// A pixel of a window including its frame, once painting is done.
COLORREF framePixel(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    kwtest::pumpMessages();
    HDC dc = GetWindowDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

void expectRect(HWND window, int x, int y, int width, int height) {
    const KWBound rect = kwtest::rectInParent(window);
    EXPECT_EQ(rect.left, x);
    EXPECT_EQ(rect.top, y);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
}

void typeChars(HWND edit, const std::string& text) {
    for (char c : text) {
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

bool setClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    return placed;
}

std::string clipboardText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

LPARAM point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// A click on the arrows at (x, y) as the mouse delivers it.
void clickArrows(HWND arrows, int x, int y) {
    PostMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
    PostMessageA(arrows, WM_LBUTTONUP, 0, point(x, y));
    kwtest::pumpMessages();
}

class SpinBoxTest : public testing::Test {
protected:
    void SetUp() override {
        window.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 500, 400, "Spin", nullptr, 0));
        ASSERT_TRUE(window->getHandle());
        ShowWindow(window->getHandle(), SW_SHOW);
        SetForegroundWindow(window->getHandle());
        kwtest::pumpMessages();
        other = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 300, 300, 80, 20, window->getHandle(),
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        kwtest::clearMessageBoxes();
    }

    KWSpinBox* makeBox(float value, float minValue, float maxValue, float step, bool vertical = true,
                       bool editable = true) {
        return KWSpinBox::create(STYLE_DEFAULT, value, 10, 20, 120, 20, minValue, maxValue, step, vertical,
                                 editable, window.get(), 7);
    }

    // Focus into the edit, then away from it: what a user does by clicking in and out.
    void focusEdit(KWSpinBox* box) {
        SetFocus(editOf(box));
        ASSERT_EQ(GetFocus(), editOf(box));
    }
    void leaveEdit() {
        SetFocus(other);
        ASSERT_EQ(GetFocus(), other);
    }

    std::unique_ptr<KWWindow> window;
    HWND other = nullptr;
};

} // namespace

TEST_F(SpinBoxTest, BuildsContainerEditAndArrows) {
    KWSpinBox* box = makeBox(1.0f, 0.0f, 10.0f, 1.0f);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->getType(), GADGET_SPINBOX);
    EXPECT_EQ(box->getId(), 7);
    EXPECT_EQ(window->getChildCount(), 1);
    EXPECT_TRUE(kwtest::messageBoxes().empty());

    HWND container = box->getHandle();
    EXPECT_EQ(kwtest::windowClassName(container), "KWPANEL");
    EXPECT_EQ(GetParent(container), window->getHandle());
    EXPECT_EQ(styleOf(container) & 0xFFFF0000, 0x50000000u);
    expectRect(container, 10, 20, 120, 20);

    HWND edit = editOf(box);
    HWND arrows = arrowsOf(box);
    ASSERT_TRUE(edit);
    ASSERT_TRUE(arrows);
    // The platform may take WS_BORDER out of the style and draw the frame itself: the frame shows.
    EXPECT_EQ(styleOf(edit) & ~WS_BORDER, 0x50000400u);
    EXPECT_NE(framePixel(edit, 0, 10), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(framePixel(edit, 95, 10), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(styleOf(arrows), 0x50000000u);
    expectRect(edit, 0, 0, 100, 20);
    expectRect(arrows, 100, 0, 20, 20);
    // No buddy: the arrows drive the edit only through the gadget.
    EXPECT_EQ(SendMessageA(arrows, UDM_GETBUDDY, 0, 0), 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));

    EXPECT_EQ(kwtest::windowText(edit), "1.00000");
    EXPECT_EQ(box->getText(), "1.00000");
    EXPECT_EQ(box->getValue(), 1.0f);
}

TEST_F(SpinBoxTest, HorizontalAndReadOnlyStyles) {
    KWSpinBox* box = makeBox(0.001f, 0.0f, 1.0f, 0.001f, false, false);
    EXPECT_EQ(styleOf(editOf(box)) & ~WS_BORDER, 0x50000C00u);
    EXPECT_EQ(styleOf(arrowsOf(box)), 0x50000040u);
    EXPECT_EQ(box->getText(), "0.00100");
}

TEST_F(SpinBoxTest, NoParentRefusesWithMessage) {
    EXPECT_EQ(KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 100, 20, 0.0f, 5.0f, 1.0f, true, true, nullptr, 0),
              nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "KWSpinBox cannot be created without a parent.Creation failed");
}

TEST_F(SpinBoxTest, WindowFailureIsReportedAndTheObjectReturned) {
    // A parent whose own window failed: no child window can be made in it.
    kwtest::ProbeGadget* broken =
        kwtest::ProbeGadget::create(window.get(), 0, 0, 10, 10, 1, GADGET_PANEL, "NoSuchClass");
    ASSERT_FALSE(broken->getHandle());
    kwtest::clearMessageBoxes();

    KWSpinBox* box =
        KWSpinBox::create(STYLE_DEFAULT, 3.0f, 0, 0, 100, 20, 0.0f, 5.0f, 1.0f, true, true, broken, 2);
    ASSERT_TRUE(box);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Spin Box creation failed !");
    EXPECT_EQ(box->getHandle(), nullptr);
    EXPECT_EQ(broken->getChildCount(), 1);
    // Unwired, but safe to use.
    EXPECT_EQ(box->getText(), "");
    box->setValue(4.0f);
    EXPECT_EQ(box->getValue(), 3.0f);
    KWBound bound(0, 50, 0, 20);
    box->setPlacement(bound);
    EXPECT_EQ(bound.right, 50);
}

TEST_F(SpinBoxTest, SetValueClampsAndFormats) {
    KWSpinBox* box = makeBox(9.0f, 0.0f, 5.0f, 1.0f);
    // The initial value is clamped too.
    EXPECT_EQ(box->getText(), "5.00000");
    box->setValue(7.0f);
    EXPECT_EQ(box->getText(), "5.00000");
    box->setValue(-1.0f);
    EXPECT_EQ(box->getText(), "0.00000");
    box->setValue(-0.0f);
    EXPECT_EQ(box->getValue(), 0.0f);
    box->setValue(2.5f);
    EXPECT_EQ(box->getText(), "2.50000");
    EXPECT_EQ(box->getValue(), 2.5f);

    box->setValues(-10.0f, 10000.0f);
    box->setValue(5000.0f);
    EXPECT_EQ(box->getText(), "5000.00000");
    box->setValue(-2.5f);
    EXPECT_EQ(box->getText(), "-2.50000");

    // Inverted bounds: the upper one wins.
    box->setMinValue(20.0f);
    box->setMaxValue(10.0f);
    box->setValue(15.0f);
    EXPECT_EQ(box->getText(), "10.00000");
}

TEST_F(SpinBoxTest, NewBoundsWaitForTheNextChange) {
    KWSpinBox* box = makeBox(5.0f, 0.0f, 10.0f, 1.0f);
    HWND arrows = arrowsOf(box);
    box->setValues(10.0f, 20.0f);
    EXPECT_EQ(box->getText(), "5.00000");
    EXPECT_EQ(box->getValue(), 5.0f);

    // An arrow step re-clamps: 5 + 1 is below the new minimum.
    clickArrows(arrows, 10, 2);
    EXPECT_EQ(box->getText(), "10.00000");

    box->setMaxValue(12.0f);
    EXPECT_EQ(box->getText(), "10.00000");
    // Focus loss re-clamps as well.
    box->setMinValue(11.0f);
    focusEdit(box);
    leaveEdit();
    EXPECT_EQ(box->getText(), "11.00000");
}

TEST_F(SpinBoxTest, TypedValueIsClampedWhenLeavingTheField) {
    KWSpinBox* box = makeBox(50.0f, 1.0f, 100.0f, 1.0f);
    HWND edit = editOf(box);
    focusEdit(box);
    SetWindowTextA(edit, "");
    typeChars(edit, "999");
    EXPECT_EQ(kwtest::windowText(edit), "999");
    // Unclamped while typing.
    EXPECT_EQ(box->getValue(), 999.0f);
    leaveEdit();
    EXPECT_EQ(box->getText(), "100.00000");

    focusEdit(box);
    SetWindowTextA(edit, "");
    typeChars(edit, "-3.25");
    leaveEdit();
    EXPECT_EQ(box->getText(), "1.00000");

    focusEdit(box);
    SetWindowTextA(edit, "");
    typeChars(edit, "42.125");
    leaveEdit();
    EXPECT_EQ(box->getText(), "42.12500");
    EXPECT_EQ(box->getValue(), 42.125f);
}

TEST_F(SpinBoxTest, UnreadableTextFallsBackToTheValueAtFocus) {
    KWSpinBox* box = makeBox(3.0f, 0.0f, 10.0f, 1.0f);
    HWND edit = editOf(box);
    // Before the edit ever had focus, the fallback is the initial value.
    SetWindowTextA(edit, "abc");
    EXPECT_EQ(box->getValue(), 3.0f);
    box->setValue(4.0f);

    focusEdit(box);
    box->setValue(6.0f);
    // Cleared with Backspace: the value the field had when it gained focus comes back.
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(kwtest::windowText(edit), "");
    EXPECT_EQ(box->getValue(), 4.0f);
    leaveEdit();
    EXPECT_EQ(box->getText(), "4.00000");

    // A lone sign or point does not read as a number either.
    for (const char* text : {"-", ".", "-.", "x1"}) {
        focusEdit(box);
        SetWindowTextA(edit, text);
        EXPECT_EQ(box->getValue(), 4.0f) << text;
        leaveEdit();
        EXPECT_EQ(box->getText(), "4.00000") << text;
    }
    // Trailing characters are ignored.
    focusEdit(box);
    SetWindowTextA(edit, "7abc");
    leaveEdit();
    EXPECT_EQ(box->getText(), "7.00000");
}

TEST_F(SpinBoxTest, KeyboardFilter) {
    KWSpinBox* box = makeBox(1.0f, -100.0f, 100.0f, 1.0f);
    HWND edit = editOf(box);
    focusEdit(box);
    SetWindowTextA(edit, "");
    typeChars(edit, "a1b.+2 c-,e3\t\x1b");
    EXPECT_EQ(kwtest::windowText(edit), "1.2-3");

    // Backspace removes the character before the caret.
    SendMessageA(edit, EM_SETSEL, 5, 5);
    SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(kwtest::windowText(edit), "1.2-");

    // The Delete key comes as a key press, not a character.
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(kwtest::windowText(edit), ".2-");

    // Letters of any script are kept out, whatever their code's low byte (U+0435: '5', U+4E2E: '.').
    SetWindowTextA(edit, "");
    for (wchar_t c : std::wstring(L"7\x0435\x042D\x4E2E\x0431")) {
        SendMessageW(edit, WM_CHAR, c, 1);
    }
    EXPECT_EQ(kwtest::windowText(edit), "7");

    // Text that does not come as typed characters is not filtered.
    SetWindowTextA(edit, "x");
    EXPECT_EQ(kwtest::windowText(edit), "x");
}

TEST_F(SpinBoxTest, EnterCommitsWithoutLeavingTheField) {
    KWSpinBox* box = makeBox(10.0f, 0.0f, 100.0f, 1.0f);
    HWND edit = editOf(box);
    focusEdit(box);
    SetWindowTextA(edit, "");
    typeChars(edit, "250\r");
    EXPECT_EQ(box->getText(), "100.00000");
    EXPECT_EQ(GetFocus(), edit);

    SetWindowTextA(edit, "");
    typeChars(edit, "7.5\r");
    EXPECT_EQ(box->getText(), "7.50000");
    // Typing goes on at the end of the committed text.
    typeChars(edit, "1");
    EXPECT_EQ(box->getText(), "7.500001");

    // What was committed is what an unreadable text now falls back to.
    SetWindowTextA(edit, "");
    typeChars(edit, "\r");
    EXPECT_EQ(box->getText(), "7.50000");
    SetWindowTextA(edit, "");
    leaveEdit();
    EXPECT_EQ(box->getText(), "7.50000");
}

TEST_F(SpinBoxTest, ClipboardKeysReachTheEdit) {
    KWSpinBox* box = makeBox(12.5f, 0.0f, 100.0f, 1.0f);
    HWND edit = editOf(box);
    focusEdit(box);

    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, 0x03, 1); // Ctrl+C
    EXPECT_EQ(clipboardText(), "12.50000");

    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, 0x18, 1); // Ctrl+X
    EXPECT_EQ(kwtest::windowText(edit), "");
    EXPECT_EQ(clipboardText(), "12.50000");

    SendMessageA(edit, WM_CHAR, 0x1A, 1); // Ctrl+Z
    EXPECT_EQ(kwtest::windowText(edit), "12.50000");

    ASSERT_TRUE(setClipboardText("42.25"));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, 0x16, 1); // Ctrl+V
    EXPECT_EQ(kwtest::windowText(edit), "42.25");
    EXPECT_EQ(box->getValue(), 42.25f);

    // Pasted text is not filtered; leaving the field reads what it can.
    ASSERT_TRUE(setClipboardText("hello"));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(kwtest::windowText(edit), "hello");
    leaveEdit();
    EXPECT_EQ(box->getText(), "12.50000");
}

TEST_F(SpinBoxTest, ArrowClicksStepOncePerClick) {
    KWSpinBox* box = makeBox(1.0f, 0.0f, 2.0f, 0.25f);
    HWND arrows = arrowsOf(box);
    // Vertical arrows in a 20 x 20 square: the up arrow in the top half.
    clickArrows(arrows, 10, 3);
    EXPECT_EQ(box->getText(), "1.25000");
    clickArrows(arrows, 10, 3);
    clickArrows(arrows, 10, 3);
    EXPECT_EQ(box->getText(), "1.75000");
    // No step keeps repeating after the button is up.
    kwtest::pumpUntil([] { return false; }, 700);
    EXPECT_EQ(box->getText(), "1.75000");

    clickArrows(arrows, 10, 3);
    clickArrows(arrows, 10, 3);
    EXPECT_EQ(box->getText(), "2.00000");
    for (int i = 0; i < 10; ++i) {
        clickArrows(arrows, 10, 17);
    }
    EXPECT_EQ(box->getText(), "0.00000");
    clickArrows(arrows, 10, 3);
    EXPECT_EQ(box->getText(), "0.25000");

    // Steps start from what the edit shows.
    SetWindowTextA(editOf(box), "1.5");
    clickArrows(arrows, 10, 17);
    EXPECT_EQ(box->getText(), "1.25000");
}

TEST_F(SpinBoxTest, HorizontalArrowsStepRightUp) {
    KWSpinBox* box = makeBox(5.0f, 0.0f, 10.0f, 1.0f, false);
    HWND arrows = arrowsOf(box);
    clickArrows(arrows, 16, 10);
    EXPECT_EQ(box->getText(), "6.00000");
    clickArrows(arrows, 3, 10);
    clickArrows(arrows, 3, 10);
    EXPECT_EQ(box->getText(), "4.00000");
}

TEST_F(SpinBoxTest, VerticalDragStepsPerPixel) {
    KWSpinBox* box = makeBox(1.0f, 0.0f, 10.0f, 0.01f);
    HWND arrows = arrowsOf(box);
    // The first move only anchors.
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 15));
    EXPECT_EQ(GetCapture(), arrows);
    EXPECT_EQ(box->getText(), "1.00000");
    // Ten pixels up in one move.
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 5));
    EXPECT_EQ(box->getText(), "1.10000");
    // Ten more, one pixel at a time; sideways moves change nothing.
    for (int y = 4; y >= -5; --y) {
        SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10 + y, y));
    }
    EXPECT_EQ(box->getText(), "1.20000");
    // Down decreases; coordinates past the control's edge (captured) count as signed.
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 25));
    EXPECT_EQ(box->getText(), "0.90000");
    SendMessageA(arrows, WM_LBUTTONUP, 0, point(10, 25));
    EXPECT_EQ(GetCapture(), nullptr);

    // A new drag anchors again: no jump from the old anchor.
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 0));
    EXPECT_EQ(box->getText(), "0.90000");
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 1));
    EXPECT_EQ(box->getText(), "0.89000");
    SendMessageA(arrows, WM_LBUTTONUP, 0, point(10, 1));

    // Far moves stop at the bounds.
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 0));
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, -30000));
    EXPECT_EQ(box->getText(), "10.00000");
    SendMessageA(arrows, WM_LBUTTONUP, 0, point(10, 0));
}

TEST_F(SpinBoxTest, DragNeedsTheLeftButtonAlone) {
    KWSpinBox* box = makeBox(1.0f, 0.0f, 10.0f, 0.01f);
    HWND arrows = arrowsOf(box);
    for (WPARAM keys : {WPARAM(MK_LBUTTON | MK_SHIFT), WPARAM(MK_LBUTTON | MK_CONTROL),
                        WPARAM(MK_LBUTTON | MK_RBUTTON), WPARAM(0)}) {
        SendMessageA(arrows, WM_MOUSEMOVE, keys, point(10, 15));
        SendMessageA(arrows, WM_MOUSEMOVE, keys, point(10, 5));
        EXPECT_EQ(GetCapture(), nullptr) << keys;
    }
    EXPECT_EQ(box->getText(), "1.00000");

    // Shift in the middle of a drag: those moves do not count, and the anchor stays.
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 15));
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, point(10, 10));
    EXPECT_EQ(box->getText(), "1.00000");
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 12));
    EXPECT_EQ(box->getText(), "1.03000");
    SendMessageA(arrows, WM_LBUTTONUP, 0, point(10, 12));
}

TEST_F(SpinBoxTest, HorizontalDragFollowsX) {
    KWSpinBox* box = makeBox(0.0f, -5.0f, 5.0f, 0.5f, false);
    HWND arrows = arrowsOf(box);
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(5, 10));
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(9, 0));
    EXPECT_EQ(box->getText(), "2.00000");
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(-3, 30));
    EXPECT_EQ(box->getText(), "-4.00000");
    SendMessageA(arrows, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SpinBoxTest, ReadOnlyBoxStillSpinsAndDrags) {
    KWSpinBox* box = makeBox(2.0f, 0.0f, 10.0f, 1.0f, true, false);
    HWND edit = editOf(box);
    focusEdit(box);
    typeChars(edit, "5");
    SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(box->getText(), "2.00000");

    HWND arrows = arrowsOf(box);
    clickArrows(arrows, 10, 3);
    EXPECT_EQ(box->getText(), "3.00000");
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 10));
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 8));
    EXPECT_EQ(box->getText(), "5.00000");
    SendMessageA(arrows, WM_LBUTTONUP, 0, 0);
}

TEST_F(SpinBoxTest, ReadsBackAtMost29Characters) {
    KWSpinBox* box = makeBox(0.0f, -1e38f, 1e38f, 1.0f);
    // 23 integer digits and five decimals fit.
    box->setValue(2e22f);
    EXPECT_EQ(box->getText(), "19999999556392616722432.00000");
    EXPECT_EQ(box->getValue(), 2e22f);
    // 31 integer digits: the last two are cut, so the value reads back a hundredth as large.
    box->setValue(1e30f);
    EXPECT_EQ(box->getText(), "1000000015047466219876688855040.00000");
    EXPECT_FLOAT_EQ(box->getValue(), 1e28f);
    box->setValue(-1e30f);
    EXPECT_FLOAT_EQ(box->getValue(), -1e27f);
}

TEST_F(SpinBoxTest, KeysInAnOverflowingFieldChangeOnlyTheirSelection) {
    KWSpinBox* box = makeBox(0.0f, -1e38f, 1e38f, 1.0f);
    box->setValue(2e22f);
    HWND edit = editOf(box);
    focusEdit(box);
    SendMessageA(edit, EM_SETSEL, 2, 5);
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(kwtest::windowText(edit), "19999556392616722432.00000");
    SendMessageA(edit, EM_SETSEL, 0, 2);
    SendMessageA(edit, WM_CHAR, '7', 1);
    EXPECT_EQ(kwtest::windowText(edit), "7999556392616722432.00000");
}

TEST_F(SpinBoxTest, LongTextIsTruncatedNotOverflowed) {
    KWSpinBox* box = makeBox(1.0f, 0.0f, 10.0f, 1.0f);
    HWND edit = editOf(box);
    // Far longer than both read buffers (the platform's edit grows slow with much more).
    SetWindowTextA(edit, std::string(4096, '1').c_str());
    EXPECT_EQ(box->getText(), std::string(99, '1'));
    EXPECT_FLOAT_EQ(box->getValue(), 1.1111111e28f);
    focusEdit(box);
    leaveEdit();
    EXPECT_EQ(box->getText(), "10.00000");

    // The gadget's own text is the container's; the value is untouched.
    const std::string megabyte(1 << 20, 'x');
    box->setText(megabyte);
    EXPECT_EQ(GetWindowTextLengthA(box->getHandle()), 1 << 20);
    EXPECT_EQ(box->getText(), "10.00000");
    EXPECT_EQ(box->getValue(), 10.0f);
}

TEST_F(SpinBoxTest, NotANumberFallsBack) {
    KWSpinBox* box = makeBox(3.0f, 0.0f, 10.0f, 1.0f);
    box->setValue(std::nanf(""));
    EXPECT_EQ(box->getValue(), 3.0f);
    focusEdit(box);
    leaveEdit();
    EXPECT_EQ(box->getText(), "3.00000");
}

TEST_F(SpinBoxTest, PlacementLaysOutTheParts) {
    KWSpinBox* box = makeBox(1.0f, 0.0f, 10.0f, 1.0f);
    KWBound bound(0, 200, 40, 60);
    box->setPlacement(bound);
    EXPECT_EQ(bound.left, 0);
    EXPECT_EQ(bound.right, 200);
    EXPECT_EQ(bound.top, 40);
    EXPECT_EQ(bound.bottom, 20);
    expectRect(box->getHandle(), 0, 40, 200, 20);
    expectRect(editOf(box), 0, 0, 180, 20);
    expectRect(arrowsOf(box), 180, 0, 20, 20);

    // A taller cell: the arrows stay square.
    KWBound tall(30, 130, 50, 80);
    box->setPlacement(tall);
    expectRect(box->getHandle(), 30, 50, 100, 30);
    expectRect(editOf(box), 0, 0, 70, 30);
    expectRect(arrowsOf(box), 70, 0, 30, 30);
    EXPECT_EQ(box->getText(), "1.00000");

    // Lock-to-parent goes through the same layout.
    box->lockToParent(LOCK_STRETCH_BOTTOM);
    window->doAlignment();
    const SIZE client = kwtest::clientSize(window->getHandle());
    const int height = client.cy - 50;
    expectRect(box->getHandle(), 30, 50, 100, height);
    expectRect(arrowsOf(box), 100 - height, 0, height, height);
}

TEST_F(SpinBoxTest, DestroyedWithParentEvenWhileFocused) {
    KWSpinBox* box = makeBox(1.0f, 0.0f, 10.0f, 1.0f);
    kwtest::ProbeGadget::destructionOrder().clear();
    kwtest::ProbeGadget::windowAliveAtDestruction().clear();
    kwtest::ProbeGadget::create(box, 0, 0, 5, 5, 31);
    HWND container = box->getHandle();
    HWND edit = editOf(box);
    HWND arrows = arrowsOf(box);
    focusEdit(box);
    SendMessageA(arrows, WM_MOUSEMOVE, MK_LBUTTON, point(10, 10));
    window.reset();
    EXPECT_FALSE(IsWindow(container));
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_FALSE(IsWindow(arrows));
    ASSERT_EQ(kwtest::ProbeGadget::destructionOrder().size(), 1u);
    EXPECT_EQ(kwtest::ProbeGadget::destructionOrder()[0], 31);
    EXPECT_TRUE(kwtest::ProbeGadget::windowAliveAtDestruction()[0]);
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}
