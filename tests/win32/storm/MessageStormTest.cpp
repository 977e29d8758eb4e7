#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace KW;

namespace {

struct GadgetFactory {
    const char* name;
    std::function<KWObject*(KWObject* parent)> create;
};

// Messages a user or the system can produce, posted in a seeded, bounded stream. Posting (not sending)
// lets modal loops of the controls (drag detection, menus) consume the stream as they would real input.
void postStorm(HWND target, std::mt19937& random, int messages) {
    std::uniform_int_distribution<int> coordinate(-200, 1200);
    std::uniform_int_distribution<int> pick(0, 15);
    const WPARAM keyStates[] = {0, MK_LBUTTON, MK_RBUTTON, MK_MBUTTON, MK_LBUTTON | MK_SHIFT,
                                MK_RBUTTON | MK_CONTROL, MK_LBUTTON | MK_CONTROL | MK_SHIFT, MK_SHIFT};
    for (int i = 0; i < messages && IsWindow(target); ++i) {
        const LPARAM point = MAKELPARAM(coordinate(random) & 0xFFFF, coordinate(random) & 0xFFFF);
        const WPARAM keys = keyStates[random() % 8];
        switch (pick(random)) {
        case 0:
        case 1:
        case 2:
            PostMessageA(target, WM_MOUSEMOVE, keys, point);
            break;
        case 3:
            PostMessageA(target, WM_LBUTTONDOWN, keys | MK_LBUTTON, point);
            break;
        case 4:
            PostMessageA(target, WM_LBUTTONUP, keys, point);
            break;
        case 5:
            PostMessageA(target, WM_MBUTTONDOWN, keys | MK_MBUTTON, point);
            break;
        case 6:
            PostMessageA(target, WM_MBUTTONUP, keys, point);
            break;
        case 7:
            PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(keys, (random() % 7 - 3) * WHEEL_DELTA), point);
            break;
        case 8:
            PostMessageA(target, WM_KEYDOWN, random() % 2 ? VK_DELETE : 'A' + random() % 26, 0);
            break;
        case 9:
            PostMessageA(target, WM_CHAR, 32 + random() % 95, 0);
            break;
        case 10: {
            const int width = random() % 3 == 0 ? 0 : static_cast<int>(random() % 900);
            const int height = random() % 3 == 0 ? 0 : static_cast<int>(random() % 700);
            SetWindowPos(target, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
            break;
        }
        case 11:
            PostMessageA(target, WM_VSCROLL, MAKEWPARAM(random() % 9, random() % 500), 0);
            break;
        case 12:
            PostMessageA(target, WM_HSCROLL, MAKEWPARAM(random() % 9, random() % 500), 0);
            break;
        case 13:
            PostMessageA(target, random() % 2 ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
            break;
        case 14:
            PostMessageA(target, WM_LBUTTONDBLCLK, keys | MK_LBUTTON, point);
            break;
        default:
            PostMessageA(target, WM_RBUTTONUP, keys, point);
            break;
        }
        if (i % 25 == 0) {
            kwtest::pumpMessages();
        }
    }
    kwtest::pumpMessages();
}

// Every window of a gadget: its own and all below it (inner edits, arrows, buttons, pages).
std::vector<HWND> windowsOf(HWND root) {
    std::vector<HWND> windows = {root};
    EnumChildWindows(
        root,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

class Storm : public testing::TestWithParam<int> {};

std::vector<GadgetFactory> factories();

} // namespace

TEST_P(Storm, RandomInputNeverCrashesAGadget) {
    const GadgetFactory factory = factories()[GetParam()];
    std::unique_ptr<KWWindow> top(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 640, 480, "storm", nullptr, 0));
    KWObject* gadget = factory.create(top.get());
    ASSERT_TRUE(gadget) << factory.name;
    ASSERT_TRUE(gadget->getHandle()) << factory.name;
    gadget->lockToParent(LOCK_FILL);
    std::mt19937 random(1234u + GetParam());
    for (HWND window : windowsOf(gadget->getHandle())) {
        postStorm(window, random, 300);
    }
    postStorm(top->getHandle(), random, 100);
    // Still alive and answering.
    EXPECT_TRUE(IsWindow(top->getHandle())) << factory.name;
    gadget->setText("after the storm");
    gadget->getText();
    kwtest::clearMessageBoxes();
}

INSTANTIATE_TEST_SUITE_P(Gadgets, Storm, testing::Range(0, static_cast<int>(factories().size())),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(factories()[info.param].name);
                         });

namespace {

std::vector<GadgetFactory> factories() {
    const std::string filter("Bitmaps\0*.bmp\0\0", 16);
    return {
        {"Window",
         [](KWObject* p) {
             KWWindow* w = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 0, 0, 300, 200, "", p, 0);
             KWWindow* left = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 0, 0, 100, 200, "", w, 0);
             KWWindow* right = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 104, 0, 100, 200, "", w, 0);
             w->addVerticalSplitter(1, 100, 4, 20, 200, true);
             w->addFromLeft(1, left);
             w->addFromRight(1, right);
             return w;
         }},
        {"Panel", [](KWObject* p) { return KWPanel::create(STYLE_DEFAULT, 0, 0, 200, 100, p, 0); }},
        {"GroupBox", [](KWObject* p) { return KWGroupBox::create(STYLE_DEFAULT, "g", 0, 0, 200, 100, p, 0); }},
        {"Header",
         [](KWObject* p) {
             return KWHeader::create(STYLE_DEFAULT, 0, 0, 200, 100, "h", KWColor(230, 230, 230, 255),
                                     KWColor(180, 180, 180, 255), KWColor(40, 40, 40, 255), p, 0);
         }},
        {"Tab",
         [](KWObject* p) {
             KWTab* t = KWTab::create(STYLE_DEFAULT, 0, 0, 200, 100, p, 0);
             t->addTab(0, "a");
             t->addTab(1, "b");
             return t;
         }},
        {"Rollout", [](KWObject* p) { return KWRollout::create(STYLE_DEFAULT, 0, 0, 200, 100, p, 0); }},
        {"Button", [](KWObject* p) { return KWButton::create(STYLE_DEFAULT, "b", 0, 0, 80, 20, p, 0); }},
        {"CheckBox",
         [](KWObject* p) {
             KWCheckBox* c = KWCheckBox::create(STYLE_DEFAULT, "c", 0, 0, 80, 20, p, 0);
             c->setAutoTextEnabled(true);
             return c;
         }},
        {"Radio", [](KWObject* p) { return KWRadio::create(STYLE_DEFAULT, "r", 0, 0, 80, 20, p, 0); }},
        {"Edit", [](KWObject* p) { return KWEdit::create(STYLE_DEFAULT, "e", 0, 0, 80, 20, p, 0); }},
        {"Text", [](KWObject* p) { return KWText::create(STYLE_DEFAULT, "t", 0, 0, 80, 20, ALIGN_LEFT, p, 0); }},
        {"ComboBox",
         [](KWObject* p) {
             KWComboBox* c = KWComboBox::create(STYLE_DEFAULT, 0, 0, 80, 20, p, 0);
             c->addItem(1, "one");
             return c;
         }},
        {"ListBox",
         [](KWObject* p) {
             KWListBox* l = KWListBox::create(STYLE_DEFAULT, 0, 0, 80, 80, p, 0);
             l->addItem(1, "one");
             return l;
         }},
        {"Status", [](KWObject* p) { return KWStatus::create(p, 0); }},
        {"ToolBar",
         [](KWObject* p) {
             KWToolBar* t = KWToolBar::create(false, p, 0);
             t->addButton(1, "x");
             return t;
         }},
        {"TreeView",
         [](KWObject* p) {
             KWTreeView* t = KWTreeView::create(STYLE_DEFAULT, 0, 0, 200, 200, p, 0);
             const int root = t->addItem(-1, -1, 0, "root");
             t->addItem(root, -1, 1, "child");
             return t;
         }},
        {"SpinBox",
         [](KWObject* p) {
             return KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 80, 20, 0.0f, 10.0f, 0.5f, true, true, p, 0);
         }},
        {"Properties",
         [](KWObject* p) {
             KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 0, 0, 200, 200, p, 0);
             KWGroupItem* group = grid->addGroup("group");
             grid->addItem(group, "edit", 1, KWEdit::create(STYLE_DEFAULT, "", 0, 0, 20, 20, grid, 0));
             grid->addItem(group, "spin", 1,
                           KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 50, 20, 0.0f, 5.0f, 1.0f, true, true, grid, 0));
             grid->openGroup(group, true);
             return grid;
         }},
        {"FloatGraph", [](KWObject* p) { return KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 300, 200, p, 0); }},
    };
}

} // namespace
