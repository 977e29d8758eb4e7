#include "color/logic/Hsv.h"
#include "color/logic/PickerLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace KW;

namespace {

void expectPlace(const picker::Place& place, int x, int y, int width, int height) {
    EXPECT_EQ(place.x, x);
    EXPECT_EQ(place.y, y);
    EXPECT_EQ(place.width, width);
    EXPECT_EQ(place.height, height);
}

bool inside(const picker::Place& inner, int width, int height) {
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= width && inner.y + inner.height <= height;
}

} // namespace

TEST(PickerLayout, At96EveryMetricIsTheFixedOne) {
    const picker::Layout l = picker::layoutAt(96, 4);
    EXPECT_EQ(l.ramp, 256);
    EXPECT_EQ(l.popupWidth, 520);
    EXPECT_EQ(l.popupHeight, 305);
    EXPECT_EQ(l.swatchSize, 80);
    EXPECT_EQ(l.markerColumn, 15);
    EXPECT_EQ(l.ringRadius, 5);
    EXPECT_EQ(l.sliderRingWidth, 2.0f);
    EXPECT_EQ(l.boxRingWidth, 1.0f);
    EXPECT_EQ(l.darkCorner, 50);
    expectPlace(l.box, 10, 10, 260, 260);
    expectPlace(l.hue, 280, 10, 30, 260);
    expectPlace(l.alpha, 320, 10, 30, 260);
    expectPlace(l.result, 360, 10, 70, 70);
    expectPlace(l.text, 360, 90, 450, 100);
    expectPlace(l.ok, 360, 240, 70, 25);
    expectPlace(l.cancel, 430, 240, 70, 25);
    expectPlace(l.fields, 10, 278, 500, 24);
    EXPECT_EQ(l.fieldsGrowth, 35);
    expectPlace(l.field[0].label, 0, 4, 14, 16);
    expectPlace(l.field[0].edit, 14, 0, 38, 22);
    expectPlace(l.field[6].edit, 350, 0, 38, 22);
    expectPlace(l.field[7].label, 392, 4, 26, 16);
    expectPlace(l.field[7].edit, 418, 0, 80, 22);
}

TEST(PickerLayout, LargerDpisScaleTheAreasAroundARampOfTheirClientSize) {
    const struct {
        int dpi;
        int ramp;
        int popupWidth;
    } cases[] = {{144, 386, 780}, {192, 516, 1040}};
    for (const auto& c : cases) {
        const picker::Layout l = picker::layoutAt(c.dpi, 4);
        EXPECT_EQ(l.ramp, c.ramp) << c.dpi;
        EXPECT_EQ(l.box.width, c.ramp + 4) << c.dpi;
        EXPECT_EQ(l.fields.y, picker::layoutAt(c.dpi, 0).fields.y) << "the row does not depend on the edges";
        EXPECT_EQ(l.hue.height, l.box.height) << c.dpi;
        EXPECT_EQ(l.popupWidth, c.popupWidth) << c.dpi;
        // Left to right without overlaps, every control inside the popup.
        EXPECT_LT(l.box.x + l.box.width, l.hue.x);
        EXPECT_LT(l.hue.x + l.hue.width, l.alpha.x);
        EXPECT_LT(l.alpha.x + l.alpha.width, l.result.x);
        EXPECT_LE(l.ok.x + l.ok.width, l.cancel.x);
        EXPECT_LT(l.text.y + l.text.height, l.ok.y);
        for (const picker::Place& p : {l.box, l.hue, l.alpha, l.result, l.ok, l.cancel}) {
            EXPECT_TRUE(inside(p, l.popupWidth, l.popupHeight)) << c.dpi;
        }
        EXPECT_TRUE(inside(l.fields, l.popupWidth, l.popupHeight + l.fieldsGrowth)) << c.dpi;
        EXPECT_GT(l.fields.y, l.box.y + l.box.height) << c.dpi;
        for (int i = 0; i < picker::fieldCount; ++i) {
            EXPECT_TRUE(inside(l.field[i].edit, l.fields.width, l.fields.height)) << c.dpi << " field " << i;
            EXPECT_EQ(l.field[i].label.x + l.field[i].label.width, l.field[i].edit.x);
        }
    }
}

TEST(PickerRamp, ColoursComeBackFromTheirMarkersAtEveryRampSize) {
    for (int ramp : {256, 384, 512}) {
        for (const KWColor& c : {KWColor(255, 0, 0, 0), KWColor(10, 200, 30, 77), KWColor(0, 0, 0, 255),
                                 KWColor(128, 128, 128, 1), KWColor(90, 40, 250, 254)}) {
            const hsv::HsvColor converted = hsv::fromRgb(c.r, c.g, c.b);
            const hsv::PickerMarkers m = hsv::markersFor(converted, c.a, ramp);
            const KWColor back = hsv::boxColor(hsv::hueOfRow(m.hueY, ramp), m.boxX, m.boxY, ramp);
            EXPECT_LE(std::abs(back.r - c.r) + std::abs(back.g - c.g) + std::abs(back.b - c.b), 6) << ramp;
            EXPECT_EQ(hsv::alphaOfRow(m.alphaY, ramp), c.a) << ramp;
            EXPECT_LE(m.boxY, ramp - 1);
        }
    }
}

TEST(PickerRamp, RowsSpreadTheSameRangesOverLargerAreas) {
    // A third of the way down the hue slider is green; the last row is red again.
    EXPECT_NEAR(hsv::hueOfRow(170, 511 + 1), 170.0f / 511.0f, 1e-6f);
    EXPECT_EQ(hsv::hueOfRow(511, 512), 0.0f);
    EXPECT_EQ(hsv::hueOfRow(600, 512), 0.0f);
    // The box's corners: white, the pure hue, black; its middle is half saturated at half brightness.
    EXPECT_EQ(hsv::boxColor(0.0f, 0, 0, 512).g, 255);
    EXPECT_EQ(hsv::boxColor(0.0f, 511, 0, 512).g, 0);
    EXPECT_EQ(hsv::boxColor(0.0f, 511, 511, 512).r, 0);
    const KWColor middle = hsv::boxColor(0.0f, 383, 383, 767);
    EXPECT_EQ(middle.r, 128);
    EXPECT_EQ(middle.g, 64);
    EXPECT_EQ(hsv::alphaOfRow(511, 512), 255);
    EXPECT_EQ(hsv::alphaOfRow(-3, 512), 0);
    EXPECT_EQ(hsv::alphaOfRow(256, 512), 128);
    EXPECT_EQ(hsv::rescaleRampPosition(255, 256, 512), 511);
    EXPECT_EQ(hsv::rescaleRampPosition(15, 256, 512), 30);
    EXPECT_EQ(hsv::rescaleRampPosition(383, 384, 256), 255);
}
