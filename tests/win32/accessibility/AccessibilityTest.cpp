// The self-drawn gadgets as a screen reader sees them, through AccessibleObjectFromWindow.
#include "TestSupport.h"

#include <KW.h>

#include <gtest/gtest.h>

#include <oleacc.h>

#include <climits>
#include <functional>
#include <memory>
#include <set>

using namespace KW;

namespace {

struct Released {
    void operator()(IAccessible* object) const { object->Release(); }
};
using Accessible = std::unique_ptr<IAccessible, Released>;

Accessible objectOf(KWObject* gadget) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(gadget->getHandle(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    return Accessible(object);
}

VARIANT child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* object,
                 long id) {
    BSTR value = nullptr;
    std::string result;
    if ((object->*get)(child(id), &value) == S_OK && value) {
        char buffer[256] = {};
        WideCharToMultiByte(CP_UTF8, 0, value, -1, buffer, sizeof(buffer), nullptr, nullptr);
        result = buffer;
    }
    SysFreeString(value);
    return result;
}

long number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* object, long id) {
    VARIANT value;
    VariantInit(&value);
    return (object->*get)(child(id), &value) == S_OK && value.vt == VT_I4 ? value.lVal : -1;
}

struct Expected {
    const char* gadget;
    std::function<KWObject*(KWWindow*)> make;
    long role;
    const char* name;
    const char* value;
    HRESULT valueAnswer; // S_OK with a value; DISP_E_MEMBERNOTFOUND where a value does not apply
    long children;
};

} // namespace

TEST(Accessibility, SelfDrawnGadgetsTellTheirRoleNameValueAndParts) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 400, 300, "A", nullptr, 0));
    const Expected table[] = {
        {"header",
         [](KWWindow* f) -> KWObject* {
             return KWHeader::create(STYLE_DEFAULT, 0, 0, 200, 60, "Scene", KWColor(), KWColor(), KWColor(),
                                     f, 1);
         },
         ROLE_SYSTEM_GROUPING, "Scene", "", DISP_E_MEMBERNOTFOUND, 0},
        {"spin box",
         [](KWWindow* f) -> KWObject* {
             KWSpinBox* spin =
                 KWSpinBox::create(STYLE_DEFAULT, 2.5f, 0, 0, 90, 22, 0, 10, 0.5f, true, true, f, 1);
             spin->setAccessibleName("Rate");
             spin->setValue(3.0f);
             return spin;
         },
         ROLE_SYSTEM_SPINBUTTON, "Rate", "3.00000", S_OK, 0},
        {"colour button",
         [](KWWindow* f) -> KWObject* {
             return KWColorButton::create(STYLE_DEFAULT, 0, 0, 30, 20, KWColor(10, 20, 30, 255), f, 1);
         },
         ROLE_SYSTEM_PUSHBUTTON, "", "#0A141EFF", S_OK, 0},
        {"colour buttons",
         [](KWWindow* f) -> KWObject* {
             return KWColorButtons::create(STYLE_DEFAULT, 0, 0, 40, 20, KWColor(255, 0, 0, 255),
                                           KWColor(0, 0, 255, 128), f, f, 1);
         },
         ROLE_SYSTEM_GROUPING, "", "", DISP_E_MEMBERNOTFOUND, 2},
        {"rollout",
         [](KWWindow* f) -> KWObject* {
             KWRollout* rollout = KWRollout::create(STYLE_DEFAULT, 0, 0, 200, 200, f, 1);
             rollout->addRollout(1, "Emission");
             rollout->addRollout(2, "Motion");
             return rollout;
         },
         ROLE_SYSTEM_PANE, "", "", DISP_E_MEMBERNOTFOUND, 2},
        {"curve editor",
         [](KWWindow* f) -> KWObject* { return KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 200, 120, f, 1); },
         ROLE_SYSTEM_DIAGRAM, "", "", DISP_E_MEMBERNOTFOUND, 2},
        {"gradient editor",
         [](KWWindow* f) -> KWObject* {
             return KWColorEdit::create(STYLE_DEFAULT, 0, 0, 200, 80, f, nullptr);
         },
         ROLE_SYSTEM_DIAGRAM, "", "", DISP_E_MEMBERNOTFOUND, 2},
    };
    for (const Expected& row : table) {
        SCOPED_TRACE(row.gadget);
        KWObject* gadget = row.make(frame.get());
        Accessible object = objectOf(gadget);
        ASSERT_TRUE(object);
        EXPECT_EQ(row.role, number(&IAccessible::get_accRole, object.get(), CHILDID_SELF));
        EXPECT_EQ(row.name, text(&IAccessible::get_accName, object.get(), CHILDID_SELF));
        EXPECT_EQ(row.value, text(&IAccessible::get_accValue, object.get(), CHILDID_SELF));
        BSTR value = nullptr;
        EXPECT_EQ(row.valueAnswer, object->get_accValue(child(CHILDID_SELF), &value));
        SysFreeString(value);
        EXPECT_EQ(DISP_E_MEMBERNOTFOUND, object->get_accDefaultAction(child(CHILDID_SELF), &value));
        long count = -1;
        EXPECT_EQ(S_OK, object->get_accChildCount(&count));
        EXPECT_EQ(row.children, count);
        delete gadget;
    }
}

TEST(Accessibility, PartsOfRolloutsGraphsAndSwatches) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 400, 300, "A", nullptr, 0));
    KWRollout* rollout = KWRollout::create(STYLE_DEFAULT, 0, 0, 200, 200, frame.get(), 1);
    rollout->addRollout(1, "Emission");
    Accessible sections = objectOf(rollout);
    ASSERT_TRUE(sections);
    EXPECT_EQ("Emission", text(&IAccessible::get_accName, sections.get(), 1));
    EXPECT_EQ(STATE_SYSTEM_COLLAPSED, number(&IAccessible::get_accState, sections.get(), 1));
    EXPECT_EQ("Expand", text(&IAccessible::get_accDefaultAction, sections.get(), 1));
    EXPECT_EQ(S_OK, sections->accDoDefaultAction(child(1)));
    EXPECT_EQ(STATE_SYSTEM_EXPANDED, number(&IAccessible::get_accState, sections.get(), 1));
    EXPECT_EQ(E_INVALIDARG, sections->accDoDefaultAction(child(2)));

    KWFloatGraph* graph = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 200, 120, frame.get(), 2);
    Accessible keys = objectOf(graph);
    ASSERT_TRUE(keys);
    EXPECT_EQ("Key 2", text(&IAccessible::get_accName, keys.get(), 2));
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, number(&IAccessible::get_accRole, keys.get(), 2));
    EXPECT_EQ("100\t0\t0", text(&IAccessible::get_accValue, keys.get(), 2));
    VARIANT next;
    EXPECT_EQ(S_OK, keys->accNavigate(NAVDIR_NEXT, child(1), &next));
    EXPECT_EQ(2, next.lVal);

    KWColorButtons* swatches = KWColorButtons::create(STYLE_DEFAULT, 0, 0, 40, 20, KWColor(255, 0, 0, 255),
                                                      KWColor(0, 0, 255, 128), frame.get(), frame.get(), 3);
    Accessible pair = objectOf(swatches);
    ASSERT_TRUE(pair);
    EXPECT_EQ("#0000FF80", text(&IAccessible::get_accValue, pair.get(), 2));
}

TEST(Accessibility, KeysAreNumberedLeftToRightAfterOneIsMovedPastAnother) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 400, 300, "A", nullptr, 0));
    ShowWindow(frame->getHandle(), SW_SHOW);
    KWFloatGraph* graph = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 300, 150, frame.get(), 1);
    std::vector<KWGraphPoint> keys(4);
    keys[1].x = 40.0f;
    keys[2].x = 42.0f;
    keys[3].x = 100.0f;
    ASSERT_TRUE(graph->setPoints(keys));
    KWColorEdit* ramp = KWColorEdit::create(STYLE_DEFAULT, 0, 160, 300, 80, frame.get(), nullptr);
    const KWColor black(0, 0, 0, 255), grey(128, 128, 128, 255), white(255, 255, 255, 255);
    ASSERT_TRUE(
        ramp->setPoints({KWColorPoint(0.0f, black, black, true), KWColorPoint(40.0f, grey, grey),
                         KWColorPoint(42.0f, white, white), KWColorPoint(100.0f, black, black, true)}));
    const struct {
        KWObject* editor;
        std::function<float(int)> position; // of the key at a vector index
    } editors[] = {{graph, [graph](int i) { return graph->getPoints()[i].x; }},
                   {ramp, [ramp](int i) { return ramp->getPoints()[i].position; }}};
    for (const auto& e : editors) {
        // Tab twice chooses the key at 40; Right moves it a pixel at a time, past the key at 42.
        SetFocus(e.editor->getHandle());
        for (int press = 0; press < 22; ++press) {
            SendMessageW(e.editor->getHandle(), WM_KEYDOWN, press < 2 ? VK_TAB : VK_RIGHT, 0);
        }
        ASSERT_GT(e.position(1), e.position(2)) << "the key did not move past its neighbour";
        Accessible object = objectOf(e.editor);
        ASSERT_TRUE(object);
        long previous = LONG_MIN;
        for (long n = 1; n <= 4; ++n) {
            long left = 0, top = 0, width = 0, height = 0;
            ASSERT_EQ(S_OK, object->accLocation(&left, &top, &width, &height, child(n)));
            EXPECT_GT(left, previous) << n;
            previous = left;
        }
        // The moved key, now third from the left, is the selected one.
        EXPECT_EQ(STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED,
                  number(&IAccessible::get_accState, object.get(), 3));
    }
}

TEST(Accessibility, AnObjectOutlivingItsGadgetRefusesCleanly) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 400, 300, "A", nullptr, 0));
    KWHeader* header = KWHeader::create(STYLE_DEFAULT, 0, 0, 200, 60, "Scene", KWColor(), KWColor(),
                                        KWColor(), frame.get(), 1);
    Accessible object = objectOf(header);
    ASSERT_TRUE(object);
    delete header;
    VARIANT role;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, object->get_accRole(child(CHILDID_SELF), &role));
    long count = 0;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, object->get_accChildCount(&count));
}

namespace {

int& eventsSeen(DWORD event) {
    static int seen[2] = {0, 0};
    return seen[event == EVENT_OBJECT_VALUECHANGE ? 0 : 1];
}

std::set<HWND>& valuesChanged() {
    static std::set<HWND> windows;
    return windows;
}

void CALLBACK countEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
    ++eventsSeen(event);
    if (event == EVENT_OBJECT_VALUECHANGE) {
        valuesChanged().insert(window);
    }
}

} // namespace

TEST(Accessibility, AKeyMovedByTheKeyboardAndASectionToggledAreAnnounced) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 400, 300, "A", nullptr, 0));
    ShowWindow(frame->getHandle(), SW_SHOW);
    KWFloatGraph* graph = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 300, 150, frame.get(), 1);
    std::vector<KWGraphPoint> keys(3);
    keys[1].x = 50.0f;
    keys[2].x = 100.0f;
    ASSERT_TRUE(graph->setPoints(keys));
    KWRollout* rollout = KWRollout::create(STYLE_DEFAULT, 0, 160, 300, 100, frame.get(), 2);
    rollout->addRollout(1, "Emission");
    Accessible keyObject = objectOf(graph);
    Accessible sections = objectOf(rollout);
    ASSERT_TRUE(keyObject && sections);
    const std::string before = text(&IAccessible::get_accValue, keyObject.get(), 2);

    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                         countEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    SetFocus(graph->getHandle());
    // Tab walks the keys in position order; the arrows move the chosen one.
    for (WPARAM key : {VK_TAB, VK_TAB, VK_RIGHT}) {
        SendMessageW(graph->getHandle(), WM_KEYDOWN, key, 0);
    }
    sections->accDoDefaultAction(child(1));
    // A value the program sets is announced as well.
    KWColorButton* swatch = KWColorButton::create(STYLE_DEFAULT, 310, 0, 30, 20, KWColor(), frame.get(), 3);
    swatch->setColor(KWColor(1, 2, 3, 4));
    HWND swatchWindow = swatch->getHandle();
    kwtest::pumpUntil([swatchWindow] {
        return valuesChanged().count(swatchWindow) > 0 && eventsSeen(EVENT_OBJECT_STATECHANGE) > 0;
    });
    UnhookWinEvent(hook);

    EXPECT_NE(before, text(&IAccessible::get_accValue, keyObject.get(), 2));
    EXPECT_EQ(STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED,
              number(&IAccessible::get_accState, keyObject.get(), 2));
    EXPECT_GT(eventsSeen(EVENT_OBJECT_VALUECHANGE), 0);
    EXPECT_GT(eventsSeen(EVENT_OBJECT_STATECHANGE), 0);
    EXPECT_EQ(1u, valuesChanged().count(swatchWindow));
}
