#ifndef KW_LAYOUT_TEXT_H
#define KW_LAYOUT_TEXT_H

#include <string>
#include <vector>

// The text of a saved window layout (docs/layout-format.md): what it holds, printing and strict parsing.
// Window-free: the window code walks the gadgets and fills or applies a Layout.
namespace KW {
namespace layout {

// The format written; a text of another major version is refused, a higher minor one is read.
constexpr int formatMajor = 1;
constexpr int formatMinor = 1;
// The largest number a field may hold, so that DPI scaling never overflows.
constexpr int largestValue = 1000000;
// The deepest gadget path read.
constexpr std::size_t deepestPath = 64;

// One step of a gadget path, or a splitter or section of a gadget: the id, and which of the
// siblings with that id it is (0 for the first).
struct Key {
    int id = 0;
    int occurrence = 0;
};

inline bool operator==(const Key& a, const Key& b) {
    return a.id == b.id && a.occurrence == b.occurrence;
}

// The chain of keys from the window down to a gadget; empty for the window itself.
typedef std::vector<Key> Path;

// A top-level window's normal rectangle: position in screen pixels, size at 96 DPI.
struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
};

enum class EntryKind { Splitter, Section, Tab, Dock };

// One remembered state. Splitter: value is the bar's position at 96 DPI; section: 1 open, 0 closed;
// tab: the selected page's index (item unused); dock: tree holds the dock's panes (see DockText.h;
// item and value unused).
struct Entry {
    EntryKind kind = EntryKind::Splitter;
    Path path;
    Key item;
    int value = 0;
    std::string tree;
};

struct Layout {
    // The minor version read; printing writes printedMinor.
    int minor = formatMinor;
    bool hasPlacement = false;
    Placement placement;
    std::vector<Entry> entries;
};

// The minor version a layout prints with: 1 when it has a dock entry, else 0, so that a layout
// without docks reads in every 1.x reader.
int printedMinor(const Layout& layout);

// The one-line text of a layout.
std::string print(const Layout& layout);

// Reads a whole text; on failure returns false, leaves layout alone and says why in error.
bool parse(const std::string& text, Layout& layout, std::string& error);

} // namespace layout
} // namespace KW

#endif
