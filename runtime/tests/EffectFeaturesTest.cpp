#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

const float kPi = 3.14159265f;

pelmora::EmitterDesc plain() {
    pelmora::EmitterDesc emitter;
    emitter.name = "E";
    emitter.size = {{0, 10, 10}, {100, 10, 10}};
    emitter.color = {{0, {255, 255, 255, 255}, {255, 255, 255, 255}}, {100, {0, 0, 0, 0}, {0, 0, 0, 0}}};
    emitter.lifetimeMin = emitter.lifetimeMax = 100.0f;
    emitter.gravity = 0.0f;
    return emitter;
}

pelmora::Effect effectOf(const pelmora::EmitterDesc& emitter) {
    const pelmora::LoadResult made = pelmora::Effect::make({{"S", {{"G", {emitter}}}}});
    EXPECT_TRUE(made) << made.error();
    return *made;
}

std::vector<pelmora::Particle> at(const pelmora::Effect& effect, double seconds) {
    pelmora::Instance instance(effect, 7);
    instance.seek(seconds);
    return instance.particles();
}

} // namespace

TEST(EffectFeatures, BurstsDelayAndDurationEmitTheirCountsAtTheirTimes) {
    pelmora::EmitterDesc bursts = plain();
    bursts.rate = 0.0f;
    bursts.bursts = {{0.5f, 10, 0.25f, 3}};
    bursts.duration = 2.0f;
    bursts.delay = 1.0f;
    pelmora::EmitterDesc once = plain();
    once.rate = 60.0f;
    once.duration = 0.5f;
    once.loop = false;
    struct Case {
        const pelmora::EmitterDesc* emitter;
        double at;
        std::size_t count;
    } const cases[] = {
        {&bursts, 1.49, 0}, {&bursts, 1.52, 10}, {&bursts, 2.02, 30}, {&bursts, 3.52, 40},
        {&once, 0.25, 15},  {&once, 0.5, 30},    {&once, 3.0, 30},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(at(effectOf(*c.emitter), c.at).size(), c.count) << c.at;
    }
}

TEST(EffectFeatures, RotationAndFramesFollowTheirSettings) {
    pelmora::EmitterDesc spinning = plain();
    spinning.rotationMin = spinning.rotationMax = 30.0f;
    spinning.spinMin = spinning.spinMax = 90.0f;
    spinning.sheet = {4, 4, 0.0f, false};
    spinning.lifetimeMin = spinning.lifetimeMax = 2.0f;
    pelmora::EmitterDesc aligned = plain();
    aligned.alignToVelocity = true;
    aligned.direction = -90.0f; // along +x for a point
    aligned.spread = 0.0f;
    aligned.sheet = {2, 1, 10.0f, false};
    const pelmora::Particle first = at(effectOf(spinning), 1.0).front(); // 40 a second: born at 2/60 s
    EXPECT_NEAR(first.rotation, (30.0f + 90.0f * (1.0f - 2.0f / 60)) * kPi / 180, 1e-4f);
    EXPECT_EQ(first.frame, 7); // 58/60 s of 2 s over 16 frames
    EXPECT_EQ(first.columns, 4);
    const pelmora::Particle moving = at(effectOf(aligned), 0.5).front();
    EXPECT_NEAR(moving.rotation, 0.0f, 1e-4f);
    EXPECT_EQ(moving.frame, 0); // 28/60 s at 10 frames a second: frame 4, wrapped in two frames
}

TEST(EffectFeatures, SeekingEqualsPlayingWithPrewarmDelayBurstsAndShapes) {
    pelmora::EmitterDesc emitter = plain();
    emitter.lifetimeMin = 0.5f;
    emitter.lifetimeMax = 1.5f;
    emitter.shape = {pelmora::ShapeKind::Circle, true, 20.0f, 0.0f, 0.0f};
    emitter.bursts = {{0.1f, 7, 0.3f, 2}};
    emitter.duration = 1.0f;
    emitter.delay = 0.2f;
    emitter.prewarm = true;
    emitter.spinMin = -40.0f;
    emitter.spinMax = 40.0f;
    emitter.drag = 2.0f;
    emitter.sheet = {2, 2, 0.0f, true};
    const pelmora::Effect effect = effectOf(emitter);
    pelmora::Instance played(effect, 7);
    for (int i = 0; i < 150; ++i) {
        played.update(1.0 / 60);
    }
    const std::vector<pelmora::Particle> sought = at(effect, 2.5);
    ASSERT_EQ(played.particles().size(), sought.size());
    EXPECT_EQ(std::memcmp(played.particles().data(), sought.data(), sought.size() * sizeof(sought[0])), 0);
    // Prewarmed: particles are out at the start, from the circle's outline.
    const std::vector<pelmora::Particle> start = at(effect, 0.0);
    ASSERT_FALSE(start.empty());
    EXPECT_GT(std::hypot(start.back().x, start.back().y), 19.0f);
}
