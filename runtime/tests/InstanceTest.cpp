#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

pelmora::Effect sparks() {
    const pelmora::LoadResult effect = pelmora::Effect::load(std::string(PELMORA_TEST_DATA) + "/sparks.kwfx");
    EXPECT_TRUE(effect) << effect.error();
    return *effect;
}

// Bit for bit: the same on every platform is the promise.
bool same(const std::vector<pelmora::Particle>& a, const std::vector<pelmora::Particle>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])) == 0);
}

std::vector<pelmora::Particle> played(const pelmora::Effect& effect, std::uint32_t seed, double seconds,
                                      double step) {
    pelmora::Instance instance(effect, seed);
    instance.setPosition(10.0f, -5.0f);
    for (double t = 0.0; t + step <= seconds + 1e-9; t += step) {
        instance.update(step);
    }
    return instance.particles();
}

} // namespace

TEST(RuntimeInstance, SameSeedGivesTheSameParticlesAndAnotherSeedOthers) {
    const pelmora::Effect effect = sparks();
    const std::vector<pelmora::Particle> first = played(effect, 42, 1.5, 1.0 / 60);
    ASSERT_GT(first.size(), 20u);
    EXPECT_TRUE(same(first, played(effect, 42, 1.5, 1.0 / 60)));
    EXPECT_FALSE(same(first, played(effect, 43, 1.5, 1.0 / 60)));
    EXPECT_EQ(first[0].texture, 0);
    EXPECT_EQ(first[0].blend, pelmora::Blend::Alpha);
}

TEST(RuntimeInstance, SeekEqualsPlayingToTheSameTime) {
    const pelmora::Effect effect = sparks();
    struct Case {
        double seconds;
        double step;
    } const cases[] = {{0.5, 1.0 / 60}, {1.0, 1.0 / 30}, {2.0, 0.1}, {0.75, 0.25}, {3.0, 3.0 / 7}};
    for (const Case& c : cases) {
        pelmora::Instance sought(effect, 42);
        sought.setPosition(10.0f, -5.0f);
        sought.update(0.4); // seek starts over whatever was played
        sought.seek(c.seconds);
        EXPECT_TRUE(same(sought.particles(), played(effect, 42, c.seconds, c.step)))
            << c.seconds << " " << c.step;
    }
}

TEST(RuntimeInstance, StoppedInstanceDiesWhenItsParticlesDo) {
    pelmora::Instance instance(sparks(), 1);
    instance.update(1.0);
    instance.stop();
    instance.update(0.5);
    EXPECT_TRUE(instance.alive());
    EXPECT_FALSE(instance.particles().empty());
    instance.update(0.6); // past the longest lifetime
    EXPECT_TRUE(instance.particles().empty());
    EXPECT_FALSE(instance.alive());
    instance.play();
    instance.update(0.1);
    EXPECT_FALSE(instance.particles().empty());

    // An effect whose emitters do not loop ends by itself, once its last particle has died.
    std::vector<pelmora::SystemDesc> once = sparks().systems();
    for (pelmora::GroupDesc& group : once[0].groups) {
        for (pelmora::EmitterDesc& emitter : group.emitters) {
            emitter.loop = false;
            emitter.duration = 0.5f;
        }
    }
    const pelmora::LoadResult ending = pelmora::Effect::make(once);
    ASSERT_TRUE(ending) << ending.error();
    pelmora::Instance played(*ending, 1);
    played.update(0.6);
    EXPECT_TRUE(played.alive());
    played.update(5.0);
    EXPECT_TRUE(played.particles().empty());
    EXPECT_FALSE(played.alive());
}
