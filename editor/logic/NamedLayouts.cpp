#include "logic/NamedLayouts.h"

#include <algorithm>
#include <cctype>

namespace pelmora {

namespace {

std::vector<std::string> entriesOf(const std::string& text) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        entries.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

bool isLayoutText(const std::string& text) {
    return text.size() <= kMaxLayoutChars &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7e; });
}

bool isLayoutName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxLayoutNameBytes &&
           name.find_first_not_of(' ') != std::string::npos &&
           std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string dockEntriesOf(const std::string& layoutText) {
    const std::vector<std::string> entries = entriesOf(layoutText);
    if (entries.size() < 2 || !startsWith(entries.front(), "kwlayout ") ||
        !startsWith(entries.back(), "end ")) {
        return std::string();
    }
    std::string text = entries.front();
    int docks = 0;
    for (std::size_t i = 1; i + 1 < entries.size(); ++i) {
        if (startsWith(entries[i], "dock ")) {
            text += ";" + entries[i];
            ++docks;
        }
    }
    return docks == 0 ? std::string() : text + ";end " + std::to_string(docks);
}

bool keepLayout(std::vector<NamedLayout>& layouts, const NamedLayout& layout) {
    if (!isLayoutName(layout.name) || !isLayoutText(layout.layout)) {
        return false;
    }
    for (NamedLayout& kept : layouts) {
        if (sameName(kept.name, layout.name)) {
            kept = layout;
            return true;
        }
    }
    if (layouts.size() >= kMaxNamedLayouts) {
        return false;
    }
    layouts.push_back(layout);
    return true;
}

} // namespace pelmora
