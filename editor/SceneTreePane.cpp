#include "SceneTreePane.h"

#include "ThemedGadgets.h"

#include <commctrl.h>

using namespace KW;
using namespace pelmora::editor;

namespace pelmora {

namespace {

// Images of the shared icon strip.
enum Icon { IconGroup = 14, IconSystem = 26, IconEmitter = 27 };

} // namespace

SceneTreePane::SceneTreePane(KWHeader* pane, KWImageList* icons, EditorDocument& document)
    : document(document) {
    tree =
        KWTreeView::create(STYLE_DEFAULT, 0, pane->scale(20), pane->scale(150), pane->scale(400), pane, -1);
    tree->setImageList(icons);
    // The selected element stays marked while the keyboard is in the grid.
    keepSelectionShown(tree);
    tree->lockToParent(LOCK_STRETCH_BOTH);
    tree->setHandler([this](const KWEvent& event) {
        if (event.type == EVENT_SELECTED && !showing) {
            auto found = elementOfItem.find(event.param1);
            this->document.select(found == elementOfItem.end() ? kNoElement : found->second);
        }
    });
    pane->doAlignment();
    listener = document.addListener([this](const Change& change) { onChange(change); });
    rebuild();
}

SceneTreePane::~SceneTreePane() {
    document.removeListener(listener);
}

int SceneTreePane::itemOf(ElementId id) const {
    auto found = itemOfElement.find(id);
    return found == itemOfElement.end() ? 0 : found->second;
}

void SceneTreePane::onChange(const Change& change) {
    if (change.parts & ChangedStructure) {
        rebuild();
    } else if (change.parts & ChangedSelection) {
        showSelection();
    }
}

void SceneTreePane::rebuild() {
    showing = true;
    tree->clear();
    elementOfItem.clear();
    itemOfElement.clear();
    auto add = [this](int parent, int image, ElementId id, const std::string& name) {
        const int item = tree->addItem(parent, image, 0, name);
        elementOfItem[item] = id;
        itemOfElement[id] = item;
        return item;
    };
    const int root = tree->addItem(-1, IconSystem, 0, "Scene");
    for (const System& system : document.getScene().getSystems()) {
        const int systemItem = add(root, IconSystem, system.id, system.name);
        for (const Group& group : system.groups) {
            const int groupItem = add(systemItem, IconGroup, group.id, group.name);
            for (const Emitter& emitter : group.emitters) {
                add(groupItem, IconEmitter, emitter.id, emitter.values.name);
            }
        }
    }
    // Everything unfolded, so the whole effect is in view.
    for (const auto& entry : elementOfItem) {
        SendMessageA(tree->getHandle(), TVM_EXPAND, TVE_EXPAND,
                     reinterpret_cast<LPARAM>(tree->getItemHandle(entry.first)));
    }
    SendMessageA(tree->getHandle(), TVM_EXPAND, TVE_EXPAND,
                 reinterpret_cast<LPARAM>(tree->getItemHandle(root)));
    showing = false;
    showSelection();
}

void SceneTreePane::showSelection() {
    showing = true;
    tree->selectItem(itemOf(document.getSelection()));
    showing = false;
}

} // namespace pelmora
