#ifndef PELMORA_PROPERTIES_PANE_H
#define PELMORA_PROPERTIES_PANE_H

#include "logic/EditorDocument.h"

#include <KW.h>

#include <functional>
#include <string>
#include <vector>

namespace pelmora {

// The property grid: the selected element's name, and one row a value of the selected emitter or
// sub-emitter (with its trigger, count and inherited velocity), built from the table of emitter rows, with
// the texture after the blend. Every edit goes to the document;
// a refused one is reported and the document's values are shown again.
class PropertiesPane {
public:
    // Shows why an edit was refused.
    typedef std::function<void(const std::string& reason)> Refuse;
    // What became of a texture file (see Preview::textureState).
    typedef std::function<std::string(const std::string& texture)> TextureState;

    PropertiesPane(KW::KWHeader* pane, KW::KWImageList* icons, editor::EditorDocument& document,
                   Refuse refuse, TextureState textureState);
    ~PropertiesPane();

    KW::KWProperties* getGrid() const { return grid; }
    KW::KWEdit* getNameEdit() const { return nameEdit; }
    // The gadget of a value's row (the first burst's or force's for their rows).
    KW::KWObject* gadgetOf(editor::Field field) const;
    // The groups after the element's, emission and rendering, which start closed: shape, timing,
    // bursts, motion, sprite sheet, trail, noise, forces, speed, stretch, collision.
    const std::vector<KW::KWGroupItem*>& getGroups() const { return closedGroups; }
    // The shape's kind, for automation and tests.
    KW::KWComboBox* getShapeKind() const;
    // Shows again whether the selected emitter's texture could be read.
    void showTextureState();

private:
    struct Row {
        const editor::FieldRow* row;
        KW::KWObject* gadget;
    };

    void addRow(KW::KWGroupItem* group, const editor::FieldRow& row);
    void addTextureRows(KW::KWGroupItem* group);
    // Applies the edit; a refusal is reported and the stored values shown again.
    void edit(const editor::Edit& edit, KW::KWObject* source);
    // Shows the document's values; whole: also which groups show, and every row's text anew.
    void show(bool whole);

    editor::EditorDocument& document;
    Refuse refuse;
    TextureState textureState;
    KW::KWProperties* grid;
    KW::KWEdit* nameEdit;
    KW::KWOpenButton* texture;
    KW::KWText* textureText;
    KW::KWGroupItem* subEmitterGroup = nullptr; // shown while a sub-emitter is selected
    std::vector<KW::KWGroupItem*> valueGroups;  // every group but the element's and the sub-emitter's
    std::vector<KW::KWGroupItem*> closedGroups; // those that start closed
    std::vector<Row> rows;
    bool applying = false;
    KW::KWObject* editing = nullptr; // the gadget whose edit is being applied: its text is the user's
    int listener;
};

} // namespace pelmora

#endif
