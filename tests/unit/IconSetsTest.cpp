#include "logic/IconSets.h"

#include <gtest/gtest.h>

TEST(IconSets, TheSetNearestTheDpiIsChosenAndNamed) {
    const struct {
        int dpi;
        int size;
    } cases[] = {{96, 16}, {0, 16}, {110, 16}, {120, 24}, {144, 24}, {168, 32}, {192, 32}, {288, 32}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.size, shell::iconSizeFor(c.dpi)) << c.dpi;
    }
    EXPECT_EQ("res/imgList223.bmp", shell::iconFileFor("res/imgList223.bmp", 16));
    EXPECT_EQ("res/imgList223_24.bmp", shell::iconFileFor("res/imgList223.bmp", 24));
    EXPECT_EQ("res.d/icons_32", shell::iconFileFor("res.d/icons", 32));
}
