#include "GridSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

using namespace KW;
using namespace gridtest;

namespace {

using Names = std::vector<std::string>;

void expectBound(const KWBound& actual, const KWBound& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

} // namespace

TEST(Properties, IsAReportListWithTwoColumnsGridLinesAndFullRowSelection) {
    GridWindow w;
    ASSERT_NE(w.grid, nullptr);
    HWND list = w.list();
    ASSERT_TRUE(list);
    EXPECT_EQ(kwtest::windowClassName(list), "SysListView32");
    EXPECT_EQ(GetParent(list), w.window->getHandle());
    EXPECT_EQ(w.grid->getType(), GADGET_PROPERTIES);
    EXPECT_EQ(w.window->getChildCount(), 1);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & 0xFFFF00FFu, 0x5000000Du);
    EXPECT_TRUE(GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x21, 0x21);
    expectBound(kwtest::rectInParent(list), KWBound(10, 260, 10, 210));

    HWND header = w.header();
    ASSERT_TRUE(header);
    EXPECT_EQ(Header_GetItemCount(header), 2);
    const char* titles[] = {"Properties", "Value"};
    const int widths[] = {112, 72};
    for (int column = 0; column < 2; ++column) {
        char text[64] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
        EXPECT_STREQ(text, titles[column]);
        EXPECT_EQ(info.cx, widths[column]);
    }
    // Both the list view and its header lead the default handling to the grid.
    EXPECT_EQ(GetWindowLongPtrA(list, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(w.grid));
    EXPECT_EQ(GetWindowLongPtrA(header, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(w.grid));
    EXPECT_EQ(rowCount(list), 0);
}

TEST(Properties, RefusesToBeCreatedWithoutAParent) {
    kwtest::clearMessageBoxes();
    EXPECT_EQ(KWProperties::create(STYLE_DEFAULT, 0, 0, 100, 100, nullptr, 1), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text,
              "KWProperties cannot be created without a parent.Creation failed");
    kwtest::clearMessageBoxes();
}

TEST(Properties, GroupsAndItemsGetTheirRowsAndIcons) {
    GridWindow w;
    KWImageList* images = KWImageList::create(16, 16);
    w.grid->setImageList(images);
    EXPECT_EQ(SendMessageA(w.list(), LVM_GETIMAGELIST, LVSIL_SMALL, 0),
              reinterpret_cast<LRESULT>(images->handle));

    std::vector<TestEditor*> editors;
    KWGroupItem* general = w.addGroup("General", 2, "g", &editors);
    KWGroupItem* size = w.addGroup("Size", 1, "s", &editors);
    ASSERT_NE(general, nullptr);
    EXPECT_TRUE(general->isGroup);
    EXPECT_FALSE(general->opened);
    EXPECT_FALSE(general->hidden);
    EXPECT_EQ(general->name, "General");
    ASSERT_EQ(general->items.size(), 2u);
    EXPECT_EQ(general->items.front().object, editors[0]);
    EXPECT_FALSE(general->items.front().isGroup);
    // Items are hidden when added and get no row before their group opens.
    for (TestEditor* editor : editors) {
        EXPECT_FALSE(isShown(editor));
    }
    EXPECT_EQ(rowTexts(w.list()), (Names{"General", "Size"}));
    EXPECT_EQ(rowImage(w.list(), 0), 0);

    w.grid->openGroup(general, true);
    EXPECT_TRUE(general->opened);
    EXPECT_EQ(rowTexts(w.list()), (Names{"General", "g1", "g2", "Size"}));
    EXPECT_EQ(rowImage(w.list(), 0), 2);
    EXPECT_EQ(rowImage(w.list(), 1), 1);
    EXPECT_EQ(rowImage(w.list(), 3), 0);
    // The value column shows each editor's text.
    EXPECT_EQ(cellText(w.list(), 1, 1), "v:g1");
    EXPECT_EQ(cellText(w.list(), 2, 1), "v:g2");
    EXPECT_EQ(cellText(w.list(), 0, 1), "");

    w.grid->openGroup(size, true);
    EXPECT_EQ(rowTexts(w.list()), (Names{"General", "g1", "g2", "Size", "s1"}));
    EXPECT_EQ(cellText(w.list(), 4, 1), "v:s1");

    w.grid->openGroup(general, false);
    EXPECT_FALSE(general->opened);
    EXPECT_EQ(rowTexts(w.list()), (Names{"General", "Size", "s1"}));
    EXPECT_EQ(rowImage(w.list(), 0), 0);
    EXPECT_EQ(cellText(w.list(), 2, 1), "v:s1");
}

TEST(Properties, RowsStayRightWhenAGroupIsAskedForTheStateItHas) {
    GridWindow w;
    KWGroupItem* first = w.addGroup("First", 2, "f");
    w.addGroup("Second", 2, "s");
    w.grid->openGroup(first, true);
    w.grid->openGroup(first, true);
    EXPECT_EQ(rowTexts(w.list()), (Names{"First", "f1", "f2", "Second"}));

    w.grid->openGroup(first, false);
    w.grid->openGroup(first, false);
    EXPECT_EQ(rowTexts(w.list()), (Names{"First", "Second"}));
}

TEST(Properties, HidingAGroupRebuildsTheRowsInCreationOrder) {
    GridWindow w;
    KWGroupItem* a = w.addGroup("A", 2, "a");
    KWGroupItem* b = w.addGroup("B", 1, "b");
    KWGroupItem* c = w.addGroup("C", 1, "c");
    w.grid->openGroup(a, true);
    w.grid->openGroup(c, true);

    w.grid->hideGroup(a, true);
    EXPECT_TRUE(a->hidden);
    EXPECT_EQ(rowTexts(w.list()), (Names{"B", "C", "c1"}));
    EXPECT_EQ(cellText(w.list(), 2, 1), "v:c1");

    // Hidden groups cannot be opened or closed.
    w.grid->openGroup(a, false);
    EXPECT_TRUE(a->opened);

    w.grid->hideGroup(b, true);
    EXPECT_EQ(rowTexts(w.list()), (Names{"C", "c1"}));
    w.grid->hideGroup(a, false);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "a2", "C", "c1"}));
    EXPECT_EQ(cellText(w.list(), 2, 1), "v:a2");
    w.grid->hideGroup(b, false);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "a2", "B", "C", "c1"}));
}

TEST(Properties, AnItemAddedToAnOpenGroupWaitsForTheNextOpening) {
    GridWindow w;
    KWGroupItem* a = w.addGroup("A", 1, "a");
    w.addGroup("B", 1, "b");
    w.grid->openGroup(a, true);
    TestEditor* late = TestEditor::create(w.grid, "late value");
    w.grid->addItem(a, "late", 0, late);
    EXPECT_FALSE(isShown(late));
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "B"}));

    w.grid->openGroup(a, false);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "B"}));
    w.grid->openGroup(a, true);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "late", "B"}));
    EXPECT_EQ(cellText(w.list(), 2, 1), "late value");

    // Without a gadget nothing is added.
    w.grid->addItem(a, "none", 0, nullptr);
    EXPECT_EQ(a->items.size(), 2u);
}

TEST(Properties, GroupWithoutItemsNeverOpens) {
    GridWindow w;
    KWGroupItem* empty = w.grid->addGroup("Empty");
    w.addGroup("B", 1, "b");
    w.grid->openGroup(empty, true);
    EXPECT_FALSE(empty->opened);
    EXPECT_EQ(rowTexts(w.list()), (Names{"Empty", "B"}));
    w.grid->openGroup(nullptr, true);
    w.grid->hideGroup(nullptr, true);
    EXPECT_EQ(rowTexts(w.list()), (Names{"Empty", "B"}));
}

TEST(Properties, DoubleClickTogglesAGroupRow) {
    GridWindow w;
    KWGroupItem* a = w.addGroup("A", 2, "a");
    KWGroupItem* b = w.addGroup("B", 1, "b");
    w.grid->addGroup("Empty");

    doubleClick(w.list(), cellCentre(w.list(), 1, 0));
    EXPECT_TRUE(b->opened);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "B", "b1", "Empty"}));

    // The value column of a group row is part of the row as well.
    doubleClick(w.list(), cellCentre(w.list(), 0, 1));
    EXPECT_TRUE(a->opened);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "a2", "B", "b1", "Empty"}));

    // An item row, a group without items and the empty area below the rows change nothing.
    doubleClick(w.list(), cellCentre(w.list(), 1, 0));
    doubleClick(w.list(), cellCentre(w.list(), 5, 0));
    doubleClick(w.list(), POINT{40, 180});
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "a2", "B", "b1", "Empty"}));

    doubleClick(w.list(), cellCentre(w.list(), 0, 0));
    EXPECT_FALSE(a->opened);
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "B", "b1", "Empty"}));
}

// Off unless asked for: then a click on a group's box toggles it (a double click there toggles it once),
// and a click on a value cell hands the keyboard to its editor with the text selected.
TEST(Properties, OneClickEditingTogglesAGroupAtItsBoxAndFocusesTheCellsEditor) {
    GridWindow w;
    std::unique_ptr<KWImageList> images(KWImageList::create(16, 16));
    w.grid->setImageList(images.get());
    std::vector<TestEditor*> editors;
    KWGroupItem* a = w.addGroup("A", 2, "a", &editors);
    auto box = [&](int row) {
        RECT icon = {LVIR_ICON, 0, 0, 0};
        SendMessageW(w.list(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&icon));
        return POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    };
    click(w.list(), box(0));
    EXPECT_FALSE(a->opened);
    Sleep(GetDoubleClickTime() + 100); // the next click is no double click

    w.grid->setOneClickEditing(true);
    click(w.list(), box(0));
    EXPECT_TRUE(a->opened);
    doubleClick(w.list(), box(0));
    EXPECT_FALSE(a->opened);
    doubleClick(w.list(), cellCentre(w.list(), 0, 1));
    EXPECT_TRUE(a->opened);

    click(w.list(), cellCentre(w.list(), 1, 1));
    EXPECT_EQ(editors[0]->getHandle(), GetFocus());
    DWORD start = 1, end = 0;
    SendMessageW(editors[0]->getHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(static_cast<DWORD>(editors[0]->getText().size()), end);
    w.grid->setImageList(nullptr);
}

TEST(Properties, SelectingARowShowsOnlyItsEditorExactlyOverTheValueCell) {
    GridWindow w;
    std::vector<TestEditor*> editors;
    KWGroupItem* a = w.addGroup("A", 3, "a", &editors);
    w.grid->openGroup(a, true);

    click(w.list(), cellCentre(w.list(), 2, 0));
    ASSERT_EQ(selectedRow(w.list()), 2);
    EXPECT_TRUE(isShown(editors[1]));
    EXPECT_FALSE(isShown(editors[0]));
    EXPECT_FALSE(isShown(editors[2]));
    expectBound(kwtest::rectInParent(editors[1]->getHandle()), valueCell(w.list(), 2));
    // Placed through the gadget's own setPlacement, with the cell's edges.
    EXPECT_GT(editors[1]->placements, 0);
    expectBound(editors[1]->lastEdges, valueCell(w.list(), 2));

    // The user edits the value; selecting another row shows the new text in the first row's cell.
    editors[1]->setText("12.5");
    click(w.list(), cellCentre(w.list(), 3, 0));
    ASSERT_EQ(selectedRow(w.list()), 3);
    EXPECT_FALSE(isShown(editors[1]));
    EXPECT_TRUE(isShown(editors[2]));
    EXPECT_EQ(cellText(w.list(), 2, 1), "12.5");
    expectBound(kwtest::rectInParent(editors[2]->getHandle()), valueCell(w.list(), 3));

    // A group row has no editor: none is shown.
    click(w.list(), cellCentre(w.list(), 0, 0));
    for (TestEditor* editor : editors) {
        EXPECT_FALSE(isShown(editor));
    }
}

namespace {

// Dark (text) pixels in the first column of a row's band, as painted on the screen.
int darkPixelsInRow(HWND list, int rowTop, int rowBottom) {
    UpdateWindow(list);
    kwtest::pumpMessages();
    HDC dc = GetDC(list);
    int dark = 0;
    for (int y = rowTop + 1; y < rowBottom - 1; ++y) {
        for (int x = 2; x < 100; ++x) {
            const COLORREF color = GetPixel(dc, x, y);
            if (GetRValue(color) < 96 && GetGValue(color) < 96 && GetBValue(color) < 96) {
                ++dark;
            }
        }
    }
    ReleaseDC(list, dc);
    return dark;
}

} // namespace

TEST(Properties, TheListRepaintsAfterRowsChange) {
    GridWindow w;
    KWGroupItem* a = w.addGroup("Alpha group", 3, "abcdef");
    w.addGroup("Bravo group", 1, "b");
    RECT third = {};
    third.left = LVIR_BOUNDS;
    w.grid->openGroup(a, true);
    SendMessageA(w.list(), LVM_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&third));
    // Row 4 holds "Bravo group"; the band of row 5 below it is empty until the group opens further down.
    const int rowHeight = third.bottom - third.top;
    EXPECT_GT(darkPixelsInRow(w.list(), third.top, third.bottom), 0);
    EXPECT_EQ(darkPixelsInRow(w.list(), third.bottom, third.bottom + rowHeight), 0);

    w.grid->openGroup(a, false);
    // Only the two group rows are left: the bands of rows 2 to 4 are painted empty again.
    EXPECT_EQ(darkPixelsInRow(w.list(), third.top - 2 * rowHeight, third.bottom), 0);
    EXPECT_GT(darkPixelsInRow(w.list(), third.top - 3 * rowHeight, third.top - 2 * rowHeight), 0);
}

TEST(Properties, AHiddenGridStaysHiddenWhileItsRowsChange) {
    GridWindow w;
    KWGroupItem* a = w.addGroup("A", 2, "a");
    w.grid->setVisible(false);
    w.grid->openGroup(a, true);
    w.grid->hideGroup(a, true);
    w.grid->hideGroup(a, false);
    w.grid->addGroup("B");
    EXPECT_FALSE(IsWindowVisible(w.list()));
    EXPECT_EQ(rowTexts(w.list()), (Names{"A", "a1", "a2", "B"}));
    w.grid->setVisible(true);
    EXPECT_TRUE(IsWindowVisible(w.list()));
}

namespace {

// A parent gadget whose window was never created.
class WindowlessParent : public KWObject {
public:
    WindowlessParent() : KWObject(GADGET_PANEL, nullptr, 0) {}
};

} // namespace

TEST(Properties, AListViewThatCannotBeCreatedIsReportedAndTheGridStaysUsable) {
    WindowlessParent parent;
    kwtest::clearMessageBoxes();
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 0, 0, 100, 100, &parent, 3);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->getHandle(), nullptr);
    EXPECT_EQ(parent.getChildCount(), 1);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Properties creation failed !");
    kwtest::clearMessageBoxes();

    // Nothing the client does afterwards may crash.
    KWGroupItem* group = grid->addGroup("Group");
    ASSERT_NE(group, nullptr);
    grid->addItem(group, "item", 0, TestEditor::create(grid, "x"));
    grid->openGroup(group, true);
    grid->updateSelection();
    grid->updatePropObjects();
    grid->hideGroup(group, true);
    grid->setImageList(nullptr);
    EXPECT_EQ(group->items.size(), 1u);
}
