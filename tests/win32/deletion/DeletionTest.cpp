// Gadgets deleted at any time, by the program or from a handler, while the heap fills freed memory: every
// container forgets them, and whatever the user does next touches nothing freed.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

struct Scene {
    std::unique_ptr<KWWindow> window;
    KWObject* victim = nullptr;
    // Its handler deletes the victim; the victim itself where that is a button.
    KWButton* deleter = nullptr;
    // A point on each splitter bar, in the window's client.
    std::vector<POINT> bars;
    std::function<void()> verify;
};

KWButton* button(KWObject* parent, int x, int y) {
    return KWButton::create(STYLE_DEFAULT, "Delete", x, y, 60, 22, parent, 77);
}

BOOL CALLBACK countTooltipWindow(HWND window, LPARAM counter) {
    *reinterpret_cast<int*>(counter) += kwtest::windowClassName(window) == TOOLTIPS_CLASSA;
    return TRUE;
}

int tooltipWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countTooltipWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Everything a user reaches: the pointer over every gadget, every tab, every section's toggle box (a
// click down the toggle column), every grid row selected and scrolled to.
void exercise(KWObject* gadget) {
    HWND window = gadget->getHandle();
    RECT client = {};
    GetClientRect(window, &client);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
    kwtest::pumpMessages();
    if (gadget->getType() == GADGET_TAB) {
        const int tabs = static_cast<int>(SendMessageA(window, TCM_GETITEMCOUNT, 0, 0));
        for (int tab = 0; tab < tabs; ++tab) {
            RECT strip = {};
            SendMessageA(window, TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&strip));
            kwtest::clickAt(window, (strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2);
        }
    } else if (gadget->getType() == GADGET_ROLLOUT) {
        for (int y = 0; y < client.bottom; y += 8) {
            kwtest::clickAt(window, 24, y);
        }
    } else if (gadget->getType() == GADGET_PROPERTIES) {
        const int rows = static_cast<int>(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) {
            ListView_SetItemState(window, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            SendMessageA(window, LVM_SCROLL, 0, 14);
            kwtest::pumpMessages();
        }
    }
    for (int i = 0; i < gadget->getChildCount(); ++i) {
        exercise(gadget->getChild(i));
    }
}

// Resizes the window, drags every bar by 20 pixels and reaches every gadget.
void exerciseAll(Scene& scene) {
    HWND window = scene.window->getHandle();
    for (SIZE size : {SIZE{640, 440}, SIZE{560, 380}, SIZE{600, 420}}) {
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        kwtest::pumpMessages();
    }
    for (POINT bar : scene.bars) {
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.x, bar.y));
        PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar.x + 20, bar.y + 20));
        PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(bar.x + 20, bar.y + 20));
        kwtest::pumpMessages();
    }
    exercise(scene.window.get());
}

struct DeletionCase {
    const char* name;
    std::function<void(Scene&)> build;
};

const DeletionCase deletionCases[] = {
    {"docked gadget, in the middle of a drag of its bar",
     [](Scene& s) {
         KWWindow* window = s.window.get();
         window->addVerticalSplitter(1, 200, 4, 50, 400, true);
         KWPanel* upperLeft = KWPanel::create(STYLE_DEFAULT, 0, 0, 200, 150, window, 1);
         KWPanel* lowerLeft = KWPanel::create(STYLE_DEFAULT, 0, 150, 200, 200, window, 2);
         KWPanel* right = KWPanel::create(STYLE_DEFAULT, 204, 0, 300, 350, window, 3);
         window->addFromLeft(1, upperLeft);
         window->addFromLeft(1, lowerLeft);
         window->addFromRight(1, right);
         s.victim = upperLeft;
         s.deleter = button(right, 10, 10);
         s.bars = {{202, 100}};
         PostMessageA(window->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(202, 100));
         kwtest::pumpMessages();
         s.verify = [lowerLeft, right] {
             // The bar still moves the gadgets left on both sides.
             const int bar = kwtest::rectInParent(lowerLeft->getHandle()).right;
             EXPECT_GT(bar, 200);
             EXPECT_EQ(kwtest::rectInParent(right->getHandle()).left, bar + 4);
         };
     }},
    {"property grid editor",
     [](Scene& s) {
         KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 10, 10, 300, 200, s.window.get(), 1);
         KWGroupItem* group = grid->addGroup("Group");
         std::vector<KWEdit*> editors;
         for (const char* text : {"one", "two", "three"}) {
             editors.push_back(KWEdit::create(STYLE_DEFAULT, text, 0, 0, 60, 18, grid, 0));
             grid->addItem(group, text, 0, editors.back());
         }
         grid->openGroup(group, true);
         s.victim = editors[1];
         s.deleter = button(s.window.get(), 320, 10);
         s.verify = [grid, group] {
             HWND list = grid->getHandle();
             EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
             char cell[16] = {};
             ListView_GetItemText(list, 2, 1, cell, sizeof(cell));
             EXPECT_STREQ(cell, "two");
             grid->hideGroup(group, true);
             grid->hideGroup(group, false);
             grid->openGroup(group, true);
             grid->updatePropObjects();
             EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
             ListView_GetItemText(list, 2, 1, cell, sizeof(cell));
             EXPECT_STREQ(cell, "two");
         };
     }},
    {"tab page",
     [](Scene& s) {
         KWTab* tab = KWTab::create(STYLE_DEFAULT, 10, 10, 400, 300, s.window.get(), 1);
         s.victim = tab->addTab(0, "First");
         KWWindow* second = tab->addTab(1, "Second");
         // A handler that deletes its own button's parent.
         s.deleter = button(s.victim, 10, 10);
         s.verify = [tab, second] {
             EXPECT_EQ(SendMessageA(tab->getHandle(), TCM_GETITEMCOUNT, 0, 0), 2);
             EXPECT_EQ(tab->getSelectedIndex(), 1);
             EXPECT_TRUE(IsWindowVisible(second->getHandle()));
         };
     }},
    {"gadget in a rollout section",
     [](Scene& s) {
         KWRollout* rollout = KWRollout::create(STYLE_DEFAULT, 10, 10, 300, 360, s.window.get(), 1);
         rollout->addRollout(1, "First");
         rollout->addRollout(2, "Second");
         KWButton* doomed = button(rollout, 30, 5);
         KWButton* kept = button(rollout, 30, 35);
         rollout->addObject(1, 30, 5, doomed);
         rollout->addObject(1, 30, 35, kept);
         rollout->addObject(2, 30, 5, button(rollout, 30, 5));
         kwtest::clickAt(rollout->getHandle(), 24, 14); // opens the first section
         UpdateWindow(rollout->getHandle());
         s.victim = s.deleter = doomed;
         s.verify = [rollout] { EXPECT_EQ(rollout->getChildCount(), 2); };
     }},
    {"gadget on a header",
     [](Scene& s) {
         KWHeader* header =
             KWHeader::create(STYLE_DEFAULT, 10, 10, 300, 200, "Header", KWColor(230, 230, 230, 255),
                              KWColor(180, 180, 180, 255), KWColor(0, 0, 0, 255), s.window.get(), 1);
         s.victim = s.deleter = button(header, 10, 30);
         s.verify = [header] { EXPECT_EQ(header->getChildCount(), 0); };
     }},
    {"status bar",
     [](Scene& s) {
         KWPanel* fill = KWPanel::create(STYLE_DEFAULT, 0, 0, 100, 100, s.window.get(), 1);
         fill->lockToParent(LOCK_FILL);
         s.victim = KWStatus::create(s.window.get(), 2);
         s.deleter = button(fill, 10, 10);
         s.verify = [&s, fill] {
             EXPECT_EQ(kwtest::rectInParent(fill->getHandle()).bottom,
                       kwtest::clientSize(s.window->getHandle()).cy);
         };
     }},
    {"button with tooltips",
     [](Scene& s) {
         KWButton* tipped = button(s.window.get(), 10, 10);
         tipped->addTooltip("whole button");
         tipped->addTooltip("left half", KWBound(0, 30, 0, 22));
         const int tipWindows = tooltipWindowCount();
         s.victim = s.deleter = tipped;
         s.verify = [tipWindows] { EXPECT_EQ(tooltipWindowCount(), tipWindows - 1); };
     }},
    {"panel holding the keyboard focus",
     [](Scene& s) {
         KWPanel* panel = KWPanel::create(STYLE_DEFAULT, 10, 10, 200, 100, s.window.get(), 1);
         SetFocus(KWEdit::create(STYLE_DEFAULT, "typing", 10, 10, 100, 20, panel, 2)->getHandle());
         s.victim = panel;
         s.deleter = button(s.window.get(), 300, 10);
         s.verify = [&s] {
             const HWND focus = GetFocus();
             EXPECT_TRUE(focus == s.window->getHandle() || focus == s.deleter->getHandle());
         };
     }},
};

class Deletion : public testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(Deletion, LeavesEveryContainerConsistent) {
    const DeletionCase& deletion = deletionCases[std::get<0>(GetParam())];
    const bool fromHandler = std::get<1>(GetParam());
    SCOPED_TRACE(deletion.name);
    Scene scene;
    scene.window.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 20, 20, 600, 420, "Host", nullptr, 0));
    SetForegroundWindow(scene.window->getHandle());
    deletion.build(scene);
    kwtest::pumpMessages();
    ASSERT_TRUE(scene.victim && scene.deleter);

    if (fromHandler) {
        bool ran = false;
        KWObject* victim = scene.victim;
        scene.deleter->setHandler([&ran, victim](const KWEvent&) {
            ran = true;
            delete victim;
        });
        kwtest::clickAt(scene.deleter->getHandle(), 5, 5);
        kwtest::pumpUntil([&ran] { return ran; });
        EXPECT_TRUE(ran) << "the click did not reach the button's handler";
    } else {
        delete scene.victim;
    }
    exerciseAll(scene);
    scene.verify();
    scene.window.reset();
    kwtest::pumpMessages();
}

INSTANTIATE_TEST_SUITE_P(EveryContainer, Deletion,
                         testing::Combine(testing::Range(0, static_cast<int>(std::size(deletionCases))),
                                          testing::Bool()));

TEST(ImageListDeletion, LeavesItsUsersWithoutOne) {
    std::unique_ptr<KWWindow> window(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 20, 20, 600, 420, "Host", nullptr, 0));
    KWImageList* images = KWImageList::create(16, 16);
    KWToolBar* toolbar = KWToolBar::create(false, window.get(), 1);
    KWTab* tab = KWTab::create(STYLE_DEFAULT, 10, 40, 200, 100, window.get(), 2);
    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 220, 40, 150, 100, window.get(), 3);
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 10, 150, 300, 200, window.get(), 4);
    toolbar->setImageList(images);
    tab->setImageList(images);
    tree->setImageList(images);
    grid->setImageList(images);
    delete images;

    EXPECT_EQ(SendMessageA(toolbar->getHandle(), TB_GETIMAGELIST, 0, 0), 0);
    EXPECT_EQ(SendMessageA(tab->getHandle(), TCM_GETIMAGELIST, 0, 0), 0);
    EXPECT_EQ(SendMessageA(tree->getHandle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
    EXPECT_EQ(SendMessageA(grid->getHandle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    // Items asking for images get none, and everything paints.
    toolbar->addButton(10, 0, "");
    tab->addTab(0, 1, "Page");
    tree->addItem(-1, 0, 0, "Item");
    grid->addGroup("Group");
    RedrawWindow(window->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    kwtest::pumpMessages();
    EXPECT_EQ(SendMessageA(grid->getHandle(), LVM_GETITEMCOUNT, 0, 0), 1);
}

} // namespace
