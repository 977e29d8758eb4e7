#include "properties/logic/RowHeight.h"

#include <gtest/gtest.h>

using namespace KW::proprows;

TEST(PropertyRowHeight, SpacerOnlyWhereTextAndImagesFallShortOfTheScaledRow) {
    struct Case {
        int fontHeight;
        int iconHeight;
        int dpi;
        int spacer;
    };
    const Case cases[] = {
        {13, 0, 96, 0},                   // the rows as they always were
        {13, 16, 96, 0},                  // icons make the row
        {19, 0, 144, 20},                 // a 21-pixel row
        {20, 0, 144, 0},                  // the font alone makes it
        {25, 0, 192, 27},                 // a font a pixel short of double
        {25, 32, 192, 0},                 // icons of the DPI make the row
        {25, 16, 192, 27}, {13, 0, 0, 0}, // a failed DPI query counts as 96
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.spacer, spacerHeight(c.fontHeight, c.iconHeight, c.dpi))
            << c.fontHeight << " / " << c.iconHeight << " at " << c.dpi;
    }
}
