#include "PropertiesPane.h"

#include <cstring>

using namespace KW;
using namespace pelmora::editor;

namespace pelmora {

namespace {

// After a value was taken, the spin box shows its number from the first digit, selected, so that a number
// wider than the cell keeps its start in view and the next typing replaces it.
void showNumberStart(KWSpinBox* editor) {
    HWND field = FindWindowExA(editor->getHandle(), nullptr, "Edit", nullptr);
    if (field) {
        const int length = GetWindowTextLengthA(field);
        SendMessageA(field, EM_SETSEL, static_cast<WPARAM>(length), 0);
        SendMessageA(field, EM_SCROLLCARET, 0, 0);
    }
}

} // namespace

PropertiesPane::PropertiesPane(KWHeader* pane, KWImageList* icons, EditorDocument& document, Refuse refuse,
                               TextureState textureState)
    : document(document), refuse(std::move(refuse)), textureState(std::move(textureState)) {
    grid =
        KWProperties::create(STYLE_DEFAULT, 0, pane->scale(20), pane->scale(200), pane->scale(250), pane, -1);
    grid->setImageList(icons);
    grid->setOneClickEditing(true);
    KWGroupItem* element = grid->addGroup("Element");
    nameEdit = KWEdit::create(STYLE_DEFAULT, "", 0, 0, 20, 20, grid, -1);
    grid->addItem(element, "Name", 1, nameEdit);
    nameEdit->setHandler([this](const KWEvent& event) {
        if (event.type == EVENT_CHANGED) {
            edit(Edit::rename(nameEdit->getText()), nameEdit);
        }
    });

    // The rows in the table's order, a group where the caption changes; the texture follows the blend.
    KWGroupItem* group = nullptr;
    const char* caption = "";
    for (const FieldRow& row : emitterRows()) {
        if (std::strcmp(caption, row.group) != 0) {
            if (std::strcmp(caption, "Rendering") == 0) {
                addTextureRows(group);
            }
            caption = row.group;
            group = grid->addGroup(caption);
            if (std::strcmp(caption, kSubEmitterGroup) == 0) {
                subEmitterGroup = group;
            } else {
                valueGroups.push_back(group);
            }
        }
        addRow(group, row);
    }
    // The first groups open; the others start closed, so the grid needs no scrolling.
    closedGroups.assign(valueGroups.begin() + 2, valueGroups.end());
    grid->lockToParent(LOCK_STRETCH_BOTH);
    pane->doAlignment();
    for (KWGroupItem* open : {element, subEmitterGroup, valueGroups[0], valueGroups[1]}) {
        grid->openGroup(open, true);
    }
    listener = document.addListener([this](const Change& change) {
        if (change.parts & (ChangedSelection | ChangedValues | ChangedStructure)) {
            // The grid keeps its open editor while an edit of its own comes back.
            show(!applying);
        }
    });
    show(true);
}

PropertiesPane::~PropertiesPane() {
    document.removeListener(listener);
}

void PropertiesPane::addRow(KWGroupItem* group, const FieldRow& row) {
    KWObject* gadget = nullptr;
    const std::size_t index = rows.size();
    switch (row.kind) {
    case RowKind::Number: {
        KWSpinBox* spin = KWSpinBox::create(STYLE_DEFAULT, row.range.min, 0, 0, 50, 20, row.range.min,
                                            row.range.max, row.step, true, true, grid, -1);
        spin->setHandler([this, spin, index](const KWEvent& event) {
            const FieldRow& shown = *rows[index].row;
            const Edit change = Edit::number(shown.field, spin->getValue(), shown.slot);
            edit(event.type == EVENT_CHANGED ? change : change.duringDrag(), spin);
            if (event.type == EVENT_CHANGED) {
                showNumberStart(spin);
            }
        });
        gadget = spin;
        break;
    }
    case RowKind::Flag: {
        KWCheckBox* check = KWCheckBox::create(STYLE_DEFAULT, "", 0, 0, 60, 20, grid, -1);
        check->setAutoTextEnabled(true);
        check->setHandler([this, check, index](const KWEvent&) {
            const FieldRow& shown = *rows[index].row;
            edit(Edit::number(shown.field, check->isChecked() ? 1.0f : 0.0f, shown.slot), check);
        });
        gadget = check;
        break;
    }
    case RowKind::Choice: {
        const int count = static_cast<int>(row.choices.size());
        KWComboBox* choice = KWComboBox::create(STYLE_DEFAULT, 0, 0, 20, 40 + 10 * count, grid, -1);
        for (int i = 0; i < count; ++i) {
            choice->addItem(i, row.choices[static_cast<std::size_t>(i)]);
        }
        choice->setHandler([this, choice, index](const KWEvent& event) {
            if (event.param1 >= 0) {
                const FieldRow& shown = *rows[index].row;
                edit(Edit::number(shown.field, static_cast<float>(event.param1), shown.slot), choice);
            }
        });
        gadget = choice;
        break;
    }
    }
    grid->addItem(group, row.label, 1, gadget);
    rows.push_back(Row{&row, gadget});
}

void PropertiesPane::addTextureRows(KWGroupItem* group) {
    static const char filter[] =
        "Images (*.png;*.bmp;*.jpg;*.jpeg)\0*.png;*.bmp;*.jpg;*.jpeg\0All files (*.*)\0*.*\0";
    const std::string textureFilter(filter, sizeof(filter)); // with the closing empty string
    texture = KWOpenButton::create(STYLE_DEFAULT, textureFilter, 0, 0, 40, 20, true, grid, -1);
    grid->addItem(group, "Texture", 1, texture);
    texture->setHandler([this](const KWEvent&) { edit(Edit::texture(texture->getText()), texture); });
    // Whether the texture could be read, and if not why: the particles are then drawn round.
    textureText = KWText::create(STYLE_DEFAULT, std::string(), 0, 0, 40, 20, ALIGN_LEFT, grid, -1);
    grid->addItem(group, "Texture file", 1, textureText);
}

KWObject* PropertiesPane::gadgetOf(Field field) const {
    for (const Row& row : rows) {
        if (row.row->field == field) {
            return row.gadget;
        }
    }
    return nullptr;
}

KWComboBox* PropertiesPane::getShapeKind() const {
    return static_cast<KWComboBox*>(gadgetOf(Field::ShapeKind));
}

void PropertiesPane::edit(const Edit& change, KWObject* source) {
    // A finished value is shown as stored (rounded, say); a drag's and a texture's gadget keep the user's
    // text.
    editing = change.finished && source != texture ? nullptr : source;
    applying = true;
    const Applied applied = document.apply(change);
    applying = false;
    editing = nullptr;
    if (!applied) {
        refuse(applied.reason);
        show(true);
    }
}

void PropertiesPane::show(bool whole) {
    const std::string* name = document.getScene().nameOf(document.getSelection());
    if (editing != nameEdit) {
        nameEdit->setText(name ? *name : std::string());
    }
    nameEdit->setActive(name != nullptr);
    const EmitterDesc* values = document.selectedValues();
    const SubEmitter* sub = document.selectedSubEmitter();
    if (whole) {
        for (KWGroupItem* group : valueGroups) {
            grid->hideGroup(group, values == nullptr);
        }
        grid->hideGroup(subEmitterGroup, sub == nullptr);
    }
    if (values) {
        for (const Row& row : rows) {
            if (row.gadget == editing || (!sub && isSubEmitterField(row.row->field))) {
                continue;
            }
            const float value = sub ? fieldValue(*sub, row.row->field, row.row->slot)
                                    : fieldValue(*values, row.row->field, row.row->slot);
            switch (row.row->kind) {
            case RowKind::Number:
                static_cast<KWSpinBox*>(row.gadget)->setValue(value);
                break;
            case RowKind::Flag:
                static_cast<KWCheckBox*>(row.gadget)->setChecked(value != 0.0f);
                break;
            case RowKind::Choice:
                static_cast<KWComboBox*>(row.gadget)->selectItem(static_cast<int>(value));
                break;
            }
        }
        if (editing != texture) {
            texture->setPath(values->texture);
        }
    }
    showTextureState();
    if (whole) {
        grid->updateSubitemsText();
    }
}

void PropertiesPane::showTextureState() {
    const EmitterDesc* values = document.selectedValues();
    const std::string state = values ? textureState(values->texture) : std::string();
    if (textureText->getText() != state) {
        textureText->setText(state);
        grid->updateSubitemsText();
    }
}

} // namespace pelmora
