#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::string example(const std::string& name) {
    return std::string(PELMORA_EXAMPLES) + "/" + name;
}

pelmora::Effect loaded(const std::string& path) {
    const pelmora::LoadResult effect = pelmora::Effect::load(path);
    EXPECT_TRUE(effect) << effect.error();
    return *effect;
}

bool same(const std::vector<pelmora::Particle>& a, const std::vector<pelmora::Particle>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])) == 0);
}

const char* const kFiles[] = {"campfire.kwfx",  "fire.kwfx", "smoke.kwfx", "sparks.kwfx",
                              "fireworks.kwfx", "rain.kwfx", "magic.kwfx"};

} // namespace

TEST(RuntimeEffectFile, WritesEveryExampleBackByteForByte) {
    for (const char* name : kFiles) {
        std::ifstream file(example(name), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        const pelmora::LoadResult effect = pelmora::Effect::parse(text.str());
        ASSERT_TRUE(effect) << name << ": " << effect.error();
        EXPECT_EQ(effect->toJson(), text.str()) << name;
        EXPECT_EQ(effect->toJson(pelmora::TextEncoding::Latin1), text.str()) << name; // ASCII names
    }
}

// A reloaded instance, and one prewarmed then placed before its first update, hold what a fresh instance
// placed there and seeked to the same time holds.
TEST(RuntimeEffectFile, ReloadAndPlacingEqualSeekingAFreshInstance) {
    struct Case {
        const char* from;
        const char* to;
        double seconds;
        bool stopped;
    } const cases[] = {{"sparks.kwfx", "campfire.kwfx", 1.3, false},
                       {"campfire.kwfx", "fire.kwfx", 0.0, false},
                       {"fire.kwfx", "smoke.kwfx", 2.25, true},
                       {"smoke.kwfx", "smoke.kwfx", 0.5, false}};
    for (const Case& c : cases) {
        const pelmora::Effect target = loaded(example(c.to));
        pelmora::Instance instance(loaded(example(c.from)), 7);
        instance.setPosition(10.0f, -5.0f);
        instance.update(c.seconds);
        if (c.stopped) {
            instance.stop();
        }
        ASSERT_TRUE(instance.reload(target));
        pelmora::Instance fresh(target, 7);
        fresh.setPosition(10.0f, -5.0f);
        pelmora::Instance played = fresh;
        fresh.seek(c.seconds);
        played.update(c.seconds);
        EXPECT_EQ(instance.time(), fresh.time());
        EXPECT_TRUE(same(instance.particles(), fresh.particles())) << c.from << " to " << c.to;
        EXPECT_TRUE(same(played.particles(), fresh.particles())) << c.to;
        EXPECT_EQ(instance.alive(), !c.stopped || !instance.particles().empty());
    }
    pelmora::Instance instance(loaded(example("fire.kwfx")), 7);
    instance.update(0.5);
    EXPECT_FALSE(instance.reload(pelmora::Effect()));
    EXPECT_FALSE(instance.particles().empty());
}
