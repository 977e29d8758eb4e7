// One drag of an emitter's rate in an effect of 1,000 emitters, step by step: through the editor document
// alone, and with the preview's playback taking each step's scene as the preview does. Prints figures;
// never a pass or fail.
#include "BenchSupport.h"
#include "logic/EditorDocument.h"
#include "logic/Playback.h"

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

double documentRoad(bool played) {
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
    Playback playback;
    playback.restart(document.getScene());
    document.addListener([&document, &taken, &playback, played](const Change& change) {
        if (const Emitter* emitter = document.getScene().findEmitter(change.emitter)) {
            const pelmora::EmitterDesc values = emitter->values;
            taken += values.size.size();
        }
        if (played) {
            playback.update(document.getScene());
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
    const double document = documentRoad(false);
    const double played = documentRoad(true);
    std::printf("drag step, %d emitters: document %.1f us, document and preview playback %.1f us\n",
                kGroups * kEmittersPerGroup, 1000.0 * document / steps, 1000.0 * played / steps);
    return document < 0 || played < 0 ? 1 : 0;
}
