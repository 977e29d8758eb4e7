#include "graphs/logic/ColorEditModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace KW;
using namespace KW::coloredit;

namespace {

void expectColor(const KWColor& c, int r, int g, int b, int a) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
}

// A probe at data x with the mouse on row py, markers 5 wide, scale 1.
HitProbe at(float x, int py, int markerSize = 5, float scale = 1.0f) {
    return HitProbe{x, py, markerSize, scale};
}

std::vector<KWColorPoint> threeKeys() {
    std::vector<KWColorPoint> keys;
    keys.push_back(KWColorPoint(0.0f, KWColor(0, 0, 0, 0), KWColor(255, 255, 255, 255), true));
    keys.push_back(KWColorPoint(50.0f, KWColor(100, 0, 0, 255), KWColor(0, 100, 0, 255)));
    keys.push_back(KWColorPoint(100.0f, KWColor(200, 200, 200, 255), KWColor(0, 0, 0, 0), true));
    return keys;
}

} // namespace

TEST(ColorEditModel, StartsWithTwoFixedEndKeysThatCannotBeDeleted) {
    ColorEditModel model;
    const std::vector<KWColorPoint>& keys = model.getPoints();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].position, 0.0f);
    EXPECT_EQ(keys[1].position, 100.0f);
    for (const KWColorPoint& key : keys) {
        EXPECT_TRUE(key.fixed);
        EXPECT_FALSE(key.selected);
        expectColor(key.color1, 50, 100, 200, 255);
        expectColor(key.color2, 0, 0, 200, 255);
    }
    model.selectAt(at(0.0f, 3));
    EXPECT_TRUE(model.getPoints()[0].selected);
    EXPECT_FALSE(model.deleteSelected());
    model.selectAt(at(100.0f, 3));
    EXPECT_FALSE(model.deleteSelected());
    EXPECT_EQ(model.getPoints().size(), 2u);
}

TEST(ColorEditModel, DefaultKeyIsOpaqueBlack) {
    KWColorPoint key;
    expectColor(key.color1, 0, 0, 0, 255);
    expectColor(key.color2, 0, 0, 0, 255);
    EXPECT_FALSE(key.fixed);
    EXPECT_FALSE(key.selected);
}

TEST(ColorEditModel, InsertCopiesTheLastKeyAtOrLeftAndGoesAfterIt) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    EXPECT_TRUE(model.insertAt(40.0f, 1.0f));
    ASSERT_EQ(model.getPoints().size(), 4u);
    EXPECT_EQ(model.getPoints()[1].position, 40.0f);
    expectColor(model.getPoints()[1].color1, 0, 0, 0, 0);
    EXPECT_FALSE(model.getPoints()[1].fixed);

    // Again at 40: a tie goes after the earlier key and copies the nearest key in vector order.
    ASSERT_TRUE(model.setPoints(threeKeys()));
    model.insertAt(60.0f, 0.0f);
    expectColor(model.getPoints()[2].color1, 100, 0, 0, 255);
    model.insertAt(60.0f, 0.0f);
    ASSERT_EQ(model.getPoints().size(), 5u);
    EXPECT_EQ(model.getPoints()[3].position, 60.0f);
    expectColor(model.getPoints()[3].color2, 0, 100, 0, 255);
}

TEST(ColorEditModel, InsertRefusesOutsideTheAxisOrBelowZero) {
    ColorEditModel model;
    EXPECT_FALSE(model.insertAt(50.0f, -0.5f));
    EXPECT_FALSE(model.insertAt(100.5f, 1.0f));
    EXPECT_FALSE(model.insertAt(-0.5f, 1.0f));
    EXPECT_FALSE(model.insertAt(std::numeric_limits<float>::quiet_NaN(), 1.0f));
    EXPECT_EQ(model.getPoints().size(), 2u);
    EXPECT_TRUE(model.insertAt(0.0f, 0.0f));
    ASSERT_EQ(model.getPoints().size(), 3u);
    EXPECT_EQ(model.getPoints()[1].position, 0.0f);
    EXPECT_FALSE(model.getPoints()[1].fixed);
}

TEST(ColorEditModel, NothingInsertedWithoutAKeyAtOrLeft) {
    ColorEditModel model;
    model.selectAt(at(0.0f, 0));
    model.moveSelected(10.0f, 1.0f);
    EXPECT_EQ(model.getPoints()[0].position, 10.0f);
    // Accepted (a repaint is due) but nothing inserted.
    EXPECT_TRUE(model.insertAt(5.0f, 1.0f));
    EXPECT_EQ(model.getPoints().size(), 2u);
}

TEST(ColorEditModel, SelectionWalksFromTheLastKeyAndNeedsTheSwatchRows) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    model.insertAt(52.0f, 0.0f); // index 2, within 5 units of the key at 50
    model.selectAt(at(51.0f, 20));
    EXPECT_FALSE(model.getPoints()[1].selected);
    EXPECT_TRUE(model.getPoints()[2].selected);
    // Row 21 is below 4m = 20: nothing selected, previous selection cleared.
    model.selectAt(at(51.0f, 21));
    for (const KWColorPoint& key : model.getPoints()) {
        EXPECT_FALSE(key.selected);
    }
    model.selectAt(at(51.0f, -1));
    EXPECT_FALSE(model.getPoints()[2].selected);
}

TEST(ColorEditModel, ToleranceIsMarkerSizeOverScaleInclusive) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    model.selectAt(at(52.5f, 0, 5, 2.0f));
    EXPECT_TRUE(model.getPoints()[1].selected);
    model.selectAt(at(52.51f, 0, 5, 2.0f));
    EXPECT_FALSE(model.getPoints()[1].selected);
}

TEST(ColorEditModel, DraggingClampsAndKeepsVectorOrder) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    model.selectAt(at(50.0f, 0));
    model.moveSelected(30.0f, 2.0f);
    EXPECT_EQ(model.getPoints()[1].position, 65.0f);
    model.moveSelected(500.0f, 1.0f);
    EXPECT_EQ(model.getPoints()[1].position, 100.0f);
    model.moveSelected(-1000.0f, 1.0f);
    EXPECT_EQ(model.getPoints()[1].position, 0.0f);
    EXPECT_EQ(model.getPoints()[2].position, 100.0f);
}

TEST(ColorEditModel, DeleteErasesTheFirstSelectedUnfixedKey) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    EXPECT_FALSE(model.deleteSelected());
    model.selectAt(at(50.0f, 10));
    EXPECT_TRUE(model.deleteSelected());
    ASSERT_EQ(model.getPoints().size(), 2u);
    EXPECT_EQ(model.getPoints()[1].position, 100.0f);
}

TEST(ColorEditModel, CopyBetweenSwatchesDependsOnTheRow) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    // Lower swatch: color2 takes color1.
    EXPECT_TRUE(model.copyOntoHitSwatch(at(50.0f, 15)));
    expectColor(model.getPoints()[1].color2, 100, 0, 0, 255);
    ASSERT_TRUE(model.setPoints(threeKeys()));
    // Row 2m belongs to the upper swatch: color1 takes color2.
    EXPECT_TRUE(model.copyOntoHitSwatch(at(50.0f, 10)));
    expectColor(model.getPoints()[1].color1, 0, 100, 0, 255);
    expectColor(model.getPoints()[1].color2, 0, 100, 0, 255);
    // Below the swatches nothing happens.
    ASSERT_TRUE(model.setPoints(threeKeys()));
    EXPECT_FALSE(model.copyOntoHitSwatch(at(50.0f, 21)));
    expectColor(model.getPoints()[1].color1, 100, 0, 0, 255);
}

TEST(ColorEditModel, FindSwatchTakesTheFirstHitKeyAndItsRow) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    SwatchHit hit = model.findSwatch(at(3.0f, 0));
    EXPECT_EQ(hit.index, 0);
    EXPECT_TRUE(hit.upper);
    hit = model.findSwatch(at(99.0f, 20));
    EXPECT_EQ(hit.index, 2);
    EXPECT_FALSE(hit.upper);
    EXPECT_EQ(model.findSwatch(at(25.0f, 5)).index, -1);
    EXPECT_EQ(model.findSwatch(at(50.0f, 21)).index, -1);
}

TEST(ColorEditModel, EditFollowsItsKeyThroughInsertionAndEndsWithItsDeletion) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    EXPECT_FALSE(model.finishEdit(KWColor(1, 2, 3, 4)));
    model.beginEdit(model.findSwatch(at(50.0f, 15)));
    ASSERT_EQ(model.getEditedIndex(), 1);
    EXPECT_FALSE(model.isEditingUpper());
    model.insertAt(10.0f, 0.0f);
    EXPECT_EQ(model.getEditedIndex(), 2);
    EXPECT_TRUE(model.finishEdit(KWColor(300, -4, 7, 128)));
    expectColor(model.getPoints()[2].color2, 255, 0, 7, 128);
    expectColor(model.getPoints()[2].color1, 100, 0, 0, 255);

    model.selectAt(at(50.0f, 0));
    EXPECT_TRUE(model.deleteSelected());
    EXPECT_EQ(model.getEditedIndex(), -1);
    EXPECT_FALSE(model.finishEdit(KWColor(1, 2, 3, 4)));
}

TEST(ColorEditModel, ReplacingKeysValidatesEveryInvariant) {
    ColorEditModel model;
    const std::vector<KWColorPoint> good = threeKeys();
    std::vector<std::vector<KWColorPoint>> bad(8, good);
    bad[0].resize(1);
    bad[1][1].position = 100.5f;
    bad[2][1].position = std::numeric_limits<float>::quiet_NaN();
    bad[3][1].color1.g = 256;
    bad[4][2].color2.a = -1;
    bad[5][1].position = 0.0f;
    bad[5][0].position = 1.0f; // out of order
    bad[6][2].fixed = false;   // end key not fixed
    bad[7][1].fixed = true;    // a fixed key in the middle
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(model.setPoints(bad[i])) << i;
        ASSERT_EQ(model.getPoints().size(), 2u) << i;
        expectColor(model.getPoints()[0].color1, 50, 100, 200, 255);
    }
    EXPECT_TRUE(model.setPoints(good));
    ASSERT_EQ(model.getPoints().size(), 3u);
    EXPECT_EQ(model.getPoints()[1].position, 50.0f);
    // Equal positions are still in order.
    std::vector<KWColorPoint> ties = good;
    ties[1].position = 100.0f;
    EXPECT_TRUE(model.setPoints(ties));
}

TEST(ColorEditModel, EvaluateInterpolatesBetweenNeighboursInPositionOrder) {
    ColorEditModel model;
    ASSERT_TRUE(model.setPoints(threeKeys()));
    KWColor c1, c2;
    ASSERT_TRUE(model.evaluate(25.0f, c1, c2));
    expectColor(c1, 50, 0, 0, 128); // halves round away from zero: 127.5 -> 128
    expectColor(c2, 128, 178, 128, 255);
    ASSERT_TRUE(model.evaluate(50.0f, c1, c2));
    expectColor(c1, 100, 0, 0, 255);
    ASSERT_TRUE(model.evaluate(75.0f, c1, c2));
    expectColor(c1, 150, 100, 100, 255);
    expectColor(c2, 0, 50, 0, 128);
    ASSERT_TRUE(model.evaluate(100.0f, c1, c2));
    expectColor(c1, 200, 200, 200, 255);
    EXPECT_FALSE(model.evaluate(std::numeric_limits<float>::quiet_NaN(), c1, c2));

    // Keys dragged out of vector order are taken in position order; beyond the ends the end colours.
    model.selectAt(at(0.0f, 0));
    model.moveSelected(80.0f, 1.0f); // the first key now lies at 80
    ASSERT_TRUE(model.evaluate(10.0f, c1, c2));
    expectColor(c1, 100, 0, 0, 255);
    ASSERT_TRUE(model.evaluate(90.0f, c1, c2));
    expectColor(c1, 100, 100, 100, 128);
}
