#include "Flipbook.h"
#include "ImageFile.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(RuntimeFlipbook, SheetHoldsTheFramesInANearSquareGrid) {
    const pelmora::LoadResult effect = pelmora::Effect::load(std::string(PELMORA_TEST_DATA) + "/sparks.kwfx");
    ASSERT_TRUE(effect) << effect.error();
    std::vector<pelmora::Image> textures;
    std::string error;
    ASSERT_TRUE(pelmora::loadTextures(*effect, textures, error)) << error;
    struct Case {
        int frames;
        int columns;
        int rows;
    } const cases[] = {{1, 1, 1}, {5, 3, 2}, {16, 4, 4}, {17, 5, 4}};
    for (const Case& c : cases) {
        pelmora::FlipbookSettings settings;
        settings.size = 24;
        settings.frames = c.frames;
        int reported = 0;
        const pelmora::Image sheet =
            pelmora::renderSheet(*effect, settings, textures, [&](int) { ++reported; });
        EXPECT_EQ(reported, c.frames);
        EXPECT_EQ(sheet.width, c.columns * 24) << c.frames;
        EXPECT_EQ(sheet.height, c.rows * 24) << c.frames;
        // Transparent where nothing is drawn, something drawn somewhere.
        EXPECT_EQ(sheet.rgba[3], 0);
        int opaque = 0;
        for (std::size_t i = 3; i < sheet.rgba.size(); i += 4) {
            opaque += sheet.rgba[i] > 0;
        }
        EXPECT_GT(opaque, 0);
    }
    // A PNG written and read back holds the same pixels.
    pelmora::FlipbookSettings settings;
    settings.size = 16;
    settings.frames = 4;
    const pelmora::Image sheet = pelmora::renderSheet(*effect, settings, textures);
    const std::string path = testing::TempDir() + "pelmora_sheet.png";
    ASSERT_TRUE(pelmora::writePng(path, sheet, error)) << error;
    pelmora::Image back;
    ASSERT_TRUE(pelmora::loadImage(path, back, error)) << error;
    EXPECT_EQ(back.rgba, sheet.rgba);
    std::remove(path.c_str());
    EXPECT_FALSE(pelmora::loadImage(path, back, error));
}
