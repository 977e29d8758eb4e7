#include "ContainerHelpers.h"

#include <gtest/gtest.h>

using namespace KW;

namespace {

const COLORREF barFill = RGB(210, 208, 212);
const COLORREF barLine = RGB(100, 100, 100);

// A rollout with a 200 x 300 client area (the sunken edge takes 2 pixels on each side).
KWRollout* rolloutIn(KWObject* parent) {
    return KWRollout::create(STYLE_DEFAULT, 0, 0, 204, 304, parent, 9);
}

// A gadget of the given outer size inside the rollout.
KWPanel* gadget(KWRollout* rollout, int width, int height) {
    return KWPanel::create(STYLE_DEFAULT, 0, 0, width, height, rollout, 0);
}

void paint(KWObject* gadget) {
    // Twice: a paint that decides the scroll bar asks for another one.
    for (int i = 0; i < 2; ++i) {
        UpdateWindow(gadget->getHandle());
        kwtest::pumpMessages();
    }
}

// Clicks the toggle box of the bar whose top is at barTop.
void toggle(KWRollout* rollout, int barTop) {
    kwtest::clickAt(rollout->getHandle(), 24, barTop + 9);
    paint(rollout);
}

bool shown(KWObject* gadget) {
    return IsWindowVisible(gadget->getHandle()) != 0;
}

int topOf(KWObject* gadget) {
    return gadget->getLocalBounds().top;
}

bool scrollBarShown(KWRollout* rollout) {
    return (GetWindowLongA(rollout->getHandle(), GWL_STYLE) & WS_VSCROLL) != 0;
}

void scroll(KWRollout* rollout, int request, int position = 0) {
    SendMessageA(rollout->getHandle(), WM_VSCROLL, MAKEWPARAM(request, position), 0);
    paint(rollout);
}

} // namespace

TEST(Rollout, IsASunkenScrollingWindow) {
    auto host = kwtest::hostWindow();
    KWRollout* rollout = rolloutIn(host.get());
    ASSERT_TRUE(rollout && rollout->getHandle());
    EXPECT_EQ(kwtest::windowClassName(rollout->getHandle()), "KWWINDOW");
    EXPECT_TRUE(GetWindowLongA(rollout->getHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(rollout->getType(), GADGET_ROLLOUT);
    EXPECT_EQ(rollout->getId(), 9);

    kwtest::clearMessageBoxes();
    EXPECT_EQ(KWRollout::create(STYLE_DEFAULT, 0, 0, 100, 100, nullptr, 0), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "KWRollout cannot be created without a parent.Creation failed");
    kwtest::clearMessageBoxes();
}

TEST(Rollout, NewRolloutShowsOnlyItsBarWithAPlusSign) {
    auto host = kwtest::hostWindow();
    KWRollout* rollout = rolloutIn(host.get());
    rollout->addRollout(1, "Emission");
    std::vector<KWPanel*> gadgets = {gadget(rollout, 40, 20), gadget(rollout, 40, 20),
                                     gadget(rollout, 40, 20)};
    for (int i = 0; i < 3; ++i) {
        rollout->addObject(1, 15, i * 25, gadgets[i]);
        EXPECT_FALSE(shown(gadgets[i]));
    }
    paint(rollout);
    for (KWPanel* hidden : gadgets) {
        EXPECT_FALSE(shown(hidden));
    }
    EXPECT_FALSE(scrollBarShown(rollout));

    const kwtest::PixelGrab grab(rollout->getHandle(), 200, 60);
    // The bar spans x 10 to 194 and y 5 to 22, outlined and filled.
    EXPECT_EQ(grab.at(100, 5), barLine);
    EXPECT_EQ(grab.at(100, 22), barLine);
    EXPECT_EQ(grab.at(10, 14), barLine);
    EXPECT_EQ(grab.at(194, 14), barLine);
    EXPECT_EQ(grab.at(35, 14), barFill);
    EXPECT_EQ(grab.at(100, 4), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(grab.at(100, 23), GetSysColor(COLOR_BTNFACE));
    // The toggle box with a plus: both bars drawn.
    EXPECT_EQ(grab.at(24, 12), barLine);
    EXPECT_EQ(grab.at(22, 14), barLine);
    EXPECT_EQ(grab.at(22, 12), barFill);
    // The connector to the tree line.
    EXPECT_EQ(grab.at(7, 15), barLine);
    // Nothing below a lone collapsed rollout.
    EXPECT_EQ(grab.at(40, 40), GetSysColor(COLOR_BTNFACE));
}

TEST(Rollout, ToggleBoxClicksExpandOnlyTheirRollout) {
    auto host = kwtest::hostWindow();
    KWRollout* rollout = rolloutIn(host.get());
    rollout->addRollout(1, "First");
    rollout->addRollout(2, "Second");
    KWPanel* first = gadget(rollout, 40, 20);
    KWPanel* second = gadget(rollout, 40, 20);
    rollout->addObject(1, 15, 0, first);
    rollout->addObject(2, 15, 4, second);
    paint(rollout);

    // Collapsed rollouts are 20 pixels apart: the second box spans x 20..28, y 30..38.
    kwtest::clickAt(rollout->getHandle(), 29, 34);
    kwtest::clickAt(rollout->getHandle(), 24, 39);
    kwtest::clickAt(rollout->getHandle(), 60, 32);
    paint(rollout);
    EXPECT_FALSE(shown(first));
    EXPECT_FALSE(shown(second));

    kwtest::clickAt(rollout->getHandle(), 28, 38);
    paint(rollout);
    EXPECT_FALSE(shown(first));
    EXPECT_TRUE(shown(second));
    EXPECT_EQ(topOf(second), 25 + 18 + 4);
    EXPECT_EQ(second->getLocalBounds().left, 15);
    // An expanded box has the minus only.
    EXPECT_EQ(kwtest::pixelAt(rollout->getHandle(), 24, 32), barFill);
    EXPECT_EQ(kwtest::pixelAt(rollout->getHandle(), 24, 12), barLine);

    // The edge corner of the box toggles back.
    kwtest::clickAt(rollout->getHandle(), 20, 30);
    paint(rollout);
    EXPECT_FALSE(shown(second));
}

TEST(Rollout, ExpandedGadgetsPushTheNextBarDown) {
    auto host = kwtest::hostWindow();
    KWRollout* rollout = rolloutIn(host.get());
    rollout->addRollout(1, "Shape");
    rollout->addRollout(2, "Colour");
    KWPanel* upper = gadget(rollout, 30, 30);
    KWPanel* lowest = gadget(rollout, 30, 50);
    KWPanel* next = gadget(rollout, 30, 20);
    rollout->addObject(1, 50, 0, upper);
    rollout->addObject(1, 50, 47, lowest);
    rollout->addObject(2, 50, 0, next);
    paint(rollout);
    toggle(rollout, 5);

    EXPECT_EQ(topOf(upper), 23);
    EXPECT_EQ(lowest->getLocalBounds().bottom, 120);
    // The second bar starts two pixels under the lowest gadget.
    const kwtest::PixelGrab grab(rollout->getHandle(), 200, 150);
    EXPECT_EQ(grab.at(150, 121), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(grab.at(150, 122), barLine);
    EXPECT_EQ(grab.at(150, 139), barLine);
    EXPECT_EQ(grab.at(150, 130), barFill);

    toggle(rollout, 122);
    EXPECT_TRUE(shown(next));
    EXPECT_EQ(topOf(next), 140);

    // Collapsing the first pulls the second back up to 20 pixels below it.
    toggle(rollout, 5);
    EXPECT_FALSE(shown(upper));
    EXPECT_FALSE(shown(lowest));
    EXPECT_EQ(topOf(next), 25 + 18);
}

TEST(Rollout, GadgetSharedByTwoRolloutsEndsInTheLaterOne) {
    auto host = kwtest::hostWindow();
    KWRollout* rollout = rolloutIn(host.get());
    rollout->addRollout(7, "One");
    rollout->addRollout(7, "Two");
    KWPanel* shared = gadget(rollout, 30, 40);
    KWPanel* loose = KWPanel::create(STYLE_DEFAULT, 120, 200, 30, 30, rollout, 0);
    rollout->addObject(7, 15, 0, shared);
    rollout->addObject(8, 15, 0, loose);
    paint(rollout);
    EXPECT_FALSE(shown(shared));
    // An id that matches no rollout leaves the gadget alone.
    EXPECT_TRUE(shown(loose));
    EXPECT_EQ(topOf(loose), 200);

    // The first rollout shows and places it, then the collapsed second hides it again.
    toggle(rollout, 5);
    EXPECT_FALSE(shown(shared));
    // The first rollout made room for it: the second bar starts at 23 + 40 + 2.
    toggle(rollout, 65);
    EXPECT_TRUE(shown(shared));
    EXPECT_EQ(topOf(shared), 65 + 18);
}

TEST(Rollout, ScrollBarAppearsWhenTheContentIsTaller) {
    auto host = kwtest::hostWindow(500, 800);
    KWRollout* rollout = rolloutIn(host.get());
    rollout->addRollout(1, "Tall");
    // Bar at 5, content from 23, gadget down to 698: the content is 700 high.
    KWPanel* tall = gadget(rollout, 40, 675);
    rollout->addObject(1, 15, 0, tall);
    paint(rollout);
    EXPECT_FALSE(scrollBarShown(rollout));
    toggle(rollout, 5);
    ASSERT_TRUE(scrollBarShown(rollout));
    int low = -1;
    int high = -1;
    GetScrollRange(rollout->getHandle(), SB_VERT, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 400);

    // Dragging the thumb moves the bars and gadgets together.
    scroll(rollout, SB_THUMBTRACK, 150);
    EXPECT_EQ(GetScrollPos(rollout->getHandle(), SB_VERT), 150);
    EXPECT_EQ(topOf(tall), 23 - 150);
    scroll(rollout, SB_THUMBPOSITION, 150);
    EXPECT_EQ(topOf(tall), 23 - 150);

    // The down arrow goes 10 at a time, up to the end of the range.
    scroll(rollout, SB_LINEDOWN);
    EXPECT_EQ(topOf(tall), 23 - 160);
    for (int i = 0; i < 30; ++i) {
        SendMessageA(rollout->getHandle(), WM_VSCROLL, SB_LINEDOWN, 0);
    }
    paint(rollout);
    EXPECT_EQ(GetScrollPos(rollout->getHandle(), SB_VERT), 400);
    EXPECT_EQ(topOf(tall), 23 - 400);

    scroll(rollout, SB_LINEUP);
    EXPECT_EQ(GetScrollPos(rollout->getHandle(), SB_VERT), 390);
    EXPECT_EQ(topOf(tall), 23 - 390);
    scroll(rollout, SB_PAGEUP);
    EXPECT_EQ(topOf(tall), 23 - 90);
    scroll(rollout, SB_PAGEUP);
    EXPECT_EQ(topOf(tall), 23);
    scroll(rollout, SB_PAGEDOWN);
    EXPECT_EQ(topOf(tall), 23 - 300);
    scroll(rollout, SB_PAGEDOWN);
    EXPECT_EQ(topOf(tall), 23 - 400);
    scroll(rollout, SB_TOP);
    EXPECT_EQ(GetScrollPos(rollout->getHandle(), SB_VERT), 0);
    EXPECT_EQ(topOf(tall), 23);
    scroll(rollout, SB_BOTTOM);
    EXPECT_EQ(topOf(tall), 23 - 400);
    // A thumb position past the range stops at its end.
    scroll(rollout, SB_THUMBTRACK, 30000);
    EXPECT_EQ(GetScrollPos(rollout->getHandle(), SB_VERT), 400);
    scroll(rollout, SB_THUMBPOSITION, 20);
    EXPECT_EQ(topOf(tall), 23 - 20);

    // The wheel scrolls too, away from the user moving the view up.
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SendMessageA(rollout->getHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    paint(rollout);
    const int wheeled = std::min(400, 20 + static_cast<int>(lines) * 10);
    EXPECT_EQ(GetScrollPos(rollout->getHandle(), SB_VERT), wheeled);
    EXPECT_EQ(topOf(tall), 23 - wheeled);
    SendMessageA(rollout->getHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 20 * WHEEL_DELTA), 0);
    paint(rollout);
    EXPECT_EQ(topOf(tall), 23);

    // A window tall enough for the content drops the bar and the scrolling.
    scroll(rollout, SB_BOTTOM);
    SetWindowPos(rollout->getHandle(), nullptr, 0, 0, 204, 744, SWP_NOMOVE | SWP_NOZORDER);
    paint(rollout);
    EXPECT_FALSE(scrollBarShown(rollout));
    EXPECT_EQ(topOf(tall), 23);
    scroll(rollout, SB_LINEDOWN);
    SendMessageA(rollout->getHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    paint(rollout);
    EXPECT_EQ(topOf(tall), 23);
}

TEST(Rollout, ShrinkingTheWindowKeepsTheViewInRange) {
    auto host = kwtest::hostWindow(500, 800);
    KWRollout* rollout = rolloutIn(host.get());
    rollout->addRollout(1, "Tall");
    KWPanel* tall = gadget(rollout, 40, 675);
    rollout->addObject(1, 15, 0, tall);
    paint(rollout);
    toggle(rollout, 5);
    scroll(rollout, SB_BOTTOM);
    EXPECT_EQ(topOf(tall), 23 - 400);

    // 100 pixels more client height: the range shrinks to 300 and the view follows.
    SetWindowPos(rollout->getHandle(), nullptr, 0, 0, 204, 404, SWP_NOMOVE | SWP_NOZORDER);
    paint(rollout);
    EXPECT_TRUE(scrollBarShown(rollout));
    EXPECT_EQ(GetScrollPos(rollout->getHandle(), SB_VERT), 300);
    EXPECT_EQ(topOf(tall), 23 - 300);
    scroll(rollout, SB_LINEDOWN);
    EXPECT_EQ(topOf(tall), 23 - 300);
}

TEST(Rollout, RepaintingLeavesNoGdiObjectBehind) {
    auto host = kwtest::hostWindow();
    KWRollout* rollout = rolloutIn(host.get());
    rollout->addRollout(1, "One");
    rollout->addRollout(2, "Two");
    rollout->addObject(1, 15, 0, gadget(rollout, 30, 30));
    paint(rollout);
    toggle(rollout, 5);
    const unsigned before = kwtest::gdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        InvalidateRect(rollout->getHandle(), nullptr, TRUE);
        UpdateWindow(rollout->getHandle());
    }
    EXPECT_EQ(kwtest::gdiObjectCount(), before);
}

TEST(Rollout, ContentExactlyAsHighAsTheWindowNeedsNoScrollBar) {
    auto host = kwtest::hostWindow();
    KWRollout* rollout = rolloutIn(host.get());
    rollout->addRollout(1, "Exact");
    // Bar at 5, content from 23, gadget down to 298: the content is 300 high, like the client area.
    KWPanel* exact = gadget(rollout, 40, 275);
    rollout->addObject(1, 15, 0, exact);
    paint(rollout);
    toggle(rollout, 5);
    EXPECT_FALSE(scrollBarShown(rollout));
    EXPECT_EQ(kwtest::clientSize(rollout->getHandle()).cx, 200);
    // The layout has settled: nothing is left to paint.
    RECT pending = {};
    EXPECT_FALSE(GetUpdateRect(rollout->getHandle(), &pending, FALSE));
    EXPECT_EQ(topOf(exact), 23);
}

TEST(Rollout, AToggleLeavesTheSamePictureAsPaintingEverythingAgain) {
    auto host = kwtest::hostWindow();
    KWRollout* rollout = rolloutIn(host.get());
    for (int section = 1; section <= 5; ++section) {
        rollout->addRollout(section, "Section " + std::to_string(section));
        for (int row = 0; row < 3; ++row) {
            rollout->addObject(
                section, 15 + 20 * row, 4 + 20 * row,
                KWButton::create(STYLE_DEFAULT, std::to_string(row), 0, 0, 60, 18, rollout, 0));
        }
    }
    paint(rollout);
    // Expanded sections take 82 pixels, collapsed ones 20. The fourth expansion brings the scroll bar;
    // the last two toggles keep it.
    const int barTops[] = {85, 5, 87, 169, 251, 87, 87};
    const SIZE size = kwtest::clientSize(rollout->getHandle());
    for (int top : barTops) {
        toggle(rollout, top);
        const kwtest::PixelGrab toggled(rollout->getHandle(), size.cx, size.cy);
        InvalidateRect(rollout->getHandle(), nullptr, TRUE);
        paint(rollout);
        const kwtest::PixelGrab repainted(rollout->getHandle(), size.cx, size.cy);
        int differing = 0;
        for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x) {
                differing += toggled.at(x, y) != repainted.at(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << "after the toggle at " << top;
    }
    EXPECT_TRUE(scrollBarShown(rollout));
}
