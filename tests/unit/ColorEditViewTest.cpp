#include "graphs/logic/ColorEditView.h"

#include <gtest/gtest.h>

#include <climits>

using namespace KW::coloredit;

TEST(ColorEditView, StartsUnzoomedWithFiftyUnitLabels) {
    ColorEditView view;
    EXPECT_EQ(view.getScale(), 1.0f);
    EXPECT_EQ(view.getOriginX(), 0.0f);
    EXPECT_EQ(view.getViewX(), 0);
    EXPECT_EQ(view.getLabelStep(), 50);
}

TEST(ColorEditView, ZoomInStepsInSinglePrecisionAndSwitchesLabelSteps) {
    ColorEditView view;
    view.zoomIn(0, 0);
    EXPECT_EQ(view.getScale(), 1.3f);
    view.zoomIn(0, 0);
    // Just below the single-precision 1.6: the label step stays 50.
    EXPECT_FLOAT_EQ(view.getScale(), 1.5999999f);
    EXPECT_LT(view.getScale(), 1.6f);
    EXPECT_EQ(view.getLabelStep(), 50);
    view.zoomIn(0, 0);
    EXPECT_FLOAT_EQ(view.getScale(), 1.8999999f);
    EXPECT_EQ(view.getLabelStep(), 30);
    for (int i = 3; i < 10; ++i) {
        view.zoomIn(0, 0);
    }
    EXPECT_EQ(view.getScale(), 3.9999995f);
    EXPECT_EQ(view.getLabelStep(), 30);
    view.zoomIn(0, 0);
    EXPECT_EQ(view.getScale(), 4.2999997f);
    EXPECT_EQ(view.getLabelStep(), 10);

    int steps = 11;
    while (view.getScale() < 20.0f && steps < 200) {
        view.zoomIn(0, 0);
        ++steps;
    }
    EXPECT_EQ(steps, 64);
    view.zoomIn(0, 0);
    EXPECT_EQ(view.getScale(), 20.0f);
}

TEST(ColorEditView, ZoomOutStopsAtOne) {
    ColorEditView view;
    view.zoomOut(123, 45);
    EXPECT_EQ(view.getScale(), 1.0f);
    EXPECT_EQ(view.getOriginX(), 0.0f);
    EXPECT_EQ(view.getOriginY(), 0.0f);
    EXPECT_EQ(view.getLabelStep(), 50);

    // 1.3 - 0.3 falls a hair below 1 in float and is clamped back.
    view.zoomIn(0, 0);
    view.zoomOut(0, 0);
    EXPECT_EQ(view.getScale(), 1.0f);
}

TEST(ColorEditView, ZoomKeepsTheDataPointUnderTheMouse) {
    ColorEditView view;
    view.pan(30);
    // Client x 130 shows data x 100 before any zoom.
    view.updateCursor(130, 20);
    EXPECT_EQ(view.getCursorX(), 100.0f);
    for (int i = 0; i < 5; ++i) {
        view.zoomIn(130, 20);
        EXPECT_NEAR(view.keyCenterX(100.0f), 130.0f, 1e-3f);
    }
    view.zoomOut(130, 20);
    EXPECT_NEAR(view.keyCenterX(100.0f), 130.0f, 1e-3f);
    // Zooming moves the origin vertically as well (keys never move vertically, grid rows do).
    EXPECT_NE(view.getOriginY(), 0.0f);
}

TEST(ColorEditView, ZoomAboutTheMouseFollowsTheWrittenFormula) {
    ColorEditView view;
    view.zoomIn(40, 10);
    // hx = 40, originX = 40 * 1 - 40 * 1.3 + 0 = -12 (to float precision).
    EXPECT_FLOAT_EQ(view.getOriginX(), -12.0f);
    EXPECT_FLOAT_EQ(view.getOriginY(), -3.0f);
}

TEST(ColorEditView, CursorInverseFloorsTheOrigins) {
    ColorEditView view;
    view.zoomIn(5, 5); // origin -1.5, -1.5
    EXPECT_FLOAT_EQ(view.getOriginX(), -1.5f);
    view.updateCursor(10, 20);
    // (10 - floor(-1.5)) / 1.3 = 12 / 1.3
    EXPECT_EQ(view.getCursorX(), 12.0f / 1.3f);
    EXPECT_EQ(view.getCursorY(), 22.0f / 1.3f);
    view.pan(-4);
    view.updateCursor(10, 20);
    EXPECT_EQ(view.getCursorX(), 16.0f / 1.3f);
}

TEST(ColorEditView, HitToleranceIsMarkerSizeOverScale) {
    ColorEditView view;
    EXPECT_EQ(view.hitTolerance(5), 5.0f);
    for (int i = 0; i < 20 && view.getScale() < 2.0f; ++i) {
        view.zoomIn(0, 0);
    }
    // 1.0 + 0.3 * 4 in float steps is 2.1999998, not 2: check the quotient itself.
    EXPECT_EQ(view.hitTolerance(5), 5.0f / view.getScale());
}

TEST(ColorEditView, LabelsEveryFiftyPixelsFromTheLeftEdgeWithoutPan) {
    ColorEditView view;
    const std::vector<AxisLabel> labels = view.labels(260);
    ASSERT_EQ(labels.size(), 6u);
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i].x, static_cast<int>(50 * i));
        EXPECT_EQ(labels[i].value, static_cast<long long>(50 * i));
    }
}

TEST(ColorEditView, LabelsStartAtOrLeftOfTheEdgeWhenPanned) {
    ColorEditView view;
    view.pan(100);
    std::vector<AxisLabel> labels = view.labels(400);
    ASSERT_EQ(labels.size(), 8u);
    EXPECT_EQ(labels[0].x, 0);
    EXPECT_EQ(labels[0].value, -100);
    EXPECT_EQ(labels[2].x, 100);
    EXPECT_EQ(labels[2].value, 0);

    view.pan(-175); // ox = -75: first label at -25 showing 50
    labels = view.labels(400);
    EXPECT_EQ(labels[0].x, -25);
    EXPECT_EQ(labels[0].value, 50);
}

TEST(ColorEditView, GridEveryTenUnitsTruncatedPhase) {
    ColorEditView view;
    view.pan(25);
    const std::vector<float> columns = view.gridColumns(50);
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[0], 5.0f);
    EXPECT_EQ(columns[4], 45.0f);
    const std::vector<float> rows = view.gridRows(30);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], 0.0f);
    view.pan(-40); // ox = -15: first column at -5
    EXPECT_EQ(view.gridColumns(50)[0], -5.0f);
}

TEST(ColorEditView, ExtremePansSaturateAndKeepTheWalksShort) {
    ColorEditView view;
    view.pan(INT_MAX);
    view.pan(INT_MAX);
    EXPECT_EQ(view.getViewX(), INT_MAX);
    EXPECT_LE(view.gridColumns(500).size(), 53u);
    EXPECT_LE(view.labels(500).size(), 13u);
    view.pan(INT_MIN);
    view.pan(INT_MIN);
    EXPECT_EQ(view.getViewX(), INT_MIN);
    EXPECT_LE(view.gridColumns(500).size(), 53u);
    view.zoomIn(INT_MAX, INT_MIN);
    view.updateCursor(INT_MAX, INT_MIN);
    EXPECT_TRUE(view.getCursorX() == view.getCursorX());
}

TEST(ColorEditView, LabelStepTable) {
    EXPECT_EQ(labelStepFor(0.3f), 200);
    EXPECT_EQ(labelStepFor(0.7f), 100);
    EXPECT_EQ(labelStepFor(1.0f), 50);
    EXPECT_EQ(labelStepFor(1.6f), 30);
    EXPECT_EQ(labelStepFor(3.9999995f), 30);
    EXPECT_EQ(labelStepFor(4.0f), 10);
    EXPECT_EQ(labelStepFor(20.0f), 10);
}
