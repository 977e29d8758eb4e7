#include "logic/EffectHistory.h"

#include <gtest/gtest.h>

#include <string>

using namespace KW::effect;

namespace {

const ElementId kGroup = 2;
const ElementId kEmitter = 3;

Scene withRate(float rate) {
    Scene scene = Scene::makeDefault();
    scene.findEmitter(kEmitter)->rate = rate;
    return scene;
}

float rateOf(const Scene& scene) {
    return scene.findEmitter(kEmitter)->rate;
}

} // namespace

TEST(EffectHistory, EveryRecordedChangeIsOneStepUndoneAndRedoneInOrder) {
    History history(withRate(10.0f));
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_TRUE(history.record(withRate(20.0f)));
    EXPECT_TRUE(history.record(withRate(30.0f)));
    EXPECT_FALSE(history.record(withRate(30.0f))); // nothing changed
    EXPECT_EQ(history.undoSteps(), 2u);

    EXPECT_EQ(rateOf(history.undo()), 20.0f);
    EXPECT_EQ(rateOf(history.undo()), 10.0f);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(rateOf(history.undo()), 10.0f);
    EXPECT_EQ(history.redoSteps(), 2u);
    EXPECT_EQ(rateOf(history.redo()), 20.0f);
    EXPECT_EQ(rateOf(history.redo()), 30.0f);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(rateOf(history.redo()), 30.0f);
}

TEST(EffectHistory, AnEditAfterUndoDropsTheRedoSteps) {
    History history(withRate(10.0f));
    history.record(withRate(20.0f));
    history.record(withRate(30.0f));
    history.undo();
    history.undo();
    EXPECT_TRUE(history.record(withRate(40.0f)));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoSteps(), 1u);
    EXPECT_EQ(rateOf(history.undo()), 10.0f);
    EXPECT_EQ(rateOf(history.redo()), 40.0f);
}

TEST(EffectHistory, UnsavedChangesFollowTheSavedMark) {
    // e: an edit, s: save, u: undo, r: redo.
    struct Case {
        const char* actions;
        bool unsaved;
    } const cases[] = {
        {"", false},     {"e", true},       {"es", false},   {"esu", true},   {"esur", false},
        {"eu", false},   {"eeu", true},     {"eeuu", false}, {"esue", true},  {"esueu", true},
        {"eseu", false}, {"eseuur", false}, {"ues", false},  {"eeusr", true}, {"eeusru", false},
    };
    for (const Case& c : cases) {
        History history(withRate(0.0f));
        float rate = 0.0f;
        for (const char* action = c.actions; *action; ++action) {
            switch (*action) {
            case 'e':
                rate += 1.0f;
                history.record(withRate(rate));
                break;
            case 's':
                history.markSaved();
                break;
            case 'u':
                rate = rateOf(history.undo());
                break;
            case 'r':
                rate = rateOf(history.redo());
                break;
            }
        }
        EXPECT_EQ(history.hasUnsavedChanges(), c.unsaved) << c.actions;
    }
}

TEST(EffectHistory, ResetForNewOrOpenClearsTheStepsAndTheUnsavedMark) {
    History history(withRate(10.0f));
    history.record(withRate(20.0f));
    history.record(withRate(30.0f));
    history.undo();
    history.reset(withRate(99.0f));
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(history.hasUnsavedChanges());
    EXPECT_EQ(rateOf(history.current()), 99.0f);
}

TEST(EffectHistory, TheOldestStepsGoBeyondTheLimitTakingTheSavedMarkWithThem) {
    History history(withRate(0.0f), 3);
    for (int i = 1; i <= 5; ++i) {
        history.record(withRate(static_cast<float>(i)));
    }
    EXPECT_EQ(history.undoSteps(), 3u);
    while (history.canUndo()) {
        history.undo();
    }
    EXPECT_EQ(rateOf(history.current()), 2.0f);
    EXPECT_TRUE(history.hasUnsavedChanges()); // the saved state is gone
}

TEST(EffectHistory, UndoingAnAddKeepsItsIdFromBeingHandedOutAgain) {
    Scene scene = Scene::makeDefault();
    History history(scene);
    const ElementId added = scene.addEmitter(kGroup);
    history.record(scene);
    scene = history.undo();
    EXPECT_EQ(scene.kindOf(added), ElementKind::None);
    EXPECT_GT(scene.addEmitter(kGroup), added);
}
