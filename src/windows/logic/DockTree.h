#ifndef KW_DOCK_TREE_H
#define KW_DOCK_TREE_H

#include "KWTypes.h"

#include <vector>

// The arrangement of a dock's panes: a tree of splits whose leaves are tab groups and the centre.
// Window-free: panes are plain numbers given by the dock gadget; every rectangle is in edge reading,
// in the dock's client coordinates (floating rectangles in screen coordinates).
//
// A split puts its sized child at one side of the rest, with an extent across the split of `size`
// pixels. A pane that is closed, floating or auto-hidden keeps its leaf, so it comes back to the same
// place; the layout gives its space to its neighbours meanwhile.
namespace KW {
namespace dock {

// Not a pane: the whole dock as a target.
constexpr int noPane = -1;
// The centre as a target of a split.
constexpr int centerPane = -2;

// Lengths in pixels at the dock's DPI.
struct Metrics {
    int gap = 4;        // a splitter between two parts
    int minPane = 24;   // the least extent of a pane or of the centre
    int tabStrip = 24;  // the tab strip along the bottom of a group of several panes
    int hideStrip = 24; // the strip of tab buttons of the auto-hidden panes of one side
    int hideTab = 96;   // one of those tab buttons, along the strip
    int edgeZone = 24;  // the band along the dock's edge that docks at that side of the whole dock
};

Metrics metricsAt(int dpi);

struct PaneState {
    int pane = noPane;
    bool shown = true;
    bool floating = false;
    bool autoHidden = false;
    // Where the pane floats or last floated, screen edges.
    KWBound floatRect;
    // The extent an auto-hidden pane slides out to, 0 for a quarter of the dock.
    int slideSize = 0;
};

// A leaf on the screen: a tab group or the centre. paneRect is the group less its tab strip.
struct Tile {
    KWBound rect;
    KWBound paneRect;
    KWBound tabRect;
    bool center = false;
    std::vector<int> panes; // the group's panes on the screen, in tab order
    int selected = noPane;
};

// A splitter between the two children of a split.
struct Gap {
    KWBound rect;
    KWBound area;          // the split's whole rectangle
    bool vertical = false; // a vertical bar: the parts lie left and right of it
    int split = -1;        // the split it moves
};

// A tab button of an auto-hidden pane on the strip of its side.
struct HideTab {
    int pane = noPane;
    eDockSide side = DOCK_LEFT;
    KWBound rect;
};

struct Arrangement {
    KWBound area;
    KWBound inner; // the area less the strips of auto-hidden panes
    std::vector<Tile> tiles;
    std::vector<Gap> gaps;
    std::vector<KWBound> strips;
    std::vector<HideTab> hideTabs;
    // The auto-hidden pane slid out, with its rectangle over its neighbours.
    int slid = noPane;
    KWBound slideRect;
};

// Where a drop would put a pane: at side of target (noPane: of the whole dock) with that size.
struct Drop {
    bool valid = false;
    eDockSide side = DOCK_LEFT;
    int size = 0;
    int target = noPane;
};

class DockTree {
public:
    DockTree();
    // A tree without even the centre, for a reader that builds every node itself.
    static DockTree withoutNodes();

    // Whether the centre has a gadget; without one its space goes to the panes.
    void setCenterPresent(bool present) { centerPresent = present; }
    bool hasCenter() const { return centerPresent; }

    bool contains(int pane) const;
    // Null for a pane not in the tree.
    const PaneState* state(int pane) const;
    // Every pane, in the order first inserted.
    std::vector<int> panes() const;
    // The panes in the tree in spatial order (left to right, top to bottom, tabs in order).
    std::vector<int> order() const;

    // Adds the pane, or moves it when it is already in, docked and shown, at side of target (noPane:
    // the whole dock; centerPane: the centre). False, with nothing changed, for a target not in the
    // tree, DOCK_TAB without a pane target, or the pane as its own target.
    bool insert(int pane, eDockSide side, int size, int target);
    // Takes the pane out for good; the layout closes the gap.
    bool remove(int pane);
    bool setFloating(int pane, const KWBound& screenRect);
    // A floating pane docked back in its last place.
    bool dockBack(int pane);
    bool close(int pane);
    // Back where it was, docked, floating or auto-hidden; its tab chosen.
    bool show(int pane);
    // Whether the pane's rectangle is in the docked layout.
    bool isDockedShown(int pane) const;
    // Chooses a tab of its group.
    bool select(int pane);
    bool maximize(int pane);
    void restore() { maximizedPane = noPane; }
    int maximized() const { return maximizedPane; }
    bool setAutoHide(int pane, bool autoHide, const Metrics& metrics, const KWBound& area);
    // An auto-hidden pane slides out over its neighbours, or (noPane) back.
    bool slideOut(int pane);
    int slidOut() const { return slidPane; }
    // The side of the whole dock the pane lies nearest: its auto-hide strip.
    eDockSide sideOf(int pane) const;
    // The size of the split the pane's group is the sized child of, else 0.
    int sizeOf(int pane) const;
    // The panes of the pane's group, in tab order; empty for a pane not in the tree.
    std::vector<int> groupOf(int pane) const;
    // Takes over shown, floating, auto-hidden and their rectangles from a state of the same pane.
    void setState(const PaneState& flags);

    Arrangement arrange(const KWBound& area, const Metrics& metrics) const;

    // A splitter drag step: the gap's bar with its leading edge at mouse, within the least sizes.
    // False when nothing moved.
    bool dragGap(const Gap& gap, int mouse, const Metrics& metrics);

    // Sizes measured at fromDpi, at toDpi (the dock moved to a display of another DPI); floating
    // windows keep their top-left corner.
    void rescale(int fromDpi, int toDpi);
    // The dock went from one size to another: every split keeps its share of the extent it divides
    // (columns of the width, rows of the height), rounded to whole pixels.
    void stretch(int fromWidth, int toWidth, int fromHeight, int toHeight);

    // Number of splits and leaves in use; for checks.
    int nodeCount() const;

    // Node access for the text and the checks.
    struct Node {
        bool used = false;
        bool split = false;
        eDockSide side = DOCK_LEFT; // split: where the sized child lies
        int size = 0;
        int sized = -1;
        int rest = -1;
        int parent = -1;
        bool center = false;
        std::vector<int> panes; // leaf: the group's panes in tab order
        int selected = noPane;
    };
    const std::vector<Node>& allNodes() const { return nodes; }
    int rootNode() const { return root; }
    // For the text reader: builds the tree from parts; see DockText.
    int addNode(const Node& node);
    void setRoot(int node) { root = node; }
    void setParent(int node, int parent) { nodes[node].parent = parent; }
    void addState(const PaneState& state) { states.push_back(state); }
    void setMaximized(int pane) { maximizedPane = pane; }
    void setSize(int split, int size) { nodes[split].size = size; }
    // Gives every pane a new number: renumbered[i] for pane i, noPane to take the pane out.
    void renumber(const std::vector<int>& renumbered);

private:
    int leafOf(int pane) const;
    int centerLeaf() const;
    PaneState* stateOf(int pane);
    void detach(int pane);
    void replaceChild(int parent, int from, int to);
    bool visibleContent(int node) const;
    bool paneOnScreen(const PaneState& state) const;
    int leastExtent(int node, bool across, const Metrics& metrics) const;
    void place(int node, const KWBound& rect, const Metrics& metrics, Arrangement& out) const;
    void addTile(int node, const KWBound& rect, const Metrics& metrics, Arrangement& out) const;
    void walk(int node, std::vector<int>& out) const;
    void dropStaleSelections();

    std::vector<Node> nodes;
    std::vector<PaneState> states;
    int root = -1;
    bool centerPresent = false;
    int maximizedPane = noPane;
    int slidPane = noPane;
};

// The zone under the pointer while pane is dragged: the dock's edge first, then the tiles.
Drop hitTest(const DockTree& tree, const Arrangement& arrangement, int pane, int x, int y,
             const Metrics& metrics);
// Where the pane would be after the drop: its tile (its group's, for a tab drop). Empty when invalid.
KWBound previewOf(const DockTree& tree, int pane, const Drop& drop, const KWBound& area,
                  const Metrics& metrics);
// The tile showing pane, or null.
const Tile* tileOf(const Arrangement& arrangement, int pane);

} // namespace dock
} // namespace KW

#endif
