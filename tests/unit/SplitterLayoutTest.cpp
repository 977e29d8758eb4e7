#include "windows/logic/SplitterLayout.h"

#include <gtest/gtest.h>

using namespace KW;
using namespace KW::splitters;

namespace {

void expectBound(const KWBound& actual, int left, int right, int top, int bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.bottom, bottom);
}

// Stand-ins for gadgets: the lists only hold the pointers and never dereference them.
KWObject* fakeObject(int n) {
    static char storage[8];
    return reinterpret_cast<KWObject*>(&storage[n]);
}

} // namespace

TEST(SplitterLayout, NewBarsStartWithZeroLength) {
    const KWSplitter vertical = makeVertical(1, 155, 4, 20, 200, true);
    expectBound(vertical.rect, 155, 159, 0, 0);
    EXPECT_TRUE(vertical.vertical);
    EXPECT_EQ(vertical.id, 1);
    EXPECT_EQ(vertical.minSize, 20);
    EXPECT_EQ(vertical.maxSize, 200);
    EXPECT_TRUE(vertical.limitFirst);
    EXPECT_EQ(vertical.thickness, 4);
    EXPECT_TRUE(vertical.firstObjects.empty());
    EXPECT_TRUE(vertical.secondObjects.empty());

    const KWSplitter horizontal = makeHorizontal(2, 155, 4, 20, 200, false);
    expectBound(horizontal.rect, 0, 0, 155, 159);
    EXPECT_FALSE(horizontal.vertical);
    EXPECT_FALSE(horizontal.limitFirst);
}

TEST(SplitterLayout, SidesNeedTheMatchingOrientation) {
    KWSplitter vertical = makeVertical(1, 10, 4, 0, 100, true);
    KWSplitter horizontal = makeHorizontal(1, 10, 4, 0, 100, true);
    EXPECT_TRUE(sideFits(vertical, Side::Left));
    EXPECT_TRUE(sideFits(vertical, Side::Right));
    EXPECT_FALSE(sideFits(vertical, Side::Top));
    EXPECT_FALSE(sideFits(vertical, Side::Bottom));
    EXPECT_FALSE(sideFits(horizontal, Side::Left));
    EXPECT_FALSE(sideFits(horizontal, Side::Right));
    EXPECT_TRUE(sideFits(horizontal, Side::Top));
    EXPECT_TRUE(sideFits(horizontal, Side::Bottom));

    EXPECT_STREQ(wrongOrientationMessage(Side::Left),
                 "Could not add object from left ! Splitter is not vertical !");
    EXPECT_STREQ(wrongOrientationMessage(Side::Right),
                 "Could not add object from right ! Splitter is not vertical !");
    EXPECT_STREQ(wrongOrientationMessage(Side::Top),
                 "Could not add object from top ! Splitter is not horizontal !");
    EXPECT_STREQ(wrongOrientationMessage(Side::Bottom),
                 "Could not add object from bottom ! Splitter is not horizontal !");

    // Left and top go to the first list, right and bottom to the second, in attachment order.
    sideObjects(vertical, Side::Left).push_back(fakeObject(1));
    sideObjects(vertical, Side::Right).push_back(fakeObject(2));
    sideObjects(vertical, Side::Left).push_back(fakeObject(3));
    sideObjects(horizontal, Side::Bottom).push_back(fakeObject(4));
    sideObjects(horizontal, Side::Top).push_back(fakeObject(5));
    EXPECT_EQ(vertical.firstObjects, (std::list<KWObject*>{fakeObject(1), fakeObject(3)}));
    EXPECT_EQ(vertical.secondObjects, (std::list<KWObject*>{fakeObject(2)}));
    EXPECT_EQ(horizontal.firstObjects, (std::list<KWObject*>{fakeObject(5)}));
    EXPECT_EQ(horizontal.secondObjects, (std::list<KWObject*>{fakeObject(4)}));
}

TEST(SplitterLayout, AttachedGadgetsMeetTheBarWithTheirInnerEdges) {
    const KWSplitter vertical = makeVertical(1, 155, 4, 20, 200, true);
    // a's right edge goes to 155 and b's left edge to 159; the outer edges stay.
    expectBound(flushFirstSide(vertical, KWBound(0, 100, 10, 200)), 0, 155, 10, 200);
    expectBound(flushSecondSide(vertical, KWBound(300, 400, 30, 250)), 159, 400, 30, 250);

    const KWSplitter horizontal = makeHorizontal(1, 80, 6, 20, 200, true);
    expectBound(flushFirstSide(horizontal, KWBound(5, 300, 0, 20)), 5, 300, 0, 80);
    expectBound(flushSecondSide(horizontal, KWBound(5, 300, 200, 400)), 5, 300, 86, 400);
}

TEST(SplitterLayout, BarStretchesOverBothSides) {
    KWSplitter vertical = makeVertical(1, 155, 4, 20, 200, true);
    BarLength length(true, KWBound(0, 155, 10, 200));
    length.include(KWBound(159, 400, 30, 250));
    length.applyTo(vertical);
    // From the higher of the tops to the lower of the bottoms; left and right untouched.
    expectBound(vertical.rect, 155, 159, 10, 250);

    // The first gadget opens the span even when later ones lie inside it.
    BarLength inside(true, KWBound(0, 10, -40, 500));
    inside.include(KWBound(20, 30, 0, 100));
    inside.include(KWBound(20, 30, 100, 200));
    inside.applyTo(vertical);
    EXPECT_EQ(vertical.rect.top, -40);
    EXPECT_EQ(vertical.rect.bottom, 500);

    KWSplitter horizontal = makeHorizontal(1, 80, 4, 20, 200, true);
    BarLength across(false, KWBound(30, 200, 0, 80));
    across.include(KWBound(10, 150, 84, 300));
    across.include(KWBound(60, 420, 84, 300));
    across.applyTo(horizontal);
    expectBound(horizontal.rect, 10, 420, 80, 84);
}

TEST(SplitterLayout, AfterAResizeTheBarFollowsTheSecondSide) {
    KWSplitter vertical = makeVertical(1, 155, 4, 20, 200, true);
    vertical.rect.top = 10;
    vertical.rect.bottom = 250;
    followSecondSide(vertical, KWBound(359, 600, 30, 250));
    expectBound(vertical.rect, 355, 359, 10, 250);
    // The first side then follows the bar.
    expectBound(flushFirstSide(vertical, KWBound(0, 155, 10, 200)), 0, 355, 10, 200);

    KWSplitter horizontal = makeHorizontal(1, 80, 6, 20, 200, true);
    followSecondSide(horizontal, KWBound(0, 100, 300, 500));
    EXPECT_EQ(horizontal.rect.top, 294);
    EXPECT_EQ(horizontal.rect.bottom, 300);
}

TEST(SplitterLayout, DragLimitsTheFirstSide) {
    const KWSplitter bar = makeVertical(1, 155, 4, 20, 200, true);
    const KWBound a(0, 155, 10, 200);
    const KWBound b(159, 400, 30, 250);
    // The bar's left edge follows the mouse between 20 and 200.
    EXPECT_EQ(dragPosition(bar, 10, a, b), 20);
    EXPECT_EQ(dragPosition(bar, -300, a, b), 20);
    EXPECT_EQ(dragPosition(bar, 20, a, b), 20);
    EXPECT_EQ(dragPosition(bar, 21, a, b), 21);
    EXPECT_EQ(dragPosition(bar, 120, a, b), 120);
    EXPECT_EQ(dragPosition(bar, 199, a, b), 199);
    EXPECT_EQ(dragPosition(bar, 200, a, b), 200);
    EXPECT_EQ(dragPosition(bar, 500, a, b), 200);

    // The limits are measured from the first gadget's left edge.
    const KWBound shifted(50, 155, 10, 200);
    EXPECT_EQ(dragPosition(bar, 60, shifted, b), 70);
    EXPECT_EQ(dragPosition(bar, 400, shifted, b), 250);

    // Horizontal bars measure from the first gadget's top.
    const KWSplitter across = makeHorizontal(1, 100, 4, 20, 200, true);
    EXPECT_EQ(dragPosition(across, 45, KWBound(0, 500, 40, 100), KWBound(0, 500, 104, 600)), 60);
    EXPECT_EQ(dragPosition(across, 900, KWBound(0, 500, 40, 100), KWBound(0, 500, 104, 600)), 240);
}

TEST(SplitterLayout, DragLimitsTheSecondSide) {
    const KWSplitter bar = makeVertical(1, 600, 4, 20, 300, false);
    const KWBound a(0, 600, 0, 100);
    const KWBound b(604, 800, 0, 100);
    // The bar's left edge cannot go beyond 784, where b is 12 pixels wide (788..800).
    EXPECT_EQ(dragPosition(bar, 790, a, b), 784);
    EXPECT_EQ(dragPosition(bar, 2000, a, b), 784);
    EXPECT_EQ(dragPosition(bar, 784, a, b), 784);
    EXPECT_EQ(dragPosition(bar, 783, a, b), 783);
    EXPECT_EQ(flushSecondSide(makeVertical(1, 784, 4, 0, 0, false), b).left, 788);
    // The held quantity is 800 - p + 4, kept below 300.
    EXPECT_EQ(dragPosition(bar, 600, a, b), 600);
    EXPECT_EQ(dragPosition(bar, 505, a, b), 505);
    EXPECT_EQ(dragPosition(bar, 504, a, b), 504);
    EXPECT_EQ(dragPosition(bar, 100, a, b), 504);

    const KWSplitter across = makeHorizontal(1, 300, 6, 50, 1000, false);
    EXPECT_EQ(dragPosition(across, 590, KWBound(0, 10, 0, 300), KWBound(0, 10, 306, 600)), 556);
}

TEST(SplitterLayout, MaximumWinsOverALargerMinimum) {
    const KWSplitter first = makeVertical(1, 50, 4, 300, 100, true);
    EXPECT_EQ(dragPosition(first, 50, KWBound(0, 50, 0, 10), KWBound(54, 800, 0, 10)), 100);
    EXPECT_EQ(dragPosition(first, 700, KWBound(0, 50, 0, 10), KWBound(54, 800, 0, 10)), 100);

    const KWSplitter second = makeVertical(1, 50, 4, 300, 100, false);
    EXPECT_EQ(dragPosition(second, 0, KWBound(0, 50, 0, 10), KWBound(54, 800, 0, 10)), 704);
}

TEST(SplitterLayout, MovingTheBarKeepsItsThicknessAndLength) {
    KWSplitter vertical = makeVertical(1, 155, 4, 20, 200, true);
    vertical.rect.top = 10;
    vertical.rect.bottom = 250;
    moveBar(vertical, 20);
    expectBound(vertical.rect, 20, 24, 10, 250);

    KWSplitter horizontal = makeHorizontal(1, 80, 6, 20, 200, true);
    horizontal.rect.left = 3;
    horizontal.rect.right = 90;
    moveBar(horizontal, 120);
    expectBound(horizontal.rect, 3, 90, 120, 126);
}

TEST(SplitterLayout, HitTestIncludesTheEdgesAndPicksTheFirstBar) {
    std::vector<KWSplitter> list;
    list.push_back(makeVertical(1, 155, 4, 20, 200, true));
    list[0].rect.top = 10;
    list[0].rect.bottom = 250;
    list.push_back(makeHorizontal(2, 100, 4, 20, 200, true));
    list[1].rect.left = 0;
    list[1].rect.right = 400;

    EXPECT_EQ(hitTest(list, 155, 10), 0);
    EXPECT_EQ(hitTest(list, 159, 250), 0);
    EXPECT_EQ(hitTest(list, 154, 50), noSplitter);
    EXPECT_EQ(hitTest(list, 160, 50), noSplitter);
    EXPECT_EQ(hitTest(list, 157, 9), noSplitter);
    EXPECT_EQ(hitTest(list, 157, 251), noSplitter);
    // Where the bars cross, the one added first wins.
    EXPECT_EQ(hitTest(list, 157, 102), 0);
    EXPECT_EQ(hitTest(list, 300, 104), 1);
    EXPECT_EQ(hitTest(list, 300, 105), noSplitter);

    // A bar with no length yet is hit only on its zero line.
    std::vector<KWSplitter> fresh{makeVertical(3, 40, 4, 0, 100, true)};
    EXPECT_EQ(hitTest(fresh, 42, 0), 0);
    EXPECT_EQ(hitTest(fresh, 42, 1), noSplitter);
    EXPECT_EQ(hitTest(std::vector<KWSplitter>(), 0, 0), noSplitter);
}

TEST(SplitterLayout, RescalingKeepsTheBarProportional) {
    KWSplitter vertical = makeVertical(1, 155, 4, 20, 200, true);
    vertical.rect.top = 10;
    vertical.rect.bottom = 250;
    rescale(vertical, 96, 144);
    expectBound(vertical.rect, 233, 239, 15, 375);
    EXPECT_EQ(6, vertical.thickness);
    EXPECT_EQ(30, vertical.minSize);
    EXPECT_EQ(300, vertical.maxSize);
    rescale(vertical, 144, 96);
    expectBound(vertical.rect, 155, 159, 10, 250);
}
