#include "SceneTreePane.h"

#include "ThemedGadgets.h"

#include <commctrl.h>

using namespace KW;
using namespace pelmora::editor;

namespace pelmora {

namespace {

// Images of the shared icon strip.
enum Icon { IconGroup = 14, IconSystem = 26, IconEmitter = 27 };

const char* triggerCaption(Trigger trigger) {
    switch (trigger) {
    case Trigger::Birth:
        return "Birth";
    case Trigger::Death:
        return "Death";
    default:
        return "Collision";
    }
}

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
    // A sub-emitter's caption shows its trigger, which is one of its values.
    const bool subEmitters = (change.parts & ChangedValues) && change.emitter != kNoElement &&
                             document.getScene().findEmitter(change.emitter) &&
                             !document.getScene().findEmitter(change.emitter)->subIds.empty();
    if ((change.parts & ChangedStructure) || (subEmitters && change.finished)) {
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
                addSubEmitters(add(groupItem, IconEmitter, emitter.id, emitter.values.name),
                               emitter.values.subEmitters, emitter.subIds);
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

void SceneTreePane::addSubEmitters(int parent, const std::vector<SubEmitter>& subs,
                                   const std::vector<SubEmitterIds>& ids) {
    for (std::size_t i = 0; i < subs.size() && i < ids.size(); ++i) {
        const std::string caption = subs[i].emitter.name + " (" + triggerCaption(subs[i].trigger) + ")";
        const int item = tree->addItem(parent, IconEmitter, 0, caption);
        elementOfItem[item] = ids[i].id;
        itemOfElement[ids[i].id] = item;
        addSubEmitters(item, subs[i].emitter.subEmitters, ids[i].subs);
    }
}

void SceneTreePane::showSelection() {
    showing = true;
    tree->selectItem(itemOf(document.getSelection()));
    showing = false;
}

} // namespace pelmora
