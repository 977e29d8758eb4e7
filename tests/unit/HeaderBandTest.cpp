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
