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
