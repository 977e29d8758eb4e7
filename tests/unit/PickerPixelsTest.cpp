#include "color/logic/Hsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace KW;

namespace {

int farthest(const KWColor& a, int r, int g, int b) {
    return std::max(std::abs(a.r - r), std::max(std::abs(a.g - g), std::abs(a.b - b)));
}

} // namespace

// The box pixel under the markers of a loaded colour must give the colour back: the hue is the loaded
// one, not a slider row's, and the last row and column are the exact ends of the ramps.
TEST(PickerPixels, MarkersOfEveryTestedColourReadBackWithinOneLevel) {
    std::vector<KWColor> colors = {KWColor(255, 0, 0, 255),   KWColor(0, 255, 0, 255),
                                   KWColor(0, 0, 255, 255),   KWColor(255, 255, 0, 255),
                                   KWColor(0, 255, 255, 255), KWColor(255, 0, 255, 255),
                                   KWColor(0, 0, 0, 255),     KWColor(128, 128, 128, 255)};
    for (int hue = 0; hue < 360; hue += 7) {
        for (int shade : {255, 180, 90}) {
            colors.push_back(hsv::toRgb(hue / 360.0f, 0.8f, shade / 255.0f));
        }
    }
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                colors.push_back(KWColor(r, g, b, 255));
            }
        }
    }
    for (const KWColor& c : colors) {
        const hsv::HsvColor converted = hsv::fromRgb(c.r, c.g, c.b);
        const hsv::PickerMarkers m = hsv::markersFor(converted, c.a);
        EXPECT_LE(farthest(hsv::boxColor(converted.hue, m.boxX, m.boxY), c.r, c.g, c.b), 1)
            << c.r << " " << c.g << " " << c.b;
    }
}

TEST(PickerPixels, SliderRowsAndBoxEdges) {
    EXPECT_EQ(hsv::hueOfRow(0), 0.0f);
    EXPECT_EQ(hsv::hueOfRow(255), 0.0f) << "red at both ends";
    EXPECT_EQ(hsv::hueOfRow(-9), 0.0f);
    EXPECT_FLOAT_EQ(hsv::hueOfRow(85), 1.0f / 3.0f);
    const KWColor green = hsv::toRgb(hsv::hueOfRow(85), 1.0f, 1.0f);
    EXPECT_EQ(farthest(green, 0, 255, 0), 0);
    EXPECT_EQ(farthest(hsv::boxColor(0.5f, 255, 0), 0, 255, 255), 0) << "last column: the pure hue";
    EXPECT_EQ(farthest(hsv::boxColor(0.5f, 0, 0), 255, 255, 255), 0);
    EXPECT_EQ(farthest(hsv::boxColor(0.5f, 300, 255), 0, 0, 0), 0) << "last row: black";
}
