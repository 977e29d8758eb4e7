#include "Flipbook.h"
#include "Framing.h"
#include "ImageFile.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(RuntimeFlipbook, FitFramingHoldsTheWholeEffectInEveryFrame) {
    const struct {
        pelmora::Extent extent;
        int width, height, margin;
        float scale;
    } fits[] = {{{-10, -5, 10, 5}, 100, 100, 10, 4.0f},
                {{-1, 0, 1, 8}, 64, 32, 0, 4.0f},
                {{0, 0, 0, 0}, 100, 100, 0, 1e5f}};
    for (const auto& f : fits) {
        EXPECT_FLOAT_EQ(f.scale, pelmora::fitScale(f.extent, f.width, f.height, f.margin)) << f.width;
    }
    const pelmora::LoadResult effect = pelmora::Effect::load(std::string(PELMORA_TEST_DATA) + "/sparks.kwfx");
    ASSERT_TRUE(effect) << effect.error();
    std::vector<pelmora::Image> textures;
    std::string error;
    ASSERT_TRUE(pelmora::loadTextures(*effect, textures, error)) << error;
    // Opaque pixels on a frame's outer edge, and within a few pixels of it.
    const auto edgePixels = [&](const pelmora::FlipbookSettings& settings, int band) {
        int count = 0;
        pelmora::renderFlipbook(*effect, settings, textures, [&](int, const pelmora::Canvas& canvas) {
            const pelmora::Image image = canvas.toImage();
            for (int y = 0; y < image.height; ++y) {
                for (int x = 0; x < image.width; ++x) {
                    const int inward =
                        std::min(std::min(x, y), std::min(image.width - 1 - x, image.height - 1 - y));
                    count += inward < band &&
                             image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3] > 0;
                }
            }
            return true;
        });
        return count;
    };
    pelmora::FlipbookSettings settings;
    settings.size = 64;
    settings.frames = 30;
    EXPECT_EQ(0, edgePixels(settings, 1));                      // nothing cut off
    EXPECT_GT(edgePixels(settings, settings.size / 32 + 3), 0); // and no room wasted
    settings.framing = pelmora::Framing::Scale;
    EXPECT_GT(edgePixels(settings, 1), 0); // one pixel a unit cuts the sparks off
}
