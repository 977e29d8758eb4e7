// Random operations on a dock's tree. After every step: each pane sits in exactly one group; the tiles,
// splitter gaps and auto-hide strips cover the dock exactly, without overlap; the text of the tree
// reads back to the same text, inside a layout too.
#include "FuzzRequire.h"
#include "windows/logic/DockText.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using namespace KW;
using namespace KW::dock;

namespace {

long long areaOf(const KWBound& r) {
    return static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

bool overlap(const KWBound& a, const KWBound& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void checkPlacement(const DockTree& tree) {
    std::map<int, int> seen;
    const std::vector<DockTree::Node>& nodes = tree.allNodes();
    int centers = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const DockTree::Node& n = nodes[i];
        if (!n.used) {
            continue;
        }
        centers += n.center ? 1 : 0;
        require(n.parent < 0 || nodes[n.parent].sized == static_cast<int>(i) ||
                nodes[n.parent].rest == static_cast<int>(i));
        require(n.split || n.center || !n.panes.empty());
        for (int pane : n.panes) {
            ++seen[pane];
        }
    }
    require(centers == 1);
    require(seen.size() == tree.panes().size());
    for (int pane : tree.panes()) {
        require(seen[pane] == 1);
    }
}

void checkTiling(const DockTree& tree, const KWBound& area, const Metrics& metrics) {
    const Arrangement a = tree.arrange(area, metrics);
    std::vector<KWBound> parts;
    for (const Tile& tile : a.tiles) {
        parts.push_back(tile.rect);
    }
    for (const Gap& gap : a.gaps) {
        parts.push_back(gap.rect);
    }
    parts.insert(parts.end(), a.strips.begin(), a.strips.end());
    long long covered = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const KWBound& r = parts[i];
        require(r.left >= area.left && r.right <= area.right && r.top >= area.top && r.bottom <= area.bottom);
        require(r.left <= r.right && r.top <= r.bottom);
        covered += areaOf(r);
        for (std::size_t j = i + 1; j < parts.size(); ++j) {
            require(!overlap(r, parts[j]));
        }
    }
    require(a.tiles.empty() ? a.gaps.empty() : covered == areaOf(area));
}

void checkText(const DockTree& tree, int dpi) {
    auto key = [](int pane) { return layout::Key{pane % 5, pane / 5}; };
    const std::string text = printTree(tree, key, dpi);
    DockTree read;
    std::vector<layout::Key> keys;
    require(parseTree(text, dpi, read, keys));
    require(printTree(
                read, [&keys](int pane) { return keys[pane]; }, dpi) == text);
    layout::Layout saved;
    layout::Entry entry;
    entry.kind = layout::EntryKind::Dock;
    entry.tree = text;
    saved.entries.push_back(entry);
    layout::Layout again;
    std::string error;
    require(layout::parse(layout::print(saved), again, error) &&
            layout::print(again) == layout::print(saved));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const KWBound area(0, 120 + data[0] * 2, 0, 90 + data[1] * 2);
    const Metrics metrics;
    DockTree tree;
    tree.setCenterPresent((data[2] & 1) != 0);
    for (std::size_t i = 3; i + 1 < size; i += 2) {
        const int pane = data[i] & 15;
        const int other = (data[i + 1] >> 4) - 2; // -2 the centre, -1 the dock, else a pane
        const eDockSide side = static_cast<eDockSide>(data[i + 1] % 5);
        switch (data[i] >> 4) {
        case 0:
        case 1:
        case 2:
        case 3:
            tree.insert(pane, side, (data[i + 1] & 15) * 12, other);
            break;
        case 4:
            tree.remove(pane);
            break;
        case 5:
            tree.setFloating(pane, KWBound(other * 10, other * 10 + 80, 5, 65));
            break;
        case 6:
            tree.dockBack(pane);
            break;
        case 7:
            tree.close(pane);
            break;
        case 8:
            tree.show(pane);
            break;
        case 9:
            tree.maximize(pane);
            break;
        case 10:
            tree.restore();
            break;
        case 11:
            tree.setAutoHide(pane, (data[i + 1] & 1) != 0, metrics, area);
            tree.slideOut(pane);
            break;
        case 12: {
            const Arrangement a = tree.arrange(area, metrics);
            if (!a.gaps.empty()) {
                tree.dragGap(a.gaps[data[i + 1] % a.gaps.size()], data[i + 1] * 2, metrics);
            }
            break;
        }
        case 13: {
            // A drag starts only without a maximized pane.
            tree.restore();
            const Arrangement a = tree.arrange(area, metrics);
            const Drop drop =
                hitTest(tree, a, pane, data[i + 1] % area.right, (data[i + 1] * 7) % area.bottom, metrics);
            const KWBound preview = previewOf(tree, pane, drop, area, metrics);
            if (drop.valid && tree.contains(pane)) {
                require(tree.insert(pane, drop.side, drop.size, drop.target));
                const Arrangement after = tree.arrange(area, metrics);
                const Tile* tile = tileOf(after, pane);
                require(tile && tile->rect.left == preview.left && tile->rect.right == preview.right &&
                        tile->rect.top == preview.top && tile->rect.bottom == preview.bottom);
            }
            break;
        }
        default:
            tree.select(pane);
            break;
        }
        checkPlacement(tree);
        checkTiling(tree, area, metrics);
        checkText(tree, 96);
        checkText(tree, 144);
    }
    return 0;
}
