#ifndef PELMORA_EMITTER_PROPERTIES_H
#define PELMORA_EMITTER_PROPERTIES_H

#include "KW.h"
#include "logic/EffectModel.h"

#include <functional>
#include <string>
#include <vector>

namespace pelmora {

// After a value was taken, the spin box shows its number from the first digit, selected, so that a number
// wider than the cell keeps its start in view and the next typing replaces it.
void showNumberStart(KW::KWSpinBox* editor);

// The property grid's groups for an emitter's shape, timing, bursts, motion and sprite sheet. Every
// edit goes through commit, which stores the values (and records them for undo when finished) or
// refuses them; a refusal puts the stored values back and reports why.
class EmitterProperties {
public:
    // The selected emitter, or null.
    typedef std::function<const KW::effect::Emitter*()> Current;
    // Stores values for the selected emitter; false when the scene refuses them.
    typedef std::function<bool(const KW::effect::Emitter& values, bool finished)> Commit;
    // Shows why an edit was refused.
    typedef std::function<void(const std::string& message)> Refuse;

    EmitterProperties(KW::KWProperties* grid, Current current, Commit commit, Refuse refuse);

    // Shows the emitter's values; hides the groups without one.
    void show(const KW::effect::Emitter* emitter);
    const std::vector<KW::KWGroupItem*>& getGroups() const { return groups; }
    // Bursts shown as rows; an emitter's further bursts are kept as they are.
    static const std::size_t kBurstRows = 2;
    // The shape's kind, for automation and tests.
    KW::KWComboBox* getShapeKind() const { return shapeKind; }

private:
    typedef std::function<float(const KW::effect::Emitter&)> Get;
    typedef std::function<void(KW::effect::Emitter&, float)> Set;
    struct Number {
        KW::KWSpinBox* editor;
        Get get;
        Set set;
    };
    struct Flag {
        KW::KWCheckBox* editor;
        bool (*get)(const KW::effect::Emitter&);
        void (*set)(KW::effect::Emitter&, bool);
    };

    void addNumber(KW::KWGroupItem* group, const std::string& label, const KW::effect::Range& range,
                   float step, Get get, Set set);
    // Rows for burst `slot`: its time, count, cycles and interval.
    void addBurstRows(KW::KWGroupItem* group, std::size_t slot);
    // A "LABEL min" and a "LABEL max" row for a pair of bounds, each taking the other along past it.
    void addRange(KW::KWGroupItem* group, const std::string& label, const KW::effect::Range& range,
                  float KW::effect::Emitter::*low, float KW::effect::Emitter::*high);
    void addFlag(KW::KWGroupItem* group, const char* label, bool (*get)(const KW::effect::Emitter&),
                 void (*set)(KW::effect::Emitter&, bool));
    // Applies an edit to a copy of the current values and commits it.
    void edit(const std::function<void(KW::effect::Emitter&)>& change, bool finished);

    KW::KWProperties* grid;
    Current current;
    Commit commit;
    Refuse refuse;
    std::vector<KW::KWGroupItem*> groups;
    std::vector<Number> numbers;
    std::vector<Flag> flags;
    KW::KWComboBox* shapeKind;
};

} // namespace pelmora

#endif
