#include "DpiRun.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace KW;

namespace {

// A frame with two panes either side of a 4-pixel bar at 200 (in pixels at the run's DPI), and a
// button on the left pane and a tree view (which picks its own font) on the right one.
struct SplitFrame {
    std::unique_ptr<KWWindow> frame;
    KWWindow* left;
    KWWindow* right;
    KWButton* button;
    KWTreeView* tree;

    SplitFrame() {
        frame.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 600, 400, "DPI", nullptr, 0));
        left = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 0, 0, 200, 400, "", frame.get(), 0);
        right = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 204, 0, 396, 400, "", frame.get(), 0);
        frame->addVerticalSplitter(1, 200, 4, 50, 500, true);
        frame->addFromLeft(1, left);
        frame->addFromRight(1, right);
        button = KWButton::create(STYLE_DEFAULT, "Apply", 10, 10, 80, 24, left, 0);
        tree = KWTreeView::create(STYLE_DEFAULT, 10, 10, 200, 200, right, 0);
        kwtest::pumpMessages();
    }

    void moveToDpi(int newDpi) { kwtest::moveToDpi(frame.get(), newDpi); }
};

} // namespace

TEST(DpiCore, GadgetsReadTheDisplayDpiAndShowTheGuiFontAtIt) {
    SplitFrame shell;
    ASSERT_EQ(kwtest::runDpi(), shell.button->getDpi()) << "the prefix's LogPixels was not applied";
    EXPECT_EQ(kwtest::atRunDpi(4), shell.button->scale(4));
    // The system's GUI font is 13 pixels high at 96 DPI.
    EXPECT_SCALED(kwtest::fontHeight(shell.button->getHandle()), 13);
}

TEST(DpiCore, AMoveToAnotherDisplayRescalesLayoutFontsAndSplittersAndBack) {
    SplitFrame shell;
    const int runDpi = kwtest::runDpi();
    const int otherDpi = runDpi * 2;
    const KWBound leftBefore = kwtest::rectInParent(shell.left->getHandle());
    const KWBound buttonBefore = kwtest::rectInParent(shell.button->getHandle());
    const int fontBefore = kwtest::fontHeight(shell.button->getHandle());
    const int treeFontBefore = kwtest::fontHeight(shell.tree->getHandle());
    const SIZE clientBefore = kwtest::clientSize(shell.frame->getHandle());

    shell.moveToDpi(otherDpi);
    EXPECT_EQ(otherDpi, shell.button->getDpi());
    const SIZE client = kwtest::clientSize(shell.frame->getHandle());
    EXPECT_GT(client.cx, clientBefore.cx * 3 / 2) << "the suggested rectangle was not taken";
    const KWBound left = kwtest::rectInParent(shell.left->getHandle());
    const KWBound right = kwtest::rectInParent(shell.right->getHandle());
    EXPECT_NEAR(400, left.right, 1);
    EXPECT_NEAR(408, right.left, 1) << "the bar keeps its thickness at the new DPI";
    const KWBound button = kwtest::rectInParent(shell.button->getHandle());
    EXPECT_NEAR(2 * (buttonBefore.right - buttonBefore.left), button.right - button.left, 1);
    EXPECT_NEAR(2 * fontBefore, kwtest::fontHeight(shell.button->getHandle()), 2);
    EXPECT_NEAR(2 * treeFontBefore, kwtest::fontHeight(shell.tree->getHandle()), 2);

    // Dragging the bar still works where it now lies.
    SendMessageA(shell.frame->getHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(404, 100));
    SendMessageA(shell.frame->getHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(404, 100));
    SendMessageA(shell.frame->getHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(454, 100));
    SendMessageA(shell.frame->getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(454, 100));
    EXPECT_NEAR(454, kwtest::rectInParent(shell.left->getHandle()).right, 1) << "the bar follows the mouse";

    shell.moveToDpi(runDpi);
    EXPECT_EQ(runDpi, shell.button->getDpi());
    EXPECT_NEAR(leftBefore.right + 27, kwtest::rectInParent(shell.left->getHandle()).right, 1);
    EXPECT_EQ(fontBefore, kwtest::fontHeight(shell.button->getHandle()));
    EXPECT_EQ(treeFontBefore, kwtest::fontHeight(shell.tree->getHandle()));
    EXPECT_NEAR(buttonBefore.right, kwtest::rectInParent(shell.button->getHandle()).right, 1);
}
