#ifndef PELMORA_RECENT_FILES_H
#define PELMORA_RECENT_FILES_H

#include <cstddef>
#include <string>
#include <vector>

namespace pelmora {

const std::size_t kMaxRecentFiles = 8;

// Whether two paths name the same file as Windows compares them: letters in any case, either slash.
// Letters beyond ASCII are compared as they are.
bool samePath(const std::string& a, const std::string& b);

// The files the user opened or saved last, most recent first, each once, at most kMaxRecentFiles.
class RecentFiles {
public:
    RecentFiles() = default;
    // The list as stored: empty entries and repeats are dropped, the first kMaxRecentFiles kept.
    explicit RecentFiles(const std::vector<std::string>& paths);

    // The file goes to the front; an entry for the same file is dropped, the oldest one beyond the limit.
    void add(const std::string& path);
    // Drops the entry for the file; false when there was none.
    bool remove(const std::string& path);
    const std::vector<std::string>& items() const { return paths; }

private:
    std::vector<std::string> paths;
};

// The menu text of the entry at index (0 first): "&1 path", with the path's ampersands doubled so that
// they show rather than underline.
std::string recentMenuText(std::size_t index, const std::string& path);

} // namespace pelmora

#endif
