#include "EmitterProperties.h"

#include <algorithm>

using namespace KW;
using namespace KW::effect;

namespace pelmora {

namespace {

using namespace pelmora::detail;

// Whole-number values held in spin boxes.
int roundedInt(float value) {
    return static_cast<int>(value + (value < 0.0f ? -0.5f : 0.5f));
}

} // namespace

EmitterProperties::EmitterProperties(KWProperties* grid, Current current, Commit commit, Refuse refuse)
    : grid(grid), current(current), commit(commit), refuse(refuse), shapeKind(nullptr) {
    KWGroupItem* shape = grid->addGroup("Shape");
    KWGroupItem* timing = grid->addGroup("Timing");
    KWGroupItem* bursts = grid->addGroup("Bursts");
    KWGroupItem* motion = grid->addGroup("Motion");
    KWGroupItem* sheet = grid->addGroup("Sprite sheet");
    groups = {shape, timing, bursts, motion, sheet};

    shapeKind = KWComboBox::create(STYLE_DEFAULT, 0, 0, 20, 80, grid, -1);
    const char* const kinds[] = {"Point", "Circle", "Rectangle", "Line"};
    for (int i = 0; i < 4; ++i) {
        shapeKind->addItem(i, kinds[i]);
    }
    grid->addItem(shape, "Kind", 1, shapeKind);
    shapeKind->setHandler([this](const KWEvent& event) {
        if (event.param1 >= 0) {
            const ShapeKind kind = static_cast<ShapeKind>(event.param1);
            edit([kind](Emitter& e) { e.shape.kind = kind; }, true);
        }
    });
    addFlag(
        shape, "Outline only", [](const Emitter& e) { return e.shape.edge; },
        [](Emitter& e, bool v) { e.shape.edge = v; });
    addNumber(
        shape, "Radius", kShapeRange, 1.0f, [](const Emitter& e) { return e.shape.radius; },
        [](Emitter& e, float v) { e.shape.radius = v; });
    addNumber(
        shape, "Width", kShapeRange, 1.0f, [](const Emitter& e) { return e.shape.width; },
        [](Emitter& e, float v) { e.shape.width = v; });
    addNumber(
        shape, "Height", kShapeRange, 1.0f, [](const Emitter& e) { return e.shape.height; },
        [](Emitter& e, float v) { e.shape.height = v; });
    addNumber(
        shape, "Direction", kDirectionRange, 1.0f, [](const Emitter& e) { return e.direction; },
        [](Emitter& e, float v) { e.direction = v; });

    addNumber(
        timing, "Duration", kDurationRange, 0.1f, [](const Emitter& e) { return e.duration; },
        [](Emitter& e, float v) { e.duration = v; });
    addFlag(
        timing, "Loop", [](const Emitter& e) { return e.loop; }, [](Emitter& e, bool v) { e.loop = v; });
    addNumber(
        timing, "Start delay", kDelayRange, 0.1f, [](const Emitter& e) { return e.delay; },
        [](Emitter& e, float v) { e.delay = v; });
    addFlag(
        timing, "Prewarm", [](const Emitter& e) { return e.prewarm; },
        [](Emitter& e, bool v) { e.prewarm = v; });

    for (std::size_t slot = 0; slot < kBurstRows; ++slot) {
        addBurstRows(bursts, slot);
    }

    addRange(motion, "Rotation", kRotationRange, &Emitter::rotationMin, &Emitter::rotationMax);
    addRange(motion, "Spin", kSpinRange, &Emitter::spinMin, &Emitter::spinMax);
    addFlag(
        motion, "Align to motion", [](const Emitter& e) { return e.alignToVelocity; },
        [](Emitter& e, bool v) { e.alignToVelocity = v; });
    addNumber(
        motion, "Drag", kDragRange, 0.1f, [](const Emitter& e) { return e.drag; },
        [](Emitter& e, float v) { e.drag = v; });

    addNumber(
        sheet, "Columns", kSheetRange, 1.0f,
        [](const Emitter& e) { return static_cast<float>(e.sheet.columns); },
        [](Emitter& e, float v) { e.sheet.columns = roundedInt(v); });
    addNumber(
        sheet, "Rows", kSheetRange, 1.0f, [](const Emitter& e) { return static_cast<float>(e.sheet.rows); },
        [](Emitter& e, float v) { e.sheet.rows = roundedInt(v); });
    addNumber(
        sheet, "Frame rate", kFrameRateRange, 1.0f, [](const Emitter& e) { return e.sheet.frameRate; },
        [](Emitter& e, float v) { e.sheet.frameRate = v; });
    addFlag(
        sheet, "Random start", [](const Emitter& e) { return e.sheet.randomStart; },
        [](Emitter& e, bool v) { e.sheet.randomStart = v; });
}

void EmitterProperties::addBurstRows(KWGroupItem* group, std::size_t slot) {
    // A slot past the emitter's bursts shows a burst of none; editing it adds bursts up to it, and
    // bursts of none at the end are dropped, so an emitter without bursts keeps none.
    auto field = [slot](float Burst::*member) -> Get {
        return [slot, member](const Emitter& e) {
            return slot < e.bursts.size() ? e.bursts[slot].*member : 0.0f;
        };
    };
    auto whole = [slot](int Burst::*member, int none) -> Get {
        return [slot, member, none](const Emitter& e) {
            return static_cast<float>(slot < e.bursts.size() ? e.bursts[slot].*member : none);
        };
    };
    auto set = [slot](const std::function<void(Burst&, float)>& change) -> Set {
        return [slot, change](Emitter& e, float value) {
            while (e.bursts.size() <= slot) {
                e.bursts.push_back(Burst{0.0f, 0, 0.0f, 1});
            }
            change(e.bursts[slot], value);
            while (!e.bursts.empty() && e.bursts.back().count == 0) {
                e.bursts.pop_back();
            }
        };
    };
    const std::string name = "Burst " + std::to_string(slot + 1) + " ";
    addNumber(group, name + "time", kBurstTimeRange, 0.1f, field(&Burst::time),
              set([](Burst& b, float v) { b.time = v; }));
    addNumber(group, name + "count", kBurstCountRange, 1.0f, whole(&Burst::count, 0),
              set([](Burst& b, float v) { b.count = roundedInt(v); }));
    addNumber(group, name + "repeats", kBurstCyclesRange, 1.0f, whole(&Burst::cycles, 1),
              set([](Burst& b, float v) { b.cycles = roundedInt(v); }));
    addNumber(group, name + "every", kBurstTimeRange, 0.1f, field(&Burst::interval),
              set([](Burst& b, float v) { b.interval = v; }));
}

void EmitterProperties::addRange(KWGroupItem* group, const std::string& label, const Range& range,
                                 float Emitter::*low, float Emitter::*high) {
    // A bound moved past the other one takes it along, as the lifetime does.
    addNumber(
        group, label + " min", range, 5.0f, [low](const Emitter& e) { return e.*low; },
        [low, high](Emitter& e, float v) {
            e.*low = v;
            e.*high = std::max(e.*high, v);
        });
    addNumber(
        group, label + " max", range, 5.0f, [high](const Emitter& e) { return e.*high; },
        [low, high](Emitter& e, float v) {
            e.*high = v;
            e.*low = std::min(e.*low, v);
        });
}

void showNumberStart(KWSpinBox* editor) {
    HWND field = FindWindowExA(editor->getHandle(), nullptr, "Edit", nullptr);
    if (field) {
        const int length = GetWindowTextLengthA(field);
        SendMessageA(field, EM_SETSEL, static_cast<WPARAM>(length), 0);
        SendMessageA(field, EM_SCROLLCARET, 0, 0);
    }
}

void EmitterProperties::addNumber(KWGroupItem* group, const std::string& label, const Range& range,
                                  float step, Get get, Set set) {
    KWSpinBox* editor = KWSpinBox::create(STYLE_DEFAULT, range.min, 0, 0, 50, 20, range.min, range.max, step,
                                          true, true, grid, -1);
    grid->addItem(group, label, 1, editor);
    numbers.push_back(Number{editor, get, set});
    editor->setHandler([this, editor, set](const KWEvent& event) {
        const float value = editor->getValue();
        edit([set, value](Emitter& e) { set(e, value); }, event.type == EVENT_CHANGED);
        if (event.type == EVENT_CHANGED) {
            showNumberStart(editor);
        }
    });
}

void EmitterProperties::addFlag(KWGroupItem* group, const char* label, bool (*get)(const Emitter&),
                                void (*set)(Emitter&, bool)) {
    KWCheckBox* editor = KWCheckBox::create(STYLE_DEFAULT, "", 0, 0, 60, 20, grid, -1);
    editor->setAutoTextEnabled(true);
    grid->addItem(group, label, 1, editor);
    flags.push_back(Flag{editor, get, set});
    editor->setHandler([this, editor, set](const KWEvent&) {
        const bool checked = editor->isChecked();
        edit([set, checked](Emitter& e) { set(e, checked); }, true);
    });
}

void EmitterProperties::edit(const std::function<void(Emitter&)>& change, bool finished) {
    const Emitter* stored = current();
    if (!stored) {
        return;
    }
    Emitter values = *stored;
    change(values);
    const Problem problem = checkEmitter(values);
    if (!problem.ok() || !commit(values, finished)) {
        refuse(refusalText(problem));
        show(current());
        return;
    }
    show(&values);
}

void EmitterProperties::show(const Emitter* emitter) {
    for (KWGroupItem* group : groups) {
        grid->hideGroup(group, emitter == nullptr);
    }
    if (!emitter) {
        return;
    }
    for (const Number& number : numbers) {
        number.editor->setValue(number.get(*emitter));
    }
    for (const Flag& flag : flags) {
        flag.editor->setChecked(flag.get(*emitter));
    }
    shapeKind->selectItem(static_cast<int>(emitter->shape.kind));
}

} // namespace pelmora
