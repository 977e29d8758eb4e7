// The window tree the start-up benchmark records from a program and the raw replay program builds again:
// one record a line, a tag and fields separated by tabs, text fields escaped. Shared by both sides.
#ifndef KW_BENCH_WINDOW_TREE_H
#define KW_BENCH_WINDOW_TREE_H

#include <cstdlib>
#include <string>
#include <vector>

namespace startup {

// Tags, in the order they appear for a window:
//   C  name style brush                 a class the program may have registered (brush: "-", "sys N" or
//                                       "rgb N"); the replay makes those the platform does not have
//   W  parent class style exStyle x y w h show font text
//                                       a window; parent is the index of an earlier W (-1: top level, or
//                                       the owner of a popup), x y w h in the parent's client area
//   M  depth type state id popup text   a menu bar item (depth 0) or an item of the popup before it
//   IL slot cx cy file                  an image list the window shows, its images in a bitmap file
//   TB image command state style        a toolbar button
//   TI parent image selectedImage state text   a tree item (parent: index of an earlier TI, or -1)
//   TC image text / TS width height / TX selected   a tab, the fixed tab size, the selected tab
//   LX exStyle / LC width text / LI image indent text / LS item subitem text   a list view
//   CB text / CX selected               a combo box item, the selected item
//   SP edge... / ST part type text      status bar parts and texts
//   TT window id flags left top right bottom text   a tool of a tooltip window
struct Record {
    std::string tag;
    std::vector<std::string> fields;

    int number(size_t index) const {
        return index < fields.size() ? static_cast<int>(std::strtol(fields[index].c_str(), nullptr, 0)) : 0;
    }
    unsigned long bits(size_t index) const {
        return index < fields.size() ? std::strtoul(fields[index].c_str(), nullptr, 0) : 0;
    }
    const std::string& text(size_t index) const {
        static const std::string none;
        return index < fields.size() ? fields[index] : none;
    }
};

inline std::string escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

inline std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

inline std::string formatRecord(const Record& record) {
    std::string line = record.tag;
    for (const std::string& field : record.fields) {
        line += '\t';
        line += escape(field);
    }
    return line;
}

inline Record parseRecord(const std::string& line) {
    Record record;
    size_t start = 0;
    bool first = true;
    while (start <= line.size()) {
        size_t end = line.find('\t', start);
        if (end == std::string::npos) {
            end = line.size();
        }
        const std::string field = line.substr(start, end - start);
        if (first) {
            record.tag = field;
            first = false;
        } else {
            record.fields.push_back(unescape(field));
        }
        start = end + 1;
    }
    return record;
}

// Children a platform control makes for itself: the replay's control makes them again, so they are
// neither recorded nor compared.
inline bool isInternalChild(const std::string& parentClass, const std::string& childClass) {
    return (parentClass == "SysListView32" && childClass == "SysHeader32") ||
           (parentClass == "SysTabControl32" && childClass == "msctls_updown32") ||
           (parentClass == "ComboBox" && (childClass == "Edit" || childClass == "ComboLBox"));
}

} // namespace startup

#endif
