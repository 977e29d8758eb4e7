#include "windows/logic/DockTree.h"

#include "core/logic/DpiScale.h"
#include "windows/logic/SplitterLayout.h"

#include <algorithm>

namespace KW {
namespace dock {

Metrics metricsAt(int dpi) {
    const Metrics at96;
    Metrics m;
    m.gap = dpi::scaled(at96.gap, dpi);
    m.minPane = dpi::scaled(at96.minPane, dpi);
    m.tabStrip = dpi::scaled(at96.tabStrip, dpi);
    m.hideStrip = dpi::scaled(at96.hideStrip, dpi);
    m.hideTab = dpi::scaled(at96.hideTab, dpi);
    m.edgeZone = dpi::scaled(at96.edgeZone, dpi);
    return m;
}

namespace {

bool acrossColumns(eDockSide side) {
    return side == DOCK_LEFT || side == DOCK_RIGHT;
}

int extentAlong(const KWBound& r, bool columns) {
    return columns ? r.right - r.left : r.bottom - r.top;
}

} // namespace

DockTree::DockTree() {
    Node center;
    center.center = true;
    root = addNode(center);
}

DockTree DockTree::withoutNodes() {
    DockTree tree;
    tree.nodes.clear();
    tree.root = -1;
    return tree;
}

int DockTree::sizeOf(int pane) const {
    const int leaf = leafOf(pane);
    const int split = leaf < 0 ? -1 : nodes[leaf].parent;
    return split >= 0 && nodes[split].sized == leaf ? nodes[split].size : 0;
}

std::vector<int> DockTree::groupOf(int pane) const {
    const int leaf = leafOf(pane);
    return leaf < 0 ? std::vector<int>() : nodes[leaf].panes;
}

void DockTree::setState(const PaneState& flags) {
    if (PaneState* s = stateOf(flags.pane)) {
        *s = flags;
        dropStaleSelections();
    }
}

int DockTree::addNode(const Node& node) {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].used) {
            nodes[i] = node;
            nodes[i].used = true;
            return static_cast<int>(i);
        }
    }
    nodes.push_back(node);
    nodes.back().used = true;
    return static_cast<int>(nodes.size() - 1);
}

int DockTree::nodeCount() const {
    return static_cast<int>(std::count_if(nodes.begin(), nodes.end(), [](const Node& n) { return n.used; }));
}

bool DockTree::contains(int pane) const {
    return state(pane) != nullptr;
}

const PaneState* DockTree::state(int pane) const {
    for (const PaneState& s : states) {
        if (s.pane == pane) {
            return &s;
        }
    }
    return nullptr;
}

PaneState* DockTree::stateOf(int pane) {
    return const_cast<PaneState*>(state(pane));
}

std::vector<int> DockTree::panes() const {
    std::vector<int> all;
    for (const PaneState& s : states) {
        all.push_back(s.pane);
    }
    return all;
}

int DockTree::leafOf(int pane) const {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const Node& n = nodes[i];
        if (n.used && !n.split && std::find(n.panes.begin(), n.panes.end(), pane) != n.panes.end()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DockTree::centerLeaf() const {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].used && nodes[i].center) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DockTree::replaceChild(int parent, int from, int to) {
    if (to >= 0) {
        nodes[to].parent = parent;
    }
    if (parent < 0) {
        root = to;
        return;
    }
    Node& p = nodes[parent];
    (p.sized == from ? p.sized : p.rest) = to;
}

// Takes the pane out of its group; an emptied group leaves the tree and its split gives way to the
// other child.
void DockTree::detach(int pane) {
    const int leaf = leafOf(pane);
    if (leaf < 0) {
        return;
    }
    Node& group = nodes[leaf];
    group.panes.erase(std::find(group.panes.begin(), group.panes.end(), pane));
    if (group.selected == pane) {
        group.selected = group.panes.empty() ? noPane : group.panes.front();
    }
    if (!group.panes.empty() || group.center) {
        return;
    }
    const int split = group.parent;
    group.used = false;
    if (split < 0) {
        root = -1;
        return;
    }
    const int other = nodes[split].sized == leaf ? nodes[split].rest : nodes[split].sized;
    replaceChild(nodes[split].parent, split, other);
    nodes[split].used = false;
}

bool DockTree::insert(int pane, eDockSide side, int size, int target) {
    if (pane < 0 || side < DOCK_LEFT || side > DOCK_TAB || pane == target) {
        return false;
    }
    if (target >= 0 ? !contains(target) : (target != noPane && target != centerPane)) {
        return false;
    }
    if (side == DOCK_TAB && target < 0) {
        return false;
    }
    const bool known = contains(pane);
    detach(pane);
    if (!known) {
        PaneState added;
        added.pane = pane;
        states.push_back(added);
    }
    PaneState& s = *stateOf(pane);
    s.shown = true;
    s.floating = false;
    s.autoHidden = false;
    if (slidPane == pane) {
        slidPane = noPane;
    }
    if (maximizedPane == pane) {
        maximizedPane = noPane;
    }
    if (side == DOCK_TAB) {
        Node& group = nodes[leafOf(target)];
        group.panes.push_back(pane);
        group.selected = pane;
        return true;
    }
    Node leaf;
    leaf.panes.push_back(pane);
    leaf.selected = pane;
    const int added = addNode(leaf);
    const int anchor = target == noPane ? root : target == centerPane ? centerLeaf() : leafOf(target);
    if (anchor < 0) {
        root = added;
        return true;
    }
    Node split;
    split.split = true;
    split.side = side;
    split.size = std::max(0, size);
    split.sized = added;
    split.rest = anchor;
    split.parent = nodes[anchor].parent;
    const int made = addNode(split);
    replaceChild(nodes[made].parent, anchor, made);
    nodes[added].parent = made;
    nodes[anchor].parent = made;
    return true;
}

bool DockTree::remove(int pane) {
    if (!contains(pane)) {
        return false;
    }
    detach(pane);
    states.erase(
        std::find_if(states.begin(), states.end(), [pane](const PaneState& s) { return s.pane == pane; }));
    if (maximizedPane == pane) {
        maximizedPane = noPane;
    }
    if (slidPane == pane) {
        slidPane = noPane;
    }
    return true;
}

void DockTree::dropStaleSelections() {
    if (maximizedPane != noPane && !isDockedShown(maximizedPane)) {
        maximizedPane = noPane;
    }
    const PaneState* slid = state(slidPane);
    if (slid && !(slid->shown && slid->autoHidden)) {
        slidPane = noPane;
    }
}

bool DockTree::setFloating(int pane, const KWBound& screenRect) {
    PaneState* s = stateOf(pane);
    if (!s) {
        return false;
    }
    s->floating = true;
    s->autoHidden = false;
    s->shown = true;
    s->floatRect = screenRect;
    dropStaleSelections();
    return true;
}

bool DockTree::dockBack(int pane) {
    PaneState* s = stateOf(pane);
    if (!s || !s->floating) {
        return false;
    }
    s->floating = false;
    s->shown = true;
    select(pane);
    return true;
}

bool DockTree::close(int pane) {
    PaneState* s = stateOf(pane);
    if (!s || !s->shown) {
        return false;
    }
    s->shown = false;
    dropStaleSelections();
    return true;
}

bool DockTree::show(int pane) {
    PaneState* s = stateOf(pane);
    if (!s) {
        return false;
    }
    s->shown = true;
    select(pane);
    return true;
}

bool DockTree::isDockedShown(int pane) const {
    const PaneState* s = state(pane);
    return s && paneOnScreen(*s);
}

bool DockTree::paneOnScreen(const PaneState& s) const {
    return s.shown && !s.floating && !s.autoHidden;
}

bool DockTree::select(int pane) {
    const int leaf = leafOf(pane);
    if (leaf < 0) {
        return false;
    }
    nodes[leaf].selected = pane;
    return true;
}

bool DockTree::maximize(int pane) {
    if (!isDockedShown(pane)) {
        return false;
    }
    select(pane);
    maximizedPane = pane;
    return true;
}

bool DockTree::setAutoHide(int pane, bool autoHide, const Metrics& metrics, const KWBound& area) {
    PaneState* s = stateOf(pane);
    if (!s || s->floating || !s->shown || s->autoHidden == autoHide) {
        return false;
    }
    if (autoHide) {
        const Arrangement now = arrange(area, metrics);
        if (const Tile* tile = tileOf(now, pane)) {
            s->slideSize = extentAlong(tile->rect, acrossColumns(sideOf(pane)));
        }
    }
    s->autoHidden = autoHide;
    if (!autoHide) {
        select(pane);
    }
    dropStaleSelections();
    return true;
}

bool DockTree::slideOut(int pane) {
    if (pane == noPane) {
        slidPane = noPane;
        return true;
    }
    const PaneState* s = state(pane);
    if (!s || !s->shown || !s->autoHidden) {
        return false;
    }
    slidPane = pane;
    return true;
}

eDockSide DockTree::sideOf(int pane) const {
    eDockSide side = DOCK_LEFT;
    int child = leafOf(pane);
    if (child < 0) {
        return side;
    }
    // The outermost split that has the pane in its sized child names the side.
    for (int node = nodes[child].parent; node >= 0; child = node, node = nodes[node].parent) {
        if (nodes[node].sized == child) {
            side = nodes[node].side;
        }
    }
    return side;
}

bool DockTree::visibleContent(int node) const {
    const Node& n = nodes[node];
    if (n.split) {
        return visibleContent(n.sized) || visibleContent(n.rest);
    }
    if (n.center) {
        return centerPresent;
    }
    for (int pane : n.panes) {
        const PaneState* s = state(pane);
        if (s && paneOnScreen(*s)) {
            return true;
        }
    }
    return false;
}

int DockTree::leastExtent(int node, bool columns, const Metrics& metrics) const {
    const Node& n = nodes[node];
    if (!n.split) {
        return metrics.minPane;
    }
    const bool a = visibleContent(n.sized);
    const bool b = visibleContent(n.rest);
    if (!a || !b) {
        return leastExtent(a ? n.sized : n.rest, columns, metrics);
    }
    const int first = leastExtent(n.sized, columns, metrics);
    const int second = leastExtent(n.rest, columns, metrics);
    return acrossColumns(n.side) == columns ? first + metrics.gap + second : std::max(first, second);
}

void DockTree::addTile(int node, const KWBound& rect, const Metrics& metrics, Arrangement& out) const {
    const Node& n = nodes[node];
    Tile tile;
    tile.rect = rect;
    tile.paneRect = rect;
    tile.center = n.center;
    for (int pane : n.panes) {
        const PaneState* s = state(pane);
        if (s && paneOnScreen(*s) && (maximizedPane == noPane || pane == maximizedPane)) {
            tile.panes.push_back(pane);
        }
    }
    if (!n.center && tile.panes.empty()) {
        return;
    }
    tile.selected = tile.panes.empty() ? noPane : tile.panes.front();
    if (std::find(tile.panes.begin(), tile.panes.end(), n.selected) != tile.panes.end()) {
        tile.selected = n.selected;
    }
    if (tile.panes.size() > 1) {
        const int strip = std::min(metrics.tabStrip, rect.bottom - rect.top);
        tile.paneRect.bottom = rect.bottom - strip;
        tile.tabRect = KWBound(rect.left, rect.right, tile.paneRect.bottom, rect.bottom);
    }
    out.tiles.push_back(tile);
}

void DockTree::place(int node, const KWBound& rect, const Metrics& metrics, Arrangement& out) const {
    const Node& n = nodes[node];
    if (!n.split) {
        addTile(node, rect, metrics, out);
        return;
    }
    const bool a = visibleContent(n.sized);
    const bool b = visibleContent(n.rest);
    if (!a || !b) {
        if (a || b) {
            place(a ? n.sized : n.rest, rect, metrics, out);
        }
        return;
    }
    const bool columns = acrossColumns(n.side);
    const int extent = extentAlong(rect, columns);
    const int gap = std::min(metrics.gap, extent);
    const int available = extent - gap;
    int size = std::min(n.size, available - leastExtent(n.rest, columns, metrics));
    size = std::max(size, leastExtent(n.sized, columns, metrics));
    size = std::max(0, std::min(size, available));
    // The first part in space: the sized child at the left or top, else the rest.
    const bool sizedFirst = n.side == DOCK_LEFT || n.side == DOCK_TOP;
    const int firstExtent = sizedFirst ? size : available - size;
    KWBound first = rect;
    KWBound bar = rect;
    KWBound second = rect;
    if (columns) {
        first.right = rect.left + firstExtent;
        bar.left = first.right;
        bar.right = bar.left + gap;
        second.left = bar.right;
    } else {
        first.bottom = rect.top + firstExtent;
        bar.top = first.bottom;
        bar.bottom = bar.top + gap;
        second.top = bar.bottom;
    }
    place(sizedFirst ? n.sized : n.rest, first, metrics, out);
    Gap made;
    made.rect = bar;
    made.area = rect;
    made.vertical = columns;
    made.split = node;
    out.gaps.push_back(made);
    place(sizedFirst ? n.rest : n.sized, second, metrics, out);
}

Arrangement DockTree::arrange(const KWBound& area, const Metrics& metrics) const {
    Arrangement out;
    out.area = area;
    out.inner = area;
    if (maximizedPane != noPane) {
        Tile tile;
        tile.rect = area;
        tile.paneRect = area;
        tile.panes.push_back(maximizedPane);
        tile.selected = maximizedPane;
        out.tiles.push_back(tile);
        return out;
    }
    // The strips of the sides that have auto-hidden panes: top and bottom across the whole width.
    std::vector<int> hidden[4];
    for (const PaneState& s : states) {
        if (s.shown && s.autoHidden && !s.floating) {
            hidden[sideOf(s.pane)].push_back(s.pane);
        }
    }
    const eDockSide sides[4] = {DOCK_TOP, DOCK_BOTTOM, DOCK_LEFT, DOCK_RIGHT};
    for (eDockSide side : sides) {
        if (hidden[side].empty()) {
            continue;
        }
        KWBound& in = out.inner;
        const int thickness = std::min(metrics.hideStrip, extentAlong(in, acrossColumns(side)));
        KWBound strip = in;
        switch (side) {
        case DOCK_TOP:
            strip.bottom = in.top + thickness;
            in.top = strip.bottom;
            break;
        case DOCK_BOTTOM:
            strip.top = in.bottom - thickness;
            in.bottom = strip.top;
            break;
        case DOCK_LEFT:
            strip.right = in.left + thickness;
            in.left = strip.right;
            break;
        default:
            strip.left = in.right - thickness;
            in.right = strip.left;
            break;
        }
        out.strips.push_back(strip);
        int along = acrossColumns(side) ? strip.top : strip.left;
        for (int pane : hidden[side]) {
            HideTab tab;
            tab.pane = pane;
            tab.side = side;
            tab.rect =
                acrossColumns(side)
                    ? KWBound(strip.left, strip.right, along, std::min(strip.bottom, along + metrics.hideTab))
                    : KWBound(along, std::min(strip.right, along + metrics.hideTab), strip.top, strip.bottom);
            along += metrics.hideTab;
            out.hideTabs.push_back(tab);
        }
    }
    if (root >= 0 && visibleContent(root)) {
        place(root, out.inner, metrics, out);
    }
    if (const PaneState* s = state(slidPane)) {
        const eDockSide side = sideOf(slidPane);
        const KWBound& in = out.inner;
        const int room = extentAlong(in, acrossColumns(side));
        const int extent = std::min(room, s->slideSize > 0 ? s->slideSize : room / 4);
        KWBound r = in;
        switch (side) {
        case DOCK_LEFT:
            r.right = in.left + extent;
            break;
        case DOCK_RIGHT:
            r.left = in.right - extent;
            break;
        case DOCK_TOP:
            r.bottom = in.top + extent;
            break;
        default:
            r.top = in.bottom - extent;
            break;
        }
        out.slid = slidPane;
        out.slideRect = r;
    }
    return out;
}

bool DockTree::dragGap(const Gap& gap, int mouse, const Metrics& metrics) {
    if (gap.split < 0 || gap.split >= static_cast<int>(nodes.size()) || !nodes[gap.split].split) {
        return false;
    }
    Node& n = nodes[gap.split];
    const bool sizedFirst = n.side == DOCK_LEFT || n.side == DOCK_TOP;
    const int firstNode = sizedFirst ? n.sized : n.rest;
    const int secondNode = sizedFirst ? n.rest : n.sized;
    const int start = gap.vertical ? gap.area.left : gap.area.top;
    const int end = gap.vertical ? gap.area.right : gap.area.bottom;
    const int thickness = gap.vertical ? gap.rect.right - gap.rect.left : gap.rect.bottom - gap.rect.top;
    const int least = leastExtent(firstNode, gap.vertical, metrics);
    const int most = end - start - thickness - leastExtent(secondNode, gap.vertical, metrics);
    // The same clamping as a window splitter whose first side is limited.
    KWSplitter bar;
    bar.vertical = gap.vertical;
    bar.limitFirst = true;
    bar.minSize = least;
    bar.maxSize = std::max(least, most);
    bar.thickness = thickness;
    const int leading = splitters::dragPosition(bar, mouse, gap.area, gap.area);
    const int size = sizedFirst ? leading - start : end - leading - thickness;
    if (size == n.size || size < 0) {
        return false;
    }
    n.size = size;
    return true;
}

void DockTree::rescale(int fromDpi, int toDpi) {
    auto at = [fromDpi, toDpi](int pixels) { return dpi::rescaled(pixels, fromDpi, toDpi); };
    for (Node& n : nodes) {
        n.size = at(n.size);
    }
    for (PaneState& s : states) {
        s.slideSize = at(s.slideSize);
        s.floatRect.right = s.floatRect.left + at(s.floatRect.right - s.floatRect.left);
        s.floatRect.bottom = s.floatRect.top + at(s.floatRect.bottom - s.floatRect.top);
    }
}

void DockTree::stretch(int fromWidth, int toWidth, int fromHeight, int toHeight) {
    if (fromWidth <= 0 || fromHeight <= 0 || toWidth <= 0 || toHeight <= 0) {
        return;
    }
    for (Node& n : nodes) {
        if (n.used && n.split) {
            const bool columns = acrossColumns(n.side);
            const long long from = columns ? fromWidth : fromHeight;
            const long long to = columns ? toWidth : toHeight;
            n.size = static_cast<int>((n.size * to + from / 2) / from);
        }
    }
}

void DockTree::walk(int node, std::vector<int>& out) const {
    const Node& n = nodes[node];
    if (!n.split) {
        out.insert(out.end(), n.panes.begin(), n.panes.end());
        return;
    }
    const bool sizedFirst = n.side == DOCK_LEFT || n.side == DOCK_TOP;
    walk(sizedFirst ? n.sized : n.rest, out);
    walk(sizedFirst ? n.rest : n.sized, out);
}

std::vector<int> DockTree::order() const {
    std::vector<int> out;
    if (root >= 0) {
        walk(root, out);
    }
    return out;
}

void DockTree::renumber(const std::vector<int>& renumbered) {
    auto mapped = [&renumbered](int pane) {
        return pane >= 0 && pane < static_cast<int>(renumbered.size()) ? renumbered[pane] : noPane;
    };
    for (const PaneState& s : std::vector<PaneState>(states)) {
        if (mapped(s.pane) == noPane) {
            remove(s.pane);
        }
    }
    for (PaneState& s : states) {
        s.pane = mapped(s.pane);
    }
    for (Node& n : nodes) {
        for (int& pane : n.panes) {
            pane = mapped(pane);
        }
        n.selected = mapped(n.selected);
    }
    maximizedPane = mapped(maximizedPane);
    slidPane = mapped(slidPane);
}

const Tile* tileOf(const Arrangement& arrangement, int pane) {
    for (const Tile& tile : arrangement.tiles) {
        if (std::find(tile.panes.begin(), tile.panes.end(), pane) != tile.panes.end()) {
            return &tile;
        }
    }
    return nullptr;
}

namespace {

bool inside(const KWBound& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// The edge of r nearest the point; ties go left, right, top, bottom.
eDockSide nearestEdge(const KWBound& r, int x, int y) {
    const int distances[4] = {x - r.left, r.right - 1 - x, y - r.top, r.bottom - 1 - y};
    int best = 0;
    for (int i = 1; i < 4; ++i) {
        if (distances[i] < distances[best]) {
            best = i;
        }
    }
    return static_cast<eDockSide>(best);
}

} // namespace

Drop hitTest(const DockTree& tree, const Arrangement& arrangement, int pane, int x, int y,
             const Metrics& metrics) {
    Drop drop;
    const KWBound& area = arrangement.area;
    if (!inside(area, x, y)) {
        return drop;
    }
    const eDockSide edge = nearestEdge(area, x, y);
    const int distances[4] = {x - area.left, area.right - 1 - x, y - area.top, area.bottom - 1 - y};
    if (distances[edge] < metrics.edgeZone) {
        const bool columns = acrossColumns(edge);
        int earlier = 0;
        if (const Tile* tile = tileOf(arrangement, pane)) {
            earlier = extentAlong(tile->rect, columns);
        } else if (const PaneState* s = tree.state(pane)) {
            earlier = s->floating ? extentAlong(s->floatRect, columns) : s->slideSize;
        }
        drop.valid = true;
        drop.side = edge;
        drop.size =
            std::min(earlier > 0 ? earlier : extentAlong(area, columns) / 4, extentAlong(area, columns) / 2);
        return drop;
    }
    for (const Tile& tile : arrangement.tiles) {
        if (!inside(tile.rect, x, y)) {
            continue;
        }
        int target = tile.center ? centerPane : noPane;
        if (!tile.center) {
            // The group's chosen pane, or another of it when that is the pane dragged.
            if (tile.selected != pane) {
                target = tile.selected;
            }
            for (std::size_t i = 0; target == noPane && i < tile.panes.size(); ++i) {
                target = tile.panes[i] != pane ? tile.panes[i] : noPane;
            }
            if (target == noPane) {
                return drop;
            }
        }
        const KWBound& r = tile.rect;
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        const bool middle =
            x >= r.left + w / 4 && x < r.right - w / 4 && y >= r.top + h / 4 && y < r.bottom - h / 4;
        if (middle) {
            if (tile.center) {
                return drop;
            }
            drop.side = DOCK_TAB;
        } else {
            drop.side = nearestEdge(r, x, y);
            drop.size = extentAlong(r, acrossColumns(drop.side)) / 2;
        }
        drop.valid = true;
        drop.target = target;
        return drop;
    }
    return drop;
}

KWBound previewOf(const DockTree& tree, int pane, const Drop& drop, const KWBound& area,
                  const Metrics& metrics) {
    if (!drop.valid) {
        return KWBound();
    }
    DockTree after = tree;
    after.restore();
    if (!after.insert(pane, drop.side, drop.size, drop.target)) {
        return KWBound();
    }
    const Arrangement arranged = after.arrange(area, metrics);
    const Tile* tile = tileOf(arranged, pane);
    return tile ? tile->rect : KWBound();
}

} // namespace dock
} // namespace KW
