#include "color/logic/NumericColor.h"

#include <gtest/gtest.h>

using namespace KW;
using namespace KW::numeric;

TEST(NumericColor, NumbersAreHeldToTheirRangeAndHexIsStrict) {
    const struct {
        const char* text;
        int maximum;
        bool valid;
        int value;
    } numbers[] = {
        {"0", 255, true, 0},
        {"255", 255, true, 255},
        {"256", 255, true, 255},
        {"-4", 100, true, 0},
        {"99999999999", 359, true, 359},
        {"007", 100, true, 7},
        {"", 255, false, 0},
        {"-", 255, false, 0},
        {"1a", 255, false, 0},
        {" 1", 255, false, 0},
    };
    for (const auto& n : numbers) {
        int value = -1;
        EXPECT_EQ(parseNumber(n.text, n.maximum, value), n.valid) << n.text;
        EXPECT_EQ(value, n.valid ? n.value : -1) << n.text;
    }
    EXPECT_EQ(hexText(KWColor(1, 171, 255, 0)), "#01ABFF00");
    KWColor color(9, 9, 9, 9);
    EXPECT_TRUE(parseHex("#01abFF00", color));
    EXPECT_EQ(color.g, 171);
    EXPECT_EQ(color.a, 0);
    EXPECT_TRUE(parseHex("10203040", color));
    EXPECT_EQ(color.r, 16);
    for (const char* bad : {"", "#", "#102030", "#1020304", "#102030405", "#10203G40", "##1020304"}) {
        KWColor untouched(9, 9, 9, 9);
        EXPECT_FALSE(parseHex(bad, untouched)) << bad;
        EXPECT_EQ(untouched.r, 9);
    }
}

TEST(NumericColor, TypingAFieldUpdatesTheOthers) {
    State state = fromColor(KWColor(255, 0, 0, 200));
    EXPECT_EQ(fieldText(FIELD_HEX, state), "#FF0000C8");
    EXPECT_EQ(fieldText(FIELD_SATURATION, state), "100");
    bool held = true;
    ASSERT_TRUE(applyTyped(state, FIELD_HUE, "120", held));
    EXPECT_FALSE(held);
    EXPECT_EQ(fieldText(FIELD_HEX, state), "#00FF00C8");
    ASSERT_TRUE(applyTyped(state, FIELD_VALUE, "0", held));
    EXPECT_EQ(fieldText(FIELD_HEX, state), "#000000C8");
    // Black has no hue nor saturation of its own: the typed ones stay for the next value.
    EXPECT_EQ(fieldText(FIELD_HUE, state), "120");
    ASSERT_TRUE(applyTyped(state, FIELD_VALUE, "50", held));
    EXPECT_EQ(fieldText(FIELD_HEX, state), "#008000C8");
    ASSERT_TRUE(applyTyped(state, FIELD_RED, "300", held));
    EXPECT_TRUE(held);
    EXPECT_EQ(fieldText(FIELD_RED, state), "255");
    EXPECT_EQ(fieldText(FIELD_HUE, state), "30");
    ASSERT_TRUE(applyTyped(state, FIELD_ALPHA, "7", held));
    EXPECT_EQ(state.color.a, 7);
    ASSERT_TRUE(applyTyped(state, FIELD_HEX, "#0A0B0C0D", held));
    EXPECT_EQ(state.color.r, 10);
    EXPECT_EQ(state.color.a, 13);
    const State before = state;
    EXPECT_FALSE(applyTyped(state, FIELD_HEX, "#0A0B", held));
    EXPECT_FALSE(applyTyped(state, FIELD_GREEN, "", held));
    EXPECT_EQ(state.color.r, before.color.r);
    EXPECT_EQ(state.color.g, before.color.g);
}
