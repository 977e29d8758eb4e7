#include "graphs/logic/GraphView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace KW::graphview;

namespace {

float zoomInTimes(int steps) {
    float scale = 1.0f;
    for (int i = 0; i < steps; ++i) {
        scale = scaleAfterZoomIn(scale);
    }
    return scale;
}

} // namespace

TEST(GraphViewZoom, ZoomInStepsAreSinglePrecisionAndStopAtTwenty) {
    EXPECT_EQ(zoomInTimes(1), 1.3f);
    EXPECT_EQ(zoomInTimes(2), 1.5999999f);
    EXPECT_EQ(zoomInTimes(3), 1.8999999f);
    EXPECT_EQ(zoomInTimes(4), 2.1999998f);
    EXPECT_EQ(zoomInTimes(10), 3.9999995f);
    EXPECT_EQ(zoomInTimes(11), 4.2999997f);
    EXPECT_LT(zoomInTimes(63), 20.0f);
    EXPECT_EQ(zoomInTimes(64), 20.0f);
    EXPECT_EQ(zoomInTimes(80), 20.0f);
}

TEST(GraphViewZoom, ZoomOutStopsAtTheMinimumGiven) {
    float scale = 1.0f;
    // 0.7 and then 0.39999998, just below the float nearest 0.4.
    const float expected[] = {0.7f, 0.39999998f, 0.3f, 0.3f, 0.3f};
    for (float value : expected) {
        scale = scaleAfterZoomOut(scale, kMinScale);
        EXPECT_EQ(scale, value);
    }
    // The colour editor's floor of 1: a zoom-out at 1 changes nothing.
    EXPECT_EQ(scaleAfterZoomOut(1.0f, 1.0f), 1.0f);
    EXPECT_EQ(scaleAfterZoomOut(1.3f, 1.0f), 1.0f);
}

TEST(GraphViewZoom, LabelStepFollowsTheZoomStepsAtTheSinglePrecisionBoundaries) {
    EXPECT_EQ(labelStepFor(1.0f), 50);
    EXPECT_EQ(labelStepFor(zoomInTimes(2)), 50); // 1.5999999 is below the float 1.6
    EXPECT_EQ(labelStepFor(zoomInTimes(3)), 30);
    EXPECT_EQ(labelStepFor(zoomInTimes(10)), 30); // 3.9999995
    EXPECT_EQ(labelStepFor(zoomInTimes(11)), 10);
    EXPECT_EQ(labelStepFor(1.6f), 30);
    EXPECT_EQ(labelStepFor(4.0f), 10);
    EXPECT_EQ(labelStepFor(20.0f), 10);
    EXPECT_EQ(labelStepFor(0.7f), 100);
    EXPECT_EQ(labelStepFor(0.5f), 100);
    EXPECT_EQ(labelStepFor(0.4f), 200);
    EXPECT_EQ(labelStepFor(0.3f), 200);
}

TEST(GraphViewZoom, ZoomKeepsTheDataPointUnderTheFixedPointAndTheRatioOfTheScales) {
    // Equal scales step as one scale does; a vertical scale 2.5 times the horizontal one stops at 20
    // and holds the horizontal one at 8.
    for (const float ratio : {1.0f, 2.5f}) {
        View view;
        view.scaleY = ratio;
        view.originX = 37.0f;
        view.originY = 71.0f + 10.0f * ratio; // data (10, -10) at client (47, 71) with no pan
        float scale = 1.0f;
        for (int step = 0; step < 70; ++step) {
            scale = scaleAfterZoomIn(scale);
            zoomAbout(view, scalesAfterZoom({view.scale, view.scaleY}, true, kMinScale), 47, 71);
            EXPECT_NEAR(view.scale, std::min(scale, kMaxScale / ratio), 1e-4f);
            EXPECT_NEAR(view.scaleY, view.scale * ratio, 1e-3f);
            EXPECT_NEAR(10.0f * view.scale + view.originX, 47.0f, 1e-2f);
            EXPECT_NEAR(-10.0f * view.scaleY + view.originY, 71.0f, 1e-2f);
        }
    }
}

TEST(GraphViewFraming, EachAxisFitsItsOwnSpan) {
    // In a short, wide plot: values 2..12 over 0..100 fill both axes; a flat curve takes the horizontal
    // scale for both axes, keys at one position the vertical one.
    const struct {
        Extent data;
        View expected;
    } cases[] = {{{0, -12, 100, -2}, {3.3f, 6.0f, 60.0f, 82.0f}},
                 {{0, -5, 100, -5}, {3.3f, 3.3f, 60.0f, 56.5f}},
                 {{50, -20, 50, 0}, {3.0f, 3.0f, 75.0f, 70.0f}}};
    for (const auto& c : cases) {
        const View view = framed(c.data, {60, 10, 390, 70}, {1, 1}, kMinScale);
        EXPECT_FLOAT_EQ(view.scale, c.expected.scale);
        EXPECT_FLOAT_EQ(view.scaleY, c.expected.scaleY);
        EXPECT_FLOAT_EQ(view.originX, c.expected.originX);
        EXPECT_FLOAT_EQ(view.originY, c.expected.originY);
    }
}

TEST(GraphViewTransform, PixelsTruncateTowardZero) {
    EXPECT_EQ(truncateToPixel(2.7f), 2);
    EXPECT_EQ(truncateToPixel(-2.7f), -2);
    EXPECT_EQ(truncateToPixel(-0.5f), 0);
    // The demonstration view after a pan of (100, 30) at scale 1 puts data (0, 0) at (100, 30).
    EXPECT_EQ(dataToPixel(0.0f, 1.0f, 0.0f, 100), 100);
    EXPECT_EQ(dataToPixel(0.0f, 1.0f, 0.0f, 30), 30);
    EXPECT_EQ(dataToPixel(-10.0f, 1.3f, 0.0f, 0), -13);
    EXPECT_EQ(dataToPixel(10.0f, 1.3f, 0.5f, 2), 15); // 13 + 0.5 + 2 = 15.5
}

TEST(GraphViewTransform, OutlandishValuesArePinnedInsteadOfOverflowing) {
    EXPECT_EQ(truncateToPixel(1e20f), 1 << 30);
    EXPECT_EQ(truncateToPixel(-1e20f), -(1 << 30));
    EXPECT_EQ(truncateToPixel(std::nanf("")), 0);
    EXPECT_EQ(truncateToPixel(INFINITY), 1 << 30);
    EXPECT_EQ(dataToPixel(-1e30f, 20.0f, 0.0f, 0), -(1 << 30));
}

TEST(GraphViewTransform, CursorFloorsTheOriginBeforeDividing) {
    EXPECT_FLOAT_EQ(clientToData(12, 0, 2.7f, 2.0f), 5.0f);  // (12 - 2) / 2
    EXPECT_FLOAT_EQ(clientToData(12, 0, -2.3f, 2.0f), 7.5f); // (12 + 3) / 2
    EXPECT_FLOAT_EQ(clientToData(130, 100, 0.0f, 1.0f), 30.0f);
    EXPECT_FLOAT_EQ(clientToData(-5, 30, 0.0f, 1.0f), -35.0f);
    EXPECT_FLOAT_EQ(clientToData(100, 0, 0.0f, 1.3f), 100.0f / 1.3f);
}

TEST(GraphViewTransform, PanSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(addPan(100, 30), 130);
    EXPECT_EQ(addPan(-5, -10), -15);
    int view = 0;
    for (int i = 0; i < 100000; ++i) {
        view = addPan(view, 65535);
    }
    EXPECT_EQ(view, 1 << 24);
    EXPECT_EQ(addPan(-(1 << 24), -65535), -(1 << 24));
}

TEST(GraphViewTicks, WorkedExampleGridAndLabels) {
    // Pan (100, 30), scale 1, client 400 x 200.
    const std::vector<Tick> vertical = axisTicks(100.0f, gridSpacing(1.0f), 400);
    ASSERT_EQ(vertical.size(), 40u);
    for (size_t i = 0; i < vertical.size(); ++i) {
        EXPECT_EQ(truncateToPixel(vertical[i].position), static_cast<int>(i) * 10);
    }
    const std::vector<Tick> horizontal = axisTicks(30.0f, gridSpacing(1.0f), 200);
    ASSERT_EQ(horizontal.size(), 20u);
    EXPECT_EQ(truncateToPixel(horizontal.front().position), 0);
    EXPECT_EQ(truncateToPixel(horizontal.back().position), 190);

    const float spacing = labelSpacing(1.0f, 50);
    EXPECT_EQ(spacing, 50.0f);
    const std::vector<Tick> xLabels = axisTicks(100.0f, spacing, 400);
    ASSERT_EQ(xLabels.size(), 8u);
    EXPECT_EQ(xLabels.front().position, 0.0f);
    EXPECT_EQ(xLabels.front().index * 50, -100);
    EXPECT_EQ(xLabels[2].position, 100.0f);
    EXPECT_EQ(xLabels[2].index, 0);
    EXPECT_EQ(xLabels.back().position, 350.0f);
    EXPECT_EQ(xLabels.back().index * 50, 250);

    const std::vector<Tick> yLabels = axisTicks(30.0f, spacing, 200);
    ASSERT_EQ(yLabels.size(), 4u);
    const int tops[] = {23, 73, 123, 173};
    const int values[] = {0, -50, -100, -150};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(truncateToPixel(yLabels[i].position - 7.0f), tops[i]);
        EXPECT_EQ(-yLabels[i].index * 50, values[i]);
    }
}

TEST(GraphViewTicks, RunStartsAtOrBeforeTheEdgeWhenTheOriginIsLeftOfIt) {
    const std::vector<Tick> lines = axisTicks(-35.0f, 10.0f, 100);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().position, -5.0f);
    EXPECT_EQ(lines.front().index, 3);
    const std::vector<Tick> labels = axisTicks(-35.0f, 50.0f, 200);
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels.front().position, -35.0f);
    EXPECT_EQ(labels.front().index, 0);
    // A positive origin past one spacing: the first line lies within one spacing of the edge.
    const std::vector<Tick> right = axisTicks(47.0f, 13.0f, 60);
    EXPECT_EQ(right.front().position, 8.0f);
    EXPECT_EQ(right.front().index, -3);
}

TEST(GraphViewTicks, LabelSpacingAtTheScaleLimits) {
    EXPECT_EQ(labelStepFor(0.3f), 200);
    EXPECT_FLOAT_EQ(labelSpacing(0.3f, 200), 60.0f);
    EXPECT_EQ(labelStepFor(20.0f), 10);
    EXPECT_EQ(labelSpacing(20.0f, 10), 200.0f);
    // Integer division of the step: 30 gives three grid spacings.
    EXPECT_EQ(labelSpacing(2.0f, 30), 60.0f);
}

TEST(GraphViewTicks, RunsStayBoundedForAbsurdOriginsAndEmptyExtents) {
    EXPECT_TRUE(axisTicks(10.0f, 10.0f, 0).empty());
    EXPECT_TRUE(axisTicks(10.0f, 0.0f, 100).empty());
    EXPECT_TRUE(axisTicks(10.0f, std::nanf(""), 100).empty());
    for (float origin : {-1e15f, 1e15f, -1e30f, std::nanf(""), -INFINITY}) {
        EXPECT_LE(axisTicks(origin, 3.0f, 1000).size(), 337u);
    }
}
