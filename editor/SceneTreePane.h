#ifndef PELMORA_SCENE_TREE_PANE_H
#define PELMORA_SCENE_TREE_PANE_H

#include "logic/EditorDocument.h"

#include <KW.h>

#include <map>

namespace pelmora {

// The scene's systems, groups, emitters and sub-emitters (with their triggers) as a tree, all unfolded.
// Choosing an item selects its element in the document; the tree is built again when the document's elements
// change, and follows its selection.
class SceneTreePane {
public:
    SceneTreePane(KW::KWHeader* pane, KW::KWImageList* icons, editor::EditorDocument& document);
    ~SceneTreePane();

    KW::KWTreeView* getTree() const { return tree; }
    // The tree item that shows an element, 0 for none.
    int itemOf(editor::ElementId id) const;

private:
    void onChange(const editor::Change& change);
    void rebuild();
    void addSubEmitters(int parent, const std::vector<SubEmitter>& subs,
                        const std::vector<editor::SubEmitterIds>& ids);
    void showSelection();

    editor::EditorDocument& document;
    KW::KWTreeView* tree;
    std::map<int, editor::ElementId> elementOfItem;
    std::map<editor::ElementId, int> itemOfElement;
    bool showing = false; // the tree is being filled: its selection events are not the user's
    int listener;
};

} // namespace pelmora

#endif
