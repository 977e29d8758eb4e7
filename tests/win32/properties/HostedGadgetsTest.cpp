#include "GridSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace KW;
using namespace gridtest;

namespace {

void expectBound(const KWBound& actual, const KWBound& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

HWND partOf(KWObject* gadget, const char* className) {
    return FindWindowExA(gadget->getHandle(), nullptr, className, nullptr);
}

POINT centreOf(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return POINT{rect.right / 2, rect.bottom / 2};
}

void typeText(const std::string& text) {
    for (char c : text) {
        INPUT input[2] = {};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wVk = static_cast<WORD>(VkKeyScanA(c) & 0xFF);
        input[1] = input[0];
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
    kwtest::pumpUntil([] { return false; }, 100);
}

} // namespace

TEST(PropertiesHosting, SpinBoxShowsItsFormattedValueAndLiesOverTheCellWithItsArrowsAtTheEnd) {
    GridWindow w;
    KWGroupItem* group = w.grid->addGroup("Transform");
    KWSpinBox* scale =
        KWSpinBox::create(STYLE_DEFAULT, 1.5f, 0, 0, 60, 18, 0.0f, 10.0f, 0.5f, true, true, w.grid, 0);
    KWSpinBox* angle =
        KWSpinBox::create(STYLE_DEFAULT, -2.5f, 0, 0, 60, 18, -90.0f, 90.0f, 1.0f, true, true, w.grid, 0);
    w.grid->addItem(group, "Scale", 0, scale);
    w.grid->addItem(group, "Angle", 0, angle);
    EXPECT_FALSE(isShown(scale));
    w.grid->openGroup(group, true);
    EXPECT_EQ(cellText(w.list(), 1, 1), "1.50000");
    EXPECT_EQ(cellText(w.list(), 2, 1), "-2.50000");

    click(w.list(), cellCentre(w.list(), 1, 0));
    ASSERT_TRUE(isShown(scale));
    EXPECT_FALSE(isShown(angle));
    const KWBound cell = valueCell(w.list(), 1);
    expectBound(kwtest::rectInParent(scale->getHandle()), cell);
    HWND arrows = partOf(scale, "msctls_updown32");
    ASSERT_TRUE(arrows);
    const int height = cell.bottom - cell.top;
    expectBound(kwtest::rectInParent(arrows),
                KWBound(cell.right - cell.left - height, cell.right - cell.left, 0, height));

    // The user presses the upper arrow: the value steps up; selecting the next row shows it in the cell.
    RECT arrowRect = {};
    GetClientRect(arrows, &arrowRect);
    click(arrows, POINT{arrowRect.right / 2, arrowRect.bottom / 4});
    EXPECT_EQ(scale->getText(), "2.00000");
    click(w.list(), cellCentre(w.list(), 2, 0));
    EXPECT_FALSE(isShown(scale));
    EXPECT_TRUE(isShown(angle));
    EXPECT_EQ(cellText(w.list(), 1, 1), "2.00000");
    expectBound(kwtest::rectInParent(angle->getHandle()), valueCell(w.list(), 2));
}

TEST(PropertiesHosting, CheckBoxCaptionFollowsClicksAndReachesTheValueColumn) {
    GridWindow w;
    KWGroupItem* group = w.grid->addGroup("Flags");
    KWCheckBox* visible = KWCheckBox::create(STYLE_DEFAULT, "vasd", 0, 0, 60, 18, w.grid, 0);
    visible->setAutoTextEnabled(true);
    w.grid->addItem(group, "Visible", 0, visible);
    w.grid->addItem(group, "Name", 0, KWEdit::create(STYLE_DEFAULT, "", 0, 0, 60, 18, w.grid, 0));
    w.grid->openGroup(group, true);
    EXPECT_EQ(cellText(w.list(), 1, 1), "False");

    click(w.list(), cellCentre(w.list(), 1, 0));
    ASSERT_TRUE(isShown(visible));
    expectBound(kwtest::rectInParent(visible->getHandle()), valueCell(w.list(), 1));
    // The check box notifies the list view, its parent: the grid's procedure passes the click on to the
    // default handling, which switches the caption.
    click(visible->getHandle(), centreOf(visible->getHandle()));
    EXPECT_TRUE(visible->isChecked());
    EXPECT_EQ(visible->getText(), "True");
    click(w.list(), cellCentre(w.list(), 2, 0));
    EXPECT_EQ(cellText(w.list(), 1, 1), "True");
}

TEST(PropertiesHosting, TypedTextOfAnEditReachesTheValueColumn) {
    GridWindow w;
    KWGroupItem* group = w.grid->addGroup("Texts");
    KWEdit* name = KWEdit::create(STYLE_DEFAULT, "first", 0, 0, 60, 18, w.grid, 0);
    KWEdit* other = KWEdit::create(STYLE_DEFAULT, "second", 0, 0, 60, 18, w.grid, 0);
    w.grid->addItem(group, "Name", 0, name);
    w.grid->addItem(group, "Other", 0, other);
    w.grid->openGroup(group, true);
    EXPECT_EQ(cellText(w.list(), 1, 1), "first");
    EXPECT_EQ(cellText(w.list(), 2, 1), "second");

    click(w.list(), cellCentre(w.list(), 1, 0));
    ASSERT_TRUE(isShown(name));
    click(name->getHandle(), centreOf(name->getHandle()));
    ASSERT_EQ(GetFocus(), name->getHandle());
    SendMessageA(name->getHandle(), EM_SETSEL, 0, -1);
    typeText("abc");
    EXPECT_EQ(name->getText(), "abc");
    click(w.list(), cellCentre(w.list(), 2, 0));
    EXPECT_EQ(cellText(w.list(), 1, 1), "abc");
    EXPECT_FALSE(isShown(name));
}

TEST(PropertiesHosting, OpenButtonAndComboBoxLieOverTheCellAndShowTheirTexts) {
    GridWindow w;
    KWGroupItem* group = w.grid->addGroup("Files");
    KWOpenButton* texture = KWOpenButton::create(STYLE_DEFAULT, "", 0, 0, 80, 18, true, w.grid, 0);
    KWComboBox* blend = KWComboBox::create(STYLE_DEFAULT, 0, 0, 80, 100, w.grid, 0);
    blend->addItem(1, "Additive");
    blend->addItem(2, "Alpha");
    SendMessageA(blend->getHandle(), CB_SETCURSEL, 1, 0);
    // The path a dialog would have written into the read-only field.
    SetWindowTextA(partOf(texture, "Edit"), "C:\\tex\\fire.bmp");
    w.grid->addItem(group, "Texture", 0, texture);
    w.grid->addItem(group, "Blend", 0, blend);
    w.grid->openGroup(group, true);
    EXPECT_EQ(cellText(w.list(), 1, 1), "C:\\tex\\fire.bmp");
    EXPECT_EQ(cellText(w.list(), 2, 1), "Alpha");

    click(w.list(), cellCentre(w.list(), 1, 0));
    ASSERT_TRUE(isShown(texture));
    const KWBound cell = valueCell(w.list(), 1);
    expectBound(kwtest::rectInParent(texture->getHandle()), cell);
    HWND dots = partOf(texture, "Button");
    ASSERT_TRUE(dots);
    const int height = cell.bottom - cell.top;
    expectBound(kwtest::rectInParent(dots),
                KWBound(cell.right - cell.left - height, cell.right - cell.left, 0, height));

    click(w.list(), cellCentre(w.list(), 2, 0));
    ASSERT_TRUE(isShown(blend));
    EXPECT_FALSE(isShown(texture));
    const KWBound blendCell = valueCell(w.list(), 2);
    const KWBound placed = kwtest::rectInParent(blend->getHandle());
    EXPECT_EQ(placed.left, blendCell.left);
    EXPECT_EQ(placed.right, blendCell.right);
    EXPECT_EQ(placed.top, blendCell.top);
    EXPECT_EQ(placed.bottom, blendCell.bottom);
}
