#include "TestSupport.h"

#include "KW.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
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
    // What must hold after the storm, beyond "still alive"; may be empty.
    std::function<void(KWObject* gadget)> check;
    // Right-button releases reach the default procedure of most windows, which forwards them as
    // context-menu requests up to the top-level window; there the system menu opens modally. Only
    // gadgets that consume the right button themselves get it.
    bool rightButtons;
};

// Real input always ends a press with a release; the controls' drag detection loops until one arrives.
void releaseAndPump(HWND target) {
    if (IsWindow(target)) {
        PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(5000, 5000));
        PostMessageA(target, WM_MBUTTONUP, 0, MAKELPARAM(5000, 5000));
    }
    kwtest::pumpMessages();
}

// Messages a user or the system can produce, posted in a seeded, bounded stream. Posting (not sending)
// lets modal loops of the controls (drag detection, menus) consume the stream as they would real input.
// Sizes go only to windows a client can size: the gadget's own and the top-level one.
// Wine's edit control faults (inside its own undo bookkeeping) when an edit removes or replaces selected
// text in a field without ES_AUTOHSCROLL whose text is wider than the field: Delete, Ctrl+X, a paste
// (Ctrl+V, or the middle button, which pastes the X selection there), a character typed over a
// selection. A bare edit control with no library code does the same; Windows refuses such a change. The
// library's edits are of that kind and their parents may shrink them at any moment, so the storm gives
// them no keyboard input and no middle button; their typing rules have tests of their own.
bool editsSafely(HWND target) {
    return kwtest::windowClassName(target) != "Edit" || (GetWindowLongA(target, GWL_STYLE) & ES_AUTOHSCROLL);
}

// Text on the clipboard, so that pastes the storm sets off insert something wherever the tests run.
void fillClipboard() {
    const std::string text = "pasted by the storm 12.5";
    if (!OpenClipboard(nullptr)) {
        return;
    }
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void postStorm(HWND target, std::mt19937& random, int messages, bool rightButtons, bool resizable) {
    const bool safeEdit = editsSafely(target);
    std::uniform_int_distribution<int> coordinate(-200, 1200);
    std::uniform_int_distribution<int> pick(0, 15);
    const WPARAM keyStates[] = {0,
                                MK_LBUTTON,
                                MK_RBUTTON,
                                MK_MBUTTON,
                                MK_LBUTTON | MK_SHIFT,
                                MK_RBUTTON | MK_CONTROL,
                                MK_LBUTTON | MK_CONTROL | MK_SHIFT,
                                MK_SHIFT};
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
            if (safeEdit) {
                PostMessageA(target, WM_MBUTTONDOWN, keys | MK_MBUTTON, point);
            }
            break;
        case 6:
            PostMessageA(target, WM_MBUTTONUP, keys, point);
            break;
        case 7:
            PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(keys, (random() % 7 - 3) * WHEEL_DELTA), point);
            break;
        case 8:
            if (safeEdit) {
                PostMessageA(target, WM_KEYDOWN, random() % 2 ? VK_DELETE : 'A' + random() % 26, 0);
            }
            break;
        case 9:
            if (safeEdit) {
                PostMessageA(target, WM_CHAR, 32 + random() % 95, 0);
            }
            break;
        case 10: {
            if (!resizable) {
                break;
            }
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
            PostMessageA(target, rightButtons ? (random() % 2 ? WM_RBUTTONUP : WM_RBUTTONDOWN) : WM_MBUTTONUP,
                         keys, point);
            break;
        }
        if (i % 25 == 24) {
            releaseAndPump(target);
        }
    }
    releaseAndPump(target);
}

BOOL CALLBACK collectWindow(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return TRUE;
}

// Every window of a gadget: its own and all below it (inner edits, arrows, buttons, pages).
std::vector<HWND> windowsOf(HWND root) {
    std::vector<HWND> windows = {root};
    EnumChildWindows(root, collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

class Storm : public testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() { fillClipboard(); }
};

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
        postStorm(window, random, 300, factory.rightButtons, window == gadget->getHandle());
    }
    postStorm(top->getHandle(), random, 100, false, true);
    ReleaseCapture();
    // Still alive and answering.
    ASSERT_TRUE(IsWindow(top->getHandle())) << factory.name;
    ASSERT_TRUE(IsWindow(gadget->getHandle())) << factory.name;
    if (factory.check) {
        factory.check(gadget);
    }
    gadget->setText("after the storm");
    gadget->getText();
    top.reset();
    kwtest::pumpMessages();
    kwtest::clearMessageBoxes();
}

INSTANTIATE_TEST_SUITE_P(Gadgets, Storm, testing::Range(0, static_cast<int>(factories().size())),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(factories()[info.param].name);
                         });

namespace {

HWND childOfClass(HWND root, const std::string& className) {
    for (HWND window : windowsOf(root)) {
        if (kwtest::windowClassName(window) == className) {
            return window;
        }
    }
    return nullptr;
}

// After a commit (Enter in its field) the spin box shows a number inside its bounds.
void checkSpinBoxCommit(KWObject* gadget) {
    KWSpinBox* spin = static_cast<KWSpinBox*>(gadget);
    HWND edit = childOfClass(spin->getHandle(), "Edit");
    ASSERT_TRUE(edit);
    SendMessageA(edit, WM_CHAR, '\r', 0);
    const std::string text = spin->getText();
    char* end = nullptr;
    const float shown = std::strtof(text.c_str(), &end);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ('\0', *end) << "text \"" << text << "\"";
    EXPECT_GE(shown, 0.0f) << text;
    EXPECT_LE(shown, 10.0f) << text;
    EXPECT_GE(spin->getValue(), 0.0f);
    EXPECT_LE(spin->getValue(), 10.0f);
}

// The caption always names the state it shows.
void checkAutoText(KWObject* gadget) {
    KWCheckBox* box = static_cast<KWCheckBox*>(gadget);
    EXPECT_EQ(box->isChecked() ? "True" : "False", box->getText());
}

void checkListSelection(KWObject* gadget) {
    KWListBox* list = static_cast<KWListBox*>(gadget);
    const int id = list->getSelectedId();
    EXPECT_TRUE(id == -1 || id == 1) << id;
    EXPECT_EQ(id == 1 ? "one" : "", list->getSelectedText());
}

void checkComboSelection(KWObject* gadget) {
    KWComboBox* combo = static_cast<KWComboBox*>(gadget);
    const int id = combo->getSelectedId();
    EXPECT_TRUE(id == -1 || id == 1) << id;
    EXPECT_EQ(id == 1 ? "one" : "", combo->getSelectedText());
}

// Keys stay inside the curve's domain, with the two fixed ends and at most one selection.
void checkGraphKeys(KWObject* gadget) {
    const KWFloatGraph* graph = static_cast<KWFloatGraph*>(gadget);
    int fixed = 0;
    int selected = 0;
    for (const KWGraphPoint& key : graph->getPoints()) {
        EXPECT_TRUE(std::isfinite(key.x) && std::isfinite(key.y1) && std::isfinite(key.y2));
        EXPECT_GE(key.x, 0.0f);
        EXPECT_LE(key.x, 100.0f);
        fixed += key.fixed ? 1 : 0;
        selected += key.selected ? 1 : 0;
    }
    EXPECT_EQ(2, fixed);
    EXPECT_LE(selected, 1);
}

bool isColor(const KWColor& c) {
    for (int component : {c.r, c.g, c.b, c.a}) {
        if (component < 0 || component > 255) {
            return false;
        }
    }
    return true;
}

// Gradient keys stay within 0 to 100 with colours within 0 to 255, and both end keys survive.
void checkGradientKeys(KWObject* gadget) {
    const KWColorEdit* edit = static_cast<KWColorEdit*>(gadget);
    int fixed = 0;
    for (const KWColorPoint& key : edit->getPoints()) {
        EXPECT_TRUE(std::isfinite(key.position));
        EXPECT_GE(key.position, 0.0f);
        EXPECT_LE(key.position, 100.0f);
        EXPECT_TRUE(isColor(key.color1) && isColor(key.color2));
        fixed += key.fixed ? 1 : 0;
    }
    EXPECT_EQ(2, fixed);
}

void checkColorPair(KWObject* gadget) {
    const KWColorButtons* pair = static_cast<KWColorButtons*>(gadget);
    EXPECT_TRUE(isColor(pair->getColor1()) && isColor(pair->getColor2()));
}

void checkPickedColor(KWObject* gadget) {
    EXPECT_TRUE(isColor(static_cast<KWColorPicker*>(gadget)->getColor()));
}

// Every item keeps its editor: the grid owns the record, the editor is still a live window.
void checkGridEditors(KWObject* gadget) {
    KWProperties* grid = static_cast<KWProperties*>(gadget);
    grid->updatePropObjects();
    grid->updateSubitemsText();
    for (int i = 0; i < grid->getChildCount(); ++i) {
        EXPECT_TRUE(IsWindow(grid->getChild(i)->getHandle())) << i;
    }
}

std::vector<GadgetFactory> factories() {
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
         },
         nullptr, false},
        {"Panel", [](KWObject* p) { return KWPanel::create(STYLE_DEFAULT, 0, 0, 200, 100, p, 0); }, nullptr,
         false},
        {"GroupBox", [](KWObject* p) { return KWGroupBox::create(STYLE_DEFAULT, "g", 0, 0, 200, 100, p, 0); },
         nullptr, false},
        {"Header",
         [](KWObject* p) {
             return KWHeader::create(STYLE_DEFAULT, 0, 0, 200, 100, "h", KWColor(230, 230, 230, 255),
                                     KWColor(180, 180, 180, 255), KWColor(40, 40, 40, 255), p, 0);
         },
         nullptr, false},
        {"Tab",
         [](KWObject* p) {
             KWTab* t = KWTab::create(STYLE_DEFAULT, 0, 0, 200, 100, p, 0);
             t->addTab(0, "a");
             t->addTab(1, "b");
             return t;
         },
         nullptr, false},
        {"Rollout",
         [](KWObject* p) {
             KWRollout* r = KWRollout::create(STYLE_DEFAULT, 0, 0, 200, 100, p, 0);
             r->addRollout(1, "first");
             r->addRollout(2, "second");
             r->addObject(1, 5, 5, KWButton::create(STYLE_DEFAULT, "in", 0, 0, 50, 20, r, 0));
             r->addObject(2, 5, 5, KWEdit::create(STYLE_DEFAULT, "e", 0, 0, 50, 20, r, 0));
             return r;
         },
         nullptr, false},
        {"Button", [](KWObject* p) { return KWButton::create(STYLE_DEFAULT, "b", 0, 0, 80, 20, p, 0); },
         nullptr, false},
        {"CheckBox",
         [](KWObject* p) {
             KWCheckBox* c = KWCheckBox::create(STYLE_DEFAULT, "c", 0, 0, 80, 20, p, 0);
             c->setAutoTextEnabled(true);
             return c;
         },
         checkAutoText, false},
        {"Radio", [](KWObject* p) { return KWRadio::create(STYLE_DEFAULT, "r", 0, 0, 80, 20, p, 0); },
         nullptr, false},
        {"Edit", [](KWObject* p) { return KWEdit::create(STYLE_DEFAULT, "e", 0, 0, 80, 20, p, 0); }, nullptr,
         false},
        {"Text",
         [](KWObject* p) { return KWText::create(STYLE_DEFAULT, "t", 0, 0, 80, 20, ALIGN_LEFT, p, 0); },
         nullptr, false},
        {"ComboBox",
         [](KWObject* p) {
             KWComboBox* c = KWComboBox::create(STYLE_DEFAULT, 0, 0, 80, 20, p, 0);
             c->addItem(1, "one");
             return c;
         },
         checkComboSelection, false},
        {"ListBox",
         [](KWObject* p) {
             KWListBox* l = KWListBox::create(STYLE_DEFAULT, 0, 0, 80, 80, p, 0);
             l->addItem(1, "one");
             return l;
         },
         checkListSelection, false},
        {"Status", [](KWObject* p) { return KWStatus::create(p, 0); }, nullptr, false},
        {"ToolBar",
         [](KWObject* p) {
             KWToolBar* t = KWToolBar::create(false, p, 0);
             t->addButton(1, "x");
             t->addSeparator();
             t->addButton(2, "y");
             return t;
         },
         nullptr, false},
        {"TreeView",
         [](KWObject* p) {
             KWTreeView* t = KWTreeView::create(STYLE_DEFAULT, 0, 0, 200, 200, p, 0);
             const int root = t->addItem(-1, -1, 0, "root");
             t->addItem(root, -1, 1, "child");
             return t;
         },
         nullptr, false},
        {"SpinBox",
         [](KWObject* p) {
             return KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 80, 20, 0.0f, 10.0f, 0.5f, true, true, p, 0);
         },
         checkSpinBoxCommit, false},
        {"OpenButton",
         [](KWObject* p) {
             return KWOpenButton::create(STYLE_DEFAULT, std::string("All\0*.*\0\0", 9), 0, 0, 120, 20, true,
                                         p, 0);
         },
         nullptr, false},
        {"FloatGraph", [](KWObject* p) { return KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 300, 200, p, 0); },
         checkGraphKeys, true},
        {"Properties",
         [](KWObject* p) {
             KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 0, 0, 300, 200, p, 0);
             KWGroupItem* first = grid->addGroup("first");
             KWGroupItem* second = grid->addGroup("second");
             grid->addItem(first, "edit", 1, KWEdit::create(STYLE_DEFAULT, "e", 0, 0, 50, 20, grid, 0));
             grid->addItem(first, "spin", 1,
                           KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 50, 20, 0.0f, 10.0f, 0.5f, true, true,
                                             grid, 0));
             KWCheckBox* check = KWCheckBox::create(STYLE_DEFAULT, "c", 0, 0, 50, 20, grid, 0);
             check->setAutoTextEnabled(true);
             grid->addItem(second, "check", 1, check);
             grid->openGroup(first, true);
             grid->openGroup(second, true);
             return grid;
         },
         checkGridEditors, false},
        {"ColorButton",
         [](KWObject* p) {
             return KWColorButton::create(STYLE_DEFAULT, 0, 0, 60, 20, KWColor(10, 20, 30, 255), p, 0);
         },
         nullptr, false},
        {"ColorButtons",
         [](KWObject* p) {
             return KWColorButtons::create(STYLE_DEFAULT, 0, 0, 60, 20, KWColor(10, 20, 30, 255),
                                           KWColor(200, 100, 50, 128), p, p, 0);
         },
         checkColorPair, false},
        {"ColorEdit", [](KWObject* p) { return KWColorEdit::create(STYLE_DEFAULT, 0, 0, 300, 60, p, p); },
         checkGradientKeys, true},
        {"ColorPicker", [](KWObject* p) { return new KWColorPicker(KWColor(200, 100, 50, 255), 0, 0, p); },
         checkPickedColor, false},
    };
}

} // namespace
