#ifndef PELMORA_DOCUMENT_EDIT_H
#define PELMORA_DOCUMENT_EDIT_H

#include "logic/EditorScene.h"
#include "logic/EmitterFields.h"

#include <string>
#include <vector>

namespace pelmora {
namespace editor {

// One change the user makes to the effect. Value edits act on the selected emitter; Rename and Delete
// on the selected element; Add puts a new element under the selection. The values of a selected
// sub-emitter are edited as an emitter's.
struct Edit {
    enum class Kind { Field, Texture, SizeKeys, ColorKeys, SpeedKeys, Rename, Add, Delete };
    Kind kind = Kind::Field;
    Field field = Field::Rate;
    std::size_t slot = 0; // burst rows: which burst
    float value = 0.0f;
    std::string text;              // Texture: the file chosen; Rename: the new name
    std::vector<SizeKey> sizeKeys; // SizeKeys and SpeedKeys
    std::vector<ColorKey> colorKeys;
    ElementKind added = ElementKind::None;
    Trigger trigger = Trigger::Death; // an added sub-emitter's
    bool finished = true;             // false: a step of a drag that goes on

    // A grid row's new value (flags 0 or 1, choices their index).
    static Edit number(Field field, float value, std::size_t slot = 0);
    // A texture file as chosen; the document stores it relative to the effect's folder where it can.
    static Edit texture(const std::string& chosen);
    static Edit sizeCurve(std::vector<SizeKey> keys);
    static Edit colorCurve(std::vector<ColorKey> keys);
    // Speed over life: keys of factors, as size keys.
    static Edit speedCurve(std::vector<SizeKey> keys);
    static Edit rename(const std::string& name);
    static Edit add(ElementKind kind);
    // A sub-emitter under the selected emitter or sub-emitter.
    static Edit addSubEmitter(Trigger trigger);
    static Edit remove();
    // The same edit as one step of a drag: the steps until the finishing one make one undo step.
    Edit duringDrag() const;
};

} // namespace editor
} // namespace pelmora

#endif
