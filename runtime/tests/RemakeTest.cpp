#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

using namespace pelmora;

// An edited effect made from the last one plays exactly as one made afresh, and refuses what make refuses.
TEST(RuntimeRemake, PlaysAsMakeAndRefusesAsMake) {
    const LoadResult loaded = Effect::load(std::string(PELMORA_TEST_DATA) + "/sparks.kwfx");
    ASSERT_TRUE(loaded) << loaded.error();
    std::vector<SystemDesc> systems = loaded->systems();
    systems[0].groups[0].emitters[1].rate += 5.0f;
    std::swap(systems[0].groups[0].emitters[0], systems[0].groups[0].emitters[1]);
    const LoadResult remade = loaded->remake(systems, {1, 0});
    const LoadResult made = Effect::make(systems);
    ASSERT_TRUE(remade && made) << remade.error();
    Instance a(*remade, 7), b(*made, 7);
    a.seek(1.5);
    b.seek(1.5);
    ASSERT_EQ(a.particleCount(), b.particleCount());
    ASSERT_GT(a.particleCount(), 0u);
    for (std::size_t i = 0; i < a.particleCount(); ++i) {
        EXPECT_TRUE(a.particles()[i].x == b.particles()[i].x &&
                    a.particles()[i].size == b.particles()[i].size &&
                    a.particles()[i].a == b.particles()[i].a)
            << i;
    }
    systems[0].groups[0].emitters[0].rate = -1.0f;
    const LoadResult refused = loaded->remake(systems, {1, 0});
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error(), Effect::make(systems).error());
}
