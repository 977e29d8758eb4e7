#include "logic/Playback.h"
#include "DefaultSceneIds.h"

#include <pelmora/Limits.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace pelmora;
using namespace pelmora::editor;

namespace {

// The default scene with the emitter's values changed by the caller.
Scene sceneWith(const std::function<void(EmitterDesc&)>& change) {
    Scene scene = Scene::makeDefault();
    change(scene.findEmitter(kEmitter)->values);
    EXPECT_TRUE(checkEmitter(scene.findEmitter(kEmitter)->values).ok());
    return scene;
}

Playback run(const Scene& scene, int steps, std::uint32_t seed = 1) {
    Playback playback(seed);
    playback.restart(scene);
    playback.step(steps);
    return playback;
}

bool sameParticles(const std::vector<Particle>& a, const std::vector<Particle>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].size != b[i].size || a[i].a != b[i].a) {
            return false;
        }
    }
    return true;
}

void setColor(EmitterDesc& e, Color color) {
    for (ColorKey& key : e.color) {
        key.upper = key.lower = color;
    }
}

} // namespace

TEST(Playback, SameSeedGivesTheSameParticlesAndAnotherSeedOthers) {
    const Scene scene = Scene::makeDefault();
    const Playback first = run(scene, 90, 42);
    ASSERT_GT(first.particleCount(), 10u);
    EXPECT_TRUE(sameParticles(first.particles(), run(scene, 90, 42).particles()));
    EXPECT_FALSE(sameParticles(first.particles(), run(scene, 90, 43).particles()));

    // Restart and seek go back to the seed.
    Playback again = run(scene, 30, 42);
    again.restart(scene);
    again.step(90);
    EXPECT_TRUE(sameParticles(first.particles(), again.particles()));
    again.step(7);
    again.seek(1.5);
    EXPECT_EQ(again.stepCount(), 90);
    EXPECT_TRUE(sameParticles(first.particles(), again.particles()));
}

TEST(Playback, SpawnsByRateCarryingFractionsOfAParticle) {
    struct Case {
        float rate;
        int steps;
        std::size_t expected;
    } const cases[] = {{0.0f, 60, 0},   {15.0f, 3, 0}, {15.0f, 4, 1},
                       {45.0f, 60, 45}, {90.0f, 2, 3}, {600.0f, 1, 10}};
    for (const Case& c : cases) {
        const Scene scene = sceneWith([&](EmitterDesc& e) {
            e.rate = c.rate;
            e.lifetimeMin = e.lifetimeMax = 100.0f;
        });
        EXPECT_EQ(run(scene, c.steps).particleCount(), c.expected) << c.rate << " per s, " << c.steps;
    }
}

TEST(Playback, ParticlesLiveBetweenTheLifetimesAndThenDie) {
    const auto lifetimes = [](float rate) {
        return [rate](EmitterDesc& e) {
            e.rate = rate; // 60: one a step
            e.lifetimeMin = 0.25f;
            e.lifetimeMax = 0.5f;
        };
    };
    Playback playback = run(sceneWith(lifetimes(60.0f)), 300);
    EXPECT_GE(playback.particleCount(), 15u);
    EXPECT_LE(playback.particleCount(), 31u);
    // With the rate at 0 the last ones die within the longest lifetime.
    playback.update(sceneWith(lifetimes(0.0f)));
    playback.step(14); // younger than the shortest lifetime
    EXPECT_GT(playback.particleCount(), 0u);
    playback.step(17);
    EXPECT_EQ(playback.particleCount(), 0u);
}

TEST(Playback, StartVelocityLiesWithinTheSpreadAroundUp) {
    for (float spread : {0.0f, 90.0f, 360.0f}) {
        const Scene scene = sceneWith([&](EmitterDesc& e) {
            e.rate = 6000.0f;
            e.speed = 200.0f;
            e.spread = spread;
            e.gravity = 0.0f;
        });
        // The first step's hundred particles have moved one step by their start velocity.
        const Playback playback = run(scene, 2);
        ASSERT_EQ(playback.particleCount(), 200u);
        float widest = 0.0f;
        for (std::size_t i = 0; i < 100; ++i) {
            const Particle& p = playback.particles()[i];
            EXPECT_NEAR(std::hypot(p.x, p.y) * 60.0f, 200.0f, 0.01f);
            const float offUp = std::fabs(std::atan2(p.x, p.y)) * 180.0f / 3.14159265f;
            EXPECT_LE(offUp, spread / 2.0f + 0.01f) << spread;
            widest = std::max(widest, offUp);
        }
        EXPECT_GE(widest, spread / 2.0f * 0.9f) << spread;
    }
}

TEST(Playback, GravityPullsDownAndPositionsFollowVelocity) {
    const Scene scene = sceneWith([](EmitterDesc& e) {
        e.rate = 60.0f;
        e.spread = 0.0f;
        e.speed = 100.0f;
        e.gravity = 120.0f;
        e.lifetimeMin = e.lifetimeMax = 100.0f;
    });
    const Particle oldest = run(scene, 61).particles().front();
    // 60 steps after its birth: each step slows it by gravity / 60, then moves it.
    float y = 0.0f;
    for (int n = 1; n <= 60; ++n) {
        y += (100.0f - 2.0f * n) / 60.0f;
    }
    EXPECT_NEAR(oldest.y, y, 1e-3f);
    EXPECT_NEAR(oldest.x, 0.0f, 1e-3f);
}

TEST(Playback, SizeAndColourLieBetweenBothCurvesAtTheParticlesAge) {
    const Scene scene = sceneWith([](EmitterDesc& e) {
        e.rate = 600.0f;
        e.lifetimeMin = e.lifetimeMax = 1.0f;
        e.size = {{0.0f, 10.0f, 2.0f}, {100.0f, 30.0f, 6.0f}};
        e.color = {{0.0f, {0, 0, 0, 255}, {200, 100, 0, 255}}, {100.0f, {0, 0, 0, 55}, {200, 100, 0, 55}}};
    });
    const Playback playback = run(scene, 31); // the oldest are half way through their lives
    ASSERT_EQ(playback.particleCount(), 310u);
    for (std::size_t i = 0; i < playback.particleCount(); ++i) {
        const Particle& p = playback.particles()[i];
        const float age = 100.0f * static_cast<float>(30 - i / 10) / 60.0f; // ten born a step, oldest first
        EXPECT_GE(p.size, 2.0f + 4.0f * age / 100.0f - 1e-3f) << i;
        EXPECT_LE(p.size, 10.0f + 20.0f * age / 100.0f + 1e-3f) << i;
        EXPECT_NEAR(p.r, 2.0f * p.g, 2.01f) << i; // one mix for all channels
        EXPECT_EQ(p.b, 0);
        EXPECT_NEAR(p.a, 255.0f - 2.0f * age, 1.01f) << i;
    }
}

TEST(Playback, UpdateKeepsTheParticlesOfEmittersThatRemainAndTakesTheirEditedCurves) {
    Scene scene = sceneWith([](EmitterDesc& e) { setColor(e, {255, 0, 0, 255}); });
    const ElementId second = scene.addEmitter(kGroup);
    setColor(scene.findEmitter(second)->values, {0, 255, 0, 255});
    Playback playback = run(scene, 60);
    std::size_t fromSecond = 0;
    for (const Particle& p : playback.particles()) {
        fromSecond += p.g == 255 ? 1 : 0;
    }
    ASSERT_GT(fromSecond, 0u);
    ASSERT_LT(fromSecond, playback.particleCount());

    ASSERT_TRUE(scene.remove(kEmitter));
    EmitterDesc& edited = scene.findEmitter(second)->values;
    setColor(edited, {1, 2, 3, 4});
    edited.size = {{0.0f, 50.0f, 50.0f}, {100.0f, 50.0f, 50.0f}};
    playback.update(scene);
    EXPECT_EQ(playback.stepCount(), 60);
    ASSERT_EQ(playback.particleCount(), fromSecond);
    for (const Particle& p : playback.particles()) {
        EXPECT_EQ(p.size, 50.0f);
        EXPECT_TRUE(p.r == 1 && p.g == 2 && p.b == 3 && p.a == 4);
    }
}

TEST(Playback, AdvanceRunsWholeStepsAndCatchesUpOnlySoFar) {
    Playback playback;
    playback.restart(Scene::makeDefault());
    EXPECT_EQ(playback.advance(0.5 / 60.0), 0);
    EXPECT_EQ(playback.advance(0.6 / 60.0), 1); // the half step carried over
    EXPECT_EQ(playback.advance(2.0 / 60.0), 2);
    EXPECT_EQ(playback.advance(-1.0), 0);
    EXPECT_EQ(playback.advance(5.0), Playback::kMaxCatchUpSteps);
    EXPECT_EQ(playback.advance(0.5 / 60.0), 0); // the rest of the stall was dropped
    EXPECT_EQ(playback.stepCount(), 3 + Playback::kMaxCatchUpSteps);
    EXPECT_DOUBLE_EQ(playback.time(), (3.0 + Playback::kMaxCatchUpSteps) / 60.0);
}

TEST(Playback, LiveParticlesAreCapped) {
    Scene scene = sceneWith([](EmitterDesc& e) {
        e.rate = kRateRange.max;
        e.lifetimeMin = e.lifetimeMax = kLifetimeRange.max;
    });
    const EmitterDesc values = scene.findEmitter(kEmitter)->values;
    for (int i = 0; i < 19; ++i) {
        scene.findEmitter(scene.addEmitter(kGroup))->values = values;
    }
    EXPECT_EQ(run(scene, 70).particleCount(), 200000u);
}
