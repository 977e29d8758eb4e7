#include "PaintProbe.h"
#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

struct Frame {
    std::unique_ptr<ProbeGadget> window;
    Frame() : window(ProbeGadget::create(nullptr, 100, 400, 300, 200)) { kwtest::pumpMessages(); }
    KWObject* get() const { return window.get(); }
};

KWColorPicker* pickerOf(KWObject* gadget) {
    for (int i = 0; i < gadget->getChildCount(); ++i) {
        if (gadget->getChild(i)->getType() == GADGET_COLORPICKER) {
            return static_cast<KWColorPicker*>(gadget->getChild(i));
        }
    }
    return nullptr;
}

void expectColor(const KWColor& c, int r, int g, int b, int a) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
}

void clickAt(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    kwtest::pumpMessages();
}

// Lets the shown picker's paint chain run so that its colour is the one under its markers.
void settlePicker(KWColorPicker* picker) {
    for (int i = 0; i < 4; ++i) {
        RedrawWindow(picker->getHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        kwtest::pumpMessages();
    }
}

HWND pickerArea(KWColorPicker* picker, int x, int y) {
    for (HWND child = GetWindow(picker->getHandle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const KWBound rect = kwtest::rectInParent(child);
        if (rect.left == x && rect.top == y) {
            return child;
        }
    }
    return nullptr;
}

// The system colour dialog of the next ChooseColorA on this thread: records the colour it opens on,
// then types the given colour and confirms, or cancels. Installed after the message-box catcher, so it
// sees the dialog first and keeps it from the catcher.
struct ColorDialogDriver {
    static ColorDialogDriver*& current() {
        static ColorDialogDriver* driver = nullptr;
        return driver;
    }
    HHOOK hook;
    bool confirm;
    int red, green, blue;
    int opened = 0;
    int openRed = -1, openGreen = -1, openBlue = -1;

    ColorDialogDriver(bool confirm, int r, int g, int b) : confirm(confirm), red(r), green(g), blue(b) {
        current() = this;
        hook = SetWindowsHookExA(WH_CBT, onCbt, nullptr, GetCurrentThreadId());
    }
    ~ColorDialogDriver() {
        UnhookWindowsHookEx(hook);
        current() = nullptr;
    }
    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam) {
        ColorDialogDriver* self = current();
        HWND dialog = reinterpret_cast<HWND>(wParam);
        // 706 to 708: the dialog's red, green and blue fields.
        if (self && code == HCBT_ACTIVATE && GetDlgItem(dialog, 706)) {
            ++self->opened;
            self->openRed = static_cast<int>(GetDlgItemInt(dialog, 706, nullptr, FALSE));
            self->openGreen = static_cast<int>(GetDlgItemInt(dialog, 707, nullptr, FALSE));
            self->openBlue = static_cast<int>(GetDlgItemInt(dialog, 708, nullptr, FALSE));
            if (self->confirm) {
                SetDlgItemInt(dialog, 706, static_cast<UINT>(self->red), FALSE);
                SetDlgItemInt(dialog, 707, static_cast<UINT>(self->green), FALSE);
                SetDlgItemInt(dialog, 708, static_cast<UINT>(self->blue), FALSE);
            }
            PostMessageA(dialog, WM_COMMAND, self->confirm ? IDOK : IDCANCEL, 0);
            return 0;
        }
        return CallNextHookEx(self ? self->hook : nullptr, code, wParam, lParam);
    }
};

// Counts WM_ERASEBKGND sent to one window.
struct EraseCounter {
    static EraseCounter*& current() {
        static EraseCounter* counter = nullptr;
        return counter;
    }
    HWND window;
    HHOOK hook;
    int erases = 0;
    explicit EraseCounter(HWND window) : window(window) {
        current() = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, onCall, nullptr, GetCurrentThreadId());
    }
    ~EraseCounter() {
        UnhookWindowsHookEx(hook);
        current() = nullptr;
    }
    static LRESULT CALLBACK onCall(int code, WPARAM wParam, LPARAM lParam) {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        EraseCounter* self = current();
        if (self && code == HC_ACTION && call->hwnd == self->window && call->message == WM_ERASEBKGND) {
            ++self->erases;
        }
        return CallNextHookEx(self ? self->hook : nullptr, code, wParam, lParam);
    }
};

} // namespace

TEST(ColorButton, CreationChecksTheParent) {
    kwtest::clearMessageBoxes();
    EXPECT_EQ(KWColorButton::create(STYLE_DEFAULT, 0, 0, 20, 20, KWColor(), nullptr, 3), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text,
              "KWColorButton cannot be created without a parent.Creation failed");

    Frame frame;
    KWColorButton* button =
        KWColorButton::create(STYLE_SIZABLE, 5, 6, 40, 30, KWColor(1, 2, 3, 4), frame.get(), 77);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->getType(), GADGET_COLORBUTTON);
    EXPECT_EQ(button->getId(), 77);
    EXPECT_EQ(kwtest::windowClassName(button->getHandle()), "KWPANEL");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(button->getHandle(), GWL_STYLE)) & 0xFFFF0000u, 0x50000000u);
    const KWBound placed = kwtest::rectInParent(button->getHandle());
    EXPECT_EQ(placed.left, 5);
    EXPECT_EQ(placed.top, 6);
    expectColor(button->getColor(), 1, 2, 3, 4);

    // A parent whose window is gone: the window cannot be made, the object is still returned.
    std::unique_ptr<ProbeGadget> dead(ProbeGadget::create(nullptr, 0, 0, 50, 50));
    DestroyWindow(dead->getHandle());
    kwtest::clearMessageBoxes();
    KWColorButton* orphan = KWColorButton::create(STYLE_DEFAULT, 0, 0, 20, 20, KWColor(), dead.get(), 1);
    ASSERT_TRUE(orphan);
    EXPECT_EQ(orphan->getHandle(), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Color Button creation failed !");
    kwtest::clearMessageBoxes();
}

TEST(ColorButton, PaintsOpaqueAndRepaintsWithoutErasing) {
    Frame frame;
    KWColorButton* button =
        KWColorButton::create(STYLE_DEFAULT, 10, 10, 40, 30, KWColor(10, 20, 30, 0), frame.get(), 0);
    kwtest::pumpMessages();
    EXPECT_EQ(kwtest::pixelAt(button->getHandle(), 20, 15), RGB(10, 20, 30));
    EXPECT_EQ(kwtest::pixelAt(button->getHandle(), 39, 29), RGB(10, 20, 30));

    EraseCounter counter(button->getHandle());
    button->setColor(KWColor(200, 100, 0, 255));
    RECT update = {};
    EXPECT_TRUE(GetUpdateRect(button->getHandle(), &update, FALSE));
    UpdateWindow(button->getHandle());
    EXPECT_EQ(counter.erases, 0);
    EXPECT_EQ(kwtest::pixelAt(button->getHandle(), 20, 15), RGB(200, 100, 0));
    expectColor(button->getColor(), 200, 100, 0, 255);
}

TEST(ColorButton, ReleaseOpensTheSystemDialogOnItsFixedColour) {
    Frame frame;
    KWColorButton* button =
        KWColorButton::create(STYLE_DEFAULT, 10, 10, 40, 30, KWColor(1, 2, 3, 99), frame.get(), 0);
    kwtest::pumpMessages();
    {
        ColorDialogDriver driver(true, 40, 50, 60);
        clickAt(button->getHandle(), 5, 5);
        ASSERT_EQ(driver.opened, 1);
        EXPECT_EQ(driver.openRed, 125);
        EXPECT_EQ(driver.openGreen, 47);
        EXPECT_EQ(driver.openBlue, 241);
    }
    // The dialog has no alpha: the previous one is kept.
    expectColor(button->getColor(), 40, 50, 60, 99);
    EXPECT_EQ(kwtest::pixelAt(button->getHandle(), 20, 15), RGB(40, 50, 60));
    {
        // Opens on the fixed colour again, not on the shown one; cancelling changes nothing.
        ColorDialogDriver driver(false, 0, 0, 0);
        clickAt(button->getHandle(), 5, 5);
        ASSERT_EQ(driver.opened, 1);
        EXPECT_EQ(driver.openRed, 125);
    }
    expectColor(button->getColor(), 40, 50, 60, 99);
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST(ColorButtons, CreationRefusesAMissingParentOrWindow) {
    Frame frame;
    kwtest::clearMessageBoxes();
    EXPECT_EQ(
        KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 20, KWColor(), KWColor(), nullptr, frame.get(), 0),
        nullptr);
    EXPECT_EQ(
        KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 20, KWColor(), KWColor(), frame.get(), nullptr, 0),
        nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 2u);
    for (const kwtest::MessageBoxRecord& box : kwtest::messageBoxes()) {
        EXPECT_EQ(box.caption, "KW Error");
        EXPECT_EQ(box.text, "KWColorButtons cannot be created without a parent.Creation failed");
    }
    EXPECT_EQ(frame.get()->getChildCount(), 0);

    std::unique_ptr<ProbeGadget> dead(ProbeGadget::create(nullptr, 0, 0, 50, 50));
    DestroyWindow(dead->getHandle());
    kwtest::clearMessageBoxes();
    KWColorButtons* orphan = KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 20, KWColor(), KWColor(),
                                                    dead.get(), frame.get(), 0);
    ASSERT_TRUE(orphan);
    EXPECT_EQ(orphan->getHandle(), nullptr);
    EXPECT_EQ(orphan->getChildCount(), 0); // no picker
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Color Buttons creation failed !");
    kwtest::clearMessageBoxes();

    KWColorButtons* buttons = KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 20, KWColor(1, 2, 3, 4),
                                                     KWColor(5, 6, 7, 8), frame.get(), frame.get(), 55);
    ASSERT_TRUE(buttons);
    EXPECT_EQ(buttons->getType(), GADGET_COLORBUTTONS);
    EXPECT_EQ(buttons->getId(), -1);
    expectColor(buttons->getColor1(), 1, 2, 3, 4);
    expectColor(buttons->getColor2(), 5, 6, 7, 8);
    KWColorPicker* picker = pickerOf(buttons);
    ASSERT_TRUE(picker);
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    RECT outer = {};
    GetWindowRect(picker->getHandle(), &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 100);
}

TEST(ColorButtons, HalvesSplitAtHalfTheWidthOverTheCheckerboard) {
    Frame frame;
    KWColorButtons* buttons = KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 30, KWColor(255, 0, 0, 255),
                                                     KWColor(0, 0, 255, 255), frame.get(), frame.get(), 0);
    kwtest::pumpMessages();
    HWND window = buttons->getHandle();
    EXPECT_EQ(kwtest::pixelAt(window, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(kwtest::pixelAt(window, 49, 29), RGB(255, 0, 0));
    EXPECT_EQ(kwtest::pixelAt(window, 50, 0), RGB(0, 0, 255));
    EXPECT_EQ(kwtest::pixelAt(window, 99, 29), RGB(0, 0, 255));

    KWColorButtons* seeThrough = KWColorButtons::create(STYLE_DEFAULT, 0, 40, 100, 30, KWColor(255, 0, 0, 0),
                                                        KWColor(255, 0, 0, 128), frame.get(), frame.get(), 0);
    kwtest::pumpMessages();
    HWND other = seeThrough->getHandle();
    // Alpha 0: the checkerboard unchanged (grey at top left of each tile, white beside it).
    EXPECT_EQ(kwtest::pixelAt(other, 2, 2), RGB(150, 150, 150));
    EXPECT_EQ(kwtest::pixelAt(other, 7, 2), RGB(255, 255, 255));
    EXPECT_EQ(kwtest::pixelAt(other, 12, 7), RGB(255, 255, 255));
    // Alpha 128: the checkerboard shows through the red.
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(other, 52, 2), 203, 75, 75, 2))
        << kwtest::describe(kwtest::pixelAt(other, 52, 2));
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(other, 57, 2), 255, 127, 127, 2));
}

TEST(ColorButtons, ClickOpensThePickerOnTheClickedHalf) {
    Frame frame;
    KWColorButtons* buttons =
        KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 30, KWColor(255, 0, 0, 200),
                               KWColor(255, 128, 128, 100), frame.get(), frame.get(), 0);
    kwtest::pumpMessages();
    KWColorPicker* picker = pickerOf(buttons);
    ASSERT_TRUE(picker);

    clickAt(buttons->getHandle(), 50, 10);
    EXPECT_TRUE(IsWindowVisible(picker->getHandle()));
    EXPECT_FALSE(frame.get()->isActive());
    settlePicker(picker);
    expectColor(picker->getColor(), 255, 0, 0, 200);
    SendMessageA(picker->getHandle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(frame.get()->isActive());

    clickAt(buttons->getHandle(), 51, 10);
    EXPECT_TRUE(IsWindowVisible(picker->getHandle()));
    settlePicker(picker);
    expectColor(picker->getColor(), 255, 128, 128, 100);
    SendMessageA(picker->getHandle(), WM_CLOSE, 0, 0);

    // Outside the client area nothing opens.
    clickAt(buttons->getHandle(), 101, 10);
    clickAt(buttons->getHandle(), 10, -1);
    clickAt(buttons->getHandle(), -1, 10);
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    EXPECT_TRUE(frame.get()->isActive());
}

TEST(ColorButtons, PickerOpensBesideItsSwatchInsideTheWorkArea) {
    Frame frame;
    KWColorButtons* buttons = KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 30, KWColor(255, 0, 0, 255),
                                                     KWColor(0, 0, 255, 255), frame.get(), frame.get(), 0);
    kwtest::pumpMessages();
    KWColorPicker* picker = pickerOf(buttons);
    ASSERT_TRUE(picker);
    clickAt(buttons->getHandle(), 70, 10);
    RECT swatch = {50, 0, 100, 30};
    MapWindowPoints(buttons->getHandle(), nullptr, reinterpret_cast<POINT*>(&swatch), 2);
    RECT popup = {};
    GetWindowRect(picker->getHandle(), &popup);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromRect(&swatch, MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT& work = monitor.rcWork;
    EXPECT_EQ(popup.left, std::min<LONG>(swatch.left, work.right - (popup.right - popup.left)));
    EXPECT_TRUE(popup.top == swatch.bottom || popup.bottom == swatch.top || popup.bottom == work.bottom);
    EXPECT_TRUE(popup.left >= work.left && popup.top >= work.top && popup.right <= work.right &&
                popup.bottom <= work.bottom);
    SendMessageA(picker->getHandle(), WM_CLOSE, 0, 0);
}

TEST(ColorButtons, OkStoresThePickedColourAndRepaintsCancelAndCloseChangeNothing) {
    Frame frame;
    KWColorButtons* buttons = KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 30, KWColor(255, 0, 0, 255),
                                                     KWColor(0, 0, 255, 255), frame.get(), frame.get(), 0);
    kwtest::pumpMessages();
    KWColorPicker* picker = pickerOf(buttons);
    ASSERT_TRUE(picker);
    HWND box = pickerArea(picker, 10, 10);
    HWND alpha = pickerArea(picker, 320, 10);
    ASSERT_TRUE(box && alpha);

    // Cancel after moving the markers.
    clickAt(buttons->getHandle(), 70, 10);
    settlePicker(picker);
    SendMessageA(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    SendMessageA(alpha, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(15, 30));
    settlePicker(picker);
    SendMessageA(picker->getCancelButton(), BM_CLICK, 0, 0);
    kwtest::pumpMessages();
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    EXPECT_TRUE(frame.get()->isActive());
    expectColor(buttons->getColor2(), 0, 0, 255, 255);

    // The close box: the same, and the popup survives for the next opening.
    clickAt(buttons->getHandle(), 70, 10);
    settlePicker(picker);
    SendMessageA(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    settlePicker(picker);
    SendMessageA(picker->getHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    kwtest::pumpMessages();
    EXPECT_TRUE(IsWindow(picker->getHandle()));
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    EXPECT_TRUE(frame.get()->isActive());
    expectColor(buttons->getColor2(), 0, 0, 255, 255);

    // Ok: white with alpha 30 goes to colour 2 and shows at once.
    clickAt(buttons->getHandle(), 70, 10);
    settlePicker(picker);
    SendMessageA(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    SendMessageA(alpha, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(15, 30));
    settlePicker(picker);
    SendMessageA(picker->getOkButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(picker->getHandle()));
    EXPECT_TRUE(frame.get()->isActive());
    expectColor(buttons->getColor2(), 255, 255, 255, 30);
    expectColor(buttons->getColor1(), 255, 0, 0, 255);
    RECT update = {};
    EXPECT_TRUE(GetUpdateRect(buttons->getHandle(), &update, FALSE));
    // White at alpha 30 over the grey cell: 150 + (255 - 150) * 30 / 255.
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(buttons->getHandle(), 52, 2), 162, 162, 162, 2))
        << kwtest::describe(kwtest::pixelAt(buttons->getHandle(), 52, 2));

    // The next opening starts from the stored colour.
    clickAt(buttons->getHandle(), 70, 10);
    settlePicker(picker);
    expectColor(picker->getColor(), 255, 255, 255, 30);
    SendMessageA(picker->getCancelButton(), BM_CLICK, 0, 0);
    EXPECT_TRUE(frame.get()->isActive());
}

TEST(ColorButtons, RepaintingReleasesWhatItCreates) {
    Frame frame;
    KWColorButtons* buttons = KWColorButtons::create(STYLE_DEFAULT, 0, 0, 100, 30, KWColor(255, 0, 0, 128),
                                                     KWColor(0, 0, 255, 64), frame.get(), frame.get(), 0);
    KWColorButton* button = KWColorButton::create(STYLE_DEFAULT, 0, 40, 50, 30, KWColor(), frame.get(), 0);
    kwtest::pumpMessages();
    const unsigned long before = kwtest::gdiObjectCount();
    const unsigned long blocksBefore = kwtest::heapBlockCount();
    for (int i = 0; i < 60; ++i) {
        RedrawWindow(buttons->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        button->setColor(KWColor(i, i, i, 255));
        UpdateWindow(button->getHandle());
    }
    kwtest::pumpMessages();
    EXPECT_LE(kwtest::gdiObjectCount(), before);
    // GDI+ objects hold no GDI handle: a leaked brush or bitmap shows as heap blocks. A few blocks of
    // slack for the platform's own bookkeeping; a leak per paint adds dozens.
    EXPECT_LE(kwtest::heapBlockCount(), blocksBefore + 4);
}
