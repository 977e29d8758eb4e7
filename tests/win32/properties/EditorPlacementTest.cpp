#include "GridSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace KW;
using namespace gridtest;

namespace {

using Names = std::vector<std::string>;

// The editor of row lies exactly over the row's value cell.
::testing::AssertionResult overValueCell(TestEditor* editor, HWND list, int row) {
    const KWBound actual = kwtest::rectInParent(editor->getHandle());
    const KWBound cell = valueCell(list, row);
    if (!isShown(editor)) {
        return ::testing::AssertionFailure() << "editor of row " << row << " is hidden";
    }
    if (actual.left != cell.left || actual.right != cell.right || actual.top != cell.top ||
        actual.bottom != cell.bottom) {
        return ::testing::AssertionFailure()
               << "editor at (" << actual.left << ", " << actual.right << ", " << actual.top << ", "
               << actual.bottom << "), cell of row " << row << " at (" << cell.left << ", " << cell.right
               << ", " << cell.top << ", " << cell.bottom << ")";
    }
    return ::testing::AssertionSuccess();
}

int shownCount(const std::vector<TestEditor*>& editors) {
    int count = 0;
    for (TestEditor* editor : editors) {
        count += isShown(editor) ? 1 : 0;
    }
    return count;
}

int topRow(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
}

void pressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    kwtest::pumpUntil([] { return false; }, 60);
}

// Counts the value-cell writes that reach the list view, on top of the grid's own procedure.
struct CellWriteCounter {
    static int& writes() {
        static int count = 0;
        return count;
    }
    static WNDPROC& next() {
        static WNDPROC proc = nullptr;
        return proc;
    }
    static LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == LVM_SETITEMTEXTA || msg == LVM_SETITEMTEXTW) {
            ++writes();
        }
        return CallWindowProcA(next(), window, msg, wParam, lParam);
    }
    explicit CellWriteCounter(HWND list) {
        writes() = 0;
        next() = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CellWriteCounter::procedure)));
    }
};

} // namespace

TEST(PropertiesEditor, FollowsItsCellWhenColumnsAreResized) {
    GridWindow w;
    std::vector<TestEditor*> editors;
    w.grid->openGroup(w.addGroup("A", 3, "a", &editors), true);
    click(w.list(), cellCentre(w.list(), 2, 0));
    ASSERT_EQ(selectedRow(w.list()), 2);
    ASSERT_TRUE(overValueCell(editors[1], w.list(), 2));

    // The list view passes a new width on to its header, whose notifications come back to the grid.
    SendMessageA(w.list(), LVM_SETCOLUMNWIDTH, 0, 150);
    ASSERT_EQ(columnWidth(w.list(), 0), 150);
    EXPECT_TRUE(overValueCell(editors[1], w.list(), 2));
    SendMessageA(w.list(), LVM_SETCOLUMNWIDTH, 1, 60);
    EXPECT_TRUE(overValueCell(editors[1], w.list(), 2));

    // The user drags the divider between the two columns to the left, then the end of the value column.
    drag(w.header(), POINT{148, 8}, POINT{100, 8});
    EXPECT_LT(columnWidth(w.list(), 0), 120);
    EXPECT_TRUE(overValueCell(editors[1], w.list(), 2));
    const int valueRight = columnWidth(w.list(), 0) + columnWidth(w.list(), 1);
    drag(w.header(), POINT{valueRight - 2, 8}, POINT{valueRight + 40, 8});
    EXPECT_GT(columnWidth(w.list(), 1), 80);
    EXPECT_TRUE(overValueCell(editors[1], w.list(), 2));
    EXPECT_EQ(shownCount(editors), 1);
}

TEST(PropertiesEditor, FollowsItsCellWhenTheRowsScroll) {
    GridWindow w;
    std::vector<TestEditor*> editors;
    w.grid->openGroup(w.addGroup("Long", 40, "n", &editors), true);
    click(w.list(), cellCentre(w.list(), 10, 0));
    ASSERT_EQ(selectedRow(w.list()), 10);
    ASSERT_TRUE(overValueCell(editors[9], w.list(), 10));

    // Scroll messages, as the scroll bar sends them.
    SendMessageA(w.list(), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(w.list(), WM_VSCROLL, SB_LINEDOWN, 0);
    kwtest::pumpMessages();
    ASSERT_EQ(topRow(w.list()), 2);
    EXPECT_TRUE(overValueCell(editors[9], w.list(), 10));

    // The mouse wheel, one notch down.
    wheel(w.list(), cellCentre(w.list(), 10, 0), -WHEEL_DELTA);
    ASSERT_GT(topRow(w.list()), 2);
    EXPECT_TRUE(overValueCell(editors[9], w.list(), 10));

    // A click on the scroll bar's upper arrow.
    const SIZE client = kwtest::clientSize(w.list());
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    const int before = topRow(w.list());
    click(w.list(), POINT{client.cx + arrow / 2, arrow / 2});
    ASSERT_LT(topRow(w.list()), before);
    EXPECT_TRUE(overValueCell(editors[9], w.list(), 10));
    EXPECT_EQ(shownCount(editors), 1);
}

TEST(PropertiesEditor, FollowsItsCellWhenTheColumnsScrollSideways) {
    // Narrower than its two columns: the grid gets a horizontal scroll bar.
    GridWindow w(150, 200);
    std::vector<TestEditor*> editors;
    w.grid->openGroup(w.addGroup("A", 3, "a", &editors), true);
    click(w.list(), cellCentre(w.list(), 1, 0));
    ASSERT_TRUE(overValueCell(editors[0], w.list(), 1));
    const int before = valueCell(w.list(), 1).left;
    SendMessageA(w.list(), WM_HSCROLL, SB_LINERIGHT, 0);
    SendMessageA(w.list(), WM_HSCROLL, SB_LINERIGHT, 0);
    kwtest::pumpMessages();
    ASSERT_LT(valueCell(w.list(), 1).left, before);
    EXPECT_TRUE(overValueCell(editors[0], w.list(), 1));
}

TEST(PropertiesEditor, FollowsTheSelectionMovedByTheKeyboardPastTheLastVisibleRow) {
    GridWindow w;
    std::vector<TestEditor*> editors;
    w.grid->openGroup(w.addGroup("Long", 40, "n", &editors), true);
    click(w.list(), cellCentre(w.list(), 1, 0));
    ASSERT_EQ(GetFocus(), w.list());
    pressKey(VK_NEXT);
    pressKey(VK_NEXT);
    const int row = selectedRow(w.list());
    ASSERT_GT(topRow(w.list()), 0);
    ASSERT_GE(row, 2);
    EXPECT_TRUE(overValueCell(editors[static_cast<size_t>(row - 1)], w.list(), row));
    EXPECT_EQ(shownCount(editors), 1);
}

TEST(PropertiesEditor, RowsThatGoAwayTakeTheirEditorsAlong) {
    GridWindow w;
    std::vector<TestEditor*> first;
    std::vector<TestEditor*> second;
    KWGroupItem* a = w.addGroup("A", 2, "a", &first);
    KWGroupItem* b = w.addGroup("B", 2, "b", &second);
    KWGroupItem* c = w.addGroup("C", 1, "c");
    w.grid->openGroup(a, true);
    w.grid->openGroup(b, true);
    ASSERT_EQ(rowTexts(w.list()), (Names{"A", "a1", "a2", "B", "b1", "b2", "C"}));

    // The selected row moves down when a group above it opens, and up when it closes: its editor too.
    click(w.list(), cellCentre(w.list(), 5, 0));
    ASSERT_TRUE(overValueCell(second[1], w.list(), 5));
    w.grid->openGroup(a, false);
    ASSERT_EQ(selectedRow(w.list()), 3);
    EXPECT_TRUE(overValueCell(second[1], w.list(), 3));
    w.grid->openGroup(a, true);
    ASSERT_EQ(selectedRow(w.list()), 5);
    EXPECT_TRUE(overValueCell(second[1], w.list(), 5));

    // Closing the group of the selected row hides its editor.
    w.grid->openGroup(b, false);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "a2", "B", "C"}));
    EXPECT_EQ(shownCount(second), 0);
    EXPECT_EQ(shownCount(first), 0);

    // Rebuilding the rows clears the selection: no editor stays over a row.
    w.grid->openGroup(b, true);
    click(w.list(), cellCentre(w.list(), 1, 0));
    ASSERT_TRUE(overValueCell(first[0], w.list(), 1));
    w.grid->hideGroup(c, true);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "a2", "B", "b1", "b2"}));
    EXPECT_EQ(shownCount(first), 0);
    click(w.list(), cellCentre(w.list(), 4, 0));
    ASSERT_TRUE(overValueCell(second[0], w.list(), 4));
    w.grid->hideGroup(b, true);
    EXPECT_EQ(shownCount(second), 0);
}

TEST(PropertiesEditor, ValueCellsAreRewrittenOnlyWhereTheTextChanged) {
    GridWindow w;
    std::vector<TestEditor*> editors;
    w.grid->openGroup(w.addGroup("A", 4, "a", &editors), true);
    CellWriteCounter counter(w.list());

    w.grid->updateSubitemsText();
    EXPECT_EQ(CellWriteCounter::writes(), 0);

    editors[2]->setText("changed");
    w.grid->updateSubitemsText();
    EXPECT_EQ(CellWriteCounter::writes(), 1);
    EXPECT_EQ(cellText(w.list(), 3, 1), "changed");
    EXPECT_EQ(cellText(w.list(), 2, 1), "v:a2");

    // A selection change refreshes the texts too.
    editors[0]->setText("first");
    click(w.list(), cellCentre(w.list(), 4, 0));
    EXPECT_EQ(cellText(w.list(), 1, 1), "first");
    EXPECT_EQ(CellWriteCounter::writes(), 2);
}

TEST(PropertiesEditor, UpdatePropObjectsSettlesEditorsAfterTheGridIsResized) {
    GridWindow w;
    std::vector<TestEditor*> editors;
    w.grid->openGroup(w.addGroup("A", 3, "a", &editors), true);
    click(w.list(), cellCentre(w.list(), 3, 0));
    ASSERT_TRUE(overValueCell(editors[2], w.list(), 3));

    // A client shows an editor by mistake and changes a value behind the grid's back.
    editors[0]->setVisible(true);
    editors[1]->setText("7");
    w.grid->setBounds(KWBound(0, 300, 0, 150));
    SendMessageA(w.list(), LVM_SETCOLUMNWIDTH, 0, 90);
    w.grid->updatePropObjects();
    EXPECT_EQ(shownCount(editors), 1);
    EXPECT_TRUE(overValueCell(editors[2], w.list(), 3));
    EXPECT_EQ(cellText(w.list(), 2, 1), "7");

    // Without a selection every editor is hidden.
    ListView_SetItemState(w.list(), -1, 0, LVIS_SELECTED);
    editors[2]->setVisible(true);
    w.grid->updatePropObjects();
    EXPECT_EQ(shownCount(editors), 0);
}

TEST(PropertiesEditor, DestroyingTheGridWithASelectedRowDestroysItsEditors) {
    std::vector<TestEditor*> editors;
    HWND list = nullptr;
    std::vector<HWND> windows;
    {
        GridWindow w;
        w.grid->openGroup(w.addGroup("A", 3, "a", &editors), true);
        click(w.list(), cellCentre(w.list(), 2, 0));
        ASSERT_TRUE(isShown(editors[1]));
        list = w.list();
        for (TestEditor* editor : editors) {
            windows.push_back(editor->getHandle());
        }
    }
    EXPECT_FALSE(IsWindow(list));
    for (HWND window : windows) {
        EXPECT_FALSE(IsWindow(window));
    }
}
