#include "color/logic/PickerPlacement.h"

#include <gtest/gtest.h>

using KW::picker::besideSwatch;
using KW::picker::ScreenPoint;
using KW::picker::ScreenRect;

TEST(PickerPlacement, OpensBesideTheSwatchAndStaysInTheWorkArea) {
    const ScreenRect area = {0, 0, 1000, 800};
    struct Case {
        const char* what;
        ScreenRect swatch;
        int width;
        int height;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {"below, left edges aligned", {100, 100, 140, 120}, 300, 200, {100, 120}},
        {"above where only that fits", {100, 700, 140, 720}, 300, 200, {100, 500}},
        {"held at the bottom where neither fits", {100, 150, 140, 170}, 300, 700, {100, 100}},
        {"moved left off the right edge", {900, 100, 940, 120}, 300, 200, {700, 120}},
        {"moved right off the left edge", {-50, 100, -10, 120}, 300, 200, {0, 120}},
        {"top-left corner kept when larger than the area", {10, 10, 20, 20}, 1200, 900, {0, 0}},
    };
    for (const Case& c : cases) {
        const ScreenPoint at = besideSwatch(c.swatch, c.width, c.height, area);
        EXPECT_EQ(at.x, c.expected.x) << c.what;
        EXPECT_EQ(at.y, c.expected.y) << c.what;
    }
    // A work area that does not start at the origin (a second monitor to the left).
    const ScreenPoint left = besideSwatch({-200, 50, -180, 70}, 300, 200, {-1280, 0, 0, 1024});
    EXPECT_EQ(left.x, -300);
    EXPECT_EQ(left.y, 70);
}
