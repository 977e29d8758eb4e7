#include "color/logic/Hsv.h"

#include <gtest/gtest.h>

using namespace KW;
using namespace KW::hsv;

namespace {

PickerMarkers markersOf(int r, int g, int b, int a) {
    return markersFor(fromRgb(r, g, b), a);
}

} // namespace

TEST(Hsv, RoundShiftsInDoublePrecisionAndHalvesGoAwayFromZero) {
    EXPECT_EQ(roundHalfAway(2.5f), 3);
    EXPECT_EQ(roundHalfAway(-2.5f), -3);
    EXPECT_EQ(roundHalfAway(2.4999998f), 2);
    EXPECT_EQ(roundHalfAway(-0.4f), 0);
    EXPECT_EQ(roundHalfAway(0.0f), 0);
    // In single precision 0.49999997 + 0.5 would round up to 1.
    EXPECT_EQ(roundHalfAway(0.49999997f), 0);
    EXPECT_EQ(roundHalfAway(-0.49999997f), 0);
}

TEST(Hsv, OpaqueRedPutsTheMarkersInTheCorners) {
    const HsvColor red = fromRgb(255, 0, 0);
    EXPECT_EQ(red.hue, 0.0f);
    EXPECT_EQ(red.saturation, 1.0f);
    EXPECT_EQ(red.brightness, 1.0f);
    const PickerMarkers m = markersFor(red, 255);
    EXPECT_EQ(m.hueX, 15);
    EXPECT_EQ(m.hueY, 0);
    EXPECT_EQ(m.boxX, 255);
    EXPECT_EQ(m.boxY, 0);
    EXPECT_EQ(m.alphaX, 15);
    EXPECT_EQ(m.alphaY, 255);
}

TEST(Hsv, GreysHaveNoHueNorSaturationAndBlackHasNoBrightness) {
    const HsvColor grey = fromRgb(128, 128, 128);
    EXPECT_EQ(grey.hue, 0.0f);
    EXPECT_EQ(grey.saturation, 0.0f);
    const PickerMarkers greyMarkers = markersFor(grey, 40);
    EXPECT_EQ(greyMarkers.boxX, 0);
    EXPECT_EQ(greyMarkers.boxY, 127);
    EXPECT_EQ(greyMarkers.hueY, 0);
    EXPECT_EQ(greyMarkers.alphaY, 40);

    const PickerMarkers black = markersOf(0, 0, 0, 0);
    EXPECT_EQ(black.boxX, 0);
    EXPECT_EQ(black.boxY, 255);
    const PickerMarkers white = markersOf(255, 255, 255, 255);
    EXPECT_EQ(white.boxX, 0);
    EXPECT_EQ(white.boxY, 0);
}

TEST(Hsv, HueFollowsTheDominantComponentTestedRedFirst) {
    EXPECT_FLOAT_EQ(fromRgb(0, 255, 0).hue, 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(fromRgb(0, 0, 255).hue, 2.0f / 3.0f);
    EXPECT_EQ(markersOf(0, 255, 0, 255).hueY, 85);
    EXPECT_EQ(markersOf(0, 0, 255, 255).hueY, 170);
    // Yellow lies on 42.5 exactly, which rounds away from zero.
    EXPECT_FLOAT_EQ(fromRgb(255, 255, 0).hue, 1.0f / 6.0f);
    EXPECT_EQ(markersOf(255, 255, 0, 255).hueY, 43);
    // Red and blue tie as the maximum: the red branch wraps the negative angle round to 300 degrees.
    EXPECT_FLOAT_EQ(fromRgb(255, 0, 255).hue, 300.0f / 360.0f);
    // Just short of a full turn stays below 1 and rounds to the last row.
    const HsvColor almostRed = fromRgb(255, 0, 1);
    EXPECT_LT(almostRed.hue, 1.0f);
    EXPECT_GT(almostRed.hue, 0.999f);
    EXPECT_EQ(markersFor(almostRed, 255).hueY, 255);
}

TEST(Hsv, SaturationAndBrightnessOfAMixedColour) {
    // (200, 100, 50): max 200, min 50.
    const HsvColor c = fromRgb(200, 100, 50);
    EXPECT_FLOAT_EQ(c.saturation, 0.75f);
    EXPECT_FLOAT_EQ(c.brightness, 200.0f / 255.0f);
    EXPECT_FLOAT_EQ(c.hue, 20.0f / 360.0f);
    const PickerMarkers m = markersFor(c, 128);
    EXPECT_EQ(m.boxX, 191); // 191.25
    EXPECT_EQ(m.boxY, 55);  // 255 - 200
    EXPECT_EQ(m.hueY, 14);  // 14.1666
}

TEST(Hsv, EveryColourStaysWithinTheRangesAndTheMarkersWithinTheAreas) {
    for (int r = 0; r < 256; r += 3) {
        for (int g = 0; g < 256; g += 1) {
            for (int b = 0; b < 256; b += 1) {
                const HsvColor c = fromRgb(r, g, b);
                ASSERT_GE(c.hue, 0.0f);
                ASSERT_LT(c.hue, 1.0f) << r << "," << g << "," << b;
                ASSERT_GE(c.saturation, 0.0f);
                ASSERT_LE(c.saturation, 1.0f);
                const PickerMarkers m = markersFor(c, 255);
                ASSERT_GE(m.hueY, 0);
                ASSERT_LE(m.hueY, 255);
                ASSERT_GE(m.boxX, 0);
                ASSERT_LE(m.boxX, 255);
                ASSERT_GE(m.boxY, 0);
                ASSERT_LE(m.boxY, 255);
            }
        }
    }
}

TEST(Hsv, ComponentTextHasFourPlainLinesRedFirst) {
    EXPECT_EQ(componentText(KWColor(255, 0, 7, 128)), "Red : 255\nGreen : 0\nBlue : 7\nAlpha : 128");
    EXPECT_EQ(componentText(KWColor(0, 0, 0, 0)), "Red : 0\nGreen : 0\nBlue : 0\nAlpha : 0");
}

TEST(Hsv, PureHueColourRunsRoundTheSixSectors) {
    const KWColor red = pureHueColor(0.0f);
    EXPECT_EQ(red.r, 255);
    EXPECT_EQ(red.g, 0);
    EXPECT_EQ(red.b, 0);
    EXPECT_EQ(red.a, 255);
    const KWColor yellow = pureHueColor(1.0f / 6.0f);
    EXPECT_EQ(yellow.r, 255);
    EXPECT_EQ(yellow.g, 255);
    EXPECT_EQ(yellow.b, 0);
    const KWColor cyan = pureHueColor(0.5f);
    EXPECT_EQ(cyan.r, 0);
    EXPECT_EQ(cyan.g, 255);
    EXPECT_EQ(cyan.b, 255);
    const KWColor orange = pureHueColor(fromRgb(255, 128, 0).hue);
    EXPECT_EQ(orange.r, 255);
    EXPECT_EQ(orange.g, 128);
    EXPECT_EQ(orange.b, 0);
    const KWColor violet = pureHueColor(fromRgb(128, 0, 255).hue);
    EXPECT_EQ(violet.r, 128);
    EXPECT_EQ(violet.b, 255);
    // Out-of-range hues fall back to red instead of reading outside the sectors.
    EXPECT_EQ(pureHueColor(-0.5f).r, 255);
    EXPECT_EQ(pureHueColor(1.0f).g, 0);
}
