// One drag of an emitter's rate in an effect of 1,000 emitters, step by step: through the editor document,
// and the old road (the scene's copy of the emitter checked in the runtime's form, the preview's copy of the
// whole scene and every emitter converted for its engine, the history's copy when the drag ends). Prints
// figures; never a pass or fail.
#include "BenchSupport.h"
#include "logic/EditorDocument.h"
#include "logic/EffectHistory.h"

#include <cstdio>

using bench::Clock;
using bench::millisecondsSince;

namespace {

const int kGroups = 20;
const int kEmittersPerGroup = 50;
const int kDrags = 5;
const int kStepsPerDrag = 200;

float rateAt(int drag, int step) {
    return static_cast<float>(10 + drag + step % 100);
}

double oldRoad() {
    using namespace KW::effect;
    Scene scene = Scene::makeDefault();
    for (int g = 1; g < kGroups; ++g) {
        scene.addGroup(scene.getSystems()[0].id);
    }
    for (const Group& group : std::vector<Group>(scene.getSystems()[0].groups)) {
        while (scene.findGroup(group.id)->emitters.size() < static_cast<std::size_t>(kEmittersPerGroup)) {
            scene.addEmitter(group.id);
        }
    }
    const ElementId id = scene.getSystems()[0].groups[0].emitters[0].id;
    History history(scene);
    Scene preview = scene;
    std::size_t converted = 0;
    const Clock::time_point start = Clock::now();
    for (int drag = 0; drag < kDrags; ++drag) {
        for (int step = 0; step < kStepsPerDrag; ++step) {
            Emitter values = *scene.findEmitter(id);
            values.rate = rateAt(drag, step);
            scene.setEmitter(id, values);
            if (Scene::sameTiming(preview, scene)) {
                preview = scene;
            }
            converted += toRuntime(preview).size();
        }
        history.record(scene);
    }
    const double ms = millisecondsSince(start);
    return converted > 0 ? ms : -1.0;
}

double documentRoad() {
    using namespace pelmora::editor;
    EditorDocument document;
    const ElementId system = document.getScene().getSystems()[0].id;
    for (int g = 0; g < kGroups; ++g) {
        document.select(g == 0 ? document.getScene().getSystems()[0].groups[0].id : system);
        if (g > 0) {
            document.apply(Edit::add(ElementKind::Group));
        }
        for (std::size_t e = document.getScene().findGroup(document.getSelection())->emitters.size();
             e < static_cast<std::size_t>(kEmittersPerGroup); ++e) {
            const ElementId group = document.getSelection();
            document.apply(Edit::add(ElementKind::Emitter));
            document.select(group);
        }
    }
    document.select(document.getScene().getSystems()[0].groups[0].emitters[0].id);
    // What a preview takes per step: the one emitter's values.
    std::size_t taken = 0;
    document.addListener([&document, &taken](const Change& change) {
        if (const Emitter* emitter = document.getScene().findEmitter(change.emitter)) {
            const pelmora::EmitterDesc values = emitter->values;
            taken += values.size.size();
        }
    });
    const Clock::time_point start = Clock::now();
    for (int drag = 0; drag < kDrags; ++drag) {
        for (int step = 0; step + 1 < kStepsPerDrag; ++step) {
            document.apply(Edit::number(Field::Rate, rateAt(drag, step)).duringDrag());
        }
        document.apply(Edit::number(Field::Rate, rateAt(drag, kStepsPerDrag - 1)));
    }
    const double ms = millisecondsSince(start);
    return taken > 0 && document.undoSteps() > 0 ? ms : -1.0;
}

} // namespace

int main() {
    const double steps = kDrags * kStepsPerDrag;
    const double before = oldRoad();
    const double after = documentRoad();
    std::printf("drag step, %d emitters: old road %.1f us, document %.1f us, ratio %.1fx\n",
                kGroups * kEmittersPerGroup, 1000.0 * before / steps, 1000.0 * after / steps, before / after);
    return before < 0 || after < 0 ? 1 : 0;
}
