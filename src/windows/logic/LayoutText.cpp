#include "windows/logic/LayoutText.h"

#include "windows/logic/DockText.h"

#include <cstddef>

namespace KW {
namespace layout {

namespace {

const char* const magic = "kwlayout";

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// Decimal, an optional minus, no leading zeros and no "-0", so every number has one spelling.
bool readNumber(const std::string& text, int lowest, int highest, int& value) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 7 || (digits[0] == '0' && (digits.size() > 1 || negative))) {
        return false;
    }
    long number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + (c - '0');
    }
    number = negative ? -number : number;
    if (number < lowest || number > highest) {
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

bool readKey(const std::string& text, Key& key) {
    const std::size_t hash = text.find('#');
    if (hash == std::string::npos) {
        key.occurrence = 0;
        return readNumber(text, -largestValue, largestValue, key.id);
    }
    return readNumber(text.substr(0, hash), -largestValue, largestValue, key.id) &&
           readNumber(text.substr(hash + 1), 1, largestValue, key.occurrence);
}

bool readPath(const std::string& text, Path& path) {
    path.clear();
    if (text == ".") {
        return true;
    }
    const std::vector<std::string> steps = split(text, '/');
    if (steps.size() > deepestPath) {
        return false;
    }
    for (const std::string& step : steps) {
        Key key;
        if (!readKey(step, key)) {
            return false;
        }
        path.push_back(key);
    }
    return true;
}

std::string keyText(const Key& key) {
    std::string text = std::to_string(key.id);
    if (key.occurrence > 0) {
        text += "#" + std::to_string(key.occurrence);
    }
    return text;
}

std::string pathText(const Path& path) {
    if (path.empty()) {
        return ".";
    }
    std::string text;
    for (const Key& key : path) {
        text += (text.empty() ? "" : "/") + keyText(key);
    }
    return text;
}

const char* kindName(EntryKind kind) {
    switch (kind) {
    case EntryKind::Section:
        return "section";
    case EntryKind::Tab:
        return "tab";
    case EntryKind::Dock:
        return "dock";
    case EntryKind::Splitter:
    default:
        return "splitter";
    }
}

bool readVersion(const std::vector<std::string>& fields, int& minor, std::string& error) {
    if (fields.size() != 2 || fields[0] != magic) {
        error = "not a window layout (it must start with \"kwlayout\" and a version)";
        return false;
    }
    const std::size_t dot = fields[1].find('.');
    int major = 0;
    if (dot == std::string::npos || !readNumber(fields[1].substr(0, dot), 0, largestValue, major) ||
        !readNumber(fields[1].substr(dot + 1), 0, largestValue, minor)) {
        error = "the version \"" + fields[1] + "\" is not major.minor";
        return false;
    }
    if (major != formatMajor) {
        error = "layout version " + fields[1] + " cannot be read (only version " +
                std::to_string(formatMajor) + ".x can)";
        return false;
    }
    return true;
}

bool readPlacement(const std::vector<std::string>& fields, Placement& placement) {
    int maximized = 0;
    const bool read = fields.size() == 6 && readNumber(fields[1], -largestValue, largestValue, placement.x) &&
                      readNumber(fields[2], -largestValue, largestValue, placement.y) &&
                      readNumber(fields[3], 1, largestValue, placement.width) &&
                      readNumber(fields[4], 1, largestValue, placement.height) &&
                      readNumber(fields[5], 0, 1, maximized);
    placement.maximized = maximized == 1;
    return read;
}

// Reads one splitter, section or tab entry; false when fields[0] names none of them.
bool readEntry(const std::vector<std::string>& fields, Entry& entry, bool& known) {
    known = true;
    if (fields[0] == "splitter" || fields[0] == "section") {
        const bool splitter = fields[0] == "splitter";
        entry.kind = splitter ? EntryKind::Splitter : EntryKind::Section;
        return fields.size() == 4 && readPath(fields[1], entry.path) && readKey(fields[2], entry.item) &&
               readNumber(fields[3], 0, splitter ? largestValue : 1, entry.value);
    }
    if (fields[0] == "tab") {
        entry.kind = EntryKind::Tab;
        return fields.size() == 3 && readPath(fields[1], entry.path) &&
               readNumber(fields[2], 0, largestValue, entry.value);
    }
    if (fields[0] == "dock") {
        entry.kind = EntryKind::Dock;
        dock::DockTree tree;
        std::vector<Key> keys;
        entry.tree = fields.size() == 3 ? fields[2] : std::string();
        return fields.size() == 3 && readPath(fields[1], entry.path) &&
               dock::parseTree(entry.tree, 96, tree, keys);
    }
    known = false;
    return false;
}

bool isEntryName(const std::string& name) {
    for (char c : name) {
        if (c < 'a' || c > 'z') {
            return false;
        }
    }
    return !name.empty();
}

} // namespace

int printedMinor(const Layout& layout) {
    for (const Entry& entry : layout.entries) {
        if (entry.kind == EntryKind::Dock) {
            return 1;
        }
    }
    return 0;
}

std::string print(const Layout& layout) {
    std::string text =
        std::string(magic) + " " + std::to_string(formatMajor) + "." + std::to_string(printedMinor(layout));
    int count = 0;
    if (layout.hasPlacement) {
        const Placement& p = layout.placement;
        text += ";window " + std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.width) +
                " " + std::to_string(p.height) + (p.maximized ? " 1" : " 0");
        ++count;
    }
    for (const Entry& entry : layout.entries) {
        text += std::string(";") + kindName(entry.kind) + " " + pathText(entry.path);
        if (entry.kind == EntryKind::Dock) {
            text += " " + entry.tree;
        } else {
            if (entry.kind != EntryKind::Tab) {
                text += " " + keyText(entry.item);
            }
            text += " " + std::to_string(entry.value);
        }
        ++count;
    }
    return text + ";end " + std::to_string(count);
}

bool parse(const std::string& text, Layout& layout, std::string& error) {
    for (char c : text) {
        if (c < ' ' || c > '~') {
            error = "the layout holds a character that is not printable ASCII";
            return false;
        }
    }
    const std::vector<std::string> parts = split(text, ';');
    Layout read;
    if (!readVersion(split(parts[0], ' '), read.minor, error)) {
        return false;
    }
    const std::vector<std::string> last = split(parts.back(), ' ');
    int count = -1;
    if (parts.size() < 2 || last.size() != 2 || last[0] != "end" ||
        !readNumber(last[1], 0, largestValue, count) || static_cast<std::size_t>(count) != parts.size() - 2) {
        error = "the layout is cut short or its end marker does not count its entries";
        return false;
    }
    for (std::size_t i = 1; i + 1 < parts.size(); ++i) {
        const std::vector<std::string> fields = split(parts[i], ' ');
        if (fields[0] == "window" && !read.hasPlacement) {
            read.hasPlacement = readPlacement(fields, read.placement);
            if (read.hasPlacement) {
                continue;
            }
        }
        Entry entry;
        bool known = false;
        if (readEntry(fields, entry, known)) {
            read.entries.push_back(entry);
            continue;
        }
        // A later minor version may add kinds of entries, or fields to a dock entry: they are passed
        // over.
        if ((!known || fields[0] == "dock") && fields[0] != "window" && fields[0] != "end" &&
            read.minor > formatMinor && isEntryName(fields[0])) {
            continue;
        }
        error = "entry " + std::to_string(i) + " (\"" + parts[i].substr(0, 40) + "\") is malformed";
        return false;
    }
    layout = read;
    return true;
}

} // namespace layout
} // namespace KW
