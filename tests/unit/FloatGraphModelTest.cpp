#include "graphs/logic/FloatGraphModel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace KW;
using namespace KW::floatgraph;

namespace {

KWGraphPoint key(float x, float y1, float y2, bool selected = false, bool fixed = false) {
    KWGraphPoint k;
    k.x = x;
    k.y1 = y1;
    k.y2 = y2;
    k.selected = selected;
    k.fixed = fixed;
    return k;
}

std::vector<float> positions(const Keys& keys) {
    std::vector<float> result;
    for (const KWGraphPoint& k : keys) {
        result.push_back(k.x);
    }
    return result;
}

int selectedIndex(const Keys& keys) {
    int found = -1;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].selected) {
            EXPECT_EQ(found, -1) << "more than one key selected";
            found = static_cast<int>(i);
        }
    }
    return found;
}

} // namespace

TEST(FloatGraphKeys, NewGraphHasTwoFixedEndKeysThatCannotBeDeleted) {
    Keys keys = initialKeys();
    ASSERT_EQ(keys.size(), 2u);
    for (const KWGraphPoint& k : keys) {
        EXPECT_EQ(k.y1, 0.0f);
        EXPECT_EQ(k.y2, 0.0f);
        EXPECT_FALSE(k.selected);
        EXPECT_TRUE(k.fixed);
    }
    EXPECT_EQ(positions(keys), (std::vector<float>{0.0f, 100.0f}));
    keys[0].selected = true;
    EXPECT_FALSE(deleteFirstSelected(keys));
    keys[0].selected = false;
    keys[1].selected = true;
    EXPECT_FALSE(deleteFirstSelected(keys));
    EXPECT_EQ(keys.size(), 2u);
}

TEST(FloatGraphKeys, InsertionKeepsOrderAndPlacesTiesAfterTheExistingKey) {
    Keys keys = initialKeys();
    EXPECT_TRUE(insertKey(keys, 50.0f, -20.0f));
    EXPECT_EQ(positions(keys), (std::vector<float>{0.0f, 50.0f, 100.0f}));
    EXPECT_EQ(keys[1].y1, -20.0f);
    EXPECT_EQ(keys[1].y2, -20.0f);
    EXPECT_FALSE(keys[1].selected);
    EXPECT_FALSE(keys[1].fixed);

    EXPECT_TRUE(insertKey(keys, 0.0f, -5.0f));
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_TRUE(keys[0].fixed);
    EXPECT_EQ(keys[1].y1, -5.0f);
    EXPECT_FALSE(keys[1].fixed);

    EXPECT_TRUE(insertKey(keys, 100.0f, -1.0f));
    // A tie at 100 goes after the end key, which is then no longer last in the vector.
    EXPECT_TRUE(keys[keys.size() - 2].fixed);
    EXPECT_FALSE(keys.back().fixed);
    EXPECT_EQ(keys.back().y1, -1.0f);
}

TEST(FloatGraphKeys, InsertionRefusesPositionsAndValuesOutsideTheRange) {
    Keys keys = initialKeys();
    EXPECT_FALSE(insertKey(keys, 100.5f, -1.0f));
    EXPECT_FALSE(insertKey(keys, -0.5f, -1.0f));
    EXPECT_FALSE(insertKey(keys, 50.0f, 0.1f));
    EXPECT_FALSE(insertKey(keys, std::nanf(""), -1.0f));
    EXPECT_FALSE(insertKey(keys, 50.0f, std::nanf("")));
    EXPECT_FALSE(insertKey(keys, 50.0f, -INFINITY));
    EXPECT_EQ(keys.size(), 2u);
    EXPECT_TRUE(insertKey(keys, 50.0f, 0.0f));
    EXPECT_EQ(keys.size(), 3u);
}

TEST(FloatGraphKeys, DeletionErasesTheFirstSelectedUnfixedKeyOnly) {
    Keys keys = {key(0, 0, 0, false, true), key(20, -1, -1), key(40, -2, -2, true),
                 key(100, 0, 0, false, true)};
    EXPECT_TRUE(deleteFirstSelected(keys));
    EXPECT_EQ(positions(keys), (std::vector<float>{0.0f, 20.0f, 100.0f}));
    EXPECT_FALSE(deleteFirstSelected(keys));
    EXPECT_EQ(keys.size(), 3u);
}

TEST(FloatGraphSelection, ToleranceIsInclusiveOnBothAxes) {
    // Scale 2 and a pick radius of 3 pixels: 1.5 data units.
    const float tolerance = 3.0f / 2.0f;
    Keys keys = {key(0, 0, 0, false, true), key(50, -20, -10), key(100, 0, 0, false, true)};
    selectAt(keys, 51.5f, -21.5f, tolerance);
    EXPECT_EQ(selectedIndex(keys), 1);
    selectAt(keys, 51.5001f, -20.0f, tolerance);
    EXPECT_EQ(selectedIndex(keys), -1) << "a miss clears the selection";
    selectAt(keys, 50.0f, -18.5f, tolerance);
    EXPECT_EQ(selectedIndex(keys), 1) << "within tolerance of y1 only";
    selectAt(keys, 50.0f, -15.0f, tolerance);
    EXPECT_EQ(selectedIndex(keys), -1) << "between the two values";
    selectAt(keys, 49.0f, -8.5f, tolerance);
    EXPECT_EQ(selectedIndex(keys), 1) << "on the lower value";
}

TEST(FloatGraphSelection, TheHitLaterInTheVectorWins) {
    Keys keys = {key(0, 0, 0, false, true), key(50, -10, -10), key(51, -10, -10),
                 key(100, 0, 0, false, true)};
    selectAt(keys, 50.5f, -10.0f, 1.0f);
    EXPECT_EQ(selectedIndex(keys), 2);
    // The walk runs from the end: an upper-value hit on an earlier key loses to a lower-value hit
    // on a later one.
    Keys other = {key(0, 0, 0, false, true), key(10, -5, -1), key(10, -9, -5), key(100, 0, 0, false, true)};
    selectAt(other, 10.0f, -5.0f, 0.5f);
    EXPECT_EQ(selectedIndex(other), 2);
}

TEST(FloatGraphDragging, WholeKeyDragClampsAtTheAxisAndTheEnds) {
    Keys keys = {key(0, 0, 0, false, true), key(50, -1, -1, true), key(60, -3, -3),
                 key(100, 0, 0, false, true)};
    EXPECT_TRUE(moveSelectedKeys(keys, 0.0f, 5.0f));
    EXPECT_EQ(keys[1].y1, 0.0f);
    EXPECT_EQ(keys[1].y2, 0.0f);
    EXPECT_EQ(keys[2].y1, -3.0f) << "unselected keys stay";
    EXPECT_TRUE(moveSelectedKeys(keys, 70.0f, 0.0f));
    EXPECT_EQ(keys[1].x, 100.0f);
    EXPECT_EQ(positions(keys), (std::vector<float>{0.0f, 100.0f, 60.0f, 100.0f})) << "no reordering";
    EXPECT_TRUE(moveSelectedKeys(keys, -200.0f, -4.0f));
    EXPECT_EQ(keys[1].x, 0.0f);
    EXPECT_EQ(keys[1].y1, -4.0f);

    Keys none = initialKeys();
    EXPECT_FALSE(moveSelectedKeys(none, 5.0f, 5.0f));
    EXPECT_FALSE(moveSelectedLowerValues(none, 5.0f, 5.0f));
}

TEST(FloatGraphDragging, FixedEndKeysMoveLikeAnyOther) {
    Keys keys = initialKeys();
    keys[0].selected = true;
    EXPECT_TRUE(moveSelectedKeys(keys, 10.0f, -2.0f));
    EXPECT_EQ(keys[0].x, 10.0f);
    EXPECT_EQ(keys[0].y1, -2.0f);
    EXPECT_TRUE(keys[0].fixed);
}

TEST(FloatGraphDragging, LowerValueDragPushesTheUpperValueOnlyUpward) {
    Keys keys = {key(0, 0, 0, false, true), key(50, -10, -5, true), key(100, 0, 0, false, true)};
    EXPECT_TRUE(moveSelectedLowerValues(keys, 0.0f, -3.0f));
    EXPECT_EQ(keys[1].y1, -10.0f);
    EXPECT_EQ(keys[1].y2, -8.0f);
    EXPECT_TRUE(moveSelectedLowerValues(keys, 1.0f, -6.0f));
    EXPECT_EQ(keys[1].y2, -14.0f);
    EXPECT_EQ(keys[1].y1, -14.0f) << "carried along";
    EXPECT_EQ(keys[1].x, 51.0f);
    EXPECT_TRUE(moveSelectedLowerValues(keys, 0.0f, 9.0f));
    EXPECT_EQ(keys[1].y2, -5.0f);
    EXPECT_EQ(keys[1].y1, -14.0f) << "left where it was pushed";
    EXPECT_TRUE(moveSelectedLowerValues(keys, 0.0f, 20.0f));
    EXPECT_EQ(keys[1].y2, 0.0f);
}

TEST(FloatGraphKeys, EqualizingCopiesTheUpperValueDown) {
    Keys keys = {key(0, -1, 0, false, true), key(50, -10, -5, true), key(100, -3, -2, false, true)};
    EXPECT_TRUE(equalizeSelected(keys));
    EXPECT_EQ(keys[1].y2, -10.0f);
    EXPECT_EQ(keys[0].y2, 0.0f);
    keys[1].selected = false;
    EXPECT_FALSE(equalizeSelected(keys));
    EXPECT_TRUE(equalizeAll(keys));
    EXPECT_EQ(keys[0].y2, -1.0f);
    EXPECT_EQ(keys[2].y2, -3.0f);
}

TEST(FloatGraphClientKeys, OnlyVectorsKeepingTheInvariantsAreAccepted) {
    const Keys good = {key(0, -1, 0), key(30, -5, -2), key(30, -4, -4), key(100, 0, 0)};
    EXPECT_TRUE(acceptableKeys(good));
    EXPECT_TRUE(acceptableKeys({key(0, 0, 0), key(100, 0, 0)}));

    EXPECT_FALSE(acceptableKeys({}));
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0)}));
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0), key(60, 0, 0), key(40, 0, 0), key(100, 0, 0)})) << "unsorted";
    EXPECT_FALSE(acceptableKeys({key(1, 0, 0), key(100, 0, 0)})) << "no key at 0";
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0), key(99, 0, 0)})) << "no key at 100";
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0), key(50, 0, 0), key(100.5f, 0, 0)}));
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0), key(50, -2, -3), key(100, 0, 0)})) << "y1 below y2";
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0), key(50, -2, 0.5f), key(100, 0, 0)})) << "above the axis";
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0), key(50, std::nanf(""), 0), key(100, 0, 0)}));
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0), key(std::nanf(""), -1, 0), key(100, 0, 0)}));
    EXPECT_FALSE(acceptableKeys({key(0, 0, 0), key(50, -INFINITY, 0), key(100, 0, 0)}));
}

TEST(FloatGraphClientKeys, AcceptedKeysGetTheGraphsOwnFlags) {
    const Keys given = {key(0, -1, 0, true, false), key(30, -5, -2, false, true),
                        key(100, 0, 0, true, false)};
    const Keys kept = withEndKeysFixed(given);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_TRUE(kept[0].fixed);
    EXPECT_FALSE(kept[1].fixed);
    EXPECT_TRUE(kept[2].fixed);
    EXPECT_EQ(selectedIndex(kept), -1);
    EXPECT_EQ(kept[1].y1, -5.0f);
    EXPECT_EQ(kept[1].y2, -2.0f);
}

TEST(FloatGraphEvaluate, InterpolatesBetweenNeighboursInPositionOrder) {
    const Keys keys = {key(0, -10, 0), key(50, -30, -20), key(100, -20, -20)};
    KWGraphSample s = evaluate(keys, 25.0f);
    EXPECT_FLOAT_EQ(s.y1, -20.0f);
    EXPECT_FLOAT_EQ(s.y2, -10.0f);
    s = evaluate(keys, 75.0f);
    EXPECT_FLOAT_EQ(s.y1, -25.0f);
    EXPECT_FLOAT_EQ(s.y2, -20.0f);
    s = evaluate(keys, 50.0f);
    EXPECT_EQ(s.y1, -30.0f);
    EXPECT_EQ(s.y2, -20.0f);
    s = evaluate(keys, 0.0f);
    EXPECT_EQ(s.y1, -10.0f);
    EXPECT_EQ(s.y2, 0.0f);
    s = evaluate(keys, 100.0f);
    EXPECT_EQ(s.y1, -20.0f);
}

TEST(FloatGraphEvaluate, DraggedOutOfOrderKeysAreTakenInPositionOrder) {
    // The key at 80 was dragged before the one at 20 in the vector.
    const Keys keys = {key(0, 0, 0), key(80, -40, -40), key(20, -10, -10), key(100, 0, 0)};
    EXPECT_FLOAT_EQ(evaluate(keys, 50.0f).y1, -25.0f);
    EXPECT_FLOAT_EQ(evaluate(keys, 10.0f).y1, -5.0f);
    EXPECT_FLOAT_EQ(evaluate(keys, 90.0f).y2, -20.0f);
}

TEST(FloatGraphEvaluate, TiesStepOutsideUseTheEndsAndNothingGivesZero) {
    // Two keys at 50: left of 50 the first one is the neighbour, from 50 on the second.
    const Keys keys = {key(0, 0, 0), key(50, -10, -10), key(50, -30, -20), key(100, -30, -20)};
    EXPECT_FLOAT_EQ(evaluate(keys, 25.0f).y1, -5.0f);
    EXPECT_EQ(evaluate(keys, 50.0f).y1, -30.0f);
    EXPECT_EQ(evaluate(keys, 75.0f).y2, -20.0f);

    const Keys moved = {key(10, -4, -2), key(90, -8, -6)};
    EXPECT_EQ(evaluate(moved, -5.0f).y1, -4.0f);
    EXPECT_EQ(evaluate(moved, 5.0f).y2, -2.0f);
    EXPECT_EQ(evaluate(moved, 95.0f).y1, -8.0f);
    EXPECT_EQ(evaluate(moved, INFINITY).y2, -6.0f);
    EXPECT_EQ(evaluate(moved, std::nanf("")).y1, -4.0f);

    const KWGraphSample empty = evaluate(Keys(), 50.0f);
    EXPECT_EQ(empty.y1, 0.0f);
    EXPECT_EQ(empty.y2, 0.0f);
}

TEST(FloatGraphEvaluate, SamplesKeepTheValueOrder) {
    const Keys keys = {key(0, -1e-6f, 0), key(100, -3.3f, -3.29999f)};
    for (int i = 0; i <= 1000; ++i) {
        const KWGraphSample s = evaluate(keys, i * 0.1f);
        EXPECT_LE(s.y1, s.y2);
        EXPECT_LE(s.y2, 0.0f);
    }
}
