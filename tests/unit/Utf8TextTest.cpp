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
        {"plain\nascii\n", 0},
        {"\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 \xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", 0},
        {"\xE8\x8A\xB1\xE7\x81\xAB \xE2\x9C\xA8 \xD0\x81\xD0\xB6", 0}, // a CJK name, a sparkle, Cyrillic
        {"a\n\nb\x80", 3},                                             // a stray continuation byte
        {"\xFF", 1},
        {"\xC0\xAF", 1},         // overlong '/'
        {"\n\xC1\xBF", 2},       // overlong U+007F
        {"\xE0\x9F\xBF", 1},     // overlong U+07FF
        {"\xF0\x8F\xBF\xBF", 1}, // overlong U+FFFF
        {"\xED\xA0\x80", 1},     // surrogate U+D800
        {"x\n\xED\xBF\xBF", 2},  // surrogate U+DFFF
        {"\xF4\x90\x80\x80", 1}, // U+110000
        {"\xF5\x80\x80\x80", 1},
        {"ok\n\xE2\x9C", 2}, // cut short at the end
        {"\xE2\x9C\n", 1},   // cut short by a line break
        {"\xF0\x9F\x98", 1},
        {"\xC3\xA9\n\xC3\xA9\n\xE9t\xE9", 3}, // Latin-1 bytes after valid lines
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.line, firstInvalidUtf8Line(c.text)) << c.text;
    }
}

TEST(Utf8Text, EffectFilesKeepUtf8NamesAndRefuseOtherTextNamingTheLine) {
    Scene scene = Scene::makeDefault();
    ASSERT_TRUE(scene.rename(3, "\xE8\x8A\xB1\xE7\x81\xAB \xE2\x9C\xA8 \xD0\x81\xD0\xB6"));
    const std::string text = writeEffect(scene, TextEncoding::Utf8);
    EXPECT_NE(text.find("\xE8\x8A\xB1\xE7\x81\xAB"), std::string::npos); // stored as UTF-8, not escaped
    Scene loaded = Scene::makeDefault();
    std::string error;
    ASSERT_TRUE(readEffect(text, loaded, error, TextEncoding::Utf8)) << error;
    EXPECT_TRUE(Scene::sameContent(scene, loaded));

    std::string bad = text;
    bad.insert(bad.find('\n', bad.find('\n') + 1) + 1, "\xE9");
    const Scene before = loaded;
    EXPECT_FALSE(readEffect(bad, loaded, error, TextEncoding::Utf8));
    EXPECT_EQ(0u, error.find("line 3: the text is not UTF-8")) << error;
    EXPECT_TRUE(loaded == before);
}
