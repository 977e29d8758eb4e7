#include "Raster.h"

#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

pelmora::Effect campfire() {
    const pelmora::LoadResult effect =
        pelmora::Effect::load(std::string(PELMORA_EXAMPLES) + "/campfire.kwfx");
    EXPECT_TRUE(effect) << effect.error();
    return *effect;
}

// Still particles of one size, all born at once.
pelmora::EmitterDesc still(pelmora::Blend blend, const std::string& texture, int count) {
    pelmora::EmitterDesc emitter;
    emitter.name = "still";
    emitter.rate = 0.0f;
    emitter.speed = 0.0f;
    emitter.gravity = 0.0f;
    emitter.lifetimeMin = emitter.lifetimeMax = 5.0f;
    emitter.blend = blend;
    emitter.texture = texture;
    emitter.size = {{0.0f, 10.0f, 10.0f}, {100.0f, 10.0f, 10.0f}};
    emitter.color = {{0.0f, {10, 20, 30, 40}, {10, 20, 30, 40}},
                     {100.0f, {10, 20, 30, 40}, {10, 20, 30, 40}}};
    emitter.bursts = {pelmora::Burst{0.0f, count, 0.0f, 1}};
    return emitter;
}

pelmora::Effect made(const std::vector<pelmora::EmitterDesc>& emitters) {
    const pelmora::LoadResult effect = pelmora::Effect::make({pelmora::SystemDesc{"s", {{"g", emitters}}}});
    EXPECT_TRUE(effect) << effect.error();
    return *effect;
}

bool sameBytes(const pelmora::Geometry& a, const pelmora::Geometry& b) {
    return a.vertices.size() == b.vertices.size() && a.indices == b.indices &&
           a.draws.size() == b.draws.size() &&
           (a.vertices.empty() || std::memcmp(a.vertices.data(), b.vertices.data(),
                                              a.vertices.size() * sizeof(pelmora::Vertex)) == 0);
}

} // namespace

// Corners of a turned, placed and scaled quad, its colour bytes, and the frame's cell of the sheet.
TEST(RuntimeGeometry, QuadsAreTurnedCutToTheirFrameAndPlaced) {
    struct Case {
        float rotation; // the particle's, degrees
        float turn;     // the instance's, degrees
        float scale;
        float corner[4][2];
    } const cases[] = {
        {0.0f, 0.0f, 1.0f, {{-5, 5}, {5, 5}, {-5, -5}, {5, -5}}},
        {90.0f, 0.0f, 1.0f, {{-5, -5}, {-5, 5}, {5, -5}, {5, 5}}},
        {0.0f, 90.0f, 2.0f, {{-10, -10}, {-10, 10}, {10, -10}, {10, 10}}},
    };
    for (const Case& c : cases) {
        pelmora::EmitterDesc emitter = still(pelmora::Blend::Alpha, "sheet.png", 1);
        emitter.rotationMin = emitter.rotationMax = c.rotation;
        emitter.sheet.columns = 4;
        emitter.sheet.rows = 2;
        emitter.sheet.frameRate = 3.0f;
        pelmora::Instance instance(made({emitter}), 1);
        instance.setTransform(100.0f, 50.0f, c.turn, c.scale);
        for (int step = 0; step < 12; ++step) {
            instance.update(0.25);
            pelmora::Geometry geometry;
            instance.appendGeometry(geometry);
            ASSERT_EQ(geometry.vertices.size(), 4u);
            const int frame = instance.particles()[0].frame;
            const float u0 = static_cast<float>(frame % 4) / 4, v0 = static_cast<float>(frame / 4) / 2;
            const float uv[4][2] = {{u0, v0}, {u0 + 0.25f, v0}, {u0, v0 + 0.5f}, {u0 + 0.25f, v0 + 0.5f}};
            for (int k = 0; k < 4; ++k) {
                const pelmora::Vertex& v = geometry.vertices[static_cast<std::size_t>(k)];
                EXPECT_NEAR(v.x, 100.0f + c.corner[k][0], 1e-3f) << c.rotation << " " << k;
                EXPECT_NEAR(v.y, 50.0f + c.corner[k][1], 1e-3f) << c.rotation << " " << k;
                EXPECT_NEAR(v.u, uv[k][0], 1e-6f);
                EXPECT_NEAR(v.v, uv[k][1], 1e-6f);
                const std::uint8_t rgba[4] = {10, 20, 30, 40};
                EXPECT_EQ(std::memcmp(&v.color, rgba, 4), 0);
            }
            EXPECT_EQ(geometry.indices, (std::vector<std::uint32_t>{0, 1, 2, 2, 1, 3}));
            const pelmora::Bounds box = instance.bounds();
            EXPECT_FALSE(box.empty);
            EXPECT_NEAR(box.right - box.left, 10.0f * c.scale, 1e-3f);
        }
    }
}

// A draw call per run of equal texture and blend, in drawing order.
TEST(RuntimeGeometry, DrawCallsBreakWhereTextureOrBlendChanges) {
    using pelmora::Blend;
    const pelmora::Effect effect =
        made({still(Blend::Additive, "", 2), still(Blend::Additive, "", 3), still(Blend::Alpha, "", 1),
              still(Blend::Alpha, "a.png", 2), still(Blend::Alpha, "a.png", 1)});
    pelmora::Instance instance(effect, 1);
    instance.update(0.1);
    pelmora::Geometry geometry;
    geometry.vertices.resize(8); // what an earlier instance left: indices count on from it
    instance.appendGeometry(geometry);
    ASSERT_EQ(geometry.draws.size(), 3u);
    const pelmora::DrawCall expected[] = {
        {-1, Blend::Additive, 0, 30}, {-1, Blend::Alpha, 30, 6}, {0, Blend::Alpha, 36, 18}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(geometry.draws[i].texture, expected[i].texture);
        EXPECT_EQ(geometry.draws[i].blend, expected[i].blend);
        EXPECT_EQ(geometry.draws[i].firstIndex, expected[i].firstIndex);
        EXPECT_EQ(geometry.draws[i].indexCount, expected[i].indexCount);
    }
    EXPECT_EQ(geometry.indices.front(), 8u);
    EXPECT_EQ(geometry.vertices.size(), 8u + 4 * 9);
}

// The round sprite is the raster's disc.
TEST(RuntimeGeometry, RoundSpriteIsTheRastersDisc) {
    for (int size : {1, 4, 9, 32}) {
        const std::vector<std::uint8_t> sprite = pelmora::roundSprite(size);
        ASSERT_EQ(sprite.size(), static_cast<std::size_t>(size * size * 4));
        pelmora::Canvas canvas(size, size);
        canvas.clearTransparent();
        canvas.draw(pelmora::Sprite{size * 0.5f, size * 0.5f, static_cast<float>(size), 255, 255, 255, 255},
                    pelmora::Blend::Alpha);
        for (int i = 0; i < size * size; ++i) {
            EXPECT_EQ(sprite[static_cast<std::size_t>(i) * 4 + 3], canvas.alpha(i % size, i / size)) << size;
        }
    }
    EXPECT_TRUE(pelmora::roundSprite(0).empty());
}

TEST(RuntimeWorld, SameResultsForAnyThreadCountAndCullingKeepsSimulating) {
    const pelmora::Effect effect = campfire();
    pelmora::Geometry results[3];
    const unsigned threads[3] = {1, 2, 4};
    for (int t = 0; t < 3; ++t) {
        pelmora::World world;
        EXPECT_EQ(world.play(pelmora::Effect(), 0.0f, 0.0f, 1), 0u);
        for (std::uint32_t i = 0; i < 9; ++i) {
            EXPECT_NE(world.play(effect, 300.0f * static_cast<float>(i), 0.0f, i + 1), 0u);
        }
        for (int step = 0; step < 40; ++step) {
            world.update(1.0 / 30, threads[t]);
        }
        world.appendGeometry(results[t]);
        EXPECT_EQ(results[t].vertices.size(), 4 * world.particleCount());
        // Only the first effect is in view; the others still run.
        const std::size_t particles = world.particleCount();
        world.setView(pelmora::Bounds{-100.0f, -100.0f, 100.0f, 400.0f, false});
        pelmora::Geometry culled;
        world.appendGeometry(culled);
        EXPECT_EQ(culled.vertices.size(), 4 * world.find(1)->particleCount());
        EXPECT_EQ(world.particleCount(), particles);
        EXPECT_TRUE(world.stop(2));
        EXPECT_TRUE(world.remove(3));
        EXPECT_FALSE(world.remove(3));
        EXPECT_EQ(world.find(3), nullptr);
        EXPECT_EQ(world.instanceCount(), 8u);
        for (int step = 0; step < 120; ++step) {
            world.update(1.0 / 30, threads[t]);
        }
        EXPECT_EQ(world.find(2), nullptr); // stopped, its particles dead: removed
        EXPECT_EQ(world.instanceCount(), 7u);
    }
    EXPECT_TRUE(sameBytes(results[0], results[1]));
    EXPECT_TRUE(sameBytes(results[0], results[2]));
}

TEST(RuntimeInstanceControls, CapTimeScaleAndCopies) {
    const pelmora::Effect effect = campfire();
    pelmora::Instance capped(effect, 3);
    capped.setMaxParticles(20);
    pelmora::Instance half(effect, 3);
    half.setTimeScale(0.5f);
    pelmora::Instance full(effect, 3);
    for (int step = 0; step < 90; ++step) {
        capped.update(1.0 / 30);
        EXPECT_LE(capped.particleCount(), 20u);
        half.update(1.0 / 30);
    }
    full.update(1.5);
    EXPECT_EQ(capped.particleCount(), 20u);
    EXPECT_NEAR(half.time(), full.time(), 1e-9);
    EXPECT_EQ(half.particles().size(), full.particles().size());
    EXPECT_EQ(std::memcmp(half.particles().data(), full.particles().data(),
                          full.particles().size() * sizeof(pelmora::Particle)),
              0);
    pelmora::Instance copy = capped;
    copy.update(2.0);
    capped.update(2.0);
    EXPECT_EQ(std::memcmp(copy.particles().data(), capped.particles().data(),
                          capped.particles().size() * sizeof(pelmora::Particle)),
              0);
}
