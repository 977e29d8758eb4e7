// Every input gadget is reached with Tab, in creation order, whatever loop pumps the messages, and the
// self-drawn ones work from the keyboard.
#include "PaintProbe.h"
#include "TestSupport.h"

#include <KW.h>

#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

void pressKey(WORD key, WORD modifier = 0) {
    std::vector<INPUT> inputs;
    for (WORD code : {modifier, key}) {
        if (code) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            inputs.push_back(input);
        }
    }
    for (auto i = inputs.size(); i-- > 0;) {
        INPUT up = inputs[i];
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    kwtest::pumpMessages();
}

// The gadget whose window holds the focus (a spin box's field is its part).
KWObject* focused(const std::vector<KWObject*>& gadgets) {
    for (HWND window = GetFocus(); window; window = GetParent(window)) {
        for (KWObject* gadget : gadgets) {
            if (gadget->getHandle() == window) {
                return gadget;
            }
        }
    }
    return nullptr;
}

// The value of the active window's accessible object: the colour of a picker that just opened.
std::wstring activeValue() {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(GetActiveWindow(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    if (!object) {
        return L"";
    }
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    VariantInit(&role);
    BSTR value = nullptr;
    std::wstring result;
    if (object->get_accRole(self, &role) == S_OK && role.lVal == ROLE_SYSTEM_DIALOG &&
        object->get_accValue(self, &value) == S_OK && value) {
        result = value;
    }
    SysFreeString(value);
    object->Release();
    return result;
}

long stateOf(KWObject* gadget, long child) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(gadget->getHandle(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    VARIANT id;
    id.vt = VT_I4;
    id.lVal = child;
    VARIANT state;
    VariantInit(&state);
    const bool read = object && object->get_accState(id, &state) == S_OK;
    if (object) {
        object->Release();
    }
    return read ? state.lVal : -1;
}

// A shown frame holding one gadget of each kind that takes input, the button focused.
struct ReachFixture {
    std::unique_ptr<KWWindow> frame;
    KWButton* button;
    KWRollout* rollout;
    KWCheckBox* inSection;
    KWFloatGraph* graph;
    KWColorButtons* swatches;
    KWColorEdit* gradient;
    std::vector<KWObject*> order;
    ReachFixture()
        : frame(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 50, 50, 520, 420, "Reach", nullptr, 0)) {
        KWWindow* f = frame.get();
        button = KWButton::create(STYLE_DEFAULT, "Go", 10, 10, 60, 24, f, 1);
        KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "text", 80, 10, 100, 22, f, 2);
        KWSpinBox* spin = KWSpinBox::create(STYLE_DEFAULT, 1.0f, 190, 10, 90, 22, 0, 10, 1, true, true, f, 3);
        KWColorButton* swatch = KWColorButton::create(STYLE_DEFAULT, 290, 10, 30, 22, KWColor(), f, 4);
        swatches = KWColorButtons::create(STYLE_DEFAULT, 330, 10, 40, 22, KWColor(255, 0, 0, 255),
                                          KWColor(0, 0, 255, 255), f, f, 5);
        rollout = KWRollout::create(STYLE_DEFAULT, 10, 40, 240, 150, f, 6);
        rollout->addRollout(1, "Emission");
        rollout->addRollout(2, "Motion");
        inSection = KWCheckBox::create(STYLE_DEFAULT, "Loop", 0, 0, 80, 20, rollout, 7);
        rollout->addObject(1, 20, 4, inSection);
        graph = KWFloatGraph::create(STYLE_DEFAULT, 260, 40, 240, 150, f, 8);
        KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 10, 200, 120, 100, f, 9);
        gradient = KWColorEdit::create(STYLE_DEFAULT, 140, 200, 300, 60, f, f);
        order = {button, edit, spin, swatch, swatches, rollout, graph, combo, gradient};
        ShowWindow(f->getHandle(), SW_SHOW);
        SetForegroundWindow(f->getHandle());
        SetFocus(button->getHandle());
        EXPECT_TRUE(kwtest::pumpUntil([this] { return GetFocus() == button->getHandle(); }));
    }
};

} // namespace

TEST(KeyboardReach, TabWalksTheInputGadgetsInCreationOrderAndShiftTabWalksBack) {
    ReachFixture f;
    std::vector<KWObject*> visited;
    for (size_t i = 0; i < f.order.size(); ++i) {
        // The curve and gradient editors keep Tab for their keys; Ctrl+Tab leaves them.
        const KWObject* at = focused(f.order);
        pressKey(VK_TAB, at == f.graph || at == f.gradient ? VK_CONTROL : 0);
        visited.push_back(focused(f.order));
    }
    std::vector<KWObject*> expected(f.order.begin() + 1, f.order.end());
    expected.push_back(f.button);
    EXPECT_EQ(expected, visited);
    pressKey(VK_TAB, VK_SHIFT);
    EXPECT_EQ(f.order.back(), focused(f.order));
}

TEST(KeyboardReach, AFocusedRolloutBarTogglesWithSpaceAndShowsTheFocus) {
    ReachFixture f;
    SetFocus(f.rollout->getHandle());
    kwtest::pumpMessages();
    RECT client = {};
    GetClientRect(f.rollout->getHandle(), &client);
    const std::vector<COLORREF> marked = kwtest::captureClient(f.rollout->getHandle(), client.right, 40);
    EXPECT_EQ(STATE_SYSTEM_COLLAPSED | STATE_SYSTEM_FOCUSED, stateOf(f.rollout, 1));

    pressKey(VK_SPACE);
    EXPECT_TRUE(kwtest::pumpUntil([&f] { return IsWindowVisible(f.inSection->getHandle()) != FALSE; }));
    EXPECT_EQ(STATE_SYSTEM_EXPANDED | STATE_SYSTEM_FOCUSED, stateOf(f.rollout, 1));
    // The opened section's gadgets come next in the Tab order.
    pressKey(VK_TAB);
    EXPECT_EQ(f.inSection->getHandle(), GetFocus());
    EXPECT_NE(marked, kwtest::captureClient(f.rollout->getHandle(), client.right, 40));

    SetFocus(f.rollout->getHandle());
    pressKey(VK_DOWN);
    EXPECT_EQ(STATE_SYSTEM_COLLAPSED | STATE_SYSTEM_FOCUSED, stateOf(f.rollout, 2));
    EXPECT_EQ(STATE_SYSTEM_EXPANDED, stateOf(f.rollout, 1));
}

TEST(KeyboardReach, ThePickerOpensFromTheKeyboardAndTellsScreenReadersItsColour) {
    ReachFixture f;
    std::vector<KWEvent> events;
    f.swatches->setHandler([&events](const KWEvent& event) { events.push_back(event); });
    SetFocus(f.swatches->getHandle());
    pressKey(VK_RIGHT);
    EXPECT_EQ(STATE_SYSTEM_FOCUSED, stateOf(f.swatches, 2) & STATE_SYSTEM_FOCUSED);
    pressKey(VK_SPACE);
    EXPECT_EQ(L"#0000FFFF", activeValue());
    // Tab reaches "Ok" (the first of the popup's stops), and Space presses it.
    pressKey(VK_TAB);
    pressKey(VK_SPACE);
    ASSERT_TRUE(kwtest::pumpUntil([&events] { return !events.empty(); }));
    EXPECT_EQ(1, events.front().param1);

    // Shift+Enter opens the gradient editor's picker on its keyboard key's lower colour.
    SetFocus(f.gradient->getHandle());
    pressKey(VK_TAB);
    const auto key = std::find_if(f.gradient->getPoints().begin(), f.gradient->getPoints().end(),
                                  [](const KWColorPoint& point) { return point.selected; });
    ASSERT_NE(f.gradient->getPoints().end(), key);
    pressKey(VK_RETURN, VK_SHIFT);
    wchar_t expected[16];
    swprintf(expected, 16, L"#%02X%02X%02X%02X", key->color2.r, key->color2.g, key->color2.b, key->color2.a);
    EXPECT_EQ(expected, activeValue());
}
