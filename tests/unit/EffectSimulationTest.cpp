#include "logic/EffectSimulation.h"

#include "graphs/logic/FloatGraphModel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace KW;
using namespace KW::effect;

namespace {

const ElementId kGroup = 2;
const ElementId kEmitter = 3;

// The default scene with the emitter's values changed by the caller.
template <typename Change> Scene sceneWith(Change change) {
    Scene scene = Scene::makeDefault();
    Emitter values = *scene.findEmitter(kEmitter);
    change(values);
    EXPECT_TRUE(scene.setEmitter(kEmitter, values)) << checkEmitter(values).field;
    return scene;
}

Simulation run(const Scene& scene, int steps, std::uint64_t seed = 1) {
    Simulation simulation(seed);
    simulation.restart(scene);
    for (int i = 0; i < steps; ++i) {
        simulation.step();
    }
    return simulation;
}

bool sameParticles(const std::vector<Particle>& a, const std::vector<Particle>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].vx != b[i].vx || a[i].vy != b[i].vy ||
            a[i].lifetime != b[i].lifetime || a[i].sizeMix != b[i].sizeMix ||
            a[i].colorMix != b[i].colorMix) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(EffectSimulation, SameSeedGivesTheSameParticlesAndAnotherSeedOthers) {
    const Scene scene = Scene::makeDefault();
    const Simulation first = run(scene, 90, 42);
    ASSERT_GT(first.getParticles().size(), 10u);
    EXPECT_TRUE(sameParticles(first.getParticles(), run(scene, 90, 42).getParticles()));
    EXPECT_FALSE(sameParticles(first.getParticles(), run(scene, 90, 43).getParticles()));

    // Restart goes back to the seed.
    Simulation again = run(scene, 30, 42);
    again.restart(scene);
    for (int i = 0; i < 90; ++i) {
        again.step();
    }
    EXPECT_TRUE(sameParticles(first.getParticles(), again.getParticles()));
}

TEST(EffectSimulation, SpawnsByRateCarryingFractionsOfAParticle) {
    struct Case {
        float rate;
        int steps;
        std::size_t expected;
    } const cases[] = {{0.0f, 60, 0},   {15.0f, 3, 0}, {15.0f, 4, 1},
                       {45.0f, 60, 45}, {90.0f, 2, 3}, {600.0f, 1, 10}};
    for (const Case& c : cases) {
        const Scene scene = sceneWith([&](Emitter& e) {
            e.rate = c.rate;
            e.lifetimeMin = e.lifetimeMax = 100.0f;
        });
        EXPECT_EQ(run(scene, c.steps).getParticles().size(), c.expected) << c.rate << " per s, " << c.steps;
    }
}

TEST(EffectSimulation, ParticlesLiveBetweenTheLifetimesAndThenDie) {
    const Scene scene = sceneWith([](Emitter& e) {
        e.rate = 60.0f; // one a step
        e.lifetimeMin = 0.25f;
        e.lifetimeMax = 0.5f;
    });
    Simulation simulation = run(scene, 300);
    for (const Particle& p : simulation.getParticles()) {
        EXPECT_GE(p.lifetime, 0.25f);
        EXPECT_LE(p.lifetime, 0.5f);
        EXPECT_LT(p.age, p.lifetime);
    }
    EXPECT_GE(simulation.getParticles().size(), 15u);
    EXPECT_LE(simulation.getParticles().size(), 31u);
    // With the rate at 0 the last ones die within the longest lifetime.
    simulation.update(sceneWith([](Emitter& e) {
        e.rate = 0.0f;
        e.lifetimeMin = 0.25f;
        e.lifetimeMax = 0.5f;
    }));
    for (int i = 0; i < 31; ++i) {
        simulation.step();
    }
    EXPECT_TRUE(simulation.getParticles().empty());
}

TEST(EffectSimulation, StartVelocityLiesWithinTheSpreadAroundUp) {
    const float spreads[] = {0.0f, 90.0f, 360.0f};
    for (float spread : spreads) {
        const Scene scene = sceneWith([&](Emitter& e) {
            e.rate = 6000.0f;
            e.speed = 200.0f;
            e.spread = spread;
            e.gravity = 0.0f;
        });
        const Simulation simulation = run(scene, 1);
        ASSERT_EQ(simulation.getParticles().size(), 100u);
        float widest = 0.0f;
        for (const Particle& p : simulation.getParticles()) {
            EXPECT_NEAR(std::hypot(p.vx, p.vy), 200.0f, 0.01f);
            const float offUp = std::fabs(std::atan2(p.vx, p.vy)) * 180.0f / 3.14159265f;
            EXPECT_LE(offUp, spread / 2.0f + 0.01f) << spread;
            widest = std::max(widest, offUp);
        }
        EXPECT_GE(widest, spread / 2.0f * 0.9f) << spread;
    }
}

TEST(EffectSimulation, GravityPullsDownAndPositionsFollowVelocity) {
    const Scene scene = sceneWith([](Emitter& e) {
        e.rate = 60.0f;
        e.spread = 0.0f;
        e.speed = 100.0f;
        e.gravity = 120.0f;
        e.lifetimeMin = e.lifetimeMax = 100.0f;
    });
    const Simulation simulation = run(scene, 61);
    const Particle& oldest = simulation.getParticles().front();
    // 60 steps after its birth: each step slows it by gravity / 60, then moves it.
    EXPECT_NEAR(oldest.vy, 100.0f - 120.0f, 1e-3f);
    float y = 0.0f;
    for (int n = 1; n <= 60; ++n) {
        y += (100.0f - 2.0f * n) / 60.0f;
    }
    EXPECT_NEAR(oldest.y, y, 1e-3f);
    EXPECT_NEAR(oldest.x, 0.0f, 1e-3f);
    EXPECT_NEAR(oldest.age, 1.0f, 1e-5f);
}

TEST(EffectSimulation, LookSamplesBothCurvesAtTheNormalisedAgeWithTheParticlesMix) {
    const Scene scene = sceneWith([](Emitter& e) {
        e.rate = 600.0f;
        e.lifetimeMin = e.lifetimeMax = 1.0f;
        e.size = {sizeKey(0.0f, 10.0f, 2.0f, true), sizeKey(100.0f, 30.0f, 6.0f, true)};
        e.color = {KWColorPoint(0.0f, KWColor(0, 0, 0, 255), KWColor(200, 100, 0, 255), true),
                   KWColorPoint(100.0f, KWColor(0, 0, 0, 55), KWColor(200, 100, 0, 55), true)};
    });
    const Simulation simulation = run(scene, 31); // the oldest are half way through their lives
    int checked = 0;
    for (const Particle& p : simulation.getParticles()) {
        const float age = 100.0f * p.age;
        const ParticleLook look = simulation.look(p);
        const float lower = 2.0f + 4.0f * age / 100.0f;
        const float upper = 10.0f + 20.0f * age / 100.0f;
        EXPECT_NEAR(look.size, lower + (upper - lower) * p.sizeMix, 1e-3f);
        EXPECT_NEAR(look.color.r, 200.0f * p.colorMix, 0.51f);
        EXPECT_NEAR(look.color.g, 100.0f * p.colorMix, 0.51f);
        EXPECT_EQ(look.color.b, 0);
        EXPECT_NEAR(look.color.a, 255.0f - 2.0f * age, 1.01f);
        ++checked;
    }
    EXPECT_EQ(checked, 310);
}

TEST(EffectSimulation, UpdateKeepsTheParticlesOfEmittersThatRemain) {
    Scene scene = Scene::makeDefault();
    const ElementId second = scene.addEmitter(kGroup);
    Simulation simulation = run(scene, 60);
    std::size_t fromSecond = 0;
    for (const Particle& p : simulation.getParticles()) {
        fromSecond += simulation.getEmitter(p.source).id == second ? 1 : 0;
    }
    ASSERT_GT(fromSecond, 0u);
    const std::size_t before = simulation.getParticles().size();

    ASSERT_TRUE(scene.remove(kEmitter));
    simulation.update(scene);
    EXPECT_EQ(simulation.getEmitterCount(), 1u);
    EXPECT_EQ(simulation.getParticles().size(), fromSecond);
    EXPECT_LT(fromSecond, before);
    for (const Particle& p : simulation.getParticles()) {
        EXPECT_EQ(simulation.getEmitter(p.source).id, second);
    }
}

TEST(EffectSimulation, AdvanceRunsWholeStepsAndCatchesUpOnlySoFar) {
    Simulation simulation;
    simulation.restart(Scene::makeDefault());
    EXPECT_EQ(simulation.advance(0.5 / 60.0), 0);
    EXPECT_EQ(simulation.advance(0.6 / 60.0), 1); // the half step carried over
    EXPECT_EQ(simulation.advance(2.0 / 60.0), 2);
    EXPECT_EQ(simulation.advance(-1.0), 0);
    EXPECT_EQ(simulation.advance(5.0), Simulation::kMaxCatchUpSteps);
    EXPECT_EQ(simulation.advance(0.5 / 60.0), 0); // the rest of the stall was dropped
    EXPECT_EQ(simulation.getStepCount(), 3u + Simulation::kMaxCatchUpSteps);
}

TEST(EffectSimulation, LiveParticlesAreCapped) {
    Scene scene = sceneWith([](Emitter& e) {
        e.rate = kRateRange.max;
        e.lifetimeMin = e.lifetimeMax = kLifetimeRange.max;
    });
    for (int i = 0; i < 19; ++i) {
        Emitter values = *scene.findEmitter(kEmitter);
        ASSERT_TRUE(scene.setEmitter(scene.addEmitter(kGroup), values));
    }
    const Simulation simulation = run(scene, 70);
    EXPECT_EQ(simulation.getParticles().size(), Simulation::kMaxParticles);
}

TEST(EffectSimulation, UpdateTakesEditedCurvesForLiveParticles) {
    Scene scene = Scene::makeDefault();
    Simulation simulation = run(scene, 30);
    ASSERT_FALSE(simulation.getParticles().empty());
    Emitter values = *scene.findEmitter(kEmitter);
    for (KWColorPoint& key : values.color) {
        key.color1 = key.color2 = KWColor(1, 2, 3, 4);
    }
    values.size = {sizeKey(0.0f, 50.0f, 50.0f, true), sizeKey(100.0f, 50.0f, 50.0f, true)};
    ASSERT_TRUE(scene.setEmitter(kEmitter, values));
    simulation.update(scene);
    for (const Particle& p : simulation.getParticles()) {
        const ParticleLook look = simulation.look(p);
        EXPECT_EQ(look.size, 50.0f);
        EXPECT_TRUE(look.color.r == 1 && look.color.g == 2 && look.color.b == 3 && look.color.a == 4);
    }
}
