#include "logic/EditorDocument.h"
#include "DefaultSceneIds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>

using namespace pelmora;
using namespace pelmora::editor;

namespace {

typedef std::function<void(EditorDocument&)> Prepare;
typedef std::function<bool(const EditorDocument&)> Expect;

const EmitterDesc& values(const EditorDocument& document) {
    return document.getScene().findEmitter(kEmitter)->values;
}

Prepare selecting(ElementId id) {
    return [id](EditorDocument& document) { document.select(id); };
}

void inFolder(EditorDocument& document) {
    std::string error;
    document.open(document.fileText(), "/fx/flame.kwfx", error);
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(EditorDocument, EveryEditKindIsAppliedAsOneStepThatUndoAndRedoTakeBackAndReplay) {
    const std::vector<SizeKey> threeSizes = {{0, 4, 2}, {50, 9, 1}, {100, 1, 0}};
    const std::vector<ColorKey> twoColors = {{0, {1, 2, 3, 4}, {5, 6, 7, 8}},
                                             {100, {9, 9, 9, 9}, {0, 0, 0, 0}}};
    const struct Case {
        const char* name;
        Prepare setup;
        Edit edit;
        unsigned parts;
        Expect expect;
    } cases[] = {
        {"rate", nullptr, Edit::number(Field::Rate, 55), ChangedValues,
         [](const EditorDocument& d) { return values(d).rate == 55; }},
        {"lifetime min takes max along", nullptr, Edit::number(Field::LifetimeMin, 5), ChangedValues,
         [](const EditorDocument& d) { return values(d).lifetimeMin == 5 && values(d).lifetimeMax == 5; }},
        {"lifetime max takes min along", nullptr, Edit::number(Field::LifetimeMax, 0.5f), ChangedValues,
         [](const EditorDocument& d) {
             return values(d).lifetimeMin == 0.5f && values(d).lifetimeMax == 0.5f;
         }},
        {"speed", nullptr, Edit::number(Field::Speed, 7), ChangedValues,
         [](const EditorDocument& d) { return values(d).speed == 7; }},
        {"spread", nullptr, Edit::number(Field::Spread, 90), ChangedValues,
         [](const EditorDocument& d) { return values(d).spread == 90; }},
        {"gravity", nullptr, Edit::number(Field::Gravity, -20), ChangedValues,
         [](const EditorDocument& d) { return values(d).gravity == -20; }},
        {"blend", nullptr, Edit::number(Field::Blend, 0), ChangedValues,
         [](const EditorDocument& d) { return values(d).blend == Blend::Alpha; }},
        {"shape kind", nullptr, Edit::number(Field::ShapeKind, 2), ChangedValues,
         [](const EditorDocument& d) { return values(d).shape.kind == ShapeKind::Rectangle; }},
        {"outline only", nullptr, Edit::number(Field::ShapeEdge, 1), ChangedValues,
         [](const EditorDocument& d) { return values(d).shape.edge; }},
        {"radius", nullptr, Edit::number(Field::ShapeRadius, 12), ChangedValues,
         [](const EditorDocument& d) { return values(d).shape.radius == 12; }},
        {"width", nullptr, Edit::number(Field::ShapeWidth, 30), ChangedValues,
         [](const EditorDocument& d) { return values(d).shape.width == 30; }},
        {"height", nullptr, Edit::number(Field::ShapeHeight, 40), ChangedValues,
         [](const EditorDocument& d) { return values(d).shape.height == 40; }},
        {"direction", nullptr, Edit::number(Field::Direction, -45), ChangedValues,
         [](const EditorDocument& d) { return values(d).direction == -45; }},
        {"duration", nullptr, Edit::number(Field::Duration, 2), ChangedValues,
         [](const EditorDocument& d) { return values(d).duration == 2; }},
        {"loop", nullptr, Edit::number(Field::Loop, 0), ChangedValues,
         [](const EditorDocument& d) { return !values(d).loop; }},
        {"start delay", nullptr, Edit::number(Field::Delay, 1.5f), ChangedValues,
         [](const EditorDocument& d) { return values(d).delay == 1.5f; }},
        {"prewarm", nullptr, Edit::number(Field::Prewarm, 1), ChangedValues,
         [](const EditorDocument& d) { return values(d).prewarm; }},
        {"second burst's count adds bursts up to it", nullptr, Edit::number(Field::BurstCount, 5.4f, 1),
         ChangedValues,
         [](const EditorDocument& d) {
             const std::vector<Burst> expected = {Burst{0, 0, 0, 1}, Burst{0, 5, 0, 1}};
             return values(d).bursts == expected;
         }},
        {"rotation min takes max along", nullptr, Edit::number(Field::RotationMin, 90), ChangedValues,
         [](const EditorDocument& d) { return values(d).rotationMin == 90 && values(d).rotationMax == 90; }},
        {"rotation max", nullptr, Edit::number(Field::RotationMax, 30), ChangedValues,
         [](const EditorDocument& d) { return values(d).rotationMax == 30; }},
        {"spin min", nullptr, Edit::number(Field::SpinMin, 100), ChangedValues,
         [](const EditorDocument& d) { return values(d).spinMin == 100 && values(d).spinMax == 100; }},
        {"spin max takes min along", nullptr, Edit::number(Field::SpinMax, -10), ChangedValues,
         [](const EditorDocument& d) { return values(d).spinMin == -10 && values(d).spinMax == -10; }},
        {"align to motion", nullptr, Edit::number(Field::AlignToVelocity, 1), ChangedValues,
         [](const EditorDocument& d) { return values(d).alignToVelocity; }},
        {"drag", nullptr, Edit::number(Field::Drag, 0.5f), ChangedValues,
         [](const EditorDocument& d) { return values(d).drag == 0.5f; }},
        {"columns", nullptr, Edit::number(Field::SheetColumns, 4), ChangedValues,
         [](const EditorDocument& d) { return values(d).sheet.columns == 4; }},
        {"rows", nullptr, Edit::number(Field::SheetRows, 3), ChangedValues,
         [](const EditorDocument& d) { return values(d).sheet.rows == 3; }},
        {"frame rate", nullptr, Edit::number(Field::FrameRate, 24), ChangedValues,
         [](const EditorDocument& d) { return values(d).sheet.frameRate == 24; }},
        {"random start", nullptr, Edit::number(Field::RandomStart, 1), ChangedValues,
         [](const EditorDocument& d) { return values(d).sheet.randomStart; }},
        {"size keys", nullptr, Edit::sizeCurve(threeSizes), ChangedValues,
         [](const EditorDocument& d) { return values(d).size.size() == 3 && values(d).size[1].upper == 9; }},
        {"colour keys", nullptr, Edit::colorCurve(twoColors), ChangedValues,
         [](const EditorDocument& d) { return values(d).color[0].lower.b == 7; }},
        {"texture beside the effect is stored relative", inFolder, Edit::texture("/fx/img/fire.png"),
         ChangedValues,
         [](const EditorDocument& d) { return d.selectedEmitter()->values.texture == "img/fire.png"; }},
        {"texture elsewhere is stored as chosen", nullptr, Edit::texture("/tex/smoke.png"), ChangedValues,
         [](const EditorDocument& d) { return values(d).texture == "/tex/smoke.png"; }},
        {"rename emitter", nullptr, Edit::rename("Sparks"), ChangedStructure | ChangedValues,
         [](const EditorDocument& d) { return values(d).name == "Sparks"; }},
        {"rename group", selecting(kGroup), Edit::rename("Embers"), ChangedStructure,
         [](const EditorDocument& d) { return d.getScene().findGroup(kGroup)->name == "Embers"; }},
        {"add system", nullptr, Edit::add(ElementKind::System), ChangedStructure | ChangedSelection,
         [](const EditorDocument& d) {
             return d.getScene().getSystems().size() == 2 &&
                    d.getSelection() == d.getScene().getSystems()[1].id;
         }},
        {"add group beside the selected emitter's", nullptr, Edit::add(ElementKind::Group),
         ChangedStructure | ChangedSelection,
         [](const EditorDocument& d) {
             const Group& added = d.getScene().getSystems()[0].groups[1];
             return added.name == "Group 2" && d.getSelection() == added.id;
         }},
        {"add emitter to the selected system's first group", selecting(kSystem),
         Edit::add(ElementKind::Emitter), ChangedStructure | ChangedSelection,
         [](const EditorDocument& d) {
             const Emitter& added = d.getScene().findGroup(kGroup)->emitters[1];
             return added.values.name == "Emitter 2" && added.values.rate == 40 &&
                    d.getSelection() == added.id;
         }},
        {"delete emitter selects its group", nullptr, Edit::remove(), ChangedStructure | ChangedSelection,
         [](const EditorDocument& d) {
             return d.getScene().elementCount() == 2 && d.getSelection() == kGroup;
         }},
        {"delete system", selecting(kSystem), Edit::remove(), ChangedStructure | ChangedSelection,
         [](const EditorDocument& d) {
             return d.getScene().elementCount() == 0 && d.getSelection() == kNoElement;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorDocument document;
        if (c.setup) {
            c.setup(document);
        }
        const Scene before = document.getScene();
        std::vector<Change> changes;
        document.addListener([&changes](const Change& change) { changes.push_back(change); });

        ASSERT_TRUE(document.apply(c.edit));
        EXPECT_TRUE(c.expect(document));
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_EQ(changes[0].parts, c.parts | ChangedFile);
        EXPECT_TRUE(document.hasUnsavedChanges());
        EXPECT_EQ(document.undoSteps(), 1u);
        const Scene after = document.getScene();

        ASSERT_TRUE(document.undo());
        EXPECT_TRUE(document.getScene() == before);
        EXPECT_FALSE(document.hasUnsavedChanges());
        EXPECT_NE(document.getScene().kindOf(document.getSelection()), ElementKind::None);
        ASSERT_TRUE(document.redo());
        EXPECT_TRUE(document.getScene() == after);
        EXPECT_FALSE(document.redo());
    }
}

TEST(EditorDocument, ARefusedEditChangesNothingAndSaysWhy) {
    const struct Case {
        const char* name;
        Prepare setup;
        Edit edit;
        const char* reason;
    } cases[] = {
        {"rate below its range", nullptr, Edit::number(Field::Rate, -1), "rate: -1 is outside 0..10000"},
        {"rate not a number", nullptr, Edit::number(Field::Rate, std::nanf("")),
         "rate: NaN is not a finite number"},
        {"blend unknown", nullptr, Edit::number(Field::Blend, 5), "blend: is neither alpha nor additive"},
        {"shape unknown", nullptr, Edit::number(Field::ShapeKind, 7),
         "shape.kind: is not point, circle, rectangle or line"},
        {"columns above range", nullptr, Edit::number(Field::SheetColumns, 65),
         "sheet.columns: 65 is outside 1..64"},
        {"burst count negative", nullptr, Edit::number(Field::BurstCount, -1),
         "bursts[0].count: -1 is outside 0..10000"},
        {"burst slot past the limit", nullptr, Edit::number(Field::BurstCount, 1, 100),
         "bursts: at most 100 bursts"},
        {"one size key", nullptr, Edit::sizeCurve({{0, 1, 1}}), "size: 1 keys; a curve has 2 to 1000"},
        {"colour component", nullptr, Edit::colorCurve({{0, {300, 0, 0, 0}, {0, 0, 0, 0}}, {100, {}, {}}}),
         "color[0].upper[0]: 300 is outside 0..255"},
        {"texture path too long", nullptr, Edit::texture(std::string(1100, 'a')),
         "texture: 1100 characters; at most 1023"},
        {"empty name", nullptr, Edit::rename(""), "name: is empty"},
        {"name too long", nullptr, Edit::rename(std::string(256, 'x')), "name: 256 characters; at most 255"},
        {"name with a NUL", nullptr, Edit::rename(std::string("a\0b", 3)), "name: holds a NUL character"},
        {"speed above its range", nullptr, Edit::number(Field::Speed, 20000),
         "speed: 20000 is outside 0..10000"},
        {"spread above its range", nullptr, Edit::number(Field::Spread, 361),
         "spread: 361 is outside 0..360"},
        {"gravity below its range", nullptr, Edit::number(Field::Gravity, -20000),
         "gravity: -20000 is outside -10000..10000"},
        {"size key past the end", nullptr, Edit::sizeCurve({{0, 1, 1}, {100.5f, 1, 1}}),
         "size[1].x: 100.5 is outside 0..100"},
        {"size lower above upper", nullptr, Edit::sizeCurve({{0, 1, 2}, {100, 1, 1}}),
         "size[0]: lower value 2 is above upper value 1"},
        {"colour opacity", nullptr, Edit::colorCurve({{0, {}, {}}, {100, {}, {0, 0, 0, -1}}}),
         "color[1].lower[3]: -1 is outside 0..255"},
        {"value with a group selected", selecting(kGroup), Edit::number(Field::Rate, 1),
         "No emitter is selected."},
        {"rename with nothing selected", selecting(kNoElement), Edit::rename("A"), "Nothing is selected."},
        {"delete with nothing selected", selecting(kNoElement), Edit::remove(), "Nothing is selected."},
        {"group with nothing selected", selecting(kNoElement), Edit::add(ElementKind::Group),
         "Select the system to add the group to."},
        {"emitter with nothing selected", selecting(kNoElement), Edit::add(ElementKind::Emitter),
         "Select the group to add the emitter to."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorDocument document;
        if (c.setup) {
            c.setup(document);
        }
        const Scene before = document.getScene();
        const ElementId selected = document.getSelection();
        int told = 0;
        document.addListener([&told](const Change&) { ++told; });

        const Applied applied = document.apply(c.edit);
        EXPECT_FALSE(applied);
        EXPECT_EQ(applied.reason, c.reason);
        EXPECT_TRUE(document.getScene() == before);
        EXPECT_EQ(document.getSelection(), selected);
        EXPECT_FALSE(document.canUndo());
        EXPECT_FALSE(document.hasUnsavedChanges());
        EXPECT_EQ(told, 0);
    }
}

TEST(EditorDocument, TheStepsOfOneDragMakeOneUndoStep) {
    EditorDocument document;
    std::vector<Change> changes;
    document.addListener([&changes](const Change& change) { changes.push_back(change); });
    for (float rate : {41.0f, 60.0f, 80.0f}) {
        ASSERT_TRUE(document.apply(Edit::number(Field::Rate, rate).duringDrag()));
    }
    EXPECT_FALSE(document.apply(Edit::number(Field::Rate, -5).duringDrag())); // refused mid-drag
    ASSERT_TRUE(document.apply(Edit::number(Field::Rate, 90)));
    EXPECT_EQ(values(document).rate, 90);
    EXPECT_EQ(document.undoSteps(), 1u);
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_FALSE(changes[0].finished);
    EXPECT_TRUE(changes[3].finished);
    EXPECT_EQ(changes[0].emitter, kEmitter);

    // Another row's drag is a step of its own; a drag that ends where it began leaves none.
    document.apply(Edit::number(Field::Speed, 10).duringDrag());
    document.apply(Edit::number(Field::Speed, 120));
    document.apply(Edit::number(Field::Duration, 3).duringDrag());
    EXPECT_EQ(document.undoSteps(), 2u);
    EXPECT_TRUE(document.undo()); // ends the duration drag, then takes it back
    EXPECT_EQ(values(document).duration, 5);
    EXPECT_TRUE(document.undo());
    EXPECT_EQ(values(document).rate, 40);
    EXPECT_FALSE(document.canUndo());
    EXPECT_FALSE(document.hasUnsavedChanges());

    // A timing value restarts the preview; the rate does not.
    document.apply(Edit::number(Field::Loop, 0));
    EXPECT_TRUE(changes.back().timing);
    document.apply(Edit::number(Field::Rate, 3));
    EXPECT_FALSE(changes.back().timing);
}

TEST(EditorDocument, OpeningABrokenFileChangesNothingAndSaysWhy) {
    EditorDocument document;
    std::string error;
    ASSERT_TRUE(document.open(document.fileText(), "/fx/a.kwfx", error)) << error;
    const ElementId emitter = document.getSelection();
    document.apply(Edit::number(Field::Rate, 12));
    document.apply(Edit::number(Field::Speed, 13));
    document.undo();
    std::string good = document.fileText();
    std::string badRate = good;
    badRate.replace(badRate.find("\"rate\": 12"), 10, "\"rate\": -12");
    const struct Case {
        std::string text;
        const char* error;
    } cases[] = {
        {"{ not json", "line 1, column 4: "},
        {"{\"format\": \"something\", \"version\": 2, \"systems\": []}", "format: "},
        {"{\n\"format\":\n\"pelmora-\xE9\"}", "line 3: the text is not UTF-8; effect files are UTF-8 text"},
        {badRate, "systems[0].groups[0].emitters[0].rate: -12 is outside 0..10000"},
    };
    const Scene before = document.getScene();
    for (const Case& c : cases) {
        int told = 0;
        const int listener = document.addListener([&told](const Change&) { ++told; });
        EXPECT_FALSE(document.open(c.text, "/fx/b.kwfx", error));
        EXPECT_EQ(error.compare(0, std::string(c.error).size(), c.error), 0) << error;
        EXPECT_TRUE(document.getScene() == before);
        EXPECT_EQ(document.getSelection(), emitter);
        EXPECT_EQ(document.getPath(), "/fx/a.kwfx");
        EXPECT_EQ(document.undoSteps(), 1u);
        EXPECT_TRUE(document.canRedo());
        EXPECT_TRUE(document.hasUnsavedChanges());
        EXPECT_EQ(told, 0);
        document.removeListener(listener);
    }
}

TEST(EditorDocument, SavedTextOpensAsTheSameEffectAndTheExamplesComeBackByteForByte) {
    EditorDocument document;
    document.apply(Edit::number(Field::BurstCount, 7));
    document.apply(Edit::rename("Flame"));
    document.markSaved("/fx/flame.kwfx");
    EXPECT_FALSE(document.hasUnsavedChanges());
    EXPECT_TRUE(document.canUndo()); // saving keeps the steps

    EditorDocument reopened;
    std::string error;
    ASSERT_TRUE(reopened.open(document.fileText(), "/fx/flame.kwfx", error, TextEncoding::Utf8, true));
    EXPECT_TRUE(reopened.hasUnsavedChanges()); // recovered work
    EXPECT_TRUE(sameValues(reopened.selectedEmitter()->values, values(document)));
    EXPECT_GT(reopened.getSelection(), kEmitter); // ids above the old scene's
    EXPECT_FALSE(reopened.canUndo());

    for (const char* name : {"campfire", "fire", "sparks", "smoke"}) {
        const std::string path = std::string(KW_EDITOR_EXAMPLES) + "/" + name + ".kwfx";
        const std::string text = readAll(path);
        ASSERT_TRUE(reopened.open(text, name, error)) << error;
        EXPECT_EQ(reopened.fileText(), text) << name;
        const LoadResult loaded = Effect::load(path);
        for (const std::string& texture : loaded->texturePaths()) {
            EXPECT_TRUE(std::ifstream(texture).good()) << texture;
        }
    }
    // A version 1 file opens with the newer fields' defaults.
    ASSERT_TRUE(
        reopened.open(readAll(std::string(KW_FUZZ_SEEDS) + "/EffectFileFuzz/campfire"), "old", error));
    EXPECT_EQ(reopened.fileText(), readAll(std::string(KW_EDITOR_EXAMPLES) + "/campfire.kwfx"));
}

TEST(EditorDocument, UnsavedChangesFollowTheSavedState) {
    // e: an edit, d: a drag that ends where it began, s: save, u: undo, r: redo.
    const struct Case {
        const char* actions;
        bool unsaved;
    } cases[] = {
        {"", false},    {"e", true},    {"es", false},   {"esu", true},     {"esur", false},
        {"eu", false},  {"eeu", true},  {"esue", true},  {"eseuur", false}, {"d", false},
        {"esd", false}, {"eud", false}, {"eeusr", true}, {"eeusru", false},
    };
    for (const Case& c : cases) {
        EditorDocument document;
        float rate = 40.0f;
        for (const char* action = c.actions; *action; ++action) {
            switch (*action) {
            case 'e':
                document.apply(Edit::number(Field::Rate, rate += 1.0f));
                break;
            case 'd': {
                const float start = values(document).rate;
                document.apply(Edit::number(Field::Rate, start + 5.0f).duringDrag());
                document.apply(Edit::number(Field::Rate, start));
                break;
            }
            case 's':
                document.markSaved("/fx/a.kwfx");
                break;
            case 'u':
                document.undo();
                break;
            case 'r':
                document.redo();
                break;
            }
        }
        EXPECT_EQ(document.hasUnsavedChanges(), c.unsaved) << c.actions;
    }
}

TEST(EditorDocument, UndoStepsKeepTheirOrderLimitAndIds) {
    EditorDocument document;
    document.apply(Edit::number(Field::Rate, 20));
    document.apply(Edit::number(Field::Rate, 30));
    document.undo();
    document.undo();
    document.apply(Edit::number(Field::Rate, 50)); // drops the redo steps
    EXPECT_FALSE(document.canRedo());
    EXPECT_EQ(document.undoSteps(), 1u);
    document.undo();
    EXPECT_EQ(values(document).rate, 40);

    // An add taken back keeps its id from being handed out again.
    document.apply(Edit::add(ElementKind::Emitter));
    const ElementId added = document.getSelection();
    document.undo();
    document.select(kGroup);
    document.apply(Edit::add(ElementKind::Emitter));
    EXPECT_GT(document.getSelection(), added);

    // The oldest steps go beyond the limit, taking the saved state with them.
    document.markSaved("/fx/a.kwfx");
    for (std::size_t i = 0; i <= EditHistory::kDefaultLimit; ++i) {
        document.select(kEmitter);
        document.apply(Edit::number(Field::Rate, static_cast<float>(i % 7)));
    }
    EXPECT_EQ(document.undoSteps(), EditHistory::kDefaultLimit);
    while (document.undo()) {
    }
    EXPECT_TRUE(document.hasUnsavedChanges());

    // New and recovered work: no steps; recovered work is unsaved until saved.
    document.newEffect();
    EXPECT_FALSE(document.canUndo() || document.canRedo() || document.hasUnsavedChanges());
    std::string error;
    ASSERT_TRUE(document.open(document.fileText(), "/fx/b.kwfx", error, TextEncoding::Utf8, true));
    EXPECT_TRUE(document.hasUnsavedChanges());
    document.markSaved("/fx/b.kwfx");
    EXPECT_FALSE(document.hasUnsavedChanges());
}
