#include "core/logic/DpiScale.h"
#include "core/logic/EventQueueRule.h"
#include "core/logic/StyleMapping.h"
#include "core/logic/TooltipIds.h"

#include <gtest/gtest.h>

#include <set>

using namespace KW;

TEST(StyleMapping, GadgetStyles) {
    EXPECT_EQ(styles::gadgetStyle(STYLE_DEFAULT), 0x50000000u);
    EXPECT_EQ(styles::gadgetStyle(STYLE_SIZABLE), 0x50040000u);
    EXPECT_EQ(styles::gadgetStyle(1), 0x50000000u);
    EXPECT_EQ(styles::gadgetStyle(77), 0x50000000u);
}

TEST(StyleMapping, WindowTypes) {
    EXPECT_EQ(styles::windowStyle(WINDOW_FRAME, false).style, 0x10CF0000u);
    EXPECT_EQ(styles::windowStyle(WINDOW_POPUP, false).style, 0x90C80000u);
    EXPECT_EQ(styles::windowStyle(WINDOW_PAGE, true).style, 0x50000000u);
    const styles::WindowStyle sunken = styles::windowStyle(WINDOW_SUNKEN, true);
    EXPECT_EQ(sunken.style, 0x50000000u);
    EXPECT_EQ(sunken.exStyle, 0x200u);
    EXPECT_EQ(styles::windowStyle(WINDOW_FRAME, false).exStyle, 0u);
    // Unknown types: no style at all, a child bit only with a parent.
    EXPECT_EQ(styles::windowStyle(3, false).style, 0u);
    EXPECT_EQ(styles::windowStyle(3, true).style, 0x40000000u);
    EXPECT_EQ(styles::windowStyle(3, true).exStyle, 0u);
}

TEST(StyleMapping, AHiddenWindowLosesOnlyTheVisibleBit) {
    EXPECT_EQ(styles::windowStyle(WINDOW_FRAME, false, STYLE_HIDDEN).style, 0x00CF0000u);
    EXPECT_EQ(styles::windowStyle(WINDOW_POPUP, false, STYLE_HIDDEN).style, 0x80C80000u);
    EXPECT_EQ(styles::windowStyle(WINDOW_PAGE, true, STYLE_HIDDEN).style, 0x40000000u);
    EXPECT_EQ(styles::windowStyle(WINDOW_SUNKEN, true, STYLE_HIDDEN).exStyle, 0x200u);
    EXPECT_EQ(styles::windowStyle(WINDOW_FRAME, false, STYLE_SIZABLE).style, 0x10CF0000u);
}

TEST(StyleMapping, TextAlignment) {
    EXPECT_EQ(styles::textAlignStyle(ALIGN_LEFT), 0u);
    EXPECT_EQ(styles::textAlignStyle(ALIGN_RIGHT), 2u);
    EXPECT_EQ(styles::textAlignStyle(ALIGN_CENTER), 1u);
    EXPECT_EQ(styles::textAlignStyle(7), 0u);
}

TEST(EventQueue, HoldsThirtyThreeEventsInCallOrder) {
    std::queue<KWEvent> queue;
    std::vector<KWObject*> objects;
    for (int i = 0; i < 40; ++i) {
        KWObject* tag = reinterpret_cast<KWObject*>(static_cast<std::uintptr_t>(0x1000 + i));
        objects.push_back(tag);
        eventqueue::pushBounded(queue, static_cast<eEventType>(i), tag);
    }
    ASSERT_EQ(queue.size(), 33u);
    EXPECT_EQ(queue.front().object, objects[0]);
    EXPECT_EQ(queue.back().object, objects[32]);
    EXPECT_EQ(queue.back().type, static_cast<eEventType>(32));
    EXPECT_EQ(queue.front().param1, 0);
    EXPECT_EQ(queue.front().param2, 0);

    queue.pop();
    eventqueue::pushBounded(queue, EVENT_CLICKED, objects[39]);
    EXPECT_EQ(queue.size(), 33u);
    EXPECT_EQ(queue.back().object, objects[39]);

    // A deleted gadget's events leave the queue, the others keep their order.
    eventqueue::dropEventsOf(queue, objects[2]);
    ASSERT_EQ(queue.size(), 32u);
    EXPECT_EQ(queue.front().object, objects[1]);
    queue.pop();
    EXPECT_EQ(queue.front().object, objects[3]);
}

TEST(TooltipIds, LowestFreeFirstAndNoneWhenFull) {
    std::set<int> taken;
    auto isTaken = [&taken](int id) { return taken.count(id) != 0; };
    EXPECT_EQ(tooltips::lowestFreeId(isTaken), 0);
    taken = {0, 1, 2, 4};
    EXPECT_EQ(tooltips::lowestFreeId(isTaken), 3);
    for (int id = 0; id < 100; ++id) {
        taken.insert(id);
    }
    EXPECT_EQ(tooltips::lowestFreeId(isTaken), -1);
    taken.erase(57);
    EXPECT_EQ(tooltips::lowestFreeId(isTaken), 57);
}

TEST(DpiScale, ScalesFrom96DotsPerInchRoundingToTheNearestPixel) {
    struct Case {
        int pixels;
        int dpi;
        int expected;
    } cases[] = {
        {4, 96, 4},    {4, 144, 6}, {4, 192, 8}, {5, 144, 8},  {3, 120, 4},
        {-5, 144, -8}, {0, 192, 0}, {20, 0, 20}, {20, -1, 20}, {1000, 288, 3000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, KW::dpi::scaled(c.pixels, c.dpi)) << c.pixels << " at " << c.dpi;
    }
    // Between two DPIs (a window moved to another display), and back.
    EXPECT_EQ(150, KW::dpi::rescaled(100, 96, 144));
    EXPECT_EQ(100, KW::dpi::rescaled(150, 144, 96));
    EXPECT_EQ(-8, KW::dpi::rescaled(-6, 144, 192));
    EXPECT_EQ(7, KW::dpi::rescaled(7, 0, -1));
}
