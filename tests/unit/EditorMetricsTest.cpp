#include "graphs/logic/EditorMetrics.h"

#include <gtest/gtest.h>

using namespace KW::editormetrics;

TEST(EditorMetrics, CurveLengthsAreTheDesignedOnesAt96AndScaleRounded) {
    struct Row {
        int dpi;
        int pick, width, height, room, rise, labelX, lift;
    };
    const Row rows[] = {
        {96, 3, 50, 20, 10, 15, 20, 7},
        {144, 5, 75, 30, 15, 23, 30, 11},
        {192, 6, 100, 40, 20, 30, 40, 14},
        {0, 3, 50, 20, 10, 15, 20, 7}, // a failed query
    };
    for (const Row& row : rows) {
        const Curve m = curve(row.dpi);
        SCOPED_TRACE(row.dpi);
        EXPECT_EQ(row.pick, m.pickRadius);
        EXPECT_EQ(row.width, m.labelsWidth);
        EXPECT_EQ(row.height, m.labelsHeight);
        EXPECT_EQ(row.room, m.frameRoom);
        EXPECT_EQ(row.rise, m.bottomLabelRise);
        EXPECT_EQ(row.labelX, m.valueLabelX);
        EXPECT_EQ(row.lift, m.valueLabelLift);
    }
}

TEST(EditorMetrics, GradientLengthsAndFocusMarkAreTheDesignedOnesAt96AndScaleRounded) {
    struct Row {
        int dpi;
        int band, label, marker, minMarker, maxMarker, room, focus;
    };
    const Row rows[] = {
        {96, 20, 15, 5, 3, 20, 2, 2},
        {144, 30, 23, 8, 5, 30, 3, 3},
        {192, 40, 30, 10, 6, 40, 4, 4},
    };
    for (const Row& row : rows) {
        const Gradient m = gradient(row.dpi);
        SCOPED_TRACE(row.dpi);
        EXPECT_EQ(row.band, m.bandHeight);
        EXPECT_EQ(row.label, m.labelOffset);
        EXPECT_EQ(row.marker, m.markerSize);
        EXPECT_EQ(row.minMarker, m.minMarkerSize);
        EXPECT_EQ(row.maxMarker, m.maxMarkerSize);
        EXPECT_EQ(row.room, m.frameRoom);
        EXPECT_EQ(row.focus, focusMarkWidth(row.dpi));
    }
}

TEST(EditorMetrics, SwatchSizesStepAndRescaleWithinTheLimitsOfTheirDpi) {
    EXPECT_EQ(6, steppedMarkerSize(5, 1, gradient(96)));
    EXPECT_EQ(20, steppedMarkerSize(20, 1, gradient(96)));
    EXPECT_EQ(21, steppedMarkerSize(20, 1, gradient(144)));
    EXPECT_EQ(3, steppedMarkerSize(3, -1, gradient(96)));
    EXPECT_EQ(5, steppedMarkerSize(5, -1, gradient(144)));

    EXPECT_EQ(10, rescaledMarkerSize(5, 96, 192));
    EXPECT_EQ(7, rescaledMarkerSize(14, 192, 96));
    EXPECT_EQ(5, rescaledMarkerSize(3, 96, 144));
    EXPECT_EQ(20, rescaledMarkerSize(40, 192, 96));
    EXPECT_EQ(3, rescaledMarkerSize(4, 192, 96)) << "below the smallest size at the new DPI";
}
