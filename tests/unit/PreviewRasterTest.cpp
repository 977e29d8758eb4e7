#include "Raster.h"

#include <gtest/gtest.h>

using pelmora::Blend;
using pelmora::Canvas;
using pelmora::Sprite;

TEST(PreviewRaster, DiscCoversItsAreaAndClipsAtTheEdges) {
    Canvas canvas(40, 30);
    canvas.clear(0x000000);
    canvas.draw({20.0f, 15.0f, 10.0f, 255, 0, 0, 255}, Blend::Alpha);
    EXPECT_EQ(0xFF0000u, canvas.pixel(20, 15));
    EXPECT_EQ(0xFF0000u, canvas.pixel(16, 15)); // inside the radius of 5
    EXPECT_EQ(0x000000u, canvas.pixel(26, 15)); // outside
    EXPECT_EQ(0x000000u, canvas.pixel(15, 10)); // the corner of the bounding square
    int covered = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            covered += canvas.pixel(x, y) != 0;
        }
    }
    EXPECT_NEAR(78.5, covered, 8.0); // pi * 5 * 5

    // Partly or wholly outside, or degenerate: no write out of bounds, nothing drawn where it should not be.
    canvas.clear(0x000000);
    for (const Sprite& sprite :
         {Sprite{-3.0f, -3.0f, 10.0f, 0, 255, 0, 255}, Sprite{1e9f, 5.0f, 4.0f, 0, 255, 0, 255},
          Sprite{5.0f, 5.0f, -2.0f, 0, 255, 0, 255}, Sprite{5.0f, 5.0f, 4.0f, 0, 255, 0, 0}}) {
        canvas.draw(sprite, Blend::Alpha);
    }
    EXPECT_EQ(0x00FF00u, canvas.pixel(0, 0));
    EXPECT_EQ(0x000000u, canvas.pixel(5, 5));
}

TEST(PreviewRaster, AlphaMixesAndAdditiveAccumulatesUpToWhite) {
    struct Case {
        Blend blend;
        std::uint32_t background;
        int alpha;
        int times;
        std::uint32_t expected;
    } cases[] = {
        {Blend::Alpha, 0x000000, 128, 1, 0x800000}, // half-way to red
        {Blend::Alpha, 0x0000FF, 255, 3, 0xFF0000}, // opaque covers
        {Blend::Additive, 0x000040, 255, 1, 0xFF0040},
        {Blend::Additive, 0x200000, 128, 1, 0xA00000}, // 0x20 + 0x80
        {Blend::Additive, 0x000000, 255, 3, 0xFF0000}, // saturates
    };
    for (const Case& c : cases) {
        Canvas canvas(8, 8);
        canvas.clear(c.background);
        for (int i = 0; i < c.times; ++i) {
            canvas.draw({4.0f, 4.0f, 4.0f, 255, 0, 0, c.alpha}, c.blend);
        }
        EXPECT_EQ(c.expected, canvas.pixel(4, 4)) << static_cast<int>(c.blend) << " " << c.alpha;
    }
}
