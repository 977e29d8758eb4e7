#include "logic/EffectFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace KW;
using namespace KW::effect;

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

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A scene that sets every field away from its default, with text bytes beyond ASCII, keys out of
// order as the editors leave them after a drag, and empty elements.
Scene unusualScene() {
    Scene scene = Scene::makeDefault();
    Emitter values = *scene.findEmitter(3);
    values.name = "Funken \xE9\xFF\x80 \"quoted\" \\ /";
    values.rate = 0.1f;
    values.lifetimeMin = 1.0f / 3.0f;
    values.lifetimeMax = 1000.0f;
    values.speed = 0.0f;
    values.spread = 360.0f;
    values.gravity = -9.81f;
    values.blend = BlendMode::Alpha;
    values.texture = "C:\\Effekte\\r\xF6hre.bmp";
    values.size = {sizeKey(0.0f, 1e-3f, 0.0f, true), sizeKey(100.0f, 10000.0f, 7.25f),
                   sizeKey(55.5f, 3.0f, 3.0f, true)};
    values.color = {KWColorPoint(12.5f, KWColor(1, 2, 3, 4), KWColor(5, 6, 7, 8), true),
                    KWColorPoint(100.0f, KWColor(255, 0, 255, 0), KWColor(0, 255, 0, 255)),
                    KWColorPoint(0.0f, KWColor(9, 9, 9, 9), KWColor(10, 10, 10, 10), true)};
    values.shape = {pelmora::ShapeKind::Rectangle, true, 1.5f, 40.0f, 0.25f};
    values.direction = -45.5f;
    values.bursts = {{0.0f, 50, 0.0f, 1}, {0.5f, 10, 0.25f, 3}};
    values.duration = 2.5f;
    values.loop = false;
    values.delay = 0.75f;
    values.prewarm = true;
    values.rotationMin = -10.0f;
    values.rotationMax = 360.0f;
    values.spinMin = 1.0f;
    values.spinMax = 2.0f;
    values.alignToVelocity = true;
    values.drag = 0.3f;
    values.sheet = {4, 2, 12.5f, true};
    EXPECT_TRUE(scene.setEmitter(3, values)) << checkEmitter(values).field;
    scene.addEmitter(2);
    scene.addGroup(1);
    scene.rename(scene.addSystem(), "\x01 empty");
    return scene;
}

} // namespace

TEST(EffectFile, RoundTripKeepsEveryField) {
    const Scene original = unusualScene();
    const std::string text = writeEffect(original);
    Scene loaded;
    std::string error;
    ASSERT_TRUE(readEffect(text, loaded, error)) << error;
    EXPECT_TRUE(Scene::sameContent(original, loaded));
    EXPECT_EQ(writeEffect(loaded), text);
    // The keys that the file marks as ends are the ones the editors would fix.
    const Emitter& emitter = *loaded.findEmitter(3);
    EXPECT_TRUE(emitter.size.front().fixed && !emitter.size[1].fixed && emitter.size.back().fixed);
    EXPECT_TRUE(emitter.color.front().fixed && !emitter.color[1].fixed && emitter.color.back().fixed);
}

TEST(EffectFile, ExamplesOpenInEditorAndRuntimeAndAreWrittenBackByteForByte) {
    for (const char* name : {"campfire", "fire", "sparks", "smoke"}) {
        const std::string path = std::string(KW_EDITOR_EXAMPLES) + "/" + name + kFileExtension;
        Scene scene;
        std::string error;
        ASSERT_TRUE(readEffectFile(path, scene, error)) << name << ": " << error;
        EXPECT_EQ(writeEffect(scene), readAll(path)) << name;
        const pelmora::LoadResult loaded = pelmora::Effect::load(path);
        ASSERT_TRUE(loaded) << loaded.error();
        EXPECT_GE(loaded->emitterCount(), 1u) << name;
        for (const std::string& texture : loaded->texturePaths()) {
            EXPECT_TRUE(std::ifstream(texture).good()) << texture;
        }
    }
}

TEST(EffectFile, VersionOneFilesLoadWithTheDefaultsOfVersionTwo) {
    Scene old;
    Scene current;
    std::string error;
    ASSERT_TRUE(readEffectFile(std::string(KW_FUZZ_SEEDS) + "/EffectFileFuzz/campfire", old, error)) << error;
    ASSERT_TRUE(
        readEffectFile(std::string(KW_EDITOR_EXAMPLES) + "/campfire" + kFileExtension, current, error));
    EXPECT_TRUE(Scene::sameContent(old, current));
    EXPECT_NE(writeEffect(old).find("\"version\": 3,"), std::string::npos);
}

TEST(EffectFile, BadTextIsRefusedSayingWhatAndWhereAndTheSceneStays) {
    struct Case {
        std::string text;
        std::string expected; // the start of the message
    };
    const Case cases[] = {
        {"", "the file is empty"},
        {" \r\n\t", "the file is empty"},
        {std::string(kMaxFileBytes + 1, ' '), "the file is 16777217 bytes long"},
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
        Scene scene = Scene::makeDefault();
        std::string error;
        EXPECT_FALSE(readEffect(c.text, scene, error)) << c.expected;
        EXPECT_EQ(error.substr(0, c.expected.size()), c.expected) << error;
        EXPECT_TRUE(scene == Scene::makeDefault()) << c.expected;
    }
    Scene scene;
    std::string error;
    EXPECT_TRUE(readEffect(kValid, scene, error)) << error;
    EXPECT_TRUE(readEffect(version2(), scene, error)) << error;
    EXPECT_EQ(scene.getSystems()[0].groups[0].emitters[0].bursts.at(0).count, 5);
}

TEST(EffectFile, MissingUnreadableOrHugeFilesAreRefused) {
    const std::string huge = testing::TempDir() + "effect_huge" + kFileExtension;
    {
        std::ofstream out(huge, std::ios::binary);
        out << std::string(kMaxFileBytes + 1, ' ');
    }
    struct Case {
        std::string path;
        std::string expected;
    } const cases[] = {
        {testing::TempDir() + "no such folder/none" + kFileExtension, "cannot open the file: "},
        {testing::TempDir(), "cannot read the file: "}, // a folder
        {huge, "the file is larger than 16777216 bytes"},
    };
    for (const Case& c : cases) {
        Scene scene = Scene::makeDefault();
        std::string error;
        EXPECT_FALSE(readEffectFile(c.path, scene, error)) << c.path;
        EXPECT_EQ(error.substr(0, c.expected.size()), c.expected) << error;
        EXPECT_TRUE(scene == Scene::makeDefault()) << c.path;
    }
    std::remove(huge.c_str());
}

TEST(EffectFile, LoadedElementsTakeIdsAboveTheOldScenesIds) {
    Scene scene = Scene::makeDefault();
    scene.raiseNextId(40);
    std::string error;
    ASSERT_TRUE(readEffect(kValid, scene, error)) << error;
    EXPECT_EQ(scene.kindOf(40), ElementKind::System);
    EXPECT_EQ(scene.kindOf(42), ElementKind::Emitter);
    EXPECT_EQ(scene.kindOf(3), ElementKind::None);
}
