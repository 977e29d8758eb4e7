#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

using namespace KW;

namespace {

// A frame split into a left pane with a rollout and a right pane with a tab of three pages.
struct Tree {
    std::unique_ptr<KWWindow> frame;
    KWRollout* rollout;
    KWTab* tab;
    std::vector<KWEvent> events;

    Tree() : frame(KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 100, 80, 640, 480, "Layout", nullptr, 0)) {
        frame->addVerticalSplitter(1, 200, 4, 50, 400, true);
        KWWindow* left = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 0, 0, 200, 400, "", frame.get(), 5);
        KWWindow* right = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 204, 0, 400, 400, "", frame.get(), 6);
        frame->addFromLeft(1, left);
        frame->addFromRight(1, right);
        rollout = KWRollout::create(STYLE_DEFAULT, 0, 0, 196, 300, left, 30);
        rollout->addRollout(2, "First");
        rollout->addRollout(3, "Second");
        tab = KWTab::create(STYLE_DEFAULT, 0, 0, 300, 200, right, 21);
        for (int i = 0; i < 3; ++i) {
            tab->addTab(i, "Page");
        }
        const KWHandler record = [this](const KWEvent& event) { events.push_back(event); };
        frame->setHandler(record);
        rollout->setHandler(record);
        UpdateWindow(rollout->getHandle());
        kwtest::pumpMessages();
    }

    void drag(int fromX, int toX) {
        const HWND window = frame->getHandle();
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(fromX, 50));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(fromX, 50));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, 50));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(toX, 50));
    }
};

} // namespace

TEST(Layout, UserChangesAreReportedSavedAndRestored) {
    Tree tree;
    tree.drag(201, 301);
    kwtest::clickAt(tree.rollout->getHandle(), 24, 14);
    SendMessageA(tree.rollout->getHandle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(tree.rollout->getHandle(), WM_KEYDOWN, VK_SPACE, 0);
    RECT tabRect = {};
    SendMessageA(tree.tab->getHandle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tabRect));
    kwtest::clickAt(tree.tab->getHandle(), (tabRect.left + tabRect.right) / 2,
                    (tabRect.top + tabRect.bottom) / 2);
    ASSERT_EQ(tree.events.size(), 3u);
    EXPECT_EQ(std::make_tuple(tree.events[0].type, tree.events[0].object, tree.events[0].param1),
              std::make_tuple(EVENT_CHANGED, static_cast<KWObject*>(tree.frame.get()), 1));
    EXPECT_EQ(std::make_tuple(tree.events[1].type, tree.events[1].param1), std::make_tuple(EVENT_CHANGED, 2));
    EXPECT_EQ(std::make_tuple(tree.events[2].type, tree.events[2].param1), std::make_tuple(EVENT_CHANGED, 3));
    EXPECT_EQ(tree.frame->getSplitterPosition(1), 301);
    EXPECT_EQ(tree.tab->getSelectedIndex(), 2);
    // The program's own changes report nothing; positions stay within the limits.
    EXPECT_TRUE(tree.frame->setSplitterPosition(1, 9000));
    EXPECT_EQ(tree.frame->getSplitterPosition(1), 400);
    EXPECT_FALSE(tree.frame->setSplitterPosition(7, 100));
    EXPECT_EQ(tree.frame->getSplitterPosition(7), -1);
    tree.rollout->setOpen(3, false);
    EXPECT_EQ(tree.events.size(), 3u);
    MoveWindow(tree.frame->getHandle(), 150, 120, 700, 500, TRUE);
    const std::string saved = tree.frame->saveLayout();

    Tree fresh;
    ASSERT_TRUE(fresh.frame->restoreLayout(saved)) << saved;
    EXPECT_EQ(fresh.frame->getSplitterPosition(1), 400);
    EXPECT_EQ(fresh.frame->getChild(0)->getLocalBounds().right, 400);
    EXPECT_TRUE(fresh.rollout->isOpen(2));
    EXPECT_FALSE(fresh.rollout->isOpen(3));
    EXPECT_EQ(fresh.tab->getSelectedIndex(), 2);
    EXPECT_TRUE(IsWindowVisible(fresh.tab->getChild(2)->getHandle()));
    EXPECT_TRUE(fresh.events.empty());
    // The placement too: the same rectangle, saved again.
    EXPECT_EQ(fresh.frame->saveLayout(), saved);
}

TEST(Layout, RefusedTextChangesNothing) {
    Tree tree;
    tree.frame->setSplitterPosition(1, 250);
    const std::string before = tree.frame->saveLayout();
    Tree other;
    other.rollout->setOpen(2, true);
    const std::string good = other.frame->saveLayout();
    std::vector<std::string> bad = {"garbage", "kwlayout 2.0;end 0", good + ";", good + "\n"};
    for (std::size_t length = 0; length < good.size(); ++length) {
        bad.push_back(good.substr(0, length));
    }
    for (const std::string& text : bad) {
        EXPECT_FALSE(tree.frame->restoreLayout(text)) << text;
    }
    EXPECT_EQ(tree.frame->saveLayout(), before);
}

TEST(Layout, OffScreenWindowComesBackAndMissingGadgetsAreSkipped) {
    Tree tree;
    ASSERT_TRUE(tree.frame->restoreLayout(
        "kwlayout 1.2;window -5000 9000 640 480 0;splitter 9/4 1 80;section 5/30 7 1;tab 5 1;dock 1;"
        "splitter . 1#1 90;section 5/30 2 1;end 7"));
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT window = {};
    GetWindowRect(tree.frame->getHandle(), &window);
    EXPECT_EQ(window.left, work.left);
    EXPECT_EQ(window.bottom, work.bottom);
    EXPECT_EQ(window.right - window.left, 640);
    EXPECT_EQ(tree.frame->getSplitterPosition(1), 200);
    EXPECT_TRUE(tree.rollout->isOpen(2));
    EXPECT_FALSE(tree.rollout->isOpen(3));
    ASSERT_TRUE(tree.frame->restoreLayout("kwlayout 1.0;window 10 10 300 200 1;end 1"));
    EXPECT_TRUE(IsZoomed(tree.frame->getHandle()));
}
