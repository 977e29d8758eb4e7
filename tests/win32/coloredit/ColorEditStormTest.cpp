#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

bool componentsInRange(const KWColor& c) {
    for (int v : {c.r, c.g, c.b, c.a}) {
        if (v < 0 || v > 255) {
            return false;
        }
    }
    return true;
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

} // namespace

// Random mouse, wheel, keyboard and size messages, with the cursor placed at random over and around
// the editor, and the picker driven with random markers and answers. Seeded, so a failure repeats.
TEST(ColorEditStorm, RandomMessagesKeepTheKeysValid) {
    std::unique_ptr<ProbeGadget> frame(ProbeGadget::create(nullptr, 100, 420, 560, 160));
    KWColorEdit* editor = KWColorEdit::create(STYLE_DEFAULT, 10, 10, 500, 80, frame.get(), frame.get());
    ASSERT_TRUE(editor && editor->getHandle());
    HWND window = editor->getHandle();
    KWColorPicker* picker = static_cast<KWColorPicker*>(editor->getChild(0));
    HWND pickerWindows[] = {pickerArea(picker, 10, 10), pickerArea(picker, 280, 10),
                            pickerArea(picker, 320, 10)};
    kwtest::pumpMessages();

    std::mt19937 random(20240517);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Mostly over the keys and swatches, sometimes anywhere a 16-bit coordinate reaches.
    auto coordinate = [&](int reach) {
        switch (pick(0, 9)) {
        case 0:
            return pick(-32768, 32767);
        case 1:
            return pick(-40, 0);
        case 2:
            return pick(0, 600);
        default:
            return pick(-10, reach);
        }
    };
    const UINT mouseMessages[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN,   WM_LBUTTONUP,
                                  WM_RBUTTONDOWN, WM_RBUTTONUP,     WM_MBUTTONDOWN,
                                  WM_MBUTTONUP,   WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK};
    const WPARAM keys[] = {VK_DELETE, VK_HOME, VK_LEFT, 'A', VK_SHIFT};
    const char chars[] = {'+', '-', '+', '-', 'x', '='};

    // Brings data 0 back to the left edge at scale 1, so that the storm keeps reaching the keys.
    auto recentre = [&]() {
        for (int i = 0; i < 70; ++i) {
            editor->zoomOut();
        }
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
        editor->moveView(static_cast<int>(editor->getCursorX()), 0);
    };

    for (int step = 0; step < 4000; ++step) {
        if (step % 200 == 0) {
            recentre();
        }
        const int kind = pick(0, 99);
        if (kind < 45) {
            const UINT msg = mouseMessages[pick(0, 8)];
            SendMessageA(window, msg, static_cast<WPARAM>(pick(0, 0x1F)),
                         MAKELPARAM(coordinate(110), coordinate(45)));
        } else if (kind < 55) {
            POINT corner = {0, 0};
            ClientToScreen(window, &corner);
            SetCursorPos(corner.x + coordinate(110) % 700, corner.y + coordinate(45) % 200);
        } else if (kind < 62) {
            const int delta = pick(0, 3) == 0 ? pick(-32768, 32767) : (pick(0, 1) ? 120 : -120);
            SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(pick(0, 0x1F), delta),
                         MAKELPARAM(coordinate(1000), coordinate(1000)));
        } else if (kind < 70) {
            SendMessageA(window, WM_KEYDOWN, keys[pick(0, 4)], 0);
        } else if (kind < 78) {
            SendMessageA(window, WM_CHAR, static_cast<WPARAM>(chars[pick(0, 5)]), 0);
        } else if (kind < 81) {
            const int width = pick(0, 3) == 0 ? 0 : pick(0, 700);
            const int height = pick(0, 3) == 0 ? 0 : pick(0, 200);
            SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        } else if (kind < 88) {
            HWND area = pickerWindows[pick(0, 2)];
            SendMessageA(area, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pick(-300, 300), pick(-300, 300)));
        } else if (kind < 92) {
            HWND button = pick(0, 1) ? picker->getOkButton() : picker->getCancelButton();
            SendMessageA(picker->getHandle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        } else if (kind < 93) {
            SendMessageA(picker->getHandle(), WM_CLOSE, 0, 0);
        } else if (kind < 96) {
            editor->moveView(pick(0, 19) == 0 ? pick(-100000, 100000) : pick(-20, 20), 0);
            pick(0, 1) ? editor->zoomIn() : editor->zoomOut();
        } else {
            RedrawWindow(picker->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            kwtest::pumpMessages();
        }
        if (step % 50 == 0) {
            UpdateWindow(window);
            kwtest::pumpMessages();
        }
    }
    SendMessageA(picker->getHandle(), WM_CLOSE, 0, 0);
    kwtest::pumpMessages();

    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(frame->isActive());
    const std::vector<KWColorPoint>& points = editor->getPoints();
    ASSERT_GE(points.size(), 2u);
    int fixedKeys = 0;
    for (const KWColorPoint& key : points) {
        EXPECT_GE(key.position, 0.0f);
        EXPECT_LE(key.position, 100.0f);
        EXPECT_TRUE(componentsInRange(key.color1));
        EXPECT_TRUE(componentsInRange(key.color2));
        fixedKeys += key.fixed ? 1 : 0;
    }
    EXPECT_EQ(fixedKeys, 2);
    KWColor c1, c2;
    EXPECT_TRUE(editor->evaluate(50.0f, c1, c2));
    EXPECT_TRUE(componentsInRange(c1) && componentsInRange(c2));
}
