#include "logic/EffectFile.h"
#include "logic/Utf8Text.h"

#include <gtest/gtest.h>

using namespace KW::effect;

TEST(Utf8Text, FindsTheLineOfTheFirstMalformedSequence) {
    struct Case {
        std::string text;
        std::size_t line;
    } const cases[] = {
        {"", 0},
        {"\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 \xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", 0},
        {"\xE8\x8A\xB1\xE7\x81\xAB \xE2\x9C\xA8 \xD0\x81\xD0\xB6\n", 0}, // CJK, a sparkle, Cyrillic
        {"a\n\nb\x80", 3},                                               // a stray continuation byte
        {"\xFF", 1},
        {"\n\xC1\xBF", 2},       // overlong U+007F
        {"\xE0\x9F\xBF", 1},     // overlong U+07FF
        {"\xF0\x8F\xBF\xBF", 1}, // overlong U+FFFF
        {"x\n\xED\xA0\x80", 2},  // surrogate U+D800
        {"\xF4\x90\x80\x80", 1}, // U+110000
        {"\xF5\x80\x80\x80", 1},
        {"ok\n\xE2\x9C", 2},   // cut short at the end
        {"\xF0\x9F\x98\n", 1}, // cut short by a line break
        {"\xC3\xA9\n\xC3\xA9\n\xE9t\xE9", 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.line, firstInvalidUtf8Line(c.text)) << c.text;
    }
}

TEST(Utf8Text, AnEffectFileThatIsNotUtf8IsRefusedNamingTheLine) {
    Scene scene = Scene::makeDefault();
    std::string error;
    EXPECT_FALSE(readEffect("{\n\"format\":\n\"pelmora-\xE9\"}", scene, error, TextEncoding::Utf8));
    EXPECT_EQ("line 3: the text is not UTF-8; effect files are UTF-8 text", error);
    EXPECT_TRUE(scene == Scene::makeDefault());
}
