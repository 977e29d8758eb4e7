#include "windows/logic/HeaderBand.h"

#include <gtest/gtest.h>

using namespace KW::header;

TEST(HeaderBand, BandAndTitleScaleWithTheDisplayDpi) {
    struct Case {
        int dpi, height, titleX, titleY;
    };
    const Case cases[] = {{96, 20, 5, 2}, {120, 25, 6, 3}, {144, 30, 8, 3}, {192, 40, 10, 4}};
    for (const Case& c : cases) {
        const Band band = bandAt(c.dpi);
        EXPECT_EQ(band.height, c.height) << c.dpi;
        EXPECT_EQ(band.titleX, c.titleX) << c.dpi;
        EXPECT_EQ(band.titleY, c.titleY) << c.dpi;
    }
}

TEST(HeaderBand, RowsFadeFromTheTopColourToTheBottomOne) {
    const KW::KWColor top(230, 230, 230, 255), bottom(180, 100, 0, 255);
    struct Case {
        int y, height, r, g, b;
    };
    // The middle of each row: 0.5 / 20 and 19.5 / 20 of the way; one row takes the mean.
    const Case cases[] = {
        {0, 20, 229, 227, 224}, {19, 20, 181, 103, 6}, {10, 20, 204, 162, 109}, {0, 1, 205, 165, 115}};
    for (const Case& c : cases) {
        const KW::KWColor color = rowColor(top, bottom, c.y, c.height);
        EXPECT_EQ(color.r, c.r) << c.y << "/" << c.height;
        EXPECT_EQ(color.g, c.g) << c.y << "/" << c.height;
        EXPECT_EQ(color.b, c.b) << c.y << "/" << c.height;
    }
    EXPECT_EQ(rowColor(top, top, 7, 20).g, 230);
}
