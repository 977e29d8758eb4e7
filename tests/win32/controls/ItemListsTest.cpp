#include "ControlHost.h"

#include <vector>

using namespace KW;
using kwtest::ControlHost;

namespace {

using ComboBoxes = ControlHost;
using ListBoxes = ControlHost;

std::vector<std::string> comboTexts(HWND combo) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        text.resize(
            static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]))));
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::string> listTexts(HWND list) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        text.resize(
            static_cast<size_t>(SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]))));
        texts.push_back(text);
    }
    return texts;
}

using Texts = std::vector<std::string>;

} // namespace

TEST_F(ComboBoxes, StartEmptyAsADropDownListAndKeepTheOrderOfAdding) {
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 10, 20, 150, 200, parent(), 4);
    HWND window = combo->getHandle();
    EXPECT_EQ(kwtest::windowClassName(window), "ComboBox");
    EXPECT_EQ(kwtest::styleOf(window) & 0x50000203, 0x50000203);
    EXPECT_EQ(kwtest::styleOf(window) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(kwtest::styleOf(window) & CBS_SORT, 0);
    EXPECT_EQ(combo->getType(), GADGET_COMBOBOX);
    EXPECT_EQ(SendMessageA(window, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(combo->getSelectedId(), -1);
    EXPECT_EQ(combo->getSelectedText(), "");

    combo->addItem(2, "Beta");
    combo->addItem(1, "Alpha");
    combo->addItem(-7, "Gamma");
    EXPECT_EQ(comboTexts(window), (Texts{"Beta", "Alpha", "Gamma"}));
    SendMessageA(window, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(combo->getSelectedId(), -7);
    EXPECT_EQ(combo->getSelectedText(), "Gamma");
}

TEST_F(ComboBoxes, EqualIdsResolveToTheFirstItem) {
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 0, 0, 150, 200, parent(), 0);
    combo->addItem(3, "first three");
    combo->addItem(5, "five");
    combo->addItem(3, "second three");
    SendMessageA(combo->getHandle(), CB_SETCURSEL, 2, 0);
    EXPECT_EQ(combo->getSelectedId(), 3);
    combo->removeItem(3);
    EXPECT_EQ(comboTexts(combo->getHandle()), (Texts{"five", "second three"}));
    combo->removeItem(42);
    EXPECT_EQ(comboTexts(combo->getHandle()).size(), 2u);
}

TEST_F(ComboBoxes, RemovingByTextIgnoresCaseButNeedsTheWholeText) {
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 0, 0, 150, 200, parent(), 0);
    combo->addItem(1, "Additive");
    combo->addItem(2, "Subtractive");
    combo->removeItem(std::string("Sub"));
    EXPECT_EQ(comboTexts(combo->getHandle()), (Texts{"Additive", "Subtractive"}));
    combo->removeItem(std::string("subtractive"));
    EXPECT_EQ(comboTexts(combo->getHandle()), (Texts{"Additive"}));
}

TEST_F(ComboBoxes, KeyboardSelectionIsWhatTheGettersReport) {
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 0, 0, 150, 200, parent(), 0);
    combo->addItem(10, "ten");
    combo->addItem(20, "twenty");
    SetFocus(combo->getHandle());
    SendMessageA(combo->getHandle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(combo->getHandle(), WM_KEYDOWN, VK_DOWN, 0);
    kwtest::pumpMessages();
    EXPECT_EQ(combo->getSelectedId(), 20);
    EXPECT_EQ(combo->getSelectedText(), "twenty");
}

namespace {

// The selection-field heights asked of a combo box (Wine reports a field height back with its own
// padding added, so the request itself is what is compared).
std::vector<LPARAM> fieldHeights;
WNDPROC comboProc = nullptr;

LRESULT CALLBACK recordFieldHeight(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CB_SETITEMHEIGHT && static_cast<int>(wParam) == -1) {
        fieldHeights.push_back(lParam);
    }
    return CallWindowProcA(comboProc, window, msg, wParam, lParam);
}

} // namespace

TEST_F(ComboBoxes, PlacementFitsTheClosedBoxAndKeepsTheRecord) {
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 0, 0, 150, 200, parent(), 0);
    fieldHeights.clear();
    comboProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(combo->getHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordFieldHeight)));
    KWBound edges(10, 110, 5, 25);
    combo->setPlacement(edges);
    kwtest::expectRect(edges, 10, 110, 5, 25);
    kwtest::expectRect(kwtest::rectInParent(combo->getHandle()), 10, 110, 5, 25);

    // Too low a rectangle still asks for a usable field.
    KWBound flat(0, 50, 0, 3);
    combo->setPlacement(flat);
    SetWindowLongPtrA(combo->getHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(comboProc));
    EXPECT_EQ(fieldHeights, (std::vector<LPARAM>{14, 1}));
}

TEST_F(ComboBoxes, BoundsTakeSizesAndKeepTheStackingOrder) {
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 0, 0, 150, 200, parent(), 0);
    KWButton* after = KWButton::create(STYLE_DEFAULT, "b", 0, 0, 10, 10, parent(), 0);
    ASSERT_EQ(GetWindow(combo->getHandle(), GW_HWNDNEXT), after->getHandle());
    combo->setBounds(KWBound(20, 120, 30, 200));
    EXPECT_EQ(GetWindow(combo->getHandle(), GW_HWNDNEXT), after->getHandle());
    const KWBound placed = kwtest::rectInParent(combo->getHandle());
    EXPECT_EQ(placed.left, 20);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right - placed.left, 120);
    // A closed drop-down list shows its field only; the height asked for is the list's.
    EXPECT_LT(placed.bottom - placed.top, 200);
}

TEST_F(ComboBoxes, LongItemsReadBackCutToNinetyNine) {
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 0, 0, 150, 200, parent(), 0);
    const std::string& big = kwtest::megabyteText();
    combo->addItem(1, big);
    combo->addItem(2, std::string(150, 'q'));
    SendMessageA(combo->getHandle(), CB_SETCURSEL, 0, 0);
    EXPECT_EQ(combo->getSelectedText(), big.substr(0, 99));
    EXPECT_EQ(combo->getSelectedId(), 1);
    SendMessageA(combo->getHandle(), CB_SETCURSEL, 1, 0);
    EXPECT_EQ(combo->getSelectedText(), std::string(99, 'q'));
    combo->removeItem(big);
    EXPECT_EQ(comboTexts(combo->getHandle()), (Texts{std::string(150, 'q')}));
}

TEST_F(ListBoxes, StartEmptyAndLookUpTheFirstItemOfAnId) {
    KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 200, 150, parent(), 0);
    HWND window = list->getHandle();
    EXPECT_EQ(kwtest::styleOf(window) & LBS_SORT, 0);
    EXPECT_EQ(list->getSelectedId(), -1);
    EXPECT_EQ(list->getSelectedText(), "");

    list->addItem(3, "zeta");
    list->addItem(8, "alpha");
    list->addItem(3, "mu");
    EXPECT_EQ(listTexts(window), (Texts{"zeta", "alpha", "mu"}));

    list->selectItem(8);
    EXPECT_EQ(list->getSelectedId(), 8);
    EXPECT_EQ(list->getSelectedText(), "alpha");
    list->selectItem(3);
    EXPECT_EQ(SendMessageA(window, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(list->getSelectedText(), "zeta");
    list->selectItem(99);
    EXPECT_EQ(SendMessageA(window, LB_GETCURSEL, 0, 0), 0);

    list->removeItem(3);
    EXPECT_EQ(listTexts(window), (Texts{"alpha", "mu"}));
    list->removeItem(std::string("MU"));
    list->removeItem(std::string("alp"));
    EXPECT_EQ(listTexts(window), (Texts{"alpha"}));
}

TEST_F(ListBoxes, ScrollBarsAppearWhenItemsOverflow) {
    KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 100, 60, parent(), 0);
    EXPECT_EQ(kwtest::styleOf(list->getHandle()) & WS_VSCROLL, 0);
    for (int i = 0; i < 30; ++i) {
        list->addItem(i, "item " + std::to_string(i));
    }
    EXPECT_EQ(kwtest::styleOf(list->getHandle()) & WS_VSCROLL, WS_VSCROLL);
    // No integral height: the list keeps the height it was given.
    const KWBound placed = kwtest::rectInParent(list->getHandle());
    EXPECT_EQ(placed.bottom - placed.top, 60);
}

TEST_F(ListBoxes, AClickedItemIsTheSelectedOne) {
    KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 200, 150, parent(), 0);
    list->addItem(11, "one");
    list->addItem(22, "two");
    RECT item = {};
    SendMessageA(list->getHandle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    PostMessageA(list->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list->getHandle(), WM_LBUTTONUP, 0, at);
    kwtest::pumpMessages();
    EXPECT_EQ(list->getSelectedId(), 22);
    EXPECT_EQ(list->getSelectedText(), "two");
}

TEST_F(ListBoxes, SelectedTextComesBackWholeAtAnyLength) {
    KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 200, 150, parent(), 0);
    const std::string& big = kwtest::megabyteText();
    const std::string longer(150, 'k');
    list->addItem(1, longer);
    list->addItem(2, big);
    list->selectItem(1);
    EXPECT_EQ(list->getSelectedText(), longer);
    list->selectItem(2);
    const std::string whole = list->getSelectedText();
    EXPECT_EQ(whole.size(), big.size());
    EXPECT_TRUE(whole == big);
    list->removeItem(big);
    EXPECT_EQ(list->getSelectedText(), "");
    EXPECT_EQ(list->getSelectedId(), -1);
}
