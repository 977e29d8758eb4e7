#include "FilePaths.h"

#include <algorithm>
#include <cctype>

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
