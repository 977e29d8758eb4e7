#include "windows/logic/TabPages.h"

#include <gtest/gtest.h>

using namespace KW;
using namespace KW::tabs;

TEST(TabPages, PagesFillTheClientBelowTheStrip) {
    const KWBound area = pageArea(KWBound(0, 300, 0, 200));
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.right, 300);
    EXPECT_EQ(area.top, 20);
    EXPECT_EQ(area.bottom, 200);

    // Until the first alignment a new page stands 23 pixels lower, as high as the area.
    const KWBound created = newPageBounds(area);
    EXPECT_EQ(created.left, 0);
    EXPECT_EQ(created.right, 300);
    EXPECT_EQ(created.top, 43);
    EXPECT_EQ(created.bottom, 180);
}

TEST(TabPages, InsertingBeforeATabMovesIt) {
    EXPECT_EQ(indexAfterInsert(0, 0), 1);
    EXPECT_EQ(indexAfterInsert(2, 1), 3);
    EXPECT_EQ(indexAfterInsert(0, 1), 0);
    // Appending moves nothing.
    EXPECT_EQ(indexAfterInsert(2, 3), 2);
    // A failed insertion moves nothing, and a page without a tab stays without one.
    EXPECT_EQ(indexAfterInsert(2, -1), 2);
    EXPECT_EQ(indexAfterInsert(-1, 0), -1);
}

TEST(TabPages, OnlyTheSelectedTabsPageShows) {
    EXPECT_TRUE(pageShown(2, 2));
    EXPECT_FALSE(pageShown(1, 2));
    EXPECT_FALSE(pageShown(0, -1));
    // No selection never reveals a page whose tab could not be inserted.
    EXPECT_FALSE(pageShown(-1, -1));
}

TEST(TabPages, StripAndNewPageDropScaleWithTheDisplayDpi) {
    const KWBound area = pageArea(KWBound(0, 300, 0, 200), 144);
    EXPECT_EQ(area.top, 30);
    EXPECT_EQ(area.bottom, 200);
    EXPECT_EQ(newPageBounds(area, 144).top, 30 + 35);
    EXPECT_EQ(pageArea(KWBound(0, 300, 0, 200), 192).top, 40);
    EXPECT_EQ(newPageBounds(KWBound(0, 300, 40, 200), 192).top, 40 + 46);
}
