#include "Flipbook.h"
#include "TexelBlend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

using namespace pelmora;

namespace {

// A 2 x 2 texture: red, green on top; blue, white below; all opaque.
Image quadrants() {
    return Image{2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}};
}

} // namespace

// An 8-pixel sprite in the middle of a 16-pixel canvas; the pixels probed lie in its four quarters.
TEST(TexturedRaster, TintFrameRotationBlendAndSampling) {
    const Image white{1, 1, {255, 255, 255, 255}};
    const float quarterTurn = 1.5707963f;
    struct Case {
        const char* what;
        Image texture;
        Sprite sprite;
        TextureFrame frame;
        Blend blend;
        Sampling sampling;
        std::uint32_t topLeft, topRight, bottomLeft, bottomRight;
    } cases[] = {
        // clang-format off
        {"whole texture", quadrants(), {8, 8, 8, 255, 255, 255, 255}, {}, Blend::Alpha, Sampling::Nearest,
         0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF},
        {"tinted by the colour", white, {8, 8, 8, 255, 128, 0, 255}, {}, Blend::Alpha, Sampling::Nearest,
         0xFF8000, 0xFF8000, 0xFF8000, 0xFF8000},
        {"second frame", quadrants(), {8, 8, 8, 255, 255, 255, 255}, {1, 2, 2}, Blend::Alpha, Sampling::Nearest,
         0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00},
        {"third frame: the next row", quadrants(), {8, 8, 8, 255, 255, 255, 255}, {2, 2, 2}, Blend::Alpha,
         Sampling::Nearest, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF},
        {"a quarter turn counter-clockwise", quadrants(), {8, 8, 8, 255, 255, 255, 255, quarterTurn}, {},
         Blend::Alpha, Sampling::Nearest, 0x00FF00, 0xFFFFFF, 0xFF0000, 0x0000FF},
        {"half opaque over grey", white, {8, 8, 8, 255, 255, 255, 128}, {}, Blend::Alpha, Sampling::Nearest,
         0xA0A0A0, 0xA0A0A0, 0xA0A0A0, 0xA0A0A0},
        {"additive onto grey", white, {8, 8, 8, 128, 128, 128, 255}, {}, Blend::Additive, Sampling::Nearest,
         0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0},
        {"bilinear mixes near the middle", Image{2, 1, {255, 0, 0, 255, 0, 255, 0, 255}},
         {8, 8, 8, 255, 255, 255, 255}, {}, Blend::Alpha, Sampling::Bilinear,
         0xDF1F00, 0x1FDF00, 0xDF1F00, 0x1FDF00},
        // clang-format on
    };
    for (const Case& c : cases) {
        Canvas canvas(16, 16);
        canvas.clear(0x404040);
        canvas.draw(c.sprite, c.texture, c.blend, c.frame, c.sampling);
        EXPECT_EQ(c.topLeft, canvas.pixel(6, 6)) << c.what;
        EXPECT_EQ(c.topRight, canvas.pixel(9, 6)) << c.what;
        EXPECT_EQ(c.bottomLeft, canvas.pixel(6, 9)) << c.what;
        EXPECT_EQ(c.bottomRight, canvas.pixel(9, 9)) << c.what;
        EXPECT_EQ(0x404040u, canvas.pixel(2, 8)) << c.what; // outside the sprite
    }
}

// A particle whose texture did not load (an empty image) or has no texture is drawn round, as before.
TEST(TexturedRaster, MissingTextureFallsBackToTheRoundSprite) {
    Particle particle = {0, 0, 10, 0.7f, 200, 100, 50, 255, 0, 1, 1, 0, Blend::Alpha, 0};
    const View view = {16, 16, 1};
    Canvas textured(32, 32), round(32, 32);
    textured.clear(0);
    round.clear(0);
    drawParticles(textured, {particle}, view, {Image()});
    round.draw(Sprite{16, 16, 10, 200, 100, 50, 255}, Blend::Alpha);
    EXPECT_EQ(0, std::memcmp(textured.data(), round.data(), 32 * 32 * 4));
    EXPECT_EQ(0xC86432u, textured.pixel(16, 16));
}

#if defined(__SSE2__)
// The four-lane code gives the portable code's bytes, so a machine without SSE2 draws the same picture.
TEST(TexturedRaster, FourLaneArithmeticEqualsThePortableOne) {
    using texel::Portable;
    using texel::Sse2;
    std::mt19937 random(7);
    // Bytes, with clear and opaque ones often, as textures have them.
    const auto byte = [&random] {
        return static_cast<int>(random() % 4 ? random() % 256 : random() % 2 * 255);
    };
    for (int i = 0; i < 20000; ++i) {
        std::uint8_t texels[8];
        std::generate(texels, texels + 8, byte);
        const int a = byte(), weight = byte();
        const texel::Tint tint = {byte() * a / 255, byte() * a / 255, byte() * a / 255, a};
        const std::uint32_t dst = static_cast<std::uint32_t>(random());
        const Portable::Texel p =
            Portable::mix(Portable::premultiplied(texels), Portable::premultiplied(texels + 4), weight);
        const Sse2::Texel s = Sse2::mix(Sse2::premultiplied(texels), Sse2::premultiplied(texels + 4), weight);
        ASSERT_EQ(Portable::blend<false>(dst, p, tint), Sse2::blend<false>(dst, s, Sse2::tintLanes(tint)))
            << i;
        ASSERT_EQ(Portable::blend<true>(dst, p, tint), Sse2::blend<true>(dst, s, Sse2::tintLanes(tint))) << i;
    }
}
#endif
