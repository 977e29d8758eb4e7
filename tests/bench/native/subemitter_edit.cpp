// The editor document's cost for sub-emitters, in an effect of 1,000 emitters that each hold a death
// sub-emitter with a collision sub-emitter of its own: one drag step of a row of the deepest sub-emitter
// against the same step of the emitter's own row, and adding, deleting and undoing a sub-emitter. Prints
// figures; never a pass or fail.
#include "BenchSupport.h"
#include "logic/EditorDocument.h"

#include <cstdio>

using bench::Clock;
using bench::millisecondsSince;
using namespace pelmora::editor;

namespace {

const int kGroups = 20;
const int kEmittersPerGroup = 50;
const int kSteps = 1000;

// Every emitter with two levels of sub-emitters below it; returns the last emitter's deepest one.
ElementId build(EditorDocument& document) {
    const ElementId system = document.getScene().getSystems()[0].id;
    ElementId deepest = kNoElement;
    for (int g = 0; g < kGroups; ++g) {
        document.select(g == 0 ? document.getScene().getSystems()[0].groups[0].id : system);
        if (g > 0) {
            document.apply(Edit::add(ElementKind::Group));
        }
        const ElementId group = document.getSelection();
        for (int e = 0; e < kEmittersPerGroup; ++e) {
            if (e > 0 || g > 0) {
                document.select(group);
                document.apply(Edit::add(ElementKind::Emitter));
            } else {
                document.select(document.getScene().firstEmitter());
            }
            document.apply(Edit::addSubEmitter(pelmora::Trigger::Death));
            document.apply(Edit::addSubEmitter(pelmora::Trigger::Collision));
            deepest = document.getSelection();
        }
    }
    return deepest;
}

// Microseconds a step of a drag of the rate of the element given.
double dragStep(EditorDocument& document, ElementId id) {
    document.select(id);
    const Clock::time_point start = Clock::now();
    for (int step = 0; step + 1 < kSteps; ++step) {
        document.apply(Edit::number(Field::Rate, static_cast<float>(step % 100)).duringDrag());
    }
    document.apply(Edit::number(Field::Rate, 7.0f));
    return 1000.0 * millisecondsSince(start) / kSteps;
}

} // namespace

int main() {
    EditorDocument document;
    const Clock::time_point built = Clock::now();
    const ElementId deepest = build(document);
    const double buildMs = millisecondsSince(built);
    const ElementId holder = document.getScene().holderOf(deepest);
    const double own = dragStep(document, holder);
    const double sub = dragStep(document, deepest);

    document.select(holder);
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kSteps / 10; ++i) {
        document.apply(Edit::addSubEmitter(pelmora::Trigger::Birth));
        document.apply(Edit::remove());
        document.undo();
        document.undo();
    }
    const double structure = 1000.0 * millisecondsSince(start) / (kSteps / 10);
    std::printf("%d emitters with 2 levels of sub-emitters: built in %.0f ms\n", kGroups * kEmittersPerGroup,
                buildMs);
    std::printf("drag step: emitter's row %.1f us, deepest sub-emitter's row %.1f us (%.2fx)\n", own, sub,
                sub / own);
    std::printf("sub-emitter added, deleted and both undone: %.1f us\n", structure);
    return document.getScene().kindOf(deepest) == ElementKind::SubEmitter ? 0 : 1;
}
