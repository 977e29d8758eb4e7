#include "windows/logic/RolloutLayout.h"

#include <gtest/gtest.h>

using namespace KW;
using namespace KW::rollout;

namespace {

void expectBound(const KWBound& actual, int left, int right, int top, int bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.bottom, bottom);
}

} // namespace

TEST(RolloutLayout, TitleBarGeometry) {
    const TitleBar bar = titleBarAt(25, 300);
    expectBound(bar.frame, 10, 295, 25, 43);
    EXPECT_EQ(bar.textX, 45);
    EXPECT_EQ(bar.textY, 27);
    expectBound(bar.box, 20, 29, 30, 39);
    expectBound(bar.toggleBox, 20, 28, 30, 38);
    EXPECT_EQ(bar.minusY, 34);
    EXPECT_EQ(bar.plusX, 24);
    EXPECT_EQ(bar.connectorLeft, 5);
    EXPECT_EQ(bar.connectorY, 35);
    EXPECT_EQ(bar.contentTop, 43);
}

TEST(RolloutLayout, SpacingBetweenBars) {
    // Five pixels above the first bar, shifted by the scroll position.
    EXPECT_EQ(firstBarTop(0), 5);
    EXPECT_EQ(firstBarTop(150), -145);

    // A collapsed or empty rollout takes its bar and two pixels: the next bar is 20 lower.
    const TitleBar first = titleBarAt(firstBarTop(0), 200);
    EXPECT_EQ(nextBarTop(first, false, 500), 25);

    // An expanded one ends two pixels under its lowest gadget.
    EXPECT_EQ(nextBarTop(first, true, 120), 122);
}

TEST(RolloutLayout, TreeLineAndContentHeight) {
    // Two collapsed rollouts: the next bar would start at 45.
    const TreeLine line = treeLine(0, 45);
    EXPECT_EQ(line.x, 5);
    EXPECT_EQ(line.top, 15);
    EXPECT_EQ(line.bottom, 35);
    EXPECT_EQ(line.bottom, titleBarAt(25, 200).connectorY);
    EXPECT_EQ(contentHeight(45, 0), 45);

    // Scrolled, everything moves up together and the content keeps its height.
    const TreeLine scrolled = treeLine(30, 15);
    EXPECT_EQ(scrolled.top, -15);
    EXPECT_EQ(scrolled.bottom, 5);
    EXPECT_EQ(contentHeight(15, 30), 45);
}

TEST(RolloutLayout, ToggleBoxHitIncludesEdges) {
    const KWBound box = titleBarAt(25, 200).toggleBox;
    EXPECT_TRUE(contains(box, 20, 30));
    EXPECT_TRUE(contains(box, 28, 38));
    EXPECT_TRUE(contains(box, 24, 34));
    EXPECT_FALSE(contains(box, 19, 34));
    EXPECT_FALSE(contains(box, 29, 34));
    EXPECT_FALSE(contains(box, 24, 29));
    EXPECT_FALSE(contains(box, 24, 39));
    // The title text is not part of it.
    EXPECT_FALSE(contains(box, 50, 32));
}

TEST(RolloutLayout, ScrollBarOnlyWhenContentDoesNotFit) {
    const ScrollBarPlan tall = planScrollBar(700, 300);
    EXPECT_TRUE(tall.shown);
    EXPECT_EQ(tall.range, 400);

    const ScrollBarPlan fits = planScrollBar(299, 300);
    EXPECT_FALSE(fits.shown);
    EXPECT_EQ(fits.range, 0);

    // Exactly as high as the window: nothing to scroll, no bar.
    const ScrollBarPlan exact = planScrollBar(300, 300);
    EXPECT_FALSE(exact.shown);
    EXPECT_EQ(exact.range, 0);

    const ScrollBarPlan onePixel = planScrollBar(301, 300);
    EXPECT_TRUE(onePixel.shown);
    EXPECT_EQ(onePixel.range, 1);
}

TEST(RolloutLayout, ScrollRequestsStayInRange) {
    EXPECT_EQ(scrolledPosition(ScrollRequest::LineDown, 0, 0, 400, 300), 10);
    EXPECT_EQ(scrolledPosition(ScrollRequest::LineDown, 395, 0, 400, 300), 400);
    EXPECT_EQ(scrolledPosition(ScrollRequest::LineDown, 400, 0, 400, 300), 400);
    EXPECT_EQ(scrolledPosition(ScrollRequest::LineUp, 25, 0, 400, 300), 15);
    EXPECT_EQ(scrolledPosition(ScrollRequest::LineUp, 5, 0, 400, 300), 0);
    EXPECT_EQ(scrolledPosition(ScrollRequest::PageDown, 50, 0, 400, 300), 350);
    EXPECT_EQ(scrolledPosition(ScrollRequest::PageDown, 350, 0, 400, 300), 400);
    EXPECT_EQ(scrolledPosition(ScrollRequest::PageUp, 350, 0, 400, 300), 50);
    EXPECT_EQ(scrolledPosition(ScrollRequest::PageUp, 200, 0, 400, 300), 0);
    EXPECT_EQ(scrolledPosition(ScrollRequest::Thumb, 0, 150, 400, 300), 150);
    EXPECT_EQ(scrolledPosition(ScrollRequest::Thumb, 0, 900, 400, 300), 400);
    EXPECT_EQ(scrolledPosition(ScrollRequest::Thumb, 100, -3, 400, 300), 0);
    EXPECT_EQ(scrolledPosition(ScrollRequest::Top, 250, 0, 400, 300), 0);
    EXPECT_EQ(scrolledPosition(ScrollRequest::Bottom, 25, 0, 400, 300), 400);
    EXPECT_EQ(scrolledPosition(ScrollRequest::Other, 25, 0, 400, 300), 25);
    // A position left over from a larger range is pulled back in.
    EXPECT_EQ(scrolledPosition(ScrollRequest::Other, 500, 0, 400, 300), 400);

    // Nothing scrolls while the content fits.
    EXPECT_EQ(scrolledPosition(ScrollRequest::LineDown, 0, 0, 0, 300), 0);
    EXPECT_EQ(scrolledPosition(ScrollRequest::Bottom, 0, 0, 0, 300), 0);
    EXPECT_EQ(scrolledPosition(ScrollRequest::Thumb, 0, 40, 0, 300), 0);
}

TEST(RolloutLayout, WheelScrollsThreeLinesPerNotch) {
    // Turning away from the user moves the view up.
    EXPECT_EQ(wheelPosition(100, 120, 3, 400), 70);
    EXPECT_EQ(wheelPosition(100, -120, 3, 400), 130);
    EXPECT_EQ(wheelPosition(100, -240, 3, 400), 160);
    // Fine-grained wheels send fractions of a notch.
    EXPECT_EQ(wheelPosition(100, -40, 3, 400), 110);
    EXPECT_EQ(wheelPosition(20, 120, 3, 400), 0);
    EXPECT_EQ(wheelPosition(390, -120, 3, 400), 400);
    EXPECT_EQ(wheelPosition(0, -120, 3, 0), 0);
    // Extreme values clamp instead of overflowing.
    EXPECT_EQ(wheelPosition(10, -2000000000, 1000, 400), 400);
    EXPECT_EQ(wheelPosition(10, 2000000000, 1000, 400), 0);
}

TEST(RolloutLayout, LaterRolloutDecidesWhereASharedGadgetGoes) {
    int first = 0;
    int second = 0;
    KWObject* a = reinterpret_cast<KWObject*>(&first);
    KWObject* b = reinterpret_cast<KWObject*>(&second);
    std::vector<GadgetPlacement> placements;
    placeGadget(placements, GadgetPlacement{a, true, 15, 23});
    placeGadget(placements, GadgetPlacement{b, true, 15, 50});
    placeGadget(placements, GadgetPlacement{a, false, 15, 83});
    ASSERT_EQ(placements.size(), 2u);
    EXPECT_EQ(placements[0].gadget, a);
    EXPECT_FALSE(placements[0].shown);
    EXPECT_EQ(placements[0].y, 83);
    EXPECT_EQ(placements[1].gadget, b);
    EXPECT_TRUE(placements[1].shown);
    EXPECT_EQ(placements[1].y, 50);
}

TEST(RolloutLayout, MetricsScaleWithTheDisplayDpi) {
    struct Case {
        int dpi;
        int barHeight, firstBarGap, lineStep, textLeft, boxSide, boxLeft;
    };
    // The box keeps an odd side so its plus sign stays centred.
    const Case cases[] = {
        {96, 18, 5, 10, 45, 9, 20}, {144, 27, 8, 15, 68, 15, 30}, {192, 36, 10, 20, 90, 19, 40}};
    for (const Case& c : cases) {
        const Metrics m = metricsAt(c.dpi);
        EXPECT_EQ(m.barHeight, c.barHeight) << c.dpi;
        EXPECT_EQ(m.firstBarGap, c.firstBarGap) << c.dpi;
        EXPECT_EQ(m.lineStep, c.lineStep) << c.dpi;
        EXPECT_EQ(m.textLeft, c.textLeft) << c.dpi;
        EXPECT_EQ(m.boxSide, c.boxSide) << c.dpi;
        EXPECT_EQ(m.boxLeft, c.boxLeft) << c.dpi;
    }
}

TEST(RolloutLayout, ScaledBarLaysOutAndScrollsInScaledLengths) {
    const Metrics m = metricsAt(192);
    const TitleBar bar = titleBarAt(firstBarTop(0, m), 600, m);
    expectBound(bar.frame, 20, 590, 10, 46);
    expectBound(bar.box, 40, 59, 20, 39);
    expectBound(bar.toggleBox, 40, 58, 20, 38);
    EXPECT_EQ(bar.plusX, 49);
    EXPECT_EQ(bar.minusY, 29);
    EXPECT_EQ(nextBarTop(bar, false, 0, m), 50);
    const TreeLine line = treeLine(0, 50, m);
    EXPECT_EQ(line.x, 10);
    EXPECT_EQ(line.bottom, titleBarAt(10, 600, m).connectorY);
    EXPECT_EQ(scrolledPosition(ScrollRequest::LineDown, 0, 0, 400, 300, m), 20);
    EXPECT_EQ(wheelPosition(100, -120, 3, 400, m), 160);
}

TEST(RolloutLayout, ToggleShiftMovesWhatFollowsTheSection) {
    const ScrollBarPlan none{false, 0};
    // A section at 25 expands: what started at 45 now starts at 127; its bar and the gap are repainted.
    const ToggleShift expand = planToggleShift(25, 45, 127, 200, 180, 300, 0, none, none);
    EXPECT_TRUE(expand.inPlace);
    EXPECT_EQ(expand.dy, 82);
    expectBound(expand.moved, 0, 180, 45, 300);
    expectBound(expand.repaint, 0, 180, 25, 45);

    // Collapsing it moves up what follows, down to the end of the content below the window.
    const ScrollBarPlan shown{true, 60};
    const ToggleShift collapse =
        planToggleShift(25, 127, 45, 360, 180, 300, 0, shown, ScrollBarPlan{true, 5});
    EXPECT_TRUE(collapse.inPlace);
    expectBound(collapse.moved, 0, 180, 127, 360);
    expectBound(collapse.clip, 0, 180, 45, 300);

    // The scroll bar going away, or a view scrolled past the new end, needs everything laid out again.
    EXPECT_FALSE(planToggleShift(25, 127, 45, 360, 180, 300, 0, shown, none).inPlace);
    EXPECT_FALSE(planToggleShift(25, 127, 45, 360, 180, 300, 40, shown, ScrollBarPlan{true, 5}).inPlace);
}
