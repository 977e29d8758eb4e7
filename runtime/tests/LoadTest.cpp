#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kSparks = std::string(PELMORA_TEST_DATA) + "/sparks.kwfx";

} // namespace

TEST(RuntimeLoad, RefusedFilesNameTheLineOrField) {
    const std::string good = readAll(kSparks);
    ASSERT_TRUE(pelmora::Effect::parse(good)) << pelmora::Effect::parse(good).error();
    const std::string emitter = "systems[0].groups[0].emitters[0].";
    struct Case {
        const char* from; // replaced in the good file (empty: the whole file)
        const char* to;
        std::string error;
    } const cases[] = {
        {"", "{\n  \"format\": ", "line 2, column 13: syntax error"},
        {"", "{}\n\xC3(", "line 2: the text is not UTF-8"},
        {"", "[1]", "the file: holds an array, not an effect object"},
        {"\"pelmora-effect\"", "\"other\"", "format: is not \"pelmora-effect\""},
        {"\"version\": 1", "\"version\": 4", "version: 4 is newer than this program reads"},
        {"\"systems\"", "\"sys\"", "sys: unknown field"},
        {"\"rate\": 30", "\"rate\": -1", emitter + "rate: -1 is outside 0..10000"},
        {"\"rate\": 30", "\"rate\": \"fast\"", emitter + "rate: is text, not a number"},
        {"\"blend\": \"alpha\"", "\"blend\": \"glow\"",
         emitter + "blend: is neither \"alpha\" nor \"additive\""},
        {"\"min\": 0.5", "\"min\": 5", emitter + "lifetime: minimum 5 is above maximum 1"},
        {"255,\n", "256,\n", emitter + "color[0].upper[0]: 256 is outside 0..255"},
        {"\"upper\": 16", "\"upper\": 1", emitter + "size[0]: lower value 10 is above upper value 1"},
    };
    for (const Case& c : cases) {
        std::string text = c.to;
        if (*c.from) {
            text = good;
            const std::size_t at = text.find(c.from);
            ASSERT_NE(at, std::string::npos) << c.from;
            text.replace(at, std::string(c.from).size(), c.to);
        }
        const pelmora::LoadResult result = pelmora::Effect::parse(text);
        EXPECT_FALSE(result) << c.to;
        EXPECT_EQ(result.error().rfind(c.error, 0), 0u) << result.error();
        EXPECT_EQ(result->emitterCount(), 0u);
    }
    const pelmora::LoadResult missing = pelmora::Effect::load("no/such/effect.kwfx");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error().rfind("no/such/effect.kwfx: cannot open the file", 0), 0u) << missing.error();
}

TEST(RuntimeLoad, TexturesAreListedOnceRelativeToTheFile) {
    const pelmora::LoadResult effect = pelmora::Effect::load(kSparks);
    ASSERT_TRUE(effect) << effect.error();
    EXPECT_EQ(effect->emitterCount(), 2u);
    ASSERT_EQ(effect->texturePaths().size(), 1u);
    EXPECT_EQ(effect->texturePaths()[0], std::string(PELMORA_TEST_DATA) + "/dot.png");
    EXPECT_EQ(effect->systems()[0].groups[0].emitters[1].size.size(), 3u);
}
