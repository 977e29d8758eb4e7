#include "Flipbook.h"
#include "TexelBlend.h"

#include <gtest/gtest.h>

#include <cstring>

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
    Particle particle = {0, 0, 10, 0.7f, 200, 100, 50, 255, 0, 1, 1, 0, Blend::Alpha};
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
// The four-lane code and the portable code give the same bytes over random texels, tints and pixels, so
// a machine without SSE2 draws the same picture.
TEST(TexturedRaster, FourLaneArithmeticEqualsThePortableOne) {
    std::uint32_t state = 12345;
    const auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int i = 0; i < 20000; ++i) {
        std::uint8_t texels[8];
        for (std::uint8_t& byte : texels) {
            byte = static_cast<std::uint8_t>(next() % 4 == 0 ? (next() % 2) * 255 : next());
        }
        const int a = static_cast<int>(next() % 256);
        const texel::Tint tint = {static_cast<int>(next() % 256) * a / 255,
                                  static_cast<int>(next() % 256) * a / 255,
                                  static_cast<int>(next() % 256) * a / 255, a};
        const std::uint32_t dst = next() ^ (next() << 24);
        const int weight = static_cast<int>(next() % 256);
        const texel::Portable::Texel portable = texel::Portable::mix(
            texel::Portable::premultiplied(texels), texel::Portable::premultiplied(texels + 4), weight);
        const __m128i lanes = texel::Sse2::mix(texel::Sse2::premultiplied(texels),
                                               texel::Sse2::premultiplied(texels + 4), weight);
        ASSERT_EQ(texel::Portable::blend<false>(dst, portable, tint),
                  texel::Sse2::blend<false>(dst, lanes, texel::Sse2::tintLanes(tint)))
            << i;
        ASSERT_EQ(texel::Portable::blend<true>(dst, portable, tint),
                  texel::Sse2::blend<true>(dst, lanes, texel::Sse2::tintLanes(tint)))
            << i;
    }
}
#endif
