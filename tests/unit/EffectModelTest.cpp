#include "logic/EffectModel.h"

#include "graphs/logic/ColorEditModel.h"
#include "graphs/logic/FloatGraphModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace KW;
using namespace KW::effect;

namespace {

// The default scene's ids: system 1, group 2, emitter 3.
const ElementId kSystem = 1;
const ElementId kGroup = 2;
const ElementId kEmitter = 3;

} // namespace

TEST(EffectModel, NewEffectHoldsOneVisibleEmitterInOneGroupInOneSystem) {
    const Scene scene = Scene::makeDefault();
    ASSERT_EQ(scene.getSystems().size(), 1u);
    ASSERT_EQ(scene.getSystems()[0].groups.size(), 1u);
    ASSERT_EQ(scene.getSystems()[0].groups[0].emitters.size(), 1u);
    EXPECT_EQ(scene.kindOf(kSystem), ElementKind::System);
    EXPECT_EQ(scene.kindOf(kGroup), ElementKind::Group);
    EXPECT_EQ(scene.kindOf(kEmitter), ElementKind::Emitter);
    EXPECT_EQ(*scene.nameOf(kEmitter), "Emitter 1");

    const Emitter& emitter = *scene.findEmitter(kEmitter);
    EXPECT_TRUE(checkEmitter(emitter).ok()) << checkEmitter(emitter).message;
    EXPECT_GT(emitter.rate, 0.0f);
    EXPECT_GT(emitter.speed, 0.0f);
    EXPECT_TRUE(floatgraph::acceptableKeys(emitter.size));
    EXPECT_TRUE(coloredit::ColorEditModel::isValid(emitter.color));
    // Born large enough and opaque enough to be seen.
    EXPECT_GE(-floatgraph::evaluate(emitter.size, 0.0f).y2, 2.0f);
    EXPECT_GE(emitter.color.front().color1.a, 128);
    EXPECT_GE(emitter.color.front().color2.a, 128);
}

TEST(EffectModel, AddsUnderTheElementGivenOrItsParent) {
    struct Case {
        const char* what;
        std::function<ElementId(Scene&)> add;
        ElementId expectedParent;
    };
    const Case cases[] = {
        {"group under a system", [](Scene& s) { return s.addGroup(kSystem); }, kSystem},
        {"group beside a group", [](Scene& s) { return s.addGroup(kGroup); }, kSystem},
        {"group beside an emitter's group", [](Scene& s) { return s.addGroup(kEmitter); }, kSystem},
        {"emitter into a group", [](Scene& s) { return s.addEmitter(kGroup); }, kGroup},
        {"emitter beside an emitter", [](Scene& s) { return s.addEmitter(kEmitter); }, kGroup},
        {"emitter into a system's first group", [](Scene& s) { return s.addEmitter(kSystem); }, kGroup},
        {"system", [](Scene& s) { return s.addSystem(); }, kNoElement},
    };
    for (const Case& c : cases) {
        Scene scene = Scene::makeDefault();
        const ElementId id = c.add(scene);
        EXPECT_EQ(id, 4u) << c.what;
        EXPECT_EQ(scene.parentOf(id), c.expectedParent) << c.what;
        EXPECT_EQ(scene.elementCount(), 4u) << c.what;
    }
}

TEST(EffectModel, AddIsRefusedWhereThereIsNoPlace) {
    Scene scene = Scene::makeDefault();
    const ElementId bare = scene.addSystem();
    EXPECT_EQ(scene.addGroup(kNoElement), kNoElement);
    EXPECT_EQ(scene.addGroup(999), kNoElement);
    EXPECT_EQ(scene.addEmitter(kNoElement), kNoElement);
    EXPECT_EQ(scene.addEmitter(bare), kNoElement); // a system without groups
    EXPECT_EQ(scene.elementCount(), 4u);
}

TEST(EffectModel, NewElementsTakeTheFirstNameFreeAmongTheirSiblings) {
    Scene scene = Scene::makeDefault();
    const ElementId second = scene.addEmitter(kGroup);
    EXPECT_EQ(*scene.nameOf(second), "Emitter 2");
    ASSERT_TRUE(scene.remove(kEmitter));
    EXPECT_EQ(*scene.nameOf(scene.addEmitter(kGroup)), "Emitter 1");
    // Another group's emitters do not count.
    EXPECT_EQ(*scene.nameOf(scene.addEmitter(scene.addGroup(kSystem))), "Emitter 1");
}

TEST(EffectModel, RemoveTakesTheWholeSubtreeAndIdsAreNeverReused) {
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

TEST(EffectModel, RenameAcceptsOnlyValidNamesOfExistingElements) {
    Scene scene = Scene::makeDefault();
    EXPECT_TRUE(scene.rename(kGroup, "Sparks"));
    EXPECT_EQ(*scene.nameOf(kGroup), "Sparks");
    EXPECT_FALSE(scene.rename(kGroup, ""));
    EXPECT_FALSE(scene.rename(kGroup, std::string(kMaxNameLength + 1, 'x')));
    EXPECT_FALSE(scene.rename(kGroup, std::string("a\0b", 3)));
    EXPECT_FALSE(scene.rename(999, "Lost"));
    EXPECT_EQ(*scene.nameOf(kGroup), "Sparks");
    EXPECT_TRUE(scene.rename(kEmitter, std::string(kMaxNameLength, 'x')));
}

TEST(EffectModel, ValidationNamesTheFirstFieldOutOfRange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        std::function<void(Emitter&)> spoil;
        const char* field;
    };
    const Case cases[] = {
        {[](Emitter& e) { e.name.clear(); }, "name"},
        {[](Emitter& e) { e.rate = -1.0f; }, "rate"},
        {[&](Emitter& e) { e.rate = nan; }, "rate"},
        {[](Emitter& e) { e.lifetimeMin = -0.5f; }, "lifetime.min"},
        {[&](Emitter& e) { e.lifetimeMax = inf; }, "lifetime.max"},
        {[](Emitter& e) { e.lifetimeMin = 3.0f; }, "lifetime"},
        {[](Emitter& e) { e.speed = 20000.0f; }, "speed"},
        {[](Emitter& e) { e.spread = 361.0f; }, "spread"},
        {[](Emitter& e) { e.gravity = -20000.0f; }, "gravity"},
        {[](Emitter& e) { e.blend = static_cast<BlendMode>(7); }, "blend"},
        {[](Emitter& e) { e.texture.assign(kMaxTextureLength + 1, 'a'); }, "texture"},
        {[](Emitter& e) { e.size.resize(1); }, "size"},
        {[](Emitter& e) { e.size[1].x = 100.5f; }, "size[1].x"},
        {[](Emitter& e) { e.size[0].y1 = 1.0f; }, "size[0].upper"},
        {[&](Emitter& e) { e.size[1].y2 = nan; }, "size[1].lower"},
        {[](Emitter& e) { e.size[0].y2 = e.size[0].y1 - 1.0f; }, "size[0]"},
        {[](Emitter& e) { e.color.resize(kMaxKeys + 1, e.color[0]); }, "color"},
        {[](Emitter& e) { e.color[1].position = -1.0f; }, "color[1].position"},
        {[](Emitter& e) { e.color[0].color1.g = 256; }, "color[0].upper[1]"},
        {[](Emitter& e) { e.color[1].color2.a = -1; }, "color[1].lower[3]"},
    };
    Emitter valid;
    valid.name = "Emitter 1";
    ASSERT_TRUE(checkEmitter(valid).ok());
    for (const Case& c : cases) {
        Emitter emitter = valid;
        c.spoil(emitter);
        const Problem problem = checkEmitter(emitter);
        EXPECT_EQ(problem.field, c.field) << problem.message;
        EXPECT_FALSE(problem.message.empty()) << c.field;

        Scene scene = Scene::makeDefault();
        EXPECT_FALSE(scene.setEmitter(kEmitter, emitter)) << c.field;
        EXPECT_EQ(*scene.findEmitter(kEmitter), *Scene::makeDefault().findEmitter(kEmitter)) << c.field;
    }
}

TEST(EffectModel, KeysAsTheEditorsLeaveThemAfterADragAreValidAndSortWithoutChangingTheirColours) {
    // The gradient editor moves keys without reordering them: drag the end key from 100 to 10.
    coloredit::ColorEditModel dragged;
    ASSERT_TRUE(dragged.setPoints(defaultColorKeys()));
    ASSERT_TRUE(dragged.insertAt(60.0f, 0.0f));
    dragged.selectAt(coloredit::HitProbe{100.0f, 0, 5, 1.0f});
    dragged.moveSelected(-90.0f, 1.0f);
    Emitter emitter;
    emitter.name = "Dragged";
    emitter.color = dragged.getPoints();
    ASSERT_EQ(emitter.color.back().position, 10.0f);
    std::swap(emitter.size[0], emitter.size[1]); // the curve editor's keys likewise
    EXPECT_TRUE(checkEmitter(emitter).ok()) << checkEmitter(emitter).field;

    const ColorKeys keys = sortedColorKeys(emitter.color);
    coloredit::ColorEditModel sorted;
    ASSERT_TRUE(sorted.setPoints(keys));
    EXPECT_EQ(keys.front().position, 0.0f);
    EXPECT_EQ(keys[1].position, 10.0f);
    EXPECT_TRUE(keys.front().fixed && !keys[1].fixed && keys.back().fixed);
    for (float x : {0.0f, 5.0f, 10.0f, 35.0f, 60.0f, 80.0f, 100.0f}) {
        KWColor a1, a2, b1, b2;
        ASSERT_TRUE(sorted.evaluate(x, a1, a2));
        ASSERT_TRUE(dragged.evaluate(x, b1, b2));
        EXPECT_TRUE(a1.r == b1.r && a1.g == b1.g && a1.b == b1.b && a1.a == b1.a) << x;
        EXPECT_TRUE(a2.r == b2.r && a2.g == b2.g && a2.b == b2.b && a2.a == b2.a) << x;
    }
}

TEST(EffectModel, EqualityComparesIdsWhileSameContentDoesNot) {
    const Scene a = Scene::makeDefault();
    Scene b;
    b.raiseNextId(10);
    b.appendSystem(a.getSystems()[0]);
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(Scene::sameContent(a, b));

    // Selection is the editor's state, not the effect's.
    Scene selected = a;
    selected.findEmitter(kEmitter)->size[0].selected = true;
    selected.findEmitter(kEmitter)->color[1].selected = true;
    EXPECT_TRUE(selected == a);

    Scene changed = a;
    changed.findEmitter(kEmitter)->color[1].color2.b += 1;
    EXPECT_FALSE(Scene::sameContent(a, changed));
    EXPECT_FALSE(Scene::sameContent(a, Scene()));
}

// Only values that act from the effect's start make a preview start over.
TEST(EffectModel, TimingChangesAreTold) {
    const Scene a = Scene::makeDefault();
    void (*const edits[])(Emitter&) = {
        [](Emitter& e) { e.duration += 1; },        [](Emitter& e) { e.loop = !e.loop; },
        [](Emitter& e) { e.delay += 1; },           [](Emitter& e) { e.prewarm = !e.prewarm; },
        [](Emitter& e) { e.bursts.push_back({}); }, [](Emitter& e) { e.rate += 1; } /* not timing */};
    for (int i = 0; i < 6; ++i) {
        Scene b = a;
        edits[i](*b.findEmitter(kEmitter));
        EXPECT_EQ(i == 5, Scene::sameTiming(a, b)) << i;
    }
}

TEST(EffectModel, ElementCountIsLimited) {
    System full;
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
    EXPECT_EQ(scene.appendSystem(System()), kNoElement);
    EXPECT_EQ(scene.elementCount(), kMaxElements);
}

TEST(EffectModel, NumbersAreWrittenInTheShortestTextThatReadsBack) {
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
