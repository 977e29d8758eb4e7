#include "logic/RecentFiles.h"

#include <algorithm>

namespace pelmora {

namespace {

char folded(char c) {
    if (c == '/') {
        return '\\';
    }
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool samePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return folded(x) == folded(y); });
}

RecentFiles::RecentFiles(const std::vector<std::string>& stored) {
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        if (!it->empty()) {
            add(*it);
        }
    }
}

void RecentFiles::add(const std::string& path) {
    remove(path);
    paths.insert(paths.begin(), path);
    if (paths.size() > kMaxRecentFiles) {
        paths.resize(kMaxRecentFiles);
    }
}

bool RecentFiles::remove(const std::string& path) {
    const auto found = std::find_if(paths.begin(), paths.end(),
                                    [&](const std::string& entry) { return samePath(entry, path); });
    if (found == paths.end()) {
        return false;
    }
    paths.erase(found);
    return true;
}

std::string recentMenuText(std::size_t index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : path) {
        text += c == '&' ? std::string("&&") : std::string(1, c);
    }
    return text;
}

} // namespace pelmora
