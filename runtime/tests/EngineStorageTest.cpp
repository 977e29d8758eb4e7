#include "Engine.h"

#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <cstring>

namespace pelmora {
namespace detail {
namespace {

// An emitter whose particles take the bulk step: they only fall, drift, slow down and turn.
EmitterDesc bulk(float lifetimeMin) {
    EmitterDesc emitter;
    emitter.name = "E";
    emitter.rate = 300.0f;
    emitter.lifetimeMin = lifetimeMin;
    emitter.lifetimeMax = 2.0f;
    emitter.size = {{0, 8, 4}, {100, 2, 1}};
    emitter.color = {{0, {255, 200, 80, 255}, {255, 120, 40, 255}}, {100, {80, 40, 20, 0}, {40, 20, 10, 0}}};
    emitter.spinMin = -90.0f;
    emitter.spinMax = 90.0f;
    emitter.drag = 0.4f;
    emitter.forces = {{ForceKind::Wind, 0.0f, 0.0f, 30.0f, 0.0f, 45.0f}};
    return emitter;
}

TEST(EngineStorage, BulkAndOneAtATimeStepsGiveTheSameParticles) {
    // A trail sends every particle through the one-at-a-time step without changing how it moves.
    for (float lifetimeMin : {2.0f, 0.3f}) {
        EmitterDesc traced = bulk(lifetimeMin);
        traced.trail.length = 0.5f;
        const LoadResult plain = Effect::make({{"S", {{"G", {bulk(lifetimeMin), bulk(lifetimeMin)}}}}});
        const LoadResult other = Effect::make({{"S", {{"G", {traced, bulk(lifetimeMin)}}}}});
        ASSERT_TRUE(plain && other);
        Instance a(*plain, 5), b(*other, 5);
        for (int frame = 0; frame < 150; ++frame) {
            a.update(1.0 / 60);
            b.update(1.0 / 60);
            const std::vector<Particle>& left = a.particles();
            const std::vector<Particle>& right = b.particles();
            ASSERT_EQ(left.size(), right.size());
            for (std::size_t i = 0; i < left.size(); ++i) {
                ASSERT_EQ(std::memcmp(&left[i].x, &right[i].x, 4 * sizeof(float)), 0) << frame << " " << i;
                ASSERT_EQ(std::memcmp(&left[i].r, &right[i].r, 4), 0) << frame << " " << i;
            }
        }
    }
}

TEST(EngineStorage, TrailsKeepTheirPointsWhenAnEditLengthensThem) {
    EmitterDesc emitter = bulk(2.0f);
    emitter.trail.length = 1.0f;
    emitter.trail.segments = 4;
    Engine engine(3);
    engine.restart(std::vector<EmitterDesc>{emitter});
    // Three points a second: the oldest particle's ring is full but has not wrapped round.
    for (int step = 0; step < 42; ++step) {
        engine.step();
    }
    std::vector<float> before, after;
    engine.trailOf(std::size_t(0), before);
    ASSERT_EQ(before.size(), 6u);
    emitter.trail.segments = 40;
    engine.replace(std::vector<EmitterDesc>{emitter}, {0});
    engine.trailOf(std::size_t(0), after);
    EXPECT_EQ(before, after);
}

} // namespace
} // namespace detail
} // namespace pelmora
