// The editor's scene: its elements, their names and ids, and the scene as file text.
#include "logic/EditorScene.h"
#include "logic/SceneText.h"
#include "DefaultSceneIds.h"

#include <pelmora/Limits.h>

#include <gtest/gtest.h>

#include <functional>

using namespace pelmora;
using namespace pelmora::editor;

TEST(EditorScene, NewEffectHoldsOneVisibleEmitterInOneGroupInOneSystem) {
    const Scene scene = Scene::makeDefault();
    ASSERT_EQ(scene.elementCount(), 3u);
    EXPECT_EQ(scene.kindOf(kSystem), ElementKind::System);
    EXPECT_EQ(scene.kindOf(kGroup), ElementKind::Group);
    EXPECT_EQ(scene.kindOf(kEmitter), ElementKind::Emitter);
    EXPECT_EQ(*scene.nameOf(kEmitter), "Emitter 1");
    const EmitterDesc& emitter = scene.findEmitter(kEmitter)->values;
    EXPECT_TRUE(checkSystems(scene.describe()).ok()) << checkSystems(scene.describe()).field;
    EXPECT_GT(emitter.rate, 0.0f);
    EXPECT_GT(emitter.speed, 0.0f);
    // Born large enough and opaque enough to be seen.
    EXPECT_GE(emitter.size.front().lower, 2.0f);
    EXPECT_GE(emitter.color.front().upper.a, 128);
    EXPECT_GE(emitter.color.front().lower.a, 128);
}

TEST(EditorScene, AddsUnderTheElementGivenOrItsParentAndOnlyWhereThereIsPlace) {
    struct Case {
        const char* what;
        std::function<ElementId(Scene&)> add;
        ElementId expectedParent; // kNoElement with a refused add: expected
        bool added;
    };
    const Case cases[] = {
        {"group under a system", [](Scene& s) { return s.addGroup(kSystem); }, kSystem, true},
        {"group beside a group", [](Scene& s) { return s.addGroup(kGroup); }, kSystem, true},
        {"group beside an emitter's group", [](Scene& s) { return s.addGroup(kEmitter); }, kSystem, true},
        {"emitter into a group", [](Scene& s) { return s.addEmitter(kGroup); }, kGroup, true},
        {"emitter beside an emitter", [](Scene& s) { return s.addEmitter(kEmitter); }, kGroup, true},
        {"emitter into a system's first group", [](Scene& s) { return s.addEmitter(kSystem); }, kGroup, true},
        {"system", [](Scene& s) { return s.addSystem(); }, kNoElement, true},
        {"group under nothing", [](Scene& s) { return s.addGroup(kNoElement); }, kNoElement, false},
        {"group under an unknown id", [](Scene& s) { return s.addGroup(999); }, kNoElement, false},
        {"emitter under nothing", [](Scene& s) { return s.addEmitter(kNoElement); }, kNoElement, false},
        {"emitter into a system without groups",
         [](Scene& s) { return s.addEmitter(s.addSystem()) == kNoElement ? kNoElement : 99; }, kNoElement,
         false},
    };
    for (const Case& c : cases) {
        Scene scene = Scene::makeDefault();
        const ElementId id = c.add(scene);
        EXPECT_EQ(id, c.added ? 4u : kNoElement) << c.what;
        if (c.added) {
            EXPECT_EQ(scene.parentOf(id), c.expectedParent) << c.what;
            EXPECT_EQ(scene.elementCount(), 4u) << c.what;
        }
    }
}

TEST(EditorScene, NewElementsTakeTheFirstNameFreeAmongTheirSiblings) {
    Scene scene = Scene::makeDefault();
    const ElementId second = scene.addEmitter(kGroup);
    EXPECT_EQ(*scene.nameOf(second), "Emitter 2");
    ASSERT_TRUE(scene.remove(kEmitter));
    EXPECT_EQ(*scene.nameOf(scene.addEmitter(kGroup)), "Emitter 1");
    // Another group's emitters do not count.
    EXPECT_EQ(*scene.nameOf(scene.addEmitter(scene.addGroup(kSystem))), "Emitter 1");
}

TEST(EditorScene, RemoveTakesTheWholeSubtreeAndIdsAreNeverReused) {
    Scene scene = Scene::makeDefault();
    const ElementId other = scene.addSystem();
    EXPECT_TRUE(scene.remove(kSystem));
    EXPECT_FALSE(scene.remove(kSystem));
    for (ElementId gone : {kSystem, kGroup, kEmitter}) {
        EXPECT_EQ(scene.kindOf(gone), ElementKind::None) << gone;
        EXPECT_EQ(scene.nameOf(gone), nullptr) << gone;
    }
    EXPECT_EQ(scene.kindOf(other), ElementKind::System);
    EXPECT_EQ(scene.addGroup(other), other + 1);
    scene.raiseNextId(100);
    scene.raiseNextId(50); // never lowered
    EXPECT_EQ(scene.addGroup(other), 100u);
}

TEST(EditorScene, ElementCountIsLimited) {
    SystemDesc full;
    full.name = "Full";
    full.groups.resize(1);
    full.groups[0].name = "Group";
    full.groups[0].emitters.resize(kMaxElements - 3);
    Scene scene;
    ASSERT_NE(scene.appendSystem(full), kNoElement);
    const ElementId last = scene.addSystem();
    EXPECT_NE(last, kNoElement);
    EXPECT_EQ(scene.elementCount(), kMaxElements);
    EXPECT_EQ(scene.addSystem(), kNoElement);
    EXPECT_EQ(scene.addGroup(last), kNoElement);
    EXPECT_EQ(scene.addEmitter(2), kNoElement);
    EXPECT_EQ(scene.appendSystem(SystemDesc()), kNoElement);
    EXPECT_EQ(scene.elementCount(), kMaxElements);
}

// Only values that act from the effect's start make a preview start over.
TEST(EditorScene, TimingChangesAreTold) {
    void (*const edits[])(EmitterDesc&) = {
        [](EmitterDesc& e) { e.duration += 1; },        [](EmitterDesc& e) { e.loop = !e.loop; },
        [](EmitterDesc& e) { e.delay += 1; },           [](EmitterDesc& e) { e.prewarm = !e.prewarm; },
        [](EmitterDesc& e) { e.bursts.push_back({}); }, [](EmitterDesc& e) { e.rate += 1; } /* not timing */};
    const EmitterDesc a = defaultEmitterValues();
    for (int i = 0; i < 6; ++i) {
        EmitterDesc b = a;
        edits[i](b);
        EXPECT_EQ(i == 5, sameTiming(a, b)) << i;
    }
}

// Every field away from its default, with text bytes beyond ASCII and empty elements, read back the same
// in either encoding's text; read elements take ids above those the old scene handed out.
TEST(EditorScene, TextRoundTripKeepsEveryFieldAndReadElementsTakeNewIds) {
    Scene scene = Scene::makeDefault();
    EmitterDesc& values = scene.findEmitter(kEmitter)->values;
    values.name = "Funken \xE9\xFF \"quoted\" \\ /";
    values.rate = 0.1f;
    values.lifetimeMin = 1.0f / 3.0f;
    values.lifetimeMax = 1000.0f;
    values.gravity = -9.81f;
    values.blend = Blend::Alpha;
    values.texture = "C:\\Effekte\\r\xF6hre.bmp";
    values.size = {{0.0f, 1e-3f, 0.0f}, {55.5f, 3.0f, 3.0f}, {100.0f, 10000.0f, 7.25f}};
    values.shape = {ShapeKind::Rectangle, true, 1.5f, 40.0f, 0.25f};
    values.bursts = {{0.0f, 50, 0.0f, 1}, {0.5f, 10, 0.25f, 3}};
    values.loop = false;
    values.sheet = {4, 2, 12.5f, true};
    const EmitterDesc written = values; // adding emitters moves them
    scene.addEmitter(kGroup);
    scene.addGroup(kSystem);
    scene.setName(scene.addSystem(), "\x01 empty");
    const std::string text = writeScene(scene, TextEncoding::Latin1);
    ASSERT_FALSE(text.empty());

    Scene read = Scene::makeDefault();
    read.raiseNextId(40);
    std::string error;
    ASSERT_TRUE(readScene(text, read, error, TextEncoding::Latin1)) << error;
    EXPECT_EQ(read.kindOf(40), ElementKind::System);
    EXPECT_EQ(read.kindOf(42), ElementKind::Emitter);
    EXPECT_EQ(read.kindOf(kEmitter), ElementKind::None);
    EXPECT_TRUE(sameValues(read.findEmitter(42)->values, written));
    EXPECT_EQ(writeScene(read, TextEncoding::Latin1), text);
}
