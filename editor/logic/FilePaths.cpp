#include "FilePaths.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace pelmora {

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool isAbsolutePath(const std::string& path) {
    return !path.empty() && (path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'));
}

namespace {

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// An absolute path as its root ("C:", "\\server\share" or "/") and its folder names, with "." and
// ".." worked out.
struct SplitPath {
    std::string root;
    std::vector<std::string> names;
};

SplitPath splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path + "/") {
        if (c == '\\' || c == '/') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    SplitPath split;
    std::size_t first = 1;
    if (path.size() > 1 && path[1] == ':') {
        split.root = parts[0];
    } else if (parts.size() > 3 && parts[0].empty() && parts[1].empty()) {
        split.root = "\\\\" + parts[2] + "\\" + parts[3];
        first = 4;
    } else {
        split.root = "/";
    }
    for (std::size_t i = first; i < parts.size(); ++i) {
        if (parts[i] == "..") {
            if (!split.names.empty()) {
                split.names.pop_back();
            }
        } else if (!parts[i].empty() && parts[i] != ".") {
            split.names.push_back(parts[i]);
        }
    }
    return split;
}

} // namespace

std::string rebasedTextureReference(const std::string& reference, const std::string& oldFolder,
                                    const std::string& newFolder) {
    if (reference.empty() || isAbsolutePath(reference) || !isAbsolutePath(oldFolder) ||
        !isAbsolutePath(newFolder)) {
        return reference;
    }
    const SplitPath texture = splitPath(oldFolder + "/" + reference);
    const SplitPath folder = splitPath(newFolder);
    if (!sameName(texture.root, folder.root)) {
        // No relative path leads there: the texture's whole path, in the old folder's separators.
        const char separator = oldFolder.find('\\') != std::string::npos ? '\\' : '/';
        std::string absolute = texture.root == "/" ? std::string() : texture.root;
        for (const std::string& name : texture.names) {
            absolute += separator + name;
        }
        return absolute;
    }
    std::size_t common = 0;
    while (common < folder.names.size() && common + 1 < texture.names.size() &&
           sameName(folder.names[common], texture.names[common])) {
        ++common;
    }
    std::string relative;
    for (std::size_t i = common; i < folder.names.size(); ++i) {
        relative += "../";
    }
    for (std::size_t i = common; i < texture.names.size(); ++i) {
        relative += texture.names[i] + (i + 1 < texture.names.size() ? "/" : "");
    }
    return relative;
}

std::string textureReference(const std::string& path, const std::string& effectFolder) {
    if (effectFolder.empty() || path.size() <= effectFolder.size() + 1) {
        return path;
    }
    const auto sameChar = [](char a, char b) {
        const bool slashes = (a == '\\' || a == '/') && (b == '\\' || b == '/');
        return slashes ||
               std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    const char separator = path[effectFolder.size()];
    if (!std::equal(effectFolder.begin(), effectFolder.end(), path.begin(), sameChar) ||
        (separator != '\\' && separator != '/')) {
        return path;
    }
    std::string relative = path.substr(effectFolder.size() + 1);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return relative;
}

} // namespace pelmora
