// The reader's refusals name the line or field at fault and why; file input refuses what it cannot read;
// numbers are written in their shortest text and UTF-8 faults are found by line.
#include <pelmora/Limits.h>
#include <pelmora/Runtime.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <limits>

using namespace pelmora;

namespace {

// One emitter with every field; the cases below spoil one piece of it.
const char* const kValid = R"({"format": "pelmora-effect", "version": 1, "systems": [
{"name": "S", "groups": [{"name": "G", "emitters": [
{"name": "E", "rate": 40, "lifetime": {"min": 1.0, "max": 2.0}, "speed": 120, "spread": 30,
 "gravity": 60, "blend": "additive", "texture": "",
 "size": [{"x": 0, "upper": 12, "lower": 6}, {"x": 100, "upper": 3, "lower": 1}],
 "color": [{"position": 0, "upper": [255, 240, 170, 255], "lower": [255, 190, 60, 255]},
           {"position": 100, "upper": [230, 60, 0, 0], "lower": [160, 20, 0, 0]}]}]}]}]})";

const std::string kEmitterPath = "systems[0].groups[0].emitters[0].";

std::string replaced(const std::string& from, const std::string& to) {
    std::string text = kValid;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// kValid as version 2 with the emitter's version 2 fields, one of them changed.
std::string version2(const std::string& from = "", const std::string& to = "") {
    std::string features =
        R"(, "shape": {"kind": "circle", "edge": true, "radius": 5, "width": 0, "height": 0},
 "direction": 0, "timing": {"duration": 2, "loop": true, "delay": 0, "prewarm": false},
 "bursts": [{"time": 0, "count": 5, "interval": 0, "cycles": 1}], "rotation": {"min": 0, "max": 0},
 "spin": {"min": 0, "max": 0}, "alignToVelocity": false, "drag": 0,
 "sheet": {"columns": 1, "rows": 1, "frameRate": 0, "randomStart": false})";
    if (!from.empty()) {
        features.replace(features.find(from), from.size(), to);
    }
    std::string text = replaced("[160, 20, 0, 0]}]", "[160, 20, 0, 0]}]" + features);
    return text.replace(text.find("\"version\": 1"), 12, "\"version\": 2");
}

} // namespace

TEST(RuntimeReader, BadTextIsRefusedSayingWhatAndWhere) {
    struct Case {
        std::string text;
        std::string expected; // the start of the message
    };
    const Case cases[] = {
        {"", "the file is empty"},
        {" \r\n\t", "the file is empty"},
        {std::string(Effect::kMaxFileBytes + 1, ' '), "the file is 16777217 bytes long"},
        {"effect", "line 1, column 1: syntax error"},
        {"{\n  \"format\": \"pelmora-effect\",\n  \"version\": 1,,", "line 3, column 16: syntax error"},
        {replaced("\"rate\": 40", "\"rate\": NaN"), "line 3, column 23: syntax error"},
        {"[1, 2]", "the file: holds an array, not an effect object"},
        {replaced("pelmora-effect", "picture"), "format: is not \"pelmora-effect\""},
        {replaced("\"version\": 1", "\"version\": 4"), "version: 4 is newer than this program reads"},
        {replaced("\"version\": 1", "\"version\": 18446744073709551615"),
         "version: 18446744073709551615 is newer"},
        {replaced("\"version\": 1", "\"version\": 0"), "version: is not a version number"},
        {replaced("\"version\": 1", "\"version\": \"1\""), "version: is not a version number"},
        {replaced("\"version\": 1,", ""), "version: is missing"},
        {replaced("\"systems\": [", "\"extra\": 0, \"systems\": ["), "extra: unknown field"},
        {replaced("\"groups\": [{", "\"groups\": [7, {"), "systems[0].groups[0]: is a number, not an object"},
        {replaced("\"name\": \"S\"", "\"name\": \"\""), "systems[0].name: is empty"},
        {replaced("\"name\": \"G\"", "\"name\": \"\\u0100\""),
         "systems[0].groups[0].name: holds a character beyond"},
        {replaced("\"speed\": 120,", ""), kEmitterPath + "speed: is missing"},
        {replaced("\"texture\"", "\"colour\": 1, \"texture\""), kEmitterPath + "colour: unknown field"},
        {replaced("\"rate\": 40", "\"rate\": \"40\""), kEmitterPath + "rate: is text, not a number"},
        {replaced("\"rate\": 40", "\"rate\": 1e39"), kEmitterPath + "rate: is too large"},
        {replaced("\"rate\": 40", "\"rate\": -1"), kEmitterPath + "rate: -1 is outside 0..10000"},
        {replaced("\"min\": 1.0", "\"min\": -0.5"),
         kEmitterPath + "lifetime.min: -0.5 is outside 0.01..1000"},
        {replaced("\"min\": 1.0", "\"min\": 3"), kEmitterPath + "lifetime: minimum 3 is above maximum 2"},
        {replaced("\"additive\"", "\"screen\""), kEmitterPath + "blend: is neither"},
        {replaced("{\"x\": 100,", "{\"x\": 100.5,"), kEmitterPath + "size[1].x: 100.5 is outside 0..100"},
        {replaced("\"upper\": 12, \"lower\": 6", "\"upper\": 6, \"lower\": 12"),
         kEmitterPath + "size[0]: lower value 12 is above upper value 6"},
        {replaced("{\"x\": 0, \"upper\": 12, \"lower\": 6}, ", ""), kEmitterPath + "size: 1 keys"},
        {replaced("[255, 240, 170, 255]", "[256, 240, 170, 255]"),
         kEmitterPath + "color[0].upper[0]: 256 is outside"},
        {replaced("[255, 190, 60, 255]", "[255, 190, -60, 255]"),
         kEmitterPath + "color[0].lower[2]: -60 is outside"},
        {replaced("[230, 60, 0, 0]", "[230, 60, 0.5, 0]"),
         kEmitterPath + "color[1].upper[2]: is not a whole number"},
        {replaced("[160, 20, 0, 0]", "[160, 20, 0]"),
         kEmitterPath + "color[1].lower: is not an array of four"},
        {replaced("\"position\": 100", "\"position\": -3"),
         kEmitterPath + "color[1].position: -3 is outside"},
        {replaced("\"texture\"", "\"drag\": 0, \"texture\""), kEmitterPath + "drag: unknown field"},
        {version2(", \"drag\": 0", ""), kEmitterPath + "drag: is missing"},
        {version2("\"circle\"", "\"cone\""), kEmitterPath + "shape.kind: is not \"point\""},
        {version2("\"edge\": true", "\"edge\": 1"),
         kEmitterPath + "shape.edge: is a number, not true or false"},
        {version2("\"count\": 5", "\"count\": 2.5"), kEmitterPath + "bursts[0].count: is not a whole number"},
        {version2("\"cycles\": 1", "\"cycles\": 0"),
         kEmitterPath + "bursts[0].cycles: 0 is outside 1..10000"},
        {version2("\"duration\": 2", "\"duration\": 0"),
         kEmitterPath + "timing.duration: 0 is outside 0.01..1000"},
        {version2("\"rotation\": {\"min\": 0", "\"rotation\": {\"min\": 9"),
         kEmitterPath + "rotation: minimum 9 is above maximum 0"},
        {version2("\"columns\": 1", "\"columns\": 65"), kEmitterPath + "sheet.columns: 65 is outside 1..64"},
    };
    for (const Case& c : cases) {
        const LoadResult read = Effect::parse(c.text, TextEncoding::Latin1); // as a Latin-1 program reads
        EXPECT_FALSE(read) << c.expected;
        EXPECT_EQ(read.error().substr(0, c.expected.size()), c.expected) << read.error();
    }
    EXPECT_TRUE(Effect::parse(kValid)) << Effect::parse(kValid).error();
    const LoadResult two = Effect::parse(version2());
    ASSERT_TRUE(two) << two.error();
    EXPECT_EQ(two->systems()[0].groups[0].emitters[0].bursts.at(0).count, 5);
}

TEST(RuntimeReader, MissingUnreadableOrHugeFilesAreRefused) {
    const std::string huge = testing::TempDir() + "effect_huge.kwfx";
    std::ofstream(huge, std::ios::binary) << std::string(Effect::kMaxFileBytes + 1, ' ');
    struct Case {
        std::string path;
        std::string expected;
    } const cases[] = {
        {testing::TempDir() + "no such folder/none.kwfx", "cannot open the file: "},
        {testing::TempDir(), "cannot read the file: "}, // a folder
        {huge, "the file is larger than 16777216 bytes"},
    };
    for (const Case& c : cases) {
        const LoadResult read = Effect::load(c.path);
        EXPECT_FALSE(read) << c.path;
        EXPECT_EQ(read.error().substr(0, c.path.size() + 2 + c.expected.size()), c.path + ": " + c.expected);
    }
    std::remove(huge.c_str());
}

TEST(RuntimeReader, NumbersAreWrittenInTheShortestTextThatReadsBack) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {{0.1f, "0.1"},
                          {120.0f, "120"},
                          {-0.0f, "-0"},
                          {1.0f / 3.0f, "0.33333334"},
                          {1.5e-7f, "1.5e-07"},
                          {std::numeric_limits<float>::quiet_NaN(), "NaN"},
                          {-std::numeric_limits<float>::infinity(), "-infinity"}};
    for (const Case& c : cases) {
        EXPECT_EQ(floatText(c.value), c.text);
    }
}

TEST(RuntimeReader, FindsTheLineOfTheFirstMalformedUtf8Sequence) {
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
