// The trail, noise, force, speed, stretch and collision rows and the sub-emitters, as the document takes
// them: each edit one undo step, refused with a reason outside the runtime's ranges.
#include "logic/EditorDocument.h"
#include "DefaultSceneIds.h"

#include <pelmora/Limits.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

using namespace pelmora;
using namespace pelmora::editor;

namespace {

typedef std::function<bool(const EmitterDesc&)> Holds;

// The default effect with a death sub-emitter under its emitter, selected.
EditorDocument withSubEmitter() {
    EditorDocument document;
    EXPECT_TRUE(document.apply(Edit::addSubEmitter(Trigger::Death)));
    return document;
}

} // namespace

TEST(SubEmitterDocument, EachNewRowEditsTheEmitterOrSubEmitterAsOneUndoStep) {
    const struct Case {
        Field field;
        std::size_t slot;
        float value;
        Holds holds;
    } cases[] = {
        {Field::TrailLength, 0, 0.5f, [](const EmitterDesc& e) { return e.trail.length == 0.5f; }},
        {Field::TrailWidth, 0, 2, [](const EmitterDesc& e) { return e.trail.width == 2; }},
        {Field::TrailSegments, 0, 12.4f, [](const EmitterDesc& e) { return e.trail.segments == 12; }},
        {Field::TrailFade, 0, 0, [](const EmitterDesc& e) { return !e.trail.fade; }},
        {Field::NoiseStrength, 0, 300, [](const EmitterDesc& e) { return e.noise.strength == 300; }},
        {Field::NoiseFrequency, 0, 4, [](const EmitterDesc& e) { return e.noise.frequency == 4; }},
        {Field::NoiseScroll, 0, 0.5f, [](const EmitterDesc& e) { return e.noise.scroll == 0.5f; }},
        {Field::NoiseOctaves, 0, 3, [](const EmitterDesc& e) { return e.noise.octaves == 3; }},
        {Field::ForceKind, 2, 2, // a slot past the end adds the force at the end
         [](const EmitterDesc& e) { return e.forces.size() == 1 && e.forces[0].kind == ForceKind::Vortex; }},
        {Field::ForceX, 0, 40,
         [](const EmitterDesc& e) { return e.forces.size() == 1 && e.forces[0].x == 40; }},
        {Field::ForceY, 0, -40, [](const EmitterDesc& e) { return e.forces[0].y == -40; }},
        {Field::ForceStrength, 0, -900, [](const EmitterDesc& e) { return e.forces[0].strength == -900; }},
        {Field::ForceRadius, 0, 80, [](const EmitterDesc& e) { return e.forces[0].radius == 80; }},
        {Field::ForceDirection, 0, 90,
         [](const EmitterDesc& e) {
             return e.forces[0].direction == 90 && e.forces[0].kind == ForceKind::Attractor;
         }},
        {Field::SpeedLimit, 0, 250, [](const EmitterDesc& e) { return e.speedLimit == 250; }},
        {Field::Stretch, 0, 0.05f, [](const EmitterDesc& e) { return e.stretch == 0.05f; }},
        {Field::CollisionEnabled, 0, 1, [](const EmitterDesc& e) { return e.collision.enabled; }},
        {Field::CollisionPlane, 0, -120, [](const EmitterDesc& e) { return e.collision.plane == -120; }},
        {Field::CollisionBounce, 0, 0.25f, [](const EmitterDesc& e) { return e.collision.bounce == 0.25f; }},
        {Field::CollisionFriction, 0, 0.75f,
         [](const EmitterDesc& e) { return e.collision.friction == 0.75f; }},
        {Field::CollisionLifeLoss, 0, 1, [](const EmitterDesc& e) { return e.collision.lifeLoss == 1; }},
        {Field::CollisionKill, 0, 1, [](const EmitterDesc& e) { return e.collision.kill; }},
    };
    for (bool onSubEmitter : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(static_cast<int>(c.field)) +
                         (onSubEmitter ? " on a sub-emitter" : ""));
            EditorDocument document = onSubEmitter ? withSubEmitter() : EditorDocument();
            const Scene before = document.getScene();
            const std::size_t steps = document.undoSteps();
            ASSERT_TRUE(document.apply(Edit::number(c.field, c.value, c.slot)));
            EXPECT_TRUE(c.holds(*document.selectedValues()));
            EXPECT_EQ(document.undoSteps(), steps + 1);
            const Scene after = document.getScene();
            ASSERT_TRUE(document.undo());
            EXPECT_TRUE(document.getScene() == before);
            ASSERT_TRUE(document.redo());
            EXPECT_TRUE(document.getScene() == after);
        }
    }
}

TEST(SubEmitterDocument, ForcesAreAddedAndRemovedThroughTheirKindRow) {
    EditorDocument document;
    ASSERT_TRUE(document.apply(Edit::number(Field::ForceKind, 1, 0)));
    ASSERT_TRUE(document.apply(Edit::number(Field::ForceKind, 3, 1)));
    ASSERT_TRUE(document.apply(Edit::number(Field::ForceKind, 0, 2))); // none past the end: no change
    ASSERT_EQ(document.selectedValues()->forces.size(), 2u);
    EXPECT_EQ(fieldValue(*document.selectedValues(), Field::ForceKind, 2), 0.0f);
    ASSERT_TRUE(document.apply(Edit::number(Field::ForceKind, 0, 0)));
    ASSERT_EQ(document.selectedValues()->forces.size(), 1u);
    EXPECT_EQ(document.selectedValues()->forces[0].kind, ForceKind::Wind);
    EXPECT_EQ(document.undoSteps(), 3u);
}

TEST(SubEmitterDocument, SubEmittersAreAddedEditedAndDeletedAsUndoSteps) {
    EditorDocument document;
    unsigned told = 0;
    document.addListener([&told](const Change& change) { told = change.parts; });
    ASSERT_TRUE(document.apply(Edit::addSubEmitter(Trigger::Collision)));
    const ElementId sub = document.getSelection();
    const Scene& scene = document.getScene();
    EXPECT_EQ(scene.kindOf(sub), ElementKind::SubEmitter);
    EXPECT_EQ(scene.parentOf(sub), kEmitter);
    EXPECT_EQ(scene.holderOf(sub), kEmitter);
    ASSERT_EQ(scene.findEmitter(kEmitter)->values.subEmitters.size(), 1u);
    EXPECT_EQ(document.selectedSubEmitter()->trigger, Trigger::Collision);
    EXPECT_EQ(*scene.nameOf(sub), "Sub-emitter 1");

    // Its own rows, its emitter's rows, its curves and its name.
    ASSERT_TRUE(document.apply(Edit::number(Field::SubCount, 25)));
    ASSERT_TRUE(document.apply(Edit::number(Field::SubInheritVelocity, 0.5f)));
    ASSERT_TRUE(document.apply(Edit::number(Field::SubTrigger, 0)));
    ASSERT_TRUE(document.apply(Edit::number(Field::Rate, 5)));
    ASSERT_TRUE(document.apply(Edit::speedCurve({{0, 2, 1}, {100, 0, 0}})));
    ASSERT_TRUE(document.apply(Edit::rename("Sparks")));
    const SubEmitter& edited = scene.findEmitter(kEmitter)->values.subEmitters[0];
    EXPECT_EQ(edited.count, 25);
    EXPECT_EQ(edited.inheritVelocity, 0.5f);
    EXPECT_EQ(edited.trigger, Trigger::Birth);
    EXPECT_EQ(edited.emitter.rate, 5);
    EXPECT_EQ(edited.emitter.speedOverLife[0].upper, 2);
    EXPECT_EQ(edited.emitter.name, "Sparks");
    EXPECT_EQ(scene.findEmitter(kEmitter)->values.rate, 40); // the emitter above keeps its own

    // An emitter added while a sub-emitter is selected goes beside the emitter that holds it; the planes
    // to draw are the ones whose collision is on.
    ASSERT_TRUE(document.apply(Edit::number(Field::CollisionPlane, -30)));
    ASSERT_TRUE(document.apply(Edit::number(Field::CollisionEnabled, 1)));
    EXPECT_EQ(collisionPlanes(scene.findEmitter(kEmitter)->values), std::vector<float>{-30});
    ASSERT_TRUE(document.apply(Edit::add(ElementKind::Emitter)));
    EXPECT_EQ(scene.parentOf(document.getSelection()), scene.parentOf(kEmitter));
    ASSERT_TRUE(document.undo());
    ASSERT_TRUE(document.undo());
    ASSERT_TRUE(document.undo());
    ASSERT_TRUE(document.select(sub));

    // A second level, then deleting the first takes both; undo puts them back with their ids.
    ASSERT_TRUE(document.apply(Edit::addSubEmitter(Trigger::Death)));
    const ElementId inner = document.getSelection();
    EXPECT_EQ(scene.parentOf(inner), sub);
    EXPECT_EQ(scene.levelOf(inner), 3u);
    ASSERT_TRUE(document.select(sub));
    ASSERT_TRUE(document.apply(Edit::remove()));
    EXPECT_EQ(document.getSelection(), kEmitter);
    EXPECT_TRUE(scene.findEmitter(kEmitter)->values.subEmitters.empty());
    EXPECT_EQ(scene.kindOf(inner), ElementKind::None);
    ASSERT_TRUE(document.undo());
    EXPECT_TRUE(told & ChangedStructure);
    EXPECT_EQ(scene.kindOf(inner), ElementKind::SubEmitter);
    EXPECT_EQ(scene.parentOf(inner), sub);
    for (int step = 0; step < 8; ++step) {
        ASSERT_TRUE(document.undo());
    }
    EXPECT_FALSE(document.canUndo());
    EXPECT_EQ(scene.kindOf(sub), ElementKind::None);
    EXPECT_EQ(document.getSelection(), kEmitter);
    ASSERT_TRUE(document.redo());
    EXPECT_EQ(scene.kindOf(sub), ElementKind::SubEmitter);

    // Saved and opened again: the sub-emitters come back with ids of their own.
    std::string error;
    ASSERT_TRUE(document.open(document.fileText(), "/fx/a.kwfx", error)) << error;
    const ElementId holder = document.getScene().firstEmitter();
    ASSERT_EQ(document.getScene().findEmitter(holder)->subIds.size(), 1u);
    EXPECT_EQ(document.getScene().kindOf(document.getScene().findEmitter(holder)->subIds[0].id),
              ElementKind::SubEmitter);
}

TEST(SubEmitterDocument, ARefusedEditOfTheNewRowsOrSubEmittersChangesNothingAndSaysWhy) {
    const auto emitter = [](EditorDocument&) {};
    const auto sub = [](EditorDocument& d) { d.apply(Edit::addSubEmitter(Trigger::Death)); };
    const auto third = [](EditorDocument& d) {
        d.apply(Edit::addSubEmitter(Trigger::Death));
        d.apply(Edit::addSubEmitter(Trigger::Birth));
    };
    const auto full = [](EditorDocument& d) {
        for (std::size_t i = 0; i < kMaxSubEmitters; ++i) {
            d.apply(Edit::addSubEmitter(Trigger::Death));
            d.select(kEmitter);
        }
    };
    const struct Case {
        std::function<void(EditorDocument&)> setup;
        Edit edit;
        const char* reason;
    } cases[] = {
        {emitter, Edit::number(Field::TrailSegments, 1), "trail.segments: 1 is outside 2..64"},
        {emitter, Edit::number(Field::NoiseFrequency, 0), "noise.frequency: 0 is outside 0.001..1000"},
        {emitter, Edit::number(Field::ForceKind, 4), "forces[0].kind: is not attractor, vortex or wind"},
        {emitter, Edit::number(Field::ForceStrength, 1, kMaxForces), "forces: at most 16 forces"},
        {emitter, Edit::number(Field::CollisionBounce, 2), "collision.bounce: 2 is outside 0..1"},
        {emitter, Edit::speedCurve({{0, 101, 1}, {100, 1, 1}}),
         "speedOverLife[0].upper: 101 is outside 0..100"},
        {emitter, Edit::number(Field::SubCount, 5),
         "Only a sub-emitter has a trigger, a count and inherited velocity."},
        {sub, Edit::number(Field::SubCount, -1), "count: -1 is outside 0..10000"},
        {sub, Edit::number(Field::SubTrigger, 3), "trigger: is not birth, death or collision"},
        {third, Edit::number(Field::Stretch, 11), "stretch: 11 is outside 0..10"},
        {third, Edit::addSubEmitter(Trigger::Death),
         "Sub-emitters nest at most 3 levels deep in all: this one cannot hold another."},
        {full, Edit::addSubEmitter(Trigger::Death), "An emitter holds at most 16 sub-emitters."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        EditorDocument document;
        c.setup(document);
        const Scene before = document.getScene();
        const std::size_t steps = document.undoSteps();
        const Applied applied = document.apply(c.edit);
        EXPECT_FALSE(applied);
        EXPECT_EQ(applied.reason, c.reason);
        EXPECT_TRUE(document.getScene() == before);
        EXPECT_EQ(document.undoSteps(), steps);
    }
}

TEST(SubEmitterDocument, AFileNestedThreeLevelsDeepOpensWithAnIdForEachSubEmitter) {
    std::ifstream in(std::string(KW_FUZZ_SEEDS) + "/EditorDocumentFuzz/nested_three_levels",
                     std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EditorDocument document;
    std::string error;
    ASSERT_TRUE(document.open(text, "/fx/rain.kwfx", error)) << error;
    const Scene& scene = document.getScene();
    const Emitter& drops = *scene.findEmitter(scene.firstEmitter());
    ASSERT_EQ(drops.subIds.size(), 1u);
    ASSERT_EQ(drops.subIds[0].subs.size(), 1u);
    const ElementId mist = drops.subIds[0].subs[0].id;
    EXPECT_EQ(*scene.nameOf(mist), "Mist");
    EXPECT_EQ(scene.parentOf(mist), drops.subIds[0].id);
    ASSERT_TRUE(document.select(mist));
    EXPECT_EQ(document.selectedSubEmitter()->trigger, Trigger::Death);
    EXPECT_FALSE(document.apply(Edit::addSubEmitter(Trigger::Birth)));
    ASSERT_TRUE(document.apply(Edit::remove()));
    EXPECT_EQ(document.getSelection(), drops.subIds[0].id);
    EXPECT_TRUE(scene.findSubEmitter(document.getSelection())->emitter.subEmitters.empty());
}
