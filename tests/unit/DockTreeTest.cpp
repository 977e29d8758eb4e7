#include "windows/logic/DockText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace KW;
using namespace KW::dock;

namespace {

const KWBound area(0, 400, 0, 300);

// The tiles as "panes@left,right,top,bottom" in layout order, the chosen tab starred, the centre as c;
// then the strips' tabs and a slid-out pane.
std::string describe(const DockTree& tree) {
    const Arrangement a = tree.arrange(area, Metrics());
    std::string text;
    auto rect = [](const KWBound& r) {
        return "@" + std::to_string(r.left) + "," + std::to_string(r.right) + "," + std::to_string(r.top) +
               "," + std::to_string(r.bottom);
    };
    for (const Tile& tile : a.tiles) {
        text += text.empty() ? "" : " ";
        text += tile.center ? "c" : "";
        for (std::size_t i = 0; i < tile.panes.size(); ++i) {
            text += (i ? "," : "") + std::to_string(tile.panes[i]) +
                    (tile.panes.size() > 1 && tile.panes[i] == tile.selected ? "*" : "");
        }
        text += rect(tile.rect);
    }
    for (const HideTab& tab : a.hideTabs) {
        text += " h" + std::to_string(tab.pane) + rect(tab.rect);
    }
    if (a.slid != noPane) {
        text += " s" + std::to_string(a.slid) + rect(a.slideRect);
    }
    return text;
}

struct Case {
    const char* name;
    std::function<bool(DockTree&)> steps;
    const char* tiles;
};

// Panes 1 at the left (100 px) and 2 below it (80 px), around the centre.
bool leftColumn(DockTree& t) {
    return t.insert(1, DOCK_LEFT, 100, noPane) && t.insert(2, DOCK_BOTTOM, 80, 1);
}

} // namespace

TEST(DockTree, OperationsTileTheDock) {
    const Case cases[] = {
        {"side of the dock", [](DockTree& t) { return t.insert(1, DOCK_LEFT, 100, noPane); },
         "1@0,100,0,300 c@104,400,0,300"},
        {"split of a pane", leftColumn, "1@0,100,0,216 2@0,100,220,300 c@104,400,0,300"},
        {"stretched: columns by the width, rows by the height",
         [](DockTree& t) { return leftColumn(t) && (t.stretch(400, 800, 300, 150), true); },
         "1@0,200,0,256 2@0,200,260,300 c@204,400,0,300"},
        {"whole length of a side",
         [](DockTree& t) { return leftColumn(t) && t.insert(3, DOCK_TOP, 50, noPane); },
         "3@0,400,0,50 1@0,100,54,216 2@0,100,220,300 c@104,400,54,300"},
        {"split of the centre", [](DockTree& t) { return t.insert(1, DOCK_RIGHT, 100, centerPane); },
         "c@0,296,0,300 1@300,400,0,300"},
        {"tab", [](DockTree& t) { return leftColumn(t) && t.insert(2, DOCK_TAB, 0, 1); },
         "1,2*@0,100,0,300 c@104,400,0,300"},
        {"move", [](DockTree& t) { return leftColumn(t) && t.insert(1, DOCK_RIGHT, 60, noPane); },
         "2@0,100,0,300 c@104,336,0,300 1@340,400,0,300"},
        {"close and show in place", [](DockTree& t) { return leftColumn(t) && t.close(1) && t.show(1); },
         "1@0,100,0,216 2@0,100,220,300 c@104,400,0,300"},
        {"closed", [](DockTree& t) { return leftColumn(t) && t.close(1); }, "2@0,100,0,300 c@104,400,0,300"},
        {"floating and docked back",
         [](DockTree& t) {
             return leftColumn(t) && t.setFloating(2, KWBound(5, 105, 5, 85)) && t.dockBack(2);
         },
         "1@0,100,0,216 2@0,100,220,300 c@104,400,0,300"},
        {"floating", [](DockTree& t) { return leftColumn(t) && t.setFloating(1, KWBound(5, 105, 5, 85)); },
         "2@0,100,0,300 c@104,400,0,300"},
        {"maximized", [](DockTree& t) { return leftColumn(t) && t.maximize(2); }, "2@0,400,0,300"},
        {"restored", [](DockTree& t) { return leftColumn(t) && t.maximize(2) && (t.restore(), true); },
         "1@0,100,0,216 2@0,100,220,300 c@104,400,0,300"},
        {"auto-hidden and slid out",
         [](DockTree& t) {
             return leftColumn(t) && t.setAutoHide(1, true, Metrics(), area) && t.slideOut(1);
         },
         "2@24,124,0,300 c@128,400,0,300 h1@0,24,0,96 s1@24,124,0,300"},
        {"removed from a group",
         [](DockTree& t) { return leftColumn(t) && t.insert(3, DOCK_TAB, 0, 2) && t.remove(2); },
         "1@0,100,0,216 3@0,100,220,300 c@104,400,0,300"},
        {"least sizes win over a large size",
         [](DockTree& t) { return t.insert(1, DOCK_LEFT, 1000, noPane); }, "1@0,372,0,300 c@376,400,0,300"},
        {"no centre", [](DockTree& t) { return leftColumn(t) && (t.setCenterPresent(false), true); },
         "1@0,400,0,216 2@0,400,220,300"},
    };
    for (const Case& c : cases) {
        DockTree tree;
        tree.setCenterPresent(true);
        ASSERT_TRUE(c.steps(tree)) << c.name;
        EXPECT_EQ(describe(tree), c.tiles) << c.name;
    }
}

TEST(DockTree, RefusalsChangeNothing) {
    DockTree tree;
    tree.setCenterPresent(true);
    ASSERT_TRUE(leftColumn(tree));
    const std::string before = describe(tree);
    EXPECT_FALSE(tree.insert(1, DOCK_TAB, 0, noPane));
    EXPECT_FALSE(tree.insert(1, DOCK_TAB, 0, centerPane));
    EXPECT_FALSE(tree.insert(1, DOCK_LEFT, 50, 1));
    EXPECT_FALSE(tree.insert(1, DOCK_LEFT, 50, 9));
    EXPECT_FALSE(tree.maximize(9));
    EXPECT_FALSE(tree.slideOut(1));
    EXPECT_EQ(describe(tree), before);
}

TEST(DockTree, GapDragKeepsLeastSizes) {
    DockTree tree;
    tree.setCenterPresent(true);
    ASSERT_TRUE(leftColumn(tree));
    DockTree doubled = tree;
    doubled.rescale(96, 192);
    EXPECT_EQ(doubled.sizeOf(2), 160);
    const Arrangement a = tree.arrange(area, Metrics());
    ASSERT_EQ(a.gaps.size(), 2u);
    const Gap& bar = a.gaps[1]; // between the column and the centre
    EXPECT_TRUE(tree.dragGap(bar, 150, Metrics()));
    EXPECT_EQ(describe(tree), "1@0,150,0,216 2@0,150,220,300 c@154,400,0,300");
    tree.dragGap(bar, 2, Metrics());
    EXPECT_EQ(tree.arrange(area, Metrics()).tiles[0].rect.right, 24);
    tree.dragGap(bar, 399, Metrics());
    EXPECT_EQ(tree.arrange(area, Metrics()).tiles[2].rect.left, 376);
}

TEST(DockTree, DropZones) {
    DockTree tree;
    tree.setCenterPresent(true);
    ASSERT_TRUE(tree.insert(1, DOCK_LEFT, 200, noPane) && tree.insert(2, DOCK_RIGHT, 100, noPane));
    const Arrangement a = tree.arrange(area, Metrics()); // 1: 0..200, c: 204..296, 2: 300..400
    struct Zone {
        int x, y;
        bool valid;
        eDockSide side;
        int target, size;
    } zones[] = {
        {100, 150, true, DOCK_TAB, 1, 0},
        {40, 150, true, DOCK_LEFT, 1, 100},
        {100, 40, true, DOCK_TOP, 1, 150},
        {180, 150, true, DOCK_RIGHT, 1, 100},
        {100, 260, true, DOCK_BOTTOM, 1, 150},
        {250, 150, false, DOCK_LEFT, noPane, 0},
        {210, 150, true, DOCK_LEFT, centerPane, 46},
        {5, 150, true, DOCK_LEFT, noPane, 100},
        {250, 290, true, DOCK_BOTTOM, noPane, 150},
        {350, 150, false, DOCK_LEFT, noPane, 0},
        {202, 150, false, DOCK_LEFT, noPane, 0},
    };
    for (const Zone& z : zones) {
        const Drop drop = hitTest(tree, a, 2, z.x, z.y, Metrics());
        EXPECT_EQ(drop.valid, z.valid) << z.x << "," << z.y;
        if (z.valid) {
            EXPECT_EQ(drop.side, z.side) << z.x << "," << z.y;
            EXPECT_EQ(drop.target, z.target) << z.x << "," << z.y;
            EXPECT_EQ(drop.size, z.size) << z.x << "," << z.y;
        }
    }
    const KWBound preview = previewOf(tree, 2, hitTest(tree, a, 2, 40, 150, Metrics()), area, Metrics());
    EXPECT_EQ(preview.left, 0);
    EXPECT_EQ(preview.right, 100);
}

TEST(DockTree, TextRoundTripsAndMerges) {
    DockTree tree;
    tree.setCenterPresent(true);
    ASSERT_TRUE(leftColumn(tree) && tree.insert(3, DOCK_TAB, 0, 2) &&
                tree.insert(4, DOCK_RIGHT, 90, noPane) && tree.insert(5, DOCK_TOP, 70, noPane));
    ASSERT_TRUE(tree.setFloating(4, KWBound(-20, 180, 30, 130)) && tree.close(1) &&
                tree.setAutoHide(5, true, Metrics(), area));
    auto key = [](int pane) { return layout::Key{pane * 10, pane == 3 ? 1 : 0}; };
    const std::string text = printTree(tree, key, 192);
    EXPECT_EQ(text, "t35([*50h35],r45([*40f-20:30:100:50],l50(b40([20,*30#1],[*10x]),c)))");

    DockTree read;
    std::vector<layout::Key> keys;
    ASSERT_TRUE(parseTree(text, 192, read, keys));
    auto paneOf = [](const layout::Key& k) { return k.id == 50 ? noPane : k.id / 10; };
    DockTree current;
    current.setCenterPresent(true);
    ASSERT_TRUE(current.insert(6, DOCK_BOTTOM, 60, noPane) && current.insert(2, DOCK_LEFT, 10, noPane));
    const DockTree merged = mergedTree(read, keys, paneOf, current);
    // Pane 5 is gone, pane 6 (not in the text) keeps its side; the others are as saved.
    EXPECT_EQ(printTree(merged, key, 96),
              "b60([*60],r90([*40f-20:30:200:100],l100(b80([20,*30#1],[*10x]),c)))");
    for (const char* bad : {"", "c,c", "[*1]", "l5([*1],[*1])", "l5([1],c)", "l5([*1,*2],c)", "l05([*1],c)",
                            "l5([*1m],[*2m,3])", "l5([*1hf1:1:1:1],c)", "l5([*1xm],c)", "l5([*1],c))"}) {
        EXPECT_FALSE(parseTree(bad, 96, read, keys)) << bad;
    }
}
