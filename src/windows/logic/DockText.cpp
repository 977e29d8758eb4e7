#include "windows/logic/DockText.h"

#include "windows/logic/LayoutFit.h"

#include <algorithm>

namespace KW {
namespace dock {

namespace {

const char sideLetters[4] = {'l', 'r', 't', 'b'};

std::string keyText(const layout::Key& key) {
    std::string text = std::to_string(key.id);
    if (key.occurrence > 0) {
        text += "#" + std::to_string(key.occurrence);
    }
    return text;
}

struct Printer {
    const DockTree& tree;
    const std::function<layout::Key(int)>& keyOf;
    int dpi;
    std::string out;

    std::string base(int pixels) const { return std::to_string(layout::toBaseDpi(pixels, dpi)); }

    void item(int pane, bool chosen) {
        const PaneState& s = *tree.state(pane);
        out += (chosen ? "*" : "") + keyText(keyOf(pane));
        if (!s.shown) {
            out += "x";
        }
        if (s.autoHidden) {
            out += "h" + base(s.slideSize);
        }
        if (s.floating) {
            const KWBound& r = s.floatRect;
            out += "f" + std::to_string(r.left) + ":" + std::to_string(r.top) + ":" + base(r.right - r.left) +
                   ":" + base(r.bottom - r.top);
        }
        if (tree.maximized() == pane) {
            out += "m";
        }
    }

    void node(int index) {
        const DockTree::Node& n = tree.allNodes()[index];
        if (n.center) {
            out += "c";
        } else if (n.split) {
            out += sideLetters[n.side] + base(n.size) + "(";
            node(n.sized);
            out += ",";
            node(n.rest);
            out += ")";
        } else {
            out += "[";
            for (std::size_t i = 0; i < n.panes.size(); ++i) {
                out += i > 0 ? "," : "";
                item(n.panes[i], n.panes[i] == n.selected);
            }
            out += "]";
        }
    }
};

// A recursive reader; every number has one spelling (no leading zeros, no "-0").
struct Reader {
    const std::string& text;
    int dpi;
    DockTree& tree;
    std::vector<layout::Key>& keys;
    std::size_t at = 0;
    int centers = 0;
    int maximized = noPane;

    bool peek(char c) const { return at < text.size() && text[at] == c; }
    bool take(char c) {
        if (!peek(c)) {
            return false;
        }
        ++at;
        return true;
    }

    bool number(int lowest, int highest, int& value) {
        const bool negative = take('-');
        const std::size_t start = at;
        long read = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 8) {
            read = read * 10 + (text[at++] - '0');
        }
        const std::size_t digits = at - start;
        if (digits == 0 || digits > 7 || (text[start] == '0' && (digits > 1 || negative))) {
            return false;
        }
        read = negative ? -read : read;
        if (read < lowest || read > highest) {
            return false;
        }
        value = static_cast<int>(read);
        return true;
    }

    bool length(int& pixels, int lowest) {
        int at96 = 0;
        if (!number(lowest, layout::largestValue, at96)) {
            return false;
        }
        pixels = layout::fromBaseDpi(at96, dpi);
        return true;
    }

    bool item(DockTree::Node& group) {
        const bool chosen = take('*');
        layout::Key key;
        if (!number(-layout::largestValue, layout::largestValue, key.id)) {
            return false;
        }
        if (take('#') && !number(1, layout::largestValue, key.occurrence)) {
            return false;
        }
        if (std::find(keys.begin(), keys.end(), key) != keys.end()) {
            return false;
        }
        PaneState s;
        s.pane = static_cast<int>(keys.size());
        keys.push_back(key);
        s.shown = !take('x');
        if (take('h')) {
            s.autoHidden = true;
            if (!length(s.slideSize, 0)) {
                return false;
            }
        }
        if (!s.autoHidden && take('f')) {
            int width = 0;
            int height = 0;
            s.floating = true;
            if (!number(-layout::largestValue, layout::largestValue, s.floatRect.left) || !take(':') ||
                !number(-layout::largestValue, layout::largestValue, s.floatRect.top) || !take(':') ||
                !length(width, 1) || !take(':') || !length(height, 1)) {
                return false;
            }
            s.floatRect.right = s.floatRect.left + width;
            s.floatRect.bottom = s.floatRect.top + height;
        }
        if (take('m')) {
            if (maximized != noPane || !s.shown || s.floating || s.autoHidden) {
                return false;
            }
            maximized = s.pane;
        }
        if (chosen) {
            if (group.selected != noPane) {
                return false;
            }
            group.selected = s.pane;
        }
        group.panes.push_back(s.pane);
        tree.addState(s);
        return true;
    }

    // The index of the node read, or -1.
    int node(int depth) {
        if (depth > static_cast<int>(layout::deepestPath)) {
            return -1;
        }
        DockTree::Node n;
        if (take('c')) {
            ++centers;
            n.center = true;
            return tree.addNode(n);
        }
        if (take('[')) {
            do {
                if (!item(n)) {
                    return -1;
                }
            } while (take(','));
            if (!take(']') || n.selected == noPane) {
                return -1;
            }
            return tree.addNode(n);
        }
        const char* letter =
            at < text.size() ? std::find(sideLetters, sideLetters + 4, text[at]) : sideLetters + 4;
        if (letter == sideLetters + 4) {
            return -1;
        }
        ++at;
        n.split = true;
        n.side = static_cast<eDockSide>(letter - sideLetters);
        if (!length(n.size, 0) || !take('(')) {
            return -1;
        }
        n.sized = node(depth + 1);
        if (n.sized < 0 || !take(',')) {
            return -1;
        }
        n.rest = node(depth + 1);
        if (n.rest < 0 || !take(')')) {
            return -1;
        }
        const int made = tree.addNode(n);
        tree.setParent(n.sized, made);
        tree.setParent(n.rest, made);
        return made;
    }
};

} // namespace

std::string printTree(const DockTree& tree, const std::function<layout::Key(int)>& keyOf, int dpi) {
    Printer printer{tree, keyOf, dpi, std::string()};
    printer.node(tree.rootNode());
    return printer.out;
}

bool parseTree(const std::string& text, int dpi, DockTree& tree, std::vector<layout::Key>& keys) {
    std::vector<layout::Key> readKeys;
    DockTree fresh = DockTree::withoutNodes();
    Reader reader{text, dpi, fresh, readKeys};
    const int top = reader.node(0);
    if (top < 0 || reader.at != text.size() || reader.centers != 1) {
        return false;
    }
    fresh.setRoot(top);
    fresh.setMaximized(reader.maximized);
    tree = fresh;
    keys = readKeys;
    return true;
}

DockTree mergedTree(DockTree read, const std::vector<layout::Key>& keys,
                    const std::function<int(const layout::Key&)>& paneOf, const DockTree& current) {
    std::vector<int> renumbered;
    for (const layout::Key& key : keys) {
        const int pane = paneOf(key);
        // A pane named twice by the program's numbering is taken once.
        const bool taken = std::find(renumbered.begin(), renumbered.end(), pane) != renumbered.end();
        renumbered.push_back(taken ? noPane : pane);
    }
    read.renumber(renumbered);
    read.setCenterPresent(current.hasCenter());
    for (int pane : current.panes()) {
        if (read.contains(pane)) {
            continue;
        }
        const PaneState& s = *current.state(pane);
        // With a tab neighbour that the text kept, it joins that group; else it goes to its side.
        int neighbour = noPane;
        for (int other : current.groupOf(pane)) {
            if (neighbour == noPane && other != pane && read.contains(other)) {
                neighbour = other;
            }
        }
        if (neighbour != noPane) {
            read.insert(pane, DOCK_TAB, 0, neighbour);
        } else {
            read.insert(pane, current.sideOf(pane), current.sizeOf(pane), noPane);
        }
        read.setState(s);
    }
    return read;
}

} // namespace dock
} // namespace KW
