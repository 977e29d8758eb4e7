#include "core/logic/LockLayout.h"

#include <gtest/gtest.h>

using namespace KW;
using namespace KW::layout;

namespace {

const KWBound client400x300(0, 400, 0, 300);

void expectBound(const KWBound& actual, int left, int right, int top, int bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.bottom, bottom);
}

} // namespace

TEST(LockLayout, StretchRightKeepsEqualMarginsAndHeight) {
    const KWBound child(5, 45, 10, 50);
    ChildPlacement p = placeLockedChild(LOCK_STRETCH_RIGHT, KWBound(0, 400, 0, 300), child);
    ASSERT_EQ(p.call, PlacementCall::SetBounds);
    expectBound(p.bound, 5, 390, 10, 40);
    // Aligning the result again changes nothing.
    const KWBound placed(5, 395, 10, 50);
    ChildPlacement again = placeLockedChild(LOCK_STRETCH_RIGHT, KWBound(0, 400, 0, 300), placed);
    expectBound(again.bound, 5, 390, 10, 40);
}

TEST(LockLayout, StretchBothReachesBottomWithMirroredRightMargin) {
    ChildPlacement p = placeLockedChild(LOCK_STRETCH_BOTH, client400x300, KWBound(10, 110, 20, 70));
    ASSERT_EQ(p.call, PlacementCall::SetBounds);
    expectBound(p.bound, 10, 380, 20, 280);
}

TEST(LockLayout, RightDocksToTheRightEdgeWhateverTheLeft) {
    for (int left : {0, 37, 250, 500}) {
        ChildPlacement p = placeLockedChild(LOCK_RIGHT, client400x300, KWBound(left, left + 100, 5, 25));
        ASSERT_EQ(p.call, PlacementCall::SetBounds);
        expectBound(p.bound, 300, 100, 5, 20);
    }
}

TEST(LockLayout, BottomVariants) {
    ChildPlacement bottom = placeLockedChild(LOCK_BOTTOM, client400x300, KWBound(10, 60, 5, 35));
    expectBound(bottom.bound, 10, 50, 270, 30);
    ChildPlacement stretchRight =
        placeLockedChild(LOCK_BOTTOM_STRETCH_RIGHT, client400x300, KWBound(10, 60, 5, 35));
    expectBound(stretchRight.bound, 10, 390, 270, 30);
    ChildPlacement rightStretchBottom =
        placeLockedChild(LOCK_RIGHT_STRETCH_BOTTOM, client400x300, KWBound(10, 60, 5, 35));
    expectBound(rightStretchBottom.bound, 350, 50, 5, 295);
}

TEST(LockLayout, StretchBottomGoesThroughPlacementWithEdges) {
    ChildPlacement p = placeLockedChild(LOCK_STRETCH_BOTTOM, client400x300, KWBound(10, 60, 5, 35));
    ASSERT_EQ(p.call, PlacementCall::SetPlacement);
    expectBound(p.bound, 10, 60, 5, 300);
}

TEST(LockLayout, FillTakesTheAreaLessTheStatusBar) {
    const KWBound area = alignmentArea(client400x300, true, 22);
    ChildPlacement p = placeLockedChild(LOCK_FILL, area, KWBound(3, 4, 5, 6));
    ASSERT_EQ(p.call, PlacementCall::SetBounds);
    expectBound(p.bound, 0, 400, 0, 278);
    expectBound(alignmentArea(client400x300, false, 22), 0, 400, 0, 300);
}

TEST(LockLayout, NoneAndUnknownValuesLeaveTheChildAlone) {
    for (int lock : {0, 9, 42, -1}) {
        EXPECT_EQ(placeLockedChild(lock, client400x300, KWBound(1, 2, 3, 4)).call, PlacementCall::None)
            << lock;
    }
}
