#include "logic/TimelineScale.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(TimelineScale, TimesAndColumnsMapBothWaysAndClamp) {
    const TimelineScale scale{10.0, 20, 520};
    const struct {
        double seconds;
        int pixel;
        double back; // the time read back from the column
    } cases[] = {{0, 20, 0}, {2.5, 145, 2.5}, {10, 520, 10}, {-3, -130, 0}, {12, 620, 10}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.pixel, scale.toPixel(c.seconds)) << c.seconds;
        EXPECT_DOUBLE_EQ(c.back, scale.toSeconds(c.pixel)) << c.seconds;
    }
    EXPECT_DOUBLE_EQ(10.0, timelineSpan(0.0, 4.0));
    EXPECT_DOUBLE_EQ(25.0, timelineSpan(25.0, 4.0));
    EXPECT_DOUBLE_EQ(20.0, timelineSpan(0.0, 12.5));
    EXPECT_EQ("1.25 s", timeText(1.25));
}

TEST(TimelineScale, TicksAreLabelledEveryOneTwoOrFiveSeconds) {
    const std::vector<TimelineTick> ticks = timelineTicks(TimelineScale{10.0, 0, 500}, 60.0f);
    ASSERT_EQ(6u, ticks.size()); // 2 s apart: 50 pixels a second
    EXPECT_EQ("4 s", ticks[2].label);
    EXPECT_EQ(200, ticks[2].pixel);
    const std::vector<TimelineTick> fine = timelineTicks(TimelineScale{10.0, 0, 1000}, 40.0f);
    EXPECT_EQ("0.5 s", fine[1].label);
    EXPECT_EQ(21u, fine.size());
}

TEST(TimelineScale, TheSpanNeverShrinksAndLabelsNeverRunTogetherAtTheBarsEnd) {
    EXPECT_DOUBLE_EQ(20.0, keptTimelineSpan(10.0, 12.5));
    EXPECT_DOUBLE_EQ(200.0, keptTimelineSpan(200.0, 5.0)); // the marker dragged back
    EXPECT_DOUBLE_EQ(210.0, keptTimelineSpan(200.0, 203.0));
    // 0.5 s ticks 48 pixels apart; labels 25 pixels wide; the end label turns left of its tick.
    std::vector<TimelineTick> ticks = timelineTicks(TimelineScale{10.0, 0, 960}, 48.0f);
    ASSERT_EQ(21u, ticks.size());
    placeLabels(ticks, std::vector<int>(ticks.size(), 25), 960, 2);
    EXPECT_EQ(2, ticks[0].labelLeft);
    EXPECT_EQ(960 - 2 - 25, ticks.back().labelLeft);
    EXPECT_TRUE(ticks.back().labelShown);
    EXPECT_FALSE(ticks[19].labelShown); // "9.5 s" would touch "10 s"
    int end = -1000;
    for (const TimelineTick& tick : ticks) {
        if (tick.labelShown) {
            EXPECT_GE(tick.labelLeft, end + 2) << tick.label;
            end = tick.labelLeft + 25;
        }
    }
    EXPECT_LE(end, 960);
}

} // namespace
} // namespace pelmora
