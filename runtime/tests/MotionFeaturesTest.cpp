#include "Engine.h"

#include <pelmora/Limits.h>
#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

namespace pelmora {
namespace detail {
namespace {

EmitterDesc plain() {
    EmitterDesc emitter;
    emitter.name = "E";
    emitter.size = {{0, 10, 10}, {100, 10, 10}};
    emitter.color = {{0, {255, 255, 255, 255}, {255, 255, 255, 255}}, {100, {0, 0, 0, 0}, {0, 0, 0, 0}}};
    emitter.spread = 360.0f;
    return emitter;
}

float speedOf(const Body& body) {
    return std::sqrt(body.vx * body.vx + body.vy * body.vy);
}

// Runs the emitters for the seconds given, calling check after every step.
void play(const std::vector<EmitterDesc>& emitters, double seconds,
          const std::function<void(const Engine&)>& check = nullptr) {
    Engine engine(11);
    engine.restart(emitters);
    for (int step = 0; step < static_cast<int>(seconds * Engine::kStepsPerSecond); ++step) {
        engine.step();
        if (check) {
            check(engine);
        }
    }
}

// FNV-1a over every particle's fields at a few times: the same effect and seed give the same value.
std::uint64_t particleHash(const Effect& effect) {
    Instance instance(effect, 7);
    std::uint64_t hash = 1469598103934665603ULL;
    for (double t : {0.5, 1.0, 2.5, 4.0}) {
        instance.update(t - instance.time());
        for (const Particle& p : instance.particles()) {
            const float f[5] = {p.x, p.y, p.size, p.rotation, static_cast<float>(p.frame)};
            unsigned char bytes[sizeof(f) + 4];
            std::memcpy(bytes, f, sizeof(f));
            const unsigned char color[4] = {p.r, p.g, p.b, p.a};
            std::memcpy(bytes + sizeof(f), color, 4);
            for (unsigned char b : bytes) {
                hash = (hash ^ b) * 1099511628211ULL;
            }
        }
    }
    return hash;
}

TEST(MotionFeatures, InvariantsHoldAfterEveryStep) {
    struct Case {
        const char* name;
        std::function<void(EmitterDesc&)> set;
        std::function<bool(const Body&)> holds;
    } const cases[] = {
        {"collision keeps centres above the plane",
         [](EmitterDesc& e) {
             e.gravity = 400.0f;
             e.speed = 300.0f;
             e.collision.enabled = true;
             e.collision.plane = -20.0f;
             e.noise.strength = 2000.0f;
         },
         [](const Body& b) { return b.y >= -20.01f; }},
        {"speed limit",
         [](EmitterDesc& e) {
             e.speed = 500.0f;
             e.gravity = 2000.0f;
             e.speedLimit = 80.0f;
             e.forces = {{ForceKind::Attractor, 50, 50, 3000, 0, 0}};
         },
         [](const Body& b) { return speedOf(b) <= 80.0f * 1.0001f; }},
        {"speed over life flat 0 holds particles where they were emitted",
         [](EmitterDesc& e) {
             e.gravity = 300.0f;
             e.noise.strength = 500.0f;
             e.speedOverLife = {{0, 0, 0}, {100, 0, 0}};
         },
         [](const Body& b) { return b.x == 0.0f && b.y == 0.0f; }},
    };
    for (const Case& c : cases) {
        EmitterDesc emitter = plain();
        c.set(emitter);
        ASSERT_TRUE(checkEmitter(emitter).ok()) << c.name << ": " << checkEmitter(emitter).message;
        std::size_t seen = 0;
        play({emitter}, 3.0, [&](const Engine& engine) {
            for (const Body& body : engine.bodies()) {
                ASSERT_TRUE(c.holds(body))
                    << c.name << " at " << body.x << "," << body.y << " v " << speedOf(body);
            }
            seen += engine.bodies().size();
        });
        EXPECT_GT(seen, 1000u) << c.name;
    }
}

TEST(MotionFeatures, ForcesPushTheirWay) {
    struct Case {
        Force force;
        float towardsX; // the mean velocity's expected sign along x, and along y
        float towardsY;
    } const cases[] = {
        {{ForceKind::Wind, 0, 0, 500, 0, 0}, 1, 0},
        {{ForceKind::Wind, 0, 0, 500, 0, 90}, 0, 1},
        {{ForceKind::Attractor, -300, 0, 800, 0, 0}, -1, 0},
        {{ForceKind::Attractor, -300, 0, -800, 0, 0}, 1, 0},
        // Counter-clockwise about a centre below the origin: moving towards -x at the top.
        {{ForceKind::Vortex, 0, -300, 800, 0, 0}, -1, 0},
        {{ForceKind::Vortex, 0, -300, 800, 100, 0}, 0, 0}, // out of its reach
    };
    for (const Case& c : cases) {
        EmitterDesc emitter = plain();
        emitter.speed = 0.0f;
        emitter.gravity = 0.0f;
        emitter.forces = {c.force};
        float vx = 0.0f, vy = 0.0f;
        play({emitter}, 0.1, [&](const Engine& engine) {
            if (!engine.bodies().empty()) {
                vx = engine.bodies().front().vx;
                vy = engine.bodies().front().vy;
            }
        });
        EXPECT_EQ((vx > 1.0f) - (vx < -1.0f), c.towardsX) << int(c.force.kind) << " " << vx;
        EXPECT_EQ((vy > 1.0f) - (vy < -1.0f), c.towardsY) << int(c.force.kind) << " " << vy;
    }
}

TEST(MotionFeatures, NoiseIsAFunctionOfPositionTimeAndSeed) {
    Noise noise;
    noise.strength = 100.0f;
    noise.scroll = 1.0f;
    noise.octaves = 3;
    float ax = 0.0f, ay = 0.0f;
    noiseAcceleration(noise, 10.0f, 20.0f, 1.5f, 7, ax, ay);
    struct Case {
        float x, y, t;
        std::uint64_t seed;
        bool same;
    } const cases[] = {
        {10, 20, 1.5f, 7, true},
        {60, 20, 1.5f, 7, false},
        {10, 20, 1.9f, 7, false},
        {10, 20, 1.5f, 8, false},
    };
    for (const Case& c : cases) {
        float bx = 0.0f, by = 0.0f;
        noiseAcceleration(noise, c.x, c.y, c.t, c.seed, bx, by);
        EXPECT_EQ(ax == bx && ay == by, c.same) << c.x << "," << c.y << " t " << c.t << " seed " << c.seed;
        EXPECT_LE(std::fabs(bx), noise.strength);
    }
}

TEST(MotionFeatures, DefaultsLeaveEarlierEffectsUnchangedToTheBit) {
    // Hashes of these files' particles before the new fields existed.
    struct Case {
        std::string path;
        std::uint64_t hash;
    } const cases[] = {
        {std::string(PELMORA_TEST_DATA) + "/sparks.kwfx", 0x0dcbd3e776b81579ULL},
        {std::string(PELMORA_TEST_DATA) + "/../../../editor/examples/campfire.kwfx", 0x5ebb3b1cf6c64d64ULL},
    };
    for (const Case& c : cases) {
        const LoadResult loaded = Effect::load(c.path);
        ASSERT_TRUE(loaded) << loaded.error();
        EXPECT_EQ(particleHash(*loaded), c.hash) << c.path;
        // Saved as the newest version, it reads back the same particles.
        const LoadResult migrated = Effect::parse(loaded->toJson());
        ASSERT_TRUE(migrated) << migrated.error();
        EXPECT_NE(loaded->toJson().find("\"version\": 3"), std::string::npos);
        EXPECT_EQ(particleHash(*migrated), c.hash) << c.path;
    }
}

EmitterDesc parentOf(int count, SubEmitter sub) {
    EmitterDesc parent = plain();
    parent.rate = 0.0f;
    parent.loop = false;
    parent.duration = 1.0f;
    parent.bursts = {{0.0f, count, 0.0f, 1}};
    parent.lifetimeMin = parent.lifetimeMax = 1.0f;
    parent.subEmitters = {sub};
    return parent;
}

TEST(SubEmitters, DeathAndCollisionEmitTheirCounts) {
    SubEmitter death;
    death.trigger = Trigger::Death;
    death.count = 5;
    death.emitter = plain();
    death.emitter.rate = 0.0f;
    death.emitter.lifetimeMin = death.emitter.lifetimeMax = 5.0f;
    SubEmitter splash = death;
    splash.trigger = Trigger::Collision;
    splash.count = 3;
    EmitterDesc falling = parentOf(10, splash);
    falling.speed = 0.0f;
    falling.collision.enabled = true;
    falling.collision.plane = -10.0f;
    falling.collision.kill = true;
    struct Case {
        EmitterDesc parent;
        std::size_t parents;
        std::size_t children;
    } const cases[] = {{parentOf(10, death), 0, 50}, {falling, 0, 30}};
    for (const Case& c : cases) {
        Engine engine(3);
        engine.restart(std::vector<EmitterDesc>{c.parent});
        for (int step = 0; step < 90; ++step) { // 1.5 s
            engine.step();
        }
        std::size_t parents = 0;
        for (const Body& body : engine.bodies()) {
            parents += body.source == 0;
        }
        EXPECT_EQ(parents, c.parents);
        EXPECT_EQ(engine.bodies().size() - parents, c.children);
    }
}

TEST(SubEmitters, BirthSubEmittersFollowTheirParent) {
    SubEmitter smoke;
    smoke.trigger = Trigger::Birth;
    smoke.emitter = plain();
    smoke.emitter.rate = 30.0f;
    smoke.emitter.speed = 0.0f;
    smoke.emitter.gravity = 0.0f;
    EmitterDesc rocket = parentOf(1, smoke);
    rocket.spread = 0.0f;
    rocket.speed = 200.0f;
    Engine engine(5);
    engine.restart(std::vector<EmitterDesc>{rocket});
    std::size_t born = 0;
    for (int step = 0; step < 50; ++step) {
        engine.step();
        const Body& parent = engine.bodies().front();
        for (const Body& body : engine.bodies()) {
            if (body.source != 0 && body.age == 0.0f) {
                EXPECT_EQ(body.x, parent.x);
                EXPECT_EQ(body.y, parent.y);
                ++born;
            }
        }
    }
    EXPECT_EQ(born, 24u); // 30 a second for 49 steps of the parent's life
}

TEST(FormatVersion3, EveryNewFieldRoundTripsByteForByte) {
    EmitterDesc spark = plain();
    spark.name = "Spark";
    spark.trail = {0.25f, 0.5f, 12, false};
    spark.noise = {150.5f, 2.5f, 0.75f, 3};
    spark.forces = {{ForceKind::Vortex, 1.5f, -2, 300, 40, 0}, {ForceKind::Wind, 0, 0, -20, 0, 270}};
    spark.speedOverLife = {{0, 2, 1}, {50, 0.5f, 0.25f}, {100, 0, 0}};
    spark.speedLimit = 400.0f;
    spark.stretch = 0.05f;
    spark.collision = {true, -30.0f, 0.3f, 0.2f, 0.1f, true};
    SubEmitter inner;
    inner.trigger = Trigger::Collision;
    inner.count = 4;
    inner.emitter = plain();
    inner.emitter.name = "Splash";
    EmitterDesc rocket = plain();
    rocket.name = "Rocket";
    rocket.subEmitters = {{Trigger::Birth, 10, 0.5f, spark}, {Trigger::Death, 25, 1.0f, spark}};
    rocket.subEmitters[1].emitter.subEmitters = {inner};
    const LoadResult made = Effect::make({{"S", {{"G", {rocket}}}}});
    ASSERT_TRUE(made) << made.error();
    const std::string text = made->toJson();
    const LoadResult read = Effect::parse(text);
    ASSERT_TRUE(read) << read.error();
    EXPECT_EQ(read->toJson(), text);
    EXPECT_EQ(particleHash(*read), particleHash(*made));

    // A fourth level is refused.
    rocket.subEmitters[1].emitter.subEmitters[0].emitter.subEmitters = {inner};
    const std::string deep = "subEmitters[1].emitter.subEmitters[0].emitter.subEmitters";
    EXPECT_NE(checkEmitter(rocket).field.find(deep), std::string::npos) << checkEmitter(rocket).field;
}

} // namespace
} // namespace detail
} // namespace pelmora
