#include "GeometryRaster.h"
#include "ImageFile.h"

#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The raster as it drew particles before it drew geometry: each record straight to a sprite.
void drawRecords(pelmora::Canvas& canvas, const std::vector<pelmora::Particle>& particles,
                 const pelmora::View& view, const std::vector<pelmora::Image>& textures) {
    for (const pelmora::Particle& p : particles) {
        const pelmora::Sprite sprite = {view.originX + p.x * view.zoom,
                                        view.originY - p.y * view.zoom,
                                        p.size * view.zoom,
                                        p.r,
                                        p.g,
                                        p.b,
                                        p.a,
                                        p.rotation};
        if (p.texture >= 0 && textures[static_cast<std::size_t>(p.texture)].width > 0) {
            canvas.draw(sprite, textures[static_cast<std::size_t>(p.texture)], p.blend,
                        pelmora::TextureFrame{p.frame, p.columns, p.rows}, pelmora::Sampling::Bilinear);
        } else {
            canvas.draw(sprite, p.blend);
        }
    }
}

} // namespace

using pelmora::Canvas;

// Drawing the quads changes today's pictures by at most a few edge pixels, by a few levels.
TEST(RuntimeGeometryRaster, DrawsTheExamplesAsTheParticleRecordsDid) {
    for (const char* name : {"campfire.kwfx", "fire.kwfx", "smoke.kwfx", "sparks.kwfx"}) {
        const pelmora::LoadResult effect = pelmora::Effect::load(std::string(PELMORA_EXAMPLES) + "/" + name);
        ASSERT_TRUE(effect) << effect.error();
        std::vector<pelmora::Image> textures;
        std::string error;
        ASSERT_TRUE(pelmora::loadTextures(*effect, textures, error)) << error;
        for (double seconds : {0.5, 1.0, 2.5}) {
            pelmora::Instance instance(*effect, 5);
            instance.seek(seconds);
            const pelmora::View view = pelmora::previewView(256, 256, 1.0f);
            Canvas before(256, 256), after(256, 256);
            before.clear(0x202020);
            after.clear(0x202020);
            drawRecords(before, instance.particles(), view, textures);
            pelmora::Geometry geometry;
            instance.appendGeometry(geometry);
            pelmora::drawGeometry(after, geometry, view, textures);
            int changed = 0, worst = 0;
            for (int y = 0; y < 256; ++y) {
                for (int x = 0; x < 256; ++x) {
                    const std::uint32_t a = before.pixel(x, y), b = after.pixel(x, y);
                    int most = 0;
                    for (int shift = 0; shift < 24; shift += 8) {
                        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 255) -
                                                       static_cast<int>((b >> shift) & 255)));
                    }
                    changed += most > 0;
                    worst = std::max(worst, most);
                }
            }
            EXPECT_LE(changed, 256 * 256 / 200) << name << " at " << seconds << " s";
            RecordProperty(std::string(name) + "@" + std::to_string(seconds),
                           std::to_string(changed) + " pixels, worst " + std::to_string(worst));
            std::printf("%s at %.1f s: %d pixels differ, by at most %d levels\n", name, seconds, changed,
                        worst);
        }
    }
}

// Quads that are not square sprites are drawn in their own shape: a sprite stretched 4:1 covers its
// length and not its breadth's square, a fading trail segment fades along itself, and the two triangles
// of a translucent quad meet without a seam drawn twice.
TEST(RuntimeGeometryRaster, DrawsStretchedQuadsAndTrailsInTheirOwnShape) {
    // Effect units are pixels here: the view's origin in the middle of 64x64, zoom 1, y up.
    const pelmora::View view = {32.0f, 32.0f, 1.0f};
    const std::uint32_t opaqueWhite = 0xFFFFFFFFu, clearWhite = 0x00FFFFFFu, halfWhite = 0x80FFFFFFu;
    struct Case {
        const char* name;
        pelmora::Vertex corners[4]; // top left, top right, bottom left, bottom right
        struct Probe {
            int x, y;
            bool painted;
        } probes[3];
    } cases[] = {
        {"stretched 40x10",
         {{-20, 5, 0, 0, opaqueWhite},
          {20, 5, 1, 0, opaqueWhite},
          {-20, -5, 0, 1, opaqueWhite},
          {20, -5, 1, 1, opaqueWhite}},
         {{32 + 15, 32, true}, {32, 32 - 9, false}, {32, 32 + 9, false}}},
        {"trail fading to its tail",
         {{-20, 4, 0.5f, 0, opaqueWhite},
          {-20, -4, 0.5f, 1, opaqueWhite},
          {20, 4, 0.5f, 0, clearWhite},
          {20, -4, 0.5f, 1, clearWhite}},
         {{32 - 18, 32, true}, {32 - 18, 32 - 6, false}, {32 - 18, 32 + 6, false}}},
    };
    Canvas trail(64, 64);
    for (const Case& c : cases) {
        pelmora::Geometry geometry;
        geometry.vertices.assign(c.corners, c.corners + 4);
        geometry.indices = {0, 1, 2, 2, 1, 3};
        geometry.draws.push_back(pelmora::DrawCall{-1, pelmora::Blend::Alpha, 0, 6});
        Canvas canvas(64, 64);
        canvas.clear(0);
        pelmora::drawGeometry(canvas, geometry, view, {});
        for (const auto& probe : c.probes) {
            EXPECT_EQ(probe.painted, canvas.pixel(probe.x, probe.y) != 0)
                << c.name << " " << probe.x << "," << probe.y;
        }
        trail = canvas;
    }
    EXPECT_GT(trail.pixel(32 - 18, 32) & 0xFF, trail.pixel(32, 32) & 0xFF);
    EXPECT_GT(trail.pixel(32, 32) & 0xFF, trail.pixel(32 + 18, 32) & 0xFF);
    // A translucent rectangle: every pixel inside, the shared diagonal too, is mixed once.
    pelmora::Geometry rectangle;
    rectangle.vertices = {{-20, 5, 0.5f, 0, halfWhite},
                          {20, 5, 0.5f, 0, halfWhite},
                          {-20, -5, 0.5f, 1, halfWhite},
                          {20, -5, 0.5f, 1, halfWhite}};
    rectangle.indices = {0, 1, 2, 2, 1, 3};
    rectangle.draws.push_back(pelmora::DrawCall{-1, pelmora::Blend::Alpha, 0, 6});
    Canvas canvas(64, 64);
    canvas.clear(0);
    pelmora::drawGeometry(canvas, rectangle, view, {});
    for (int x = 14; x < 50; ++x) {
        EXPECT_EQ(canvas.pixel(32, 32), canvas.pixel(x, 32 - (x - 32) / 4)) << x;
    }
}
