#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

bool isEmpty(const KWBound& bound) {
    return bound.left == 0 && bound.right == 0 && bound.top == 0 && bound.bottom == 0;
}

bool isMessageBoxWindow(HWND window) {
    return window && kwtest::windowClassName(window) == "#32770";
}

// While alive, the platform refuses every window this thread creates, except message boxes (and the
// controls inside them) so that the failure messages still reach the test's catcher.
class CreationRefusal {
public:
    CreationRefusal() { hook = SetWindowsHookExA(WH_CBT, refuse, nullptr, GetCurrentThreadId()); }
    ~CreationRefusal() { UnhookWindowsHookEx(hook); }
    bool active() const { return hook != nullptr; }

private:
    static LRESULT CALLBACK refuse(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            HWND created = reinterpret_cast<HWND>(wParam);
            const CBT_CREATEWNDA* request = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
            if (!isMessageBoxWindow(created) && !isMessageBoxWindow(request->lpcs->hwndParent)) {
                return 1;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static HHOOK hook;
};

HHOOK CreationRefusal::hook = nullptr;

// A gadget whose window could not be created has nothing to show: empty text, empty geometry, not
// enabled, no children; every base method returns without touching anything.
void exerciseBase(KWObject* gadget, const char* name) {
    gadget->setText("text");
    EXPECT_EQ("", gadget->getText()) << name;
    gadget->setBounds(KWBound(1, 2, 30, 40));
    gadget->setPosition(KWBound(5, 6, 7, 8));
    gadget->setPosition(3, 4);
    KWBound placement(10, 60, 20, 50);
    gadget->setPlacement(placement);
    EXPECT_TRUE(isEmpty(gadget->getLocalBounds())) << name;
    EXPECT_TRUE(isEmpty(gadget->getGlobalBounds())) << name;
    gadget->setName("refused");
    EXPECT_EQ("refused", gadget->getName()) << name;
    gadget->setUserValue(7);
    gadget->setUserData(nullptr);
    EXPECT_EQ(nullptr, gadget->getChild(gadget->getChildCount())) << name;
    EXPECT_EQ(nullptr, gadget->getChild(-1)) << name;
    gadget->lockToParent(LOCK_FILL);
    gadget->setActive(true);
    EXPECT_FALSE(gadget->isActive()) << name;
    gadget->setVisible(false);
    EXPECT_FALSE(gadget->isVisible()) << name;
    gadget->setVisible(true);
    gadget->doAlignment();
    // Tools for a missing window name nothing; at most each attempt says it failed.
    kwtest::clearMessageBoxes();
    const int first = gadget->addTooltip("tip");
    const int second = gadget->addTooltip("tip", KWBound(0, 10, 0, 10));
    EXPECT_TRUE(first >= -1 && first < 100) << name;
    EXPECT_TRUE(second >= -1 && second < 100) << name;
    EXPECT_LE(kwtest::messageBoxes().size(), 2u) << name;
    gadget->setTooltipText(first, "changed");
    gadget->setTooltipPosition(first, KWBound(0, 5, 0, 5));
    gadget->setTooltip(second, "both", KWBound(0, 5, 0, 5));
    gadget->removeTooltip(first);
    gadget->removeTooltip(second);
    kwtest::clearMessageBoxes();
}

struct RefusedCase {
    const char* name;
    const char* failureMessage; // null: the class stays silent when its window is refused
    std::function<KWObject*(KWObject* parent)> create;
    std::function<void(KWObject* gadget)> exercise;
};

std::vector<RefusedCase> refusedCases();

class Refused : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        parent.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 400, 300, "parent", nullptr, 0));
        ASSERT_TRUE(parent && parent->getHandle());
        kwtest::clearMessageBoxes();
    }
    void TearDown() override {
        parent.reset();
        kwtest::pumpMessages();
        kwtest::clearMessageBoxes();
    }

    // Creates the gadget as the case says and checks the one message it shows.
    KWObject* createRefused(const RefusedCase& refused, KWObject* owner) {
        KWObject* gadget = refused.create(owner);
        const auto& boxes = kwtest::messageBoxes();
        if (refused.failureMessage) {
            EXPECT_EQ(1u, boxes.size()) << refused.name;
            if (!boxes.empty()) {
                EXPECT_EQ("KW Error", boxes.front().caption) << refused.name;
                EXPECT_EQ(refused.failureMessage, boxes.front().text) << refused.name;
            }
        } else {
            EXPECT_TRUE(boxes.empty()) << refused.name;
        }
        kwtest::clearMessageBoxes();
        return gadget;
    }

    void exerciseAll(const RefusedCase& refused, KWObject* gadget) {
        EXPECT_EQ(nullptr, gadget->getHandle()) << refused.name;
        exerciseBase(gadget, refused.name);
        refused.exercise(gadget);
        kwtest::pumpMessages();
        kwtest::clearMessageBoxes();
    }

    std::unique_ptr<KWWindow> parent;
};

} // namespace

TEST_P(Refused, PlatformRefusalReturnsAnInertGadget) {
    const RefusedCase refused = refusedCases()[GetParam()];
    KWObject* gadget = nullptr;
    {
        CreationRefusal refusal;
        ASSERT_TRUE(refusal.active());
        gadget = createRefused(refused, parent.get());
        ASSERT_TRUE(gadget) << refused.name;
        exerciseAll(refused, gadget);
    }
    // The refused gadget stays the parent's child and dies with it.
    EXPECT_EQ(gadget, parent->getChild(parent->getChildCount() - 1)) << refused.name;
}

TEST_P(Refused, DestroyedParentWindowReturnsAnInertGadget) {
    const RefusedCase refused = refusedCases()[GetParam()];
    KWWindow* holder = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 0, 0, 100, 100, "", parent.get(), 0);
    ASSERT_TRUE(holder && holder->getHandle());
    DestroyWindow(holder->getHandle());
    kwtest::pumpMessages();
    KWObject* gadget = createRefused(refused, holder);
    ASSERT_TRUE(gadget) << refused.name;
    exerciseAll(refused, gadget);
}

TEST_P(Refused, NullParentShowsTheParentMessageOrNone) {
    const RefusedCase refused = refusedCases()[GetParam()];
    std::unique_ptr<KWObject> gadget(refused.create(nullptr));
    const auto& boxes = kwtest::messageBoxes();
    if (gadget) {
        // A class without a parent check makes a window of its own or fails like any refusal.
        EXPECT_LE(boxes.size(), 1u) << refused.name;
        refused.exercise(gadget.get());
    } else {
        ASSERT_EQ(1u, boxes.size()) << refused.name;
        EXPECT_EQ("KW Error", boxes.front().caption) << refused.name;
        EXPECT_NE(std::string::npos, boxes.front().text.find("without a parent")) << refused.name;
    }
    gadget.reset();
    kwtest::pumpMessages();
    kwtest::clearMessageBoxes();
}

INSTANTIATE_TEST_SUITE_P(Gadgets, Refused, testing::Range(0, static_cast<int>(refusedCases().size())),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(refusedCases()[info.param].name);
                         });

namespace {

template <class T> T* as(KWObject* gadget) {
    return static_cast<T*>(gadget);
}

std::vector<RefusedCase> refusedCases() {
    return {
        {"Window", "KWWindow creation failed !",
         [](KWObject* p) {
             return KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 0, 0, 100, 100, "w", p, 0);
         },
         [](KWObject* g) {
             KWWindow* w = as<KWWindow>(g);
             w->setMinDimension(50, 50);
             std::unique_ptr<KWContext> menu(KWContext::create());
             menu->addItem(1, -1, "item", false);
             w->addMenu("menu", menu.get());
             w->addVerticalSplitter(1, 40, 4, 10, 90, true);
             w->addHorizontalSplitter(2, 40, 4, 10, 90, false);
             KWPanel* panel = KWPanel::create(STYLE_DEFAULT, 0, 0, 10, 10, w, 0);
             kwtest::clearMessageBoxes();
             w->addFromLeft(1, panel);
             w->addFromRight(1, panel);
             w->addFromTop(2, panel);
             w->addFromBottom(2, panel);
             w->doAlignment();
         }},
        {"Panel", "KWPanel creation failed !",
         [](KWObject* p) { return KWPanel::create(STYLE_DEFAULT, 0, 0, 50, 50, p, 0); }, [](KWObject*) {}},
        {"GroupBox", "Group Box creation failed !",
         [](KWObject* p) { return KWGroupBox::create(STYLE_DEFAULT, "g", 0, 0, 50, 50, p, 0); },
         [](KWObject*) {}},
        {"Header", nullptr,
         [](KWObject* p) {
             return KWHeader::create(STYLE_DEFAULT, 0, 0, 50, 50, "h", KWColor(1, 2, 3, 255),
                                     KWColor(4, 5, 6, 255), KWColor(7, 8, 9, 255), p, 0);
         },
         [](KWObject*) {}},
        {"Tab", "KWTab creation failed !",
         [](KWObject* p) { return KWTab::create(STYLE_DEFAULT, 0, 0, 100, 100, p, 0); },
         [](KWObject* g) {
             KWTab* t = as<KWTab>(g);
             std::unique_ptr<KWImageList> images(KWImageList::create(16, 16));
             t->setImageList(images.get());
             t->addTab(0, "a");
             t->addTab(1, 0, "b");
             t->setTabsSize(40, 20);
             t->showSelectedTab();
             EXPECT_TRUE(isEmpty(t->getGlobalBounds()));
             t->setImageList(nullptr);
         }},
        {"Rollout", "Rollout creation failed !",
         [](KWObject* p) { return KWRollout::create(STYLE_DEFAULT, 0, 0, 100, 100, p, 0); },
         [](KWObject* g) {
             KWRollout* r = as<KWRollout>(g);
             r->addRollout(1, "section");
             KWButton* button = KWButton::create(STYLE_DEFAULT, "b", 0, 0, 20, 20, r, 0);
             kwtest::clearMessageBoxes();
             r->addObject(1, 5, 5, button);
             r->addObject(99, 5, 5, button);
             r->doAlignment();
         }},
        {"Button", "Button creation failed !",
         [](KWObject* p) { return KWButton::create(STYLE_DEFAULT, "b", 0, 0, 50, 20, p, 0); },
         [](KWObject*) {}},
        {"CheckBox", "CheckBox creation failed !",
         [](KWObject* p) { return KWCheckBox::create(STYLE_DEFAULT, "c", 0, 0, 50, 20, p, 0); },
         [](KWObject* g) {
             KWCheckBox* c = as<KWCheckBox>(g);
             c->setCheckedText("yes");
             c->setUncheckedText("no");
             c->setAutoTextEnabled(true);
             EXPECT_TRUE(c->isAutoTextEnabled());
             EXPECT_FALSE(c->isChecked());
             c->changeAutoText();
             EXPECT_EQ("", c->getText());
         }},
        {"Radio", "Radio button creation failed !",
         [](KWObject* p) { return KWRadio::create(STYLE_DEFAULT, "r", 0, 0, 50, 20, p, 0); },
         [](KWObject* g) {
             KWRadio* r = as<KWRadio>(g);
             r->setSelected(true);
             EXPECT_FALSE(r->isSelected());
         }},
        {"Edit", "Edit Box creation failed !",
         [](KWObject* p) { return KWEdit::create(STYLE_DEFAULT, "e", 0, 0, 50, 20, p, 0); },
         [](KWObject*) {}},
        {"Text", "Text creation failed !",
         [](KWObject* p) { return KWText::create(STYLE_DEFAULT, "t", 0, 0, 50, 20, ALIGN_CENTER, p, 0); },
         [](KWObject*) {}},
        {"ComboBox", "ComboBox creation failed !",
         [](KWObject* p) { return KWComboBox::create(STYLE_DEFAULT, 0, 0, 50, 20, p, 0); },
         [](KWObject* g) {
             KWComboBox* c = as<KWComboBox>(g);
             c->addItem(1, "one");
             EXPECT_EQ(-1, c->getSelectedId());
             EXPECT_EQ("", c->getSelectedText());
             c->removeItem(1);
             c->removeItem("one");
             c->setBounds(KWBound(0, 50, 0, 20));
             KWBound placement(0, 50, 0, 20);
             c->setPlacement(placement);
         }},
        {"ListBox", "ListBox creation failed !",
         [](KWObject* p) { return KWListBox::create(STYLE_DEFAULT, 0, 0, 50, 50, p, 0); },
         [](KWObject* g) {
             KWListBox* l = as<KWListBox>(g);
             l->addItem(1, "one");
             l->selectItem(1);
             EXPECT_EQ(-1, l->getSelectedId());
             EXPECT_EQ("", l->getSelectedText());
             l->removeItem(1);
             l->removeItem("one");
         }},
        {"Status", "Status Bar creation failed !", [](KWObject* p) { return KWStatus::create(p, 0); },
         [](KWObject* g) {
             KWStatus* s = as<KWStatus>(g);
             int edges[] = {50, -1};
             s->setParts(2, edges);
             s->setParts(2, nullptr);
             s->setBounds(KWBound());
         }},
        {"ToolBar", "Toolbar creation failed !", [](KWObject* p) { return KWToolBar::create(false, p, 0); },
         [](KWObject* g) {
             KWToolBar* t = as<KWToolBar>(g);
             std::unique_ptr<KWImageList> images(KWImageList::create(16, 16));
             t->setImageList(images.get());
             t->addButton(1, "x");
             t->addButton(2, 0, "y");
             t->addSeparator();
             t->loadStandardIcons();
             t->setBounds(KWBound());
             t->setImageList(nullptr);
         }},
        {"TreeView", "KWTreeView creation failed !",
         [](KWObject* p) { return KWTreeView::create(STYLE_DEFAULT, 0, 0, 100, 100, p, 0); },
         [](KWObject* g) {
             KWTreeView* t = as<KWTreeView>(g);
             t->setImageList(nullptr);
             kwtest::clearMessageBoxes();
             // No item can be added to a tree without a window: it says so and hands out no id.
             EXPECT_EQ(0, t->addItem(-1, -1, 0, "root"));
             EXPECT_EQ(1u, kwtest::messageBoxes().size());
             EXPECT_EQ(nullptr, t->getItemHandle(1));
             EXPECT_EQ(0, t->getItemId(nullptr));
             std::unique_ptr<KWContext> menu(KWContext::create());
             t->addGroupContext(0, menu.get());
             t->showItemContext(1);
             t->showItemContext(0);
         }},
        {"SpinBox", "Spin Box creation failed !",
         [](KWObject* p) {
             return KWSpinBox::create(STYLE_DEFAULT, 2.0f, 0, 0, 60, 20, 0.0f, 10.0f, 0.5f, true, true, p, 0);
         },
         [](KWObject* g) {
             KWSpinBox* s = as<KWSpinBox>(g);
             s->setValue(3.0f);
             s->setMinValue(1.0f);
             s->setMaxValue(5.0f);
             s->setValues(0.0f, 4.0f);
             EXPECT_EQ("", s->getText());
             const float value = s->getValue();
             EXPECT_TRUE(value == value) << "a number, not NaN";
             KWBound placement(0, 60, 0, 20);
             s->setPlacement(placement);
         }},
        {"OpenButton", nullptr,
         [](KWObject* p) {
             return KWOpenButton::create(STYLE_DEFAULT, std::string("All\0*.*\0\0", 9), 0, 0, 80, 20, true, p,
                                         0);
         },
         [](KWObject* g) {
             KWOpenButton* o = as<KWOpenButton>(g);
             EXPECT_EQ("", o->getText());
             KWBound placement(0, 80, 0, 20);
             o->setPlacement(placement);
             // Opening needs the gadget's window as the dialog's owner: without it nothing opens.
             o->open();
         }},
        {"FloatGraph", "KWFloatGraph creation failed !",
         [](KWObject* p) { return KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 100, 100, p, 0); },
         [](KWObject* g) {
             KWFloatGraph* f = as<KWFloatGraph>(g);
             f->moveView(5, -5);
             f->zoomIn();
             f->zoomOut();
             f->insertPoint(0.5f, 0.5f);
             f->deleteSelected();
             EXPECT_TRUE(f->setPoints({KWGraphPoint()}) || f->getPoints().empty());
             f->evaluate(0.25f);
             const float x = f->getCursorX();
             const float y = f->getCursorY();
             EXPECT_TRUE(x == x && y == y);
         }},
        {"Properties", "Properties creation failed !",
         [](KWObject* p) { return KWProperties::create(STYLE_DEFAULT, 0, 0, 200, 200, p, 0); },
         [](KWObject* g) {
             KWProperties* grid = as<KWProperties>(g);
             std::unique_ptr<KWImageList> images(KWImageList::create(16, 16));
             grid->setImageList(images.get());
             KWGroupItem* group = grid->addGroup("group");
             KWEdit* editor = KWEdit::create(STYLE_DEFAULT, "value", 0, 0, 50, 20, grid, 0);
             kwtest::clearMessageBoxes();
             grid->addItem(group, "item", 1, editor);
             grid->addItem(nullptr, "orphan", 1, editor);
             grid->openGroup(group, true);
             grid->openGroup(group, false);
             grid->openGroup(nullptr, true);
             grid->hideGroup(group, true);
             grid->hideGroup(group, false);
             grid->updateSelection();
             grid->updatePropObjects();
             grid->updateSubitemsText();
             grid->hidePropObjects();
             grid->setImageList(nullptr);
         }},
        {"ColorButton", "Color Button creation failed !",
         [](KWObject* p) {
             return KWColorButton::create(STYLE_DEFAULT, 0, 0, 40, 20, KWColor(10, 20, 30, 40), p, 0);
         },
         [](KWObject* g) {
             KWColorButton* b = as<KWColorButton>(g);
             b->setColor(KWColor(1, 2, 3, 4));
             EXPECT_EQ(3, b->getColor().b);
         }},
        {"ColorButtons", "Color Buttons creation failed !",
         [](KWObject* p) {
             return KWColorButtons::create(STYLE_DEFAULT, 0, 0, 40, 20, KWColor(10, 20, 30, 40),
                                           KWColor(50, 60, 70, 80), p, p, 0);
         },
         [](KWObject* g) {
             // Without its window the pair takes no colours: both read opaque black.
             KWColorButtons* b = as<KWColorButtons>(g);
             EXPECT_EQ(0, b->getColor1().r);
             EXPECT_EQ(255, b->getColor2().a);
         }},
        {"ColorEdit", "KWColorEdit creation failed !",
         [](KWObject* p) { return KWColorEdit::create(STYLE_DEFAULT, 0, 0, 200, 60, p, p); },
         [](KWObject* g) {
             KWColorEdit* e = as<KWColorEdit>(g);
             e->moveView(5, 0);
             e->zoomIn();
             e->zoomOut();
             e->selectPoint();
             e->insertPoint(50.0f, 10.0f);
             e->movePoint(3.0f, 0.0f);
             e->deleteSelected();
             for (const KWColorPoint& key : e->getPoints()) {
                 EXPECT_TRUE(key.position >= 0.0f && key.position <= 100.0f);
             }
             KWColor first, second;
             e->evaluate(50.0f, first, second);
             const float x = e->getCursorX();
             EXPECT_TRUE(x == x);
         }},
        {"ColorPicker", nullptr,
         [](KWObject* p) -> KWObject* { return new KWColorPicker(KWColor(200, 100, 50, 255), 0, 0, p); },
         [](KWObject* g) {
             KWColorPicker* picker = as<KWColorPicker>(g);
             picker->setColor(KWColor(0, 255, 0, 128));
             picker->getColor();
             // Without a parent the picker makes a popup of its own; refused, it has no buttons.
             if (!picker->getHandle()) {
                 EXPECT_EQ(nullptr, picker->getOkButton());
                 EXPECT_EQ(nullptr, picker->getCancelButton());
             }
         }},
    };
}

} // namespace
